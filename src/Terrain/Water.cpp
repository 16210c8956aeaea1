// Water patches: priming the file's outlines into fan meshes at their surface
// heights, and the point tests movers use. GL-free.
#include "Terrain/Water.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/LevelTable.h"
#include "System/Objects.h"

#include <algorithm>

const WaterKindLook kWaterKinds[NUM_WATER_KINDS] =
{
	{0.7f, false, {0.05f, 0.07f}, {0.03f, 0.06f}},
	{0.6f, false, {0.05f, 0.07f}, {0.03f, 0.06f}},
	{0.7f, false, {0.05f, 0.07f}, {0.03f, 0.06f}},
	{0.9f, false, {0.05f, 0.07f}, {0.03f, 0.06f}},
	{0.7f, false, {0.05f, 0.07f}, {0.03f, 0.06f}},
	{0.7f, false, {0.05f, 0.07f}, {0.03f, 0.06f}},		// slime
	{0.4f, true, {0.05f, 0.07f}, {0.03f, 0.06f}},		// glow
	{0.9f, true, {0.02f, 0.03f}, {0.01f, 0.03f}},		// lava: thick and slow
};

WaterMesh* gWaterMeshes = nullptr;
int gNumWaterDrawn = 0;

namespace
{
	const char* TerrainFileName()
	{
		return CurrentLevelDef().terrainFile;
	}

	MetaObjectPtr WaterImageMaterial(int kind)
	{
		const int image = GLOBAL_SPRITE_WATER + kind;
		if (gSpriteGroupList[SPRITE_GROUP_GLOBAL] && image < gNumSpritesInGroupList[SPRITE_GROUP_GLOBAL])
			return gSpriteGroupList[SPRITE_GROUP_GLOBAL][image].materialObject;
		return nullptr;
	}

	bool IsInBoxXZ(const OGLBoundingBox& box, float x, float z)
	{
		return x >= box.min.x && x <= box.max.x && z >= box.min.z && z <= box.max.z;
	}

	bool IsInPatch(const WaterMesh& mesh, float x, float z)
	{
		// The outline points are (x, y, z): the polygon test wants (x, z) pairs.
		OGLPoint2D outline[MAX_NUBS_IN_WATER];
		for (int k = 0; k < mesh.numNubs; k++)
			outline[k] = {mesh.points[k].x, mesh.points[k].z};
		return IsPointInPolygon2D(x, z, mesh.numNubs, outline) != 0;
	}

	int Quadrant(float px, float pz, float vx, float vz)
	{
		if (px <= vx)
			return pz <= vz ? 0 : 3;
		return pz <= vz ? 1 : 2;
	}
}

void PrimeWater()
{
	DisposeWater();
	if (gNumWaterPatches > MAX_WATER)
		FatalAlert("PrimeWater: gNumWaterPatches > MAX_WATER (%d in %s)", int(gNumWaterPatches), TerrainFileName());

	for (int i = 0; i < gNumWaterPatches; i++)
	{
		WaterPatchRecord& patch = gWaterList[i];
		// The terrain file reader refuses these already; a patch made any
		// other way gets the same answer.
		if (patch.type >= NUM_WATER_KINDS)
			FatalAlert("PrimeWater: water patch %d has illegal type %d in %s", i, int(patch.type), TerrainFileName());
		if (patch.numNubs == 1)
			FatalAlert("PrimeWater: numNubs == 1 (water patch %d in %s)", i, TerrainFileName());
		if (patch.numNubs > MAX_NUBS_IN_WATER)
			FatalAlert("PrimeWater: numNubs > MAX_NUBS_IN_WATER (water patch %d in %s)", i, TerrainFileName());

		// A closed outline repeats its first nub last: the fan closes itself.
		if (patch.numNubs > 1 && patch.nubList[patch.numNubs - 1].x == patch.nubList[0].x
				&& patch.nubList[patch.numNubs - 1].y == patch.nubList[0].y)
			patch.numNubs--;
		for (int k = 0; k < patch.numNubs; k++)
		{
			patch.nubList[k].x *= MAP_TO_UNIT_SCALE;
			patch.nubList[k].y *= MAP_TO_UNIT_SCALE;
		}
		patch.hotSpotX *= MAP_TO_UNIT_SCALE;
		patch.hotSpotZ *= MAP_TO_UNIT_SCALE;
	}

	MakeWaterGeometry();

	if (gNumWaterPatches > 0)
	{
		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.slot = WATER_SLOT;
		def.flags = STATUS_BIT_NOLIGHTING | STATUS_BIT_KEEPBACKFACES | STATUS_BIT_DONTCULL;
		def.drawCall = DrawWater;
		def.drawPass = DRAW_PASS_WATER;
		def.scale = 1;
		MakeNewObject(&def);
	}
}

