// Simple shapes built as meta objects in code: coloured materials, boxes, a
// ground grid and a sky dome. Scenery for levels whose models are not loaded,
// test scenes and benchmarks.
#pragma once

#include "3D/MetaObjects.h"

// An untextured material of one colour (refCount 1).
MetaObjectPtr MO_MakeColorMaterial(const OGLColorRGBA& color);

// A box centred on the origin with outward normals; `material` may be null
// (then the geometry has no material of its own). The vertex array takes its
// own reference on the material.
MetaObjectPtr MO_MakeBox(float halfX, float halfY, float halfZ, MetaObjectPtr material);

// A flat square grid on y = 0 facing up, cells alternating between two vertex colours.
MetaObjectPtr MO_MakeGroundGrid(float halfSize, int cellsPerSide, const OGLColorRGBA& a, const OGLColorRGBA& b);

// A sphere seen from inside (faces inward, no normals), coloured from `below`
// at the bottom through `horizon` to `zenith`.
MetaObjectPtr MO_MakeSkyDome(float radius, int rings, int segments,
		const OGLColorRGBA& below, const OGLColorRGBA& horizon, const OGLColorRGBA& zenith);
