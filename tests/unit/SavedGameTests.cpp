// Saved games: the 32-byte big-endian record, its checks, and the slot files.
#include "System/SavedGame.h"
#include "System/Strings.h"
#include "System/Game.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "AtomicWrite.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <random>

using namespace FilesTestSupport;

namespace
{
	std::vector<uint8_t> Encode(const SavedGameRecord& record)
	{
		std::vector<uint8_t> bytes(SAVED_GAME_SIZE);
		EncodeSavedGame(record, bytes.data());
		return bytes;
	}

	SavedGameRecord Sample()
	{
		// Saved after finishing level index 2.
		return MakeSavedGameRecord({123456, 2, 3, 0.75f, 0.5f}, 0x0102030405060708LL);
	}

	TEST(SavedGameRecordTest, BigEndianLayout)
	{
		std::vector<uint8_t> bytes = Encode(Sample());
		const uint8_t expected[SAVED_GAME_SIZE] = {
			0x00, 0x00, 0x02, 0x00,		// version
			0x00, 0x01, 0xE2, 0x40,		// score 123456
			0x00, 0x03,					// the level to resume at: index 3
			0x00, 0x03,					// lives
			0x3F, 0x40, 0x00, 0x00,		// health 0.75
			0x3F, 0x00, 0x00, 0x00,		// fuel 0.5
			0x00, 0x00, 0x00, 0x00,		// reserved
			0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
		};
		EXPECT_EQ(memcmp(bytes.data(), expected, SAVED_GAME_SIZE), 0);

		SavedGameRecord back;
		ASSERT_EQ(DecodeSavedGame(bytes.data(), bytes.size(), &back), SAVED_GAME_OK);
		EXPECT_EQ(back.score, 123456);
		EXPECT_EQ(back.level, 3);
		EXPECT_EQ(back.lives, 3);
		EXPECT_EQ(back.health, 0.75f);
		EXPECT_EQ(back.fuel, 0.5f);
		EXPECT_EQ(back.savedAt, 0x0102030405060708LL);
	}

	TEST(SavedGameRecordTest, LevelFieldHoldsTheNextLevel)
	{
		SavedGameRecord record = Sample();
		EXPECT_EQ(record.level, 3);
		EXPECT_EQ(SavedGameResumeState(record).currentLevel, 3) << "loading resumes at level index 3";

		std::string table;
		for (int i = 0; i < NUM_NAMED_STRING_ROWS; i++)
			table += (i == STR_SLOT_LEVEL ? "Level" : i >= STR_MONTH_FIRST && i < STR_MONTH_FIRST + 12 ? "M" + std::to_string(i - STR_MONTH_FIRST) : std::string("x")) + "\n";
		LoadLocalizedStringsFromMemory(table.data(), table.size(), 0);

		std::tm when = {};
		when.tm_year = 2024 - 1900;
		when.tm_mon = 2;
		when.tm_mday = 14;
		when.tm_hour = 12;
		when.tm_isdst = -1;
		record.savedAt = int64_t(mktime(&when));
		char label[128];
		FormatSavedGameLabel(record, label, sizeof(label));
		EXPECT_STREQ(label, "Level 4\t14 M2 2024") << "the label counts levels from 1";

		// A time that can't be a calendar date is left out rather than trusted.
		record.savedAt = std::numeric_limits<int64_t>::max();
		FormatSavedGameLabel(record, label, sizeof(label));
		EXPECT_STREQ(label, "Level 4");
		DisposeLocalizedStrings();
	}

