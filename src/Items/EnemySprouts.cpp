// The farm's enemy sprouts: seedlings in the field that a raider saucer comes
// down to beam up; what it takes from the ground grows into a corn, onion or
// tomato enemy by the sprout's kind.
#include "Enemies/Enemy.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/RaiderSaucer.h"
#include "Player/WeaponTypes.h"
#include "Items/Scenery.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/Level.h"
#include "System/Objects.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

namespace
{
	constexpr float SPROUT_SCALE = 0.5f;

	void MoveEnemySprout(ObjNode* sprout)
	{
		if (IsNodeOutOfRange(sprout))
		{
			DeleteObject(sprout);
			return;
		}
		AlignNodeToTerrain(sprout, 0, nullptr);
		if (gNumEnemies < gMaxEnemies)
			CallRaiderSaucer(sprout);
	}

	// The raider's beam: the sprout's enemy grows where it stood. At the enemy
	// cap nothing grows and the sprout stays for another raider.
	bool SproutBeamed(ObjNode*, ObjNode* sprout, const OGLPoint3D*, const OGLVector3D*, float)
	{
		static ObjNode* (*const kGrow[NUM_SPROUT_KINDS])(float, float) = {
			GrowCornFromSprout, GrowOnionFromSprout, GrowTomatoFromSprout,
		};
		if (!kGrow[sprout->Kind % NUM_SPROUT_KINDS](sprout->Coord.x, sprout->Coord.z))
			return false;
		sprout->TerrainItemPtr = nullptr;		// grown: its item never brings it back
		DeleteObject(sprout);
		return true;
	}
}

bool AddEnemySprout(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= NUM_SPROUT_KINDS)
		FatalAlert("AddEnemySprout: illegal type (parm 0) %d, must be 0 (corn), 1 (onion) or 2 (tomato)", item->parm[0]);
	int model = SPROUT_MODEL + item->parm[0];
	if (!SceneryModelExists(item->type, model))
		return false;

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(model);
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.flags = gAutoFadeStatusBits | STATUS_BIT_RAIDER_TARGET;
	def.slot = SLOT_OF_DUMB;
	def.moveCall = MoveEnemySprout;
	def.scale = SPROUT_SCALE;
	ObjNode* sprout = MakeNewDisplayGroupObject(&def);
	sprout->Kind = item->parm[0];
	sprout->Special[0] = RAIDER_TARGET_SEED;
	sprout->HitByWeaponHandler[WEAPON_SAUCERBEAM] = SproutBeamed;
	sprout->TerrainItemPtr = item;
	AlignNodeToTerrain(sprout, 0, nullptr);
	return true;
}
