// The menu engine. Every in-game menu (pause, settings and its submenus, the
// key, mouse and pad remapping screens, notices, the slot screen, the level
// select) is data: a constant array of MenuItem rows ended by a MENU_ITEM_END
// row. StartMenu runs any of them over whatever scene the caller keeps
// drawing, with keyboard, pad and mouse navigation, cyclers that edit a
// preference byte, and remapping rows that capture a new input.
//
// Menu.cpp is the GL-free half: the row table (kinds, positions, the text of
// every cell), selection, back-out, cyclers, picks and captures. MenuDraw.cpp
// turns the table into text nodes, flickers and slides them, hit-tests the
// mouse, and holds the frame loop of StartMenu.
#pragma once

#include "System/Math.h"

#include <cstdint>

struct MenuItem;

constexpr int MAX_MENU_ROWS = 32;
constexpr int MAX_MENU_COLUMNS = 5;
constexpr int MAX_MENU_CYCLER_CHOICES = 8;
constexpr int MENU_CELL_TEXT_BYTES = 128;

enum MenuItemKind
{
	MENU_ITEM_END = 0,			// ends the array
	MENU_ITEM_TITLE,			// title scale and colour
	MENU_ITEM_SUBTITLE,			// subtitle scale, title colour
	MENU_ITEM_LABEL,			// idle colour, not selectable
	MENU_ITEM_ACTION,			// confirming calls `action`
	MENU_ITEM_SUBMENU,			// confirming lays out `submenu`
	MENU_ITEM_SPACER,			// half a row of nothing
	MENU_ITEM_CYCLER,			// "label:" and the current choice of `cycler`
	MENU_ITEM_PICK,				// confirming ends the menu with `pick`
	MENU_ITEM_KEY_BINDING,		// need name and its two keys
	MENU_ITEM_PAD_BINDING,		// need name and its two pad inputs
	MENU_ITEM_MOUSE_BINDING,	// need name and its mouse button
	NUM_MENU_ITEM_KINDS
};

enum MenuState
{
	MENU_STATE_CLOSED = 0,
	MENU_STATE_FADING_IN,
	MENU_STATE_ACTIVE,
	MENU_STATE_FADING_OUT,
	MENU_STATE_CAPTURE_KEY,
	MENU_STATE_CAPTURE_PAD,
	MENU_STATE_CAPTURE_MOUSE,
};

using MenuTextGenerator = const char* (*)(const MenuItem* item);
using MenuAction = void (*)(const MenuItem* item);
using MenuChoiceCounter = int (*)();
// Writes the text of choice `index` into `buffer` (`size` bytes) and returns it.
using MenuChoiceText = const char* (*)(char* buffer, int size, int index);

// What a cycler edits and shows.
struct MenuCycler
{
	uint8_t* value = nullptr;					// the one-byte setting
	MenuAction onChange = nullptr;				// after each change
	bool displayOnly = false;					// shown, never changed
	uint8_t numChoices = 0;						// at most MAX_MENU_CYCLER_CHOICES
	int choices[MAX_MENU_CYCLER_CHOICES] = {};	// string number of each choice
	MenuChoiceCounter countChoices = nullptr;	// instead of numChoices when set
	MenuChoiceText choiceText = nullptr;		// instead of the strings when set
};

// One row. Fill the fields the kind uses; the text is `generator`'s, else
// `rawText`, else localized string `text`.
struct MenuItem
{
	int kind = MENU_ITEM_END;
	int text = -1;								// string number; -1: none
	const char* rawText = nullptr;
	MenuTextGenerator generator = nullptr;
	MenuAction action = nullptr;				// MENU_ITEM_ACTION
	const MenuItem* submenu = nullptr;			// MENU_ITEM_SUBMENU
	MenuCycler cycler = {};						// MENU_ITEM_CYCLER
	int pick = 0;								// MENU_ITEM_PICK: the result code
	int need = 0;								// remapping rows: remappable need 0..11
};

// The look and some behaviour of one run of a menu.
struct MenuStyle
{
	bool darkenPane = true;
	float fadeInSpeed = 3.0f;					// per second
	bool asyncFadeOut = true;					// texts fade on after the menu returns
	bool centered = false;
	OGLColorRGBA titleColor = {1.0f, 1.0f, 0.7f, 1.0f};
	OGLColorRGBA idleColor = {0.3f, 0.5f, 0.2f, 1.0f};
	OGLColorRGBA labelColor = {0.8f, 0.0f, 0.5f, 0.5f};	// remapping rows' need names
	float standardScale = 0.75f;
	float titleScale = 1.25f;
	float subtitleScale = 0.5f;
	float rowHeight = 19.5f;					// 2D overlay units; at least the font's line at the standard scale
	float minHalfWidthForHits = 0;				// mouse hit boxes are at least this wide
	bool playMenuSounds = true;
	float paneHeight = 480;						// overlay units
	float paneAlpha = 0.8f;
	bool startButtonCloses = false;
	bool isInteractive = true;					// false: any acknowledgement closes it
};

