// The GL-free half of the menu engine: laying rows out into the run's table,
// moving the selection, backing out, cyclers, picks and the remapping
// captures. The text nodes that show the table live in MenuDraw.cpp.
#include "Screens/Menu.h"
#include "3D/OGL_Camera.h"
#include "3D/TextMesh.h"
#include "System/Error.h"
#include "System/Input.h"
#include "System/InputBindings.h"
#include "System/Prefs.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/Strings.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

MenuRun gMenuRun;

namespace
{
	constexpr float COLUMN_X[4] = {0, 190, 300, 430};	// overlay units
	constexpr float COLUMN_SHIFT = 170;					// left-aligned menus start this far left of centre
	constexpr float NARROWEST_HALF_WIDTH = 320;			// the overlay is at least 640 wide
	constexpr float CELL_GAP = 8;						// kept free before the next cell and the edge
}

const MenuStyle kDefaultMenuStyle = {};

const MenuStyle kPauseMenuStyle = []
{
	MenuStyle style;
	style.fadeInSpeed = 15.0f;
	style.centered = true;
	style.idleColor = {1.0f, 1.0f, 0.3f, 1.0f};
	style.standardScale = 1.0f;
	style.rowHeight = 24.0f;
	style.minHalfWidthForHits = 100;
	style.playMenuSounds = false;
	style.paneHeight = 64;
	style.paneAlpha = 0.3f;
	style.startButtonCloses = true;
	return style;
}();

namespace
{
	constexpr float SLIDE_IN_STAGGER = 0.2f;		// each row starts this much later (timer units)
	constexpr float CAPTURE_FADE_OUT_SPEED = 2.0f;	// synchronous fade-out, per second

	// Menu sounds come from the main bank; a run without sound (tests) stays quiet.
	void PlayMenuEffect(int effect, uint32_t rate = NORMAL_CHANNEL_RATE)
	{
		if (IsSoundEffectLoaded(effect))
			PlayEffect_Parms(effect, FULL_CHANNEL_VOLUME, FULL_CHANNEL_VOLUME, rate);
	}

	bool gCaptureArmed = false;		// pad and mouse captures wait for confirm to be let go

	const char* ItemText(const MenuItem* item)
	{
		if (item->generator)
			return item->generator(item);
		if (item->rawText)
			return item->rawText;
		if (item->text >= 0)
			return GetString(item->text);
		return "";
	}

	void SetCell(MenuRow& row, int column, const char* text, int color)
	{
		GAME_ASSERT(column >= 0 && column < MAX_MENU_COLUMNS);
		row.hasCell[column] = true;
		row.cellColor[column] = color;
		snprintf(row.cell[column], MENU_CELL_TEXT_BYTES, "%s", text);
		gMenuRun.cellsDirty = true;
	}

	void SetCell(MenuRow& row, int column, const std::string& text, int color)
	{
		SetCell(row, column, text.c_str(), color);
	}

	void SetCyclerValueCell(MenuRow& row)
	{
		const MenuItem* item = row.item;
		if (CountCyclerChoices(item) <= 0)
		{
			row.hasCell[1] = false;
			gMenuRun.cellsDirty = true;
			return;
		}
		const int value = GetCyclerValue(item);
		if (item->cycler.choiceText)
		{
			char buffer[MENU_CELL_TEXT_BYTES];
			SetCell(row, 1, item->cycler.choiceText(buffer, sizeof(buffer), value), MENU_COLOR_IDLE);
		}
		else
		{
			SetCell(row, 1, GetString(item->cycler.choices[value]), MENU_COLOR_IDLE);
		}
	}

	void SetBindingCells(MenuRow& row)
	{
		const MenuItem* item = row.item;
		GAME_ASSERT(item->need >= 0 && item->need < NUM_REMAPPABLE_NEEDS);
		char label[MENU_CELL_TEXT_BYTES];
		snprintf(label, sizeof(label), "%s:", GetString(STR_NEED_NAME_FIRST + item->need));
		SetCell(row, 0, label, MENU_COLOR_LABEL);
		switch (item->kind)
		{
			case MENU_ITEM_KEY_BINDING:
				SetCell(row, 1, GetKeyBindingName(item->need, 0), MENU_COLOR_IDLE);
				SetCell(row, 2, GetKeyBindingName(item->need, 1), MENU_COLOR_IDLE);
				break;
			case MENU_ITEM_PAD_BINDING:
				SetCell(row, 1, GetPadBindingName(item->need, 0), MENU_COLOR_IDLE);
				SetCell(row, 2, GetPadBindingName(item->need, 1), MENU_COLOR_IDLE);
				break;
			case MENU_ITEM_MOUSE_BINDING:
				SetCell(row, 1, GetMouseBindingName(item->need), MENU_COLOR_IDLE);
				break;
		}
	}

