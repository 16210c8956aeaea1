// The saucer level's defences against the player's saucer: power towers that
// scorch a saucer hovering over them, gun turrets that track it and fire, and
// mines drifting round their loops. The saucer's destroy beam blows up any of
// them it is held over.
#include "Items/HazardsInternal.h"
#include "Effects/Particles.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float BEAM_REACH = 350.0f;				// the destroy beam takes a hazard the saucer is this near
	constexpr float SAUCER_RADIUS_STAND_IN = 150.0f;	// without its model
	constexpr float SCORCH_SPARK_MIN = 50.0f, SCORCH_SPARK_PER_DAMAGE = 300.0f;
	constexpr float DESTROY_SPARK_RADIUS = 400.0f;

	// Towers: level model 2 and its glow, 3.
	constexpr int TOWER_MODEL = 2, TOWER_GLOW_MODEL = 3;
	constexpr float TOWER_SCALE = 1.3f;
	constexpr int16_t TOWER_SLOT = 272, TOWER_GLOW_SLOT = 3099;
	constexpr float TOWER_SPARKLE_HEIGHT = 260.0f;
	const OGLBoundingBox TOWER_STAND_IN = {{-70, 0, -70}, {70, 220, 70}, false};

	// Turrets: base model 6, gun model 7.
	constexpr int TURRET_BASE_MODEL = 6, TURRET_GUN_MODEL = 7;
	constexpr int16_t TURRET_SLOT = 2980;
	constexpr float TURRET_GUN_HEIGHT = 114.0f;
	constexpr float TURRET_TURN = PI / 5;				// radians per second, heading and pitch
	constexpr float TURRET_AIM_HEADING = PI / 2, TURRET_AIM_PITCH = PI / 3;
	constexpr float TURRET_RELOAD = 0.2f;				// seconds
	constexpr float MUZZLE_SIDE = 28.0f, MUZZLE_AHEAD = 90.0f;
	constexpr float MUZZLE_FLASH_SCALE = 200.0f, MUZZLE_FLASH_SEPARATION = 100.0f;
	constexpr float MUZZLE_FLASH_FADE = 4.0f;			// alpha per second
	const OGLBoundingBox TURRET_BASE_STAND_IN = {{-90, 0, -90}, {90, 110, 90}, false};
	const OGLBoundingBox TURRET_GUN_STAND_IN = {{-50, -30, -100}, {50, 40, 40}, false};

	// Turret shots: global model 20.
	constexpr float SHOT_SCALE = 1.5f;
	constexpr int16_t SHOT_SLOT = 2999;
	constexpr float SHOT_SPEED = 2000.0f;
	constexpr float SHOT_LIFE = 1.0f;
	constexpr float SHOT_HIT_BOX = 40.0f;

	// Drifting mines: level model 4 with model 5 chained.
	constexpr int DRIFTER_MODEL = 4, DRIFTER_PART_MODEL = 5;
	constexpr float DRIFTER_SCALE = 1.0f;
	constexpr int16_t DRIFTER_SLOT = 273;
	constexpr float DRIFTER_SPEED = 100.0f;				// loop points per second
	constexpr float DRIFTER_LIFT = 300.0f;				// above the ground
	constexpr float DRIFTER_SPARKLE_HEIGHT = 110.0f;
	const OGLBoundingBox DRIFTER_STAND_IN = {{-80, -80, -80}, {80, 80, 80}, false};

	ObjNode* PlayerSaucer()
	{
		ObjNode* n = gPlayerNode;
		if (!n || n->Skeleton || n->CType == INVALID_NODE_FLAG || gPlayerLevel.isDead
				|| CurrentLevelDef().playerStart != PLAYER_START_FLYING_SAUCER)
			return nullptr;
		return n;
	}

	// True when the destroy beam took the hazard (it is gone).
	bool DestroyedByBeam(ObjNode* node)
	{
		if (!IsSaucerDestroyBeamOver(node))
			return false;
		HazardParts::BlowUpForGood(node, EFFECT_SAUCER_MINEEXPLOSION, 2, DESTROY_SPARK_RADIUS);
		return true;
	}

	// A saucer within its radius of `node` (octagonal, in x and z) is scorched.
	void ScorchSaucerOver(const ObjNode* node)
	{
		ObjNode* saucer = PlayerSaucer();
		if (!saucer || HazardParts::FlatDistance(saucer->Coord, node->Coord) >= PlayerSaucerRadius())
			return;
		float damage = TOWER_DAMAGE_RATE * gFrameTime;
		MakeSparkBurst(saucer->Coord.x, saucer->Coord.y, saucer->Coord.z, std::max(SCORCH_SPARK_MIN, SCORCH_SPARK_PER_DAMAGE * damage),
				PARTICLE_SPRITE_ELECTRIC, GL_SRC_ALPHA, GL_ONE, 1.5f);
		PlayerLoseHealth(damage, DEATH_KIND_SAUCER);
	}

	void MoveTower(ObjNode* tower)
	{
		if (IsNodeOutOfRange(tower))
		{
			DeleteObject(tower);
			return;
		}
		if (DestroyedByBeam(tower))
			return;
		ScorchSaucerOver(tower);
	}

	//
	// Turrets
	//

	void MoveTurretShot(ObjNode* shot)
	{
		const float dt = gFrameTime;
		shot->SpecialF[0] -= dt;
		shot->Coord.x += shot->Delta.x * dt;
		shot->Coord.y += shot->Delta.y * dt;
		shot->Coord.z += shot->Delta.z * dt;
		const OGLPoint3D& p = shot->Coord;
		bool burst = shot->SpecialF[0] <= 0 || IsNodeOutOfRange(shot) || p.y < TerrainHeightAt(p.x, p.z);
		if (!burst && PlayerSaucer()
				&& BoxHitsPlayer(p.y + SHOT_HIT_BOX, p.y - SHOT_HIT_BOX, p.x - SHOT_HIT_BOX, p.x + SHOT_HIT_BOX, p.z + SHOT_HIT_BOX, p.z - SHOT_HIT_BOX))
		{
			PlayItemEffect3D(EFFECT_SAUCERHIT, &shot->Coord);
			PlayerLoseHealth(TURRET_SHOT_DAMAGE, DEATH_KIND_SAUCER);
			burst = true;
		}
		if (burst)
		{
			MakeSparkBurst(p.x, p.y, p.z, 120, PARTICLE_SPRITE_SPARK, GL_SRC_ALPHA, GL_ONE, 2.0f);
			DeleteObject(shot);
			return;
		}
		UpdateObjectTransforms(shot);
	}

	void FireTurret(ObjNode* gun)
	{
		const float h = gun->Rot.y, p = gun->Rot.x;
		const OGLVector3D dir = {-std::sin(h) * std::cos(p), std::sin(p), -std::cos(h) * std::cos(p)};
		// The two muzzles take turns.
		const float side = (gun->Flag[0] ^= 1) ? MUZZLE_SIDE : -MUZZLE_SIDE;
		const OGLPoint3D from = {gun->Coord.x + dir.x * MUZZLE_AHEAD + std::cos(h) * side, gun->Coord.y + dir.y * MUZZLE_AHEAD,
				gun->Coord.z + dir.z * MUZZLE_AHEAD - std::sin(h) * side};
		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_STUN_SHOT;
		def.coord = from;
		def.slot = SHOT_SLOT;
		def.moveCall = MoveTurretShot;
		def.rot = h;
		def.scale = SHOT_SCALE;
		ObjNode* shot = MakeItemModelNode(&def, {{-10, -10, -10}, {10, 10, 10}, false});
		shot->Delta = {dir.x * SHOT_SPEED, dir.y * SHOT_SPEED, dir.z * SHOT_SPEED};
		shot->SpecialF[0] = SHOT_LIFE;
		shot->CType = 0;
		PlayItemEffect3D(EFFECT_STUNGUN, &from, 2.0f / 3, 2);
		// A flash on the muzzle that fired (sparkle 0 or 1 of the gun), in
		// the gun's own space so it stays on the barrel as the gun turns.
		const int muzzle = gun->Flag[0];
		if (gun->Sparkles[muzzle] == -1)
			HazardParts::AttachSparkle(gun, muzzle, {side, 0, -MUZZLE_AHEAD}, {1, 1, 1, 1}, MUZZLE_FLASH_SCALE,
					MUZZLE_FLASH_SEPARATION, PARTICLE_SPRITE_HALO, false);
		else
			gSparkles[gun->Sparkles[muzzle]].color.a = 1;
	}

	// The muzzle flashes fade out between shots.
	void FadeMuzzleFlashes(ObjNode* gun, float dt)
	{
		for (int muzzle = 0; muzzle < 2; muzzle++)
		{
			int16_t& s = gun->Sparkles[muzzle];
			if (s == -1)
				continue;
			gSparkles[s].color.a -= MUZZLE_FLASH_FADE * dt;
			if (gSparkles[s].color.a <= 0)
			{
				DeleteSparkle(s);
				s = -1;
			}
		}
	}

	void MoveTurret(ObjNode* base)
	{
		if (IsNodeOutOfRange(base))
		{
			DeleteObject(base);
			return;
		}
		if (DestroyedByBeam(base))
			return;
		ObjNode* gun = base->ChainNode;
		const float dt = gFrameTime;
		if (gun)
			FadeMuzzleFlashes(gun, dt);
		ObjNode* saucer = PlayerSaucer();
		if (!gun || !saucer)
			return;
		float dx = saucer->Coord.x - gun->Coord.x, dy = saucer->Coord.y - gun->Coord.y, dz = saucer->Coord.z - gun->Coord.z;
		float wantHeading = std::atan2(-dx, -dz), wantPitch = std::atan2(dy, std::hypot(dx, dz));
		gun->Rot.y = TurnAngleToward(gun->Rot.y, wantHeading, TURRET_TURN * dt);
		gun->Rot.x = TurnAngleToward(gun->Rot.x, wantPitch, TURRET_TURN * dt);
		UpdateObjectTransforms(gun);
		float& reload = base->SpecialF[0];
		reload -= dt;
		if (reload > 0 || std::sqrt(dx * dx + dy * dy + dz * dz) >= TURRET_RANGE)
			return;
		if (std::fabs(AngleDifference(wantHeading, gun->Rot.y)) < TURRET_AIM_HEADING
				&& std::fabs(wantPitch - gun->Rot.x) < TURRET_AIM_PITCH)
		{
			reload = TURRET_RELOAD;
			FireTurret(gun);
		}
	}

	//
	// Drifting mines
	//

	void MoveDriftingMine(ObjNode* mine)
	{
		const bool active = IsSplineObjectOnActiveTerrain(mine);
		IncreaseSplineIndex(mine, DRIFTER_SPEED);
		SetSplineObjectCoord(mine);
		if (!active)
			return;
		if (DestroyedByBeam(mine))
			return;
		mine->Coord.y = TerrainHeightAt(mine->Coord.x, mine->Coord.z) + DRIFTER_LIFT;
		if (mine->Delta.x * mine->Delta.x + mine->Delta.z * mine->Delta.z > 1)
			mine->Rot.y = std::atan2(-mine->Delta.x, -mine->Delta.z);
		UpdateObjectTransforms(mine);
		if (ObjNode* part = mine->ChainNode)
		{
			part->Coord = mine->Coord;
			part->Rot = mine->Rot;
			UpdateObjectTransforms(part);
		}
		ScorchSaucerOver(mine);
	}
}

