// Level hazards: machinery and traps the robot must avoid, break or defeat.
// The city's crushers (a nova starts them), land mines and floating mines,
// manhole covers that blast off, and the worm pods that rain down and hatch
// worms; the cloud city's trap doors; the fire and ice level's volcano,
// rolling snowballs and sinking platforms; and on the saucer level the towers,
// gun turrets and drifting mines that hurt the player's saucer and that its
// destroy beam blows up. GL-free: everything is drawn by the object pass.
// (The blob boss machine is Items/BlobBoss.h.)
#pragma once

#include <cstdint>
#include <vector>

struct ObjNode;
struct TerrainItemEntryType;
struct SplineItemType;
struct OGLPoint3D;
struct SkeletonObjDataType;

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
constexpr float TRAP_DOOR_FALL_REACH = 337.5f;		// units: a fall this near a trap door went through it
constexpr float SINKING_PLATFORM_DELAY = 4.0f;		// seconds from being stood on to sinking
constexpr float SINKING_PLATFORM_DEPTH = 600.0f;	// units below its start
constexpr float VOLCANO_TRIGGER_RANGE = 3000.0f;
constexpr float VOLCANO_SWELL_RADIUS = 2000.0f;
constexpr float VOLCANO_SWELL_TIME = 3.0f;			// seconds
constexpr int MAX_WORM_PODS = 10;					// lying about at once
constexpr int MAX_WORMS = 8;
constexpr int WORM_JOINT_SPACING = 30;				// path points between a worm's joints
constexpr int WORM_LOOK_AHEAD = 10;					// path points ahead that a joint faces
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
bool AddGiantJetBreakable(TerrainItemEntryType* item, float x, float z);	// 44
bool AddJetDebris(TerrainItemEntryType* item, float x, float z);			// 64
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

// The trap door (a node made from an item-84 row) nearest to `where` in x
// and z and within `reach`, or null.
ObjNode* FindTrapDoorNear(const OGLPoint3D& where, float reach);

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
// Lays a worm's body along its path with its head on path point `head`:
// joint i sits WORM_JOINT_SPACING × i points behind, facing the point
// WORM_LOOK_AHEAD further on, at `scale`. The matrices are absolute (the
// skeleton's joints are global); points past either end of the path are
// clamped to it.
void PoseWormAlongPath(SkeletonObjDataType* skeleton, int numJoints, const std::vector<OGLPoint3D>& path, float head, float scale);

//
// The saucer level
//

// The player's saucer's radius (its model's max x × its scale); 0 without one.
float PlayerSaucerRadius();