	void LayOutRowCells(MenuRow& row)
	{
		const MenuItem* item = row.item;
		switch (item->kind)
		{
			case MENU_ITEM_TITLE:
			case MENU_ITEM_SUBTITLE:
				SetCell(row, 0, ItemText(item), MENU_COLOR_TITLE);
				break;
			case MENU_ITEM_LABEL:
			case MENU_ITEM_ACTION:
			case MENU_ITEM_SUBMENU:
			case MENU_ITEM_PICK:
				SetCell(row, 0, ItemText(item), MENU_COLOR_IDLE);
				break;
			case MENU_ITEM_SPACER:
				break;
			case MENU_ITEM_CYCLER:
			{
				char label[MENU_CELL_TEXT_BYTES];
				snprintf(label, sizeof(label), "%s:", ItemText(item));
				SetCell(row, 0, label, MENU_COLOR_IDLE);
				SetCyclerValueCell(row);
				break;
			}
			case MENU_ITEM_KEY_BINDING:
			case MENU_ITEM_PAD_BINDING:
			case MENU_ITEM_MOUSE_BINDING:
				SetBindingCells(row);
				break;
			default:
				FatalAlert("Unsupported menu item type %d", item->kind);
		}
	}

	// A text node's capitals sit this many font lines below its y (it lays
	// glyphs out in half font units from 0.15 lines above its y).
	constexpr float TEXT_MIDDLE_LINES = 0.2375f;
	constexpr float SCREEN_MARGIN = 12;		// overlay units kept free above and below a tall menu
	constexpr float COLUMN_GAP = 24;		// overlay units between a column's widest text and the next column

	// Rows may sit a little closer than a full line of the font (a
	// descender rarely meets the capital below it).
	constexpr float LINE_SHARE = 0.9f;

	// The font's line height in overlay units at scale 1; 0 without metrics.
	float FontLine()
	{
		return TextMesh_MetricsLoaded() ? 0.5f * gFontLineHeight : 0.0f;
	}

	// The space a row takes: its kind's share of the style's row, and at
	// least the font's line at the row's own scale (a title is bigger).
	float RowSlot(float rowHeight, int kind, float kindScale)
	{
		const float slot = rowHeight * MenuItemHeightFactor(kind);
		return kind == MENU_ITEM_SPACER ? slot : std::max(slot, LINE_SHARE * FontLine() * kindScale);
	}

	float KindScale(const MenuStyle& style, int kind)
	{
		return kind == MENU_ITEM_TITLE ? style.titleScale : kind == MENU_ITEM_SUBTITLE ? style.subtitleScale : style.standardScale;
	}

	float TextWidth(const char* text, float scale)
	{
		return TextMesh_MetricsLoaded() ? 0.5f * TextMesh_GetCharX(text, MENU_CELL_TEXT_BYTES) * scale : 0.0f;
	}

	// Centres the block of rows on the screen, each row's text in the middle
	// of its slot; a block taller than the screen is squeezed (and its texts
	// drawn smaller by the same factor). `row.y` holds each slot's top on entry.
	void PlaceRows(float total, float rowHeight)
	{
		MenuRun& run = gMenuRun;
		const float usable = LOGICAL_SCREEN_HEIGHT - 2 * SCREEN_MARGIN;
		run.fit = total > usable ? usable / total : 1.0f;
		for (int r = 0; r < run.numRows; r++)
		{
			MenuRow& row = run.rows[r];
			const float slot = RowSlot(rowHeight, row.item->kind, KindScale(run.style, row.item->kind));
			const float middle = TEXT_MIDDLE_LINES * 2 * FontLine() * MenuRowScale(row);
			row.y = (row.y - total * 0.5f + slot * 0.5f) * run.fit - middle;
		}
		run.paneHeight = std::max(run.style.paneHeight, (total + rowHeight) * run.fit);
	}

