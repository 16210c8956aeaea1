// A weapon used up while held: its empty model flies out of the robot's right
// hand. The growth vial spins away and shatters where it lands; the guns tumble
// to the ground and vanish.
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "Effects/Shards.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <cmath>

namespace
{
	constexpr uint16_t THROWN_SLOT = 3000;
	constexpr float VIAL_THROW_SPEED = 600.0f;			// units per second, horizontal and up
	constexpr float VIAL_SPIN_X = 2 * PI;				// radians per second
	constexpr float VIAL_SPIN_Z = 9.0f;
	constexpr float VIAL_SCALE = 1.0f;					// of gPlayerLevel.scale
	constexpr float LEVEL_VIAL_SCALE = 0.25f;			// of gPlayerLevel.scale: a level's vial is modelled four times larger
	constexpr float GUN_THROW_UP = 600.0f;
	constexpr float GUN_THROW_SIDEWAYS = 200.0f;		// random ± per axis
	constexpr float GUN_GRAVITY = 2000.0f;				// units per second per second
	constexpr float GUN_SPIN_X = 3.0f;

	// The model an emptied gun leaves, by type; growth is the vial (below).
	int ThrownModelForType(int type)
	{
		switch (type)
		{
			case WEAPON_STUNGUN: return GLOBAL_MODEL_STUNGUN_PICKUP;
			case WEAPON_FREEZEGUN: return GLOBAL_MODEL_FREEZEGUN_PICKUP;
			case WEAPON_ARCSHOT: return GLOBAL_MODEL_ARCSHOT_PICKUP;
			case WEAPON_FLARE: return GLOBAL_MODEL_FLARE_PICKUP;
			default: return -1;
		}
	}

	void MoveThrownGun(ObjNode* node)
	{
		GetObjectInfo(node);
		const float dt = gFrameTime;
		gObjDelta.y -= GUN_GRAVITY * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		node->Rot.x += GUN_SPIN_X * dt;
		if (gObjCoord.y <= TerrainHeightAt(gObjCoord.x, gObjCoord.z))
		{
			DeleteObject(node);
			return;
		}
		UpdateObject(node);
	}

	void MoveThrownVial(ObjNode* node)
	{
		GetObjectInfo(node);
		const float dt = gFrameTime;
		gObjDelta.y -= gLevel.gravity * 0.5f * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		node->Rot.x += VIAL_SPIN_X * dt;
		node->Rot.z += VIAL_SPIN_Z * dt;

		const float r = 20 * node->Scale.x;
		const bool landed = gObjCoord.y <= TerrainHeightAt(gObjCoord.x, gObjCoord.z) ||
			FindBoxCollisions(gObjCoord.y + r, gObjCoord.y - r, gObjCoord.x - r, gObjCoord.x + r,
				gObjCoord.z + r, gObjCoord.z - r, CTYPE_MISC | CTYPE_FENCE) > 0;
		if (landed)
		{
			UpdateObject(node);
			ExplodeGeometry(node, 300, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.5f);
			PlayPlayerEffect3D(EFFECT_SHATTER, &gObjCoord);
			DeleteObject(node);
			return;
		}
		UpdateObject(node);
	}
}

void ThrowAwayEmptyWeapon(int type)
{
	ObjNode* player = gPlayerNode;
	if (!player || !player->Skeleton || !IsWeaponHeldInHand(type))
		return;

	OGLPoint3D hand;
	FindCoordOfJoint(player, PLAYER_JOINT_RIGHT_HAND, &hand);

	ObjectDef def = {};
	def.group = MODEL_GROUP_GLOBAL;
	def.coord = hand;
	def.slot = int16_t(THROWN_SLOT);
	def.rot = player->Rot.y;
	if (type == WEAPON_GROWTH)
	{
		// A level with a vial of its own throws that one; elsewhere the vial in the hand.
		if (CurrentLevelHasRule(LEVEL_RULE_OWN_GROWTH_VIAL)
				&& BG3D_GetNumModels(MODEL_GROUP_LEVELSPECIFIC) > LEVEL_MODEL_GROWTH_PICKUP)
		{
			def.group = MODEL_GROUP_LEVELSPECIFIC;
			def.type = LEVEL_MODEL_GROWTH_PICKUP;
			def.scale = LEVEL_VIAL_SCALE * gPlayerLevel.scale;
		}
		else
		{
			def.type = GLOBAL_MODEL_HELD_GROWTH;
			def.scale = VIAL_SCALE * gPlayerLevel.scale;
		}
		def.moveCall = MoveThrownVial;
	}
	else
	{
		def.type = uint8_t(ThrownModelForType(type));
		def.scale = gPlayerLevel.scale;
		def.moveCall = MoveThrownGun;
	}
	ObjNode* thrown = MakeNewDisplayGroupObject(&def);
	if (!thrown)
		return;

	const float h = player->Rot.y;
	if (type == WEAPON_GROWTH)
		thrown->Delta = {-std::sin(h) * VIAL_THROW_SPEED, VIAL_THROW_SPEED, -std::cos(h) * VIAL_THROW_SPEED};
	else
	{
		thrown->Rot.x = -PI / 2;
		thrown->Delta = {RandomFloatSigned() * GUN_THROW_SIDEWAYS, GUN_THROW_UP, RandomFloatSigned() * GUN_THROW_SIDEWAYS};
	}
	UpdateObjectTransforms(thrown);
}
