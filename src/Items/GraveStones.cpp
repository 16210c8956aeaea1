// Grave stones: scenery that calls a raider saucer down to beam a mutant out
// of its grave, once.
#include "Items/GraveStones.h"
#include "Items/Scenery.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/Enemy.h"
#include "Enemies/RaiderSaucer.h"
#include "Player/WeaponTypes.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	bool BeamedBySaucer(ObjNode*, ObjNode* stone, const OGLPoint3D*, const OGLVector3D*, float)
	{
		return RaiseMutantAtGraveStone(stone);
	}

	// The grave is open: no saucer has business with the stone any more.
	void OpenGrave(ObjNode* stone)
	{
		stone->StatusBits &= ~STATUS_BIT_RAIDER_TARGET;
		if (stone->TerrainItemPtr)
			stone->TerrainItemPtr->flags |= ITEM_FLAG_GRAVE_OPEN;
	}
}

bool AddGraveStone(TerrainItemEntryType* item, float x, float z)
{
	if (!AddSceneryItem(item, x, z))
		return false;
	ObjNode* stone = gLastCreatedNode;
	stone->TerrainItemPtr = item;
	stone->MoveCall = MoveGraveStone;
	stone->Special[0] = RAIDER_TARGET_SEED;		// the saucer beams at it and leaves; it carries nothing off
	stone->HitByWeaponHandler[WEAPON_SAUCERBEAM] = BeamedBySaucer;
	if (!(item->flags & ITEM_FLAG_GRAVE_OPEN))
		stone->StatusBits |= STATUS_BIT_RAIDER_TARGET;
	return true;
}

void MoveGraveStone(ObjNode* stone)
{
	MoveStaticObject(stone);
	if (stone->CType == INVALID_NODE_FLAG)		// gone out of range
		return;
	if (IsGraveClosed(stone) && gNumEnemies < gMaxEnemies)
		CallRaiderSaucer(stone);
}

bool IsGraveClosed(const ObjNode* stone)
{
	return stone->StatusBits & STATUS_BIT_RAIDER_TARGET;
}

bool RaiseMutantAtGraveStone(ObjNode* stone)
{
	if (!IsGraveClosed(stone))
		return false;
	// The grave lies in front of the stone's face.
	float x = stone->Coord.x - std::sin(stone->Rot.y) * GRAVE_RISE_DISTANCE;
	float z = stone->Coord.z - std::cos(stone->Rot.y) * GRAVE_RISE_DISTANCE;
	if (!RaiseMutantFromGrave(x, z))
		return false;
	OpenGrave(stone);
	return true;
}
