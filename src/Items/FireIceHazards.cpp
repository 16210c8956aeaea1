// The fire and ice level's hazards. The volcano: the first time the robot
// comes near, the ground round it swells for three seconds, then it blows,
// flinging lava rocks at him, and a vent keeps throwing more. Snowballs that
// start rolling downhill when he comes near, growing as they go.
#include "Items/HazardsInternal.h"
#include "Effects/Particles.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/SuperTile.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFormat.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
	// The volcano.
	constexpr float SWELL_RATE = 150.0f;				// units per second per second of timer at factor 1
	constexpr int SWELL_SUPERTILE_REACH = 3;			// built supertiles this near are rebuilt
	constexpr int16_t VENT_SLOT = 3060;
	constexpr int FIRST_ROCKS = 4;
	constexpr float VENT_MIN_WAIT = 5.0f, VENT_MAX_WAIT = 8.0f;	// seconds between its rocks
	constexpr float VENT_SMOKE_INTERVAL = 0.3f;
	constexpr float ERUPTION_SPARK_RADIUS = 700.0f;
	enum : uint8_t { VOLCANO_ASLEEP, VOLCANO_SWELLING, VOLCANO_VENT };

	// Lava rocks: level model 3.
	constexpr int LAVA_ROCK_MODEL = 3;
	constexpr float LAVA_ROCK_SCALE = 2.0f;
	constexpr int16_t LAVA_ROCK_SLOT = 301;
	constexpr float LAVA_ROCK_DAMAGE = 0.2f;
	constexpr float LAVA_ROCK_MIN_LIFE = 5, LAVA_ROCK_MAX_LIFE = 8;		// seconds
	constexpr float LAVA_ROCK_MIN_UP = 1100, LAVA_ROCK_MAX_UP = 1600;	// units per second
	constexpr float LAVA_ROCK_OUT = 600;
	constexpr float LAVA_ROCK_AIM_SPREAD = PI / 3;
	constexpr float LAVA_ROCK_GRAVITY = 3000;
	constexpr float ROLL_PUSH = 5000;					// downhill, × the ground normal's x and z
	constexpr float LAVA_ROCK_FRICTION = 0.8f;			// of its speed lost per second on the ground
	const OGLBoundingBox LAVA_ROCK_STAND_IN = {{-40, -40, -40}, {40, 40, 40}, false};

	// Snowballs: level model 4.
	constexpr int SNOWBALL_MODEL = 4;
	constexpr float SNOWBALL_SCALE = 1.5f, SNOWBALL_MAX_SCALE = 8.0f;
	constexpr float SNOWBALL_GROWTH = 0.001f;			// scale per unit rolled
	constexpr int16_t SNOWBALL_SLOT = 95;
	constexpr float SNOWBALL_DAMAGE = 0.2f;
	constexpr float SNOWBALL_WAKE_RANGE = 1500.0f;
	constexpr float SNOWBALL_ROLL_TIME = 6.0f;
	constexpr float SNOWBALL_GRAVITY = 3000.0f;
	constexpr float SNOWBALL_PITCH_RATE = 0.008f;		// radians per second per unit of speed
	constexpr float SNOWBALL_TURN = 4.0f;				// radians per second toward its motion
	constexpr float SNOW_PUFF_INTERVAL = 0.04f;
	const OGLBoundingBox SNOWBALL_STAND_IN = {{-50, -50, -50}, {50, 50, 50}, false};
	enum : uint8_t { SNOWBALL_WAITING, SNOWBALL_ROLLING };

	std::vector<const TerrainItemEntryType*> gEruptedVolcanoes;

	//
	// The swell
	//

	void RebuildSwollenSuperTiles(float cx, float cz)
	{
		if (!gSuperTileStatusGrid)
			return;
		const int row0 = int(cz / SUPERTILE_UNITS), col0 = int(cx / SUPERTILE_UNITS);
		for (int row = std::max(0, row0 - SWELL_SUPERTILE_REACH); row <= std::min(gSuperTilesDeep - 1, row0 + SWELL_SUPERTILE_REACH); row++)
			for (int col = std::max(0, col0 - SWELL_SUPERTILE_REACH); col <= std::min(gSuperTilesWide - 1, col0 + SWELL_SUPERTILE_REACH); col++)
			{
				const SuperTileStatus& st = gSuperTileStatusGrid[row][col];
				if (!(st.status & SUPERTILE_BUILT))
					continue;
				SuperTileMemoryEntry& e = gSuperTileMemory[st.memIndex];
				constexpr int V = SUPERTILE_VERTICES_PER_SIDE;
				for (int i = 0; i < V; i++)
					for (int j = 0; j < V; j++)
						e.mesh->points[i * V + j].y = gMapHeights[e.row + i][e.col + j];
				CalcSuperTileNormals(st.memIndex);
				CalcSuperTileBounds(st.memIndex);
			}
	}

	// Raises the ground round (cx, cz) by factor × rise at each corner.
	void SwellGround(float cx, float cz, float rise)
	{
		if (!IsTerrainSetUp() || !gMapHeights)
			return;
		const int r0 = std::max(0, int((cz - VOLCANO_SWELL_RADIUS) / TILE_UNITS));
		const int r1 = std::min(gMapTilesDeep, int((cz + VOLCANO_SWELL_RADIUS) / TILE_UNITS) + 1);
		const int c0 = std::max(0, int((cx - VOLCANO_SWELL_RADIUS) / TILE_UNITS));
		const int c1 = std::min(gMapTilesWide, int((cx + VOLCANO_SWELL_RADIUS) / TILE_UNITS) + 1);
		for (int r = r0; r <= r1; r++)
			for (int c = c0; c <= c1; c++)
			{
				float d = CalcQuickDistance(float(c * TILE_UNITS), float(r * TILE_UNITS), cx, cz);
				if (d >= VOLCANO_SWELL_RADIUS)
					continue;
				float dh = VolcanoSwellFactor(d) * rise;
				gMapBaseHeights[r][c] += dh;
				gMapHeights[r][c] += dh;
			}
		RebuildSwollenSuperTiles(cx, cz);
	}

	//
	// Lava rocks
	//

	void MoveLavaRock(ObjNode* rock)
	{
		const float dt = gFrameTime;
		float& life = rock->SpecialF[0];
		life -= dt;
		if (life <= 0 || IsNodeOutOfRange(rock))
		{
			if (life <= 0)
				HazardParts::BlowUpForGood(rock, -1, 1, 150);
			else
				DeleteObject(rock);
			return;
		}
		rock->Delta.y -= LAVA_ROCK_GRAVITY * dt;
		rock->Coord.x += rock->Delta.x * dt;
		rock->Coord.y += rock->Delta.y * dt;
		rock->Coord.z += rock->Delta.z * dt;
		float ground = TerrainHeightAt(rock->Coord.x, rock->Coord.z);
		float radius = float(rock->TopOff);
		if (rock->Coord.y - radius < ground)
		{
			rock->Coord.y = ground + radius;
			if (rock->Delta.y < 0)
				rock->Delta.y = 0;
			// Rolls downhill.
			rock->Delta.x += ROLL_PUSH * gLastTerrainNormal.x * dt;
			rock->Delta.z += ROLL_PUSH * gLastTerrainNormal.z * dt;
			float keep = std::max(0.0f, 1 - LAVA_ROCK_FRICTION * dt);
			rock->Delta.x *= keep;
			rock->Delta.z *= keep;
		}
		float speed = std::hypot(rock->Delta.x, rock->Delta.z);
		rock->Rot.x -= 0.01f * speed * dt;
		rock->Rot.z += 2 * dt;
		UpdateObjectTransforms(rock);
		CalcObjectBoxFromNode(rock);
	}

	void ThrowLavaRock(const OGLPoint3D& from)
	{
		float aim = RandomFloat() * PI2;
		if (ObjNode* robot = gPlayerNode)
			aim = std::atan2(robot->Coord.x - from.x, robot->Coord.z - from.z);
		aim += RandomFloatSigned() * LAVA_ROCK_AIM_SPREAD;
		ObjNode* rock = HazardParts::MakeModel(LAVA_ROCK_MODEL, from, LAVA_ROCK_SCALE, RandomFloat() * PI2, LAVA_ROCK_SLOT,
				MoveLavaRock, LAVA_ROCK_STAND_IN);
		rock->CType = CTYPE_HURTME;
		rock->CBits = SIDE_ALL;
		rock->Damage = LAVA_ROCK_DAMAGE;
		rock->Delta = {std::sin(aim) * LAVA_ROCK_OUT, RandomFloatRange(LAVA_ROCK_MIN_UP, LAVA_ROCK_MAX_UP), std::cos(aim) * LAVA_ROCK_OUT};
		rock->SpecialF[0] = RandomFloatRange(LAVA_ROCK_MIN_LIFE, LAVA_ROCK_MAX_LIFE);
		CreateCollisionBoxFromBoundingBox(rock, 0.8f, 0.8f);
		HazardParts::AttachSparkle(rock, 0, {0, 0, 0}, {1, 0.6f, 0.2f, 1}, 200 / LAVA_ROCK_SCALE, 0, PARTICLE_SPRITE_FIREBALL, false);
	}

	void MoveVolcano(ObjNode* volcano)
	{
		const float dt = gFrameTime;
		float& timer = volcano->SpecialF[0];
		switch (volcano->Mode)
		{
			case VOLCANO_ASLEEP:
			{
				if (IsNodeOutOfRange(volcano))
				{
					DeleteObject(volcano);
					return;
				}
				ObjNode* robot = HazardParts::LivePlayer();
				if (!robot || HazardParts::FlatDistance(robot->Coord, volcano->Coord) >= VOLCANO_TRIGGER_RANGE)
					return;
				// From now on the item is spent: the volcano never erupts again.
				gEruptedVolcanoes.push_back(volcano->TerrainItemPtr);
				volcano->TerrainItemPtr = nullptr;
				volcano->Mode = VOLCANO_SWELLING;
				timer = VOLCANO_SWELL_TIME;
				break;
			}
			case VOLCANO_SWELLING:
				SwellGround(volcano->Coord.x, volcano->Coord.z, timer * SWELL_RATE * dt);
				timer -= dt;
				if (timer <= 0)
				{
					volcano->Coord.y = TerrainHeightAt(volcano->Coord.x, volcano->Coord.z);
					const OGLPoint3D& c = volcano->Coord;
					MakeSparkBurst(c.x, c.y + 100, c.z, ERUPTION_SPARK_RADIUS, PARTICLE_SPRITE_FIREBALL, GL_SRC_ALPHA, GL_ONE, 0.7f);
					PlayItemEffect3D(EFFECT_VOLCANOBLOW, &volcano->Coord);
					for (int i = 0; i < FIRST_ROCKS; i++)
						ThrowLavaRock({c.x, c.y + 100, c.z});
					volcano->Mode = VOLCANO_VENT;
					volcano->Slot = VENT_SLOT;
					timer = RandomFloatRange(VENT_MIN_WAIT, VENT_MAX_WAIT);
				}
				break;
			case VOLCANO_VENT:
			{
				if (IsNodeOutOfRange(volcano))
				{
					DeleteObject(volcano);
					return;
				}
				const OGLPoint3D& c = volcano->Coord;
				volcano->SpecialF[1] -= dt;
				if (volcano->SpecialF[1] <= 0)
				{
					volcano->SpecialF[1] = VENT_SMOKE_INTERVAL;
					MakeRadialPuff(c.x, c.y + 80, c.z, 120, 90, PARTICLE_SPRITE_SMOKE_DARK, 3);
				}
				timer -= dt;
				if (timer <= 0)
				{
					timer = RandomFloatRange(VENT_MIN_WAIT, VENT_MAX_WAIT);
					MakeSparkBurst(c.x, c.y + 100, c.z, 300, PARTICLE_SPRITE_FIREBALL, GL_SRC_ALPHA, GL_ONE, 1.0f);
					ThrowLavaRock({c.x, c.y + 100, c.z});
				}
				break;
			}
		}
	}

	//
	// Snowballs
	//

	void MoveSnowball(ObjNode* ball)
	{
		if (IsNodeOutOfRange(ball))
		{
			DeleteObject(ball);
			return;
		}
		const float dt = gFrameTime;
		if (ball->Mode == SNOWBALL_WAITING)
		{
			ObjNode* robot = HazardParts::LivePlayer();
			if (!robot || HazardParts::FlatDistance(robot->Coord, ball->Coord) >= SNOWBALL_WAKE_RANGE)
				return;
			ball->Mode = SNOWBALL_ROLLING;
			ball->SpecialF[0] = SNOWBALL_ROLL_TIME;
		}
		float& timeLeft = ball->SpecialF[0];
		timeLeft -= dt;
		if (timeLeft <= 0)
		{
			HazardParts::BlowUpForGood(ball, -1, 1, 200);
			return;
		}
		KeepOldCollisionBoxes(ball);
		ball->Delta.y -= SNOWBALL_GRAVITY * dt;
		const float oldX = ball->Coord.x, oldZ = ball->Coord.z;
		ball->Coord.x += ball->Delta.x * dt;
		ball->Coord.y += ball->Delta.y * dt;
		ball->Coord.z += ball->Delta.z * dt;
		const float radius = 0.5f * float(ball->TopOff - ball->BottomOff);
		const float ground = TerrainHeightAt(ball->Coord.x, ball->Coord.z);
		if (ball->Coord.y - radius <= ground)
		{
			ball->Coord.y = ground + radius;
			if (ball->Delta.y < 0)
				ball->Delta.y = 0;
			ball->Delta.x += ROLL_PUSH * gLastTerrainNormal.x * dt;
			ball->Delta.z += ROLL_PUSH * gLastTerrainNormal.z * dt;
			ball->SpecialF[1] -= dt;
			if (ball->SpecialF[1] <= 0)
			{
				ball->SpecialF[1] = SNOW_PUFF_INTERVAL;
				MakeRadialPuff(ball->Coord.x, ground + 20, ball->Coord.z, 150, 40, PARTICLE_SPRITE_SNOWFLAKE, 2);
			}
		}
		// Gathers snow as it goes, turning toward where it rolls.
		float moved = std::hypot(ball->Coord.x - oldX, ball->Coord.z - oldZ);
		float scale = std::min(SNOWBALL_MAX_SCALE, ball->Scale.x + SNOWBALL_GROWTH * moved);
		ball->Scale = {scale, scale, scale};
		float speed = std::hypot(ball->Delta.x, ball->Delta.z);
		ball->Rot.x -= SNOWBALL_PITCH_RATE * speed * dt;
		if (speed > 1)
			ball->Rot.y = TurnAngleToward(ball->Rot.y, std::atan2(-ball->Delta.x, -ball->Delta.z), SNOWBALL_TURN * dt);
		UpdateObjectTransforms(ball);
		CreateCollisionBoxFromBoundingBox_Update(ball, 0.8f, 0.8f);
	}
}