	// Columns start where the style's table puts them, or further right when
	// the widest text before them needs the room; a block that would run off
	// the right edge moves left as far as the left edge allows. Centred menus
	// keep the table.
	void PlaceColumns()
	{
		MenuRun& run = gMenuRun;
		for (int c = 0; c < MAX_MENU_COLUMNS; c++)
			run.columnX[c] = MenuColumnX(run.style, c);
		if (run.style.centered || !TextMesh_MetricsLoaded())
			return;

		for (int c = 1; c < MAX_MENU_COLUMNS; c++)
		{
			float widest = -1;
			for (int r = 0; r < run.numRows; r++)
			{
				const MenuRow& row = run.rows[r];
				if (row.hasCell[c - 1] && row.hasCell[c])
					widest = std::max(widest, TextWidth(row.cell[c - 1], MenuRowScale(row)));
			}
			if (widest >= 0)
				run.columnX[c] = std::max(run.columnX[c], run.columnX[c - 1] + widest + COLUMN_GAP);
		}

		float right = -NARROWEST_HALF_WIDTH;
		for (int r = 0; r < run.numRows; r++)
		{
			const MenuRow& row = run.rows[r];
			for (int c = MAX_MENU_COLUMNS - 1; c >= 0; c--)
				if (row.hasCell[c])
				{
					right = std::max(right, run.columnX[c] + TextWidth(row.cell[c], MenuRowScale(row)));
					break;
				}
		}
		const float overflow = right - (NARROWEST_HALF_WIDTH - CELL_GAP);
		const float leftRoom = run.columnX[0] - (-NARROWEST_HALF_WIDTH + CELL_GAP);
		const float shift = std::min(std::max(overflow, 0.0f), std::max(leftRoom, 0.0f));
		for (float& x : run.columnX)
			x -= shift;
	}

	// The root again, with the row that led away from it.
	void ReturnToRoot()
	{
		LayOutMenu(gMenuRun.rootMenu);
	}

	void CloseOrReturnToRoot()
	{
		FlushInputEvents();
		if (gMenuRun.menu == gMenuRun.rootMenu)
			gMenuRun.state = MENU_STATE_FADING_OUT;
		else
			ReturnToRoot();
	}

	MenuRow* SelectedRow()
	{
		if (gMenuRun.selectedRow < 0 || gMenuRun.selectedRow >= gMenuRun.numRows)
			return nullptr;
		return &gMenuRun.rows[gMenuRun.selectedRow];
	}

	bool NewClick(int button)
	{
		return gMenuRun.mouseHoverValidRow && FlushMouseButtonPress(button);
	}

	void StepCycler(MenuRow& row, int step)
	{
		const MenuItem* item = row.item;
		PlayMenuEffect(EFFECT_ATOMCHIME, uint32_t(int32_t(NORMAL_CHANNEL_RATE) + int32_t(RandomFloatSigned() * 0x3000)));
		const int count = CountCyclerChoices(item);
		// A cycler with nothing to choose from (or a counter that failed) stays put.
		if (!item->cycler.displayOnly && item->cycler.value && count > 0)
		{
			int value = (GetCyclerValue(item) + step) % count;
			if (value < 0)
				value += count;
			*item->cycler.value = uint8_t(value);
		}
		if (item->cycler.onChange)
			item->cycler.onChange(item);
		// The change routine may have laid the whole menu out again (language).
		if (gMenuRun.selectedRow >= 0 && gMenuRun.rows[gMenuRun.selectedRow].item == item)
			SetCyclerValueCell(gMenuRun.rows[gMenuRun.selectedRow]);
	}

	void NavigateSlots(int* slot)
	{
		if (GetNewNeedState(NEED_UI_LEFT) || GetNewNeedState(NEED_UI_PREV)
				|| GetNewNeedState(NEED_UI_RIGHT) || GetNewNeedState(NEED_UI_NEXT))
		{
			*slot = 1 - *slot;		// two slots: either direction wraps to the other
			PlayMenuEffect(EFFECT_WEAPONCLICK);
		}
	}

