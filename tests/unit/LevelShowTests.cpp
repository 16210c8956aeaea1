// Levels shown for watching: the attract mode's idle clock and its levels in
// turn, when a show ends; the replay shelf's names, its bound and its refusal
// of a damaged file while the others stay listed.
#include "System/LevelShow.h"
#include "System/RecordingFormat.h"
#include "System/Replays.h"
#include "System/SavedGame.h"
#include "Screens/FrontEndHooks.h"
#include "Screens/Menu.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace
{
	constexpr float MENU_FRAME_SECONDS = 1.0f / 30;		// seconds: the test runs' fixed step

	// Frames of menu without input until the timer fires (0: never in `limit` frames).
	int FramesUntilDemo(AttractTimer* timer, int limit)
	{
		for (int frame = 1; frame <= limit; frame++)
			if (AttractTimerTick(timer, MENU_FRAME_SECONDS, false))
				return frame;
		return 0;
	}
}

TEST(AttractMode, ADemoStartsAfterTheIdleTimeAndAnyInputStartsTheClockAgain)
{
	AttractTimer timer;
	const int idleFrames = int(std::lround(ATTRACT_IDLE_SECONDS / MENU_FRAME_SECONDS));
	const int fired = FramesUntilDemo(&timer, idleFrames + 2);
	EXPECT_GE(fired, idleFrames - 1);
	EXPECT_LE(fired, idleFrames + 1);
	EXPECT_EQ(timer.idleSeconds, 0) << "the clock starts again for the next demo";

	// Input just before the time is up: the full wait again from there.
	for (int i = 0; i < idleFrames - 10; i++)
		ASSERT_FALSE(AttractTimerTick(&timer, MENU_FRAME_SECONDS, false));
	EXPECT_FALSE(AttractTimerTick(&timer, MENU_FRAME_SECONDS, true));
	EXPECT_GE(FramesUntilDemo(&timer, idleFrames + 2), idleFrames - 1);

	// Input held the whole time: never a demo.
	for (int i = 0; i < 3 * idleFrames; i++)
		ASSERT_FALSE(AttractTimerTick(&timer, MENU_FRAME_SECONDS, true));
}

