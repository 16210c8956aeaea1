// Pick-ups: what a pod releases besides atoms. They fall to the ground and
// turn there until the robot's grab takes them: a weapon with some ammunition,
// the growth vial, a tow handle or an extra life.
#include "Items/Powerups.h"
#include "Items/ItemsInternal.h"
#include "Items/Contraptions.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <cmath>
#include <cstdio>

namespace
{
	constexpr float PICKUP_SCALE = 1.2f;
	constexpr float PICKUP_GRAVITY = 1000.0f;			// units per second²
	constexpr float PICKUP_SPIN = PI2;					// radians per second
	constexpr float PICKUP_HELP_DISTANCE = 500.0f;
	constexpr float PICKUP_HELP_SECONDS = 4.0f;
	constexpr int HELP_PICKUPS = 1;
	constexpr uint32_t PICKUP_COLLISION_MASK = 0x202048;	// platforms, terrain, misc, second triggers
	constexpr uint8_t MAX_LIVES = 99;
	constexpr int PICKUP_BOAT = 0;						// Special use

	struct PickupLook
	{
		uint8_t group;
		uint8_t model;
		float scale;
		int weapon;				// the weapon it gives and whose absence brings it back; -1: none
		int count;				// units of it
	};

	// By power-up type; the atom types (1 … 3) never make pick-ups.
	const PickupLook kPickupLooks[NUM_POWERUP_TYPES] = {
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_STUNGUN_PICKUP, PICKUP_SCALE, WEAPON_STUNGUN, 20},
		{},
		{},
		{},
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_NOVA_PICKUP, PICKUP_SCALE, WEAPON_NOVA, 1},
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_FREEZEGUN_PICKUP, PICKUP_SCALE, WEAPON_FREEZEGUN, 15},
		{MODEL_GROUP_LEVELSPECIFIC, LEVEL_MODEL_TOW_HANDLE, 0.25f, -1, 0},
		{MODEL_GROUP_LEVELSPECIFIC, LEVEL_MODEL_GROWTH_PICKUP, 0.25f, WEAPON_GROWTH, 1},
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_ARCSHOT_PICKUP, PICKUP_SCALE, WEAPON_ARCSHOT, 15},
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_FLARE_PICKUP, PICKUP_SCALE, WEAPON_FLARE, 5},
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_DART, 0.4f, WEAPON_DART, 5},
		{MODEL_GROUP_GLOBAL, GLOBAL_MODEL_EXTRA_LIFE, PICKUP_SCALE, -1, 0},
	};

	const OGLBoundingBox PICKUP_STAND_IN = {{-30, 0, -30}, {30, 60, 30}, false};

	bool IsPickupType(int type)
	{
		return type >= 0 && type < NUM_POWERUP_TYPES && kPickupLooks[type].model + kPickupLooks[type].scale > 0;
	}

	// A hidden regenerating pick-up comes back once the robot has none of its
	// weapon left (growth: and no growth is running) and the spot is out of view.
	bool PickupMayComeBack(const ObjNode* pickup)
	{
		const PickupLook& look = kPickupLooks[pickup->SubKind];
		if (look.weapon < 0 || FindWeaponSlot(look.weapon) >= 0)
			return false;
		if (look.weapon == WEAPON_GROWTH && gGrowthState != GROWTH_STATE_NONE)		// a growth is still running
			return false;
		return (pickup->StatusBits & STATUS_BIT_ISCULLED) != 0;
	}

	void ShowPickup(ObjNode* pickup, bool shown)
	{
		if (shown)
		{
			pickup->StatusBits &= ~STATUS_BIT_HIDDEN;
			pickup->CType = CTYPE_PICKUP | CTYPE_MISC;
		}
		else
		{
			pickup->StatusBits |= STATUS_BIT_HIDDEN;
			pickup->CType = 0;
		}
		if (pickup->ShadowNode)
			pickup->ShadowNode->StatusBits = shown ? (pickup->ShadowNode->StatusBits & ~STATUS_BIT_HIDDEN)
					: (pickup->ShadowNode->StatusBits | STATUS_BIT_HIDDEN);
	}

	// The weapon becomes the one in hand unless one is drawn already.
	void GiveWeapon(int weapon, int count, bool drawIt)
	{
		AddWeaponToInventory(weapon, count);
		if (drawIt && !gWeaponIsDrawn && gPlayerNode)
		{
			int slot = FindWeaponSlot(weapon);
			if (slot >= 0)
				ChangeWeapons(slot, +1, true);
		}
	}
}

