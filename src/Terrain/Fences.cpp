// Fences: priming the file's fences into world-unit polylines with their
// meshes, and the two collision queries every mover and sight line uses.
// GL-free: the meshes are plain arrays the draw routine hands to OpenGL.
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/LevelTable.h"
#include "Memory.h"
#include "System/Objects.h"

#include <algorithm>
#include <cmath>

const float kFenceHeights[NUM_FENCE_TYPES] =
{
	430, 1100, 440, 440, 1100, 550, 1100, 1100, 550, 1500, 1300,
	900, 1000, 900, 500, 1100, 800, 600, 800, 800, 150, 600,
};

FenceMesh* gFenceMeshes = nullptr;
int gNumFencesDrawn = 0;

namespace
{
	const char* TerrainFileName()
	{
		return CurrentLevelDef().terrainFile;
	}

	float QuickDistance(float x1, float z1, float x2, float z2)
	{
		float dx = std::fabs(x2 - x1), dz = std::fabs(z2 - z1);
		return std::max(dx, dz) + 0.375f * std::min(dx, dz);
	}

	// Whether the segment's x/z extent lies wholly beside the box grown by `grow`.
	bool IsSegmentBesideBox(const OGLBoundingBox& box, float x1, float z1, float x2, float z2, float grow)
	{
		return (x1 < box.min.x - grow && x2 < box.min.x - grow) || (x1 > box.max.x + grow && x2 > box.max.x + grow)
				|| (z1 < box.min.z - grow && z2 < box.min.z - grow) || (z1 > box.max.z + grow && z2 > box.max.z + grow);
	}

	// The image's height / width, so a fence keeps the picture's proportions
	// as it repeats (square when the fence images are not loaded).
	float FenceImageAspect(int type)
	{
		if (gSpriteGroupList[SPRITE_GROUP_FENCES] && type < gNumSpritesInGroupList[SPRITE_GROUP_FENCES])
		{
			float a = gSpriteGroupList[SPRITE_GROUP_FENCES][type].aspectRatio;
			if (a > 0)
				return a;
		}
		return 1.0f;
	}

	MetaObjectPtr FenceImageMaterial(int type)
	{
		if (gSpriteGroupList[SPRITE_GROUP_FENCES] && type < gNumSpritesInGroupList[SPRITE_GROUP_FENCES])
			return gSpriteGroupList[SPRITE_GROUP_FENCES][type].materialObject;
		return nullptr;
	}

	void ClampFenceImages()
	{
		if (!gSpriteGroupList[SPRITE_GROUP_FENCES])
			return;
		for (int i = 0; i < gNumSpritesInGroupList[SPRITE_GROUP_FENCES]; i++)
			if (MetaObjectPtr m = gSpriteGroupList[SPRITE_GROUP_FENCES][i].materialObject)
				MO_MaterialData(m)->flags |= MATERIAL_FLAG_CLAMP_V;
	}
}

void PrimeFences()
{
	DisposeFences();
	if (gNumFences > MAX_FENCES)
		FatalAlert("PrimeFences: gNumFences > MAX_FENCES (%d in %s)", int(gNumFences), TerrainFileName());
	ClampFenceImages();

	for (int f = 0; f < gNumFences; f++)
	{
		FenceRecord& fence = gFenceList[f];
		// The terrain file reader refuses these already; a fence made any
		// other way gets the same answer.
		if (fence.numNubs < 2)
			FatalAlert("PrimeFences: fence %d has %d nubs (2 to %d) in %s", f, int(fence.numNubs), MAX_NUBS_IN_FENCE,
					TerrainFileName());
		if (fence.numNubs > MAX_NUBS_IN_FENCE)
			FatalAlert("PrimeFences: numNubs > MAX_NUBS_IN_FENCE (fence %d in %s)", f, TerrainFileName());

		for (int k = 0; k < fence.numNubs; k++)
		{
			OGLPoint3D& nub = fence.nubList[k];
			nub.x *= MAP_TO_UNIT_SCALE;
			nub.z *= MAP_TO_UNIT_SCALE;
			nub.y = IsTerrainSetUp() ? TerrainHeightAtNoHoles(nub.x, nub.z) : 0.0f;
		}

		const int sections = fence.numNubs - 1;
		fence.sectionVectors = reinterpret_cast<OGLVector2D*>(NewPtrClear(sections * int32_t(sizeof(OGLVector2D))));
		fence.sectionNormals = reinterpret_cast<OGLVector2D*>(NewPtrClear(sections * int32_t(sizeof(OGLVector2D))));
		if (!fence.sectionVectors || !fence.sectionNormals)
			FatalAlert("PrimeFences: AllocPtr failed!");
		for (int k = 0; k < sections; k++)
		{
			OGLVector2D v = {fence.nubList[k + 1].x - fence.nubList[k].x, fence.nubList[k + 1].z - fence.nubList[k].z};
			OGLVector2D_Normalize(&v, &v);
			fence.sectionVectors[k] = v;
			fence.sectionNormals[k] = {-v.y, v.x};
		}
	}

	MakeFenceGeometry();

	if (gNumFences > 0)
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.slot = FENCE_SLOT;
		def.flags = STATUS_BIT_NOLIGHTING | STATUS_BIT_KEEPBACKFACES | STATUS_BIT_DONTCULL;
		def.drawCall = DrawFences;
		def.scale = 1;
		MakeNewObject(&def);
	}
}

