#include "Screens/Infobar.h"

namespace
{
	int gHelpType = -1;
	float gHelpTime = 0;
	bool gHelpSwitchedOff[NUM_HELP_TYPES] = {};

	bool IsHelpType(int type)
	{
		return type >= 0 && type < NUM_HELP_TYPES;
	}
}

void InitInfobar()
{
	ClearHelpMessage();
}

void DrawInfobar()
{
}

void ShowHelpMessage(int type, float seconds, bool replace)
{
	if (!IsHelpType(type) || gHelpSwitchedOff[type])
		return;
	if (gHelpType == type)
	{
		gHelpTime = seconds;
		return;
	}
	if (gHelpType >= 0 && !replace)
		return;
	gHelpType = type;
	gHelpTime = seconds;
}

void SwitchOffHelp(int type)
{
	if (IsHelpType(type))
		gHelpSwitchedOff[type] = true;
}

bool IsHelpSwitchedOff(int type)
{
	return IsHelpType(type) && gHelpSwitchedOff[type];
}

int GetCurrentHelpType()
{
	return gHelpType;
}

float GetHelpMessageTimeLeft()
{
	return gHelpType >= 0 ? gHelpTime : 0;
}

void UpdateHelpMessage(float dt)
{
	if (gHelpType < 0)
		return;
	gHelpTime -= dt;
	if (gHelpTime <= 0)
		ClearHelpMessage();
}

void ClearHelpMessage()
{
	gHelpType = -1;
	gHelpTime = 0;
}

void ResetHelpMessageSwitches()
{
	for (bool& off : gHelpSwitchedOff)
		off = false;
}
