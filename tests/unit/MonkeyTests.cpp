// The soak's random player: the same seed makes the same presses, it goes into
// the menus and comes back, and what it holds is always something a pad could.
#include "Automation/Monkey.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
	std::vector<VirtualInputFrame> Play(uint32_t seed, int frames)
	{
		MonkeyState monkey;
		Monkey_Start(&monkey, seed);
		std::vector<VirtualInputFrame> out(static_cast<size_t>(frames));
		for (VirtualInputFrame& f : out)
			Monkey_Step(&monkey, &f);
		return out;
	}

	bool Holds(const VirtualInputFrame& f, int need) { return (f.needsHeld >> need) & 1; }

	TEST(Monkey, OneSeedOneRunOfPresses)
	{
		std::vector<VirtualInputFrame> a = Play(7, 3000), b = Play(7, 3000), c = Play(8, 3000);
		bool sameAsOther = true;
		for (size_t i = 0; i < a.size(); i++)
		{
			ASSERT_EQ(a[i].needsHeld, b[i].needsHeld) << "frame " << i;
			ASSERT_EQ(a[i].steering.x, b[i].steering.x);
			sameAsOther = sameAsOther && a[i].needsHeld == c[i].needsHeld;
		}
		EXPECT_FALSE(sameAsOther) << "another seed, other presses";
	}

	TEST(Monkey, PlaysPausesWandersTheMenusAndComesBack)
	{
		std::vector<VirtualInputFrame> run = Play(31, 20000);
		std::vector<size_t> pauses;
		int confirms = 0, jumps = 0, shots = 0;
		for (size_t i = 0; i < run.size(); i++)
		{
			const VirtualInputFrame& f = run[i];
			bool before = i > 0 && Holds(run[i - 1], NEED_PAUSE);
			if (Holds(f, NEED_PAUSE) && !before)
				pauses.push_back(i);
			confirms += Holds(f, NEED_UI_CONFIRM) && !(i > 0 && Holds(run[i - 1], NEED_UI_CONFIRM));
			jumps += Holds(f, NEED_JUMP);
			shots += Holds(f, NEED_SHOOT);
			EXPECT_LE(std::fabs(f.steering.x), 1.0f);
			EXPECT_LE(std::fabs(f.steering.y), 1.0f);
			EXPECT_LE(std::fabs(f.cameraSwivel), 1.0f);
			EXPECT_EQ(f.needsHeld >> NUM_CONTROL_NEEDS, 0u) << "only needs that exist";
		}
		// Into the menus and out again, each a press of its own, after a
		// stay of MONKEY_MENU_FRAMES_MIN .. MONKEY_MENU_FRAMES_MAX frames.
		ASSERT_GE(pauses.size(), 4u);
		for (size_t k = 0; k + 1 < pauses.size(); k += 2)
		{
			EXPECT_GE(pauses[k + 1] - pauses[k], size_t(MONKEY_MENU_FRAMES_MIN)) << "trip " << k / 2;
			EXPECT_LE(pauses[k + 1] - pauses[k], size_t(MONKEY_MENU_FRAMES_MAX + 1)) << "trip " << k / 2;
		}
		EXPECT_GT(confirms, 0);
		EXPECT_GT(jumps, 0);
		EXPECT_GT(shots, 0);
	}
}
