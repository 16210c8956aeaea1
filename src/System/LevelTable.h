// The level table: everything the code knows about each level, one row per
// level (kLevelDefs[NUM_LEVELS], in LevelTable.cpp). The game reads a row to
// set the level up, load its content and apply its rules; the content baker
// (tools/bake, which links the game library) reads the same rows for the
// names of the files it writes, so both agree on every name and number.
//
// Units: lengths in world units (a terrain tile is 225), times in seconds,
// angles in radians, colours 0 … 1. Data only: no code here runs the rules.
#pragma once

#include "3D/SkeletonTypes.h"
#include "System/Game.h"
#include "System/SoundTable.h"

#include <cstdint>

// The view a level is drawn with (OGL_SetupWindow).
struct LevelView
{
	float clearColor[3];			// also the fog colour
	bool clearBackBuffer;			// false: the backdrop or sky covers the whole frame
	bool useFog;
	float fogStart;					// units from the camera
	float fogEnd;
	float yon;						// far plane (the near plane is 50 on every level)
	bool drawLensFlare;
};

// The lights: one fill light and the ambient light.
struct LevelLights
{
	float ambientColor[3];
	float direction[3];				// the fill light's direction, before normalisation
	float fillColor[4];
};

// Objects flagged STATUS_BIT_AUTOFADE fade out between these distances,
// given as fractions of the view's yon. A start of 0: no fading (the end is
// then not read).
struct LevelAutoFade
{
	float startOfYon;
	float endOfYon;
};

// The sky sheet over (or, on the cloud level, under) the camera
// (src/Effects/Sky*.cpp); its image is image 0 of the level's sprite set.
struct LevelSky
{
	bool hasSky;
	float height;					// y of the sheet's centre; negative: below
	float curvature;				// drop per unit of distance from the centre
	float jitter;					// random shift of the grid points, in cells
	bool fadeEdges;					// edges fade into the fog
	bool drawnFirst;				// drawn before everything (slot 0), else after the terrain (slot 2)
	bool additive;					// blended additively (the burning city's haze)
};

// A ripple spreading over the terrain for the whole level (MakeWaveDeformation).
struct LevelWave
{
	float amplitude;				// units; 0: no wave
	float speed;					// units per second
	float frequency;				// radians per unit
	float centerXOfMapWidth;		// centre, as fractions of the map's width and depth
	float centerZOfMapDepth;
};

// A texture scroll on a model of the level's model file (group 1), applied
// every frame while that model is loaded.
struct LevelUVScroll
{
	uint16_t model;					// model number in the level's model file
	int geometry;					// geometry of that model; -1: every geometry of the model
	float du;						// texture units per second
	float dv;
};

// How the robot arrives.
enum LevelPlayerStart : uint8_t
{
	PLAYER_START_LANDING_SAUCER,	// a saucer lands and lets it out
	PLAYER_START_ON_FOOT,			// it stands at the start at once
	PLAYER_START_FLYING_SAUCER,		// it flies its own saucer all level (the camera and respawn follow the saucer)
};

// Things made at level start, in this order (InitLevel).
enum : uint32_t
{
	LEVEL_SETUP_BLOB_BOSS_MACHINE = 1u << 0,
	LEVEL_SETUP_ZIP_LINES = 1u << 1,
	LEVEL_SETUP_TELEPORTERS = 1u << 2,
	LEVEL_SETUP_POD_WORMS = 1u << 3,		// the pod worms' shared state is reset
	LEVEL_SETUP_BUMPER_CARS = 1u << 4,
	LEVEL_SETUP_JUNGLE_BOSS = 1u << 5,
	LEVEL_SETUP_BRAIN_BOSS_PORTALS = 1u << 6,
};

