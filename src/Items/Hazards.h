// Level hazards: machinery and traps the robot must avoid, break or defeat.
// The city's crushers (a nova starts them), land mines and floating mines,
// manhole covers that blast off, and the worm pods that rain down and hatch
// worms; the cloud city's trap doors; the fire and ice level's volcano,
// rolling snowballs and sinking platforms; and on the saucer level the towers,
// gun turrets and drifting mines that hurt the player's saucer and that its
// destroy beam blows up. GL-free: everything is drawn by the object pass.
#pragma once

#include <cstdint>
#include <vector>

struct ObjNode;
struct TerrainItemEntryType;
struct SplineItemType;
struct OGLPoint3D;

void MakeBlobBossMachine();

//
// Tunables the tests and the placements share
//

constexpr uint8_t CRUSHER_ONE_SIDED = 0x01;			// parm[3] bit: starts only from its front (flag bit 0 is the in-use mark)
constexpr float CRUSHER_SCALE = 5.0f;
constexpr float CRUSHER_OPEN_HEIGHT = 400.0f;		// units the door rises above its rest
constexpr float CRUSHER_HELP_RANGE = 500.0f;
constexpr float MINE_BLAST_RADIUS = 420.0f;			// units: what a mine's blast reaches
constexpr float MINE_BLAST_DAMAGE = 0.35f;			// of a full health gauge, to the robot and to anything hurt by it
constexpr float FLOATING_MINE_TRIGGER_RANGE = 320.0f;
constexpr float TRAP_DOOR_SWING_ACCEL = 6.0f;		// radians per second²
constexpr float SINKING_PLATFORM_DELAY = 4.0f;		// seconds from being stood on to sinking
constexpr float SINKING_PLATFORM_DEPTH = 600.0f;	// units below its start
constexpr float VOLCANO_TRIGGER_RANGE = 3000.0f;
constexpr float VOLCANO_SWELL_RADIUS = 2000.0f;
constexpr float VOLCANO_SWELL_TIME = 3.0f;			// seconds
constexpr int MAX_WORM_PODS = 10;					// lying about at once
constexpr int MAX_WORMS = 8;
constexpr float TOWER_DAMAGE_RATE = 2.0f;			// saucer health per second over a tower or drifting mine
constexpr float TURRET_RANGE = 1600.0f;
constexpr float TURRET_SHOT_DAMAGE = 0.03f;

// The crusher's modes (its frame's Mode).
enum : uint8_t
{
	CRUSHER_IDLE,			// down, waiting for a nova
	CRUSHER_WAIT,			// started: counting down to the next rise
	CRUSHER_RISE,
	CRUSHER_HOLD,			// open at the top
	CRUSHER_FALL,
};

// Level start: the trigger handlers of the hazards, their counts.
void InitHazards();

// Items (the item table's rows).
bool AddCrusher(TerrainItemEntryType* item, float x, float z);			// 45
bool AddManholeCover(TerrainItemEntryType* item, float x, float z);		// 46
bool AddFloatingMine(TerrainItemEntryType* item, float x, float z);		// 62
bool AddMine(TerrainItemEntryType* item, float x, float z);				// 67
bool AddTrapDoor(TerrainItemEntryType* item, float x, float z);			// 84
bool AddVolcano(TerrainItemEntryType* item, float x, float z);			// 88
bool AddSnowball(TerrainItemEntryType* item, float x, float z);			// 97
bool AddSinkingPlatform(TerrainItemEntryType* item, float x, float z);	// 98
bool AddPodShower(TerrainItemEntryType* item, float x, float z);			// 2
bool AddTower(TerrainItemEntryType* item, float x, float z);				// 102
bool AddTurret(TerrainItemEntryType* item, float x, float z);			// 104
// Spline items.
bool AddFloatingPlatformOnSpline(int splineNum, SplineItemType* item);	// 98
bool AddDriftingMine(int splineNum, SplineItemType* item);				// 103

// A mine's explosion at `where`: sparks, a ring wave in the ground, the
// sound, and the blast that hurts the robot and every node with a hurt
// handler within MINE_BLAST_RADIUS (`source` is spared).
void ExplodeMine(const OGLPoint3D& where, ObjNode* source);

// The crusher's door (the frame's chain) and whether the robot is in front
// of the frame; for the tests and the autopilot.
ObjNode* CrusherDoor(ObjNode* frame);
bool IsPlayerInFrontOfCrusher(const ObjNode* frame);

//
// Volcano
//

// Whether the volcano of the item has erupted (it never does twice).
bool HasVolcanoErupted(const TerrainItemEntryType* item);
// The swell's height factor at octagonal distance d: 0 at the rim, 2 at the
// centre (above 1.8 it is 2).
float VolcanoSwellFactor(float d);

//
// Worm pods
//

void ResetWormState();
int CountWormPods();
int CountWorms();
// Bakes a worm's path through `numNubs` 3D points with the loops' cubic
// spline: `pointsPerSpan[i]` points on span i, and the last nub appended when
// the last entry is 1. Stops the program when the path would reach
// MAX_SPLINE_POINTS.
void GenerateWormSplinePoints(const OGLPoint3D* nubs, int numNubs, const int32_t* pointsPerSpan, std::vector<OGLPoint3D>* out);

//
// The saucer level
//

// The player's saucer's radius (its model's max x × its scale); 0 without one.
float PlayerSaucerRadius();