	TEST(SavedGameRecordTest, RefusesRecordsThatCantBeResumed)
	{
		struct Case { const char* what; void (*spoil)(SavedGameRecord&); SavedGameDecodeResult result; };
		const Case cases[] = {
			{"version", [](SavedGameRecord& r) { r.version = 0x201; }, SAVED_GAME_BAD_VERSION},
			{"level 0", [](SavedGameRecord& r) { r.level = 0; }, SAVED_GAME_BAD_LEVEL},
			{"level 10", [](SavedGameRecord& r) { r.level = NUM_LEVELS; }, SAVED_GAME_BAD_LEVEL},
			{"level -1", [](SavedGameRecord& r) { r.level = -1; }, SAVED_GAME_BAD_LEVEL},
			{"lives", [](SavedGameRecord& r) { r.lives = -1; }, SAVED_GAME_BAD_LIVES},
			{"lives 256", [](SavedGameRecord& r) { r.lives = 256; }, SAVED_GAME_BAD_LIVES},
			{"score", [](SavedGameRecord& r) { r.score = -5; }, SAVED_GAME_BAD_SCORE},
			{"health NaN", [](SavedGameRecord& r) { r.health = std::nanf(""); }, SAVED_GAME_BAD_HEALTH},
			{"health 2", [](SavedGameRecord& r) { r.health = 2; }, SAVED_GAME_BAD_HEALTH},
			{"fuel inf", [](SavedGameRecord& r) { r.fuel = INFINITY; }, SAVED_GAME_BAD_FUEL},
			{"fuel -0.5", [](SavedGameRecord& r) { r.fuel = -0.5f; }, SAVED_GAME_BAD_FUEL},
		};
		for (const Case& c : cases)
		{
			SavedGameRecord record = Sample();
			c.spoil(record);
			std::vector<uint8_t> bytes = Encode(record);
			SavedGameRecord out = {};
			EXPECT_EQ(DecodeSavedGame(bytes.data(), bytes.size(), &out), c.result) << c.what;
			EXPECT_EQ(out.version, 0) << c.what << ": the record is only filled on success";
		}

		// The first and last levels that can be saved into are fine.
		for (int level : {1, NUM_LEVELS - 1})
		{
			SavedGameRecord record = Sample();
			record.level = int16_t(level);
			std::vector<uint8_t> bytes = Encode(record);
			SavedGameRecord out;
			EXPECT_EQ(DecodeSavedGame(bytes.data(), bytes.size(), &out), SAVED_GAME_OK) << level;
		}

		std::vector<uint8_t> bytes = Encode(Sample());
		SavedGameRecord out;
		EXPECT_EQ(DecodeSavedGame(bytes.data(), 31, &out), SAVED_GAME_WRONG_SIZE);
		bytes.push_back(0);
		EXPECT_EQ(DecodeSavedGame(bytes.data(), bytes.size(), &out), SAVED_GAME_WRONG_SIZE);
	}

	// Whatever the bytes, a record that decodes is one the game can resume.
	TEST(SavedGameRecordTest, AnyAcceptedBytesAreInRange)
	{
		std::mt19937 random(99);
		std::vector<uint8_t> good = Encode(Sample());
		int accepted = 0;
		for (int round = 0; round < 5000; round++)
		{
			std::vector<uint8_t> bytes = good;
			for (int flips = 1 + int(random() % 4); flips > 0; flips--)
				bytes[random() % SAVED_GAME_SIZE] = uint8_t(random());
			SavedGameRecord r;
			if (DecodeSavedGame(bytes.data(), bytes.size(), &r) != SAVED_GAME_OK)
				continue;
			accepted++;
			ASSERT_GE(r.level, 1);
			ASSERT_LT(r.level, NUM_LEVELS);
			ASSERT_GE(r.lives, 0);
			ASSERT_GE(r.score, 0);
			ASSERT_TRUE(std::isfinite(r.health) && r.health >= 0 && r.health <= 1);
			ASSERT_TRUE(std::isfinite(r.fuel) && r.fuel >= 0 && r.fuel <= 1);
		}
		EXPECT_GT(accepted, 0);
	}

	// Saving and loading slots in a private preferences folder.
	class SavedGameFileTest : public ::testing::Test
	{
	protected:
		TempDir home;
		std::string oldDataHome;
		RunState savedRun;
		int savedLevel = 0;

		void SetUp() override
		{
			savedRun = gRun;
			savedLevel = gCurrentLevel;
			const char* old = getenv("XDG_DATA_HOME");
			oldDataHome = old ? old : "";
			setenv("XDG_DATA_HOME", home.path.c_str(), 1);
			Tamber::Files::Init();
			SetGame(5000, 4, 2, 0.5f, 0.25f);
		}

		void TearDown() override
		{
			TakeLoadedWeaponInventory();		// no loaded weapons wait for the next test
			InitWeaponInventory();
			Tamber::Files::gAtomicWriteFailAfterBytes = -1;
			Tamber::Files::Shutdown();
			if (oldDataHome.empty())
				unsetenv("XDG_DATA_HOME");
			else
				setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
			gRun = savedRun;
			gCurrentLevel = savedLevel;
		}

		static void SetGame(int32_t score, int level, int lives, float health, float fuel)
		{
			gRun = RunState{};
			gRun.score = score;
			gCurrentLevel = level;
			gRun.lives = uint8_t(lives);
			gRun.health = health;
			gRun.fuel = fuel;
		}

		fs::path SlotPath(int slot) const
		{
			char name[32];
			GetSavedGameFileName(slot, name, sizeof(name));
			return home.path / "Zappatron" / name;
		}
	};

