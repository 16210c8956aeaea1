// The screens between levels: the start-up notice, the main menu, the level
// intro, the lose and win screens, and the two cheats (level select before a
// new game, the warp list during play). The bonus tally belongs to the
// high-score and saved-game module. Each screen loads what it shows, runs
// until its clock ends or the player acknowledges, fades out and frees it all.
#pragma once

void DoLegalScreen();
// Runs until a game is to start; leaves the start level in gCurrentLevel.
void DoMainMenu();
void DoLevelIntro();
void DoBonusScreen();
void DoLoseScreen();
void DoWinScreen();
// The level chosen (0..9), or -1 when backed out.
int DoLevelSelectCheat();

// The menus the main menu runs, for the text-fit checks: the credits (with
// their style) and the level select.
struct MenuItem;
struct MenuStyle;
extern const MenuItem kCreditsMenu[];
extern const MenuStyle kCreditsMenuStyle;
const MenuItem* LevelSelectMenu();

// The single-line texts the screens show over the whole overlay, with the
// scale each is drawn at (the level intro shows every level's name).
struct ScreenText
{
	int text;			// string number
	float scale;
};
constexpr float LEVEL_NAME_SCALE = 1.2f;
constexpr float LEVEL_NUMBER_SCALE = 0.6f;
constexpr float GAME_OVER_SCALE = 1.3f;
constexpr float WIN_TITLE_SCALE = 1.0f;
constexpr float WIN_PANEL_TEXT_SCALE = 0.6f;
constexpr float LEGAL_NOTICE_SCALE = 0.55f;
constexpr float LEGAL_NOTICE_2_SCALE = 0.45f;
constexpr float JUNGLE_WAKES_LINE_SCALE = 0.6f;		// the line under the scene after the jungle's tally
extern const ScreenText kScreenTexts[];
extern const int kNumScreenTexts;
void DoWarpCheat();

// Automated runs that name a level (the autopilot, replays, tests) play
// levels only: the screens between them are left out and the main menu
// starts the next run at level 0 at once.
bool AutomatedRunSkipsScreens();

// Whether the level intro is shown for the current level (not with
// skip-fluff, not on levels whose table row says so), and for how long.
bool LevelIntroIsShown();
float LevelIntroSeconds();

// Shared by the screens: a view of their own, and a frame loop that runs
// until `seconds` pass (0: no limit) or, once `lockSeconds` have passed, the
// player acknowledges. `everyFrame` runs after the objects move. Returns the
// seconds that passed.
struct ScreenViewParams
{
	float clearR, clearG, clearB;
	float yon;
	bool fog;
	float fromY, fromZ;			// the camera looks from (0, fromY, fromZ) ...
	float toY = 0;				// ... at (0, toY, 0)
};
void SetupScreenView(const ScreenViewParams& params);
float RunScreenLoop(float seconds, float lockSeconds, void (*everyFrame)(float time));
// Fades out (unless skip-fluff) and frees the screen's objects, models and view.
void EndScreen();
