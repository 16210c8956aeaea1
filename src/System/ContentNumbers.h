// Content numbers the game code and the content baker must agree on: model
// groups and the models in them, sprite sets and the images in them. Each is
// named once, here; the baker builds the Data folder from the same names.
#pragma once

#include <cstdint>

//
// BG3D model groups
//
enum
{
	MODEL_GROUP_GLOBAL = 0,				// ":Models:global.bg3d", every level and the main menu
	MODEL_GROUP_LEVELSPECIFIC = 1,		// the level's (or screen's) own file
	MODEL_GROUP_SKELETONBASE = 3,		// + skeleton type: that type's mesh
};

//
// Models of the global file (group 0), by position in the file
//
enum
{
	GLOBAL_MODEL_BEACON = 0,				// marker beacon (no fixed use; stands in for missing art)
	GLOBAL_MODEL_POWERUP_POD = 1,			// ground pod; sphere-mapped at load
	GLOBAL_MODEL_POD_HALF_LEFT = 2,			// the two halves of a punched pod
	GLOBAL_MODEL_POD_HALF_RIGHT = 3,
	GLOBAL_MODEL_RIGHT_HAND_OPEN = 4,		// the robot's hands (walk-type animations)
	GLOBAL_MODEL_LEFT_HAND_OPEN = 5,
	GLOBAL_MODEL_RIGHT_HAND_FIST = 6,		// … and in every other animation
	GLOBAL_MODEL_LEFT_HAND_FIST = 7,
	GLOBAL_MODEL_HELD_WEAPON = 8,			// + weapon type 0 … 4, held in the right hand
	GLOBAL_MODEL_HELD_STUNGUN = 8,
	GLOBAL_MODEL_HELD_FREEZEGUN = 9,
	GLOBAL_MODEL_HELD_ARCSHOT = 10,
	GLOBAL_MODEL_HELD_GROWTH = 11,			// also the thrown-away growth vial
	GLOBAL_MODEL_HELD_FLARE = 12,
	GLOBAL_MODEL_STUNGUN_PICKUP = 13,		// pick-ups, also thrown away when used up
	GLOBAL_MODEL_NOVA_PICKUP = 14,
	GLOBAL_MODEL_FREEZEGUN_PICKUP = 15,
	GLOBAL_MODEL_ARCSHOT_PICKUP = 16,
	GLOBAL_MODEL_FLARE_PICKUP = 17,
	GLOBAL_MODEL_DART = 18,					// pick-up (scale 0.4) and thrown dart (0.3)
	GLOBAL_MODEL_EXTRA_LIFE = 19,
	GLOBAL_MODEL_STUN_SHOT = 20,			// also the mutant robot's bolt and the turret shot
	GLOBAL_MODEL_FREEZE_SHOT = 21,
	GLOBAL_MODEL_ARC_SHOT = 22,
	GLOBAL_MODEL_RAIDER_SAUCER = 23,
	GLOBAL_MODEL_RAIDER_SAUCER_RIM = 24,
	GLOBAL_MODEL_BEAM_OUTER = 25,			// tractor beam cones; texture scrolls in u
	GLOBAL_MODEL_BEAM_INNER = 26,
	GLOBAL_MODEL_EXIT_SAUCER = 27,			// exit and landing saucer
	GLOBAL_MODEL_EXIT_SAUCER_HATCH = 28,
	GLOBAL_MODEL_TELEPORT_RING = 29,
	GLOBAL_MODEL_ZAP = 30,					// brain alien's zap
	GLOBAL_MODEL_CHECKPOINT_POST = 31,		// sphere-mapped at load
	GLOBAL_MODEL_CHECKPOINT_HEAD = 32,
	GLOBAL_MODEL_SHUTTER_LEFT = 33,			// death-transition shutters (640 × 480 screen space)
	GLOBAL_MODEL_SHUTTER_RIGHT = 34,
	NUM_GLOBAL_MODELS = 35
};

