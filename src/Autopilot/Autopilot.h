// The autopilot: plays a level by itself with a player's own controls.
//
// Each frame it looks at a small view of the world (where the player is, how
// it moves, the gauges, the camera's heading and what is worth taking nearby)
// and answers with one frame of input, exactly what a keyboard, mouse or pad
// produce: the camera-relative movement vector and the needs held. It follows
// the level's route goal by goal, turns aside for things in reach (atoms,
// humans, pods, enemies), and recovers when it stops making progress (a jump,
// then the jump jet, then a step to the side). It never touches the game's
// state: it may fall, get hit and lose lives like anyone else.
//
// The decisions (Autopilot.cpp) are GL-free and take no globals; the glue that
// builds the view from the game and feeds the input layer is AutopilotGame.cpp.
#pragma once

#include "Autopilot/AutopilotDangers.h"
#include "Autopilot/AutopilotRoute.h"
#include "System/InputVirtual.h"

#include <cstdint>
#include <vector>

//
// Tunables
//

constexpr float AUTOPILOT_REACH = 260.0f;				// units: a goto goal counts as reached this close
constexpr float AUTOPILOT_PASS_REACH = 700.0f;			// units: a goto goal this near that the robot is already beyond (along its leg) counts as passed
constexpr float AUTOPILOT_EXIT_REACH = 70.0f;			// units: how close to the exit spot it stands
constexpr float AUTOPILOT_LOOKAHEAD = 450.0f;			// units along the leg ahead that the steering aims at
constexpr float AUTOPILOT_OFF_COURSE = 1500.0f;		// units from the leg beyond which it heads straight for the goal
constexpr float AUTOPILOT_SLOW_RADIUS = 500.0f;		// units: closer than this to a stopping goal it eases off the stick
constexpr float AUTOPILOT_STUCK_TIME = 2.0f;			// seconds without progress before a recovery
constexpr float AUTOPILOT_PROGRESS = 120.0f;			// units nearer the goal that count as progress
constexpr float AUTOPILOT_SIDESTEP_TIME = 0.6f;		// seconds of a sidestep
constexpr float AUTOPILOT_TARGET_REACH = 1200.0f;		// units: opportunistic targets this near are taken
constexpr float AUTOPILOT_TARGET_GIVE_UP = 5.0f;		// seconds chasing one target before leaving it be
constexpr float AUTOPILOT_TARGET_REST = 6.0f;			// seconds of ignoring targets after giving up
constexpr float AUTOPILOT_PUNCH_REACH = 200.0f;		// units: close enough to punch
constexpr float AUTOPILOT_PUNCH_REPEAT = 0.6f;		// seconds between punches
constexpr float AUTOPILOT_GRAB_REACH = 140.0f;			// units: close enough for the punch to be a grab (the hand reaches 170)
constexpr float AUTOPILOT_HUMAN_PULL = 2.5f;			// a human (or a captive's capsule) counts as this many times nearer than an atom
constexpr float AUTOPILOT_CAPSULE_STANDOFF = 450.0f;	// units from a capsule it shoots from
constexpr float AUTOPILOT_WEAPON_CHANGE_EVERY = 0.8f;	// seconds between presses of the weapon key (the change takes a moment)
// The saucer level.
constexpr float AUTOPILOT_SAUCER_SIGHT = 4000.0f;		// units: humans and huts this near are seen from the saucer
constexpr float AUTOPILOT_BEAM_AIM = 35.0f;			// units: this close over a human it beams (the tractor reaches 70)
constexpr float AUTOPILOT_HUT_AIM = 60.0f;				// units: this close over a hut it fires the destroy beam
constexpr int AUTOPILOT_SAUCER_HOLD = 10;				// humans aboard or rising that fill the saucer
constexpr float AUTOPILOT_HARVEST_GIVE_UP = 12.0f;		// seconds over one target before leaving it be
constexpr float AUTOPILOT_ENEMY_PUNCH_REACH = 140.0f;	// units: a fist only lands on a creature this close
constexpr float AUTOPILOT_SHOOT_RANGE = 1200.0f;		// units: shots at creatures nearer than this
constexpr float AUTOPILOT_AIM_CONE = 0.5f;				// radians off the robot's facing within which a shot is fired (the auto-aim does the rest)
constexpr float AUTOPILOT_TURN_CREEP = 150.0f;			// units per second of the walk that turns the robot toward a creature close by
constexpr float AUTOPILOT_GO_SPEED = 1100.0f;			// units per second wanted on the way: above the top speed, so the stick stays pushed
constexpr float AUTOPILOT_THREAT_RANGE = 450.0f;		// units: enemies this near are fought; farther ones are left be
constexpr float AUTOPILOT_FIGHT_GIVE_UP = 8.0f;		// seconds fighting a near enemy before leaving it be
// The exit under ice.
constexpr float AUTOPILOT_ICE_BREAKER_SIGHT = 1400.0f;	// units: a hammer bot this near (fast estimate) will come and smash
constexpr float AUTOPILOT_ICE_MARGIN = 300.0f;		// units inside the sheet's edge: far enough in that the smashes land on it
constexpr float AUTOPILOT_ICE_BREAKER_TOO_CLOSE = 380.0f;	// units: nearer, the mallet could reach the robot
constexpr float AUTOPILOT_BACK_OFF_SPEED = 600.0f;		// units per second, backing away from it
// Boss levels (AutopilotBoss.cpp).
constexpr float AUTOPILOT_BOSS_AREA = 2200.0f;			// units round a boss goal whose boss parts it shoots down
constexpr float AUTOPILOT_BOSS_STANDOFF = 800.0f;		// units: it creeps toward a boss part until this near
constexpr float AUTOPILOT_BOSS_CREEP = 120.0f;			// units per second while creeping (it turns the robot to face it)
constexpr float AUTOPILOT_ARENA_THREAT_RANGE = 1000.0f;	// units: armed in a boss's arena, creatures this near are shot
constexpr float AUTOPILOT_BOSS_PUNCH_REACH = 450.0f;	// units from a boss part's centre (a wide one) it punches at
constexpr float AUTOPILOT_BOSS_SHOT_RANGE = 1500.0f;	// units: a boss part this near is shot before creatures
constexpr float AUTOPILOT_BOSS_SHOOT_EVERY = 0.45f;		// seconds between shots at a boss part
constexpr float AUTOPILOT_BOSS_REARM_WAIT = 4.0f;		// seconds unarmed by a boss goal before walking back for weapons
constexpr float AUTOPILOT_TENTACLE_DODGE_RANGE = 250.0f;	// units from a growing tentacle's tip at which it steps aside
constexpr float AUTOPILOT_TENTACLE_DODGE_SPEED = 1100.0f;	// units per second of that step
// Sniping a boss part from afar (AutopilotSnipe.cpp).
constexpr float AUTOPILOT_SNIPE_SIGHT = 4500.0f;		// units: boss parts this near are seen (the auto-aim reaches 5000)
constexpr float AUTOPILOT_SNIPE_TARGET_RADIUS = 500.0f;	// units round the route's target point its part is looked for
constexpr float AUTOPILOT_SNIPE_LOOK = 1.0f;			// seconds on the spot with the part gone before moving on
constexpr float AUTOPILOT_SNIPE_TURN_SPEED = 150.0f;	// units per second of a nudge that turns the robot
constexpr float AUTOPILOT_SNIPE_AIM = 0.05f;			// radians off the part beyond which it turns
constexpr float AUTOPILOT_SNIPE_FIRE_AIM = 0.15f;		// radians off the part within which it fires
constexpr float AUTOPILOT_EDGE_MARGIN = 600.0f;		// units: no fight with a creature this near a hole in the ground
constexpr float AUTOPILOT_FIGHT_HEIGHT = 400.0f;		// units above or below the robot beyond which a creature is out of reach
// Exit charge missed on the way (AutopilotCharge.cpp).
constexpr float AUTOPILOT_CHARGE_PATIENCE = 4.0f;		// seconds at the charge goal with the charge not rising before going back for more