	TEST_F(SavedGameFileTest, SaveThenLoadResumesAtTheNextLevel)
	{
		ASSERT_TRUE(SaveGame(7));
		EXPECT_EQ(fs::file_size(SlotPath(7)), size_t(SAVED_GAME_FILE_SIZE)) << "the record and the weapon block";

		SavedGameRecord header;
		ASSERT_TRUE(ReadSavedGameHeader(7, &header));
		EXPECT_EQ(header.level, 5);
		EXPECT_NEAR(double(header.savedAt), double(time(nullptr)), 60.0);

		SetGame(0, 0, 4, 1.0f, 0.0f);
		ASSERT_TRUE(LoadSavedGame(7));
		EXPECT_EQ(gRun.score, 5000);
		EXPECT_EQ(gRun.loadedGameScore, 5000);
		EXPECT_EQ(gCurrentLevel, 5);
		EXPECT_EQ(gRun.lives, 2);
		EXPECT_EQ(gRun.health, 0.5f);
		EXPECT_EQ(gRun.fuel, 0.25f);
	}

	TEST_F(SavedGameFileTest, TheRunAfterALoadResumesItAndTheRunAfterThatStartsAfresh)
	{
		ASSERT_TRUE(SaveGame(5));
		SetGame(0, 0, PLAYER_START_LIVES, 1.0f, 0.0f);
		ASSERT_TRUE(LoadSavedGame(5));
		gRun.usedCheats = true;

		InitPlayerForNewRun();
		EXPECT_TRUE(gRun.fromSavedGame);
		EXPECT_FALSE(gRun.resumingSavedGame) << "only the first run after the load resumes it";
		EXPECT_EQ(gRun.score, 5000);
		EXPECT_EQ(gRun.loadedGameScore, 5000);
		EXPECT_EQ(gRun.lives, 2);
		EXPECT_EQ(gRun.health, 0.5f);
		EXPECT_EQ(gRun.fuel, 0.25f);
		EXPECT_FALSE(gRun.usedCheats) << "cheats count per run";

		InitPlayerForNewRun();
		EXPECT_FALSE(gRun.fromSavedGame);
		EXPECT_EQ(gRun.score, 0);
		EXPECT_EQ(gRun.lives, PLAYER_START_LIVES);
		EXPECT_EQ(gRun.health, 1.0f);
		EXPECT_EQ(gRun.fuel, 0.0f);
	}

	TEST_F(SavedGameFileTest, EmptyShortAndForeignSlotsAreRefused)
	{
		SavedGameRecord header;
		EXPECT_FALSE(ReadSavedGameHeader(0, &header));
		EXPECT_FALSE(LoadSavedGame(0));

		std::vector<uint8_t> bytes = Encode(Sample());
		bytes.resize(20);
		WriteBytes(SlotPath(1), bytes);
		EXPECT_FALSE(ReadSavedGameHeader(1, &header));

		bytes = Encode(Sample());
		bytes[9] = 42;			// level 42
		WriteBytes(SlotPath(2), bytes);
		testing::internal::CaptureStdout();
		EXPECT_FALSE(LoadSavedGame(2));
		std::string shown = testing::internal::GetCapturedStdout();
		EXPECT_NE(shown.find("level is out of range"), std::string::npos) << shown;
		EXPECT_EQ(gCurrentLevel, 4) << "nothing of a refused save is applied";

		// Kept for the player under another name, named in the message, and
		// from then on an empty slot that says nothing more.
		fs::path kept = OnlyFileStartingWith(SlotPath(2).parent_path(), SlotPath(2).filename().string() + ".damaged-");
		ASSERT_FALSE(kept.empty());
		EXPECT_NE(shown.find(kept.filename().string()), std::string::npos) << shown;
		EXPECT_EQ(ReadAll(kept), bytes);
		testing::internal::CaptureStdout();
		EXPECT_FALSE(ReadSavedGameHeader(2, &header));
		EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
	}

	TEST_F(SavedGameFileTest, FailedSaveKeepsTheOldSaveAndTellsThePlayer)
	{
		ASSERT_TRUE(SaveGame(3));
		std::vector<uint8_t> before = ReadAll(SlotPath(3));

		SetGame(9999, 8, 1, 1.0f, 1.0f);
		Tamber::Files::gAtomicWriteFailAfterBytes = 10;
		testing::internal::CaptureStdout();
		EXPECT_FALSE(SaveGame(3));
		std::string shown = testing::internal::GetCapturedStdout();
		EXPECT_NE(shown.find("Couldn't write saved game file."), std::string::npos) << shown;
		EXPECT_EQ(ReadAll(SlotPath(3)), before);
	}