	void ShowCaptureWaiting(MenuRow& row, int column, int waitingText, int instructionFrom, int instructionTo)
	{
		SetCell(row, column, GetString(waitingText), MENU_COLOR_IDLE);
		if (instructionFrom >= 0)
			SetRowText(instructionFrom, instructionTo);
	}

	void NavigateBindingRow(MenuRow& row)
	{
		const MenuItem* item = row.item;
		const int need = item->need;
		if (item->kind == MENU_ITEM_KEY_BINDING || item->kind == MENU_ITEM_PAD_BINDING)
		{
			int* slot = item->kind == MENU_ITEM_KEY_BINDING ? &gMenuRun.keySlot : &gMenuRun.padSlot;
			if (gMenuRun.mouseHoverValidRow && (gMenuRun.hoveredColumn == 1 || gMenuRun.hoveredColumn == 2))
				*slot = gMenuRun.hoveredColumn - 1;
			NavigateSlots(slot);
		}

		if (GetNewNeedState(NEED_UI_DELETE) || NewClick(SDL_BUTTON_MIDDLE))
		{
			PlayMenuEffect(EFFECT_FLAREEXPLODE);
			switch (item->kind)
			{
				case MENU_ITEM_KEY_BINDING: ClearKeyBinding(gGamePrefs.bindings, need, gMenuRun.keySlot); break;
				case MENU_ITEM_PAD_BINDING: ClearPadBinding(gGamePrefs.bindings, need, gMenuRun.padSlot); break;
				default: ClearMouseBinding(gGamePrefs.bindings, need); break;
			}
			SetBindingCells(row);
			return;
		}

		switch (item->kind)
		{
			case MENU_ITEM_KEY_BINDING:
				if (GetNewKeyState(SDL_SCANCODE_RETURN) || NewClick(SDL_BUTTON_LEFT))
				{
					gMenuRun.state = MENU_STATE_CAPTURE_KEY;
					ShowCaptureWaiting(row, 1 + gMenuRun.keySlot, STR_CAPTURE_WAITING, STR_KEYBOARD_INSTRUCTIONS, STR_PRESS_NEW_KEY);
				}
				break;
			case MENU_ITEM_PAD_BINDING:
				if (GetNewNeedState(NEED_UI_CONFIRM) || NewClick(SDL_BUTTON_LEFT))
				{
					gMenuRun.state = MENU_STATE_CAPTURE_PAD;
					gCaptureArmed = false;
					ShowCaptureWaiting(row, 1 + gMenuRun.padSlot, STR_CAPTURE_WAITING, STR_GAMEPAD_INSTRUCTIONS, STR_PRESS_NEW_BUTTON);
				}
				break;
			case MENU_ITEM_MOUSE_BINDING:
				if (GetNewNeedState(NEED_UI_CONFIRM) || NewClick(SDL_BUTTON_LEFT))
				{
					gMenuRun.state = MENU_STATE_CAPTURE_MOUSE;
					gCaptureArmed = false;
					ShowCaptureWaiting(row, 1, STR_CAPTURE_MOUSE_WAITING, -1, -1);
				}
				break;
		}
	}

	void FinishCapture(MenuRow& row, CaptureResult result)
	{
		if (result == CAPTURE_WAITING)
			return;
		PlayMenuEffect(result == CAPTURE_DONE ? EFFECT_ATOMCHIME : EFFECT_NOJUMPJET);
		// Captured or not, every slot shows what is bound now (a capture may
		// have taken the input away from another row).
		for (int i = 0; i < gMenuRun.numRows; i++)
		{
			MenuRow& other = gMenuRun.rows[i];
			const int kind = other.item->kind;
			if (kind == MENU_ITEM_KEY_BINDING || kind == MENU_ITEM_PAD_BINDING || kind == MENU_ITEM_MOUSE_BINDING)
				SetBindingCells(other);
		}
		if (row.item->kind == MENU_ITEM_KEY_BINDING)
			SetRowText(STR_KEYBOARD_INSTRUCTIONS, STR_KEYBOARD_INSTRUCTIONS);
		else if (row.item->kind == MENU_ITEM_PAD_BINDING)
			SetRowText(STR_GAMEPAD_INSTRUCTIONS, STR_GAMEPAD_INSTRUCTIONS);
		gMenuRun.state = MENU_STATE_ACTIVE;
	}

