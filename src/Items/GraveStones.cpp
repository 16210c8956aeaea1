// Grave stones: scenery with a saucer-beam handler that raises a mutant.
#include "Items/GraveStones.h"
#include "Items/Scenery.h"
#include "Enemies/CityCreatures.h"
#include "Player/WeaponTypes.h"

#include <cmath>

namespace
{
	bool BeamedBySaucer(ObjNode*, ObjNode* stone, const OGLPoint3D*, const OGLVector3D*, float)
	{
		return RaiseMutantAtGraveStone(stone);
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
	return true;
}

bool RaiseMutantAtGraveStone(ObjNode* stone)
{
	// The grave lies in front of the stone's face.
	float x = stone->Coord.x - std::sin(stone->Rot.y) * GRAVE_RISE_DISTANCE;
	float z = stone->Coord.z - std::cos(stone->Rot.y) * GRAVE_RISE_DISTANCE;
	return RaiseMutantFromGrave(x, z) != nullptr;
}