float VolcanoSwellFactor(float d)
{
	if (d >= VOLCANO_SWELL_RADIUS)
		return 0;
	float f = std::cos((1 - (VOLCANO_SWELL_RADIUS - d) * 0.0005f) * PI) + 1;
	return f > 1.8f ? 2.0f : f;
}

bool HasVolcanoErupted(const TerrainItemEntryType* item)
{
	return std::find(gEruptedVolcanoes.begin(), gEruptedVolcanoes.end(), item) != gEruptedVolcanoes.end();
}

bool AddVolcano(TerrainItemEntryType* item, float x, float z)
{
	if (HasVolcanoErupted(item))
		return false;
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = 300;
	def.moveCall = MoveVolcano;
	ObjNode* volcano = MakeNewObject(&def);
	volcano->TerrainItemPtr = item;
	volcano->Mode = VOLCANO_ASLEEP;
	return true;
}

bool AddSnowball(TerrainItemEntryType* item, float x, float z)
{
	ObjNode* ball = HazardParts::MakeModel(SNOWBALL_MODEL, {x, TerrainHeightAt(x, z), z}, SNOWBALL_SCALE, 0, SNOWBALL_SLOT,
			MoveSnowball, SNOWBALL_STAND_IN, item);
	ball->Coord.y -= ball->BBox.min.y * SNOWBALL_SCALE;
	ball->InitCoord = ball->Coord;
	ball->CType = CTYPE_HURTME | CTYPE_MISC;
	ball->CBits = SIDE_ALL;
	ball->Damage = SNOWBALL_DAMAGE;
	ball->Mode = SNOWBALL_WAITING;
	UpdateObjectTransforms(ball);
	CreateCollisionBoxFromBoundingBox(ball, 0.8f, 0.8f);
	return true;
}

void InitFireIceHazards()
{
	gEruptedVolcanoes.clear();
}