// Where parts of the global models meet, in model units.
//
// The hatch (model 28) has its hinge at its own origin and, closed, lies in
// the saucer's floor reaching back (+z) from the hinge; turning it about x
// by +2.5 radians lowers it into a ramp down toward the front (-z). Placed
// at the saucer's transform plus this offset it fits the doorway of model 27.
constexpr float EXIT_SAUCER_HATCH_HINGE_X = 0.0f;
constexpr float EXIT_SAUCER_HATCH_HINGE_Y = 90.0f;
constexpr float EXIT_SAUCER_HATCH_HINGE_Z = -200.6f;
// The saucer's origin is on the ground under its centre; its floor is this high.
constexpr float EXIT_SAUCER_FLOOR_Y = 90.0f;
// The checkpoint head (model 32) shares the post's origin and scale; its
// lamps are at this height, about the y axis.
constexpr float CHECKPOINT_LAMP_Y = 21.0f;
// The shutters: the left one spans x -170 … 0 and the right one 0 … 170, both
// y -125 … 125, so at scale 2 each covers half of a 640 × 480 screen from its
// inner edge and the whole height around a centre line.
constexpr float SHUTTER_WIDTH = 170.0f;
constexpr float SHUTTER_HALF_HEIGHT = 125.0f;

//
// Models of the level files (group 1) that the rescue and the last battle
// share, by position in the file. Their meaning is per level: the capsule is
// model 5 only on levels that place humans in capsules (other levels use 5
// for their own things), the hut is the saucer level's and the portal the
// brain boss arena's.
//
enum
{
	LEVEL_MODEL_HUMAN_CAPSULE = 5,		// glass pod round a captured human
	LEVEL_MODEL_PEOPLE_HUT = 1,			// saucer level: villagers' hut, shown at scale 2
	LEVEL_MODEL_ALIEN_PORTAL = 5,		// brain boss arena: the portal the elite aliens come out of
	LEVEL_MODEL_GROWTH_PICKUP = 8,		// jungle: the growth vial a pod releases
	LEVEL_MODEL_BOUNCE_PAD = 16,		// levels with bounce pads
	LEVEL_MODEL_BALLOON_POD = 21,		// cloud: the pod hanging under a balloon
	LEVEL_MODEL_POWERUP_BALLOON = 22,	// cloud: the balloon carrying it
	LEVEL_MODEL_BOAT_HULL = 21,			// levels with boats: its bow toward −z, the origin amidships
	LEVEL_MODEL_BOAT_PROPELLER = 22,	// turning about z, its hub at the origin
	LEVEL_MODEL_TOW_HANDLE = 23,		// levels with boats: the handle a pod releases
	// Slime world: the bubble pumps and their bubbles.
	LEVEL_MODEL_BUBBLE = 17,			// radius 100 round its centre at scale 1
	LEVEL_MODEL_BUBBLE_PUMP = 19,		// the base, its origin on the ground
	LEVEL_MODEL_BUBBLE_PLUNGER = 20,	// the plunger's cap, resting on the base's top
	// Fire and ice: the exit lift and the sheet of ice sealing it.
	LEVEL_MODEL_EXIT_ICE = 6,			// square sheet, ±50 across at scale 1, its top at y 0
	LEVEL_MODEL_EXIT_LIFT = 7,			// the lift's base, its origin on the ground
	LEVEL_MODEL_EXIT_LIFT_LID = 8,		// the lid that rises off it
	LEVEL_MODEL_ICE_CRACK = 9,			// a crack decal lying flat on the ice
	// Cloud: the bumper-car arena.
	LEVEL_MODEL_PLAYER_BUMPER_CAR = 10,
	LEVEL_MODEL_BUMPER_CAR = 11,
	LEVEL_MODEL_BUMPER_POLE = 13,
	LEVEL_MODEL_BUMPER_POLE_TOP = 14,
	LEVEL_MODEL_BUMPER_GATE = 15,
	LEVEL_MODEL_BUMPER_FORCE_FIELD = 16,
};
// The capsule spans x and z −0.5 … 0.5 and y 0 … 1 (its floor at the
// origin), so its scale is the size it must hold.
constexpr float HUMAN_CAPSULE_MODEL_SIZE = 1.0f;
// The portal's front (the way out of its ring) is −z; its top beacon is this
// high in model units.
constexpr float ALIEN_PORTAL_BEACON_Y = 192.0f;

