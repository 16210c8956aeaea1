// The trigger table: what a trigger node does when a mover runs into it.
// Each kind's owner installs its handler when it starts; a kind without one
// is an ordinary solid obstacle.
#include "Terrain/Collision.h"
#include "System/Error.h"

namespace
{
	// Kind 6 never gets a handler: it is the plainly solid trigger.
	TriggerHandler gTriggerTable[NUM_TRIGGER_KINDS] = {};

	// The trigger's own side that the mover struck: the mover's back meets the
	// trigger's front, and so on. 0 when no side was struck.
	uint32_t TriggerSideStruck(uint32_t moverSides)
	{
		if (moverSides & SIDE_BACK)
			return SIDE_FRONT;
		if (moverSides & SIDE_FRONT)
			return SIDE_BACK;
		if (moverSides & SIDE_RIGHT)
			return SIDE_LEFT;
		if (moverSides & SIDE_LEFT)
			return SIDE_RIGHT;
		if (moverSides & SIDE_BOTTOM)
			return SIDE_TOP;
		if (moverSides & SIDE_TOP)
			return SIDE_BOTTOM;
		return 0;
	}
}

void SetTriggerHandler(int kind, TriggerHandler handler)
{
	GAME_ASSERT(kind >= 0 && kind < NUM_TRIGGER_KINDS);
	gTriggerTable[kind] = handler;
}

void ClearTriggerHandlers()
{
	for (TriggerHandler& handler : gTriggerTable)
		handler = nullptr;
}

bool HandleTrigger(ObjNode* trigger, ObjNode* mover, uint32_t sides)
{
	if (!(trigger->CBits & (SIDE_ANY_OVERLAP | SIDE_TRIGGER_INSIDE)))
	{
		uint32_t struck = TriggerSideStruck(sides);
		if (!(struck & TriggerSides(trigger)))
			return true;
	}

	if (trigger->Kind >= NUM_TRIGGER_KINDS)
		FatalAlert("HandleTrigger: illegal trigger kind %d", trigger->Kind);

	TriggerHandler handler = gTriggerTable[trigger->Kind];
	return handler ? handler(trigger, mover, sides) : true;
}
