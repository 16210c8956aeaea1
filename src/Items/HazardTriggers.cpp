// The hazards that go off when touched or come near: land mines and floating
// mines (one explosion for both), manhole covers blown off by the gas under
// them, trap doors that drop the robot into the sky, and floating platforms
// that sink under him a few seconds after he steps on.
#include "Items/HazardsInternal.h"
#include "Effects/Particles.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "Player/WeaponTypes.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainFormat.h"
#include "Terrain/TerrainItems.h"
#include "Terrain/Water.h"

#include <SDL_opengl.h>

#include <cmath>
#include <vector>

namespace
{
	// Mines.
	constexpr int MINE_MODEL = 23, FLOATING_MINE_MODEL = 22;
	constexpr float MINE_SCALE = 0.6f, FLOATING_MINE_SCALE = 0.6f;
	constexpr int16_t MINE_SLOT = 92, FLOATING_MINE_SLOT = 522;
	constexpr float FLOATING_MINE_LIFT = 110.0f;		// its start, above the ground
	constexpr float FLOATING_MINE_BOB = 40.0f;			// units, top to bottom
	constexpr float FLOATING_MINE_BOB_RATE = 1.4f;		// radians per second
	constexpr float FLOATING_MINE_SPIN = 2.0f;
	constexpr float FLOATING_MINE_WARN_RANGE = 900.0f;	// its light turns red
	constexpr float MINE_SPARK_RADIUS = 300.0f;
	constexpr int MAX_BLAST_VICTIMS = 32;
	const OGLBoundingBox MINE_STAND_IN = {{-70, 0, -70}, {70, 50, 70}, false};
	const OGLBoundingBox FLOATING_MINE_STAND_IN = {{-90, -90, -90}, {90, 90, 90}, false};

	// Manhole covers.
	constexpr int MANHOLE_MODEL = 4;
	constexpr float MANHOLE_SCALE = 0.5f;
	constexpr int16_t MANHOLE_SLOT = 93;
	constexpr float MANHOLE_INTERVAL = 3.0f;			// seconds on the ground between blasts
	constexpr float MANHOLE_FIRST_MAX = 4.0f;
	constexpr float MANHOLE_BLAST_SPEED = 3000.0f;		// the cover's, up
	constexpr float MANHOLE_GRAVITY = 4500.0f;
	constexpr float MANHOLE_SPIN = 15.0f;				// radians per second
	constexpr float MANHOLE_DAMAGE = 0.2f;
	constexpr float MANHOLE_REACH = 80.0f;				// the blast's half width
	constexpr float MANHOLE_REACH_UP = 40.0f;			// how high above the hole feet are still caught
	constexpr float MANHOLE_THROW = 2000.0f;			// the robot's speed up
	constexpr float MANHOLE_WOBBLE_TIME = 1.0f;
	const OGLBoundingBox MANHOLE_STAND_IN = {{-160, 0, -160}, {160, 20, 160}, false};
	enum : uint8_t { MANHOLE_REST, MANHOLE_FLYING, MANHOLE_WOBBLE };

	// Trap doors: level model 27, 1 unit square (x −0.5 … 0.5, z 0 … 1, top at
	// y 0) with its hinge along the z = 0 edge, scaled to one tile.
	constexpr int TRAP_DOOR_MODEL = 27;
	constexpr int16_t TRAP_DOOR_SLOT = 94;
	constexpr float TRAP_DOOR_SINK = 5.0f;				// its top lies this far below the ground round the hole
	constexpr float TRAP_DOOR_THICKNESS = 40.0f;
	constexpr float TRAP_DOOR_HANG = PI / 2;
	constexpr float TRAP_DOOR_STOP = 2 * PI / 3;		// it bounces back from here
	constexpr float TRAP_DOOR_BOUNCE_KEPT = 0.8f;
	const OGLBoundingBox TRAP_DOOR_STAND_IN = {{-0.5f, -0.05f, 0}, {0.5f, 0, 1}, false};
	enum : uint8_t { TRAP_DOOR_SHUT, TRAP_DOOR_SWINGING };

