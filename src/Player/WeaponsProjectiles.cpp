// The robot's projectiles: each kind has a mover that counts its lifetime
// down, flies, tests for hits and leaves its trail; a spent shot explodes in
// its own way. A hit is the target's business: its handler for the shot's
// kind answers whether the shot is spent.
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "3D/BG3D.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Effects/VaporTrails.h"
#include "Enemies/Enemy.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>		// blending enums of the particle groups
#include <algorithm>
#include <cmath>

namespace
{
	constexpr float FREEZE_SHOT_SINK = 400.0f;			// units per second per second
	constexpr float ARC_SHOT_SINK = 400.0f;
	constexpr float FROST_INTERVAL = 0.02f;				// seconds between trail puffs
	constexpr float ARC_TRAIL_INTERVAL = 0.015f;
	constexpr float FLARE_TRAIL_INTERVAL = 0.015f;
	constexpr OGLVector3D FLARE_HOMING_PULL = {1900, 1000, 1900};	// per second, toward the target
	constexpr float FLARE_AFTERGLOW = 0.75f;			// seconds a burst flare lingers
	constexpr float DART_TURN_RATE = PI;				// radians per second
	constexpr float DART_SPEED = 900.0f;
	constexpr float DART_CLIMB_ACCEL = 200.0f;
	constexpr float DART_MAX_CLIMB = 200.0f;
	constexpr uint32_t DART_TARGET_MASK = CTYPE_ENEMY | 0x2000000;
	constexpr uint16_t EXPLOSION_SLOT = 3000;
	// units: a shot's path through one frame is tested at points this far
	// apart, so a fast shot at a low frame rate cannot step over a small creature.
	constexpr float HIT_TEST_SPACING = 30.0f;

	// Per-node timers: SpecialF[0] trail puffs, SpecialF[1] the flare's homing delay.
	enum { TIMER_TRAIL = 0, TIMER_HOMING = 1 };

	float Rand(float lo, float hi) { return lo + RandomFloat() * (hi - lo); }

	int16_t NewGroup(uint32_t flags, float gravity, float baseScale, float decay, float fade, uint8_t texture,
			bool additive)
	{
		NewParticleGroupDefType def = {};
		def.magicNum = 0;
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = flags;
		def.gravity = gravity;
		def.magnetism = 0;
		def.baseScale = baseScale;
		def.decayRate = decay;
		def.fadeRate = fade;
		def.particleTextureNum = texture;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA;
		return NewParticleGroup(&def);
	}

	// False when the group is full.
	bool AddOne(int16_t group, OGLPoint3D where, OGLVector3D delta, float scale, float rotDZ, float alpha)
	{
		NewParticleDefType p = {};
		p.groupNum = group;
		p.where = &where;
		p.delta = &delta;
		p.scale = scale;
		p.rotZ = RandomFloat() * PI2;
		p.rotDZ = rotDZ;
		p.alpha = alpha;
		return !AddParticleToGroup(&p);
	}

	// Trails keep adding to one group while it lasts.
	int16_t TrailGroup(ObjNode* shot, uint32_t flags, float gravity, float baseScale, float decay, float fade,
			uint8_t texture, bool additive)
	{
		if (shot->ParticleGroup < 0 || !VerifyParticleGroupMagicNum(shot->ParticleGroup, shot->ParticleMagicNum))
		{
			shot->ParticleMagicNum = RandomNumber();
			NewParticleGroupDefType def = {};
			def.magicNum = shot->ParticleMagicNum;
			def.type = PARTICLE_TYPE_FALLINGSPARKS;
			def.flags = flags;
			def.gravity = gravity;
			def.baseScale = baseScale;
			def.decayRate = decay;
			def.fadeRate = fade;
			def.particleTextureNum = texture;
			def.srcBlend = GL_SRC_ALPHA;
			def.dstBlend = additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA;
			shot->ParticleGroup = NewParticleGroup(&def);
		}
		return shot->ParticleGroup;
	}

	bool CountDownLifetime(ObjNode* shot)
	{
		shot->Health -= gFrameTime;
		return shot->Health > 0;
	}

	void Fly(ObjNode* shot)
	{
		const float dt = gFrameTime;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		shot->Coord = gObjCoord;
		shot->Delta = gObjDelta;
	}

	//
	// Explosions
	//

