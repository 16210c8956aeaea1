// The flamester: stands or walks toward the robot, and spins up to throw
// fire blobs when the robot comes near. Fire only feeds it; the freeze gun
// shrinks it until it goes out.
#include "Enemies/FireIceCreatures.h"
#include "Enemies/FireIceCommon.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "3D/SkeletonTypes.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/ItemsInternal.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

using namespace FireIce;

namespace
{
	constexpr float DAMAGE = 0.2f;
	constexpr float TARGET_OFFSET = 150.0f;
	constexpr float SHADOW_SIZE = 8.0f;
	constexpr float TURN_SPEED = 3.0f;				// radians per second
	constexpr float WALK_SPEED = 280.0f;			// units per second
	constexpr float WALK_ANIM_SPEED = 1.4f;
	constexpr float WAKE_DISTANCE = 3000.0f;		// stands beyond this, walks within
	constexpr float FRICTION_STAND = 2000.0f;
	constexpr float SPIN_PEAK_TIME = 3.5f;			// attack seconds left when it stops speeding up
	constexpr float SPIN_ACCEL = 4.0f;				// radians per second²
	constexpr float SPIN_MAX = 50.0f;				// radians per second
	constexpr float FIRST_BLOB = 1.0f;				// seconds into an attack
	constexpr float BLOB_INTERVAL = 0.3f;			// plus up to the next
	constexpr float BLOB_INTERVAL_RANDOM = 0.5f;
	constexpr float FLAME_SCALE = 30.0f;			// joint flames per unit of its scale
	constexpr float SPLINE_FLAME_SCALE = 60.0f;

	constexpr float SPLINE_SPEED = 70.0f;
	constexpr float SPLINE_DETACH_DISTANCE = 900.0f;

	// Its glow: one sparkle on each joint.
	constexpr EnemySparkleJoint kGlow[] = {
		{0, {0, 0, 0}, 2.2f}, {1, {0, 0, 0}, 2.2f}, {2, {0, 0, 0}, 2.2f},
		{3, {0, 0, 0}, 2.0f}, {4, {0, 0, 0}, 2.0f}, {5, {0, 0, 0}, 2.0f},
	};
	constexpr int NUM_GLOW = int(sizeof(kGlow) / sizeof(kGlow[0]));
	constexpr OGLColorRGBA GLOW_COLOR = {1.0f, 0.5f, 0.2f, 0.8f};

	// The fire blob.
	constexpr uint16_t BLOB_SLOT = 200;
	constexpr float BLOB_LIFE = 2.0f;				// seconds
	constexpr float BLOB_DAMAGE = 0.2f;
	constexpr float BLOB_SPEED = 600.0f;			// units per second outward
	constexpr float BLOB_LIFT = 200.0f;
	constexpr float BLOB_GRAVITY = 3000.0f;
	constexpr float BLOB_ROLL_PUSH = 5000.0f;		// down the slope, per unit of normal
	constexpr float BLOB_BOUNCE = 0.1f;
	constexpr float BLOB_SPIN_X = 5.0f;				// radians per second
	constexpr float BLOB_SPIN_Y = 7.0f;
	constexpr float BLOB_SHADOW = 10.0f;
	constexpr float BLOB_FLAME_INTERVAL = 0.04f;	// seconds between flames
	constexpr float BLOB_GLOW_SCALE = 100.0f;
	constexpr float BLOB_GLOW_SEPARATION = -50.0f;
	const OGLBoundingBox BLOB_STAND_IN = {{-20, -18, -20}, {20, 18, 20}, false};

	void MoveFireBlob(ObjNode* blob);

	void UpdateFlames(ObjNode* flamester, float flameScale)
	{
		UpdateEnemySparkles(flamester, kGlow, NUM_GLOW);
		MakeJointFlames(flamester, flameScale);
	}

