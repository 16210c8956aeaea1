// The things a world is furnished with: plain scenery (single models and the
// families picked by a kind: plants, crystals, lamp posts, grave stones,
// crashed ships, rubble, teleporter maps, slime pipes), the doors and walls
// that only the jump jet, a fast vehicle or a giant robot breaks, the farm's
// enemy sprouts, and the spinning rings. All are terrain items; their models
// come from the level's own model file, so one item type looks different on
// every level. A model the level's file lacks makes the item decline with a
// one-time warning instead of stopping the game. GL-free apart from the
// rings' draw routine (SpinningRingsDraw.cpp).
#pragma once

#include <cstdint>

struct TerrainItemEntryType;
struct ObjNode;

//
// Plain scenery (Scenery.cpp): one routine serves every scenery row; the item's
// type picks its row (model, scale, facing, footing, box).
//

bool AddSceneryItem(TerrainItemEntryType* item, float x, float z);

// Item 20 (SceneryByKind): parm[0] names the level model directly, parm[1]
// turns it in eighths of a turn and parm[2] is its scale in tenths (0: 1).
constexpr float SCENERY_BY_KIND_SCALE_STEP = 0.1f;

// The level models an item shows, its main model first (scenery, breakables
// and sprouts; 0 for other types or a kind out of range). Lets the baker's
// checks see what each placed item needs from its level's model file.
int SceneryItemModels(const TerrainItemEntryType& item, int models[3]);

// Whether the level's model file holds `model`; when it does not, the first
// refusal for each (item type, model) pair prints one warning naming both.
bool SceneryModelExists(int itemType, int model);
// Forgets which warnings were printed (level start; tests).
void ResetSceneryWarnings();

//
// Breakables (Breakables.cpp)
//

constexpr int JET_BREAKABLE_MODEL = 3;
constexpr int SPEED_BREAKABLE_MODEL = 6;
constexpr int GIANT_BREAKABLE_MODEL = 5;			// + parm[0]
constexpr int NUM_GIANT_BREAKABLE_KINDS = 4;
constexpr float BREAKABLE_SHOT_SHAKE = 1.1f;		// seconds a shot shakes a door
constexpr float BREAKABLE_BUMP_SHAKE = 0.5f;		// seconds a bump shakes it: one knock at most this often
constexpr float BREAKABLE_SHAKE_DISTANCE = 10.0f;	// units per second of shake left
constexpr float BREAKABLE_SHAKE_RATE = 20.0f;		// radians per second
constexpr float SPEED_BREAKABLE_MIN_SPEED = 1200.0f;	// horizontal units per second that break a gate

bool AddJetBreakable(TerrainItemEntryType* item, float x, float z);
bool AddSpeedBreakable(TerrainItemEntryType* item, float x, float z);
bool AddGiantBreakable(TerrainItemEntryType* item, float x, float z);
// Installs the trigger handlers of the three kinds (level start).
void InitBreakables();

//
// The farm's enemy sprouts (EnemySprouts.cpp)
//

constexpr int NUM_SPROUT_KINDS = 3;					// corn, onion, tomato
constexpr int SPROUT_MODEL = 17;						// + kind
bool AddEnemySprout(TerrainItemEntryType* item, float x, float z);

//
// Spinning rings (SpinningRings.cpp; drawn by SpinningRingsDraw.cpp)
//

constexpr int NUM_SPINNING_RINGS = 4;
constexpr float SPINNING_RINGS_HALF_SIZE = 300.0f;	// units: the box's half width
constexpr float SPINNING_RINGS_LIFT = 40.0f;		// units above the ground
constexpr float SPINNING_RINGS_BOB = 30.0f;			// units up and down
constexpr float SPINNING_RINGS_BOB_RATE = 1.1f;		// radians per second
constexpr float SPINNING_RINGS_SPACING = 30.0f;		// units between the rings
constexpr int SPINNING_RINGS_IMAGE = 2;				// of the level's sprite group

bool AddSpinningRings(TerrainItemEntryType* item, float x, float z);
void MoveSpinningRings(ObjNode* node);
void DrawSpinningRings(ObjNode* node);
// The ring's half size and its turn, for the draw routine and tests.
float SpinningRingHalfSize(int ring);
float SpinningRingSpin(const ObjNode* node, int ring);