ObjNode* MakePickup(int type, const OGLPoint3D& where, bool regenerates, int boatNum)
{
	if (!IsPickupType(type))
		FatalAlert("MakePickup: power-up type %d has no pick-up", type);
	const PickupLook& look = kPickupLooks[type];
	ObjectDef def = {};
	def.group = look.group;
	def.type = look.model;
	def.coord = where;
	def.flags = STATUS_BIT_ALWAYSCULL;			// culled even hidden: regeneration waits out of view
	def.slot = PICKUP_SLOT;
	def.moveCall = MovePickup;
	def.scale = look.scale;
	OGLBoundingBox standIn = PICKUP_STAND_IN;
	if (type == POWERUP_TYPE_GROWTH && (!CurrentLevelHasRule(LEVEL_RULE_OWN_GROWTH_VIAL) || !IsItemModelLoaded(def.group, def.type)))
	{
		// A level without its own vial shows the one the robot holds.
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_HELD_GROWTH;
		def.scale = PICKUP_SCALE;
	}
	ObjNode* pickup = MakeItemModelNode(&def, standIn);
	pickup->Kind = uint8_t(type);
	pickup->SubKind = uint8_t(type);
	pickup->SubFlag = regenerates ? 1 : 0;
	pickup->Special[PICKUP_BOAT] = boatNum;
	pickup->CType = CTYPE_PICKUP | CTYPE_MISC;
	pickup->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox_Maximized(pickup);
	KeepOldCollisionBoxes(pickup);
	AttachShadowToObject(pickup, 0, 2, 2, false);
	return pickup;
}

void MovePickup(ObjNode* pickup)
{
	if (pickup->StatusBits & STATUS_BIT_HIDDEN)
	{
		if (!pickup->SubFlag || kPickupLooks[pickup->SubKind].weapon < 0)
			DeleteObject(pickup);
		else if (PickupMayComeBack(pickup))
		{
			pickup->Coord = pickup->InitCoord;
			pickup->Delta = {0, 0, 0};
			ShowPickup(pickup, true);
			UpdateObjectTransforms(pickup);
			CalcObjectBoxFromNode(pickup);
			KeepOldCollisionBoxes(pickup);
		}
		return;
	}
	if (!pickup->SubFlag && IsNodeOutOfRange(pickup))
	{
		DeleteObject(pickup);
		return;
	}

	const float dt = gFrameTime;
	GetObjectInfo(pickup);
	gObjDelta.y -= PICKUP_GRAVITY * dt;
	gObjCoord = gObjCoord + gObjDelta * dt;
	if (pickup->LinkNode)
		gObjCoord = gObjCoord + pickup->LinkNode->Delta * dt;
	pickup->Rot.y += PICKUP_SPIN * dt;
	ResolveCollisions(pickup, PICKUP_COLLISION_MASK, 0);
	UpdateObject(pickup);

	if (IsPlayerNear(pickup, PICKUP_HELP_DISTANCE))
		ShowHelpMessage(HELP_PICKUPS, PICKUP_HELP_SECONDS, false);
}

void CollectPowerup(ObjNode* pickup)
{
	SwitchOffHelp(HELP_PICKUPS);
	int type = pickup->SubKind;
	const PickupLook& look = kPickupLooks[type < NUM_POWERUP_TYPES ? type : 0];
	switch (type)
	{
		case POWERUP_TYPE_STUNGUN:
		case POWERUP_TYPE_FREEZEGUN:
		case POWERUP_TYPE_GROWTH:
		case POWERUP_TYPE_ARCSHOT:
		case POWERUP_TYPE_FLARE:
			GiveWeapon(look.weapon, look.count, true);
			break;
		case POWERUP_TYPE_NOVA:
		case POWERUP_TYPE_DARTS:
			GiveWeapon(look.weapon, look.count, false);
			break;
		case POWERUP_TYPE_EXTRA_LIFE:
			if (gRun.lives < MAX_LIVES)
				gRun.lives++;
			break;
		case POWERUP_TYPE_TOW_HANDLE:
			// Not collected: the robot's hands keep it (GrabTowHandle, from FinishGrab).
			break;
		default:
			FatalAlert("CollectPowerup: unknown powerup ID %d", type);
	}
}

void FinishGrab(ObjNode* held)
{
	if (held->MoveCall != MovePickup)
	{
		DeleteObject(held);
		return;
	}
	// A tow handle stays in the robot's hands and starts its boat; one
	// whose boat is missing is dropped.
	if (held->SubKind == POWERUP_TYPE_TOW_HANDLE)
	{
		SwitchOffHelp(HELP_PICKUPS);
		if (!GrabTowHandle(held))
		{
			held->TerrainItemPtr = nullptr;
			DeleteObject(held);
		}
		return;
	}
	CollectPowerup(held);
	if (held->SubFlag && kPickupLooks[held->SubKind].weapon >= 0)
		ShowPickup(held, false);
	else
	{
		held->TerrainItemPtr = nullptr;
		DeleteObject(held);
	}
}