	void MoveStunBurst(ObjNode* node)
	{
		const float dt = gFrameTime;
		const float s = node->SpecialF[0];
		bool any = false;
		for (int i = 0; i < 2; i++)
		{
			int16_t k = node->Sparkles[i];
			if (k < 0)
				continue;
			SparkleType& sp = gSparkles[k];
			if (i == 0)
				sp.scale -= 500 * s * dt;
			else
			{
				sp.scale += 650 * s * dt;
				sp.color.a -= 12 * dt;
			}
			if (sp.scale <= 0 || sp.color.a <= 0)
			{
				DeleteSparkle(k);
				node->Sparkles[i] = -1;
			}
			else
				any = true;
		}
		if (!any)
			DeleteObject(node);
	}

	void ExplodeStunShot(ObjNode* shot)
	{
		const float s = shot->Scale.x;
		const OGLPoint3D at = shot->Coord;

		ObjectDef def = {};
		def.genre = CUSTOM_GENRE;
		def.coord = at;
		def.slot = int16_t(EXPLOSION_SLOT);
		def.moveCall = MoveStunBurst;
		def.scale = 1;
		def.flags = STATUS_BIT_DONTCULL;
		if (ObjNode* burst = MakeNewObject(&def))
		{
			burst->SpecialF[0] = s;
			const float scales[2] = {200 * s, 5 * s};
			const float seps[2] = {200, 0};
			const float alphas[2] = {1, 2};
			const uint8_t textures[2] = {PARTICLE_SPRITE_STARBURST, PARTICLE_SPRITE_SHOCKWAVE};
			for (int i = 0; i < 2; i++)
			{
				int16_t k = GetFreeSparkle(burst);
				burst->Sparkles[i] = k;
				if (k < 0)
					continue;
				SparkleType& sp = gSparkles[k];
				sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
				sp.where = at;
				sp.color = {1, 1, 1, alphas[i]};
				sp.scale = scales[i];
				sp.separation = seps[i];
				sp.textureNum = textures[i];
			}
		}

		int16_t g = NewGroup(PARTICLE_FLAGS_DONTCHECKGROUND, 0, 10 * s, 3, 0, PARTICLE_SPRITE_HALO, true);
		if (g >= 0)
			for (int i = 0; i < 30; i++)
				if (!AddOne(g, at, {RandomFloatSigned() * 200 * s, RandomFloatSigned() * 200 * s,
						RandomFloatSigned() * 200 * s}, Rand(1, 2), 0, 1))
					break;
		PlayPlayerEffect3D(EFFECT_LASERHIT, &at);
		DeleteObject(shot);
	}

	void ExplodeFrost(ObjNode* shot)
	{
		const OGLPoint3D at = shot->Coord;
		int16_t g = NewGroup(PARTICLE_FLAGS_DONTCHECKGROUND | PARTICLE_FLAGS_ALLAIM, 200, 30, -1.5f, 1.1f,
			PARTICLE_SPRITE_EMBER, true);
		if (g >= 0)
			for (int i = 0; i < 100; i++)
			{
				OGLPoint3D p = {at.x + RandomFloatSigned() * 30, at.y + RandomFloatSigned() * 30, at.z + RandomFloatSigned() * 30};
				if (!AddOne(g, p, {RandomFloatSigned() * 250, RandomFloatSigned() * 250, RandomFloatSigned() * 250},
						Rand(1, 2), RandomFloatSigned() * 15, 1))
					break;
			}
		PlayPlayerEffect3D(EFFECT_FREEZEPOOF, &at);
		DeleteObject(shot);
	}

	void ExplodeArcShot(ObjNode* shot)
	{
		const OGLPoint3D at = shot->Coord;
		int16_t g = NewGroup(PARTICLE_FLAGS_BOUNCE, 200, 50, -1.5f, 1.5f, PARTICLE_SPRITE_FLAME, true);
		if (g >= 0)
			for (int i = 0; i < 40; i++)
			{
				OGLPoint3D p = {at.x + RandomFloatSigned() * 50, at.y + RandomFloatSigned() * 50, at.z + RandomFloatSigned() * 50};
				OGLVector3D out = p - at, unit;
				OGLVector3D_Normalize(&out, &unit);
				if (!AddOne(g, p, unit * 450.0f, Rand(1, 2), RandomFloatSigned() * 7, 1))
					break;
			}
		PlayPlayerEffect3D(EFFECT_FLAREUP, &at);
		DeleteObject(shot);
	}