	// Sinking platforms.
	constexpr int SINKING_PLATFORM_MODEL = 54;
	constexpr float SINKING_PLATFORM_SCALE = 4.2f;
	constexpr int16_t SINKING_PLATFORM_SLOT = 96;
	constexpr float SINK_ACCEL = 50.0f;					// units per second²
	constexpr float RISE_SPEED = 100.0f;				// units per second
	constexpr float FLOATING_PLATFORM_SPEED = 60.0f;	// loop points per second
	const OGLBoundingBox SINKING_PLATFORM_STAND_IN = {{-60, -10, -60}, {60, 8, 60}, false};
	enum : uint8_t { PLATFORM_FLOATING, PLATFORM_COUNTDOWN, PLATFORM_SINKING, PLATFORM_RISING };

	//
	// Mines
	//

	// Every node the blast reaches, gathered before any is hurt: a hurt
	// routine may delete nodes.
	void HurtEverythingInBlast(const OGLPoint3D& where, ObjNode* source)
	{
		ObjNode* victims[MAX_BLAST_VICTIMS];
		int n = 0;
		for (ObjNode* node = gObjectListHead; node && node->Slot < SLOT_OF_DUMB && n < MAX_BLAST_VICTIMS; node = node->NextNode)
		{
			if (node == source || node == gPlayerNode || node->CType == INVALID_NODE_FLAG || !node->HitByWeaponHandler[WEAPON_HURT])
				continue;
			if (OGLPoint3D_Distance(&where, &node->Coord) < MINE_BLAST_RADIUS)
				victims[n++] = node;
		}
		for (int i = 0; i < n; i++)
			if (victims[i]->CType != INVALID_NODE_FLAG)
				HitByWeapon(WEAPON_HURT, nullptr, victims[i], &where, nullptr, MINE_BLAST_DAMAGE);
		ObjNode* robot = HazardParts::LivePlayer();
		if (robot && OGLPoint3D_Distance(&where, &robot->Coord) < MINE_BLAST_RADIUS)
			PlayerGotHit(nullptr, MINE_BLAST_DAMAGE);
	}

	bool MineTouched(ObjNode* mine, ObjNode* mover, uint32_t)
	{
		if (mover != gPlayerNode || mine->CType == INVALID_NODE_FLAG)
			return true;
		OGLPoint3D where = mine->Coord;
		mine->CType &= ~CTYPE_TRIGGER;			// one explosion, however many sub-steps touch it
		mine->TerrainItemPtr = nullptr;			// gone for good
		DeleteObject(mine);
		ExplodeMine(where, nullptr);
		return false;
	}

	void ExplodeFloatingMine(ObjNode* mine)
	{
		if (mine->CType == INVALID_NODE_FLAG || mine->Mode)
			return;
		mine->Mode = 1;
		OGLPoint3D where = mine->Coord;
		HazardParts::BlowUpForGood(mine, -1, 1, MINE_SPARK_RADIUS);
		ExplodeMine(where, mine);
	}

	bool ShotHitsFloatingMine(ObjNode*, ObjNode* mine, const OGLPoint3D*, const OGLVector3D*, float)
	{
		ExplodeFloatingMine(mine);
		return true;
	}

	void MoveFloatingMine(ObjNode* mine)
	{
		if (IsNodeOutOfRange(mine))
		{
			DeleteObject(mine);
			return;
		}
		mine->SpecialF[0] += FLOATING_MINE_BOB_RATE * gFrameTime;
		mine->Coord.y = mine->InitCoord.y + 0.5f * FLOATING_MINE_BOB * (1 + std::sin(mine->SpecialF[0]));
		mine->Rot.y += FLOATING_MINE_SPIN * gFrameTime;
		UpdateObjectTransforms(mine);
		CalcObjectBoxFromNode(mine);

		ObjNode* robot = HazardParts::LivePlayer();
		const bool near = robot && HazardParts::FlatDistance(robot->Coord, mine->Coord) < FLOATING_MINE_WARN_RANGE;
		if (mine->Sparkles[0] != -1)
			gSparkles[mine->Sparkles[0]].color = near ? OGLColorRGBA{1, 0.1f, 0.1f, 1} : OGLColorRGBA{1, 1, 0.2f, 1};
		if (robot && OGLPoint3D_Distance(&robot->Coord, &mine->Coord) < FLOATING_MINE_TRIGGER_RANGE)
			ExplodeFloatingMine(mine);
	}

	//
	// Manhole covers
	//