void MakeWaterGeometry()
{
	if (gNumWaterPatches <= 0)
		return;
	gWaterMeshes = new WaterMesh[size_t(gNumWaterPatches)];
	for (int i = 0; i < gNumWaterPatches; i++)
	{
		const WaterPatchRecord& patch = gWaterList[i];
		const int n = patch.numNubs;
		if (n < 3)
			FatalAlert("Assertion failed! MakeWaterGeometry: numNubs >= 3 (water patch %d in %s)", i, TerrainFileName());
		WaterMesh& mesh = gWaterMeshes[i];
		mesh.kind = patch.type;
		mesh.numNubs = n;
		mesh.y = (IsTerrainSetUp() ? TerrainHeightAt(patch.hotSpotX, patch.hotSpotZ) : 0.0f) + WATER_SURFACE_LIFT;

		float sumX = 0, sumZ = 0;
		for (int k = 0; k < n; k++)
		{
			mesh.points[k] = {patch.nubList[k].x, mesh.y, patch.nubList[k].y};
			sumX += patch.nubList[k].x;
			sumZ += patch.nubList[k].y;
		}
		mesh.points[n] = {sumX / float(n), mesh.y, sumZ / float(n)};

		mesh.box = {{1e30f, mesh.y, 1e30f}, {-1e30f, mesh.y, -1e30f}, false};
		for (int k = 0; k <= n; k++)
		{
			const OGLPoint3D& p = mesh.points[k];
			mesh.box.min.x = std::min(mesh.box.min.x, p.x);
			mesh.box.min.z = std::min(mesh.box.min.z, p.z);
			mesh.box.max.x = std::max(mesh.box.max.x, p.x);
			mesh.box.max.z = std::max(mesh.box.max.z, p.z);
			mesh.uvs1[k] = {p.x * WATER_UV_SCALE_1, p.z * WATER_UV_SCALE_1};
			mesh.uvs2[k] = {p.x * WATER_UV_SCALE_2, p.z * WATER_UV_SCALE_2};
		}
		for (int k = 0; k < n; k++)
		{
			mesh.triangles[3 * k] = uint32_t(n);
			mesh.triangles[3 * k + 1] = uint32_t(k);
			mesh.triangles[3 * k + 2] = uint32_t((k + 1) % n);
		}

		MOVertexArrayData& data = mesh.data;
		data = {};
		MetaObjectPtr material = WaterImageMaterial(mesh.kind);
		data.numMaterials = material ? 2 : 0;
		data.materials[0] = data.materials[1] = material;
		data.numPoints = n + 1;
		data.numTriangles = n;
		data.points = mesh.points;
		data.uvs[0] = mesh.uvs1;
		data.uvs[1] = mesh.uvs2;
		data.triangles = mesh.triangles;
	}
}

void ScrollWater(float dt)
{
	for (int i = 0; gWaterMeshes && i < gNumWaterPatches; i++)
	{
		WaterMesh& mesh = gWaterMeshes[i];
		const WaterKindLook& look = kWaterKinds[mesh.kind];
		for (int k = 0; k <= mesh.numNubs; k++)
		{
			mesh.uvs1[k].u += look.scroll1.x * dt;
			mesh.uvs1[k].v += look.scroll1.y * dt;
			mesh.uvs2[k].u -= look.scroll2.x * dt;
			mesh.uvs2[k].v -= look.scroll2.y * dt;
		}
	}
}

void DisposeWater()
{
	delete[] gWaterMeshes;
	gWaterMeshes = nullptr;
}

bool IsInWater(ObjNode* node, float x, float y, float z, int* patch)
{
	for (int i = 0; gWaterMeshes && i < gNumWaterPatches; i++)
	{
		const WaterMesh& mesh = gWaterMeshes[i];
		if (IsInBoxXZ(mesh.box, x, z) && y <= mesh.y && IsInPatch(mesh, x, z))
		{
			node->StatusBits |= STATUS_BIT_INWATER;
			*patch = i;
			return true;
		}
	}
	node->StatusBits &= ~STATUS_BIT_INWATER;
	*patch = 0;
	return false;
}

bool GetWaterY(float x, float z, float* y)
{
	for (int i = 0; gWaterMeshes && i < gNumWaterPatches; i++)
	{
		const WaterMesh& mesh = gWaterMeshes[i];
		if (IsInBoxXZ(mesh.box, x, z) && IsInPatch(mesh, x, z))
		{
			*y = mesh.y;
			return true;
		}
	}
	*y = 0;
	return false;
}

int IsPointInPolygon2D(float px, float pz, int count, const OGLPoint2D* points)
{
	if (count < 3)
		return 0;
	// A winding count by quadrants around the point: each edge that moves the
	// next vertex one quadrant on counts ±1, a diagonal move ±2 by which side
	// of the point the edge passes. The sum wraps like a byte.
	int8_t winding = 0;
	float d = points[count - 1].x, e = points[count - 1].y;
	int f = Quadrant(px, pz, d, e);
	for (int i = 0; i < count; i++)
	{
		const float g = points[i].x, h = points[i].y;
		const int l = Quadrant(px, pz, g, h);
		if (l != f)
		{
			if (l == ((f + 1) & 3))
				winding = int8_t(winding + 1);
			else if (f == ((l + 1) & 3))
				winding = int8_t(winding - 1);
			else if ((e - h) * (px - d) + (d - g) * e > (d - g) * pz)
				winding = int8_t(winding + 2);
			else
				winding = int8_t(winding - 2);
		}
		d = g;
		e = h;
		f = l;
	}
	return winding != 0;
}