// What is worth a detour.
enum AutopilotTargetKind : uint8_t
{
	AUTOPILOT_TARGET_ATOM,			// touch it
	AUTOPILOT_TARGET_HUMAN,			// touch it
	AUTOPILOT_TARGET_POD,			// punch it open
	AUTOPILOT_TARGET_PICKUP,		// grab it (the punch, next to it)
	AUTOPILOT_TARGET_ENEMY,			// punch it
	AUTOPILOT_TARGET_HUT,			// saucer level: smash it with the destroy beam
	AUTOPILOT_TARGET_BEAMABLE,		// saucer level: a free human for the tractor beam
	AUTOPILOT_TARGET_BOSS_PART,		// a boss, or a part of a boss machine or arena, to shoot down
	AUTOPILOT_TARGET_CHECKPOINT,	// a post not yet lit: touch it, so a lost life starts there
	AUTOPILOT_TARGET_CAPSULE,		// a captive's glass capsule: shoot it open (the human inside is then a target)
};

struct AutopilotTarget
{
	AutopilotTargetKind kind;
	float x, y, z;
	bool open = true;				// boss part: a hit now would hurt it
	bool wrongWeapon = false;		// boss part, capsule: the weapon in hand does nothing to it, another held would
	bool noWeapon = false;			// boss part: nothing held hurts it (the way back to the pick-ups)
	// Enemies: how near before it is fought; 0: never (it is run past).
	float engage = AUTOPILOT_THREAT_RANGE;
	float aimDx = 0, aimDz = 0;		// boss part: where the gun's auto-aim mark lies from its body
};

