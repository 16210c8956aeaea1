// Atoms: glowing balls of health, fuel or exit charge that bounce out of
// pods and defeated creatures, or sit where the level puts them.
#include "Items/Powerups.h"
#include "System/Level.h"
#include "Items/ItemsInternal.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"
#include "Terrain/Water.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

namespace
{
	constexpr float ATOM_HOVER = 100.0f;				// above the surface it is placed on
	constexpr float ATOM_BOX = 60.0f;					// half size of its collision box
	constexpr float ATOM_TOUCH_BOX = 50.0f;				// half size of the box the robot must touch
	constexpr float ATOM_GRAVITY = 1200.0f;				// units per second²
	constexpr float ATOM_FRICTION = 1000.0f;			// units per second² while on the ground
	constexpr float ATOM_SPIN_MAX = 4.0f;				// radians per second, each axis
	constexpr float ATOM_SPILL_SIDE_SPEED = 400.0f;		// units per second, ± in x and z
	constexpr float ATOM_SPILL_UP_MIN = 500.0f;
	constexpr float ATOM_SPILL_UP_MAX = 1000.0f;
	constexpr float ATOM_HELP_DISTANCE = 500.0f;
	constexpr float ATOM_HELP_SECONDS = 0.5f;
	constexpr int HELP_ATOM_BASE = 5;					// + colour
	constexpr uint32_t ATOM_COLLISION_MASK = CTYPE_TERRAIN | CTYPE_FENCE | CTYPE_MISC;

	// SpecialF use
	constexpr int ATOM_F_THRESHOLD = 0;
	constexpr int ATOM_F_PICKUP_DELAY = 1;
	constexpr int ATOM_F_GLOW_PHASE = 2;
	constexpr int ATOM_F_RING_ANGLES = 3;				// 3 … 6: yaw and pitch of ring 0, then ring 1
	constexpr int ATOM_FLAG_FLOATS = 0;

	// Ring spins in radians per second: (about y, about x) for each ring.
	constexpr float RING_SPINS[2][2] = {
		{450.0f * PI / 180.0f, 500.0f * PI / 180.0f},
		{-550.0f * PI / 180.0f, -400.0f * PI / 180.0f},
	};

	void SpinAtomLook(ObjNode* atom, float dt)
	{
		atom->SpecialF[ATOM_F_GLOW_PHASE] += dt;
		for (int r = 0; r < 2; r++)
			for (int a = 0; a < 2; a++)
				atom->SpecialF[ATOM_F_RING_ANGLES + r * 2 + a] =
						PositiveModulo(atom->SpecialF[ATOM_F_RING_ANGLES + r * 2 + a] + RING_SPINS[r][a] * dt, PI2);
	}

	void MakeAtomSparkles(const OGLPoint3D& where)
	{
		NewParticleGroupDefType def = {};
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.gravity = 1000;
		def.baseScale = 15;
		def.decayRate = 0.3f;
		def.fadeRate = 0.8f;
		def.particleTextureNum = PARTICLE_SPRITE_FLASH;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < 10; i++)
		{
			OGLVector3D delta = {RandomFloatSigned() * 200, 300 + RandomFloatSigned() * 80, RandomFloatSigned() * 200};
			NewParticleDefType p = {group, &where, &delta, 1.0f, RandomFloat() * PI2, 100, RandomFloatRange(0.5f, 1)};
			if (AddParticleToGroup(&p))
				break;
		}
	}

	// A regenerating atom that was collected waits, hidden, until the robot
	// runs low on what it gives and the spot is out of view.
	bool AtomMayComeBack(const ObjNode* atom)
	{
		float value = AtomColorValue(atom->Type);
		float threshold = atom->Type == ATOM_COLOR_EXIT_CHARGE ? 0.0f : atom->SpecialF[ATOM_F_THRESHOLD];
		if (value > threshold)
			return false;
		return (atom->StatusBits & STATUS_BIT_ISCULLED) != 0;
	}

	void MoveAtomBody(ObjNode* atom)
	{
		const float dt = gFrameTime;
		GetObjectInfo(atom);
		bool floats = atom->Flag[ATOM_FLAG_FLOATS] != 0;
		if (atom->StatusBits & STATUS_BIT_ONGROUND)
		{
			float speed = std::sqrt(gObjDelta.x * gObjDelta.x + gObjDelta.z * gObjDelta.z);
			if (speed > 0)
			{
				float slowed = std::max(0.0f, speed - ATOM_FRICTION * dt);
				gObjDelta.x *= slowed / speed;
				gObjDelta.z *= slowed / speed;
			}
		}
		if (!floats)
			gObjDelta.y -= ATOM_GRAVITY * dt;
		gObjCoord = gObjCoord + gObjDelta * dt;
		atom->Rot = atom->Rot + atom->DeltaRot * dt;

		if (!floats)
		{
			ResolveCollisions(atom, ATOM_COLLISION_MASK, 0.5f);
			float waterY;
			if (GetWaterY(gObjCoord.x, gObjCoord.z, &waterY) && gObjCoord.y - ATOM_BOX < waterY)
			{
				gObjCoord = atom->OldCoord;			// atoms do not swim: back out and stop
				gObjDelta = {0, 0, 0};
			}
		}
		UpdateObject(atom);
	}
}