	void BlastManhole(ObjNode* cover)
	{
		cover->Mode = MANHOLE_FLYING;
		cover->Delta.y = MANHOLE_BLAST_SPEED;
		PlayItemEffect3D(EFFECT_MANHOLEBLAST, &cover->Coord);
		const OGLPoint3D& hole = cover->InitCoord;
		MakeSparkBurst(hole.x, hole.y + 40, hole.z, 200, PARTICLE_SPRITE_SMOKE_WHITE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 1.2f);
		ObjNode* robot = HazardParts::LivePlayer();
		if (!robot)
			return;
		float feet = robot->Coord.y + float(robot->BottomOff);
		if (std::fabs(robot->Coord.x - hole.x) < MANHOLE_REACH && std::fabs(robot->Coord.z - hole.z) < MANHOLE_REACH
				&& feet - hole.y < MANHOLE_REACH_UP)
		{
			PlayerGotHit(nullptr, MANHOLE_DAMAGE);
			robot->Delta.y = MANHOLE_THROW;
			robot->StatusBits &= ~STATUS_BIT_ONGROUND;
		}
	}

	void MoveManholeCover(ObjNode* cover)
	{
		if (IsNodeOutOfRange(cover))
		{
			DeleteObject(cover);
			return;
		}
		const float dt = gFrameTime;
		float& timer = cover->SpecialF[0];
		switch (cover->Mode)
		{
			case MANHOLE_REST:
				timer -= dt;
				if (timer <= 0)
					BlastManhole(cover);
				break;
			case MANHOLE_FLYING:
				cover->Delta.y -= MANHOLE_GRAVITY * dt;
				cover->Coord.y += cover->Delta.y * dt;
				cover->Rot.x += MANHOLE_SPIN * dt;
				if (cover->Coord.y <= cover->InitCoord.y && cover->Delta.y < 0)
				{
					cover->Coord.y = cover->InitCoord.y;
					cover->Delta.y = 0;
					cover->Mode = MANHOLE_WOBBLE;
					timer = MANHOLE_WOBBLE_TIME;
					PlayItemEffect3D(EFFECT_MANHOLEROLL, &cover->Coord);
				}
				break;
			case MANHOLE_WOBBLE:
				timer -= dt;
				// Rolls round its rim, dying away, until it lies flat.
				cover->Rot.x = 0.25f * timer * std::sin(timer * 25);
				cover->Rot.z = 0.25f * timer * std::cos(timer * 25);
				if (timer <= 0)
				{
					cover->Rot.x = cover->Rot.z = 0;
					cover->Mode = MANHOLE_REST;
					timer = MANHOLE_INTERVAL;
				}
				break;
		}
		UpdateObjectTransforms(cover);
	}

	//
	// Trap doors
	//

	bool TrapDoorTrodden(ObjNode* door, ObjNode* mover, uint32_t sides)
	{
		if (mover != gPlayerNode || !(sides & SIDE_BOTTOM) || door->Mode != TRAP_DOOR_SHUT)
			return true;
		door->Mode = TRAP_DOOR_SWINGING;
		door->CType = 0;
		door->CBits = 0;
		door->StatusBits |= STATUS_BIT_NOCOLLISION;
		PlayItemEffect3D(EFFECT_TRAPDOOR, &door->Coord);
		return false;
	}

	void MoveTrapDoor(ObjNode* door)
	{
		if (IsNodeOutOfRange(door))
		{
			DeleteObject(door);
			return;
		}
		if (door->Mode != TRAP_DOOR_SWINGING)
			return;
		const float dt = gFrameTime;
		float& speed = door->DeltaRot.x;
		speed += (door->Rot.x < TRAP_DOOR_HANG ? 1.0f : -1.0f) * TRAP_DOOR_SWING_ACCEL * dt;
		door->Rot.x += speed * dt;
		if (door->Rot.x > TRAP_DOOR_STOP)
		{
			door->Rot.x = TRAP_DOOR_STOP;
			speed = -speed * TRAP_DOOR_BOUNCE_KEPT;
		}
		UpdateObjectTransforms(door);
	}

	//
	// Sinking platforms
	//

	bool SinkingPlatformTrodden(ObjNode* platform, ObjNode* mover, uint32_t sides)
	{
		if (mover == gPlayerNode && (sides & SIDE_BOTTOM) && platform->Mode == PLATFORM_FLOATING)
		{
			platform->CType &= ~CTYPE_TRIGGER;
			platform->Mode = PLATFORM_COUNTDOWN;
			platform->SpecialF[0] = SINKING_PLATFORM_DELAY;
		}
		return true;
	}

