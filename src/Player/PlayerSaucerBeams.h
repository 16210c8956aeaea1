// The beams and the hold of the player's saucer on the saucer level, as plain
// state and GL-free steps: which beam is selected, how the selected one charges
// and drains, the humans carried (and those still rising toward the saucer),
// the timed unload at the drop zone, and when the saucer may drop the robot.
// The saucer's move routine (PlayerSaucerLevel.cpp) feeds these with the
// controls and the frame time and acts on what they answer; the infobar reads
// the charges.
#pragma once

#include <cstdint>

//
// Tunables
//

constexpr float SAUCER_BEAM_CHARGE_RATE = 0.5f;		// charge per second while charging (2 s to full)
constexpr float SAUCER_BEAM_DRAIN_RATE = 0.3f;			// charge per second the beam uses while on
constexpr int SAUCER_MAX_CARGO = 10;					// humans aboard plus those being beamed up
constexpr float SAUCER_UNLOAD_FIRST_DELAY = 1.0f;		// seconds from the unload beam to the first human down
constexpr float SAUCER_UNLOAD_INTERVAL = 1.5f;			// seconds between the humans set down after that
constexpr float SAUCER_DROP_POINT_AHEAD = 400.0f;		// units in front of the drop zone where the saucer unloads
constexpr float SAUCER_DROP_ZONE_CATCH = 200.0f;		// units from that point where the autopilot of the unload takes over
constexpr float SAUCER_LANDING_REACH = 400.0f;			// units (octagonal) from that point where the robot may be dropped

enum SaucerBeamType : int8_t
{
	SAUCER_BEAM_NONE = -1,
	SAUCER_BEAM_TRACTOR = 0,		// lifts humans
	SAUCER_BEAM_DESTROY = 1,		// smashes people huts and the level's hazards
	SAUCER_BEAM_UNLOAD = 2,			// sets humans (or the robot) down; never selected, never charged
};

struct SaucerBeamState
{
	int8_t selected = SAUCER_BEAM_DESTROY;		// tractor or destroy
	int8_t charging = SAUCER_BEAM_NONE;		// the beam being charged
	int8_t on = SAUCER_BEAM_NONE;				// the beam showing
	float charge[2] = {0, 0};					// tractor and destroy, 0 … 1
};

// What a frame of charging did.
enum SaucerBeamEvent : uint8_t
{
	SAUCER_BEAM_EVENT_NONE,
	SAUCER_BEAM_EVENT_CHARGING,		// shoot started charging the selected beam
	SAUCER_BEAM_EVENT_ON,			// the charge reached 1: the beam shows
	SAUCER_BEAM_EVENT_OFF,			// the beam ran dry
};

// Next and previous weapon both flip between tractor and destroy; a beam
// already charging or on keeps its type.
void SelectOtherSaucerBeam(SaucerBeamState* beam);
// True while a beam is charging or on.
bool IsSaucerBeamBusy(const SaucerBeamState& beam);
// One frame: a shoot press with no beam busy starts charging the selected
// beam; a charging beam rises and comes on at 1; a beam on drains and goes
// off at 0, but not while humans are still rising into the saucer. The
// unload beam is not charged: it stays on until StopSaucerBeam.
SaucerBeamEvent UpdateSaucerBeamCharge(SaucerBeamState* beam, bool shootPressed, bool humansRising, float dt);
// The unload beam comes on at once (any other beam is cut).
void StartSaucerUnloadBeam(SaucerBeamState* beam);
void StopSaucerBeam(SaucerBeamState* beam);

//
// The hold
//

struct SaucerCargo
{
	uint8_t kinds[SAUCER_MAX_CARGO] = {};		// human kinds aboard, in boarding order
	int count = 0;
	int rising = 0;								// taken by the tractor, not aboard yet
};

// The tractor may take another human (aboard + rising < 10).
bool SaucerCanTakeHuman(const SaucerCargo& cargo);
// The tractor took a human; it rises until SaucerCargoBoard.
void SaucerCargoHumanRising(SaucerCargo* cargo);
// A rising human arrived: its kind joins the hold. False when the hold is full
// (a caller's bug: the tractor never takes more than there is room for).
bool SaucerCargoBoard(SaucerCargo* cargo, int humanType);

//
// The unload at the drop zone
//

struct SaucerUnload
{
	bool active = false;
	float timer = 0;				// seconds until the next human goes down
};

void StartSaucerUnload(SaucerUnload* unload);
// One frame of the unload: returns the kind of the human set down this frame
// (taken from the front of the hold), or −1. Once the hold is empty after a
// drop the unload ends (active false).
int StepSaucerUnload(SaucerUnload* unload, SaucerCargo* cargo, float dt);

// The robot may be dropped: the exit is full, no beam is busy, nobody is
// aboard or rising, and the saucer is within SAUCER_LANDING_REACH of the
// drop point (`distanceToDropPoint` is the octagonal estimate).
bool CanSaucerDropRobot(float exitCharge, const SaucerBeamState& beam, const SaucerCargo& cargo, float distanceToDropPoint);

//
// The game's saucer (PlayerSaucerLevel.cpp)
//

extern SaucerBeamState gSaucerBeam;
extern SaucerCargo gSaucerCargo;
// Level start: beams off and empty, destroy selected, the hold empty.
void ResetSaucerBeams();
// The point in front of the drop zone where the saucer unloads; false while
// the level has no drop zone.
bool GetSaucerDropPoint(float* x, float* z);
// True while the saucer flies itself to the drop point and unloads there.
bool IsSaucerFlyingItself();
