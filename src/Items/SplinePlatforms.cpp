// Spline platforms: a level model riding its loop at a fixed height above the
// ground. Whoever lands on one takes it as its platform and is carried by its
// Delta, which SetSplineObjectCoord keeps as the loop's speed.
#include "Items/SplinePlatforms.h"
#include "Items/ItemsInternal.h"
#include "System/ContentNumbers.h"
#include "System/Objects.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"

namespace
{
	constexpr uint32_t PLATFORM_CTYPE = CTYPE_PLATFORM | CTYPE_BLOCKCAMERA | CTYPE_SHADOWTOP | CTYPE_MISC;
	constexpr OGLBoundingBox PLATFORM_STAND_IN = {{-150, -30, -150}, {150, 30, 150}, false};

	void MoveSplinePlatform(ObjNode* platform)
	{
		const bool active = IsSplineObjectOnActiveTerrain(platform);
		IncreaseSplineIndex(platform, SPLINE_PLATFORM_SPEED);
		SetSplineObjectCoord(platform);
		if (!active)
			return;
		platform->Coord.y = TerrainHeightAtNoHoles(platform->Coord.x, platform->Coord.z) + SPLINE_PLATFORM_LIFT;
		platform->Delta.y = 0;
		UpdateObjectTransforms(platform);
		CalcObjectBoxFromNode(platform);
	}
}

bool AddSplinePlatform(int splineNum, SplineItemType* item)
{
	float x, z;
	GetCoordOnSpline(&gSplineList[splineNum], item->placement, &x, &z);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(SPLINE_PLATFORM_FIRST_MODEL + item->parm[0]);
	def.coord = {x, TerrainHeightAtNoHoles(x, z) + SPLINE_PLATFORM_LIFT, z};
	def.slot = 100;
	def.scale = SPLINE_PLATFORM_SCALE;
	ObjNode* platform = MakeItemModelNode(&def, PLATFORM_STAND_IN);
	platform->CType = PLATFORM_CTYPE;
	platform->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(platform, 1, 1);
	StartSplineRider(platform, splineNum, item, MoveSplinePlatform, false);
	return true;
}
