// The level table: one row per level (see LevelTable.h for the columns).
#include "System/LevelTable.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/SoundTable.h"

namespace
{
	// What most levels share.
	constexpr LevelLights DAYLIGHT = {{0.4f, 0.4f, 0.36f}, {0.5f, -0.35f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}};
	constexpr LevelAutoFade USUAL_FADE = {0.8f, 0.9f};
	constexpr LevelSky NO_SKY = {false, 0, 0, 0, false, false, false};
	constexpr float GRAVITY = 5200;
	constexpr float CAMERA_MIN_HEIGHT = 60;
}

const LevelDef kLevelDefs[NUM_LEVELS] =
{
	// LEVEL_NUM_FARM
	{
		.name = "farm",
		.terrainFile = ":Terrain:EarthFarm.ter",
		.modelFile = ":Models:level1_farm.bg3d",
		.spriteSet = "farm", .numSprites = 1,
		.numSkeletons = 3, .skeletons = {SKELETON_TYPE_ONION, SKELETON_TYPE_CORN, SKELETON_TYPE_TOMATO},
		.soundBank = SOUND_BANK_FARM, .song = SONG_FARM,
		.view = {{0.1f, 0.5f, 0.1f}, false, false, 12312, 15390, 15390, true},
		.lights = DAYLIGHT,
		.autoFade = USUAL_FADE,
		.sky = {true, 4000, 0.1f, 0.15f, true, false, false},
		.hasBackdrop = true, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = 0,
		.rules = 0,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
	},
	// LEVEL_NUM_BLOB: the slime world
	{
		.name = "slime",
		.terrainFile = ":Terrain:BlobWorld.ter",
		.modelFile = ":Models:level2_slime.bg3d",
		.spriteSet = "slime", .numSprites = 4,
		.numSkeletons = 3, .skeletons = {SKELETON_TYPE_BLOB, SKELETON_TYPE_SQUOOSHY, SKELETON_TYPE_SLIMETREE},
		.soundBank = SOUND_BANK_SLIME, .song = SONG_SLIME,
		.view = {{0.8f, 0.6f, 0.8f}, true, true, 923.4f, 8772.3f, 9234, true},
		.lights = DAYLIGHT,
		.autoFade = {0, 0},		// no fading
		.sky = {true, 3500, 0.4f, 0.0f, true, true, false},
		.hasBackdrop = false, .terrainSphereMap = -1,
		.uvScrolls = {{16, -1, 0.3f, 0}, {29, 0, -0.4f, 0}}, .numUVScrolls = 2,
		.gravity = GRAVITY, .groundSlip = 0.1f,
		.waves = {{15, 200, 1.0f / 300.0f, 1, 0}, {10, 300, 0.005f, 0, 0}},
		.setUp = 0,
		.rules = LEVEL_RULE_EXIT_BEAMS_UP | LEVEL_RULE_BARE_BONUS_TALLY | LEVEL_RULE_SPIKES_POP_BUBBLES
				| LEVEL_RULE_RIPPLING_GROUND,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
		.blobGooModel = 28,
		.frozenLookImage = 1,
	},
	// LEVEL_NUM_BLOBBOSS: the slime boss arena
	{
		.name = "blobboss",
		.terrainFile = ":Terrain:BlobBoss.ter",
		.modelFile = ":Models:level3_blobboss.bg3d",
		.spriteSet = nullptr, .numSprites = 0,
		.numSkeletons = 1, .skeletons = {SKELETON_TYPE_BLOB},
		.soundBank = SOUND_BANK_SLIME, .song = SONG_SLIMEBOSS,
		.view = {{0.17f, 0.05f, 0.29f}, true, true, 6156, 16929, 15390, false},
		.lights = {{0.2f, 0.2f, 0.2f}, {0.5f, -0.35f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
		.autoFade = USUAL_FADE,
		.sky = NO_SKY,
		.hasBackdrop = true, .terrainSphereMap = SPHEREMAP_SLIME,
		.uvScrolls = {{31, 2, 0, -1}, {32, 2, 0, 1}, {33, 1, 0, 1}, {34, 1, 0, -1}, {35, 1, 0, -1}, {27, 1, 0, -1}},
		.numUVScrolls = 6,
		.gravity = 3900, .groundSlip = 0,
		.waves = {{90, 900, 1.0f / 300.0f, 1, 0}, {60, 600, 0.0025f, 0, 0}},
		.setUp = LEVEL_SETUP_BLOB_BOSS_MACHINE,
		.rules = LEVEL_RULE_LIVE_GROUND | LEVEL_RULE_WOBBLE_CLOCK | LEVEL_RULE_NO_INTRO | LEVEL_RULE_BLOBS_CHASE | LEVEL_RULE_NO_RAIDER_SAUCERS,
		.playerStart = PLAYER_START_ON_FOOT, .exitChargeAtStart = 1, .cameraMinHeight = 400,
		.blobGooModel = 30,		// 28 is the machine's cannon
	},
	// LEVEL_NUM_APOCALYPSE: the burning city
	{
		.name = "apocalypse",
		.terrainFile = ":Terrain:Apocalypse.ter",
		.modelFile = ":Models:level4_apocalypse.bg3d",
		.spriteSet = "apocalypse", .numSprites = 2,
		.numSkeletons = 3, .skeletons = {SKELETON_TYPE_PODWORM, SKELETON_TYPE_MUTANT, SKELETON_TYPE_MUTANTROBOT},
		.soundBank = SOUND_BANK_APOCALYPSE, .song = SONG_APOCALYPSE,
		.view = {{0, 0, 0}, true, true, 2308.5f, 16159.499f, 15390, false},
		.lights = {{0.2f, 0.2f, 0.2f}, {0.5f, -0.6f, 0.8f}, {0.6f, 0.6f, 0.7f, 1}},
		.autoFade = {0.75f, 0.85f},
		.sky = {true, 4000, 0.3f, 0.1f, true, false, true},
		.hasBackdrop = true, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = LEVEL_SETUP_ZIP_LINES | LEVEL_SETUP_TELEPORTERS | LEVEL_SETUP_POD_WORMS,
		.rules = 0,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
		.rides = {.zipPostModel = 20, .zipPulleyModel = 21},
	},
	// LEVEL_NUM_CLOUD: cloud city, with holes between the clouds
	{
		.name = "cloud",
		.terrainFile = ":Terrain:Cloud.ter",
		.modelFile = ":Models:level5_cloud.bg3d",
		.spriteSet = "cloud", .numSprites = 3,
		.numSkeletons = 3, .skeletons = {SKELETON_TYPE_CLOWN, SKELETON_TYPE_CLOWNFISH, SKELETON_TYPE_STRONGMAN},
		.soundBank = SOUND_BANK_CLOUD, .song = SONG_CLOUD,
		.view = {{0.686f, 0.137f, 0.431f}, false, true, 4617, 12312, 15390, false},
		.lights = DAYLIGHT,
		.autoFade = USUAL_FADE,
		.sky = {true, -1100, -0.1f, 0.2f, false, false, false},		// below the clouds
		.hasBackdrop = true, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = LEVEL_SETUP_BUMPER_CARS,
		.rules = LEVEL_RULE_TERRAIN_HOLES | LEVEL_RULE_TERRAIN_TWO_SIDED | LEVEL_RULE_CLOUD_CLOCK | LEVEL_RULE_BALLOON_PODS
				| LEVEL_RULE_FENCES_ON_GROUND,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
		.rides = {.sledModel = 26, .sledEngineEffect = EFFECT_CLOUD_ROCKETSLED, .sledCrashEffect = EFFECT_BUMPERPOLEBREAK},
	},
	// LEVEL_NUM_JUNGLE
	{
		.name = "jungle",
		.terrainFile = ":Terrain:Jungle.ter",
		.modelFile = ":Models:level6_jungle.bg3d",
		.spriteSet = "jungle", .numSprites = 3,
		.numSkeletons = 4,
		.skeletons = {SKELETON_TYPE_GIANTLIZARD, SKELETON_TYPE_VENUSFLYTRAP, SKELETON_TYPE_MANTIS, SKELETON_TYPE_TURTLE},
		.soundBank = SOUND_BANK_JUNGLE, .song = SONG_JUNGLE,
		.view = {{0.6f, 0.6f, 0.3f}, false, true, 6156, 16929, 15390, false},
		.lights = {{0.3f, 0.3f, 0.3f}, {0.5f, -0.8f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
		.autoFade = USUAL_FADE,
		.sky = {true, 3500, 0.0f, 0.0f, true, false, false},
		.hasBackdrop = true, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = 0,
		.rules = LEVEL_RULE_GROWTH_PICKUPS | LEVEL_RULE_OWN_GROWTH_VIAL | LEVEL_RULE_SCENE_AFTER_TALLY,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
		.rides = {},
		.blobGooModel = 0,
		.frozenLookImage = 1,
	},
	// LEVEL_NUM_JUNGLEBOSS: shares the jungle's models and sprites
	{
		.name = "jungleboss",
		.terrainFile = ":Terrain:JungleBoss.ter",
		.modelFile = ":Models:level6_jungle.bg3d",
		.spriteSet = "jungle", .numSprites = 3,
		.numSkeletons = 3, .skeletons = {SKELETON_TYPE_TURTLE, SKELETON_TYPE_VENUSFLYTRAP, SKELETON_TYPE_PITCHERPLANT},
		.soundBank = SOUND_BANK_JUNGLE, .song = SONG_JUNGLEBOSS,
		.view = {{0.1f, 0.5f, 0.1f}, false, false, 12312, 15390, 15390, true},
		.lights = {{0.3f, 0.3f, 0.3f}, {0.1f, -0.5f, -1.0f}, {0.9f, 0.9f, 0.85f, 1}},
		.autoFade = USUAL_FADE,
		.sky = {true, 3000, 0.0f, 0.0f, true, false, false},
		.hasBackdrop = true, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = LEVEL_SETUP_JUNGLE_BOSS,
		.rules = LEVEL_RULE_EXIT_ALWAYS_OPEN | LEVEL_RULE_EXIT_SAUCER_STAYS | LEVEL_RULE_NO_INTRO | LEVEL_RULE_EXIT_AFTER_BOSS
				| LEVEL_RULE_OWN_GROWTH_VIAL,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 1, .cameraMinHeight = CAMERA_MIN_HEIGHT,
		.rides = {},
		.blobGooModel = 0,
		.frozenLookImage = 1,
	},
	// LEVEL_NUM_FIREICE
	{
		.name = "fireice",
		.terrainFile = ":Terrain:FireIce.ter",
		.modelFile = ":Models:level8_fireice.bg3d",
		.spriteSet = "fireice", .numSprites = 3,
		.numSkeletons = 3, .skeletons = {SKELETON_TYPE_FLAMESTER, SKELETON_TYPE_ICECUBE, SKELETON_TYPE_SQUOOSHY},
		.soundBank = SOUND_BANK_FIREICE, .song = SONG_FIREICE,
		.view = {{0, 0, 0}, false, true, 6156, 16929, 15390, false},
		.lights = {{0.3f, 0.3f, 0.2f}, {0.5f, -1.0f, 0}, {0.7f, 0.6f, 0.6f, 1}},
		.autoFade = USUAL_FADE,
		.sky = {true, 4000, 0.1f, 0.0f, true, false, false},
		.hasBackdrop = true, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = LEVEL_SETUP_ZIP_LINES,
		.rules = LEVEL_RULE_EXIT_UNDER_ICE,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
		.rides = {.zipPostModel = 38, .zipPulleyModel = 39, .sledModel = 55, .sledEngineEffect = EFFECT_FIREICE_ROCKETSLED, .sledCrashEffect = EFFECT_SLEDEXPLODE},
		.blobGooModel = 0,
		.frozenLookImage = 2,
	},
	// LEVEL_NUM_SAUCER: the robot flies its own saucer
	{
		.name = "saucer",
		.terrainFile = ":Terrain:Saucer.ter",
		.modelFile = ":Models:level9_saucer.bg3d",
		.spriteSet = nullptr, .numSprites = 0,
		.numSkeletons = 0, .skeletons = {},
		.soundBank = SOUND_BANK_SAUCER, .song = SONG_SAUCER,
		.view = {{0.2f, 0.4f, 0.7f}, true, true, 2462.4f, 11080.8f, 12312, false},
		.lights = {{0.3f, 0.25f, 0.25f}, {0.5f, -0.35f, -0.8f}, {0.9f, 0.9f, 0.85f, 1}},
		.autoFade = {0.9f, 1.0f},
		.sky = NO_SKY,
		.hasBackdrop = false, .terrainSphereMap = -1,		// model 0 is the player's saucer
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = 0,
		.rules = LEVEL_RULE_EXIT_ALWAYS_OPEN | LEVEL_RULE_EXIT_SAUCER_STAYS | LEVEL_RULE_SAUCER_HUMANS | LEVEL_RULE_NO_RAIDER_SAUCERS
				| LEVEL_RULE_FENCES_ON_GROUND,
		.playerStart = PLAYER_START_FLYING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
	},
	// LEVEL_NUM_BRAINBOSS
	{
		.name = "brainboss",
		.terrainFile = ":Terrain:BrainBoss.ter",
		.modelFile = ":Models:level10_brainboss.bg3d",
		.spriteSet = "brainboss", .numSprites = 6,
		.numSkeletons = 1, .skeletons = {SKELETON_TYPE_ELITEBRAINALIEN},
		.soundBank = SOUND_BANK_BRAINBOSS, .song = SONG_BRAINBOSS,
		.view = {{0.1f, 0, 0}, true, true, 6463.8f, 10773, 10773, false},
		.lights = {{0.3f, 0.3f, 0.3f}, {-0.5f, -0.7f, 0.8f}, {0.9f, 0.9f, 0.85f, 1}},
		.autoFade = USUAL_FADE,
		.sky = {true, 3000, 0.2f, 0.0f, true, false, false},
		.hasBackdrop = false, .terrainSphereMap = -1,
		.uvScrolls = {}, .numUVScrolls = 0,
		.gravity = GRAVITY, .groundSlip = 0,
		.waves = {},
		.setUp = LEVEL_SETUP_BRAIN_BOSS_PORTALS,
		.rules = LEVEL_RULE_EXIT_SAUCER_STAYS | LEVEL_RULE_DIM_PODS | LEVEL_RULE_SHORT_INTRO | LEVEL_RULE_EXIT_AFTER_BOSS | LEVEL_RULE_NO_RAIDER_SAUCERS,
		.playerStart = PLAYER_START_LANDING_SAUCER, .exitChargeAtStart = 0, .cameraMinHeight = CAMERA_MIN_HEIGHT,
	},
};

const LevelDef& GetLevelDef(int level)
{
	GAME_ASSERT(level >= 0 && level < NUM_LEVELS);
	return kLevelDefs[level];
}

const LevelDef& CurrentLevelDef()
{
	return GetLevelDef(gCurrentLevel);
}

bool CurrentLevelHasRule(uint32_t rule)
{
	return (CurrentLevelDef().rules & rule) != 0;
}
