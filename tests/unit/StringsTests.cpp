// The localized string table: the parser, the lookups and the baked file.
#include "System/Strings.h"
#include "System/Error.h"
#include "System/Boot.h"
#include "BakedData.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

using namespace FilesTestSupport;

namespace
{
	// Parses a copy of `file` for `language`; returns each row's text.
	std::vector<std::string> Parse(std::string file, int language, int* rows = nullptr)
	{
		const char* table[MAX_STRINGS];
		int n = ParseLocalizedStrings(file.data(), file.size(), language, table);
		if (rows)
			*rows = n;
		std::vector<std::string> out;
		for (int i = 0; i < n; i++)
			out.push_back(table[i] ? table[i] : "<null>");
		return out;
	}

	class StringsTest : public ::testing::Test
	{
	protected:
		void TearDown() override { DisposeLocalizedStrings(); }
	};

	const std::string kSample =
		"English\tFrançais\tDeutsch\n"
		"Yes\tOui\t\n"				// no German text
		"\n"						// an empty row
		"Only English\n"			// cells missing entirely
		"Back\tRetour\tZurück\tVolver\tIndietro\tTillbaka\n";

	TEST_F(StringsTest, EmptyOrMissingCellsFallBackToEnglish)
	{
		std::vector<std::string> german = Parse(kSample, LANGUAGE_GERMAN);
		ASSERT_EQ(german.size(), 5u);
		EXPECT_EQ(german[0], "Deutsch");
		EXPECT_EQ(german[1], "Yes");
		EXPECT_EQ(german[2], "");
		EXPECT_EQ(german[3], "Only English");
		EXPECT_EQ(german[4], "Zurück");

		std::vector<std::string> french = Parse(kSample, LANGUAGE_FRENCH);
		EXPECT_EQ(french[1], "Oui");
		EXPECT_EQ(french[3], "Only English");

		std::vector<std::string> swedish = Parse(kSample, LANGUAGE_SWEDISH);
		EXPECT_EQ(swedish[0], "English");
		EXPECT_EQ(swedish[4], "Tillbaka");
	}

	TEST_F(StringsTest, LineEndsCountTheSameWhicheverKind)
	{
		std::string lf = kSample;
		std::string crlf = std::regex_replace(kSample, std::regex("\n"), "\r\n");
		std::string cr = std::regex_replace(kSample, std::regex("\n"), "\r");
		for (int language = 0; language < MAX_LANGUAGES; language++)
		{
			EXPECT_EQ(Parse(crlf, language), Parse(lf, language)) << language;
			EXPECT_EQ(Parse(cr, language), Parse(lf, language)) << language;
		}
	}

	TEST_F(StringsTest, LastLineNeedsItsLineBreakAndBomIsSkipped)
	{
		int rows = 0;
		std::vector<std::string> english = Parse("\xEF\xBB\xBF" "A\tB\nC\tD", LANGUAGE_ENGLISH, &rows);
		EXPECT_EQ(rows, 1);
		EXPECT_EQ(english[0], "A");
	}

	TEST_F(StringsTest, HoldsAtMost256Rows)
	{
		std::string file;
		for (int i = 0; i < MAX_STRINGS; i++)
			file += "row " + std::to_string(i) + "\n";
		int rows = 0;
		std::vector<std::string> table = Parse(file, LANGUAGE_ENGLISH, &rows);
		EXPECT_EQ(rows, MAX_STRINGS) << "a full table of 256 rows loads";
		EXPECT_EQ(table[255], "row 255");

		file += "one too many\n";
		EXPECT_THROW(Parse(file, LANGUAGE_ENGLISH), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("row < MAX_STRINGS"), std::string::npos);
	}

	TEST_F(StringsTest, MarkerTextsForUnloadedTablesAndBadNumbers)
	{
		DisposeLocalizedStrings();
		EXPECT_STREQ(GetString(0), "STRINGS NOT LOADED!!");

		LoadLocalizedStringsFromMemory(kSample.data(), kSample.size(), LANGUAGE_FRENCH);
		EXPECT_STREQ(GetString(0), "Français");
		EXPECT_STREQ(GetString(300), "ILLEGAL STRING ID!!");
		EXPECT_STREQ(GetString(-1), "ILLEGAL STRING ID!!");
		EXPECT_STREQ(GetString(200), "") << "a row the file doesn't have";
	}

