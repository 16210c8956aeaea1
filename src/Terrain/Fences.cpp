#include "Terrain/Fences.h"

void PrimeFences()
{
}

void DisposeFences()
{
}


// Stand-in until fences exist: nothing to hit.
bool CollideWithFences(ObjNode*)
{
	return false;
}

// Stand-in until fences exist: nothing to cross.
bool SegmentHitsFence(const OGLPoint3D*, const OGLPoint3D*, OGLPoint3D*, bool*, float*)
{
	return false;
}