	void MoveBurntFlare(ObjNode* flare)
	{
		flare->Health -= gFrameTime;
		if (flare->Health <= 0)
		{
			DeleteObject(flare);
			return;
		}
		int16_t k = flare->Sparkles[0];
		if (k >= 0)
		{
			gSparkles[k].scale = Rand(300, 350);
			gSparkles[k].color.a = Rand(0.8f, 0.99f);
		}
	}

	void ExplodeFlare(ObjNode* flare)
	{
		const OGLPoint3D at = flare->Coord;
		const bool nearGround = at.y - TerrainHeightAt(at.x, at.z) < 20;
		int16_t g = NewGroup(PARTICLE_FLAGS_BOUNCE, 150, 50, 0, 1.1f, PARTICLE_SPRITE_SPARK, true);
		if (g >= 0)
			for (int i = 0; i < 20; i++)
			{
				OGLPoint3D p = {at.x + RandomFloatSigned() * 50, at.y, at.z + RandomFloatSigned() * 50};
				OGLVector3D d = nearGround
					? OGLVector3D{RandomFloatSigned() * 500, RandomFloat() * 600, RandomFloatSigned() * 500}
					: OGLVector3D{RandomFloatSigned() * 250, RandomFloatSigned() * 250, RandomFloatSigned() * 250};
				if (!AddOne(g, p, d, 1, 0, 1))
					break;
			}
		if (IsSoundEffectLoaded(EFFECT_FLAREEXPLODE))
			PlayEffect_Parms3D(EFFECT_FLAREEXPLODE, &at, 0x10000, 1.7f);

		// It lingers a moment as a flickering glow that hits nothing more.
		flare->CType = 0;
		flare->Health = FLARE_AFTERGLOW;
		flare->MoveCall = MoveBurntFlare;
	}

	void ShatterDart(ObjNode* dart)
	{
		ExplodeGeometry(dart, 200, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.5f);
		DeleteObject(dart);
	}

	//
	// Steering before the flight
	//

	void SinkFreezeShot(ObjNode*, float dt)
	{
		gObjDelta.y -= FREEZE_SHOT_SINK * dt;
	}

	void SpinAndSinkArcShot(ObjNode* shot, float dt)
	{
		shot->Rot.x += 6 * dt;
		shot->Rot.y -= 5 * dt;
		gObjDelta.y -= ARC_SHOT_SINK * dt;
	}

	// After a short delay it is pulled toward the nearest enemy.
	void HomeFlare(ObjNode* flare, float dt)
	{
		flare->SpecialF[TIMER_HOMING] -= dt;
		if (flare->SpecialF[TIMER_HOMING] > 0)
			return;
		ObjNode* best = FindClosestEnemy(&gObjCoord, nullptr);
		if (!best)
			return;
		OGLVector3D to = best->Coord - gObjCoord, unit;
		OGLVector3D_Normalize(&to, &unit);
		gObjDelta.x += unit.x * FLARE_HOMING_PULL.x * dt;
		gObjDelta.y += unit.y * FLARE_HOMING_PULL.y * dt;
		gObjDelta.z += unit.z * FLARE_HOMING_PULL.z * dt;
	}

	// Turns and climbs toward the nearest target at a fixed speed; with
	// nothing to chase it flies straight on.
	void SteerDart(ObjNode* dart, float dt)
	{
		if (ObjNode* target = FindClosestCType(&gObjCoord, DART_TARGET_MASK))
		{
			float want = CalcYAngleFromPointToPoint(dart->Rot.y, gObjCoord.x, gObjCoord.z, target->Coord.x, target->Coord.z);
			float diff = AngleDifference(want, dart->Rot.y);
			float maxTurn = DART_TURN_RATE * dt;
			dart->Rot.y += std::clamp(diff, -maxTurn, maxTurn);

			gObjDelta.y += (target->Coord.y > gObjCoord.y ? DART_CLIMB_ACCEL : -DART_CLIMB_ACCEL) * dt;
			gObjDelta.y = std::clamp(gObjDelta.y, -DART_MAX_CLIMB, DART_MAX_CLIMB);
		}
		gObjDelta.x = -std::sin(dart->Rot.y) * DART_SPEED;
		gObjDelta.z = -std::cos(dart->Rot.y) * DART_SPEED;
		dart->Rot.x = std::atan2(gObjDelta.y, DART_SPEED);
	}

