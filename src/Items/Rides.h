// Rides: machinery the robot rides or is carried by. Zip lines he hangs from
// (a pulley runs down a sagging cable), rocket sleds he lands on and steers,
// the cannon that fires him across the clouds, teleporters that pass him to
// their partner once a nova has powered them, and spinning platforms that
// carry him round. The bumper cars, the exit lift, bubble pumps and boats
// have their own modules.
//
// Logic is GL-free; the zip cables are drawn by ZipLinesDraw.cpp. The robot's
// riding states are the player's (src/Player/PlayerRides.cpp); he is handed
// over through the calls in Player.h.
#pragma once

#include "Items/RidesContent.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct TerrainItemEntryType;

//
// Zip lines (ZipLines.cpp)
//

constexpr int MAX_ZIP_LINES = 15;
constexpr int MAX_ZIP_SPLINE_POINTS = 4800;
constexpr int MAX_ZIP_POINTS_PER_SPAN = 1600;
constexpr int MAX_ZIP_GEOMETRY_POINTS = 244;
constexpr int ZIP_PULLEY_START_POINT = 20;			// the cable point a waiting pulley sits at
constexpr float ZIP_SAG = 450.0f;					// its middle thirds hang this far below the straight line
constexpr float ZIP_POINTS_PER_UNIT = 0.2f;			// baked cable points per unit of post-to-post distance per span
constexpr float ZIP_MAX_SPEED = 3000.0f;			// cable points per second
constexpr float ZIP_GRAB_SPEED = 50.0f;				// cable points per second when the robot takes hold
constexpr float ZIP_SLOPE_ACCEL = 40.0f;			// speed change per unit of drop between neighbouring points, per second
// The robot's feet under the pulley's wheel: his raised hands reach 228 above
// his feet and the pulley's grip hangs 60 under the wheel.
constexpr float ZIP_HANG_BELOW = 288.0f;
constexpr float ZIP_FEET_CLEARANCE = 40.0f;			// a cable keeps a hanging robot's feet this far off the ground
constexpr float ZIP_HANG_ALONG = 25.0f;
constexpr float ZIP_GRAB_DISTANCE = 200.0f;			// octagonal, x/z
constexpr float ZIP_GRAB_BELOW = 350.0f;			// the robot must be at most this far under the pulley
constexpr int ZIP_GEOMETRY_STEP = 80;				// cable points per ribbon sample
constexpr float ZIP_CABLE_HALF_WIDTH = 5.0f;
constexpr int ZIP_CABLE_IMAGE = 1;					// level sprite image of the cable
constexpr float ZIP_CAMERA_PITCH = PI / 8;			// the view looks down on the robot riding the cable

struct ZipLineType
{
	bool isActive;				// both posts found and the cable baked
	bool hasStart, hasEnd;
	OGLPoint3D start, end;		// post feet (x, base terrain height, z)
	int numPoints;
	OGLPoint3D points[MAX_ZIP_SPLINE_POINTS];
	OGLBoundingBox bbox;
	int numGeometryPoints;
	OGLPoint3D geometry[MAX_ZIP_GEOMETRY_POINTS];	// two crossed ribbons, 4 vertices a sample
	OGLTextureCoord uvs[MAX_ZIP_GEOMETRY_POINTS];
};

extern ZipLineType gZipLines[MAX_ZIP_LINES];
extern ObjNode* gZipPulley;		// the pulley the robot hangs from, or none

// A pulley's node fields: SpecialF[ZIP_PULLEY_INDEX] its place on the cable
// (in points), SpecialF[ZIP_PULLEY_SPEED] its speed (points per second);
// Mode one of:
constexpr int ZIP_PULLEY_INDEX = 0, ZIP_PULLEY_SPEED = 1;
enum : uint8_t
{
	ZIP_PULLEY_WAITING = 0,
	ZIP_PULLEY_MOVING = 1,
	ZIP_PULLEY_RETURNING = 2,
};

// Level start: the lines from the level's posts (item 58), their cables, a
// pulley on each and the node that draws the cables.
void InitZipLines();
// Bakes line `id` between two post feet: the sagging cable and its ribbons.
// False (with a warning) when the posts are too close for a pulley to ride.
bool SetUpZipLine(int id, const OGLPoint3D& start, const OGLPoint3D& end);
void GenerateZipSpline(ZipLineType* zip);
void BuildZipGeometry(ZipLineType* zip);
// A pulley waiting on line `id` (cable point 20).
ObjNode* MakeZipPulley(int id);
void MoveZipPulley(ObjNode* pulley);
// Item 58: a post (parm[0] the line, parm[1] ≠ 0 the end post).
bool AddZipLinePost(TerrainItemEntryType* item, float x, float z);
// Where the robot hangs under the pulley.
OGLPoint3D ZipHangPoint(const ObjNode* pulley);
void DrawZipLines(ObjNode* node);

//
// Rocket sled (RocketSled.cpp)
//

