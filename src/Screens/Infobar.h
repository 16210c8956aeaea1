// The in-game information bar: the gauges, counters and weapon slots drawn
// over the scene, and the line of contextual help at the bottom.
// The help-message state (which message shows, for how long, which kinds the
// player has switched off) is kept here GL-free so that gameplay code can
// raise and dismiss messages; drawing the bar lands with the front end.
#pragma once

constexpr int NUM_HELP_TYPES = 22;				// help texts are strings 40 … 61
constexpr int HELP_STRING_BASE = 40;

// Help message types the gameplay raises.
enum
{
	HELP_RESCUE_HUMANS = 9,
	HELP_SAUCER_DROP_ZONE = 11,
	HELP_SAUCER_HUMANS = 13,
	HELP_FIRST_DELIVERY = 14,
	HELP_SAUCER_FULL = 15,
	HELP_SAUCER_LANDING = 16,
	HELP_EXIT_NOT_CHARGED = 17,
};

void InitInfobar();
void DrawInfobar();

// Shows help `type` for `seconds`. Nothing when the type is switched off;
// the message already showing only gets its time set again; another message
// showing is replaced only when `replace` is set.
void ShowHelpMessage(int type, float seconds, bool replace);
// The player has shown he knows this help: it is not shown again this game.
void SwitchOffHelp(int type);
bool IsHelpSwitchedOff(int type);
// The message showing (−1: none) and the seconds it has left.
int GetCurrentHelpType();
float GetHelpMessageTimeLeft();
// Runs the message's time down (once per frame during play).
void UpdateHelpMessage(float dt);
void ClearHelpMessage();
// Clears the switched-off kinds (start of a new game).
void ResetHelpMessageSwitches();
