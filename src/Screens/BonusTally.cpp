// The bonus tally's counting and its transfer into the score.
#include "Screens/BonusTally.h"

#include <cstring>

int32_t BonusValueOfWeapon(int type)
{
	switch (type)
	{
		case WEAPON_STUNGUN:		return 20;
		case WEAPON_FREEZEGUN:		return 30;
		case WEAPON_ARCSHOT:			return 30;
		case WEAPON_GROWTH:		return 250;
		case WEAPON_FLARE:			return 25;
		case WEAPON_NOVA:		return 150;
		case WEAPON_DART:			return 20;
		default:						return 0;		// the fist and anything not carried
	}
}

int32_t BonusTransferChunk(int32_t bonus)
{
	return bonus <= BONUS_WHOLE_CHUNK_MAX ? bonus : BONUS_CHUNK;
}

void StartBonusTally(BonusTally* t, const int humans[BONUS_NUM_HUMAN_KINDS], const WeaponSlot inventory[MAX_WEAPON_SLOTS],
					 int32_t score, bool countInventory)
{
	*t = {};
	for (int i = 0; i < BONUS_NUM_HUMAN_KINDS; i++)
		t->humansLeft[i] = humans[i] > 0 ? humans[i] : 0;
	for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
	{
		t->inventory[k] = inventory[k];
		if (!countInventory || BonusValueOfWeapon(inventory[k].type) == 0 || inventory[k].quantity < 0)
			t->inventory[k] = {-1, 0};
	}
	t->score = score;
	t->phase = BONUS_PHASE_HUMANS;
	t->timer = BONUS_HUMAN_STEP;
}

namespace
{
	bool TakeHuman(BonusTally* t)
	{
		for (int i = 0; i < BONUS_NUM_HUMAN_KINDS; i++)
			if (t->humansLeft[i] > 0)
			{
				t->humansLeft[i]--;
				t->humansCounted++;
				t->humanKind = i;
				t->bonus += BONUS_PER_HUMAN;
				return true;
			}
		return false;
	}

	bool TakeItem(BonusTally* t)
	{
		for (WeaponSlot& slot : t->inventory)
			if (slot.type >= 0 && slot.quantity > 0)
			{
				slot.quantity--;
				t->itemsCounted++;
				t->itemType = slot.type;
				t->bonus += BonusValueOfWeapon(slot.type);
				return true;
			}
		return false;
	}
}

BonusEvent StepBonusTally(BonusTally* t, float dt, bool fast)
{
	if (fast)
		dt *= BONUS_FAST_FACTOR;

	switch (t->phase)
	{
		case BONUS_PHASE_HUMANS:
			t->timer -= dt;
			if (t->timer > 0)
				return BONUS_EVENT_NONE;
			if (TakeHuman(t))
			{
				t->timer += BONUS_HUMAN_STEP;
				return BONUS_EVENT_HUMAN;
			}
			t->phase = BONUS_PHASE_INVENTORY;
			t->timer = BONUS_ITEM_STEP;
			return BONUS_EVENT_NONE;

		case BONUS_PHASE_INVENTORY:
			t->timer -= dt;
			if (t->timer > 0)
				return BONUS_EVENT_NONE;
			if (TakeItem(t))
			{
				t->timer += BONUS_ITEM_STEP;
				return BONUS_EVENT_ITEM;
			}
			t->phase = BONUS_PHASE_TRANSFER;
			t->timer = BONUS_TRANSFER_DELAY;
			return BONUS_EVENT_NONE;

		case BONUS_PHASE_TRANSFER:
		{
			if (t->bonus <= 0)
			{
				t->phase = BONUS_PHASE_PAUSE;
				t->pauseTime = 0;
				return BONUS_EVENT_EMPTY;
			}
			t->timer -= dt;
			if (t->timer > 0)
				return BONUS_EVENT_NONE;
			int32_t chunk = BonusTransferChunk(t->bonus);
			t->bonus -= chunk;
			t->score += chunk;
			t->timer += BONUS_TRANSFER_STEP;
			return BONUS_EVENT_POINTS;
		}

		case BONUS_PHASE_PAUSE:
			t->pauseTime += dt;
			if (t->pauseTime < BONUS_END_PAUSE)
				return BONUS_EVENT_NONE;
			t->phase = BONUS_PHASE_DONE;
			return BONUS_EVENT_DONE;

		default:
			return BONUS_EVENT_NONE;
	}
}
