// Doors and walls that only one kind of force breaks: the wooden door the
// robot must smash with the jump jet, the metal gate only a fast vehicle
// breaks, and the wall only a giant robot walks through. Shots and bumps
// only shake them; a knock plays when a shake starts, so a robot leaning on a
// door knocks at most once per bump shake.
#include "Enemies/Tractor.h"
#include "Items/Scenery.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Shards.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Level.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Objects.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr uint16_t BREAKABLE_SLOT = 4;
	constexpr float JET_BREAKABLE_SCALE = 1.5f;
	constexpr float SPEED_BREAKABLE_SCALE = 1.3f;
	constexpr float GIANT_BREAKABLE_SCALE = 3.0f;
	constexpr int HELP_JET_DOOR_A = 2, HELP_JET_DOOR_B = 3;
	constexpr int MAX_SHOOTING_WEAPON = WEAPON_DART;	// weapons 0 … 7 are spent on a door
	// Shards: every triangle, flung out from the middle and bouncing.
	constexpr float BREAK_FORCE = 600.0f;
	constexpr float SHARD_DECAY = 0.6f;

	constexpr uint32_t DOOR_CTYPE = CTYPE_PUSH_BY_POSITION | CTYPE_BLOCKCAMERA | CTYPE_MISC | CTYPE_TRIGGER | CTYPE_BLOCKSIGHT;

	// Sound banks differ by level: a door on a level without its knock stays quiet.
	void PlayBreakableEffect(int effect, const OGLPoint3D* where)
	{
		if (IsSoundEffectLoaded(effect))
			PlayEffect3D(effect, where);
	}

	// Shake time left: SpecialF[0]; the sound a shake starts with: Special[0].
	float& ShakeLeft(ObjNode* node) { return node->SpecialF[0]; }

	void StartShake(ObjNode* node, float seconds)
	{
		if (ShakeLeft(node) > 0)
			return;
		ShakeLeft(node) = seconds;
		PlayBreakableEffect(node->Special[0], &node->Coord);
	}

	void MoveBreakable(ObjNode* node)
	{
		if (IsNodeOutOfRange(node))
		{
			DeleteObject(node);
			return;
		}
		float& t = ShakeLeft(node);
		if (t <= 0)
			return;
		t = std::fmax(0.0f, t - gFrameTime);
		// Rocks back and forth along its heading, dying away as the shake runs down.
		float d = BREAKABLE_SHAKE_DISTANCE * t * std::cos(BREAKABLE_SHAKE_RATE * t);
		node->Coord.x = node->InitCoord.x - std::sin(node->Rot.y) * d;
		node->Coord.z = node->InitCoord.z - std::cos(node->Rot.y) * d;
		UpdateObjectTransforms(node);
	}

	bool ShotHitsBreakable(ObjNode*, ObjNode* target, const OGLPoint3D*, const OGLVector3D*, float)
	{
		StartShake(target, BREAKABLE_SHOT_SHAKE);
		return true;
	}

	// Gone for good: its item stays in use, so it never comes back this level.
	void Shatter(ObjNode* node, int effect)
	{
		ExplodeGeometry(node, BREAK_FORCE, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE | SHARD_MODE_UPTHRUST, 1, SHARD_DECAY);
		PlayBreakableEffect(effect, &node->Coord);
		node->TerrainItemPtr = nullptr;
		DeleteObject(node);
	}

	bool IsRobotInJumpJet(const ObjNode* mover)
	{
		return mover == gPlayerNode && mover->Skeleton && mover->Skeleton->AnimNum == PLAYER_ANIM_JUMPJET;
	}

	bool JetBreakableTriggered(ObjNode* door, ObjNode* mover, uint32_t)
	{
		if (!IsRobotInJumpJet(mover))
		{
			StartShake(door, BREAKABLE_BUMP_SHAKE);
			return true;
		}
		SwitchOffHelp(HELP_JET_DOOR_B);
		SwitchOffHelp(HELP_JET_DOOR_A);
		Shatter(door, EFFECT_WOODGATESMASH);
		return false;
	}

	bool SpeedBreakableTriggered(ObjNode* gate, ObjNode* mover, uint32_t)
	{
		// The tractor drives by its own speed; its node's delta lags a frame behind.
		float speed = IsTractor(mover) ? mover->Speed2D : std::hypot(mover->Delta.x, mover->Delta.z);
		if (mover == gPlayerNode || speed < SPEED_BREAKABLE_MIN_SPEED)
		{
			StartShake(gate, BREAKABLE_BUMP_SHAKE);
			return true;
		}
		if (IsTractor(mover))
			WreckTractor(mover);
		Shatter(gate, EFFECT_METALGATECRASH);
		return false;
	}

	bool GiantBreakableTriggered(ObjNode* wall, ObjNode* mover, uint32_t)
	{
		if (mover == gPlayerNode && gPlayerLevel.scale > 1.0f)
			Shatter(wall, EFFECT_BIGDOORSMASH);
		return true;
	}

	ObjNode* MakeBreakable(TerrainItemEntryType* item, float x, float z, int model, float scale, float rot)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = {x, TerrainHeightAt(x, z), z};
		def.flags = gAutoFadeStatusBits;
		def.slot = BREAKABLE_SLOT;
		def.moveCall = MoveBreakable;
		def.rot = rot;
		def.scale = scale;
		ObjNode* node = MakeNewDisplayGroupObject(&def);
		node->CBits = SIDE_ALL;
		node->TriggerSides = SIDE_ALL;
		node->TerrainItemPtr = item;
		return node;
	}
}