	TEST_F(StringsTest, ReloadingSwitchesLanguageAndBadLanguagesAssert)
	{
		LoadLocalizedStringsFromMemory(kSample.data(), kSample.size(), LANGUAGE_FRENCH);
		EXPECT_STREQ(GetString(4), "Retour");
		LoadLocalizedStringsFromMemory(kSample.data(), kSample.size(), LANGUAGE_ITALIAN);
		EXPECT_STREQ(GetString(4), "Indietro");

		EXPECT_THROW(LoadLocalizedStringsFromMemory(kSample.data(), kSample.size(), MAX_LANGUAGES), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("languageID < MAX_LANGUAGES"), std::string::npos);
		EXPECT_THROW(LoadLocalizedStringsFromMemory(kSample.data(), kSample.size(), -1), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("languageID >= 0"), std::string::npos);
	}

	// Every string number the game names, from the numbering in Strings.h.
	std::vector<int> NamedStringNumbers()
	{
		std::vector<int> numbers = {
			STR_LANGUAGE_NAME, STR_LOAD_GAME, STR_CREDITS, STR_SETTINGS, STR_RESUME, STR_END_GAME,
			STR_QUIT, STR_SAVE_GAME, STR_CONTINUE, STR_SLOT_LEVEL, STR_EMPTY, STR_LEVEL_SELECT,
			STR_LANGUAGE, STR_FULLSCREEN, STR_VSYNC, STR_HUD_WITHIN_4X3, STR_HUD_SIZE,
			STR_CAMERA_AUTO_FOLLOW, STR_ANTIALIASING, STR_ANTIALIASING_2X, STR_ANTIALIASING_4X,
			STR_ANTIALIASING_8X, STR_DISPLAY, STR_DISPLAY_NUMBER, STR_ANTIALIASING_NOTICE_1,
			STR_ANTIALIASING_NOTICE_2, STR_STEREO_GLASSES, STR_MUSIC, STR_KEYBOARD, STR_GAMEPAD,
			STR_MOUSE, STR_KEYBOARD_INSTRUCTIONS, STR_GAMEPAD_INSTRUCTIONS, STR_PRESS_NEW_KEY,
			STR_PRESS_NEW_BUTTON, STR_NO_GAMEPAD, STR_RUMBLE, STR_MOUSE_SENSITIVITY,
			STR_MOUSE_CONTROLS, STR_MOUSE_CONTROLS_CAMERA, STR_MOUSE_CONTROLS_ROBOT, STR_OK,
			STR_BACK, STR_ON, STR_OFF, STR_STEREO_MONOCHROME, STR_STEREO_COLOR, STR_STEREO_NOTICE_1,
			STR_STEREO_NOTICE_2, STR_STEREO_NOTICE_3, STR_CAPTURE_WAITING, STR_CAPTURE_MOUSE_WAITING,
			STR_RESET_BINDINGS, STR_MOUSE_LEFT_BUTTON, STR_MOUSE_MIDDLE_BUTTON, STR_MOUSE_RIGHT_BUTTON,
			STR_MOUSE_BUTTON_N, STR_MOUSE_WHEEL_UP, STR_MOUSE_WHEEL_DOWN, STR_UNBOUND,
			STR_BONUS_COUNT_NONE, STR_BONUS_COUNT_MANY, STR_BONUS_COUNT_ONE,
		};
		auto range = [&](int first, int count) { for (int i = 0; i < count; i++) numbers.push_back(first + i); };
		range(STR_MONTH_FIRST, 12);
		range(STR_LEVEL_NAME_FIRST, 10);
		range(STR_HELP_FIRST, 22);
		range(STR_SCALE_FIRST, 8);
		range(STR_NEED_NAME_FIRST, 12);
		range(STR_CREDITS_ROLE_FIRST, NUM_CREDITS_ROLES);
		range(STR_CREDITS_LINE_FIRST, NUM_CREDITS_ROLES);
		numbers.push_back(STR_JUNGLE_WAKES);
		return numbers;
	}

	// The baked strings file, split into rows of cells.
	class BakedStringsTest : public ::testing::Test
	{
	protected:
		static std::string file;
		static std::vector<std::vector<std::string>> rows;

		static void SetUpTestSuite()
		{
			file = ReadText(BakedData::Folder() / "System" / "strings.tsv");
			rows.clear();
			std::vector<std::string> cells(1);
			for (char c : file)
			{
				if (c == '\n')
				{
					rows.push_back(cells);
					cells.assign(1, "");
				}
				else if (c == '\t')
					cells.emplace_back();
				else
					cells.back() += c;
			}
		}

		void TearDown() override { DisposeLocalizedStrings(); }

		static std::string Cell(int row, int language)
		{
			const auto& cells = rows.at(size_t(row));
			return size_t(language) < cells.size() ? cells[size_t(language)] : "";
		}
	};
	std::string BakedStringsTest::file;
	std::vector<std::vector<std::string>> BakedStringsTest::rows;