TEST(AttractMode, DemosTakeEveryLevelInTurn)
{
	AttractTimer timer;
	std::vector<int> levels;
	for (int i = 0; i < 12; i++)
		levels.push_back(AttractTakeNextLevel(&timer, 10));
	EXPECT_EQ(levels, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
	timer.nextLevel = 42;		// whatever it holds, the next one is a level
	EXPECT_EQ(AttractTakeNextLevel(&timer, 10), 0);
}

TEST(AttractMode, APressEndsAShowAtOnceAndItsClockOrInputEndIt)
{
	LevelShow show;
	show.active = true;
	show.maxSeconds = ATTRACT_DEMO_SECONDS;
	show.seconds = 1;
	EXPECT_EQ(JudgeLevelShow(show, false), LEVEL_SHOW_GOES_ON);
	EXPECT_EQ(JudgeLevelShow(show, true), LEVEL_SHOW_PERSON_PRESSED);
	show.seconds = ATTRACT_DEMO_SECONDS;
	EXPECT_EQ(JudgeLevelShow(show, false), LEVEL_SHOW_TIME_UP);
	EXPECT_EQ(JudgeLevelShow(show, true), LEVEL_SHOW_PERSON_PRESSED) << "the press wins";

	// A replay has no clock: it plays to its end.
	LevelShow replay;
	replay.active = true;
	replay.seconds = 1e5f;
	EXPECT_EQ(JudgeLevelShow(replay, false), LEVEL_SHOW_GOES_ON);
	replay.inputRanOut = true;
	EXPECT_EQ(JudgeLevelShow(replay, false), LEVEL_SHOW_INPUT_RAN_OUT);
}

namespace
{
	constexpr int64_t SHELF_DAY_ONE = 1'765'000'000;		// seconds since 1970: December 2025

	ReplayEntry ShelfEntry(int level, int64_t playedAt, int tenths)
	{
		ReplayEntry entry;
		EXPECT_TRUE(ParseReplayFileName(MakeReplayFileName(level, playedAt, tenths), &entry));
		return entry;
	}

	// A short finished level as the keeper makes it.
	InputRecording KeptLevelRun(int level, float seconds)
	{
		InputRecording r;
		r.levelRun = true;
		r.startStep = 1.0f / 30;
		r.level = level;
		r.endsAt = RECORDING_ENDS_AT_FRAME;
		r.randomState[0] = 7;
		r.playSeconds = seconds;
		SavedGameRecord run = {};
		run.version = SAVED_GAME_VERSION_WEAPONS;
		run.level = RECORDING_LEVEL_RUN_SAVED_LEVEL;
		run.lives = 3;
		run.health = 1;
		run.hasWeapons = true;
		run.currentWeapon = -1;
		for (WeaponSlot& slot : run.weapons)
			slot = {-1, 0};
		EncodeSavedGameFile(run, r.runImage.data());
		for (int i = 0; i < 30; i++)
		{
			r.frames.push_back({});
			r.frameTimes.push_back(1.0f / 60);
		}
		return r;
	}
}

TEST(ReplayShelf, NamesCarryLevelDateAndTimeAndOtherFilesAreNotReplays)
{
	const std::string name = MakeReplayFileName(3, SHELF_DAY_ONE + 3661, 1234);
	ReplayEntry entry;
	ASSERT_TRUE(ParseReplayFileName(name, &entry)) << name;
	EXPECT_EQ(entry.level, 3);
	EXPECT_EQ(entry.playedAt, SHELF_DAY_ONE + 3661);
	EXPECT_EQ(entry.tenths, 1234);
	for (const std::string& other : {std::string("Preferences6"), name + ".tmp", "x" + name, std::string("level3-.zreplay"),
			MakeReplayFileName(3, SHELF_DAY_ONE, 5).replace(0, 6, "level12"), std::string("level3-20251399-000000-5.zreplay")})
		EXPECT_FALSE(ParseReplayFileName(other, &entry)) << other;
}

TEST(ReplayShelf, EachLevelKeepsItsNewestFewAndItsFastestAndTheShelfStaysBounded)
{
	// Level 2 run six times, the second the fastest; level 5 twice.
	std::vector<ReplayEntry> shelf;
	const int times[] = {900, 500, 800, 700, 950, 990};
	for (int i = 0; i < 6; i++)
		shelf.push_back(ShelfEntry(2, SHELF_DAY_ONE + i * 100, times[i]));
	shelf.push_back(ShelfEntry(5, SHELF_DAY_ONE, 300));
	shelf.push_back(ShelfEntry(5, SHELF_DAY_ONE + 50, 200));
	std::vector<std::string> dropped = ReplaysToDrop(shelf);
	std::sort(dropped.begin(), dropped.end());
	std::vector<std::string> expected = {shelf[0].fileName, shelf[2].fileName};	// not the fastest, not among the three newest
	std::sort(expected.begin(), expected.end());
	EXPECT_EQ(dropped, expected);

	// The list: by level, newest first, each level's fastest marked.
	SortReplayShelf(&shelf);
	EXPECT_EQ(shelf.front().level, 2);
	EXPECT_EQ(shelf.front().tenths, 990);
	EXPECT_EQ(std::count_if(shelf.begin(), shelf.end(), [](const ReplayEntry& e) { return e.best; }), 2);
	EXPECT_TRUE(std::find_if(shelf.begin(), shelf.end(), [](const ReplayEntry& e) { return e.best; })->tenths == 500);

	// However many runs are kept, the shelf never holds more than the bound,
	// and each level's fastest run ever is on it.
	std::vector<ReplayEntry> kept;
	std::map<int, int> fastest;
	uint32_t random = 12345;
	for (int run = 0; run < 500; run++)
	{
		random = random * 1664525u + 1013904223u;
		const int level = int(random >> 8) % REPLAYS_NUM_LEVELS, tenths = 100 + int(random >> 4) % 5000;
		kept.push_back(ShelfEntry(level, SHELF_DAY_ONE + run, tenths));
		fastest[level] = fastest.count(level) ? std::min(fastest[level], tenths) : tenths;
		std::set<std::string> drop;
		for (const std::string& name : ReplaysToDrop(kept))
			drop.insert(name);
		std::erase_if(kept, [&](const ReplayEntry& e) { return drop.count(e.fileName) != 0; });
		ASSERT_LE(int(kept.size()), REPLAYS_MAX_FILES);
	}
	for (const auto& best : fastest)		// not a structured binding: a lambda cannot capture one before C++20's fix in clang 16
		EXPECT_TRUE(std::any_of(kept.begin(), kept.end(),
				[&](const ReplayEntry& e) { return e.level == best.first && e.tenths == best.second; })) << "level " << best.first;
}

TEST(ReplayShelf, ADamagedReplayIsRefusedNamingItAndTheOthersStayListedAndPlayable)
{
	FilesTestSupport::TempDir dir;
	const std::string folder = dir.path.string();
	std::string error;
	ASSERT_TRUE(KeepReplay(folder, KeptLevelRun(1, 61.25f), SHELF_DAY_ONE, &error)) << error;
	ASSERT_TRUE(KeepReplay(folder, KeptLevelRun(4, 12.0f), SHELF_DAY_ONE + 10, &error)) << error;
	ASSERT_TRUE(KeepReplay(folder, KeptLevelRun(4, 15.0f), SHELF_DAY_ONE + 20, &error)) << error;
	std::ofstream(dir / "notes.txt") << "not a replay";

	std::vector<ReplayEntry> shelf = ListReplays(folder);
	ASSERT_EQ(shelf.size(), 3u);
	EXPECT_EQ(shelf[0].level, 1);
	EXPECT_EQ(shelf[0].tenths, 613);

	// Damage the newest of level 4 on disk.
	const fs::path damaged = dir / shelf[1].fileName;
	const auto sizeBefore = fs::file_size(damaged);
	fs::resize_file(damaged, sizeBefore - 7);
	EXPECT_FALSE(LoadKeptReplay(damaged.string(), &error));
	EXPECT_NE(error.find(shelf[1].fileName), std::string::npos) << error;
	EXPECT_NE(error.find("truncated"), std::string::npos) << error;
	EXPECT_EQ(fs::file_size(damaged), sizeBefore - 7) << "the player's file is left as it is";

	// Still listed, the others still load, and the screen shows the notice over the whole list.
	shelf = ListReplays(folder);
	ASSERT_EQ(shelf.size(), 3u);
	EXPECT_TRUE(LoadKeptReplay((dir / shelf[0].fileName).string(), &error)) << error;
	EXPECT_TRUE(LoadKeptReplay((dir / shelf[2].fileName).string(), &error)) << error;
	BuildReplaysMenu(shelf, shelf[1].fileName + ": truncated");
	int notices = 0, levels = 0, runs = 0;
	for (const MenuItem* row = ReplaysMenu(); row->kind != MENU_ITEM_END; row++)
	{
		notices += row->kind == MENU_ITEM_LABEL;
		if (row->kind == MENU_ITEM_PICK)
		{
			levels++;
			for (const MenuItem* sub = ReplaysLevelMenu(row->pick); sub->kind != MENU_ITEM_END; sub++)
				runs += sub->kind == MENU_ITEM_PICK;
		}
	}
	EXPECT_EQ(notices, 2) << "what went wrong, and with which file";
	EXPECT_EQ(levels, 2);
	EXPECT_EQ(runs, 3);

	// A test run's recording dropped in the folder under a replay's name is refused too.
	InputRecording testRun;
	testRun.level = 2;
	const fs::path foreign = dir / MakeReplayFileName(2, SHELF_DAY_ONE, 10);
	ASSERT_TRUE(WriteRecordingFile(foreign.string(), testRun, &error)) << error;
	EXPECT_FALSE(LoadKeptReplay(foreign.string(), &error));
	EXPECT_NE(error.find("not a level's replay"), std::string::npos) << error;
}