float PlayerSaucerRadius()
{
	ObjNode* saucer = PlayerSaucer();
	if (!saucer)
		return 0;
	float r = saucer->BBox.max.x * saucer->Scale.x;
	return r > 0 ? r : SAUCER_RADIUS_STAND_IN;
}

bool AddTower(TerrainItemEntryType* item, float x, float z)
{
	const OGLPoint3D at = {x, TerrainHeightAt(x, z), z};
	ObjNode* tower = HazardParts::MakeModel(TOWER_MODEL, at, TOWER_SCALE, 0, TOWER_SLOT, MoveTower, TOWER_STAND_IN, item);
	tower->CType = CTYPE_MISC;
	tower->CBits = SIDE_ALL;
	tower->Size = BEAM_REACH;
	CreateCollisionBoxFromBoundingBox(tower, 1, 1);
	HazardParts::AttachSparkle(tower, 0, {0, TOWER_SPARKLE_HEIGHT, 0}, {0.6f, 0.8f, 1, 1}, 500, 80, PARTICLE_SPRITE_GLINT, true);
	ObjNode* glow = HazardParts::MakeChainedModel(tower, TOWER_GLOW_MODEL, at, TOWER_SCALE, 0, TOWER_GLOW_SLOT, TOWER_STAND_IN);
	glow->StatusBits |= STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING;
	return true;
}