	TEST_F(BakedStringsTest, EveryNamedStringHasATextInEveryLanguage)
	{
		ASSERT_FALSE(file.empty());
		ASSERT_EQ(file.back(), '\n') << "the last row must end with a line break";
		ASSERT_LE(rows.size(), size_t(MAX_STRINGS - 1));
		for (int number : NamedStringNumbers())
		{
			ASSERT_LT(size_t(number), rows.size()) << number;
			EXPECT_EQ(rows[size_t(number)].size(), size_t(MAX_LANGUAGES)) << "string " << number;
			for (int language = 0; language < MAX_LANGUAGES; language++)
				EXPECT_FALSE(Cell(number, language).empty()) << "string " << number << " language " << language;
		}
	}

	TEST_F(BakedStringsTest, RowZeroNamesEachLanguageInItself)
	{
		const char* names[MAX_LANGUAGES] = { "English", "Français", "Deutsch", "Español", "Italiano", "Svenska" };
		for (int language = 0; language < MAX_LANGUAGES; language++)
		{
			EXPECT_EQ(Cell(STR_LANGUAGE_NAME, language), names[language]);
			LoadLocalizedStringsFromMemory(file.data(), file.size(), language);
			EXPECT_STREQ(GetString(STR_LANGUAGE_NAME), names[language]);
			EXPECT_STREQ(GetString(STR_BACK), Cell(STR_BACK, language).c_str());
		}
	}

	// Placeholders the code fills in must be in every translation, once each.
	TEST_F(BakedStringsTest, TranslationsKeepTheirPlaceholders)
	{
		auto count = [](const std::string& s, const std::string& what)
		{
			int n = 0;
			for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1))
				n++;
			return n;
		};
		for (int number : NamedStringNumbers())
		{
			for (int language = 1; language < MAX_LANGUAGES; language++)
			{
				std::string english = Cell(number, 0), text = Cell(number, language);
				EXPECT_EQ(count(text, "#"), count(english, "#")) << "string " << number << " language " << language;
				EXPECT_EQ(count(text, "%"), count(english, "%")) << "string " << number << " language " << language;
				EXPECT_EQ(count(text, "%d"), count(english, "%d")) << "string " << number << " language " << language;
			}
		}
		for (int help : {0, 1, 2, 12, 16, 21})
			EXPECT_EQ(count(Cell(STR_HELP_FIRST + help, 0), "#"), 1) << "help " << help;
		EXPECT_EQ(count(Cell(STR_BONUS_COUNT_MANY, 0), "%d"), 1);
	}

	TEST_F(BakedStringsTest, FileIsValidUtf8)
	{
		size_t i = 0;
		while (i < file.size())
		{
			uint8_t c = uint8_t(file[i]);
			int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
			ASSERT_GE(extra, 0) << "bad lead byte at " << i;
			ASSERT_LE(i + size_t(extra), file.size() - 1);
			for (int k = 1; k <= extra; k++)
				ASSERT_EQ(uint8_t(file[i + size_t(k)]) >> 6, 2) << "bad continuation at " << i;
			i += size_t(extra) + 1;
		}
	}
}

namespace
{
	// LoadLocalizedStrings reads ":system:strings.tsv" from the data folder.
	class StringsFileTest : public ::testing::Test
	{
	protected:
		TempDir data;
		fs::path oldDataFolder;
		FSSpec oldDataFolderSpec;

		void SetUp() override
		{
			Tamber::Files::Init();
			oldDataFolder = gDataFolderPath;
			oldDataFolderSpec = gDataFolderSpec;
			gDataFolderPath = data.path;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(data.path / "Skeletons");
		}
		void TearDown() override
		{
			gDataFolderPath = oldDataFolder;
			gDataFolderSpec = oldDataFolderSpec;
			DisposeLocalizedStrings();
			Tamber::Files::Shutdown();
		}
	};

	TEST_F(StringsFileTest, LoadsTheDataFoldersTable)
	{
		// The loader wants every row the game names; the rest are fillers.
		std::string table = "English\tFrançais\r\nBack\tRetour\r\n";
		for (int row = 2; row < NUM_NAMED_STRING_ROWS; row++)
			table += "Row " + std::to_string(row) + "\r\n";
		WriteText(data / "System" / "strings.tsv", table);
		LoadLocalizedStrings(LANGUAGE_FRENCH);
		EXPECT_STREQ(GetString(0), "Français");
		EXPECT_STREQ(GetString(1), "Retour");
		LoadLocalizedStrings(LANGUAGE_GERMAN);
		EXPECT_STREQ(GetString(1), "Back");
	}

	TEST_F(StringsFileTest, MissingFileIsFatal)
	{
		EXPECT_THROW(LoadLocalizedStrings(LANGUAGE_ENGLISH), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("LoadTextFile: FSpOpenDF failed"), std::string::npos);
		EXPECT_STREQ(GetString(0), "STRINGS NOT LOADED!!");
	}
}
