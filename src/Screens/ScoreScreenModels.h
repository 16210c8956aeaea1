// Model numbers and sprite sets of the two score screens, shared by the game
// and the baker that writes them: the bonus tally after a level (a teleport
// pad the rescued humans arrive on, the weapons left over counted into a
// hopper, the bits drifting behind) and the high-score entry (the hero on a
// winners' podium). Both files load into MODEL_GROUP_LEVELSPECIFIC and both
// sets into SPRITE_GROUP_LEVELSPECIFIC.
#pragma once

constexpr const char* BONUS_MODEL_FILE = ":Models:bonus.bg3d";
constexpr const char* HIGHSCORES_MODEL_FILE = ":Models:highscores.bg3d";

enum
{
	BONUS_MODEL_WEAPON_FIRST = 0,		// one token per weapon type 0..7, by its type number
	BONUS_NUM_WEAPON_MODELS = 8,
	BONUS_MODEL_PAD = 8,				// the teleport pad the humans arrive on
	BONUS_MODEL_BEAM = 9,				// the glowing column of an arrival
	BONUS_MODEL_HOPPER = 10,			// the counting machine the tokens drop into
	BONUS_MODEL_BACKGROUND_BIT = 11,	// the drifting field behind the tally
	BONUS_NUM_MODELS = 12,
};

enum
{
	HIGHSCORES_MODEL_PODIUM = 0,		// three steps, the hero on the top one
	HIGHSCORES_MODEL_TROPHY = 1,
	HIGHSCORES_MODEL_STAR = 2,			// stars circling the podium
	HIGHSCORES_NUM_MODELS = 3,
};

constexpr const char* BONUS_SPRITE_SET = "bonus";
constexpr const char* HIGHSCORES_SPRITE_SET = "highscores";

enum
{
	BONUS_SPRITE_PANEL = 0,			// the frame behind the tally's numbers (512 × 256)
	BONUS_SPRITE_SPARK = 1,			// the flash as a token is counted (64 × 64)
	NUM_BONUS_SPRITES = 2,
};

enum
{
	HIGHSCORES_SPRITE_BACKDROP = 0,	// the spotlit stage behind the podium (256 × 256)
	HIGHSCORES_SPRITE_SCORE_PLATE = 1,	// the plate under the big score (512 × 128)
	NUM_HIGHSCORES_SPRITES = 2,
};
