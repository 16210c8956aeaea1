// High scores: who earns a place, the file, and the name-entry rules.
#include "Screens/HighScores.h"
#include "Screens/HighScoresTextEntry.h"
#include "AtomicWrite.h"
#include "FilesTestSupport.h"
#include "System/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

using namespace FilesTestSupport;

namespace
{
	// A full table: 1500, 1400, … 100.
	void FillTable(HighScoreEntry table[NUM_HIGH_SCORES])
	{
		for (int i = 0; i < NUM_HIGH_SCORES; i++)
		{
			std::memset(&table[i], 0, sizeof(HighScoreEntry));
			snprintf(table[i].name, sizeof(table[i].name), "PLAYER %d", i);
			table[i].score = uint32_t(1500 - 100 * i);
		}
	}

	TEST(HighScoreRulesTest, PlacesAndPushesRowsDown)
	{
		HighScoreEntry table[NUM_HIGH_SCORES];
		FillTable(table);
		EXPECT_EQ(FindHighScoreSlot(table, 100, false, 0), -1) << "equal to the last row does not qualify";
		EXPECT_EQ(FindHighScoreSlot(table, 101, false, 0), 14) << "one point more takes the last row";
		EXPECT_EQ(FindHighScoreSlot(table, 1450, false, 0), 1);

		InsertHighScore(table, 0, 99999);
		EXPECT_EQ(table[0].score, 99999u);
		EXPECT_STREQ(table[0].name, "");
		EXPECT_STREQ(table[1].name, "PLAYER 0");
		EXPECT_EQ(table[14].score, 200u) << "the old last row dropped off";
	}

	TEST(HighScoreRulesTest, AResumedGameEndingOnItsLoadedScoreAddsNoDuplicate)
	{
		HighScoreEntry table[NUM_HIGH_SCORES];
		FillTable(table);
		table[3].score = 1234;
		EXPECT_EQ(FindHighScoreSlot(table, 1234, true, 1234), -1);
		EXPECT_EQ(FindHighScoreSlot(table, 1234, false, 1234), 4) << "a new game with that score still places";
		EXPECT_EQ(FindHighScoreSlot(table, 1300, true, 1234), 3) << "a resumed game that scored more places";
	}

	class HighScoreFileTest : public ::testing::Test
	{
	protected:
		TempDir home;
		std::string oldDataHome;

		void SetUp() override
		{
			const char* old = getenv("XDG_DATA_HOME");
			oldDataHome = old ? old : "";
			setenv("XDG_DATA_HOME", home.path.c_str(), 1);
			Tamber::Files::Init();
		}

		void TearDown() override
		{
			Tamber::Files::gAtomicWriteFailAfterBytes = -1;
			Tamber::Files::Shutdown();
			if (oldDataHome.empty())
				unsetenv("XDG_DATA_HOME");
			else
				setenv("XDG_DATA_HOME", oldDataHome.c_str(), 1);
		}

		fs::path FilePath() const { return home.path / "Zappatron" / HIGH_SCORES_FILE_NAME; }
	};

	TEST_F(HighScoreFileTest, MissingFileIsCreatedClearedAndTablesRoundTrip)
	{
		FillTable(gHighScores);
		LoadHighScores();
		EXPECT_EQ(gHighScores[0].score, 0u);
		ASSERT_TRUE(fs::exists(FilePath()));
		EXPECT_EQ(fs::file_size(FilePath()), size_t(HIGH_SCORES_FILE_SIZE));

		FillTable(gHighScores);
		std::memset(gHighScores[2].name, 'Z', MAX_NAME_LENGTH);		// a name of the full 24 characters
		ASSERT_TRUE(SaveHighScores());
		std::vector<uint8_t> bytes = ReadAll(FilePath());
		EXPECT_EQ(bytes[28], 1500 & 0xFF) << "scores are little-endian after 28 bytes";
		EXPECT_EQ(bytes[29], 1500 >> 8);
		EXPECT_EQ(bytes[2 * HIGH_SCORE_ENTRY_SIZE + MAX_NAME_LENGTH], 0) << "the 25th byte ends the name";

		std::memset(gHighScores, 0, sizeof(gHighScores));
		LoadHighScores();
		EXPECT_EQ(gHighScores[0].score, 1500u);
		EXPECT_STREQ(gHighScores[1].name, "PLAYER 1");
		EXPECT_EQ(std::string(gHighScores[2].name), std::string(MAX_NAME_LENGTH, 'Z'));
	}