void MakeFenceGeometry()
{
	if (gNumFences <= 0)
		return;
	gFenceMeshes = new FenceMesh[size_t(gNumFences)];
	const float sink = CurrentLevelHasRule(LEVEL_RULE_FENCES_ON_GROUND) ? 0.0f : FENCE_SINK;

	for (int f = 0; f < gNumFences; f++)
	{
		FenceRecord& fence = gFenceList[f];
		if (fence.type >= NUM_FENCE_TYPES)
			FatalAlert("MakeFenceGeometry: illegal fence type %d (fence %d in %s)", int(fence.type), f, TerrainFileName());
		FenceMesh& mesh = gFenceMeshes[f];
		const float height = kFenceHeights[fence.type];
		const float aspect = FenceImageAspect(fence.type);

		float u = 0;
		OGLBoundingBox box = {{1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f}, false};
		for (int k = 0; k < fence.numNubs; k++)
		{
			const OGLPoint3D& nub = fence.nubList[k];
			OGLPoint3D bottom = {nub.x, nub.y - sink, nub.z};
			OGLPoint3D top = {bottom.x, bottom.y + height, bottom.z};
			if (k > 0)
				u += OGLPoint3D_Distance(&mesh.points[2 * (k - 1)], &bottom) * aspect / height;
			mesh.points[2 * k] = bottom;
			mesh.points[2 * k + 1] = top;
			mesh.uvs[2 * k] = {u, 1};
			mesh.uvs[2 * k + 1] = {u, 0};
			mesh.colors[2 * k] = mesh.colors[2 * k + 1] = {255, 255, 255, 255};
			for (const OGLPoint3D& p : {bottom, top})
			{
				box.min = {std::min(box.min.x, p.x), std::min(box.min.y, p.y), std::min(box.min.z, p.z)};
				box.max = {std::max(box.max.x, p.x), std::max(box.max.y, p.y), std::max(box.max.z, p.z)};
			}
		}
		for (int k = 0; k + 1 < fence.numNubs; k++)
		{
			uint32_t* t = &mesh.triangles[k * 6];
			const uint32_t b = uint32_t(2 * k);
			t[0] = b + 1; t[1] = b; t[2] = b + 3;
			t[3] = b + 3; t[4] = b; t[5] = b + 2;
		}
		fence.bBox = box;
		fence.isCulled = false;

		MOVertexArrayData& data = mesh.data;
		data = {};
		data.numMaterials = FenceImageMaterial(fence.type) ? 1 : 0;
		data.materials[0] = FenceImageMaterial(fence.type);
		data.numPoints = 2 * fence.numNubs;
		data.numTriangles = 2 * fence.numNubs - 2;
		data.points = mesh.points;
		data.uvs[0] = mesh.uvs;
		data.colorsByte = mesh.colors;
		data.triangles = mesh.triangles;
	}
}

void DisposeFences()
{
	delete[] gFenceMeshes;
	gFenceMeshes = nullptr;
	for (int f = 0; gFenceList && f < gNumFences; f++)
	{
		FenceRecord& fence = gFenceList[f];
		if (fence.sectionVectors)
			DisposePtr(reinterpret_cast<Ptr>(fence.sectionVectors));
		if (fence.sectionNormals)
			DisposePtr(reinterpret_cast<Ptr>(fence.sectionNormals));
		fence.sectionVectors = fence.sectionNormals = nullptr;
	}
}

