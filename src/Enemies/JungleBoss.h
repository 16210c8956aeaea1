// The jungle boss arena: a giant pitcher plant ringed by pod plants that
// lob homing pods, tentacle generators whose tentacles crawl over the ground
// toward the robot, lights, and a beam of light over the start that stands
// until the plant dies. Only the arc shot harms any of them. Six pod heads
// must burst before the pitcher plant wakes; it then spits volleys of pods
// and can be wounded only while its mouth is open. BurnFire, the flame and
// smoke emitter of burning remains, lives here too.
//
// Logic here (JungleBoss.cpp) is GL-free; the tentacle tubes are built into
// a mesh by BuildTentacleMesh (JungleBossMesh.cpp) and drawn by
// JungleBossDraw.cpp.
#pragma once

#include "System/Objects.h"

#include <cstdint>
#include <vector>

struct TerrainItemEntryType;

//
// Tunables
//

constexpr int MAX_TENTACLES = 5;
constexpr int MAX_TENTACLE_POINTS = 380;			// 3800 units of tentacle at most
constexpr int TENTACLE_POINTS_PER_RING = 5;
constexpr int MAX_TENTACLE_SEGMENTS = MAX_TENTACLE_POINTS / TENTACLE_POINTS_PER_RING;
constexpr int TENTACLE_RING_SIDES = 7;				// 8 ring points, the last repeating the first for the seam
constexpr float TENTACLE_RADIUS = 30.0f;
constexpr float TENTACLE_SPEED = 400.0f;			// units per second at the growing tip
constexpr float TENTACLE_POINT_EVERY = 0.025f;		// seconds between laid points
constexpr float TENTACLE_TURN_RATE = 1.9f;			// radians per second toward the robot
constexpr float TENTACLE_HOVER = 60.0f;				// units above the ground at the tip, ± the wave
constexpr float TENTACLE_WAVE = 40.0f;
constexpr float TENTACLE_RETRACT_DELAY = 1.0f;		// seconds before retracting starts
constexpr float TENTACLE_RETRACT_RATE = 200.0f;		// points per second
constexpr float TENTACLE_HIT_DAMAGE = 0.2f;
constexpr float TENTACLE_TOUCH_SIZE = 30.0f;		// ± units round each tested point
constexpr float JUNGLE_BOSS_SIGHT = 3500.0f;		// units: generators and pod plants act on a robot this near

constexpr int PODS_TO_WAKE_PITCHER = 6;
constexpr float POD_GRAVITY = 250.0f;				// units per second²
constexpr float POD_HOMING = 350.0f;				// units per second² toward the robot
constexpr float POD_MAX_SPEED = 450.0f;
constexpr float POD_PLANT_DAMAGE = 0.1f;

// The arena's level models (in the jungle's model file).
enum
{
	LEVEL_MODEL_TENTACLE_GENERATOR = 18,
	LEVEL_MODEL_POD_PLANT_STALK = 19,
	LEVEL_MODEL_POD_HEAD = 20,
	LEVEL_MODEL_POD_HEAD_BURST = 21,
	LEVEL_MODEL_JUNGLE_POD = 22,
	LEVEL_MODEL_PITCHER_PLANT = 23,
	LEVEL_MODEL_PITCHER_STUMP = 24,
	LEVEL_MODEL_START_BEAM = 25,
	LEVEL_MODEL_JUNGLE_BOSS_LIGHT = 26,
	TENTACLE_IMAGE = 2,								// level sprite: the tentacle's skin
};

// Pitcher plant animations.
enum : uint8_t
{
	PITCHER_ANIM_IDLE = 0,
	PITCHER_ANIM_ATTACK = 1,
	PITCHER_ANIM_HURT = 2,
};

struct Tentacle
{
	bool isUsed;
	uint8_t mode;						// 0 growing, 1 retracting
	ObjNodeRef owner;					// the generator that made it (gone once it leaves range)
	OGLPoint3D base;
	OGLPoint3D head;
	float heading;
	float wobble;
	float pointTimer;
	float retractDelay;
	int numPoints;
	OGLPoint3D points[MAX_TENTACLE_POINTS];
};

enum : uint8_t
{
	TENTACLE_GROWING = 0,
	TENTACLE_RETRACTING = 1,
};

extern int gNumPodsDestroyed;
extern bool gPitcherPlantDead;
extern Tentacle gTentacles[MAX_TENTACLES];

// Level set-up: the start beam, free tentacle slots, the tentacle node.
void InitJungleBoss();
// Items 71 … 74.
bool AddTentacleGenerator(TerrainItemEntryType* item, float x, float z);
bool AddPitcherPlant(TerrainItemEntryType* item, float x, float z);
bool AddPodPlant(TerrainItemEntryType* item, float x, float z);
bool AddJungleBossLight(TerrainItemEntryType* item, float x, float z);

void MoveTentacles(ObjNode* node);
void MoveTentacleGenerator(ObjNode* generator);
void MovePodPlant(ObjNode* stalk);
void MovePod(ObjNode* pod);
void MovePitcherPlant(ObjNode* plant);
// Starts a tentacle at a generator; false when all slots are taken.
bool StartTentacle(ObjNode* generator);
void RetractTentacle(Tentacle& t);

// Flames (and smoke) rising from a node at (x, y, z), scaled by `scale`,
// their particle groups kept in the node.
void BurnFire(ObjNode* node, float x, float y, float z, bool doSmoke, int flameTexture, float scale, uint32_t particleFlags);

// The tube round a tentacle: ring points, normals, uvs and triangles
// (JungleBossMesh.cpp). Empty when it has fewer than two rings.
struct TentacleMesh
{
	std::vector<OGLPoint3D> points;
	std::vector<OGLVector3D> normals;
	std::vector<OGLTextureCoord> uvs;
	std::vector<uint32_t> triangles;	// three indices each
};
void BuildTentacleMesh(const Tentacle& t, TentacleMesh* mesh);

// JungleBossDraw.cpp
void DrawTentacles(ObjNode* node);
