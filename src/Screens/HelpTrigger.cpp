// Map item 56: an invisible marker that shows a help message while the robot
// is near it.
#include "Screens/Infobar.h"
#include "Player/Player.h"
#include "System/Error.h"
#include "System/Math.h"
#include "System/Objects.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

namespace
{
	void MoveHelpTrigger(ObjNode* node)
	{
		if (IsNodeOutOfRange(node))
		{
			DeleteObject(node);
			return;
		}
		if (!gPlayerNode)
			return;
		if (CalcQuickDistance(node->Coord.x, node->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) >= HELP_TRIGGER_RANGE)
			return;

		int type = node->Type;
		// Telling an empty robot how to jet would only frustrate: ask for fuel first.
		if (type == HELP_JUMP_JET && gRun.fuel <= 0)
			type = HELP_NEED_FUEL;
		ShowHelpMessage(type, HELP_TRIGGER_SECONDS, false);
	}
}

bool AddHelpTrigger(TerrainItemEntryType* item, float x, float z)
{
	int type = item->parm[0];
	if (type >= NUM_HELP_TYPES)
		FatalAlert("AddHelpTrigger: help trigger at (%.0f, %.0f) asks for help type %d; types are 0..%d",
				   double(x), double(z), type, NUM_HELP_TYPES - 1);

	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {x, 0, z};
	def.slot = 100;
	def.moveCall = MoveHelpTrigger;
	ObjNode* node = MakeNewObject(&def);
	node->TerrainItemPtr = item;
	node->Type = uint8_t(type);
	return true;
}
