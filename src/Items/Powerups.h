// Power-ups: the atoms that top up the robot's health, jump-jet fuel and the
// exit charge; the pods he punches open (on the ground, or hanging under a
// balloon on the cloud level) to release atoms or a pick-up; and the pick-ups
// his grab collects into the weapon inventory, the gauges or the lives.
//
// Atoms and pick-ups may regenerate: collected, they hide and come back (out
// of view) once the robot runs low on what they give. Everything here is
// GL-free apart from AtomsDraw.cpp.
#pragma once

#include "System/Math.h"

#include <cstdint>

struct ObjNode;
struct TerrainItemEntryType;

// Atom colours (the node's Type): what collecting one restores.
enum : uint8_t
{
	ATOM_COLOR_HEALTH = 0,
	ATOM_COLOR_FUEL = 1,
	ATOM_COLOR_EXIT_CHARGE = 2,
	NUM_ATOM_COLORS = 3,
};

constexpr float ATOM_HEALTH_GAIN = 0.1f;			// of a full gauge
constexpr float ATOM_FUEL_GAIN = 0.1f;
constexpr float ATOM_EXIT_CHARGE_GAIN = 0.05f;
constexpr float ATOM_PICKUP_DELAY = 0.8f;			// seconds before a new atom can be collected
constexpr float ATOM_THRESHOLD_STEP = 0.1f;			// i-th spilled atom comes back at value <= i × this
constexpr int MAX_ATOMS_PER_SPILL = 20;				// per colour: a pod's count byte can ask for 255
constexpr uint16_t ATOM_SLOT = 3098;

// Option bits of an atom (item 5) and a pod (item 6) in the item's parm[3].
// (Bit 0 of the item's flags is the item system's own in-use mark, so the
// options cannot live there: an item carrying it would never be added.)
constexpr uint8_t POWERUP_OPTION_REGENERATES = 1 << 0;
constexpr uint8_t POWERUP_OPTION_ON_TERRAIN = 1 << 1;	// ignore platforms and objects under it
// Item flag bit of a pod that hangs under a balloon (cloud level only).
constexpr uint16_t ITEM_FLAG_POD_ON_BALLOON = 1 << 2;

// Power-up types: a pod's parm[0], a pick-up's SubKind.
enum : uint8_t
{
	POWERUP_TYPE_STUNGUN = 0,
	POWERUP_TYPE_HEALTH_ATOMS = 1,
	POWERUP_TYPE_FUEL_ATOMS = 2,
	POWERUP_TYPE_EXIT_ATOMS = 3,
	POWERUP_TYPE_NOVA = 4,
	POWERUP_TYPE_FREEZEGUN = 5,
	POWERUP_TYPE_TOW_HANDLE = 6,
	POWERUP_TYPE_GROWTH = 7,
	POWERUP_TYPE_ARCSHOT = 8,
	POWERUP_TYPE_FLARE = 9,
	POWERUP_TYPE_DARTS = 10,
	POWERUP_TYPE_EXTRA_LIFE = 11,
	NUM_POWERUP_TYPES = 12,
};

//
// Atoms
//

// Item 5: an atom of colour parm[0] 100 above the surface at (x, z) (or the
// water it floats on); flag bit 0 makes it regenerate.
bool AddAtom(TerrainItemEntryType* item, float x, float z);
ObjNode* MakeAtom(float x, float y, float z, int color);
void MoveAtom(ObjNode* atom);
void CollectAtom(ObjNode* atom);
// Atoms flung out from `where`; the i-th health and fuel atom regenerate
// (when `regenerates`) once the value falls to i × 0.1. Each count is capped
// at MAX_ATOMS_PER_SPILL.
void SpawnAtoms(const OGLPoint3D& where, int healthCount, int fuelCount, int chargeCount, bool regenerates);
// Scatters atoms from the node: `health` health atoms, `fuel` jump-jet fuel
// atoms and `charge` exit-charge atoms.
void SpillPowerups(ObjNode* from, int health, int fuel, int charge);
// The value an atom colour tops up (health, fuel or exit charge), 0..1.
float AtomColorValue(int color);
// The custom draw routine of an atom (AtomsDraw.cpp).
void DrawAtom(ObjNode* atom);
// Its look, advanced by MoveAtom: the glow's tint phase and ring r's angles (radians).
float AtomGlowPhase(const ObjNode* atom);
void AtomRingAngles(const ObjNode* atom, int ring, float* yaw, float* pitch);

//
// Pods (item 6) and pick-ups
//

// Class bit of a balloon pod (what the shots of every weapon look for).
constexpr uint32_t CTYPE_BALLOON_POD = 0x02000000;
constexpr uint16_t PICKUP_SLOT = 70;

// Installs the giant robot's walk-in trigger for ground pods (level start).
void InitPowerupPods();
// Item 6: a pod holding power-up parm[0] (count parm[1], 0 meaning 1; boat
// number parm[2] for a tow handle); flag bit 0: its contents regenerate;
// bit 1: it stands on the terrain; bit 2: it hangs under a balloon (only
// where the level allows). A type past 11 is a fatal alert naming the item.
bool MakePowerupBalloon(TerrainItemEntryType* item, float x, float z);
// Opens a pod: its atoms or its pick-up come out and the pod breaks (ground)
// or bursts with its balloon. Always false: the hit does not stop a shot.
bool PowerupPodGotPunched(ObjNode* weapon, ObjNode* pod, const OGLPoint3D* where, const OGLVector3D* delta, float damage);
// A pick-up of power-up `type` at `where` (a tow handle carries `boatNum`).
ObjNode* MakePickup(int type, const OGLPoint3D& where, bool regenerates, int boatNum);
void MovePickup(ObjNode* pickup);
// The robot's grab took the pick-up: its effect on the inventory, gauges or
// lives. The caller hides (regenerating) or deletes it after.
void CollectPowerup(ObjNode* pickup);
// What the robot's grab does with what it held: collects a pick-up, hides
// a regenerating one and deletes the rest.
void FinishGrab(ObjNode* held);
