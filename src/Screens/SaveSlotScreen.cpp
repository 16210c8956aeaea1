#include "Screens/SaveSlotScreen.h"

// Stand-in body until the slot menu lands: nothing is saved or loaded.
bool SaveSlotScreen(SaveSlotMode, void (*)())
{
	return false;
}