bool AddTurret(TerrainItemEntryType* item, float x, float z)
{
	const OGLPoint3D at = {x, TerrainHeightAt(x, z), z};
	const float heading = RandomFloat() * PI2;
	ObjNode* base = HazardParts::MakeModel(TURRET_BASE_MODEL, at, 1, heading, TURRET_SLOT, MoveTurret, TURRET_BASE_STAND_IN, item);
	base->CType = CTYPE_MISC;
	base->CBits = SIDE_ALL;
	base->Size = BEAM_REACH;
	CreateCollisionBoxFromBoundingBox(base, 1, 1);
	HazardParts::MakeChainedModel(base, TURRET_GUN_MODEL, {x, at.y + TURRET_GUN_HEIGHT, z}, 1, heading, TURRET_SLOT,
			TURRET_GUN_STAND_IN);
	return true;
}

bool AddDriftingMine(int splineNum, SplineItemType* item)
{
	float x, z;
	GetCoordOnSpline(&gSplineList[splineNum], item->placement, &x, &z);
	const OGLPoint3D at = {x, TerrainHeightAt(x, z) + DRIFTER_LIFT, z};
	ObjNode* mine = HazardParts::MakeModel(DRIFTER_MODEL, at, DRIFTER_SCALE, 0, DRIFTER_SLOT, nullptr, DRIFTER_STAND_IN);
	mine->CType = 0;
	mine->Size = BEAM_REACH;
	HazardParts::AttachSparkle(mine, 0, {0, DRIFTER_SPARKLE_HEIGHT, 0}, {1, 0.3f, 0.2f, 1}, 250, 60, PARTICLE_SPRITE_HALO, true);
	HazardParts::MakeChainedModel(mine, DRIFTER_PART_MODEL, at, DRIFTER_SCALE, 0, DRIFTER_SLOT, DRIFTER_STAND_IN);
	StartSplineRider(mine, splineNum, item, MoveDriftingMine, true);
	return true;
}
