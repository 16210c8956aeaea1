// Fences.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

#include "System/Math.h"

struct ObjNode;

void PrimeFences();
void DisposeFences();

// Resolves the node's move from its old position to gObjCoord against every
// fence; true when a fence was hit. (Stand-in: there are no fences yet.)
bool CollideWithFences(ObjNode* node);
// The first fence section that the segment crosses in x/z. (Stand-in: none.)
bool SegmentHitsFence(const OGLPoint3D* p1, const OGLPoint3D* p2, OGLPoint3D* hitPoint, bool* isAbove, float* fenceTop);
