// The score screens' texts in every language, measured with the game's own
// font metrics: the bonus tally's title, labels and lives line on its panel,
// the high-score table's title, empty rows and prompts on its backing, and
// the save/load slot menu with a saved game's label in every slot.
#include "FontMetricsTestSupport.h"
#include "Screens/BonusTally.h"
#include "Screens/FrontEndHooks.h"
#include "Screens/HighScores.h"
#include "Screens/Menu.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/Input.h"
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/SavedGame.h"
#include "System/Strings.h"
#include "Files.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <ctime>
#include <string>

using namespace FontMetricsTestSupport;

namespace
{
	constexpr float GAP = 8;						// overlay units kept between texts and edges
	constexpr const char* WIDEST_SCORE = "9999999";

	struct ScoreScreenTextFitTest : FontMetricsTest {};

	float Width(const char* text, float scale)
	{
		return 0.5f * TextMesh_GetCharX(text, 256) * scale;
	}

	const char* Text(int string)
	{
		const char* text = GetString(string);
		EXPECT_TRUE(text && text[0]) << "string " << string;
		return text ? text : "";
	}
}

TEST_F(ScoreScreenTextFitTest, TallyTextsStayOnTheirPanelAndClearOfTheNumbers)
{
	const float inside = BONUS_PANEL_W - 2 * BONUS_PANEL_RIM;
	// The counts stay under a thousand (a level's humans; eight slots of 99
	// weapon units); the bonus and the score take up to seven digits.
	struct Line { int label; const char* widest; };
	const Line lines[] = {{STR_HUMANS_RESCUED, "999"}, {STR_WEAPONS_LEFT, "999"}, {STR_BONUS, WIDEST_SCORE}, {STR_SCORE, WIDEST_SCORE}};
	auto labelRoom = [](const char* widest) { return BONUS_VALUE_X - Width(widest, BONUS_VALUE_SCALE) - GAP - BONUS_LABEL_X; };
	EXPECT_GE(BONUS_LABEL_X, -0.5f * inside) << "labels start on the panel";
	EXPECT_LE(BONUS_VALUE_X, 0.5f * inside) << "numbers end on the panel";
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		EXPECT_LE(Width(Text(STR_LEVEL_COMPLETE), BONUS_TITLE_SCALE), inside) << "language " << language;
		for (const Line& line : lines)
			EXPECT_LE(Width(Text(line.label), BONUS_LABEL_SCALE), labelRoom(line.widest))
					<< "language " << language << " \"" << GetString(line.label) << "\" runs into its number";

		char many[128];
		snprintf(many, sizeof(many), Text(STR_BONUS_COUNT_MANY), 99);
		EXPECT_NE(std::string(many).find("99"), std::string::npos) << "language " << language << ": the format shows the count";
		for (const char* lives : {Text(STR_BONUS_COUNT_NONE), Text(STR_BONUS_COUNT_ONE), (const char*)many})
			EXPECT_LE(Width(lives, BONUS_LIVES_SCALE), inside) << "language " << language << " \"" << lives << "\"";
	}
}

TEST_F(ScoreScreenTextFitTest, HighScoreTitlesPromptsAndEmptyRowsFitTheBacking)
{
	const float inside = HIGH_SCORE_BACKING_W - 2 * GAP;
	const float nameRoom = HIGH_SCORE_SCORE_X - Width(WIDEST_SCORE, HIGH_SCORE_ROW_SCALE) - GAP - HIGH_SCORE_NAME_X;
	ASSERT_GT(nameRoom, 0);
	EXPECT_GE(HIGH_SCORE_NAME_X, -0.5f * inside);
	EXPECT_LE(HIGH_SCORE_SCORE_X, 0.5f * inside);
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		EXPECT_LE(Width(Text(STR_HIGH_SCORES), HIGH_SCORE_TITLE_SCALE), inside) << "language " << language;
		EXPECT_LE(Width(Text(STR_YOUR_SCORE), HIGH_SCORE_YOUR_SCORE_SCALE), inside) << "language " << language;
		EXPECT_LE(Width(Text(STR_ENTER_NAME), HIGH_SCORE_ENTER_NAME_SCALE), inside) << "language " << language;
		EXPECT_LE(Width(Text(STR_EMPTY), HIGH_SCORE_ROW_SCALE), nameRoom) << "language " << language;
	}
}

TEST_F(ScoreScreenTextFitTest, SlotMenuWithEverySlotSavedFitsInEveryLanguage)
{
	// A save of the last level in each month: the longest label a slot can show.
	std::vector<SavedGameRecord> records;
	for (int month = 0; month < 12; month++)
	{
		std::tm when = {};
		when.tm_year = 2026 - 1900;
		when.tm_mon = month;
		when.tm_mday = 28;
		when.tm_hour = 12;
		SavedGameRecord record = MakeSavedGameRecord({123456, 8, 4, 1, 1}, int64_t(std::mktime(&when)));
		ASSERT_EQ(record.level, 9);
		records.push_back(record);
	}

	int cellsChecked = 0;
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		for (int mode : {SAVE_SLOT_MODE_SAVE, SAVE_SLOT_MODE_LOAD})
		{
			MenuItem menu[NUM_SAVE_SLOTS + 6];
			char labels[NUM_SAVE_SLOTS][MENU_CELL_TEXT_BYTES];
			BuildSaveSlotMenu(mode, menu, labels);
			for (int slot = 0; slot < NUM_SAVE_SLOTS; slot++)
			{
				FormatSavedGameLabel(records[slot % 12], labels[slot], MENU_CELL_TEXT_BYTES);
				menu[2 + slot] = {.kind = MENU_ITEM_PICK, .rawText = labels[slot], .pick = slot};
			}
			BeginMenuRun(menu, nullptr);
			for (int r = 0; r < gMenuRun.numRows; r++)
			{
				const MenuRow& row = gMenuRun.rows[r];
				for (int c = 0; c < MAX_MENU_COLUMNS; c++)
				{
					if (!row.hasCell[c] || !row.cell[c][0])
						continue;
					const float room = MenuRunCellRoom(r, c);
					const float scale = MenuCellScale(row.cell[c], MenuRowScale(row), room);
					EXPECT_LE(0.5f * TextMesh_GetCharX(row.cell[c], MENU_CELL_TEXT_BYTES) * scale, room + 0.01f)
							<< "language " << language << " \"" << row.cell[c] << "\"";
					EXPECT_GE(scale / MenuRowScale(row), MIN_READABLE_SHRINK)
							<< "language " << language << " row " << r << ": \"" << row.cell[c] << "\" is drawn too small";
					cellsChecked++;
				}
			}
		}
	}
	// Title, twelve slots (level and date in one cell, apart at a tab stop) and
	// the way out, in two modes and six languages.
	EXPECT_GE(cellsChecked, 6 * 2 * (2 + NUM_SAVE_SLOTS));
}