float AtomGlowPhase(const ObjNode* atom)
{
	return atom->SpecialF[ATOM_F_GLOW_PHASE];
}

void AtomRingAngles(const ObjNode* atom, int ring, float* yaw, float* pitch)
{
	*yaw = atom->SpecialF[ATOM_F_RING_ANGLES + ring * 2];
	*pitch = atom->SpecialF[ATOM_F_RING_ANGLES + ring * 2 + 1];
}

float AtomColorValue(int color)
{
	switch (color)
	{
		case ATOM_COLOR_HEALTH: return gRun.health;
		case ATOM_COLOR_FUEL: return gRun.fuel;
		default: return gLevel.exitCharge;
	}
}

ObjNode* MakeAtom(float x, float y, float z, int color)
{
	if (color < 0 || color >= NUM_ATOM_COLORS)
		FatalAlert("MakeAtom: illegal atom colour %d", color);
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.type = uint8_t(color);
	def.coord = {x, y, z};
	def.flags = STATUS_BIT_NOLIGHTING | STATUS_BIT_ALWAYSCULL;		// culled even hidden: regeneration waits out of view
	def.slot = ATOM_SLOT;
	def.moveCall = MoveAtom;
	def.drawCall = DrawAtom;
	def.rot = RandomFloat() * PI2;
	def.scale = 1;
	ObjNode* atom = MakeNewObject(&def);
	atom->Type = uint8_t(color);
	atom->Rot.x = RandomFloat() * PI2;
	atom->DeltaRot = {RandomFloatSigned() * ATOM_SPIN_MAX, RandomFloatSigned() * ATOM_SPIN_MAX, 0};
	atom->SpecialF[ATOM_F_PICKUP_DELAY] = ATOM_PICKUP_DELAY;
	SetObjectCollisionBounds(atom, int16_t(ATOM_BOX), int16_t(-ATOM_BOX), int16_t(-ATOM_BOX), int16_t(ATOM_BOX),
			int16_t(ATOM_BOX), int16_t(-ATOM_BOX));
	atom->BBox = {{-ATOM_BOX, -ATOM_BOX, -ATOM_BOX}, {ATOM_BOX, ATOM_BOX, ATOM_BOX}, false};
	AttachShadowToObject(atom, 0, 1.5f, 1.5f, false);
	return atom;
}

bool AddAtom(TerrainItemEntryType* item, float x, float z)
{
	int color = item->parm[0];
	if (color >= NUM_ATOM_COLORS)
		FatalAlert("AddAtom: illegal atom colour %d (parm 0)", color);
	float y = (item->parm[3] & POWERUP_OPTION_ON_TERRAIN) ? TerrainHeightAt(x, z)
			: HighestSurfaceAt(x, z, CTYPE_PLATFORM | CTYPE_TERRAIN | CTYPE_MISC);
	bool floats = false;
	float waterY;
	if (GetWaterY(x, z, &waterY) && waterY > y)
	{
		y = waterY;
		floats = true;
	}
	ObjNode* atom = MakeAtom(x, y + ATOM_HOVER, z, color);
	atom->TerrainItemPtr = item;
	atom->SubFlag = (item->parm[3] & POWERUP_OPTION_REGENERATES) ? 1 : 0;
	atom->Flag[ATOM_FLAG_FLOATS] = floats;
	atom->DeltaRot = {0, atom->DeltaRot.y, 0};
	return true;
}

