// The level skies: a gently curved, scrolling textured sheet held above (or,
// on the cloud level, below) the camera, its edges fading into the fog.
#pragma once

#include "System/LevelTable.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;

constexpr int SKY_GRID = 10;								// points per side
constexpr int SKY_NUM_POINTS = SKY_GRID * SKY_GRID;
constexpr int SKY_NUM_TRIANGLES = (SKY_GRID - 1) * (SKY_GRID - 1) * 2;	// 162
constexpr int SKY_NUM_INDICES = SKY_NUM_TRIANGLES * 3;					// 486

// A level's sky: its row's `sky` column (System/LevelTable.h).
using SkyLevelInfo = LevelSky;

struct SkyMesh
{
	OGLPoint3D points[SKY_NUM_POINTS];
	OGLTextureCoord uvs[SKY_NUM_POINTS];
	OGLColorRGBA_Byte colors[SKY_NUM_POINTS];
	uint32_t indices[SKY_NUM_INDICES];
};

// The sky of a level (a level number out of range has none).
const SkyLevelInfo& GetSkyLevelInfo(int level);
// Points, fade colours and triangles of a sky for a view reaching `yon`.
void BuildSkyMesh(const SkyLevelInfo& info, float yon, SkyMesh* mesh);
// Texture coordinates for the scroll values and the camera's position.
void UpdateSkyUVs(SkyMesh* mesh, float scroll1, float scroll2, float cameraX, float cameraZ);

// Level start: the sky node, on the levels that have a sky.
void CreateSky();
void DrawSky(ObjNode* node);
