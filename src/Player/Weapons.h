// The robot's weapons: an inventory of eight slots, switching between them,
// firing the current one, the projectiles that fly and test for hits, the nova
// charge that zaps many targets at once, the growth power that makes the robot
// giant, the thrown dart and the hits of the robot's hands during a jump jet.
// Every attack is a weapon type number (Player/WeaponTypes.h); a hit is
// answered by the target's HitByWeaponHandler[type].
//
// The inventory and switching (Weapons.cpp) are GL-free and can be driven by
// tests without a robot; firing and the projectiles need a level.
#pragma once

#include "Player/WeaponTypes.h"
#include "System/Math.h"

#include <cstdint>

struct ObjNode;

//
// Tunables
//

constexpr int MAX_WEAPON_SLOTS = 8;				// inventory slots, in display order
constexpr int16_t MAX_WEAPON_QUANTITY = 99;		// per slot
constexpr int NUM_INVENTORY_WEAPONS = 8;		// types 0..7 can be carried
constexpr int MAX_ZAP_TARGETS = 19;				// a full nova strikes at most this many
constexpr float NOVA_FIZZLE_CHARGE = 0.4f;		// below this a released nova does nothing
constexpr float NOVA_CHARGE_RATE = 0.33f;		// charge per second while held
constexpr float NOVA_FULL_RADIUS = 3000.0f;		// zap radius at full charge (units)
constexpr float ZAP_SHOW_TIME = 2.0f;			// seconds a discharge's zaps stay visible
constexpr float SHOCK_ZAP_COOLDOWN = 1.7f;		// seconds between electrocution discharges
constexpr float GROWTH_GIANT_TIME = 12.0f;		// seconds at giant size
constexpr float GROWTH_MIN_SCALE = 1.2f;		// robot node scale, normal
constexpr float GROWTH_MAX_SCALE = 3.6f;		// robot node scale, giant
constexpr float AUTO_AIM_TIME = 0.8f;			// seconds the robot turns toward an aimed shot's target
constexpr float AUTO_AIM_RANGE = 5000.0f;		// horizontal units

// Class bit of the robot's projectiles (collision class field).
constexpr uint32_t CTYPE_PLAYER_PROJECTILE = 0x100000;
// What a projectile can hit: auto-targets, enemies and miscellaneous objects.
constexpr uint32_t PROJECTILE_HIT_MASK = 0x48040;

//
// State
//

struct WeaponSlot
{
	int16_t type;			// -1 = empty
	int16_t quantity;		// 0..99
};

// The inventory and the current weapon belong to the run (gRun, Player/Player.h).
extern bool gWeaponIsDrawn;				// the current weapon is held in the right hand
extern int16_t gPrevWeaponType;			// shown in the hand until the change animation raises its flag
extern bool gPrevWeaponDrawn;
extern float gNovaCharge;				// 0..1; also the brightness of the arcs
extern ObjNode* gNovaChargeNode;		// draws the charge, then the zaps
extern float gZapTimer;					// seconds the zaps stay, or the electrocution cool-down
extern int gGrowthState;				// GROWTH_STATE_*
extern float gGrowthTimer;				// seconds of giant size left
extern float gGrowthNodeScale;			// the robot node's scale
extern float gAutoAimTimer, gAutoAimX, gAutoAimZ;

enum : int
{
	GROWTH_STATE_NONE = 0,
	GROWTH_STATE_GROWING = 1,		// growing, then giant
	GROWTH_STATE_SHRINKING = 2,
};

//
// Inventory and switching (Weapons.cpp)
//

// Fist only (99), the fist selected, nothing drawn. Every level start.
void InitWeaponInventory();
// The inventory the cheat keys give: every weapon, growth once.
void GiveCheatWeaponInventory();
// The slot holding `type` with at least one unit, else -1.
int FindWeaponSlot(int type);
// Adds `count` of `type` (capped at 99) to the slot that holds it, else the
// first empty slot. A type that cannot be carried is a fatal error.
void AddWeaponToInventory(int type, int count);
// Selects the next filled slot from `startSlot` in `direction` (+1 or -1);
// with `noAdvance` the start slot itself is tried first. Returns the slot.
int ChangeWeapons(int startSlot, int direction, bool noAdvance);
// Uses up one unit; the last one empties the slot, throws the held model away
// and selects the next weapon.
void DecWeaponQuantity(int type);
// Types 0..4 are held in the right hand; anything else (including -1) is not.
bool IsWeaponHeldInHand(int type);
// The weapon the hand shows this frame (the previous one until the change
// animation raises its flag), or -1 when the hand is empty.
int WeaponShownInHand();

//
// Controls and firing (WeaponsFire.cpp)
//

// Shoot, else punch/pick-up, else next, else previous weapon.
bool DoWeaponControls(ObjNode* player);		// true when an action took over the state
bool FireWeapon(ObjNode* player);			// true when the robot changed state
// Bends `aim` toward the nearest auto-target in front of `muzzle` and starts the turn.
void AutoAimShot(const OGLPoint3D* muzzle, OGLVector3D* aim);
// Effects of animation events: the growth animation ended, the dart throw's flag.
void FinishGrowthAnim(ObjNode* player);
void ThrowDart(ObjNode* player);
// Each frame of a jump jet: the hands strike what they touch.
void DoJumpJetHits(ObjNode* player);

//
// Projectiles (WeaponsProjectiles.cpp)
//

// Makes a projectile node of weapon `type` at `where` flying with `delta`.
ObjNode* MakeWeaponProjectile(int type, const OGLPoint3D* where, const OGLVector3D* delta);
// The used-up weapon flies out of the robot's right hand and breaks or vanishes.
void ThrowAwayEmptyWeapon(int type);
// After a projectile moved: true when it was spent (exploded and deleted).
bool ProjectileHitTest(ObjNode* shot);
// The stun shot's flash and sparks where `shot` is, and the shot deleted:
// how any bolt that strikes something ends.
void BurstShotIntoFlash(ObjNode* shot);

//
// Nova (WeaponsNova.cpp; its arcs are drawn in WeaponsNovaDraw.cpp)
//

struct ZapTarget
{
	bool used;
	float distance;			// octagonal estimate, quartered for preferred targets
	OGLPoint3D aim;			// where the arc ends
	ObjNode* node;
};
extern ZapTarget gZapTable[MAX_ZAP_TARGETS];
extern OGLPoint3D gNovaHandPoints[2];		// where the charge's arcs leave the robot's hands

// Drawing routines of the charge node: the arc between the hands while
// charging, the arcs to the struck targets after the discharge.
void DrawNovaCharge(ObjNode* node);
void DrawNovaZaps(ObjNode* node);

void StartNovaCharge(ObjNode* player);
// Each frame of the charging animation.
void UpdateNovaCharge(ObjNode* player, float dt);
bool IsNovaCharging();
// True when the discharge struck something (one unit used up).
bool ReleaseNovaCharge();
// Strikes up to `maxTargets` targets within `radius` of (x, y, z); the count.
int ZapNearbyTargets(ObjNode* owner, float x, float y, float z, int maxTargets, float radius);
// The robot was electrocuted: it discharges like a nova (with a cool-down).
void ElectrocutionDischarge(ObjNode* player);

//
// Growth (WeaponsGrowth.cpp)
//

void UpdateGrowth(ObjNode* player, float dt);
// Normal size at once; with the robot, its box and scale are put back too.
void ResetGrowth(ObjNode* player = nullptr);
