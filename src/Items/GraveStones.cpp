// Grave stones: scenery with a saucer-beam handler that raises a mutant.
#include "Items/GraveStones.h"
#include "Items/Scenery.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/Enemy.h"
#include "Enemies/RaiderSaucer.h"
#include "Player/WeaponTypes.h"

#include <cmath>

namespace
{
	// The scenery move every stone has (they share one scenery row): standing
	// on the ground and going when out of range.
	ObjNodeRoutine gStoneStandMove = nullptr;

	// A stone with its grave still closed calls a passing raider saucer, as a
	// farm sprout does, while the enemies are below their cap.
	void MoveGraveStone(ObjNode* stone)
	{
		if (gStoneStandMove)
			gStoneStandMove(stone);
		if (stone->CType == INVALID_NODE_FLAG)		// gone out of range
			return;
		if ((stone->StatusBits & GRAVE_STONE_SAUCER_TARGET) && gNumEnemies < gMaxEnemies)
			CallRaiderSaucer(stone);
	}

	bool BeamedBySaucer(ObjNode*, ObjNode* stone, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!(stone->StatusBits & GRAVE_STONE_SAUCER_TARGET) || !RaiseMutantAtGraveStone(stone))
			return false;
		// One mutant to a grave: the stone is no saucer's business any more.
		stone->StatusBits &= ~GRAVE_STONE_SAUCER_TARGET;
		return true;
	}
}

bool AddGraveStone(TerrainItemEntryType* item, float x, float z)
{
	if (!AddSceneryItem(item, x, z))
		return false;
	ObjNode* stone = gLastCreatedNode;
	stone->StatusBits |= GRAVE_STONE_SAUCER_TARGET;
	stone->Special[0] = GRAVE_STONE_SEEDS;
	stone->HitByWeaponHandler[WEAPON_SAUCERBEAM] = BeamedBySaucer;
	gStoneStandMove = stone->MoveCall;
	stone->MoveCall = MoveGraveStone;
	return true;
}

bool RaiseMutantAtGraveStone(ObjNode* stone)
{
	// The grave lies in front of the stone's face.
	float x = stone->Coord.x - std::sin(stone->Rot.y) * GRAVE_RISE_DISTANCE;
	float z = stone->Coord.z - std::cos(stone->Rot.y) * GRAVE_RISE_DISTANCE;
	return RaiseMutantFromGrave(x, z) != nullptr;
}
