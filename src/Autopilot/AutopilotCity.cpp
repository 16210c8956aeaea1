// The ruined city as the autopilot plays it: out of a mutant's reach while
// it winds up a punch, a weapon in hand that hurts the city's creatures,
// and the checkpoints on the way touched.
#include "Autopilot/AutopilotCity.h"
#include "Autopilot/Autopilot.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/Enemy.h"
#include "Terrain/Collision.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float MUTANT_DANGER = MUTANT_PUNCH_RANGE + 40.0f;	// units: its reach and its fist's swing
	constexpr float MUTANT_DANGER_ANGLE = 1.2f;				// radians either side of its heading (it punches within 90°)
	constexpr float MUTANT_BLOW_LANDS = 0.5f;				// of the punch animation: the blow is spent by then (a little late, to be safe)
	constexpr float DANGER_SIGHT = 2000.0f;					// units: nothing farther off is looked at
	constexpr float ARM_SIGHT = 1600.0f;					// units: a city creature this near is armed against
	constexpr float ARMED_ENGAGE = 900.0f;					// units: with a gun that hurts it, a creature is shot this far off
	constexpr float CHECKPOINT_DETOUR = 1300.0f;			// units: an unlit checkpoint this near is touched
	constexpr float ALIEN_FIST_SIGHT = 700.0f;				// units: a brain alien this near is punched (a fist hurts it most)
	constexpr int kCityWeapons[] = {WEAPON_STUNGUN, WEAPON_ARCSHOT};	// in order of choice; the fist after them

	bool IsCityCreature(const ObjNode* n)
	{
		return n->Kind == ENEMY_KIND_MUTANT || n->Kind == ENEMY_KIND_MUTANTROBOT;
	}

	// A level with gunmen: where the mutant robot is one of its creatures.
	bool IsGunmenLevel()
	{
		const LevelDef& def = CurrentLevelDef();
		for (int i = 0; i < def.numSkeletons; i++)
			if (def.skeletons[i] == SKELETON_TYPE_MUTANTROBOT)
				return true;
		return false;
	}

	bool Carries(const WeaponSlot* inventory, int type)
	{
		for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
			if (inventory[i].type == type && inventory[i].quantity > 0)
				return true;
		return false;
	}

	bool IsWindingUp(const ObjNode* mutant)
	{
		const SkeletonObjDataType* s = mutant->Skeleton;
		return s->AnimNum == MUTANT_ANIM_PUNCH && s->MaxAnimTime > 0
				&& s->CurrentAnimTime < MUTANT_BLOW_LANDS * s->MaxAnimTime;
	}
}

void GatherCityAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers)
{
	if (gNumEnemyOfKind[ENEMY_KIND_MUTANT] == 0)
		return;
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->Kind != ENEMY_KIND_MUTANT || !IsEnemyFighting(n) || !n->Skeleton || !IsWindingUp(n))
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > DANGER_SIGHT)
			continue;
		dangers->push_back({n->Coord.x, n->Coord.z, MUTANT_DANGER, n->Rot.y, MUTANT_DANGER_ANGLE});
	}
}

void GatherCityAutopilotTargets(const ObjNode* player, std::vector<AutopilotTarget>* targets)
{
	if (!IsGunmenLevel())
		return;
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		// A lit post is no trigger any more.
		if (n->CType == INVALID_NODE_FLAG || !(n->CType & CTYPE_TRIGGER) || n->Kind != TRIGGER_KIND_CHECKPOINT
				|| n->Special[0] <= gPlayerLevel.checkpointNum)
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > CHECKPOINT_DETOUR)
			continue;
		targets->push_back({AUTOPILOT_TARGET_ATOM, n->Coord.x, n->Coord.y, n->Coord.z});
	}
}

float AutopilotCityEngageRange(const ObjNode* enemy, float usual)
{
	if (!IsCityCreature(enemy) || !gWeaponIsDrawn || gRun.currentWeapon < 0 || gRun.currentWeapon >= NUM_WEAPON_TYPES
			|| !enemy->HitByWeaponHandler[gRun.currentWeapon])
		return usual;
	return std::max(usual, ARMED_ENGAGE);
}

int CityWeaponWanted(const WeaponSlot* inventory, bool cityCreatureNear)
{
	if (cityCreatureNear)
		for (int type : kCityWeapons)
			if (Carries(inventory, type))
				return type;
	return WEAPON_FIST;
}

int WeaponChangeToward(const WeaponSlot* inventory, int currentType, int wantedType)
{
	if (currentType == wantedType || !Carries(inventory, wantedType))
		return 0;
	int from = -1, to = -1;
	for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
	{
		if (inventory[i].quantity <= 0)
			continue;
		if (inventory[i].type == currentType && from < 0)
			from = i;
		if (inventory[i].type == wantedType && to < 0)
			to = i;
	}
	if (from < 0)
		return +1;					// the hand is between weapons: any press settles it
	// Presses each way, counting only the slots a change stops at.
	int forward = 0, backward = 0;
	for (int i = from; i != to; i = (i + 1) % MAX_WEAPON_SLOTS)
		forward += inventory[(i + 1) % MAX_WEAPON_SLOTS].quantity > 0;
	for (int i = from; i != to; i = (i + MAX_WEAPON_SLOTS - 1) % MAX_WEAPON_SLOTS)
		backward += inventory[(i + MAX_WEAPON_SLOTS - 1) % MAX_WEAPON_SLOTS].quantity > 0;
	return forward <= backward ? +1 : -1;
}

void AutopilotArmForCity(const ObjNode* player, AutopilotState* state, VirtualInputFrame* frame)
{
	static bool pressedLastFrame = false;
	const bool pressed = pressedLastFrame;
	pressedLastFrame = false;
	if (!player || gPlayerLevel.isDead || !player->Skeleton || !IsGunmenLevel()
			|| player->Skeleton->AnimNum == PLAYER_ANIM_CHANGEWEAPON)
		return;
	bool cityNear = false, alienNear = false;
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->CType == INVALID_NODE_FLAG || !IsEnemyFighting(n))
			continue;
		const float d = std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z);
		cityNear = cityNear || (IsCityCreature(n) && d < ARM_SIGHT);
		alienNear = alienNear || (n->Kind == ENEMY_KIND_BRAINALIEN && d < ALIEN_FIST_SIGHT);
	}
	if (!cityNear && !alienNear)
		return;
	const int wanted = CityWeaponWanted(gRun.weapons, cityNear);
	const int step = WeaponChangeToward(gRun.weapons, gRun.currentWeapon, wanted);
	if (step == 0 || pressed)
		return;
	// A shot or a punch this frame would be taken before the change.
	frame->needsHeld &= ~((uint64_t(1) << NEED_SHOOT) | (uint64_t(1) << NEED_PUNCH));
	frame->needsHeld |= uint64_t(1) << (step > 0 ? NEED_NEXT_WEAPON : NEED_PREV_WEAPON);
	state->lastNeeds = frame->needsHeld;
	pressedLastFrame = true;
}
