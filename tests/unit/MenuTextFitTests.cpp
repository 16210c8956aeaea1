// Every settings text, in every language, laid out with the game's own font
// metrics: a text too wide for its place is drawn smaller, and no translation
// may need to shrink so far that it becomes hard to read.
#include "FontMetricsTestSupport.h"
#include "Screens/Menu.h"
#include "Screens/PauseMenu.h"
#include "Screens/Screens.h"
#include "Screens/SettingsMenu.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/Input.h"
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/Strings.h"
#include "Files.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace FontMetricsTestSupport;

namespace
{
	struct MenuTextFitTest : FontMetricsTest {};

	// The run's settings menus: the root and its three remapping screens.
	std::vector<const MenuItem*> SettingsMenus()
	{
		std::vector<const MenuItem*> menus = {kSettingsMenu};
		for (const MenuItem* item = kSettingsMenu; item->kind; item++)
			if (item->kind == MENU_ITEM_SUBMENU)
				menus.push_back(item->submenu);
		return menus;
	}

	struct NamedMenu
	{
		const char* name;
		const MenuItem* menu;
		const MenuStyle* style;
	};

	// Every menu the game runs with a fixed set of rows.
	std::vector<NamedMenu> AllMenus()
	{
		std::vector<NamedMenu> menus = {{"pause", kPauseMenu, &kPauseMenuStyle},
				{"credits", kCreditsMenu, &kCreditsMenuStyle}, {"level select", LevelSelectMenu(), &kDefaultMenuStyle}};
		for (const MenuItem* menu : SettingsMenus())
			menus.push_back({"settings", menu, &kDefaultMenuStyle});
		return menus;
	}

	// Where a text's letters reach, in overlay units below the node's y at
	// scale 1: the top of a capital and the foot of a descender (the text
	// node puts a glyph's box half size, from 0.15 lines above its y).
	float InkTop()
	{
		const TextMeshFont& font = TextMesh_GetFont();
		const TextMeshGlyph& g = TextMesh_GetGlyph(font, 'H');
		return -0.15f * font.lineHeight + 0.5f * g.yoff;
	}
	float InkBottom()
	{
		const TextMeshFont& font = TextMesh_GetFont();
		const TextMeshGlyph& g = TextMesh_GetGlyph(font, 'g');
		return -0.15f * font.lineHeight + 0.5f * (g.yoff + g.h);
	}

	float RowScale(const MenuStyle& style, int kind)
	{
		return kind == MENU_ITEM_TITLE ? style.titleScale : kind == MENU_ITEM_SUBTITLE ? style.subtitleScale : style.standardScale;
	}
}

TEST_F(MenuTextFitTest, SettingsTextsFitTheirPlaceInEveryLanguage)
{
	std::vector<const MenuItem*> menus = {kSettingsMenu};
	for (const MenuItem* item = kSettingsMenu; item->kind; item++)
		if (item->kind == MENU_ITEM_SUBMENU)
			menus.push_back(item->submenu);
	ASSERT_EQ(menus.size(), 4u);

	int cellsChecked = 0;
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		for (const MenuItem* menu : menus)
		{
			BeginMenuRun(menu, nullptr);
			const MenuStyle& style = gMenuRun.style;
			for (int r = 0; r < gMenuRun.numRows; r++)
			{
				const MenuRow& row = gMenuRun.rows[r];
				for (int c = 0; c < MAX_MENU_COLUMNS; c++)
				{
					if (!row.hasCell[c] || !row.cell[c][0])
						continue;
					// Key and button names are the device's, not ours to translate.
					const bool deviceName = c > 0 && row.item->kind >= MENU_ITEM_KEY_BINDING;
					const float rowScale = RowScale(style, row.item->kind);
					const float room = MenuCellRoom(style, row, c);
					const float scale = MenuCellScale(row.cell[c], rowScale, room);
					const float width = 0.5f * TextMesh_GetCharX(row.cell[c], MENU_CELL_TEXT_BYTES) * scale;
					EXPECT_LE(width, room + 0.01f) << "language " << language << " \"" << row.cell[c] << "\"";
					if (!deviceName)
						EXPECT_GE(scale / rowScale, MIN_READABLE_SHRINK)
								<< "language " << language << " row " << r << " column " << c << ": \"" << row.cell[c]
								<< "\" needs shortening";
					cellsChecked++;
				}
			}
		}
	}
	EXPECT_GT(cellsChecked, 6 * 60);
}

