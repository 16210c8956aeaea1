// The autopilot in the ruined city: which weapon it holds against the city's
// creatures and how it gets it to hand, and the city route that walks over
// the checkpoint before the gunmen's street.
#include "Autopilot/AutopilotCity.h"
#include "Player/Weapons.h"
#include "worlds/WorldPlacing.h"
#include "System/LevelTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
	// An inventory of the given (type, quantity) slots, the rest empty.
	struct Inventory
	{
		WeaponSlot slots[MAX_WEAPON_SLOTS];
		Inventory(std::initializer_list<WeaponSlot> filled)
		{
			for (WeaponSlot& s : slots)
				s = {-1, 0};
			int i = 0;
			for (const WeaponSlot& s : filled)
				slots[i++] = s;
		}
	};
}

TEST(AutopilotCityWeapons, AGunThatHurtsTheCityCreaturesIsWantedOnlyWithOneNearAndTheFistOtherwise)
{
	// The freeze gun does nothing to mutants: a stun gun behind it is still chosen.
	Inventory stun({{WEAPON_FIST, 99}, {WEAPON_FREEZEGUN, 15}, {WEAPON_STUNGUN, 4}});
	EXPECT_EQ(CityWeaponWanted(stun.slots, true), WEAPON_STUNGUN);
	EXPECT_EQ(CityWeaponWanted(stun.slots, false), WEAPON_FIST);		// brain aliens: punched

	Inventory arc({{WEAPON_FIST, 99}, {WEAPON_ARCSHOT, 3}, {WEAPON_FREEZEGUN, 15}});
	EXPECT_EQ(CityWeaponWanted(arc.slots, true), WEAPON_ARCSHOT);

	// A stun gun shot empty (quantity 0) or only useless guns: the fist.
	Inventory spent({{WEAPON_FIST, 99}, {WEAPON_STUNGUN, 0}, {WEAPON_FREEZEGUN, 15}, {WEAPON_DART, 5}});
	EXPECT_EQ(CityWeaponWanted(spent.slots, true), WEAPON_FIST);
}

TEST(AutopilotCityWeapons, TheChangeGoesTheWayWithFewerPressesOverEmptySlots)
{
	// Slots: fist, freeze, (empty), darts, stun.
	Inventory inv({{WEAPON_FIST, 99}, {WEAPON_FREEZEGUN, 15}, {WEAPON_STUNGUN, 0}, {WEAPON_DART, 5}, {WEAPON_STUNGUN, 7}});
	// From the fist to the stun gun: back over the wrap is one press, forward three.
	EXPECT_EQ(WeaponChangeToward(inv.slots, WEAPON_FIST, WEAPON_STUNGUN), -1);
	// From the freeze gun: forward two (darts, stun) against back two (fist, stun): forward.
	EXPECT_EQ(WeaponChangeToward(inv.slots, WEAPON_FREEZEGUN, WEAPON_STUNGUN), +1);
	// From the darts to the fist: back two (freeze, fist) against forward two (stun, fist): forward.
	EXPECT_EQ(WeaponChangeToward(inv.slots, WEAPON_DART, WEAPON_FIST), +1);
	EXPECT_EQ(WeaponChangeToward(inv.slots, WEAPON_STUNGUN, WEAPON_DART), -1);
	// Nothing to press: in hand already, or not carried at all.
	EXPECT_EQ(WeaponChangeToward(inv.slots, WEAPON_STUNGUN, WEAPON_STUNGUN), 0);
	EXPECT_EQ(WeaponChangeToward(inv.slots, WEAPON_FIST, WEAPON_ARCSHOT), 0);
	// The hand between weapons (one just ran out): a press settles it.
	EXPECT_NE(WeaponChangeToward(inv.slots, -1, WEAPON_FIST), 0);
}

TEST(AutopilotCityRoute, TheWayRunsStraightOverTheCheckpointBeforeTheSecondStreet)
{
	using namespace TerrainBake;
	using namespace TerrainBake::Worlds;
	const WorldDesign d = MakeWorldDesign(LEVEL_NUM_APOCALYPSE);
	const FileItem* post = nullptr;
	for (const FileItem& i : d.items)
		if (i.type == ITEM_CHECKPOINT && i.parm[0] == 2)
			post = &i;
	ASSERT_NE(post, nullptr);
	const float px = float(post->x) * MAP_TO_UNIT, pz = float(post->z) * MAP_TO_UNIT;

	// Some leg passes right over the post (a robot's body and the post's
	// touch well within this) with a long straight run-up to it and room past
	// it, so a goal reached short of the post still leaves it in the way.
	bool over = false;
	for (size_t g = 1; g < d.route.size(); g++)
	{
		const RouteGoal& a = d.route[g - 1];
		const RouteGoal& b = d.route[g];
		if (!kRouteVerbs[a.verb].hasPlace || !kRouteVerbs[b.verb].hasPlace)
			continue;
		const float lx = b.x - a.x, lz = b.z - a.z, length = std::hypot(lx, lz);
		const float along = ((px - a.x) * lx + (pz - a.z) * lz) / length;
		const float off = std::fabs((px - a.x) * lz - (pz - a.z) * lx) / length;
		if (off < 40 && along > 800 && length - along > 300)
			over = true;
	}
	EXPECT_TRUE(over) << "checkpoint 2 at " << px << ", " << pz;

	// And the post comes before the way turns up the second street (its last goto before the charge).
	size_t charge = 0;
	while (charge < d.route.size() && d.route[charge].verb != ROUTE_CHARGE)
		charge++;
	ASSERT_GE(charge, 2u);
	const RouteGoal& street = d.route[charge - 1];
	EXPECT_GT(std::hypot(street.x - px, street.z - pz), 10000.0f);
}