	void UpdateCapture()
	{
		MenuRow* row = SelectedRow();
		if (!row)
		{
			gMenuRun.state = MENU_STATE_ACTIVE;
			return;
		}
		const int need = row->item->need;
		switch (gMenuRun.state)
		{
			case MENU_STATE_CAPTURE_KEY:
				FinishCapture(*row, PollKeyCapture(need, gMenuRun.keySlot));
				break;
			case MENU_STATE_CAPTURE_PAD:
				if (!gCaptureArmed)
					gCaptureArmed = !GetNeedState(NEED_UI_CONFIRM);
				FinishCapture(*row, gCaptureArmed ? PollPadCapture(need, gMenuRun.padSlot)
						: (GetNewKeyState(SDL_SCANCODE_ESCAPE) ? CAPTURE_CANCELLED : CAPTURE_WAITING));
				break;
			case MENU_STATE_CAPTURE_MOUSE:
				if (!gCaptureArmed)
					gCaptureArmed = !GetNeedState(NEED_UI_CONFIRM);
				FinishCapture(*row, gCaptureArmed ? PollMouseCapture(need)
						: (GetNewKeyState(SDL_SCANCODE_ESCAPE) ? CAPTURE_CANCELLED : CAPTURE_WAITING));
				break;
		}
	}
}

bool IsMenuItemSelectable(int kind)
{
	switch (kind)
	{
		case MENU_ITEM_ACTION:
		case MENU_ITEM_SUBMENU:
		case MENU_ITEM_CYCLER:
		case MENU_ITEM_PICK:
		case MENU_ITEM_KEY_BINDING:
		case MENU_ITEM_PAD_BINDING:
		case MENU_ITEM_MOUSE_BINDING:
			return true;
		default:
			return false;
	}
}

float MenuItemHeightFactor(int kind)
{
	switch (kind)
	{
		case MENU_ITEM_TITLE: return 1.4f;
		case MENU_ITEM_SUBTITLE: return 0.8f;
		case MENU_ITEM_SPACER: return 0.5f;
		default: return 1.0f;
	}
}

int CountCyclerChoices(const MenuItem* item)
{
	int count = item->cycler.countChoices ? item->cycler.countChoices() : item->cycler.numChoices;
	GAME_ASSERT_MESSAGE(count <= MAX_MENU_CYCLER_CHOICES || item->cycler.choiceText, "numChoices <= MAX_MENU_CYCLER_CHOICES");
	return std::max(count, 0);
}

int GetCyclerValue(const MenuItem* item)
{
	const int count = CountCyclerChoices(item);
	if (count <= 0 || !item->cycler.value)
		return 0;
	// A byte from an old or damaged preferences file may lie past the choices.
	return std::min(int(*item->cycler.value), count - 1);
}

void LayOutMenu(const MenuItem* menu)
{
	GAME_ASSERT(menu);
	MenuRun& run = gMenuRun;
	if (run.menu && run.menu == run.rootMenu)
		run.rootRow = run.selectedRow;
	if (menu != run.menu)
		run.selectedRow = (menu == run.rootMenu) ? run.rootRow : -1;
	run.menu = menu;

	run.numRows = 0;
	run.mouseHoverValidRow = false;
	run.hoveredColumn = -1;

	// Rows fill their slots from the top first; their y and columns are placed
	// once every cell's text is known.
	const float rowHeight = MenuRowHeight(run.style);
	float total = 0;
	float slideIn = 0;
	for (const MenuItem* item = menu; item->kind != MENU_ITEM_END; item++)
	{
		GAME_ASSERT_MESSAGE(run.numRows < MAX_MENU_ROWS, "gNumMenuEntries < MAX_MENU_ROWS");
		MenuRow& row = run.rows[run.numRows++];
		row = MenuRow{};
		row.item = item;
		row.y = total;
		row.slideIn = slideIn;
		LayOutRowCells(row);
		total += RowSlot(rowHeight, item->kind, KindScale(run.style, item->kind));
		if (item->kind != MENU_ITEM_SPACER)
			slideIn -= SLIDE_IN_STAGGER;
	}
	PlaceRows(total, rowHeight);
	PlaceColumns();

	if (run.selectedRow >= run.numRows || (run.selectedRow >= 0 && !IsMenuItemSelectable(run.rows[run.selectedRow].item->kind)))
		run.selectedRow = -1;
	if (run.selectedRow < 0)
	{
		for (int i = 0; i < run.numRows; i++)
		{
			if (IsMenuItemSelectable(run.rows[i].item->kind))
			{
				run.selectedRow = i;
				break;
			}
		}
	}
	run.layoutCount++;
	run.cellsDirty = true;
}

