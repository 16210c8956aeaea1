// Rubble the jump jet smashes: heaps of city debris that break when the robot
// jets into them, and the giant's wall that only the jet or the fist of a
// robot grown giant breaks. Anything else only shakes them.
#include "Items/HazardsInternal.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Shards.h"
#include "Items/Scenery.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr int JET_DEBRIS_FIRST_MODEL = 27, JET_DEBRIS_KINDS = 7;
	constexpr float JET_DEBRIS_SCALE = 2.5f;
	constexpr int GIANT_WALL_MODEL = 1;
	constexpr float GIANT_WALL_SCALE = 3.0f;
	constexpr int16_t DEBRIS_SLOT = 97;
	constexpr float GIANT_WALL_THROW = 600.0f;			// the pieces' speed out and up
	const OGLBoundingBox DEBRIS_STAND_IN = {{-60, 0, -60}, {60, 90, 60}, false};
	const OGLBoundingBox WALL_STAND_IN = {{-150, 0, -30}, {150, 250, 30}, false};

	constexpr uint32_t DEBRIS_CTYPE = CTYPE_TRIGGER | CTYPE_MISC | CTYPE_BLOCKCAMERA;

	void Shake(ObjNode* node, float seconds)
	{
		if (node->SpecialF[0] <= 0)
			node->SpecialF[0] = seconds;
	}

	void MoveShakable(ObjNode* node)
	{
		if (IsNodeOutOfRange(node))
		{
			DeleteObject(node);
			return;
		}
		float& t = node->SpecialF[0];
		if (t <= 0)
			return;
		t = std::fmax(0.0f, t - gFrameTime);
		float d = BREAKABLE_SHAKE_DISTANCE * t * std::cos(BREAKABLE_SHAKE_RATE * t);
		node->Coord.x = node->InitCoord.x - std::sin(node->Rot.y) * d;
		node->Coord.z = node->InitCoord.z - std::cos(node->Rot.y) * d;
		UpdateObjectTransforms(node);
	}

	void Smash(ObjNode* node, float force, int effect)
	{
		if (node->Genre == DISPLAY_GROUP_GENRE)
			ExplodeGeometry(node, force, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE | SHARD_MODE_UPTHRUST, 1, 0.6f);
		PlayItemEffect3D(effect, &node->Coord);
		node->TerrainItemPtr = nullptr;		// broken for good
		DeleteObject(node);
	}

	bool RobotIn(const ObjNode* mover, int anim)
	{
		return mover == gPlayerNode && mover->Skeleton && mover->Skeleton->AnimNum == anim;
	}

	// Trigger kind 14.
	bool JetDebrisTouched(ObjNode* debris, ObjNode* mover, uint32_t)
	{
		if (!RobotIn(mover, PLAYER_ANIM_JUMPJET))
		{
			Shake(debris, BREAKABLE_BUMP_SHAKE);
			return true;
		}
		Smash(debris, 500, EFFECT_DEBRISSMASH);
		return false;
	}

	void SmashGiantWall(ObjNode* wall)
	{
		Smash(wall, GIANT_WALL_THROW, EFFECT_BIGDOORSMASH);
	}

	// Trigger kind 9.
	bool GiantWallTouched(ObjNode* wall, ObjNode* mover, uint32_t)
	{
		if (RobotIn(mover, PLAYER_ANIM_GIANTJUMPJET))
		{
			SmashGiantWall(wall);
			return false;
		}
		Shake(wall, BREAKABLE_BUMP_SHAKE);
		return true;
	}

	bool GiantWallHit(ObjNode*, ObjNode* wall, const OGLPoint3D*, const OGLVector3D*, float)
	{
		Shake(wall, BREAKABLE_SHOT_SHAKE);
		return true;
	}

	bool GiantWallPunched(ObjNode*, ObjNode* wall, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (gPlayerLevel.scale > 1)
			SmashGiantWall(wall);
		else
			Shake(wall, BREAKABLE_SHOT_SHAKE);
		return true;
	}
}

bool AddJetDebris(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= JET_DEBRIS_KINDS)
		FatalAlert("AddJetDebris: illegal type (parm 0) %d at (%u, %u), must be below %d", item->parm[0], item->x, item->z,
				JET_DEBRIS_KINDS);
	ObjNode* debris = HazardParts::MakeModel(JET_DEBRIS_FIRST_MODEL + item->parm[0], {x, TerrainHeightAt(x, z), z},
			JET_DEBRIS_SCALE, 0, DEBRIS_SLOT, MoveShakable, DEBRIS_STAND_IN, item);
	debris->CType = DEBRIS_CTYPE;
	debris->CBits = SIDE_ALL;
	debris->TriggerSides = SIDE_ALL;
	debris->Kind = TRIGGER_KIND_JUMPJET_DEBRIS;
	CreateCollisionBoxFromBoundingBox(debris, 1, 1);
	return true;
}

bool AddGiantJetBreakable(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] > 1)
		FatalAlert("AddGiantJetBreakable: illegal facing (parm 0) %d at (%u, %u), must be 0 or 1", item->parm[0], item->x, item->z);
	ObjNode* wall = HazardParts::MakeModel(GIANT_WALL_MODEL, {x, TerrainHeightAt(x, z), z}, GIANT_WALL_SCALE,
			item->parm[0] == 1 ? PI / 2 : 0, DEBRIS_SLOT, MoveShakable, WALL_STAND_IN, item);
	wall->CType = DEBRIS_CTYPE;
	wall->CBits = SIDE_ALL;
	wall->TriggerSides = SIDE_ALL;
	wall->Kind = TRIGGER_KIND_GIANT_JUMPJET_WALL;
	for (int w = WEAPON_STUNGUN; w <= WEAPON_DART; w++)
		wall->HitByWeaponHandler[w] = GiantWallHit;
	wall->HitByWeaponHandler[WEAPON_FIST] = GiantWallPunched;
	CreateCollisionBoxFromBoundingBox_Rotated(wall, 1, 1);
	return true;
}

void InitJetDebris()
{
	SetTriggerHandler(TRIGGER_KIND_JUMPJET_DEBRIS, JetDebrisTouched);
	SetTriggerHandler(TRIGGER_KIND_GIANT_JUMPJET_WALL, GiantWallTouched);
}