	TEST_F(HighScoreFileTest, FailedWriteKeepsTheOldFileAndSaysSo)
	{
		FillTable(gHighScores);
		ASSERT_TRUE(SaveHighScores());
		std::vector<uint8_t> before = ReadAll(FilePath());

		gHighScores[0].score = 7;
		Tamber::Files::gAtomicWriteFailAfterBytes = 100;
		testing::internal::CaptureStdout();
		EXPECT_FALSE(SaveHighScores());
		std::string shown = testing::internal::GetCapturedStdout();
		EXPECT_NE(shown.find("Unable to Save High Scores file!"), std::string::npos) << shown;
		EXPECT_EQ(ReadAll(FilePath()), before);
	}

	TEST_F(HighScoreFileTest, ADamagedFileIsSetAsideAndANewTableStarts)
	{
		FillTable(gHighScores);
		ASSERT_TRUE(SaveHighScores());
		std::vector<uint8_t> bytes = ReadAll(FilePath());
		bytes.resize(200);
		WriteBytes(FilePath(), bytes);

		testing::internal::CaptureStdout();
		LoadHighScores();
		std::string shown = testing::internal::GetCapturedStdout();
		EXPECT_NE(shown.find("\"HighScores2\" is damaged (200 bytes instead of 480)"), std::string::npos) << shown;
		for (const HighScoreEntry& entry : gHighScores)
			EXPECT_EQ(entry.score, 0u) << "no half-read rows";

		fs::path kept = OnlyFileStartingWith(FilePath().parent_path(), "HighScores2.damaged-");
		ASSERT_FALSE(kept.empty());
		EXPECT_NE(shown.find(kept.filename().string()), std::string::npos) << shown;
		EXPECT_EQ(ReadAll(kept), bytes) << "kept as it was";
		EXPECT_EQ(fs::file_size(FilePath()), size_t(HIGH_SCORES_FILE_SIZE)) << "a cleared table took its place";

		testing::internal::CaptureStdout();
		LoadHighScores();
		EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "said once";
	}

	// Every field is checked, so a file of the right size with wrong contents
	// never reaches the screen.
	TEST(HighScoreDecodeTest, RowsAreCheckedFieldByField)
	{
		HighScoreEntry table[NUM_HIGH_SCORES];
		FillTable(table);
		uint8_t good[HIGH_SCORES_FILE_SIZE];
		EncodeHighScores(table, good);
		HighScoreEntry decoded[NUM_HIGH_SCORES];
		ASSERT_TRUE(DecodeHighScores(good, sizeof(good), decoded));

		struct Case { const char* what; int offset; uint8_t value; const char* problem; };
		const Case cases[] = {
			{"a control character in a name", 2 * HIGH_SCORE_ENTRY_SIZE + 1, 0x07, "row 3: the name"},
			{"a byte beyond the typed characters", 0, 0xC3, "row 1: the name"},
			{"a score past MAX_HIGH_SCORE", 28 + 3, 0x01, "row 1: the score is more than"},
			{"a row above the one before it", 5 * HIGH_SCORE_ENTRY_SIZE + 29, 0x10, "row 6: the score is above"},
		};
		for (const Case& c : cases)
		{
			uint8_t bad[HIGH_SCORES_FILE_SIZE];
			std::memcpy(bad, good, sizeof(bad));
			bad[c.offset] = c.value;
			std::string problem;
			EXPECT_FALSE(DecodeHighScores(bad, sizeof(bad), decoded, &problem)) << c.what;
			EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << c.what << ": " << problem;
		}

		// Random bytes of the right size: a row of them is all but never a
		// name, let alone fifteen in order.
		std::mt19937 random(31);
		for (int n = 0; n < 200; n++)
		{
			uint8_t noise[HIGH_SCORES_FILE_SIZE];
			for (uint8_t& b : noise)
				b = uint8_t(random());
			EXPECT_FALSE(DecodeHighScores(noise, sizeof(noise), decoded)) << "random table " << n;
		}
		EXPECT_TRUE(IsHighScoreNameCharacter(' ') && IsHighScoreNameCharacter('}') && IsHighScoreNameCharacter('A'));
		EXPECT_FALSE(IsHighScoreNameCharacter('~') || IsHighScoreNameCharacter('\t'));
	}