	//
	// Trails: one puff each time the kind's interval comes round, then what
	// follows the shot every frame
	//

	void PuffFrost(ObjNode* shot)
	{
		int16_t g = TrailGroup(shot, PARTICLE_FLAGS_DONTCHECKGROUND, 200, 15, -0.8f, 0.5f, PARTICLE_SPRITE_EMBER, true);
		if (g < 0)
			return;
		for (int i = 0; i < 5; i++)
		{
			OGLPoint3D p = {gObjCoord.x - gObjDelta.x * RandomFloat() * 0.05f,
				gObjCoord.y - gObjDelta.y * RandomFloat() * 0.05f, gObjCoord.z - gObjDelta.z * RandomFloat() * 0.05f};
			if (!AddOne(g, p, {RandomFloatSigned() * 20, RandomFloatSigned() * 20, RandomFloatSigned() * 20},
					Rand(1, 2), 0, Rand(0.1f, 0.4f)))
				break;
		}
	}

	void PuffSmoke(ObjNode* shot)
	{
		int16_t g = TrailGroup(shot, PARTICLE_FLAGS_DONTCHECKGROUND, -100, 10 * gPlayerLevel.scale, -1.1f, 0.7f,
			PARTICLE_SPRITE_SMOKE_GREY, false);
		if (g < 0)
			return;
		// The trail leaves from the shot's tail.
		const float h = shot->Rot.y;
		OGLPoint3D tail = {gObjCoord.x + std::sin(h) * 50 * shot->Scale.x, gObjCoord.y,
			gObjCoord.z + std::cos(h) * 50 * shot->Scale.x};
		for (int i = 0; i < 4; i++)
			if (!AddOne(g, tail, {RandomFloatSigned() * 20, RandomFloatSigned() * 20, RandomFloatSigned() * 20},
					Rand(1, 1.2f), RandomFloatSigned() * 5, Rand(0.6f, 0.9f)))
				break;
	}

	void PuffSparks(ObjNode* flare)
	{
		int16_t g = TrailGroup(flare, PARTICLE_FLAGS_BOUNCE, 400, 70, 0, 1.1f, PARTICLE_SPRITE_SPARK, true);
		if (g >= 0)
			AddOne(g, gObjCoord, {RandomFloatSigned() * 20, RandomFloatSigned() * 20, RandomFloatSigned() * 20},
				Rand(1, 1.6f), RandomFloatSigned() * 5, 0.9f);
	}

	void GlowFollowsFlare(ObjNode* flare)
	{
		if (flare->Sparkles[0] >= 0)
			gSparkles[flare->Sparkles[0]].where = gObjCoord;
	}

	void StreakFollowsDart(ObjNode* dart)
	{
		if (dart->VaporTrails[0] >= 0)
		{
			OGLColorRGBA c = {1, 1, 1, 0.8f};
			AddToVaporTrail(&dart->VaporTrails[0], &gObjCoord, &c);
		}
	}

	//
	// The shot kinds
	//

	struct ShotKind
	{
		int model;							// global model, or -1 for an invisible carrier of a sparkle
		uint16_t slot;
		float scale;						// times the robot's scale when `scalesWithRobot`
		bool scalesWithRobot;
		float lifetime;						// seconds
		float damage;
		void (*steer)(ObjNode* shot, float dt);	// before the flight; none: straight on
		float trailInterval;				// seconds between puffs of its trail
		void (*puff)(ObjNode* shot);		// one puff; none: no puffed trail
		void (*follow)(ObjNode* shot);		// whatever follows it every frame (a glow, a streak)
		void (*spent)(ObjNode* shot);		// its lifetime is over
		void (*burst)(ObjNode* shot);		// it struck something; none: the type has no projectile
	};

	void DeleteShot(ObjNode* shot)
	{
		DeleteObject(shot);
	}

