// The farm's enemy sprouts: seedlings in the field that a raider saucer comes
// down to beam up; what it takes from the ground grows into a corn, onion or
// tomato enemy by the sprout's kind.
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
	constexpr uint32_t STATUS_BIT_SAUCER_TARGET = 0x01000000;	// raider saucers look for this
	constexpr int SPROUT_IS_SEED = 1;					// Special[0]

	void MoveEnemySprout(ObjNode* sprout)
	{
		if (IsNodeOutOfRange(sprout))
		{
			DeleteObject(sprout);
			return;
		}
		AlignNodeToTerrain(sprout, 0, nullptr);
		// Calling a raider saucer to it comes with the raider saucers.
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
	def.flags = gAutoFadeStatusBits | STATUS_BIT_SAUCER_TARGET;
	def.slot = SLOT_OF_DUMB;
	def.moveCall = MoveEnemySprout;
	def.scale = SPROUT_SCALE;
	ObjNode* sprout = MakeNewDisplayGroupObject(&def);
	sprout->Kind = item->parm[0];
	sprout->Special[0] = SPROUT_IS_SEED;
	sprout->TerrainItemPtr = item;
	AlignNodeToTerrain(sprout, 0, nullptr);
	return true;
}