TEST_F(MenuTextFitTest, RoomEndsAtTheRowsNextCellOrTheScreensEdge)
{
	MenuStyle style = kDefaultMenuStyle;
	MenuRow row = {};
	row.hasCell[0] = row.hasCell[1] = row.hasCell[2] = true;
	EXPECT_FLOAT_EQ(MenuCellRoom(style, row, 0), 190 - 8);
	EXPECT_FLOAT_EQ(MenuCellRoom(style, row, 1), 110 - 8);
	EXPECT_FLOAT_EQ(MenuCellRoom(style, row, 2), 320 - 8 - (300 - 170));
	row.hasCell[1] = row.hasCell[2] = false;
	EXPECT_FLOAT_EQ(MenuCellRoom(style, row, 0), 320 - 8 + 170);
	style.centered = true;
	EXPECT_FLOAT_EQ(MenuCellRoom(style, row, 0), 2 * (320 - 8));

	// A text that fits keeps its scale; one twice too wide is halved.
	const float width = 0.5f * TextMesh_GetCharX("Keyboard", MENU_CELL_TEXT_BYTES);
	ASSERT_GT(width, 0);
	EXPECT_FLOAT_EQ(MenuCellScale("Keyboard", 0.75f, width), 0.75f);
	EXPECT_FLOAT_EQ(MenuCellScale("Keyboard", 1.0f, width / 2), 0.5f);
}

TEST_F(MenuTextFitTest, EveryMenuTextFitsItsCellInEveryLanguage)
{
	int cellsChecked = 0;
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		for (const NamedMenu& named : AllMenus())
		{
			BeginMenuRun(named.menu, named.style);
			for (int r = 0; r < gMenuRun.numRows; r++)
			{
				const MenuRow& row = gMenuRun.rows[r];
				for (int c = 0; c < MAX_MENU_COLUMNS; c++)
				{
					if (!row.hasCell[c] || !row.cell[c][0])
						continue;
					const bool deviceName = c > 0 && row.item->kind >= MENU_ITEM_KEY_BINDING;
					const float room = MenuRunCellRoom(r, c);
					const float scale = MenuCellScale(row.cell[c], MenuRowScale(row), room);
					const float width = 0.5f * TextMesh_GetCharX(row.cell[c], MENU_CELL_TEXT_BYTES) * scale;
					EXPECT_LE(width, room + 0.01f) << named.name << ", language " << language << " \"" << row.cell[c] << "\"";
					// Key names too: the columns make room for them.
					EXPECT_GE(scale / MenuRowScale(row), deviceName ? 0.8f : MIN_READABLE_SHRINK)
							<< named.name << ", language " << language << " row " << r << " column " << c << ": \""
							<< row.cell[c] << "\" is drawn too small";
					// A left-aligned cell stays on even the narrowest screen.
					if (!gMenuRun.style.centered)
						EXPECT_GE(gMenuRun.columnX[c], -320.0f) << named.name << " column " << c;
					cellsChecked++;
				}
			}
		}
	}
	EXPECT_GT(cellsChecked, 6 * 90);
}

TEST_F(MenuTextFitTest, ScreenTitlesAndLevelNamesFitTheScreenInEveryLanguage)
{
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		for (int i = 0; i < kNumScreenTexts; i++)
		{
			const char* text = GetString(kScreenTexts[i].text);
			ASSERT_TRUE(text && text[0]) << "string " << kScreenTexts[i].text;
			const float width = 0.5f * TextMesh_GetCharX(text, 256) * kScreenTexts[i].scale;
			EXPECT_LE(width, 640 - 2 * 8) << "language " << language << " \"" << text << "\"";
		}
	}
}

TEST_F(MenuTextFitTest, RowsLeaveTheLettersRoomStayOnScreenAndUnderThePane)
{
	LoadLocalizedStrings(0);
	const float top = InkTop(), bottom = InkBottom();
	ASSERT_LT(top, bottom);
	for (const NamedMenu& named : AllMenus())
	{
		BeginMenuRun(named.menu, named.style);
		const MenuRow* above = nullptr;
		for (int r = 0; r < gMenuRun.numRows; r++)
		{
			const MenuRow& row = gMenuRun.rows[r];
			if (row.item->kind == MENU_ITEM_SPACER)
				continue;
			const float scale = MenuRowScale(row);
			const float inkTop = row.y + top * scale, inkBottom = row.y + bottom * scale;
			// A descender of the row above may touch a capital below by a pixel, no more.
			if (above)
				EXPECT_GE(inkTop - (above->y + bottom * MenuRowScale(*above)), -2.0f)
						<< named.name << " rows " << r - 1 << " and " << r << " overlap";
			EXPECT_GE(inkTop, -240.0f) << named.name << " row " << r << " above the screen";
			EXPECT_LE(inkBottom, 240.0f) << named.name << " row " << r << " below the screen";
			if (gMenuRun.style.darkenPane)
			{
				EXPECT_GE(inkTop, -0.5f * gMenuRun.paneHeight) << named.name << " row " << r << " sticks out of the pane";
				EXPECT_LE(inkBottom, 0.5f * gMenuRun.paneHeight) << named.name << " row " << r << " sticks out of the pane";
			}
			above = &row;
		}
	}
}