// A boss machine fought from its plinth, the one dry place of a live floor
// (the blob boss level): the route's boss spots are the plinth's quarters.
constexpr int AUTOPILOT_MAX_BEAMS = 4;
struct AutopilotMachineView
{
	bool present = false;				// a machine is fought this way on this level
	bool fallen = false;				// its last part is down: the level ends by itself
	float cx = 0, cz = 0;				// its centre
	bool onPlinth = false;				// the robot is on (or over) the plinth's top
	int numBeams = 0;					// its live beams over the plinth and the floor: crossing one hurts
	OGLPoint2D beamFrom[AUTOPILOT_MAX_BEAMS], beamTo[AUTOPILOT_MAX_BEAMS];
	bool weaponDrawn = false;			// the weapon in hand hurts the parts it shows now
	bool weaponCarried = false;			// one that does is carried (drawn or not)
	int shotsLeft = 0;					// of that weapon
};

// The brain boss as its fight sees it once its shield is down
// (AutopilotBrain.cpp): where it is, how far its halves stand apart and
// which way they move, and its homing shots in flight.
constexpr int AUTOPILOT_MAX_BOSS_SHOTS = 8;
struct AutopilotBrainView
{
	bool hunting = false;				// alive with every portal down: the fight is on
	float x = 0, z = 0;
	float width = 0;					// 0 closed … 1 fully apart
	bool opening = false;				// the halves move apart (no shots yet)
	bool closing = false;				// they close again; a hit still counts
	bool hurtsNow = false;				// the weapon in hand hurts it
	bool hurtsOther = false;			// another one held would
	int numShots = 0;
	OGLPoint2D shotAt[AUTOPILOT_MAX_BOSS_SHOTS];
	OGLVector2D shotDelta[AUTOPILOT_MAX_BOSS_SHOTS];	// units per second
};