void LayoutCurrentMenuAgain()
{
	GAME_ASSERT_MESSAGE(gMenuRun.menu, "gMenu");
	const int selected = gMenuRun.selectedRow;
	LayOutMenu(gMenuRun.menu);
	if (selected >= 0 && selected < gMenuRun.numRows && IsMenuItemSelectable(gMenuRun.rows[selected].item->kind))
		gMenuRun.selectedRow = selected;
}

void SetRowText(int findText, int showText)
{
	for (int i = 0; i < gMenuRun.numRows; i++)
	{
		MenuRow& row = gMenuRun.rows[i];
		if (row.item->text == findText && row.hasCell[0])
			SetCell(row, 0, GetString(showText), row.cellColor[0]);
	}
}

void MoveMenuSelection(int direction)
{
	MenuRun& run = gMenuRun;
	if (run.numRows <= 0)
		return;
	int row = run.selectedRow < 0 ? (direction > 0 ? -1 : 0) : run.selectedRow;
	for (int tries = 0; tries < run.numRows; tries++)
	{
		row = ((row + direction) % run.numRows + run.numRows) % run.numRows;
		if (IsMenuItemSelectable(run.rows[row].item->kind))
		{
			run.selectedRow = row;
			break;
		}
	}
	PlayMenuEffect(EFFECT_WEAPONCLICK);
	run.mouseHoverValidRow = false;
}

void MenuCallback_Back(const MenuItem*)
{
	CloseOrReturnToRoot();
}

void NavigateMenu()
{
	MenuRun& run = gMenuRun;
	GAME_ASSERT_MESSAGE(run.style.isInteractive, "gMenuStyle->isInteractive");

	if (GetNewNeedState(NEED_UI_BACK))
	{
		CloseOrReturnToRoot();
		return;
	}
	if (GetNewNeedState(NEED_UI_UP))
		MoveMenuSelection(-1);
	else if (GetNewNeedState(NEED_UI_DOWN))
		MoveMenuSelection(+1);

	MenuRow* row = SelectedRow();
	if (!row)
		return;
	const MenuItem* item = row->item;
	// Binding rows read the click themselves (it starts a capture there).
	const bool bindingRow = item->kind == MENU_ITEM_KEY_BINDING || item->kind == MENU_ITEM_PAD_BINDING
			|| item->kind == MENU_ITEM_MOUSE_BINDING;
	const bool confirm = !bindingRow && (GetNewNeedState(NEED_UI_CONFIRM) || NewClick(SDL_BUTTON_LEFT));

	switch (item->kind)
	{
		case MENU_ITEM_ACTION:
			if (confirm)
			{
				PlayMenuEffect(item->action == MenuCallback_Back && run.style.playMenuSounds ? EFFECT_MENUCHANGE : EFFECT_ATOMCHIME);
				if (item->action)
					item->action(item);
			}
			break;
		case MENU_ITEM_SUBMENU:
			if (confirm && item->submenu)
			{
				if (run.style.playMenuSounds)
					PlayMenuEffect(EFFECT_MENUCHANGE);
				FlushInputEvents();
				LayOutMenu(item->submenu);
			}
			break;
		case MENU_ITEM_CYCLER:
			if (GetNewNeedState(NEED_UI_LEFT) || GetNewNeedState(NEED_UI_PREV) || NewClick(SDL_BUTTON_RIGHT))
				StepCycler(*row, -1);
			else if (GetNewNeedState(NEED_UI_RIGHT) || GetNewNeedState(NEED_UI_NEXT) || confirm)
				StepCycler(*row, +1);
			break;
		case MENU_ITEM_PICK:
			if (confirm)
			{
				run.result = item->pick;
				CloseOrReturnToRoot();
			}
			break;
		case MENU_ITEM_KEY_BINDING:
		case MENU_ITEM_PAD_BINDING:
		case MENU_ITEM_MOUSE_BINDING:
			NavigateBindingRow(*row);
			break;
	}
}