TEST_F(MenuTextFitTest, WithoutTheFontRowsFallBackToTheStylesHeight)
{
	TextMesh_DisposeMetrics();
	EXPECT_FLOAT_EQ(MenuRowHeight(kPauseMenuStyle), kPauseMenuStyle.rowHeight);
	TextMesh_LoadMetrics();
	// The font's lines are taller than the pause style's 24 units at scale 1.
	EXPECT_GT(MenuRowHeight(kPauseMenuStyle), kPauseMenuStyle.rowHeight);
}

TEST_F(MenuTextFitTest, AMenuTallerThanTheScreenIsDrawnSmallerToFit)
{
	LoadLocalizedStrings(0);
	std::vector<MenuItem> menu(MAX_MENU_ROWS - 1);
	for (MenuItem& item : menu)
	{
		item.kind = MENU_ITEM_PICK;
		item.rawText = "Quite a Long Row";
	}
	menu.push_back(MenuItem{});
	BeginMenuRun(menu.data(), nullptr);
	ASSERT_EQ(gMenuRun.numRows, MAX_MENU_ROWS - 1);
	EXPECT_LT(gMenuRun.fit, 1.0f);
	EXPECT_FLOAT_EQ(MenuRowScale(gMenuRun.rows[0]), kDefaultMenuStyle.standardScale * gMenuRun.fit);
	const MenuRow& last = gMenuRun.rows[gMenuRun.numRows - 1];
	EXPECT_GE(gMenuRun.rows[0].y + InkTop() * MenuRowScale(gMenuRun.rows[0]), -240.0f);
	EXPECT_LE(last.y + InkBottom() * MenuRowScale(last), 240.0f);

	// A short menu keeps its scale.
	BeginMenuRun(kPauseMenu, &kPauseMenuStyle);
	EXPECT_FLOAT_EQ(gMenuRun.fit, 1.0f);
}

TEST_F(MenuTextFitTest, ColumnsMakeRoomForAWideLabelAndStayOnScreen)
{
	LoadLocalizedStrings(0);
	static uint8_t value = 0;
	MenuItem menu[3] = {};
	menu[0].kind = MENU_ITEM_CYCLER;
	menu[0].rawText = "A label wider than its column";
	menu[0].cycler.value = &value;
	menu[0].cycler.numChoices = 1;
	menu[0].cycler.choices[0] = STR_NEED_NAME_FIRST;
	menu[1].kind = MENU_ITEM_TITLE;
	menu[1].rawText = "Title";
	BeginMenuRun(menu, nullptr);

	const MenuRow& row = gMenuRun.rows[0];
	const float labelWidth = 0.5f * TextMesh_GetCharX(row.cell[0], MENU_CELL_TEXT_BYTES) * MenuRowScale(row);
	// The value moved right of the label, and the block left to keep it on screen.
	EXPECT_GT(gMenuRun.columnX[1], MenuColumnX(kDefaultMenuStyle, 1));
	EXPECT_LT(gMenuRun.columnX[0], MenuColumnX(kDefaultMenuStyle, 0));
	EXPECT_FLOAT_EQ(MenuCellScale(row.cell[0], MenuRowScale(row), MenuRunCellRoom(0, 0)), MenuRowScale(row));
	EXPECT_LE(gMenuRun.columnX[0] + labelWidth, gMenuRun.columnX[1]);
	const float valueWidth = 0.5f * TextMesh_GetCharX(row.cell[1], MENU_CELL_TEXT_BYTES) * MenuRowScale(row);
	EXPECT_LE(gMenuRun.columnX[1] + valueWidth, 320.0f);
}

TEST_F(MenuTextFitTest, TheCreditsNameTheGamesContributorsAndToolsNoPersonInEveryLanguage)
{
	// Each role heading has its credited line under it, a localized string.
	std::vector<int> lines;
	for (const MenuItem* item = kCreditsMenu; item->kind; item++)
		if (item->kind == MENU_ITEM_SUBTITLE)
		{
			ASSERT_EQ(item[1].kind, MENU_ITEM_LABEL) << "heading " << item->text << " credits nobody";
			EXPECT_EQ(item[1].rawText, nullptr) << "a credited line must be translatable";
			lines.push_back(item[1].text);
		}
	ASSERT_EQ(int(lines.size()), NUM_CREDITS_ROLES);

	LoadLocalizedStrings(0);
	std::vector<std::string> english;
	for (int line : lines)
		english.push_back(GetString(line));
	for (int language = 0; language < MAX_LANGUAGES; language++)
	{
		LoadLocalizedStrings(language);
		for (size_t i = 0; i < lines.size(); i++)
		{
			// The game's contributors, or the game's own baker and synthesizer:
			// every line names Zappatron, which no person's name does.
			const std::string text = GetString(lines[i]);
			EXPECT_NE(text.find("Zappatron"), std::string::npos) << "language " << language << ": \"" << text << "\"";
			if (language > 0)
				EXPECT_NE(text, english[i]) << "language " << language << " line " << i << " is untranslated";
		}
	}
}
