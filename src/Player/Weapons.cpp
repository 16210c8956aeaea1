// The weapon inventory and switching between weapons. GL-free: the robot's
// change animation and the sounds are started through the player's own
// helpers, and the thrown-away model lives with the projectiles.
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "System/Error.h"
#include "System/Sound.h"

bool gWeaponIsDrawn = false;
int16_t gPrevWeaponType = WEAPON_FIST;
bool gPrevWeaponDrawn = false;

namespace
{
	constexpr uint32_t WHIR_RATE = 0x5555;		// a third of the normal rate
	constexpr uint32_t CHANGE_VOLUME_LEFT = 256;
	constexpr uint32_t CHANGE_VOLUME_RIGHT = 51;
	constexpr uint32_t NORMAL_RATE = 0x10000;

	int WrapSlot(int i)
	{
		return ((i % MAX_WEAPON_SLOTS) + MAX_WEAPON_SLOTS) % MAX_WEAPON_SLOTS;
	}

	bool RobotIsChangingWeapons()
	{
		return gPlayerNode && gPlayerNode->Skeleton && gPlayerNode->Skeleton->AnimNum == PLAYER_ANIM_CHANGEWEAPON;
	}
}

void InitWeaponInventory()
{
	gRun.weapons[0] = {WEAPON_FIST, MAX_WEAPON_QUANTITY};
	for (int i = 1; i < MAX_WEAPON_SLOTS; i++)
		gRun.weapons[i] = {-1, 0};
	gRun.currentWeapon = WEAPON_FIST;
	gWeaponIsDrawn = false;
	gPrevWeaponType = WEAPON_FIST;
	gPrevWeaponDrawn = false;
}

void GiveCheatWeaponInventory()
{
	static const WeaponSlot CHEAT_INVENTORY[MAX_WEAPON_SLOTS] = {
		{WEAPON_FIST, 99}, {WEAPON_STUNGUN, 99}, {WEAPON_FREEZEGUN, 99}, {WEAPON_ARCSHOT, 99},
		{WEAPON_GROWTH, 1}, {WEAPON_FLARE, 99}, {WEAPON_NOVA, 99}, {WEAPON_DART, 99},
	};
	for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
		gRun.weapons[i] = CHEAT_INVENTORY[i];
}

bool IsWeaponHeldInHand(int type)
{
	// Anything outside the carried types (a weapon that just ran out is -1)
	// counts as an empty hand rather than indexing a table.
	return type >= WEAPON_STUNGUN && type <= WEAPON_FLARE;
}

int FindWeaponSlot(int type)
{
	for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
		if (gRun.weapons[i].type == type && gRun.weapons[i].quantity >= 1)
			return i;
	return -1;
}

void AddWeaponToInventory(int type, int count)
{
	if (type < 0 || type >= NUM_INVENTORY_WEAPONS)
		FatalAlert("AddWeaponToInventory: weapon type %d cannot be carried", type);
	if (count < 0)
		FatalAlert("AddWeaponToInventory: weapon %d given a negative count %d", type, count);

	int slot = FindWeaponSlot(type);
	if (slot >= 0)
	{
		int q = gRun.weapons[slot].quantity + count;
		gRun.weapons[slot].quantity = (int16_t)(q > MAX_WEAPON_QUANTITY ? MAX_WEAPON_QUANTITY : q);
		return;
	}
	for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
	{
		if (gRun.weapons[i].quantity < 1)
		{
			gRun.weapons[i] = {(int16_t)type,
				(int16_t)(count > MAX_WEAPON_QUANTITY ? MAX_WEAPON_QUANTITY : count)};
			return;
		}
	}
	// All eight slots taken by other weapons: eight types fit in eight slots,
	// so this only happens with a type already held, handled above.
}

int ChangeWeapons(int startSlot, int direction, bool noAdvance)
{
	const int start = WrapSlot(startSlot);
	int i = noAdvance ? start : WrapSlot(start + direction);
	while (gRun.weapons[i].quantity < 1)
	{
		i = WrapSlot(i + direction);
		if (i == start)
			return start;					// nothing else to change to
	}

	const int newType = gRun.weapons[i].type;
	if (newType == gRun.currentWeapon)
		return i;

	if (RobotIsChangingWeapons())
	{
		GAME_ASSERT_MESSAGE(!gPlayerNode->Flag[0],
			"shouldn't allow fast weapon switching once anim raises ChangeWeapon flag");
	}
	else if (gPlayerNode && gPlayerNode->Skeleton &&
			 (IsWeaponHeldInHand(gRun.currentWeapon) || IsWeaponHeldInHand(newType)))
	{
		gPrevWeaponType = gRun.currentWeapon;
		gPrevWeaponDrawn = gWeaponIsDrawn;
		SetPlayerAnim(gPlayerNode, PLAYER_ANIM_CHANGEWEAPON);
		if (IsSoundEffectLoaded(EFFECT_WEAPONWHIR))
			PlayEffect_Parms3D(EFFECT_WEAPONWHIR, &gPlayerNode->Coord, WHIR_RATE, 1.0f);
	}

	gRun.currentWeapon = (int16_t)newType;
	gWeaponIsDrawn = IsWeaponHeldInHand(newType);
	if (IsSoundEffectLoaded(EFFECT_CHANGEWEAPON))
		PlayEffect_Parms(EFFECT_CHANGEWEAPON, CHANGE_VOLUME_LEFT, CHANGE_VOLUME_RIGHT, NORMAL_RATE);
	return i;
}

void DecWeaponQuantity(int type)
{
	const int slot = FindWeaponSlot(type);
	if (slot < 0)
		FatalAlert("DecWeaponQuantity: weapon not in inventory");
	if (type == WEAPON_FIST)
		return;								// the fist is never used up

	if (--gRun.weapons[slot].quantity > 0)
		return;

	gRun.weapons[slot] = {-1, 0};
	const bool wasDrawn = gWeaponIsDrawn && gRun.currentWeapon == type;
	if (wasDrawn)
		ThrowAwayEmptyWeapon(type);

	gWeaponIsDrawn = false;
	gRun.currentWeapon = -1;
	ChangeWeapons(slot, +1, true);
	// Running out of a gun should not leave the robot charging a nova.
	if (gRun.currentWeapon == WEAPON_NOVA && wasDrawn)
		gRun.currentWeapon = WEAPON_FIST;
}

int WeaponShownInHand()
{
	int type = gRun.currentWeapon;
	bool drawn = gWeaponIsDrawn;
	if (RobotIsChangingWeapons() && !gPlayerNode->Flag[0])
	{
		type = gPrevWeaponType;
		drawn = gPrevWeaponDrawn;
	}
	return (drawn && IsWeaponHeldInHand(type)) ? type : -1;
}
