// The infobar's GL-free state: help messages, the gauges' animation phases,
// the weapon slots' and rescue counters' slide-ins, the low-health warning.
#include "Screens/Infobar.h"
#include "System/Level.h"
#include "Items/Humans.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "System/Input.h"
#include "System/InputBindings.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "System/Strings.h"

#include <algorithm>
#include <string>

InfobarState gInfobar;

namespace
{
	int gHelpType = -1;
	float gHelpTime = 0;
	std::string gHelpText;
	bool gHelpSwitchedOff[NUM_HELP_TYPES] = {};

	bool IsHelpType(int type)
	{
		return type >= 0 && type < NUM_HELP_TYPES;
	}

	// The control a help text's "#" names, or -1 when it names none.
	int HelpNeed(int type)
	{
		switch (type)
		{
			case 0: case 1:
				return NEED_PUNCH;
			case 2: case 12: case 16: case 21:
				return NEED_JUMP;
			default:
				return -1;
		}
	}

	void StopWarning()
	{
		if (gInfobar.warningChannel >= 0)
			StopAChannel(&gInfobar.warningChannel);
		gInfobar.warningChannel = -1;
	}
}

void InitInfobar()
{
	StopWarning();
	gInfobar = {};
	gInfobar.warningChannel = -1;
	for (float& y : gInfobar.slotY)
		y = INFOBAR_SLOT_EMPTY_Y;
	for (float& offset : gInfobar.counterOffset)
		offset = INFOBAR_COUNTER_START;
	ClearHelpMessage();
	InfobarForgetHelpText();
}

float StepToward(float value, float target, float speed, float dt)
{
	float step = speed * dt;
	if (value < target)
		return std::min(target, value + step);
	return std::max(target, value - step);
}

bool IsLowHealthWarning(float health)
{
	return health > 0.0f && health <= INFOBAR_WARNING_HEALTH;
}

void FlashFuelGauge()
{
	gInfobar.fuelFlashTimer = INFOBAR_FUEL_FLASH_TIME;
}

void UpdateInfobar(float dt)
{
	InfobarState& bar = gInfobar;
	bar.fillPhase += 10.0f * dt;

	bar.lowHealthWarning = IsLowHealthWarning(gRun.health);
	if (bar.lowHealthWarning)
	{
		bar.healthShakePhase += 25.0f * dt;
		if (bar.warningChannel < 0 && IsSoundEffectLoaded(EFFECT_HEALTHWARNING))
			bar.warningChannel = PlayEffect(EFFECT_HEALTHWARNING);
	}
	else
		StopWarning();

	if (gRun.health >= 1.0f)
		bar.healthFrameSpin += 2.0f * dt;
	if (gRun.fuel >= 1.0f)
		bar.fuelFrameSpin -= 2.0f * dt;
	if (gLevel.exitCharge >= 1.0f)
		bar.goalFrameSpin += 2.0f * dt;
	bar.fuelFlashTimer = std::max(0.0f, bar.fuelFlashTimer - dt);

	for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
	{
		const WeaponSlot& slot = gRun.weapons[k];
		float target = INFOBAR_SLOT_EMPTY_Y;
		if (slot.type >= 0 && slot.quantity > 0)
			target = slot.type == gRun.currentWeapon ? INFOBAR_SLOT_SELECTED_Y : INFOBAR_SLOT_CARRIED_Y;
		bar.slotY[k] = StepToward(bar.slotY[k], target, INFOBAR_SLOT_SPEED, dt);
	}

	for (int i = 0; i < NUM_HUMAN_TYPES; i++)
		if (gLevel.humansRescued[i] > 0)
			bar.counterOffset[i] = StepToward(bar.counterOffset[i], 0, INFOBAR_COUNTER_SPEED, dt);
}

//
// Help messages
//

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
	gInfobar.helpAlpha = 0;

	const char* text = GetString(HELP_STRING_BASE + type);
	int need = HelpNeed(type);
	gHelpText = need >= 0 ? GetShortNameForInputNeed(text, need) : text;
}

void ShowInfobarNotice(const char* text, float seconds)
{
	gHelpType = HELP_NOTICE;
	gHelpTime = seconds;
	gInfobar.helpAlpha = 0;
	gHelpText = text;
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
	return gHelpType >= 0 ? std::max(0.0f, gHelpTime) : 0;
}

const char* GetHelpMessageText()
{
	return gHelpType >= 0 ? gHelpText.c_str() : "";
}

void UpdateHelpMessage(float dt)
{
	if (gHelpType < 0)
		return;
	gHelpTime -= dt;
	if (gHelpTime > 0)
		gInfobar.helpAlpha = std::min(HELP_MAX_ALPHA, gInfobar.helpAlpha + dt);
	else
	{
		gInfobar.helpAlpha -= dt;
		if (gInfobar.helpAlpha <= 0)
			ClearHelpMessage();
	}
}

void ClearHelpMessage()
{
	gHelpType = -1;
	gHelpTime = 0;
	gHelpText.clear();
	gInfobar.helpAlpha = 0;
}

void ResetHelpMessageSwitches()
{
	for (bool& off : gHelpSwitchedOff)
		off = false;
}
