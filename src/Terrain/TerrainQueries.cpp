// Ground height and normal at any point (on the same triangles the supertiles
// draw), standing nodes on the ground, and the range tests objects use to
// leave the active area.
#include "Terrain/Terrain.h"
#include "Terrain/SuperTile.h"
#include "3D/MetaObjectsRegistry.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Objects.h"

#include <algorithm>
#include <cmath>

OGLVector3D gLastTerrainNormal = {0, 1, 0};

namespace
{
	enum class HoleRule { HOLES, NO_HOLES };

	float HeightOnTable(float** heights, float x, float z, HoleRule holes)
	{
		if (!heights || !gTileSplitMode)
			return TERRAIN_HEIGHT_NO_TERRAIN;

		// Truncation: a point just before the map's low edge uses the first tile's plane.
		float cf = x * (1.0f / TILE_UNITS), rf = z * (1.0f / TILE_UNITS);
		if (!(cf > -1.0f && cf < float(gMapTilesWide) && rf > -1.0f && rf < float(gMapTilesDeep)))
			return 0;
		int c = int(cf), r = int(rf);

		if (holes == HoleRule::HOLES && CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES)
				&& (gTileAttributes[gTileAttribIndexGrid[r][c]].flags & TILE_ATTRIB_HOLE))
		{
			gLastTerrainNormal = {0, 1, 0};
			return TERRAIN_HEIGHT_HOLE;
		}

		float x0 = float(c * TILE_UNITS), z0 = float(r * TILE_UNITS), u = float(TILE_UNITS);
		OGLPoint3D p0 = {x0, heights[r][c], z0};
		OGLPoint3D p1 = {x0 + u, heights[r][c + 1], z0};
		OGLPoint3D p2 = {x0 + u, heights[r + 1][c + 1], z0 + u};
		OGLPoint3D p3 = {x0, heights[r + 1][c], z0 + u};
		float fx = x - x0, fz = z - z0;

		const OGLPoint3D *a, *b, *cc;
		if (gTileSplitMode[r][c])
		{
			if (fz < u - fx)
				a = &p0, b = &p1, cc = &p3;
			else
				a = &p1, b = &p2, cc = &p3;
		}
		else
		{
			if (fz > fx)
				a = &p0, b = &p2, cc = &p3;
			else
				a = &p0, b = &p1, cc = &p2;
		}

		OGLVector3D cb = *cc - *b, ca = *cc - *a, n;
		OGLVector3D_Cross(&cb, &ca, &n);
		OGLVector3D_Normalize(&n, &n);
		gLastTerrainNormal = n;
		float d = n.x * cc->x + n.y * cc->y + n.z * cc->z;
		return (d - n.x * x - n.z * z) / n.y;
	}
}

float TerrainHeightAt(float x, float z)
{
	return HeightOnTable(gMapHeights, x, z, HoleRule::HOLES);
}

float TerrainHeightAtNoHoles(float x, float z)
{
	return HeightOnTable(gMapHeights, x, z, HoleRule::NO_HOLES);
}

float BaseTerrainHeightAt(float x, float z)
{
	return HeightOnTable(gMapBaseHeights, x, z, HoleRule::NO_HOLES);
}

float MinTerrainHeightUnderModel(float x, float z, int group, int type, float scale)
{
	const OGLBoundingBox& box = gObjectGroupBBoxList[group][type];
	float lowest = TerrainHeightAt(x, z);
	for (float bx : {box.min.x, box.max.x})
		for (float bz : {box.min.z, box.max.z})
			lowest = std::min(lowest, TerrainHeightAt(x + bx * scale, z + bz * scale));
	return lowest;
}

void AlignNodeToTerrain(ObjNode* node, float yOffset, const OGLVector3D* normal)
{
	node->Coord.y = TerrainHeightAt(node->Coord.x, node->Coord.z) + yOffset;
	OGLVector3D up = normal ? *normal : gLastTerrainNormal;

	float heading = node->Rot.y;
	OGLPoint3D ahead;
	ahead.x = node->Coord.x - std::sin(heading) * 30.0f;
	ahead.z = node->Coord.z - std::cos(heading) * 30.0f;
	ahead.y = TerrainHeightAt(ahead.x, ahead.z) + yOffset;

	OGLMatrix4x4 placement, scale;
	OGLMatrix4x4_SetAlignLookAt(&placement, &node->Coord, &ahead, &up);
	OGLMatrix4x4_SetScale(&scale, node->Scale.x, node->Scale.y, node->Scale.z);
	OGLMatrix4x4_Multiply(&scale, &placement, &node->BaseTransformMatrix);
	SyncBaseTransformObject(node);
}

bool IsTerrainSetUp()
{
	return gMapHeights && gTileSplitMode && gSuperTileStatusGrid;
}

bool IsPositionOutOfRange(float x, float z)
{
	if (!gSuperTileStatusGrid)
		return true;
	if (!(x >= 0 && z >= 0 && x < float(gMapUnitWidth) && z < float(gMapUnitDepth)))
		return true;
	int row = int(z / SUPERTILE_UNITS), col = int(x / SUPERTILE_UNITS);
	return !gSuperTileStatusGrid[row][col].inRange;
}

bool IsNodeOutOfRange(ObjNode* node)
{
	return IsPositionOutOfRange(node->Coord.x, node->Coord.z);
}

bool IsNodeStartOutOfRange(ObjNode* node)
{
	return IsPositionOutOfRange(node->InitCoord.x, node->InitCoord.z);
}