void BeginMenuRun(const MenuItem* menu, const MenuStyle* style)
{
	gMenuRun = MenuRun{};
	gMenuRun.style = style ? *style : kDefaultMenuStyle;
	gMenuRun.rootMenu = menu;
	gMenuRun.state = MENU_STATE_FADING_IN;
	gCaptureArmed = false;
	LayOutMenu(menu);
}

void UpdateMenuRun(float frameTime)
{
	MenuRun& run = gMenuRun;
	if (run.style.startButtonCloses && GetNewNeedState(NEED_UI_START) && run.state != MENU_STATE_CLOSED)
		run.state = MENU_STATE_FADING_OUT;

	for (int i = 0; i < run.numRows; i++)
		run.rows[i].slideIn = std::min(1.0f, run.rows[i].slideIn + 5.0f * frameTime);

	switch (run.state)
	{
		case MENU_STATE_FADING_IN:
			run.fade += frameTime * run.style.fadeInSpeed;
			if (run.fade >= 1)
			{
				run.fade = 1;
				run.state = MENU_STATE_ACTIVE;
			}
			break;
		case MENU_STATE_ACTIVE:
			if (run.style.isInteractive)
			{
				NavigateMenu();
			}
			else if (UserWantsOut())
			{
				CloseOrReturnToRoot();
			}
			break;
		case MENU_STATE_FADING_OUT:
			if (run.style.asyncFadeOut)
			{
				run.state = MENU_STATE_CLOSED;
			}
			else
			{
				run.fade -= CAPTURE_FADE_OUT_SPEED * frameTime;
				if (run.fade <= 0)
				{
					run.fade = 0;
					run.state = MENU_STATE_CLOSED;
				}
			}
			break;
		case MENU_STATE_CAPTURE_KEY:
		case MENU_STATE_CAPTURE_PAD:
		case MENU_STATE_CAPTURE_MOUSE:
			UpdateCapture();
			break;
	}
}

//
// Room for a cell's text
//


float MenuColumnX(const MenuStyle& style, int column)
{
	const float x = COLUMN_X[std::min(column, 3)];
	if (style.centered)
		return column == 0 ? 0 : x;
	return x - COLUMN_SHIFT;
}

namespace
{
	float CellRoom(const float* columnX, bool centered, const MenuRow& row, int column)
	{
		const float x = columnX[column];
		for (int next = column + 1; next < MAX_MENU_COLUMNS; next++)
			if (row.hasCell[next])
				return columnX[next] - x - CELL_GAP;
		// Centred text spreads both ways from x.
		if (centered && column == 0)
			return 2 * (NARROWEST_HALF_WIDTH - CELL_GAP);
		return NARROWEST_HALF_WIDTH - CELL_GAP - x;
	}
}

float MenuCellRoom(const MenuStyle& style, const MenuRow& row, int column)
{
	float columnX[MAX_MENU_COLUMNS];
	for (int c = 0; c < MAX_MENU_COLUMNS; c++)
		columnX[c] = MenuColumnX(style, c);
	return CellRoom(columnX, style.centered, row, column);
}

float MenuRunCellRoom(int row, int column)
{
	GAME_ASSERT(row >= 0 && row < gMenuRun.numRows && column >= 0 && column < MAX_MENU_COLUMNS);
	return CellRoom(gMenuRun.columnX, gMenuRun.style.centered, gMenuRun.rows[row], column);
}

float MenuRowHeight(const MenuStyle& style)
{
	return std::max(style.rowHeight, LINE_SHARE * FontLine() * style.standardScale);
}

float MenuRowScale(const MenuRow& row)
{
	return KindScale(gMenuRun.style, row.item->kind) * gMenuRun.fit;
}

float MenuCellScale(const char* text, float rowScale, float room)
{
	// Glyph advances are in font units; a text node lays them out at half size.
	const float width = 0.5f * TextMesh_GetCharX(text, MENU_CELL_TEXT_BYTES) * rowScale;
	return width > room && width > 0 ? rowScale * room / width : rowScale;
}
