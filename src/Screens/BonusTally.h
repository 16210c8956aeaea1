// The bonus tally after each level: the rescued humans and then the weapons
// left in the inventory are counted into a bonus, which then moves into the
// score in chunks. BonusTally.cpp holds the counting as a GL-free clock that
// tests drive; BonusScreen.cpp shows it and offers to save.
#pragma once

#include "Player/Weapons.h"

#include <cstdint>

constexpr int BONUS_NUM_HUMAN_KINDS = 4;
constexpr int32_t BONUS_PER_HUMAN = 500;				// points per rescued human
constexpr float BONUS_HUMAN_STEP = 0.3f;				// seconds between counted humans
constexpr float BONUS_ITEM_STEP = 0.06f;				// seconds between counted weapon units
constexpr float BONUS_TRANSFER_DELAY = 1.0f;			// seconds before the bonus starts moving
constexpr float BONUS_TRANSFER_STEP = 0.1f;				// seconds between chunks
constexpr int32_t BONUS_WHOLE_CHUNK_MAX = 950;			// a bonus this small moves at once
constexpr int32_t BONUS_CHUNK = 951;					// else this much per step
constexpr float BONUS_END_PAUSE = 2.0f;					// seconds after the bonus is empty
constexpr float BONUS_TEXT_FADE_START = 1.4f;			// into that pause the texts start fading
constexpr float BONUS_FAST_FACTOR = 3.0f;				// with the jump control held

// The tally's screen layout in overlay units (y downward): labels left-aligned
// at BONUS_LABEL_X, numbers right-aligned at BONUS_VALUE_X, on a panel
// BONUS_PANEL_W wide; the title and the lives line centred on it.
constexpr float BONUS_LABEL_X = -190.0f;
constexpr float BONUS_VALUE_X = 190.0f;
constexpr float BONUS_PANEL_Y = -120.0f;
constexpr float BONUS_PANEL_W = 480.0f;
constexpr float BONUS_PANEL_H = 230.0f;
constexpr float BONUS_PANEL_RIM = 20.0f;				// of the panel's width on each side: its frame
constexpr float BONUS_TITLE_SCALE = 1.2f;
constexpr float BONUS_LABEL_SCALE = 0.8f;
constexpr float BONUS_VALUE_SCALE = 0.9f;
constexpr float BONUS_LIVES_SCALE = 0.7f;

// Points for one unit of each weapon type left over (the fist counts nothing).
int32_t BonusValueOfWeapon(int type);
// The points that move to the score in one step.
int32_t BonusTransferChunk(int32_t bonus);

enum BonusPhase
{
	BONUS_PHASE_HUMANS,
	BONUS_PHASE_INVENTORY,
	BONUS_PHASE_TRANSFER,
	BONUS_PHASE_PAUSE,
	BONUS_PHASE_DONE,
};

enum BonusEvent
{
	BONUS_EVENT_NONE,
	BONUS_EVENT_HUMAN,			// a human was counted (humanKind tells which)
	BONUS_EVENT_ITEM,			// a weapon unit was counted (itemType tells which)
	BONUS_EVENT_POINTS,			// a chunk moved to the score
	BONUS_EVENT_EMPTY,			// the bonus is empty: the pause begins
	BONUS_EVENT_DONE,
};

struct BonusTally
{
	int phase;
	int humansLeft[BONUS_NUM_HUMAN_KINDS];
	int humansCounted;
	WeaponSlot inventory[MAX_WEAPON_SLOTS];
	int itemsCounted;
	int32_t bonus;
	int32_t score;
	float timer;				// seconds until the next step of the phase
	float pauseTime;			// seconds into the end pause
	int humanKind;				// of the last BONUS_EVENT_HUMAN
	int itemType;				// of the last BONUS_EVENT_ITEM
};

// `countInventory` false skips the weapons (a run that used the cheats).
void StartBonusTally(BonusTally* tally, const int humans[BONUS_NUM_HUMAN_KINDS], const WeaponSlot inventory[MAX_WEAPON_SLOTS],
					 int32_t score, bool countInventory);
// Advances by dt (three times as fast while `fast`); returns what happened
// (at most one step per call).
BonusEvent StepBonusTally(BonusTally* tally, float dt, bool fast);