	void Finish(ObjNode* flamester)
	{
		// Its own box: the flickering tip must not lift it off the ground.
		FinishMove(flamester, MOVE_MASK, false);
		UpdateFlames(flamester, FLAME_SCALE * flamester->Scale.x);
	}

	void AttackCheck(ObjNode* flamester)
	{
		if (!RobotIsTarget() || EnemyDistanceToPlayer(flamester) >= FLAMESTER_ATTACK_RANGE)
			return;
		SwitchAnim(flamester, FLAMESTER_ANIM_SPIN, 4);
		flamester->SpecialF[FLAMESTER_TIMER_ATTACK] = FLAMESTER_ATTACK_TIME;
		flamester->SpecialF[FLAMESTER_TIMER_BLOB] = FIRST_BLOB;
		flamester->DeltaRot.y = 0;
	}

	void MoveStand(ObjNode* flamester)
	{
		if (CreatureOnGround(flamester))
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(flamester, TURN_SPEED);
		if (EnemyDistanceToPlayer(flamester) < WAKE_DISTANCE)
			SwitchAnim(flamester, FLAMESTER_ANIM_WALK, 4);
		ApplyEnemyGravity();
		AttackCheck(flamester);
		Finish(flamester);
	}

	void MoveWalk(ObjNode* flamester)
	{
		TurnEnemyTowardPlayer(flamester, TURN_SPEED);
		SetVelocityAlongHeading(flamester, WALK_SPEED);
		ApplyEnemyGravity();
		if (EnemyDistanceToPlayer(flamester) >= WAKE_DISTANCE)
			SwitchAnim(flamester, FLAMESTER_ANIM_STAND, 4);
		else if (flamester->Skeleton)
			flamester->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		AttackCheck(flamester);
		Finish(flamester);
	}

	void MoveSpin(ObjNode* flamester)
	{
		const float dt = gFrameTime;
		gObjDelta.x = gObjDelta.z = 0;
		float& spin = flamester->DeltaRot.y;
		float& attack = flamester->SpecialF[FLAMESTER_TIMER_ATTACK];
		if (attack >= SPIN_PEAK_TIME)
			spin = std::min(SPIN_MAX, spin + SPIN_ACCEL * dt);
		else
			spin = std::max(0.0f, spin - SPIN_ACCEL * dt);
		flamester->Rot.y += spin * dt;
		ApplyEnemyGravity();

		float& blob = flamester->SpecialF[FLAMESTER_TIMER_BLOB];
		blob -= dt;
		if (blob <= 0)
		{
			blob = BLOB_INTERVAL + RandomFloat() * BLOB_INTERVAL_RANDOM;
			ThrowFireBlob(flamester);
		}
		attack -= dt;
		if (attack <= 0)
			SwitchAnim(flamester, FLAMESTER_ANIM_STAND, 2);
		Finish(flamester);
	}

	constexpr ObjNodeRoutine kMoveByAnim[] = {MoveStand, MoveWalk, MoveSpin};

	//
	// Growing, shrinking and going out
	//

	void KillFlamester(ObjNode* flamester)
	{
		SpillPowerups(flamester, 2, 1, 0);
		if (!flamester->Flag[ENEMY_FLAG_COMES_BACK])
			flamester->TerrainItemPtr = nullptr;
		DeleteEnemy(flamester);
	}

	bool HitByFire(ObjNode*, ObjNode* flamester, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (flamester->Scale.x < FLAMESTER_MAX_SCALE)
			ResizeCreature(flamester, std::min(FLAMESTER_MAX_SCALE, flamester->Scale.x + FLAMESTER_GROW_STEP));
		flamester->Health = FLAMESTER_HEALTH;
		return true;
	}

	bool HitByFreeze(ObjNode*, ObjNode* flamester, const OGLPoint3D*, const OGLVector3D*, float)
	{
		DetachEnemyFromSpline(flamester, MoveFlamester);
		if (flamester->Scale.x <= FLAMESTER_MIN_SCALE)
			return true;
		float smaller = flamester->Scale.x - FLAMESTER_SHRINK_STEP;
		if (smaller < FLAMESTER_MIN_SCALE)
		{
			KillFlamester(flamester);
			return true;
		}
		ResizeCreature(flamester, smaller);
		return true;
	}