	// One frame of the sink cycle: the depth below the surface (SpecialF[2])
	// and its vertical speed (SpecialF[1]).
	void StepSinkCycle(ObjNode* platform, float dt)
	{
		float& timer = platform->SpecialF[0];
		float& speed = platform->SpecialF[1];
		float& depth = platform->SpecialF[2];
		switch (platform->Mode)
		{
			case PLATFORM_FLOATING:
				break;
			case PLATFORM_COUNTDOWN:
				timer -= dt;
				if (timer <= 0)
				{
					platform->Mode = PLATFORM_SINKING;
					speed = 0;
				}
				break;
			case PLATFORM_SINKING:
				speed += SINK_ACCEL * dt;
				depth += speed * dt;
				if (depth >= SINKING_PLATFORM_DEPTH)
				{
					depth = SINKING_PLATFORM_DEPTH;
					platform->Mode = PLATFORM_RISING;
				}
				break;
			case PLATFORM_RISING:
				depth -= RISE_SPEED * dt;
				if (depth <= 0)
				{
					depth = 0;
					platform->Mode = PLATFORM_FLOATING;
					platform->CType |= CTYPE_TRIGGER;
				}
				break;
		}
	}

	float SurfaceHeightAt(float x, float z)
	{
		float y;
		if (GetWaterY(x, z, &y))
			return y;
		return TerrainHeightAt(x, z);
	}

	void PlacePlatform(ObjNode* platform, float surface)
	{
		float y = surface - platform->SpecialF[2];
		platform->Delta.y = gFrameTime > 0 ? (y - platform->Coord.y) / gFrameTime : 0;
		platform->Coord.y = y;
		UpdateObjectTransforms(platform);
		CalcObjectBoxFromNode(platform);
	}

	void MoveSinkingPlatform(ObjNode* platform)
	{
		if (IsNodeOutOfRange(platform))
		{
			DeleteObject(platform);
			return;
		}
		StepSinkCycle(platform, gFrameTime);
		PlacePlatform(platform, platform->InitCoord.y);
	}

	void MoveFloatingPlatformOnSpline(ObjNode* platform)
	{
		const bool active = IsSplineObjectOnActiveTerrain(platform);
		IncreaseSplineIndex(platform, FLOATING_PLATFORM_SPEED);
		SetSplineObjectCoord(platform);
		if (!active)
			return;
		StepSinkCycle(platform, gFrameTime);
		PlacePlatform(platform, SurfaceHeightAt(platform->Coord.x, platform->Coord.z));
	}

	ObjNode* MakeSinkingPlatform(float x, float z, ObjNodeRoutine moveCall)
	{
		ObjNode* p = HazardParts::MakeModel(SINKING_PLATFORM_MODEL, {x, SurfaceHeightAt(x, z), z}, SINKING_PLATFORM_SCALE, 0,
				SINKING_PLATFORM_SLOT, moveCall, SINKING_PLATFORM_STAND_IN);
		p->CType = CTYPE_PLATFORM | CTYPE_MISC | CTYPE_TRIGGER | CTYPE_BLOCKCAMERA | CTYPE_SHADOWTOP;
		p->CBits = SIDE_ALL;
		p->TriggerSides = SIDE_TOP;
		p->Kind = TRIGGER_KIND_SINKING_PLATFORM;
		p->Mode = PLATFORM_FLOATING;
		CreateCollisionBoxFromBoundingBox(p, 1, 1);
		KeepOldCollisionBoxes(p);
		return p;
	}
}

void ExplodeMine(const OGLPoint3D& where, ObjNode* source)
{
	MakeSparkBurst(where.x, where.y + 40, where.z, MINE_SPARK_RADIUS, PARTICLE_SPRITE_FIREBALL, GL_SRC_ALPHA, GL_ONE, 1.0f);
	MakeDustRing(where.x, where.y, where.z);
	MakeRingWaveDeformation(100, 20, 3000, 0.002f, 800, 300, where.x, where.z);
	if (PlayItemEffect3D(EFFECT_APOCALYPSE_MINEEXPLOSION, &where, 1, 2) == -1)
		PlayItemEffect3D(EFFECT_SAUCER_MINEEXPLOSION, &where, 1, 2);
	HurtEverythingInBlast(where, source);
}