// The world as the autopilot sees it this frame.
struct AutopilotView
{
	float x = 0, y = 0, z = 0;			// the player (robot or saucer)
	float dx = 0, dz = 0;				// its horizontal velocity (units per second)
	bool onGround = false;
	bool inControl = false;				// false while a saucer carries it, it is dead, or there is no player
	bool groundHasHoles = false;		// open sky beside the way: a step aside can be a fall
	bool flying = false;				// the player is the saucer of the saucer level
	float fuel = 0;						// jump-jet fuel 0 … 1
	bool gunReady = false;				// a shooting weapon is drawn: creatures are shot, not punched
	float exitCharge = 0;				// 0 … 1
	bool exitCharged = false;			// the exit saucer would open now
	float cameraLookAngle = 0;			// the camera's yaw (the steering turns by it)
	float heading = 0;					// the way the player faces (a heading θ faces (−sin θ, −cos θ))
	float health = 1;					// 0 … 1
	bool bossLevel = false;				// the exit waits for the level's boss to die
	bool bossDead = false;
	float dt = 0;						// seconds of this frame
	bool respawned = false;				// the first frame in control after a lost life
	std::vector<AutopilotTarget> targets;
	AutopilotMachineView machine;
	AutopilotBrainView brain;
	// A level whose exit lift is sealed under ice: the sheet's extent while it
	// is whole, and the ice breaker (a hammer bot) seen near the robot.
	bool iceSealed = false;
	float iceLeft = 0, iceRight = 0, iceBack = 0, iceFront = 0;
	bool iceBreakerNear = false;
	float iceBreakerX = 0, iceBreakerZ = 0;
	std::vector<AutopilotDanger> dangers;	// reaches it keeps out of (AutopilotDangers.h)
	// The saucer level, while flying.
	bool saucerSteering = true;			// false while the saucer flies itself to the drop zone and unloads
	int saucerLoad = 0;					// humans aboard or rising
	int beamSelected = 1;				// 0 tractor, 1 destroy
	bool beamBusy = false;				// a beam is charging or on
	bool hasDropPoint = false;
	float dropX = 0, dropZ = 0;			// the point in front of the drop zone
};

enum AutopilotRecovery : uint8_t
{
	AUTOPILOT_RECOVER_NONE,
	AUTOPILOT_RECOVER_JUMP,
	AUTOPILOT_RECOVER_JET,
	AUTOPILOT_RECOVER_SIDESTEP,
};

struct AutopilotState
{
	size_t goal = 0;					// the route goal being worked on
	bool routeDone = false;				// every goal done (the level's own end takes over)
	bool started = false;
	bool placed = false;				// the start below is known (the first frame in control)
	float startX = 0, startZ = 0;		// where the robot first stood: the first leg starts there
	// Walking the route again where the ground has holes: the goal it was on
	// (SIZE_MAX: not walking back); tasks before it are passed over.
	size_t resumeGoal = SIZE_MAX;
	float legFromX = 0, legFromZ = 0;	// where the current leg starts (the last goal reached)
	float goalClock = 0;				// seconds on the current goal
	// Progress watch.
	float bestDistance = 1e30f;
	float sinceProgress = 0;
	AutopilotRecovery recovery = AUTOPILOT_RECOVER_NONE;
	float recoveryClock = 0;
	int recoveries = 0;
	float sidestepSign = 1;
	// Opportunistic targets.
	bool chasing = false;
	float chaseClock = 0;
	float chaseBest = 1e30f;			// nearest it got to the chased target
	float chaseStall = 0;				// seconds chasing without getting nearer
	float targetRest = 0;
	float punchClock = 0;
	// The saucer's harvest: the target worked on and for how long.
	float harvestX = 0, harvestZ = 0;
	float harvestClock = 0;
	std::vector<OGLPoint2D> harvestSkipped;	// targets left be
	// Short of charge at the charge goal: walking the way back for atoms, to
	// the place of goal chargeSearchGoal (route.size(): the start).
	bool chargeSearching = false;
	bool chargeBackward = true;
	size_t chargeSearchGoal = 0;
	// A boss machine's fight: settled at the spot it shoots from (it leaves it only when pushed well off).
	bool settled = false;
	// A boss fought with nothing held that hurts it: seconds held back by its
	// goal, and whether it walks back to the route's start for the weapons
	// there (they come back once out of view).
	float unarmedClock = 0;
	bool rearming = false;
	float chargeSeen = 0;				// the charge last frame: while it still rises, it waits
	// The brain's fight: where it was last seen, to pick up what it spills
	// when it dies (its exit charge) before moving on.
	bool brainSeen = false;
	float brainX = 0, brainZ = 0;
	// Needs held last frame (a press needs a release before it counts again).
	uint64_t lastNeeds = 0;
};