	constexpr ShotKind kShotKinds[NUM_WEAPON_TYPES] = {
		/* WEAPON_STUNGUN */ {GLOBAL_MODEL_STUN_SHOT, 2991, 2.0f, false, 2, 0.5f, nullptr, 0, nullptr, nullptr, DeleteShot,
			ExplodeStunShot},
		/* WEAPON_FREEZEGUN */ {GLOBAL_MODEL_FREEZE_SHOT, 2994, 0.3f, false, 2, 0, SinkFreezeShot, FROST_INTERVAL, PuffFrost,
			nullptr, DeleteShot, ExplodeFrost},
		/* WEAPON_ARCSHOT */ {GLOBAL_MODEL_ARC_SHOT, 3001, 0.5f, true, 2, 0.8f, SpinAndSinkArcShot, ARC_TRAIL_INTERVAL,
			PuffSmoke, nullptr, DeleteShot, ExplodeArcShot},
		/* WEAPON_GROWTH */ {},
		/* WEAPON_FLARE */ {-1, 3005, 1, false, 4, 0.8f, HomeFlare, FLARE_TRAIL_INTERVAL, PuffSparks, GlowFollowsFlare,
			ExplodeFlare, ExplodeFlare},
		/* WEAPON_FIST */ {},
		/* WEAPON_NOVA */ {},
		/* WEAPON_DART */ {GLOBAL_MODEL_DART, 3000, 0.3f, false, 3, 0.4f, SteerDart, 0, nullptr, StreakFollowsDart,
			ShatterDart, ShatterDart},
		/* WEAPON_SAUCERBEAM */ {},
		/* WEAPON_JETHIT */ {},
		/* WEAPON_HURT */ {},
	};

	const ShotKind* ShotKindOf(int type)
	{
		if (type < 0 || type >= NUM_WEAPON_TYPES || !kShotKinds[type].burst)
			return nullptr;
		return &kShotKinds[type];
	}

	void Explode(ObjNode* shot)
	{
		if (const ShotKind* kind = ShotKindOf(shot->Kind))
			kind->burst(shot);
		else
			DeleteObject(shot);
	}

	// Every shot's frame: its lifetime, its steering, the flight, the hit
	// test (which may burst it), then its trail.
	void MoveShot(ObjNode* shot)
	{
		const ShotKind& kind = *ShotKindOf(shot->Kind);
		if (!CountDownLifetime(shot))
		{
			kind.spent(shot);
			return;
		}
		GetObjectInfo(shot);
		const float dt = gFrameTime;
		if (kind.steer)
			kind.steer(shot, dt);
		Fly(shot);
		if (ProjectileHitTest(shot))
			return;

		if (kind.puff)
		{
			shot->SpecialF[TIMER_TRAIL] += dt;
			if (shot->SpecialF[TIMER_TRAIL] >= kind.trailInterval)
			{
				shot->SpecialF[TIMER_TRAIL] = 0;
				kind.puff(shot);
			}
		}
		if (kind.follow)
			kind.follow(shot);
		UpdateObject(shot);
	}
}

ObjNode* MakeWeaponProjectile(int type, const OGLPoint3D* where, const OGLVector3D* delta)
{
	const ShotKind* kind = ShotKindOf(type);
	if (!kind)
		FatalAlert("MakeWeaponProjectile: weapon type %d has no projectile", type);
	const ShotKind& look = *kind;

	ObjectDef def = {};
	def.coord = *where;
	def.slot = int16_t(look.slot);
	def.moveCall = MoveShot;
	def.scale = look.scalesWithRobot ? look.scale * gPlayerLevel.scale : look.scale;
	def.rot = gPlayerNode ? gPlayerNode->Rot.y : 0;
	ObjNode* shot;
	if (look.model >= 0 && BG3D_GetNumModels(MODEL_GROUP_GLOBAL) > look.model)
	{
		def.group = MODEL_GROUP_GLOBAL;
		def.type = uint8_t(look.model);
		shot = MakeNewDisplayGroupObject(&def);
	}
	else
	{
		def.genre = NODRAW_GENRE;
		shot = MakeNewObject(&def);
	}
	if (!shot)
		return nullptr;

	shot->Kind = uint8_t(type);
	shot->Health = look.lifetime;
	shot->Damage = look.damage;
	shot->Delta = *delta;
	shot->ColorFilter.a = 0.99f;
	shot->CType = CTYPE_PLAYER_PROJECTILE;
	shot->CBits = SIDE_ANY_OVERLAP;
	shot->ParticleGroup = -1;
	if (shot->Genre == DISPLAY_GROUP_GENRE)
		CreateCollisionBoxFromBoundingBox_Maximized(shot);
	else
	{
		constexpr int16_t FLARE_BOX = 40;
		SetObjectCollisionBounds(shot, FLARE_BOX, -FLARE_BOX, -FLARE_BOX, FLARE_BOX, FLARE_BOX, -FLARE_BOX);
	}

	if (type == WEAPON_FLARE)
	{
		shot->SpecialF[TIMER_HOMING] = 0.5f;
		int16_t k = GetFreeSparkle(shot);
		shot->Sparkles[0] = k;
		if (k >= 0)
		{
			SparkleType& sp = gSparkles[k];
			sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER;
			sp.where = *where;
			sp.color = {1, 1, 1, 1};
			sp.scale = 250;
			sp.separation = 0;
			sp.textureNum = PARTICLE_SPRITE_STARBURST;
		}
	}
	return shot;
}