	//
	// Name entry
	//

	struct TextEntryTest : ::testing::Test
	{
		TextEntryState entry;
		void SetUp() override { StartTextEntry(&entry); }

		void Type(const char* text)
		{
			for (const char* p = text; *p; p++)
			{
				char one[2] = {*p, 0};
				TextEntryControls c = {};
				c.typed = one;
				StepTextEntry(&entry, c, 0.016f);
			}
		}
		std::string Name() const
		{
			char name[MAX_NAME_LENGTH + 1];
			GetEnteredName(entry, name);
			return name;
		}
		void Press(bool TextEntryControls::*control, bool TextEntryControls::*fresh = nullptr, float dt = 0.016f)
		{
			TextEntryControls c = {};
			c.*control = true;
			if (fresh)
				c.*fresh = true;
			StepTextEntry(&entry, c, dt);
		}
	};

	TEST_F(TextEntryTest, TypingUpperCasesAndIgnoresCharactersBeyondTheBrace)
	{
		Type("ab~c{");
		EXPECT_EQ(Name(), "ABC{");
		EXPECT_EQ(entry.cursor, 4);
	}

	TEST_F(TextEntryTest, EditingKeysMoveDeleteAndInsert)
	{
		Type("ROBOT");
		Press(&TextEntryControls::home);
		EXPECT_EQ(entry.cursor, 0);
		Press(&TextEntryControls::del);
		EXPECT_EQ(Name(), "OBOT");
		Press(&TextEntryControls::end);
		EXPECT_EQ(entry.cursor, 4);
		Press(&TextEntryControls::backspace, &TextEntryControls::backspaceNew);
		EXPECT_EQ(Name(), "OBO");
		Press(&TextEntryControls::left);
		Press(&TextEntryControls::space);
		EXPECT_EQ(Name(), "OB O");
		Press(&TextEntryControls::home);
		Press(&TextEntryControls::left);
		EXPECT_EQ(entry.cursor, 0) << "not below 0";
		Press(&TextEntryControls::doneNew);
		EXPECT_TRUE(entry.done);
	}

	TEST_F(TextEntryTest, AFullNameLosesItsLastCharacterToAnInsertAndStopsAtTheEnd)
	{
		Type("ABCDEFGHIJKLMNOPQRSTUVWX");
		EXPECT_EQ(entry.cursor, MAX_NAME_LENGTH);
		Type("Y");
		EXPECT_EQ(Name(), "ABCDEFGHIJKLMNOPQRSTUVWX") << "no room past the end";
		Press(&TextEntryControls::right);
		EXPECT_EQ(entry.cursor, MAX_NAME_LENGTH);
		Press(&TextEntryControls::home);
		Type("Z");
		EXPECT_EQ(Name(), "ZABCDEFGHIJKLMNOPQRSTUVW");
		EXPECT_EQ(entry.name[MAX_NAME_LENGTH], '\0');
	}