// Breaking the ice over the exit lift (AutopilotIceBreaker.cpp): only the
// hammer bot's smashes crack it, so with one near, the robot waits on the ice
// inside the bot's lure and lets it smash; too close, it backs away. True
// when it wants the horizontal velocity (wantX, wantZ) this frame instead of
// following the route.
bool AutopilotWaitForIceBreaker(const AutopilotView& view, float* wantX, float* wantZ);
// A boss machine fought from its plinth (AutopilotBossMachine.cpp), while the
// current goal is one of the route's boss spots (the plinth's quarters):
// arms from the quarter's pod, shoots what the machine shows from there,
// then walks on to a neighbouring quarter, never across a live beam. Always
// owns the frame.
void AutopilotFightBossMachine(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// A charge goal: waits for the exit's charge, and when it stops rising short
// of full (atoms missed on the way, or a life lost far back) walks the way
// back toward the start and forward again, the opportunistic targets picking
// up the atoms in reach, until it is full; then on to the next goal.
void AutopilotWaitForCharge(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// The brain boss's fight once its shield is down (AutopilotBrain.cpp), while
// the current goal is the route's boss goal: keeps its distance, faces it,
// fires so the first hit lands while its halves are still opening (it closes
// again before it ever shoots) and keeps firing while they close, runs from
// a homing shot, and re-arms at the pods. Always owns the frame.
void AutopilotFightBrain(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// The brain just died: to where it fell, a moment for its spill to come
// within reach (the opportunistic chase takes it), then on.
void AutopilotCollectBrainSpill(VirtualInputFrame* frame, const Route& route, const AutopilotView& view, AutopilotState* state);
// Makes route goal `goal` the current one, its leg starting where the player stands.
void AutopilotStartGoal(const AutopilotView& view, AutopilotState* state, size_t goal);

// After a lost life (AutopilotRespawn.cpp): the goal to walk on from for a
// robot back at (x, z), the route having started at (startX, startZ) and got
// as far as goal `current`. It is the first goal of the leg nearest the
// point, never one past `current`. With `wayOnly` (ground with holes) only
// the legs of the way's goals count, and the current one's.
size_t AutopilotResumeGoal(const Route& route, float startX, float startZ, size_t current, float x, float z,
		bool wayOnly = false);
// Where the leg to goal `goal` starts: the place of the last goal before it
// that has one, or the route's start (startX, startZ).
void AutopilotLegStart(const Route& route, float startX, float startZ, size_t goal, float* x, float* z);
// Picks the route up again from the respawn point the view shows.
void AutopilotResumeAfterRespawn(const Route& route, const AutopilotView& view, AutopilotState* state);

// One frame of input for the route and the view; advances the state.
VirtualInputFrame AutopilotStep(const Route& route, const AutopilotView& view, AutopilotState* state);

// The stick deflection that moves the player along the world direction
// (dx, dz) with the camera at `cameraLookAngle`: the inverse of the
// steering's turn by the camera. Full deflection (length 1) for any direction
// that is not zero.
OGLVector2D SteeringForWorldDirection(float dx, float dz, float cameraLookAngle);

// Where the steering aims on the leg from (ax, az) to (bx, bz) for a player
// at (px, pz): a point AUTOPILOT_LOOKAHEAD further along than the nearest
// point of the leg, so a player knocked aside is drawn back onto the line.
OGLPoint2D AutopilotAimPoint(float px, float pz, float ax, float az, float bx, float bz);

// Installed by --autopilot: from the next level frame on, the game's input
// gets a source that plays (AutopilotGame.cpp).
void StartAutopilot();
// The level's play as a virtual input source: nothing while no robot is in
// play (the whole-game run's front-end pilot takes those updates).
void AutopilotLevelInput(VirtualInputFrame* frame);
// Forget the level's route and state (the level ended).
void ResetAutopilotForLevel();
// How many of the current level's route goals are done, of how many (0 of 0
// before the route is loaded).
void GetAutopilotProgress(int* goalsDone, int* goalsInRoute);