constexpr float SLED_SCALE = 1.3f;
constexpr float SLED_ACCEL = 900.0f;				// units per second²
constexpr float SLED_MAX_SPEED = 3400.0f;
constexpr float SLED_STEER_RATE = 2.2f;				// turn-rate change per unit of steering, per second
constexpr float SLED_MAX_TURN_OFF_START = PI / 4;	// the sled never turns further from its launch direction
constexpr float SLED_AIR_GRAVITY = 1100.0f;
constexpr float SLED_MAX_AIR_TIME = 1.0f;			// seconds: a longer flight ends in a crash on landing
constexpr float SLED_CRASH_THROW = 0.6f;			// of the sled's velocity, for the robot thrown off

extern ObjNode* gRocketSled;		// the sled being ridden, or none

// Item 83: a parked sled facing parm[0] × 45°.
bool AddRocketSled(TerrainItemEntryType* item, float x, float z);
// Trigger kind 19: the robot lands on a parked sled and rides it.
bool DoTrig_RocketSled(ObjNode* sled, ObjNode* mover, uint32_t sides);
// Puts the robot in the seat of the sled being ridden.
void AlignPlayerInRocketSled(ObjNode* robot);
// One frame of steering for a sled ridden with launch direction (dx, dz):
// the new heading and turn rate; a turn that would leave the 45° cone is refused.
void SteerRocketSled(float steering, float dt, float startDirX, float startDirZ, float* heading, float* turnRate);

//
// Cannon (Cannon.cpp)
//

constexpr float CANNON_MOUTH_DISTANCE = 456.0f;		// in front of the base
constexpr float CANNON_MOUTH_RADIUS = 80.0f;		// standing this close to the mouth, a jump climbs in
constexpr float CANNON_FUSE_TIME = 3.0f;			// seconds from climbing in to the shot
constexpr float CANNON_SHOT_SPEED = 1600.0f;		// horizontal
constexpr float CANNON_SHOT_RISE = 900.0f;
constexpr int HELP_CANNON = 21;
constexpr float CANNON_CAMERA_PITCH = -PI / 2;		// the view looks up the barrel from low down

// Item 75: the cannon facing parm[0] × 90°.
bool AddCannon(TerrainItemEntryType* item, float x, float z);
void MoveCannon(ObjNode* cannon);
// The point in front of the cannon where the robot climbs in.
OGLPoint3D CannonMouth(const ObjNode* cannon);
// The cannon whose mouth is within reach of (x, z), or none.
ObjNode* FindCannonMouthNear(float x, float z);
// The robot climbs into the cannon: it is armed and fires in 3 s.
void ArmCannon(ObjNode* cannon, ObjNode* robot);

//
// Teleporters (Teleporters.cpp)
//

constexpr int MAX_TELEPORTERS = 20;
constexpr float TELEPORTER_REACH = 281.0f;			// × the scale: how near the robot must pass
constexpr float TELEPORTER_ARRIVAL_OFFSET = 130.0f;	// the arrival point in front of the partner

struct TeleporterType
{
	bool defined;			// an item of this ID is on the map
	OGLPoint3D arrival;
	float arrivalRot;
	bool powered;
};

extern TeleporterType gTeleporters[MAX_TELEPORTERS];

// Level start: every teleporter's arrival point, unpowered; each item's
// destination is checked against the IDs on the map.
void InitTeleporters();
// Item 57: teleporter parm[0] leading to parm[1], facing parm[2] × 45°.
bool AddTeleporter(TerrainItemEntryType* item, float x, float z);
void MoveTeleporter(ObjNode* teleporter);
// Whether a move from `from` to `to` crosses the plane of a teleporter at
// `centre` facing `rot`, within its reach.
bool CrossesTeleporter(const OGLPoint3D& centre, float rot, float scale, const OGLPoint3D& from, const OGLPoint3D& to);

//
// Spinning platforms (SpinningPlatforms.cpp)
//

constexpr float SPINNING_PLATFORM_LIFT = 550.0f;		// above the base terrain, + 10 × parm[2]
constexpr float SPINNING_PLATFORM_TURN_RATE = 0.5f;	// radians per second
constexpr float SPINNING_PLATFORM_MARGIN = 30.0f;		// the robot may stand this far past an edge

SpinningPlatformShape SpinningPlatformShapeOf(int kind);
// Item 39: platform kind parm[0], phase parm[1] × 45°, height step parm[2],
// turning the other way when parm[3] lacks SPINNING_PLATFORM_TURNS_FORWARD.
bool AddSpinningPlatform(TerrainItemEntryType* item, float x, float z);
void MoveSpinningPlatform(ObjNode* platform);
// Trigger kind 8: solid, carrying the mover round, only where the shape is.
bool DoTrig_SpinningPlatform(ObjNode* platform, ObjNode* mover, uint32_t sides);
// Whether a point at (lx, lz) in the platform's own space (unscaled model
// units, bounds `halfX`/`halfZ` for the rectangle, `radius` for the disc)
// lies on the shape, allowing for the scale and the margin.
bool IsOnSpinningShape(SpinningPlatformShape shape, float lx, float lz, float scale, float halfX, float halfZ, float radius);
// The angle all spinning platforms turn by this frame: the level's wobble
// angle where it keeps one, elsewhere the platforms' own, turned at the same rate.
float SpinningPlatformAngle();
void ResetSpinningPlatformAngle();

//
// Level set-up (Rides.cpp)
//

// Level start, every level: no ride is in use, the tables are empty and the
// rides' trigger handlers are installed.
void ClearRideItemPointers();