	TEST_F(TextEntryTest, PadLettersWrapRepeatWhileHeldAndMoveOnAfterAPause)
	{
		Press(&TextEntryControls::nextLetter, &TextEntryControls::nextLetterNew, 0.05f);
		EXPECT_EQ(entry.name[0], 'A') << "after the space (last) comes A";
		Press(&TextEntryControls::nextLetter, nullptr, 0.05f);
		Press(&TextEntryControls::nextLetter, nullptr, 0.05f);
		EXPECT_EQ(entry.name[0], 'A') << "held 0.1 s: no repeat yet";
		Press(&TextEntryControls::nextLetter, nullptr, 0.05f);
		EXPECT_EQ(entry.name[0], 'B') << "held past 0.125 s: the next step";
		EXPECT_EQ(entry.cursor, 0);

		TextEntryControls idle = {};
		for (int i = 0; i < 18; i++)
			StepTextEntry(&entry, idle, 0.05f);
		EXPECT_EQ(entry.cursor, 0) << "0.9 s after the step";
		for (int i = 0; i < 3; i++)
			StepTextEntry(&entry, idle, 0.05f);
		EXPECT_EQ(entry.cursor, 1) << "past 1 s the cursor has moved on, once";

		Press(&TextEntryControls::prevLetter, &TextEntryControls::prevLetterNew);
		EXPECT_EQ(entry.name[1], 'Z') << "before the space comes Z";
		Press(&TextEntryControls::backspace, &TextEntryControls::backspaceNew);
		EXPECT_EQ(entry.cursor, 2) << "the pad's backspace moves on at once";
		EXPECT_EQ(Name(), "BZ") << "without deleting anything";
	}

	TEST_F(TextEntryTest, APressOnTheFrameThePauseRunsOutStillCounts)
	{
		Press(&TextEntryControls::nextLetter, &TextEntryControls::nextLetterNew);
		Press(&TextEntryControls::doneNew, nullptr, 1.0f);
		EXPECT_EQ(entry.cursor, 1) << "the pause ran out";
		EXPECT_TRUE(entry.done) << "and the done press of that frame was taken";

		StartTextEntry(&entry);
		Press(&TextEntryControls::nextLetter, &TextEntryControls::nextLetterNew);
		Press(&TextEntryControls::prevLetter, &TextEntryControls::prevLetterNew, 1.0f);
		EXPECT_EQ(Name(), "AZ") << "a letter stepped on that frame lands in the next place";
	}

	TEST_F(TextEntryTest, OtherEditsCancelThePendingMoveAndForeignCharactersStepToA)
	{
		Type("3");
		Press(&TextEntryControls::left);
		Press(&TextEntryControls::nextLetter, &TextEntryControls::nextLetterNew);
		EXPECT_EQ(entry.name[0], 'A') << "a character outside the alphabet becomes A";
		Press(&TextEntryControls::home);
		TextEntryControls idle = {};
		for (int i = 0; i < 30; i++)
			StepTextEntry(&entry, idle, 0.05f);
		EXPECT_EQ(entry.cursor, 0) << "moving the cursor cancelled the automatic move";
	}

	TEST(HighScoreBackingTest, PulsesFrameToFrameBetweenItsTwoAlphasScaledByTheFade)
	{
		const float fade = 0.9f;
		float lo = 1, hi = 0;
		for (int frame = 0; frame < 200; frame++)
		{
			const float a = HighScoreBackingAlpha(fade, DrawRandomFloat());
			ASSERT_GE(a, HIGH_SCORE_BACKING_BASE_ALPHA * fade - 1e-6f);
			ASSERT_LE(a, (HIGH_SCORE_BACKING_BASE_ALPHA + HIGH_SCORE_BACKING_FLICKER) * fade + 1e-6f);
			lo = std::min(lo, a);
			hi = std::max(hi, a);
		}
		// A flicker over the whole band, not a still or slowly swelling panel.
		EXPECT_GT(hi - lo, 0.8f * HIGH_SCORE_BACKING_FLICKER * fade);
		EXPECT_FLOAT_EQ(HighScoreBackingAlpha(0, 1), 0) << "faded out, the backing is gone whatever the flicker";
	}
}