	bool HitByHurt(ObjNode*, ObjNode* flamester, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		flamester->Health -= damage;
		if (flamester->Health <= 0)
			KillFlamester(flamester);
		return true;
	}

	constexpr CreatureHitTable kFlamesterHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_FREEZEGUN] = HitByFreeze;
		t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = HitByFire;
		t[WEAPON_HURT] = HitByHurt;
		return t;
	}();

	void PrepareFlamester(ObjNode* flamester)
	{
		for (float& f : flamester->SpecialF)
			f = 0;
		flamester->DeltaRot.y = 0;
	}

	void AttachGlow(ObjNode* flamester)
	{
		AttachEnemySparkles(flamester, kGlow, NUM_GLOW, GLOW_COLOR);
	}

	// On its loop it burns at one size, whatever it has grown to.
	void BurnOnLoop(ObjNode* flamester)
	{
		UpdateFlames(flamester, SPLINE_FLAME_SCALE);
	}

	//
	// The fire blob
	//

	void BurnBlob(ObjNode* blob)
	{
		blob->ParticleTimer -= gFrameTime;
		if (blob->ParticleTimer > 0)
			return;
		blob->ParticleTimer += BLOB_FLAME_INTERVAL;
		if (blob->ParticleTimer < 0)
			blob->ParticleTimer = BLOB_FLAME_INTERVAL;
		if (blob->ParticleGroup < 0 || !VerifyParticleGroupMagicNum(blob->ParticleGroup, blob->ParticleMagicNum))
		{
			NewParticleGroupDefType def = {};
			def.magicNum = RandomNumber();
			def.type = PARTICLE_TYPE_FALLINGSPARKS;
			def.flags = PARTICLE_FLAGS_DONTCHECKGROUND | PARTICLE_FLAGS_ALLAIM;
			def.gravity = -200;
			def.baseScale = 30 * blob->Scale.x;
			def.decayRate = 0.6f;
			def.fadeRate = 1.5f;
			def.particleTextureNum = PARTICLE_SPRITE_FLAME;
			def.srcBlend = GL_SRC_ALPHA;
			def.dstBlend = GL_ONE;
			blob->ParticleMagicNum = def.magicNum;
			blob->ParticleGroup = NewParticleGroup(&def);
			if (blob->ParticleGroup < 0)
				return;
		}
		OGLPoint3D where = {blob->Coord.x + RandomFloatSigned() * 15, blob->Coord.y + RandomFloatSigned() * 15,
			blob->Coord.z + RandomFloatSigned() * 15};
		OGLVector3D delta = {0, 150 + RandomFloat() * 100, 0};
		NewParticleDefType p = {blob->ParticleGroup, &where, &delta, 1.0f + RandomFloat() * 0.5f, RandomFloat() * PI2,
			RandomFloatSigned() * 6, 0.9f};
		if (AddParticleToGroup(&p))
			blob->ParticleGroup = -1;
	}

	void MoveFireBlob(ObjNode* blob)
	{
		if (IsNodeOutOfRange(blob))
		{
			DeleteObject(blob);
			return;
		}
		GetObjectInfo(blob);
		const float dt = gFrameTime;
		blob->Health -= dt;
		if (blob->Health <= 0)
		{
			ExplodeGeometry(blob, 350, SHARD_MODE_BOUNCE, 1, 1.0f);
			DeleteObject(blob);
			return;
		}
		gObjDelta.y -= BLOB_GRAVITY * dt;
		if (blob->StatusBits & STATUS_BIT_ONGROUND)
		{
			// Rolls downhill.
			if (IsTerrainSetUp())
				TerrainHeightAt(gObjCoord.x, gObjCoord.z);
			gObjDelta.x += gLastTerrainNormal.x * BLOB_ROLL_PUSH * dt;
			gObjDelta.z += gLastTerrainNormal.z * BLOB_ROLL_PUSH * dt;
		}
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		blob->StatusBits &= ~STATUS_BIT_ONGROUND;
		float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		float bottom = gObjCoord.y + float(blob->BottomOff);
		if (bottom < ground)
		{
			gObjCoord.y = ground - float(blob->BottomOff);
			if (gObjDelta.y < 0)
				gObjDelta.y *= -BLOB_BOUNCE;
			blob->StatusBits |= STATUS_BIT_ONGROUND;
		}
		ResolveCollisions(blob, CTYPE_MISC, BLOB_BOUNCE);
		blob->Rot.x += BLOB_SPIN_X * dt;
		blob->Rot.y += BLOB_SPIN_Y * dt;
		UpdateObject(blob);
		if (blob->Sparkles[0] >= 0)
			gSparkles[blob->Sparkles[0]].where = blob->Coord;
		BurnBlob(blob);
	}
}