extern const MenuStyle kDefaultMenuStyle;
extern const MenuStyle kPauseMenuStyle;

// Called each frame of a menu: the caller keeps its scene alive.
using MenuMoveRoutine = void (*)();
using MenuDrawRoutine = void (*)();

// Runs `menu` until it closes and returns the result code (-1 unless a pick
// set it). `style` null: the default style. The caller's move routine runs
// every frame after the objects move; its draw routine draws the scene.
int StartMenu(const MenuItem* menu, const MenuStyle* style, MenuMoveRoutine moveRoutine, MenuDrawRoutine drawRoutine);

// Builds the rows of a menu (it becomes the current one).
void LayOutMenu(const MenuItem* menu);
// Lays the current menu out again (after a language change or a reset).
void LayoutCurrentMenuAgain();
// One frame of interaction in the active state.
void NavigateMenu();
// The row whose text is string `findText` now shows string `showText`.
void SetRowText(int findText, int showText);

// The action that backs out: in a submenu back to the root, at the root closes.
void MenuCallback_Back(const MenuItem* item);

//
// The run in progress (the GL-free half; tests and the drawing read these)
//

struct MenuRow
{
	const MenuItem* item;
	float y;									// overlay units, y downward, centred on 0
	float slideIn;								// < 0 hidden, 0..1 sliding in, 1 in place
	bool hasCell[MAX_MENU_COLUMNS];
	char cell[MAX_MENU_COLUMNS][MENU_CELL_TEXT_BYTES];
	int cellColor[MAX_MENU_COLUMNS];			// MENU_COLOR_…
};

enum
{
	MENU_COLOR_IDLE,
	MENU_COLOR_TITLE,
	MENU_COLOR_LABEL,
};

struct MenuRun
{
	const MenuItem* menu = nullptr;				// laid out now
	const MenuItem* rootMenu = nullptr;
	MenuStyle style = {};
	int state = MENU_STATE_CLOSED;
	float fade = 0;
	int result = -1;
	int numRows = 0;
	MenuRow rows[MAX_MENU_ROWS] = {};
	int selectedRow = -1;
	int rootRow = -1;							// the root's row while a submenu is up
	int keySlot = 0;							// 0 or 1
	int padSlot = 0;
	bool mouseHoverValidRow = false;
	int hoveredColumn = -1;
	float fit = 1;								// < 1: a menu taller than the screen is drawn smaller
	float columnX[MAX_MENU_COLUMNS] = {};		// where each column starts in this layout
	float paneHeight = 0;						// the darkening pane covers every row
	uint32_t layoutCount = 0;					// bumped by each layout (the drawing rebuilds)
	bool cellsDirty = false;					// a cell's text changed since the drawing looked
};

extern MenuRun gMenuRun;

// Starts a run without a window or a frame loop (the GL-free half alone):
// the state becomes active and the root is laid out.
void BeginMenuRun(const MenuItem* menu, const MenuStyle* style);
// The state machine of one frame, after UpdateInput: start-button close,
// fade in, navigation, captures, fade out.
void UpdateMenuRun(float frameTime);
// Moves the selection by ±1 to the next selectable row, wrapping.
void MoveMenuSelection(int direction);
bool IsMenuItemSelectable(int kind);
// Height factor of a kind (a row takes rowHeight × factor).
float MenuItemHeightFactor(int kind);
// Where column `column` starts in the overlay by the style's table (x, 0 at
// the centre). A layout moves columns right when the texts before them need
// the room, and the whole block left when it would run off the screen
// (`MenuRun::columnX`).
float MenuColumnX(const MenuStyle& style, int column);
// The space one row of factor 1 takes: the style's row height, or more when
// the font's lines at the standard scale are taller (with the metrics loaded).
float MenuRowHeight(const MenuStyle& style);
// The scale a row of the current run is drawn at (its kind's scale × the fit).
float MenuRowScale(const MenuRow& row);
// MenuCellRoom for a cell of the current run, with the run's columns.
float MenuRunCellRoom(int row, int column);
// Overlay units a cell of the row may take before it runs into the row's next
// cell or off the narrowest overlay (640 wide), a small gap kept.
float MenuCellRoom(const MenuStyle& style, const MenuRow& row, int column);
// The scale a cell's text is drawn at: the row's scale, or less when the text
// would not fit its room (needs the font's metrics).
float MenuCellScale(const char* text, float rowScale, float room);

// Current value of a cycler, clamped into its choices (0 with none).
int GetCyclerValue(const MenuItem* item);
// Number of choices a cycler offers now (its counter or its count), 0..8.
int CountCyclerChoices(const MenuItem* item);