void MoveAtom(ObjNode* atom)
{
	if (atom->StatusBits & STATUS_BIT_HIDDEN)
	{
		if (atom->SubFlag && AtomMayComeBack(atom))
		{
			atom->StatusBits &= ~STATUS_BIT_HIDDEN;
			atom->SpecialF[ATOM_F_PICKUP_DELAY] = 0;
			if (atom->ShadowNode)
				atom->ShadowNode->StatusBits &= ~STATUS_BIT_HIDDEN;
		}
		return;
	}
	if (!atom->SubFlag && IsNodeOutOfRange(atom))
	{
		DeleteObject(atom);
		return;
	}

	MoveAtomBody(atom);
	SpinAtomLook(atom, gFrameTime);

	atom->SpecialF[ATOM_F_PICKUP_DELAY] -= gFrameTime;
	if (atom->SpecialF[ATOM_F_PICKUP_DELAY] <= 0)
	{
		const OGLPoint3D& c = atom->Coord;
		if (BoxHitsPlayer(c.y + ATOM_TOUCH_BOX, c.y - ATOM_TOUCH_BOX, c.x - ATOM_TOUCH_BOX, c.x + ATOM_TOUCH_BOX,
				c.z + ATOM_TOUCH_BOX, c.z - ATOM_TOUCH_BOX))
		{
			CollectAtom(atom);
			return;
		}
	}

	int help = HELP_ATOM_BASE + atom->Type;
	if (gPlayerNode && !IsHelpSwitchedOff(help)
			&& CalcQuickDistance(atom->Coord.x, atom->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) < ATOM_HELP_DISTANCE)
		ShowHelpMessage(help, ATOM_HELP_SECONDS, false);
}

void CollectAtom(ObjNode* atom)
{
	PlayItemEffect3D(EFFECT_ATOMCHIME, &atom->Coord, 1 + RandomFloatSigned() * 0.1875f, 1.5f);

	switch (atom->Type)
	{
		case ATOM_COLOR_HEALTH:
			gRun.health = std::min(1.0f, gRun.health + ATOM_HEALTH_GAIN);
			break;
		case ATOM_COLOR_FUEL:
			gRun.fuel = std::min(1.0f, gRun.fuel + ATOM_FUEL_GAIN);
			break;
		default:
			gLevel.exitCharge = std::min(1.0f, gLevel.exitCharge + ATOM_EXIT_CHARGE_GAIN);
			break;
	}
	SwitchOffHelp(HELP_ATOM_BASE + atom->Type);
	MakeAtomSparkles(atom->Coord);

	if (atom->SubFlag)
	{
		atom->StatusBits |= STATUS_BIT_HIDDEN;
		if (atom->ShadowNode)
			atom->ShadowNode->StatusBits |= STATUS_BIT_HIDDEN;
		// Back where it was made, so it returns to its spot and not where it rolled.
		atom->Coord = atom->InitCoord;
		atom->Delta = {0, 0, 0};
		UpdateObjectTransforms(atom);
	}
	else
	{
		atom->TerrainItemPtr = nullptr;			// gone for good
		DeleteObject(atom);
	}
}

void SpawnAtoms(const OGLPoint3D& where, int healthCount, int fuelCount, int chargeCount, bool regenerates)
{
	const int counts[NUM_ATOM_COLORS] = {
		std::clamp(healthCount, 0, MAX_ATOMS_PER_SPILL),
		std::clamp(fuelCount, 0, MAX_ATOMS_PER_SPILL),
		std::clamp(chargeCount, 0, MAX_ATOMS_PER_SPILL),
	};
	for (int color = 0; color < NUM_ATOM_COLORS; color++)
	{
		for (int i = 0; i < counts[color]; i++)
		{
			ObjNode* atom = MakeAtom(where.x, where.y, where.z, color);
			atom->Delta = {RandomFloatSigned() * ATOM_SPILL_SIDE_SPEED,
					RandomFloatRange(ATOM_SPILL_UP_MIN, ATOM_SPILL_UP_MAX),
					RandomFloatSigned() * ATOM_SPILL_SIDE_SPEED};
			atom->SubFlag = regenerates ? 1 : 0;
			if (color != ATOM_COLOR_EXIT_CHARGE)
				atom->SpecialF[ATOM_F_THRESHOLD] = float(i) * ATOM_THRESHOLD_STEP;
		}
	}
}

void SpillPowerups(ObjNode* from, int health, int fuel, int charge)
{
	if (!from)
		return;
	SpawnAtoms(from->Coord, health, fuel, charge, false);
}