bool CollideWithFences(ObjNode* node)
{
	const float fromX = node->OldCoord.x, fromZ = node->OldCoord.z;
	float toX = gObjCoord.x, toZ = gObjCoord.z;
	if (fromX == toX && fromZ == toZ)
		return false;
	const float r = node->Size;
	bool hit = false;

	for (int f = 0; f < gNumFences; f++)
	{
		const FenceRecord& fence = gFenceList[f];
		if (!fence.sectionVectors || IsSegmentBesideBox(fence.bBox, fromX, fromZ, toX, toZ, r + FENCE_BOX_MARGIN))
			continue;

		int bounces = 0;
		for (int k = 0; k + 1 < fence.numNubs; k++)
		{
			const OGLPoint3D& a = fence.nubList[k];
			const OGLPoint3D& b = fence.nubList[k + 1];

			// The normal on the side the mover comes from.
			OGLVector2D n = fence.sectionNormals[k];
			OGLVector2D fromNub = {fromX - a.x, fromZ - a.z};
			if (OGLVector2D_Cross(&fence.sectionVectors[k], &fromNub) < 0)
				n = {-n.x, -n.y};

			float ix, iz;
			if (IntersectLineSegments(fromX, fromZ, toX - r * n.x, toZ - r * n.y, a.x, a.z, b.x, b.z, &ix, &iz))
			{
				hit = true;
				if (++bounces >= FENCE_MAX_BOUNCES)
				{
					// Caught between sections: back where the move began.
					gObjCoord.x = toX = fromX;
					gObjCoord.z = toZ = fromZ;
					break;
				}
				gObjCoord.x = toX = ix + n.x * (r + FENCE_SLIDE_GAP);
				gObjCoord.z = toZ = iz + n.y * (r + FENCE_SLIDE_GAP);
				OGLVector2D v = {gObjDelta.x, gObjDelta.z};
				OGLVector2D_Reflect(&v, &n, &v);
				gObjDelta.x = v.x * FENCE_SLIDE_KEEP;
				gObjDelta.z = v.y * FENCE_SLIDE_KEEP;
				k = -1;				// this fence again from its first section
				continue;
			}

			if (QuickDistance(toX, toZ, a.x, a.z) <= r || QuickDistance(toX, toZ, b.x, b.z) <= r)
			{
				gObjCoord.x = fromX;
				gObjCoord.z = fromZ;
				OGLVector2D v = {gObjDelta.x, gObjDelta.z};
				OGLVector2D_Reflect(&v, &n, &v);
				gObjDelta.x = v.x * FENCE_POST_KEEP;
				gObjDelta.z = v.y * FENCE_POST_KEEP;
				return true;
			}
		}
	}
	return hit;
}

bool SegmentHitsFence(const OGLPoint3D* p1, const OGLPoint3D* p2, OGLPoint3D* hitPoint, bool* isAbove, float* fenceTop)
{
	for (int f = 0; f < gNumFences; f++)
	{
		const FenceRecord& fence = gFenceList[f];
		if (fence.numNubs < 2 || fence.type >= NUM_FENCE_TYPES || !fence.sectionVectors
				|| IsSegmentBesideBox(fence.bBox, p1->x, p1->z, p2->x, p2->z, 0))
			continue;
		for (int k = 0; k + 1 < fence.numNubs; k++)
		{
			const OGLPoint3D& a = fence.nubList[k];
			const OGLPoint3D& b = fence.nubList[k + 1];
			float ix, iz;
			if (!IntersectLineSegments(p1->x, p1->z, p2->x, p2->z, a.x, a.z, b.x, b.z, &ix, &iz))
				continue;
			const float top = (IsTerrainSetUp() ? BaseTerrainHeightAt(ix, iz) : 0.0f) + kFenceHeights[fence.type];
			const float length = CalcDistance(p1->x, p1->z, p2->x, p2->z);
			const float along = length > 0 ? CalcDistance(p1->x, p1->z, ix, iz) / length : 0.0f;
			const float y = p1->y + along * (p2->y - p1->y);
			*isAbove = y >= top;
			*hitPoint = {ix, y, iz};
			*fenceTop = top;
			return true;
		}
	}
	return false;
}