// Per-level rules the modules look up in the current row.
enum : uint32_t
{
	// Tiles with TILE_ATTRIB_HOLE are holes: height queries say
	// TERRAIN_HEIGHT_HOLE there, pure black texels are see-through, and a
	// robot that falls through dies.
	LEVEL_RULE_TERRAIN_HOLES = 1u << 0,
	LEVEL_RULE_TERRAIN_TWO_SIDED = 1u << 1,		// the terrain is seen from below too: back faces drawn
	LEVEL_RULE_LIVE_GROUND = 1u << 2,			// landing on the ground hurts and throws the robot up
	LEVEL_RULE_EXIT_ALWAYS_OPEN = 1u << 3,		// the exit saucer opens without a full exit charge
	LEVEL_RULE_EXIT_SAUCER_STAYS = 1u << 4,		// the waiting exit saucer is kept when out of range
	LEVEL_RULE_EXIT_BEAMS_UP = 1u << 5,			// the exit saucer beams the robot up instead of carrying it off
	LEVEL_RULE_CLOUD_CLOCK = 1u << 6,			// gLevel.cloudClock runs
	LEVEL_RULE_WOBBLE_CLOCK = 1u << 7,			// gLevel.wobbleAngle turns
	// Humans are the saucer's to pick up: half size, kept when out of range,
	// beamed up and delivered rather than rescued by touch.
	LEVEL_RULE_SAUCER_HUMANS = 1u << 8,
	LEVEL_RULE_BALLOON_PODS = 1u << 9,			// power-up pods may hang under balloons (the level's models 21, 22)
	LEVEL_RULE_GROWTH_PICKUPS = 1u << 10,		// pods may hold the growth pick-up (the level's model 8)
	LEVEL_RULE_DIM_PODS = 1u << 11,				// pods carry 4 lights, not 8 (a busy arena)
	// The way out is the exit lift, sealed under ice that a creature of the
	// level breaks (route checks, which do not wait for it, start with the ice broken).
	LEVEL_RULE_EXIT_UNDER_ICE = 1u << 12,
	LEVEL_RULE_EXIT_AFTER_BOSS = 1u << 13,		// the exit saucer opens only once the level's boss is dead
	LEVEL_RULE_RIPPLING_GROUND = 1u << 14,		// a hard landing sends a ring wave through the soft ground
	LEVEL_RULE_SPIKES_POP_BUBBLES = 1u << 15,	// the level's models 26 and 27 are spiky: their points pop a carrying bubble
	LEVEL_RULE_FENCES_ON_GROUND = 1u << 16,		// fence bottoms stand on the ground instead of reaching into it
	// The level's model 8 is its own growth vial: the pick-up, and the empty
	// one a robot throws away (elsewhere the robot's held vial stands for both).
	LEVEL_RULE_OWN_GROWTH_VIAL = 1u << 17,
	LEVEL_RULE_NO_RAIDER_SAUCERS = 1u << 18,	// no raider saucer comes for humans or sprouts here
	LEVEL_RULE_NO_INTRO = 1u << 20,				// the level starts without its intro screen (boss arenas)
	LEVEL_RULE_SHORT_INTRO = 1u << 21,			// the intro screen lasts 5 s instead of 11
	LEVEL_RULE_BARE_BONUS_TALLY = 1u << 22,		// the tally after the level has no drifting field behind it
	LEVEL_RULE_SCENE_AFTER_TALLY = 1u << 23,	// after the tally, the scene of what wakes next (AfterTallyScene.h)
	LEVEL_RULE_BLOBS_CHASE = 1u << 27,			// full-grown warm blobs chase the robot (elsewhere they keep their place)
};

constexpr int MAX_LEVEL_SKELETONS = 4;
constexpr int MAX_LEVEL_WAVES = 2;
constexpr int MAX_LEVEL_UV_SCROLLS = 6;

// The models and sounds a level's rides use (0: the level has none).
struct LevelRides
{
	int zipPostModel, zipPulleyModel;	// level models of zip lines
	int sledModel;						// level model of the rocket sled
	int sledEngineEffect, sledCrashEffect;
};

struct LevelDef
{
	const char* name;				// short name for messages: "farm"

	//
	// Content (LoadLevelContent); colon paths in the data folder
	//
	const char* terrainFile;		// ":Terrain:EarthFarm.ter"
	const char* modelFile;			// ":Models:level1_farm.bg3d", into MODEL_GROUP_LEVELSPECIFIC
	const char* spriteSet;			// into SPRITE_GROUP_LEVELSPECIFIC: ":sprites:<set>:<set>NNN.tga"; null: none
	int numSprites;					// images of that set; image 0 is the sky
	int numSkeletons;
	SkeletonType skeletons[MAX_LEVEL_SKELETONS];	// the level's own skeleton types, besides kEveryLevelSkeletons
	SoundBankNumber soundBank;		// loaded with the level, released after it
	SongNumber song;				// played from the level's intro on

	//
	// Look
	//
	LevelView view;
	LevelLights lights;
	LevelAutoFade autoFade;
	LevelSky sky;
	bool hasBackdrop;				// model 0 of the model file is drawn around the camera, just inside the far plane
	int terrainSphereMap;			// sphere map (SPHEREMAP_*) added to the terrain's textures; -1: none
	LevelUVScroll uvScrolls[MAX_LEVEL_UV_SCROLLS];
	int numUVScrolls;

	//
	// Play
	//
	float gravity;					// units per second²
	float groundSlip;				// the robot's slipperiness on the ground, 0 (grip) … 1
	LevelWave waves[MAX_LEVEL_WAVES];	// amplitude 0: none
	uint32_t setUp;					// LEVEL_SETUP_*
	uint32_t rules;					// LEVEL_RULE_*
	LevelPlayerStart playerStart;
	float exitChargeAtStart;		// 0 … 1; 1: the exit is open from the start
	float cameraMinHeight;			// the camera keeps this far above the ground
	LevelRides rides;
	int blobGooModel;				// level model of a burst blob's goo (0: the level has no blobs)
	// Image of the level's sprite set a frozen creature wears (0, the sky:
	// none; frozen creatures are then a plain pale ice colour).
	int frozenLookImage;
};

extern const LevelDef kLevelDefs[NUM_LEVELS];

// The skeleton types every level loads: the hero, the brain alien and the
// four kinds of human.
inline constexpr SkeletonType kEveryLevelSkeletons[] = {SKELETON_TYPE_QUOG, SKELETON_TYPE_BRAINALIEN, SKELETON_TYPE_FARMER,
		SKELETON_TYPE_BEEWOMAN, SKELETON_TYPE_SCIENTIST, SKELETON_TYPE_SKIRTLADY};

// A level's row (a fatal alert for a number out of range).
const LevelDef& GetLevelDef(int level);
// The row of gCurrentLevel.
const LevelDef& CurrentLevelDef();
// Whether the current level has a rule (LEVEL_RULE_*).
bool CurrentLevelHasRule(uint32_t rule);