bool AddJetBreakable(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] > 1)
		FatalAlert("AddJetBreakable: illegal facing (parm 0) %d, must be 0 or 1", item->parm[0]);
	if (!SceneryModelExists(item->type, JET_BREAKABLE_MODEL))
		return false;
	ObjNode* door = MakeBreakable(item, x, z, JET_BREAKABLE_MODEL, JET_BREAKABLE_SCALE, item->parm[0] == 1 ? 3.14159265f / 2 : 0);
	door->CType = DOOR_CTYPE;
	door->Kind = TRIGGER_KIND_JUMPJET_DOOR;
	door->Special[0] = EFFECT_WOODDOORHIT;
	CreateCollisionBoxFromBoundingBox_Rotated(door, 1.5f, 1);
	for (int w = 0; w <= MAX_SHOOTING_WEAPON; w++)
		door->HitByWeaponHandler[w] = ShotHitsBreakable;
	return true;
}

bool AddSpeedBreakable(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] > 1)
		FatalAlert("AddSpeedBreakable: illegal facing (parm 0) %d, must be 0 or 1", item->parm[0]);
	if (!SceneryModelExists(item->type, SPEED_BREAKABLE_MODEL))
		return false;
	ObjNode* gate = MakeBreakable(item, x, z, SPEED_BREAKABLE_MODEL, SPEED_BREAKABLE_SCALE, item->parm[0] == 1 ? 3.14159265f / 2 : 0);
	gate->CType = DOOR_CTYPE | CTYPE_TRIGGER2;
	gate->Kind = TRIGGER_KIND_GATE;
	gate->Special[0] = EFFECT_METALGATEHIT;
	CreateCollisionBoxFromBoundingBox_Rotated(gate, 1.1f, 1.5f);
	for (int w = 0; w <= MAX_SHOOTING_WEAPON; w++)
		gate->HitByWeaponHandler[w] = ShotHitsBreakable;
	return true;
}

bool AddGiantBreakable(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= NUM_GIANT_BREAKABLE_KINDS)
		FatalAlert("AddGiantBreakable: illegal type (parm 0) %d, must be below %d", item->parm[0], NUM_GIANT_BREAKABLE_KINDS);
	int model = GIANT_BREAKABLE_MODEL + item->parm[0];
	if (!SceneryModelExists(item->type, model))
		return false;
	ObjNode* wall = MakeBreakable(item, x, z, model, GIANT_BREAKABLE_SCALE, float(item->parm[1]) * (3.14159265f / 4));
	wall->CType = CTYPE_BLOCKCAMERA | CTYPE_TRIGGER | CTYPE_MISC;
	wall->Kind = TRIGGER_KIND_GIANT_ROBOT_WALL;
	CreateCollisionBoxFromBoundingBox_Rotated(wall, 0.7f, 1);
	return true;
}

void InitBreakables()
{
	SetTriggerHandler(TRIGGER_KIND_JUMPJET_DOOR, JetBreakableTriggered);
	SetTriggerHandler(TRIGGER_KIND_GATE, SpeedBreakableTriggered);
	SetTriggerHandler(TRIGGER_KIND_GIANT_ROBOT_WALL, GiantBreakableTriggered);
}