//
// Sprite groups and the sets loaded into them (":sprites:<set>:<set>NNN.tga").
//
enum
{
	SPRITE_GROUP_SPHEREMAPS = 0,
	SPRITE_GROUP_INFOBAR = 1,
	SPRITE_GROUP_PARTICLES = 3,
	SPRITE_GROUP_FENCES = 5,
	SPRITE_GROUP_GLOBAL = 6,
	SPRITE_GROUP_LEVELSPECIFIC = 8,
};

inline constexpr const char* SPRITE_SET_SPHEREMAPS = "spheremap";
inline constexpr const char* SPRITE_SET_INFOBAR = "infobar";
inline constexpr const char* SPRITE_SET_PARTICLES = "particle";
inline constexpr const char* SPRITE_SET_FENCES = "fence";
inline constexpr const char* SPRITE_SET_GLOBAL = "global";

enum
{
	NUM_SPHEREMAP_SPRITES = 8,
	NUM_INFOBAR_SPRITES = 45,
	NUM_PARTICLE_SPRITES = 32,
	NUM_FENCE_SPRITES = 22,
	NUM_GLOBAL_SPRITES = 18,
};

// Sphere maps (group 0): the env-map numbers of sphere-mapped materials.
// Maps used with the add combine are dark with bright highlights; those
// used with multiply are bright.
enum
{
	SPHEREMAP_SOFT_GLINT = 0,		// add: the checkpoint post
	SPHEREMAP_GOLD = 1,
	SPHEREMAP_CHROME_GLINT = 2,		// add: the robot, pods, brain alien
	SPHEREMAP_CHROME = 3,
	SPHEREMAP_FIRE = 4,
	SPHEREMAP_GREEN_SHIMMER = 5,	// the growth pick-up
	SPHEREMAP_SLIME = 6,			// the slime boss arena's terrain
	SPHEREMAP_RAINBOW = 7,
};

// Information bar (group 1).
enum
{
	INFOBAR_SPRITE_HEALTH_ATOM_ICON = 0,	// 0 … 7: spare icons, no fixed use
	INFOBAR_SPRITE_FUEL_ATOM_ICON = 1,
	INFOBAR_SPRITE_EXIT_ATOM_ICON = 2,
	INFOBAR_SPRITE_CHECKPOINT_ICON = 3,
	INFOBAR_SPRITE_HUMAN_ICON = 4,
	INFOBAR_SPRITE_SAUCER_ICON = 5,
	INFOBAR_SPRITE_WARNING_ICON = 6,
	INFOBAR_SPRITE_CLOCK_ICON = 7,
	INFOBAR_SPRITE_WEAPON_ICON = 8,			// + weapon type 0 … 7
	INFOBAR_SPRITE_CORNER_LEFT = 16,
	INFOBAR_SPRITE_CORNER_RIGHT = 17,
	INFOBAR_SPRITE_LIFE = 18,
	INFOBAR_SPRITE_HEALTH_FILL = 19,
	INFOBAR_SPRITE_GOAL_FILL = 20,
	INFOBAR_SPRITE_FUEL_FILL = 21,
	INFOBAR_SPRITE_GAUGE_FRAME = 22,
	INFOBAR_SPRITE_WEAPON_SLOT = 23,
	INFOBAR_SPRITE_SLOT_MARKER = 24,
	INFOBAR_SPRITE_DIGIT_0 = 25,			// … 34: digits 0 … 9
	INFOBAR_SPRITE_BEAM_GAUGE_TRACTOR = 35,
	INFOBAR_SPRITE_BEAM_GAUGE_DESTROY = 36,
	INFOBAR_SPRITE_BEAM_BAR_TRACTOR = 37,
	INFOBAR_SPRITE_BEAM_BAR_DESTROY = 38,
	INFOBAR_SPRITE_COUNTER_PANEL_SIDE = 39,
	INFOBAR_SPRITE_COUNTER_PANEL_BOTTOM = 40,
	INFOBAR_SPRITE_RESCUE_ICON = 41,		// + human kind 0 … 3 (farmer, bee woman, scientist, skirt lady)
};