const CreatureKind kFlamesterKind = {
	.kind = ENEMY_KIND_FLAMESTER,
	.limit = FLAMESTER_LIMIT,
	.skeletonType = SKELETON_TYPE_FLAMESTER,
	.scale = FLAMESTER_SCALE,
	.health = FLAMESTER_HEALTH,
	.damage = DAMAGE,
	.targetOffset = TARGET_OFFSET,
	.shadowX = SHADOW_SIZE,
	.shadowZ = SHADOW_SIZE,
	.hits = &kFlamesterHitTable,
	.move = MoveFlamester,
	.prepare = PrepareFlamester,
	.dress = AttachGlow,
	.loop = {.speed = SPLINE_SPEED, .detachDistance = SPLINE_DETACH_DISTANCE, .walkAnim = FLAMESTER_ANIM_WALK,
		.whileRiding = BurnOnLoop},
};

void MoveFlamester(ObjNode* flamester)
{
	if (IsEnemyOutOfRange(flamester))
	{
		DeleteEnemy(flamester);
		return;
	}
	flamester->OldCoord = flamester->Coord;
	GetObjectInfo(flamester);
	int anim = Anim(flamester);
	if (anim >= 0 && anim < int(sizeof(kMoveByAnim) / sizeof(kMoveByAnim[0])))
		kMoveByAnim[anim](flamester);
	else
		Finish(flamester);
}

ObjNode* ThrowFireBlob(const ObjNode* flamester)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_FIRE_BLOB;
	def.coord = flamester->Coord;
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(BLOB_SLOT);
	def.moveCall = MoveFireBlob;
	def.scale = 1;
	ObjNode* blob = MakeItemModelNode(&def, BLOB_STAND_IN);
	blob->CType = CTYPE_HURTME;
	blob->CBits = SIDE_ALL;
	blob->Health = BLOB_LIFE;
	blob->Damage = BLOB_DAMAGE;
	blob->ParticleGroup = -1;
	blob->ParticleTimer = 0;
	float a = RandomFloat() * PI2;
	blob->Delta = {std::sin(a) * BLOB_SPEED, BLOB_LIFT, std::cos(a) * BLOB_SPEED};
	CreateCollisionBoxFromBoundingBox_Rotated(blob, 1, 1);
	AttachShadowToObject(blob, 0, BLOB_SHADOW, BLOB_SHADOW, false);
	// A white-hot glow at its heart, moved with it each frame.
	int16_t glow = GetFreeSparkle(blob);
	if (glow >= 0)
	{
		blob->Sparkles[0] = glow;
		SparkleType& s = gSparkles[glow];
		s.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER;
		s.where = blob->Coord;
		s.color = {1, 1, 1, 1};
		s.scale = BLOB_GLOW_SCALE;
		s.separation = BLOB_GLOW_SEPARATION;
		s.textureNum = PARTICLE_SPRITE_FIREBALL;
	}
	return blob;
}
