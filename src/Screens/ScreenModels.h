// Model numbers inside the screens' model files, shared by the game and the
// baker that writes them. Each file loads into MODEL_GROUP_LEVELSPECIFIC.
#pragma once

constexpr const char* MAINMENU_MODEL_FILE = ":Models:mainmenu.bg3d";
constexpr const char* LEVELINTRO_MODEL_FILE = ":Models:LevelIntro.bg3d";
constexpr const char* LOSESCREEN_MODEL_FILE = ":Models:losescreen.bg3d";
constexpr const char* WINSCREEN_MODEL_FILE = ":Models:winscreen.bg3d";

enum
{
	MAINMENU_MODEL_CHOICE_FIRST = 0,		// the first seven turntable choices: 0..6
	MAINMENU_MODEL_TURNTABLE = 7,
	MAINMENU_MODEL_TITLE = 8,
	MAINMENU_MODEL_BACKGROUND_BIT = 10,
	MAINMENU_MODEL_DRIFTER_FIRST = 11,		// things that drift across: 11..20
	MAINMENU_NUM_DRIFTERS = 10,
	MAINMENU_MODEL_INFO_PICTURE = 21,
	MAINMENU_MODEL_INFO_GLOW = 22,
	MAINMENU_MODEL_CHOICE_REPLAYS = 23,		// the eighth choice, added after the others
	MAINMENU_NUM_MODELS = 24,
};

enum
{
	LEVELINTRO_MODEL_PLANET = 0,
	LEVELINTRO_MODEL_SAUCER = 1,
	LEVELINTRO_NUM_MODELS = 2,
};

enum
{
	LOSESCREEN_MODEL_BELT = 0,
	LOSESCREEN_MODEL_MACHINE = 1,			// the captives on the belt are the humans' own skeletons
	LOSESCREEN_NUM_MODELS = 2,
};

enum
{
	// The hero flies round the earth (its own skeleton), the rescued humans
	// (theirs) stand on the hill of home in front.
	WINSCREEN_MODEL_EARTH = 0,
	WINSCREEN_MODEL_TITLE = 1,
	WINSCREEN_MODEL_STAR = 2,				// the field behind the earth
	WINSCREEN_MODEL_ALIEN_SAUCER = 3,		// the invaders leaving for good
	WINSCREEN_MODEL_FIREWORK = 4,			// one spark of a burst over the earth
	WINSCREEN_MODEL_HOME_HILL = 5,			// a green hill with houses
	WINSCREEN_NUM_MODELS = 6,
};

// The scene after the jungle level's tally: night falls on a clearing, the
// robot walks in, and the pitcher plant whose arena comes next rises out of
// the ground.
constexpr const char* JUNGLEWAKES_MODEL_FILE = ":Models:junglewakes.bg3d";

enum
{
	JUNGLEWAKES_MODEL_GROUND = 0,
	JUNGLEWAKES_MODEL_TREE_FIRST = 1,		// two kinds of jungle tree: 1, 2
	JUNGLEWAKES_NUM_TREES = 2,
	JUNGLEWAKES_MODEL_FERN = 3,
	JUNGLEWAKES_MODEL_FIREFLY = 4,
	JUNGLEWAKES_MODEL_MOON = 5,
	JUNGLEWAKES_MODEL_MOUND = 6,			// the heaving earth the plant breaks out of
	JUNGLEWAKES_NUM_MODELS = 7,
};

// Sprite sets of the screens, loaded into SPRITE_GROUP_LEVELSPECIFIC by the
// screen that shows them (":sprites:<set>:<set>NNN.tga").
constexpr const char* LEGAL_SPRITE_SET = "legal";
constexpr const char* LOSE_SPRITE_SET = "lose";
constexpr const char* WIN_PANEL_SPRITE_SET = "winpanel";

enum
{
	LEGAL_SPRITE_PANEL = 0,			// the frame the notice's lines sit on (512 × 256)
	NUM_LEGAL_SPRITES = 1,
};

enum
{
	LOSE_SPRITE_BANNER = 0,			// hazard-striped banner behind "Game Over" (512 × 128)
	LOSE_SPRITE_BACKDROP = 1,		// the alien ship's hold, behind the belt (256 × 256)
	NUM_LOSE_SPRITES = 2,
};

enum
{
	WIN_PANEL_SPRITE_FIRST = 0,		// one picture per closing text panel (256 × 256)
	NUM_WIN_PANEL_SPRITES = 3,
};