bool ProjectileHitTest(ObjNode* shot)
{
	// The frame's path, from where the shot was to where it is, earliest point first.
	const OGLPoint3D end = shot->Coord;
	const OGLVector3D travel = shot->Delta * gFrameTime;
	const float length = std::sqrt(travel.x * travel.x + travel.y * travel.y + travel.z * travel.z);
	const int points = std::max(1, int(std::ceil(length / HIT_TEST_SPACING)));
	for (int i = points - 1; i >= 0; i--)
	{
		const float back = float(i) / float(points);
		const OGLPoint3D p = {end.x - travel.x * back, end.y - travel.y * back, end.z - travel.z * back};
		bool explode = TerrainHeightAt(p.x, p.z) >= p.y;
		if (!explode)
		{
			int n = FindBoxCollisions(p.y + float(shot->TopOff), p.y + float(shot->BottomOff), p.x + float(shot->LeftOff),
				p.x + float(shot->RightOff), p.z + float(shot->FrontOff), p.z + float(shot->BackOff), PROJECTILE_HIT_MASK);
			if (n == 0)
				continue;

			// The handlers may change the collision list; take the hits first.
			ObjNode* hits[MAX_COLLISIONS];
			for (int j = 0; j < n; j++)
				hits[j] = gCollisionList[j].objectPtr;
			bool decided = false;
			for (int j = 0; j < n && !decided; j++)
			{
				ObjNode* target = hits[j];
				if (!target || target == shot || target->CType == INVALID_NODE_FLAG || !target->HitByWeaponHandler[shot->Kind])
					continue;
				decided = true;
				const OGLVector3D delta = shot->Delta;
				if (!HitByWeapon(shot->Kind, shot, target, &p, &delta, shot->Damage))
					return false;			// the target let it through
			}
		}
		// It bursts where it struck, not where the frame's step would have taken it.
		shot->Coord = p;
		if (gCurrentMoveNode == shot)
			gObjCoord = p;
		Explode(shot);
		return true;
	}
	return false;
}

void ThrowDart(ObjNode* player)
{
	if (!player)
		return;
	OGLPoint3D hand = player->Coord;
	if (player->Skeleton)
		FindCoordOfJoint(player, PLAYER_JOINT_RIGHT_HAND, &hand);
	const float h = player->Rot.y;
	const OGLVector3D delta = {-std::sin(h) * DART_SPEED, 300, -std::cos(h) * DART_SPEED};
	ObjNode* dart = MakeWeaponProjectile(WEAPON_DART, &hand, &delta);
	if (dart)
	{
		dart->Rot.y = h;
		OGLColorRGBA c = {1, 1, 1, 0.8f};
		dart->VaporTrails[0] = CreateNewVaporTrail(dart, 0, VAPORTRAIL_TYPE_COLORSTREAK, &hand, &c, 1.5f, 0.9f, 30);
		AttachShadowToObject(dart, 0, 1, 1, false);
	}
	if (IsSoundEffectLoaded(EFFECT_DARTWOOSH))
		PlayEffect_Parms3D(EFFECT_DARTWOOSH, &hand, 0x10000, 1.1f);
	if (FindWeaponSlot(WEAPON_DART) >= 0)
		DecWeaponQuantity(WEAPON_DART);
}

void BurstShotIntoFlash(ObjNode* shot)
{
	ExplodeStunShot(shot);
}
