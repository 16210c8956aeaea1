// The in-game information bar: lives, the health, fuel and goal gauges, the
// weapon slots with their counts, the rescue counters, the saucer level's
// beam gauges and the line of contextual help at the bottom, drawn over the
// scene in a 2D layout space scaled by the player's HUD size.
//
// Infobar.cpp keeps the GL-free state (help messages, the gauges' animation,
// the slots' and counters' slide-ins) so gameplay can raise messages and tests
// can step it without a window; InfobarLayout.cpp is the layout maths;
// InfobarDraw.cpp draws; HelpTrigger.cpp is the map item that raises help.
#pragma once

#include "System/Prefs.h"

#include <cstdint>

struct ObjNode;
struct TerrainItemEntryType;

constexpr int NUM_HELP_TYPES = 22;				// help texts are strings 40 … 61
constexpr int HELP_STRING_BASE = 40;

// Help message types the gameplay raises.
enum
{
	HELP_NEED_FUEL = 4,			// shown instead of a jump-jet help while the robot has no fuel
	HELP_JUMP_JET = 2,
	HELP_RESCUE_HUMANS = 9,
	HELP_SAUCER_DROP_ZONE = 11,
	HELP_SAUCER_HUMANS = 13,
	HELP_FIRST_DELIVERY = 14,
	HELP_SAUCER_FULL = 15,
	HELP_SAUCER_LANDING = 16,
	HELP_EXIT_NOT_CHARGED = 17,
	HELP_GOO = 18,				// near burst goo, and when the robot grabs it
	HELP_NOTICE = NUM_HELP_TYPES,	// not a help type: a notice of the game's own (ShowInfobarNotice)
};

//
// Tunables
//

constexpr float INFOBAR_WARNING_HEALTH = 0.2f;		// at or below (and above 0) the gauge shakes and beeps
constexpr float INFOBAR_SLOT_SPEED = 225.0f;		// weapon slot slide, layout units per second
constexpr float INFOBAR_COUNTER_SPEED = 150.0f;		// rescue counter slide-in, layout units per second
constexpr float INFOBAR_COUNTER_START = 37.5f;		// rescue counters start this far out
constexpr float INFOBAR_SLOT_SELECTED_Y = 0.0f;		// weapon slots' y: selected, carried, empty (out of view)
constexpr float INFOBAR_SLOT_CARRIED_Y = -30.0f;
constexpr float INFOBAR_SLOT_EMPTY_Y = -80.0f;
constexpr float INFOBAR_FUEL_FLASH_TIME = 0.5f;		// seconds the fuel gauge shakes after a jet without fuel
constexpr float HELP_MAX_ALPHA = 0.99f;
constexpr float HELP_TRIGGER_RANGE = 500.0f;		// units (fast distance) from a help trigger
constexpr float HELP_TRIGGER_SECONDS = 1.0f;

// HUD size preference 0 … 7 → factor.
extern const float kHudScales[NUM_HUD_SCALES];

// Where the bar lies: layout space is width × height (the logical screen
// divided by the HUD scale); elements keep between left and right.
struct InfobarLayout
{
	float scale;
	float width, height;
	float left, right;
	bool countersAtBottom;			// the 4:3 area leaves no room at the side
};

// `screenAspect` is the window's width ÷ height. A HUD size out of range
// counts as the default.
InfobarLayout CalcInfobarLayout(float logicalWidth, float screenAspect, int hudScale, bool within4x3);

// Slot k's left edge (slots run left to right from left + 143, 70 apart).
float InfobarWeaponSlotX(const InfobarLayout& layout, int slot);
// Whether the corner ornament shows: no filled slot reaches past right − 107.
bool InfobarCornerOrnamentShows(const InfobarLayout& layout, const int16_t slotTypes[], int numSlots);

//
// State, stepped once per drawn frame (Infobar.cpp)
//

struct InfobarState
{
	float fillPhase;				// the fills' pulse
	float healthShakePhase;
	float healthFrameSpin, fuelFrameSpin, goalFrameSpin;
	float fuelFlashTimer;
	float slotY[8];
	float counterOffset[4];
	bool lowHealthWarning;			// the gauge shakes and the warning loops
	int16_t warningChannel;
	float helpAlpha;
};
extern InfobarState gInfobar;

void InitInfobar();
// Advances the gauges, the slots and counters and the help line by dt.
void UpdateInfobar(float dt);
void DrawInfobar();
// The help line's text node went with the level's objects (level start).
void InfobarForgetHelpText();
// Lets the caption of a level shown for watching go (its end, level start).
void InfobarForgetCaption();

// The robot tried a jump jet without fuel: the fuel gauge shakes.
void FlashFuelGauge();
bool IsLowHealthWarning(float health);
// One slide step of a slot or counter toward `target`.
float StepToward(float value, float target, float speed, float dt);

//
// Help messages
//

// Shows help `type` for `seconds`. Nothing when the type is switched off;
// the message already showing only gets its time set again; another message
// showing is replaced only when `replace` is set.
void ShowHelpMessage(int type, float seconds, bool replace);
// A short notice on the help line, whatever is showing (it cannot be switched
// off; help that does not replace waits until it has faded).
void ShowInfobarNotice(const char* text, float seconds);
// The player has shown he knows this help: it is not shown again this game.
void SwitchOffHelp(int type);
bool IsHelpSwitchedOff(int type);
// The message showing (−1: none) and the seconds it has left.
int GetCurrentHelpType();
float GetHelpMessageTimeLeft();
// Runs the message's time down; once it has run out its alpha falls and the
// message goes at 0 (once per frame during play).
void UpdateHelpMessage(float dt);
void ClearHelpMessage();
// Clears the switched-off kinds (start of a new game).
void ResetHelpMessageSwitches();
// The message's text with its control names filled in (empty: none showing).
const char* GetHelpMessageText();

// Map item 56: an invisible node that shows help parm[0] (0 … 21) while the
// robot is near. A type out of range stops with a message naming the item.
bool AddHelpTrigger(TerrainItemEntryType* item, float x, float z);