bool AddMine(TerrainItemEntryType* item, float x, float z)
{
	ObjNode* mine = HazardParts::MakeModel(MINE_MODEL, {x, TerrainHeightAt(x, z), z}, MINE_SCALE, RandomFloat() * PI2,
			MINE_SLOT, MoveStaticObject, MINE_STAND_IN, item);
	mine->CType = CTYPE_TRIGGER | CTYPE_MISC;
	mine->CBits = SIDE_ALL;
	mine->TriggerSides = SIDE_ALL;
	mine->Kind = TRIGGER_KIND_MINE;
	CreateCollisionBoxFromBoundingBox(mine, 1, 1);
	return true;
}

bool AddFloatingMine(TerrainItemEntryType* item, float x, float z)
{
	ObjNode* mine = HazardParts::MakeModel(FLOATING_MINE_MODEL, {x, TerrainHeightAt(x, z) + FLOATING_MINE_LIFT, z},
			FLOATING_MINE_SCALE, RandomFloat() * PI2, FLOATING_MINE_SLOT, MoveFloatingMine, FLOATING_MINE_STAND_IN, item);
	mine->CType = CTYPE_MISC | CTYPE_AUTOTARGET;
	mine->CBits = SIDE_ALL;
	mine->SpecialF[0] = RandomFloat() * PI2;
	for (int w = WEAPON_STUNGUN; w <= WEAPON_DART; w++)
		mine->HitByWeaponHandler[w] = ShotHitsFloatingMine;
	CreateCollisionBoxFromBoundingBox(mine, 1, 1);
	HazardParts::AttachSparkle(mine, 0, {0, 0, 0}, {1, 1, 0.2f, 1}, 30, 20, PARTICLE_SPRITE_BULB, false);
	return true;
}

bool AddManholeCover(TerrainItemEntryType* item, float x, float z)
{
	ObjNode* cover = HazardParts::MakeModel(MANHOLE_MODEL, {x, TerrainHeightAt(x, z), z}, MANHOLE_SCALE, 0, MANHOLE_SLOT,
			MoveManholeCover, MANHOLE_STAND_IN, item);
	cover->Mode = MANHOLE_REST;
	cover->SpecialF[0] = RandomFloat() * MANHOLE_FIRST_MAX;
	return true;
}

bool AddTrapDoor(TerrainItemEntryType* item, float x, float z)
{
	// One tile, snapped to the grid, hinged on its low z edge.
	const float left = std::floor(x / TILE_UNITS) * TILE_UNITS, back = std::floor(z / TILE_UNITS) * TILE_UNITS;
	const float top = TerrainHeightAtNoHoles(left + TILE_UNITS / 2, back + TILE_UNITS / 2) - TRAP_DOOR_SINK;
	ObjNode* door = HazardParts::MakeModel(TRAP_DOOR_MODEL, {left + TILE_UNITS / 2, top, back}, float(TILE_UNITS), 0,
			TRAP_DOOR_SLOT, MoveTrapDoor, TRAP_DOOR_STAND_IN, item);
	door->CType = CTYPE_TRIGGER | CTYPE_MISC;
	door->CBits = SIDE_ALL;
	door->TriggerSides = SIDE_TOP;
	door->Kind = TRIGGER_KIND_TRAP_DOOR;
	door->Mode = TRAP_DOOR_SHUT;
	door->NumCollisionBoxes = 1;
	door->CollisionBoxes[0] = {left, left + TILE_UNITS, back + TILE_UNITS, back, top, top - TRAP_DOOR_THICKNESS};
	KeepOldCollisionBoxes(door);
	return true;
}

bool AddSinkingPlatform(TerrainItemEntryType* item, float x, float z)
{
	ObjNode* p = MakeSinkingPlatform(x, z, MoveSinkingPlatform);
	p->TerrainItemPtr = item;
	return true;
}

bool AddFloatingPlatformOnSpline(int splineNum, SplineItemType* item)
{
	float x, z;
	GetCoordOnSpline(&gSplineList[splineNum], item->placement, &x, &z);
	ObjNode* p = MakeSinkingPlatform(x, z, nullptr);
	StartSplineRider(p, splineNum, item, MoveFloatingPlatformOnSpline, false);
	return true;
}

void InitHazardTriggers()
{
	SetTriggerHandler(TRIGGER_KIND_MINE, MineTouched);
	SetTriggerHandler(TRIGGER_KIND_TRAP_DOOR, TrapDoorTrodden);
	SetTriggerHandler(TRIGGER_KIND_SINKING_PLATFORM, SinkingPlatformTrodden);
}

void InitHazards()
{
	InitCrushers();
	InitHazardTriggers();
	InitFireIceHazards();
}