	TEST_F(SavedGameFileTest, WeaponsTravelWithTheSaveIntoTheResumedLevel)
	{
		InitWeaponInventory();
		AddWeaponToInventory(WEAPON_FREEZEGUN, 12);
		AddWeaponToInventory(WEAPON_NOVA, 3);
		gRun.currentWeapon = WEAPON_NOVA;
		WeaponSlot saved[MAX_WEAPON_SLOTS];
		std::memcpy(saved, gRun.weapons, sizeof(saved));
		ASSERT_TRUE(SaveGame(4));

		InitWeaponInventory();
		EXPECT_FALSE(TakeLoadedWeaponInventory()) << "nothing pending before a load";
		ASSERT_TRUE(LoadSavedGame(4));
		EXPECT_EQ(gRun.weapons[1].type, -1) << "the level start, not the load, hands the weapons over";
		ASSERT_TRUE(TakeLoadedWeaponInventory());
		for (int k = 0; k < MAX_WEAPON_SLOTS; k++)
		{
			EXPECT_EQ(gRun.weapons[k].type, saved[k].type) << k;
			EXPECT_EQ(gRun.weapons[k].quantity, saved[k].quantity) << k;
		}
		EXPECT_EQ(gRun.currentWeapon, WEAPON_NOVA);
		EXPECT_FALSE(TakeLoadedWeaponInventory()) << "only the first level after the load";
		InitWeaponInventory();
	}

	TEST_F(SavedGameFileTest, ASaveFromBeforeWeaponsLoadsWithTheFistAlone)
	{
		// A 32-byte save of version 0x200, as the game wrote before it kept weapons.
		WriteBytes(SlotPath(6), Encode(Sample()));
		SavedGameRecord header;
		ASSERT_TRUE(ReadSavedGameHeader(6, &header));
		EXPECT_FALSE(header.hasWeapons);

		AddWeaponToInventory(WEAPON_DART, 5);
		ASSERT_TRUE(LoadSavedGame(6));
		EXPECT_EQ(gRun.score, 123456);
		EXPECT_EQ(gCurrentLevel, 3);
		EXPECT_FALSE(TakeLoadedWeaponInventory()) << "the level start's fresh inventory stands";
		InitWeaponInventory();
	}

	TEST(SavedGameRecordTest, WeaponBlockIsCheckedAndSizesMatchVersions)
	{
		SavedGameRecord record = Sample();
		record.currentWeapon = WEAPON_FIST;
		for (WeaponSlot& slot : record.weapons)
			slot = {-1, 0};
		record.weapons[0] = {WEAPON_FIST, 99};
		record.weapons[3] = {WEAPON_DART, 42};
		uint8_t image[SAVED_GAME_FILE_SIZE];
		EncodeSavedGameFile(record, image);
		EXPECT_EQ(image[3], 0x01) << "version 0x201";
		EXPECT_EQ(image[SAVED_GAME_SIZE + 4 + 4 * 3 + 1], WEAPON_DART);
		EXPECT_EQ(image[SAVED_GAME_SIZE + 4 + 4 * 3 + 3], 42);

		SavedGameRecord back = {};
		ASSERT_EQ(DecodeSavedGame(image, sizeof(image), &back), SAVED_GAME_OK);
		EXPECT_TRUE(back.hasWeapons);
		EXPECT_EQ(back.weapons[3].quantity, 42);

		struct Case { const char* what; int offset; uint8_t value; };
		const Case cases[] = {
			{"current weapon 8", SAVED_GAME_SIZE + 1, 8},
			{"slot type 9", SAVED_GAME_SIZE + 4 + 4 * 2 + 1, 9},
			{"quantity 100", SAVED_GAME_SIZE + 4 + 4 * 3 + 3, 100},
			{"an empty slot holding 3", SAVED_GAME_SIZE + 4 + 4 * 5 + 3, 3},
		};
		for (const Case& c : cases)
		{
			uint8_t spoiled[SAVED_GAME_FILE_SIZE];
			std::memcpy(spoiled, image, sizeof(spoiled));
			spoiled[c.offset] = c.value;
			EXPECT_EQ(DecodeSavedGame(spoiled, sizeof(spoiled), &back), SAVED_GAME_BAD_WEAPONS) << c.what;
		}

		// A 68-byte file claiming the old version, or 32 bytes claiming the new, is foreign.
		uint8_t old[SAVED_GAME_FILE_SIZE];
		std::memcpy(old, image, sizeof(old));
		old[2] = 0x02;
		old[3] = 0x00;
		EXPECT_EQ(DecodeSavedGame(old, sizeof(old), &back), SAVED_GAME_BAD_VERSION);
		EXPECT_EQ(DecodeSavedGame(image, SAVED_GAME_SIZE, &back), SAVED_GAME_BAD_VERSION);
	}

	TEST_F(SavedGameFileTest, SlotNumbersAreChecked)
	{
		EXPECT_THROW(SaveGame(NUM_SAVE_SLOTS), Tamber::QuitRequest);
		SavedGameRecord header;
		EXPECT_THROW(ReadSavedGameHeader(-1, &header), Tamber::QuitRequest);
	}
}