// Particle and sparkle textures (group 3). White or grey images, tinted by
// the code, unless the name says otherwise.
enum
{
	PARTICLE_SPRITE_PUFF = 0,			// soft round puff
	PARTICLE_SPRITE_BULB = 1,			// small light bulb glow
	PARTICLE_SPRITE_SPARK = 2,			// hot white dot
	PARTICLE_SPRITE_HALO = 3,			// glow with a bright ring
	PARTICLE_SPRITE_SMOKE_DARK = 4,		// dark billowing smoke
	PARTICLE_SPRITE_GLINT = 5,			// four-point star glint
	PARTICLE_SPRITE_DUST_CLOUD = 6,		// thin warm dust, drawn additively (landing rings)
	PARTICLE_SPRITE_EMBER = 7,			// orange ember streak
	PARTICLE_SPRITE_FLAME = 8,			// coloured flame
	PARTICLE_SPRITE_SPARK_YELLOW = 9,	// coloured yellow spark
	PARTICLE_SPRITE_SMOKE_GREY = 10,
	PARTICLE_SPRITE_SMOKE_WHITE = 11,
	PARTICLE_SPRITE_FIREBALL = 12,		// coloured explosion glow
	PARTICLE_SPRITE_FLASH = 13,			// bright white flash star
	PARTICLE_SPRITE_DUST = 14,			// dusty puff
	PARTICLE_SPRITE_STARBURST = 15,		// six-point sparkle
	PARTICLE_SPRITE_SHOCKWAVE = 16,		// thin ring
	PARTICLE_SPRITE_SOFT_GLOW = 17,
	PARTICLE_SPRITE_SNOWFLAKE = 18,
	PARTICLE_SPRITE_HEADLIGHT = 19,		// light with a horizontal flare
	PARTICLE_SPRITE_LENS_SUN = 20,		// lens flare: the sun's glow
	PARTICLE_SPRITE_LENS_RING = 21,		// lens flare: halo ring
	PARTICLE_SPRITE_LENS_DISC = 22,		// lens flare: hexagonal disc
	PARTICLE_SPRITE_LENS_RAINBOW = 23,	// lens flare: coloured ring
	PARTICLE_SPRITE_RAINDROP = 24,		// 24 … 31: no fixed use
	PARTICLE_SPRITE_LEAF = 25,
	PARTICLE_SPRITE_CONFETTI = 26,
	PARTICLE_SPRITE_STREAK = 27,
	PARTICLE_SPRITE_DROPLET = 28,
	PARTICLE_SPRITE_ELECTRIC = 29,
	PARTICLE_SPRITE_ASH = 30,
	PARTICLE_SPRITE_HEART = 31,
};

// Global sprites (group 6).
enum
{
	GLOBAL_SPRITE_SHADOW = 0,			// shadow kind 0: soft round
	GLOBAL_SPRITE_SHADOW_SHARP = 1,		// shadow kind 1: firmer edge
	GLOBAL_SPRITE_WATER = 2,			// + water kind 0 … 7
	GLOBAL_SPRITE_ATOM = 10,			// + atom colour (0 health, 1 fuel, 2 exit charge)
	GLOBAL_SPRITE_ATOM_RING = 13,		// + atom colour
	GLOBAL_SPRITE_NOVA_RIBBON = 16,
	GLOBAL_SPRITE_SPARE = 17,			// no fixed use: a round target marker
};

// Water kinds (texture GLOBAL_SPRITE_WATER + kind).
enum
{
	NUM_WATER_KINDS = 8,
	WATER_KIND_SLIME = 5,
	WATER_KIND_GLOW = 6,
	WATER_KIND_LAVA = 7,
};

// Kinds of human (a human item's parm[0]; the level counts rescues per kind).
enum : uint8_t
{
	HUMAN_TYPE_FARMER = 0,
	HUMAN_TYPE_BEEWOMAN = 1,
	HUMAN_TYPE_SCIENTIST = 2,
	HUMAN_TYPE_SKIRTLADY = 3,
	NUM_HUMAN_TYPES = 4,
};
