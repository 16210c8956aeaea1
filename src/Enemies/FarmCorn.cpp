// The corn: it walks at the robot firing bursts of three kernels that land
// near him and pop into popcorn (a kernel that pops next to the robot hits
// him and throws him back), and it bursts into popcorn when it dies.
#include "Enemies/FarmCreatures.h"
#include "Enemies/FarmCreaturesInternal.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>

#include <cmath>

namespace
{
	constexpr float TURN_SPEED = 2.4f;					// radians per second
	constexpr float FRICTION_STAND = 2000.0f;			// units per second²
	constexpr float SEE_DISTANCE = 3000.0f;				// units (fast distance)
	constexpr float WALK_SPEED = 300.0f;
	constexpr float WALK_ANIM_SPEED = 2.1f;
	constexpr float GROW_RATE = 1.0f;					// scale per second (x; y and z follow)
	constexpr float GROWN_HOP = 700.0f;
	constexpr float SHOOT_ANGLE = PI / 3;				// the robot less than this off the heading
	constexpr float SHOOT_RANGE = 2200.0f;				// units, true horizontal distance
	constexpr uint32_t MOVE_MASK = 0x9849;

	constexpr float KERNEL_MUZZLE_HEIGHT = 230.0f;		// units above the corn's origin
	constexpr float KERNEL_AIM = 0.8f;					// of the distance to the robot per second: lands near him
	constexpr float KERNEL_SCATTER = 200.0f;
	constexpr float KERNEL_LOB = 100.0f;
	constexpr float KERNEL_FUSE = 4.0f;					// seconds, plus up to KERNEL_FUSE_RANDOM
	constexpr float KERNEL_FUSE_RANDOM = 3.0f;
	constexpr float KERNEL_GRAVITY = 1000.0f;
	constexpr float KERNEL_FRICTION = 2000.0f;
	constexpr float KERNEL_SPIN_DAMPING = 10.0f;		// radians per second²
	constexpr float KERNEL_BOUNCE = 0.3f;
	constexpr float KERNEL_PUSH = 2000.0f;				// units per second the pop throws the robot back
	constexpr uint16_t KERNEL_SLOT = 4;

	constexpr float POPCORN_GRAVITY = 800.0f;
	constexpr float POPCORN_FRICTION = 400.0f;
	constexpr float POPCORN_LIFE = 5.0f;				// seconds before it fades
	constexpr float POPCORN_FADE = 1.0f;				// alpha per second
	constexpr int DEATH_POPCORN = 20;

	enum { FLAG_BURSTING = 0 };
	enum { TIMER_BURST = 0, TIMER_SHOT = 1, TIMER_HURT = 3, SHOTS_FIRED = 0 };	// SHOTS_FIRED: Special[]

	float Signed(float range)
	{
		return RandomFloatSigned() * range;
	}

	int Anim(const ObjNode* corn)
	{
		return corn->Skeleton->AnimNum;
	}

	void Finish(ObjNode* corn, uint32_t mask, bool useBoundingBox)
	{
		EnemyGroundStep(corn, mask, useBoundingBox);
		UpdateEnemy(corn);
		UpdateFarmEyes(corn);
	}

	void CornStand(ObjNode* corn)
	{
		if (corn->StatusBits & STATUS_BIT_ONGROUND)
			ApplyEnemyFriction(FRICTION_STAND);
		TurnEnemyTowardPlayer(corn, TURN_SPEED);
		if (EnemyDistanceToPlayer(corn) < SEE_DISTANCE)
			MorphToSkeletonAnim(corn->Skeleton, CORN_ANIM_WALK, 8);
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		Finish(corn, MOVE_MASK, true);
	}

	void CornWalk(ObjNode* corn)
	{
		TurnEnemyTowardPlayer(corn, TURN_SPEED);
		gObjDelta.x = -std::sin(corn->Rot.y) * WALK_SPEED;
		gObjDelta.z = -std::cos(corn->Rot.y) * WALK_SPEED;
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		corn->Skeleton->AnimSpeed = WALK_ANIM_SPEED;
		EnemyGroundStep(corn, MOVE_MASK, false);
		CornShooting(corn);
		UpdateEnemy(corn);
		UpdateFarmEyes(corn);
	}

	void CornHurt(ObjNode* corn)
	{
		MoveFarmHurt(corn);
		UpdateEnemy(corn);
		UpdateFarmEyes(corn);
	}

	void CornGrow(ObjNode* corn)
	{
		if (corn->StatusBits & STATUS_BIT_ONGROUND)
			ApplyEnemyFriction(FRICTION_STAND);
		corn->Scale.x += GROW_RATE * gFrameTime;
		if (corn->Scale.x >= CORN_SCALE)
		{
			corn->Scale = {CORN_SCALE, CORN_SCALE, CORN_SCALE};
			MorphToSkeletonAnim(corn->Skeleton, CORN_ANIM_STAND, 2);
			gObjDelta.y = GROWN_HOP;
		}
		else
			corn->Scale.y = corn->Scale.z = corn->Scale.x;
		ApplyEnemyGravity();
		EnemyGravityAndMove();
		Finish(corn, 0, true);
	}

	constexpr ObjNodeRoutine kCornMoves[NUM_CORN_ANIMS] = {CornStand, CornWalk, CornHurt, CornGrow};

	// The robot caught in a popping kernel's blast.
	void BlastPlayer(const ObjNode* kernel, bool robotTouchedIt)
	{
		if (!gPlayerNode || gPlayerLevel.invincibleTimer > 0)
			return;
		const OGLPoint3D& p = gPlayerNode->Coord;
		float dx = p.x - kernel->Coord.x, dy = p.y - kernel->Coord.y, dz = p.z - kernel->Coord.z;
		float d = std::sqrt(dx * dx + dy * dy + dz * dz);
		if (d >= KERNEL_BLAST_RADIUS)
			return;
		PlayerGotHit(const_cast<ObjNode*>(kernel), KERNEL_DAMAGE);
		if (d < 0.001f)
			return;
		OGLVector3D push = {dx / d * KERNEL_PUSH, dy / d * KERNEL_PUSH, dz / d * KERNEL_PUSH};
		// The robot's own move is under way when he touched it: push his working velocity.
		OGLVector3D& v = robotTouchedIt && gCurrentMoveNode == gPlayerNode ? gObjDelta : gPlayerNode->Delta;
		v.x += push.x;
		v.y += push.y;
		v.z += push.z;
	}

	void PopBurst(const OGLPoint3D& at)
	{
		NewParticleGroupDefType def = {};
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.gravity = 900;
		def.baseScale = 20;
		def.fadeRate = 1.0f;
		def.particleTextureNum = PARTICLE_SPRITE_FIREBALL;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < 15; i++)
		{
			OGLPoint3D where = {at.x + Signed(30), at.y + Signed(20), at.z + Signed(30)};
			OGLVector3D delta = {Signed(300), RandomFloat() * 400, Signed(300)};
			NewParticleDefType p = {group, &where, &delta, 1 + RandomFloat(), 0, 0, 1};
			if (!AddParticleToGroup(&p))
				break;
		}
	}

	ObjNode* MakePopcorn(const OGLPoint3D& at, const OGLVector3D& delta, float life)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = FARM_MODEL_POPCORN;
		def.coord = at;
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(SLOT_OF_DUMB);
		def.moveCall = MovePopcorn;
		def.scale = 1;
		ObjNode* popcorn = MakeNewDisplayGroupObject(&def);
		popcorn->Delta = delta;
		popcorn->DeltaRot = {Signed(PI2), Signed(PI2), Signed(PI2)};
		popcorn->Health = life;
		CreateCollisionBoxFromBoundingBox(popcorn, 1, 1);
		return popcorn;
	}

	bool KernelTouched(ObjNode* kernel, ObjNode* mover, uint32_t)
	{
		if (mover == gPlayerNode && kernel->MoveCall == MoveCornKernel)
			PopCornKernel(kernel, true);
		return false;
	}

	void SpinAndDamp(ObjNode* node, float damping)
	{
		const float dt = gFrameTime;
		node->Rot.x += node->DeltaRot.x * dt;
		node->Rot.y += node->DeltaRot.y * dt;
		node->Rot.z += node->DeltaRot.z * dt;
		if (node->StatusBits & STATUS_BIT_ONGROUND)
			for (float* r : {&node->DeltaRot.x, &node->DeltaRot.y, &node->DeltaRot.z})
			{
				float slower = std::fabs(*r) - damping * dt;
				*r = slower > 0 ? std::copysign(slower, *r) : 0;
			}
	}

	// Friction, gravity, motion and the ground for kernels and popcorn.
	void FlyAndLand(ObjNode* node, float friction, float gravity, uint32_t mask)
	{
		const float dt = gFrameTime;
		if (node->StatusBits & STATUS_BIT_ONGROUND)
			ApplyEnemyFriction(friction);
		gObjDelta.y -= gravity * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		node->StatusBits &= ~STATUS_BIT_ONGROUND;
		uint32_t sides = ResolveCollisions(node, mask | CTYPE_TERRAIN | CTYPE_FENCE, KERNEL_BOUNCE);
		if (sides & SIDE_BOTTOM)
			node->StatusBits |= STATUS_BIT_ONGROUND;
	}
}

void CornShooting(ObjNode* corn)
{
	if (!corn->Flag[FLAG_BURSTING])
	{
		corn->SpecialF[TIMER_BURST] -= gFrameTime;
		if (corn->SpecialF[TIMER_BURST] > 0 || !gPlayerNode || !IsRobotInPlay())
			return;
		float toRobot = CalcYAngleFromPointToPoint(corn->Rot.y, corn->Coord.x, corn->Coord.z, gPlayerNode->Coord.x,
				gPlayerNode->Coord.z);
		float off = std::fabs(AngleDifference(toRobot, corn->Rot.y));
		float d = CalcDistance(corn->Coord.x, corn->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
		if (off < SHOOT_ANGLE && d < SHOOT_RANGE)
		{
			corn->Flag[FLAG_BURSTING] = 1;
			corn->Special[SHOTS_FIRED] = 0;
			corn->SpecialF[TIMER_BURST] = CORN_BURST_DELAY;
			corn->SpecialF[TIMER_SHOT] = 0;
		}
		return;
	}
	corn->SpecialF[TIMER_SHOT] -= gFrameTime;
	if (corn->SpecialF[TIMER_SHOT] > 0)
		return;
	corn->SpecialF[TIMER_SHOT] += CORN_BURST_INTERVAL;
	ShootCornKernel(corn);
	if (++corn->Special[SHOTS_FIRED] >= CORN_BURST_KERNELS)
		corn->Flag[FLAG_BURSTING] = 0;
}

void MoveCorn(ObjNode* corn)
{
	if (IsEnemyOutOfRange(corn))
	{
		DeleteEnemy(corn);
		return;
	}
	GetObjectInfo(corn);
	int anim = Anim(corn);
	if (anim >= 0 && anim < NUM_CORN_ANIMS)
		kCornMoves[anim](corn);
}

void KillCorn(ObjNode* corn)
{
	SpillPowerups(corn, 0, 1, 3);
	PlayEnemyEffect3D(EFFECT_CORNCRUNCH, &corn->Coord);
	if (FarmModelExists(FARM_MODEL_POPCORN))
		for (int i = 0; i < DEATH_POPCORN; i++)
		{
			float x = corn->Coord.x + Signed(70), z = corn->Coord.z + Signed(70);
			float ground = IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
			MakePopcorn({x, ground + RandomFloat() * 250, z}, {Signed(700), 600 + Signed(1000), Signed(700)},
					3 + RandomFloat() * 2);
		}
	ExplodeGeometry(corn, 300, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 2, 1.0f);
	DeleteEnemy(corn);
}

ObjNode* ShootCornKernel(ObjNode* corn)
{
	if (!FarmModelExists(FARM_MODEL_CORN_KERNEL))
		return nullptr;
	SetTriggerHandler(TRIGGER_KIND_ENEMY, KernelTouched);

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = FARM_MODEL_CORN_KERNEL;
	def.coord = {corn->Coord.x, corn->Coord.y + KERNEL_MUZZLE_HEIGHT, corn->Coord.z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(KERNEL_SLOT);
	def.moveCall = MoveCornKernel;
	def.scale = 1;
	ObjNode* kernel = MakeNewDisplayGroupObject(&def);
	kernel->CType = CTYPE_TRIGGER | CTYPE_MISC;
	kernel->CBits = SIDE_ALL | SIDE_TRIGGER_INSIDE;
	kernel->TriggerSides = SIDE_ALL;
	kernel->Kind = TRIGGER_KIND_ENEMY;
	CreateCollisionBoxFromBoundingBox(kernel, 1, 1);
	kernel->Damage = KERNEL_DAMAGE;
	kernel->Health = KERNEL_FUSE + RandomFloat() * KERNEL_FUSE_RANDOM;

	float d = 0;
	if (gPlayerNode)
		d = CalcDistance(corn->Coord.x, corn->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
	float h = corn->Rot.y;
	kernel->Delta = {Signed(KERNEL_SCATTER) - std::sin(h) * KERNEL_AIM * d, KERNEL_LOB,
			Signed(KERNEL_SCATTER) - std::cos(h) * KERNEL_AIM * d};
	kernel->DeltaRot = {Signed(PI2), Signed(PI2), Signed(PI2)};
	AttachShadowToObject(kernel, 0, 3, 3, true);
	PlayEnemyEffect3D(EFFECT_SHOOTCORN, &kernel->Coord);
	return kernel;
}

void MoveCornKernel(ObjNode* kernel)
{
	if (IsNodeOutOfRange(kernel))
	{
		DeleteObject(kernel);
		return;
	}
	GetObjectInfo(kernel);
	kernel->Health -= gFrameTime;
	if (kernel->Health <= 0)
	{
		kernel->Coord = gObjCoord;
		PopCornKernel(kernel, false);
		return;
	}
	FlyAndLand(kernel, KERNEL_FRICTION, KERNEL_GRAVITY, CTYPE_MISC);
	SpinAndDamp(kernel, KERNEL_SPIN_DAMPING);
	UpdateObject(kernel);
}

void PopCornKernel(ObjNode* kernel, bool robotTouchedIt)
{
	if (kernel->CType == INVALID_NODE_FLAG || kernel->MoveCall != MoveCornKernel)
		return;
	if (gCurrentMoveNode == kernel)
		kernel->Coord = gObjCoord;
	kernel->Type = FARM_MODEL_POPCORN;
	ResetDisplayGroupObject(kernel);
	kernel->CType = 0;
	kernel->Delta = {Signed(600), 700 + RandomFloat() * 600, Signed(600)};
	if (gCurrentMoveNode == kernel)
		gObjDelta = kernel->Delta;
	kernel->DeltaRot = {Signed(10), Signed(10), Signed(10)};
	CreateCollisionBoxFromBoundingBox(kernel, 1, 1);
	kernel->Health = POPCORN_LIFE;
	kernel->MoveCall = MovePopcorn;
	PlayEnemyEffect3D(EFFECT_POPCORNPOP, &kernel->Coord);
	PopBurst(kernel->Coord);
	BlastPlayer(kernel, robotTouchedIt);
	if (gCurrentMoveNode == kernel)
		UpdateObject(kernel);
	else
	{
		UpdateObjectTransforms(kernel);
		CalcObjectBoxFromNode(kernel);
	}
}

void MovePopcorn(ObjNode* popcorn)
{
	if (IsNodeOutOfRange(popcorn))
	{
		DeleteObject(popcorn);
		return;
	}
	GetObjectInfo(popcorn);
	FlyAndLand(popcorn, POPCORN_FRICTION, POPCORN_GRAVITY, CTYPE_MISC | CTYPE_PLAYER);
	SpinAndDamp(popcorn, KERNEL_SPIN_DAMPING);
	popcorn->Health -= gFrameTime;
	if (popcorn->Health < 0)
	{
		popcorn->ColorFilter.a -= POPCORN_FADE * gFrameTime;
		if (popcorn->ColorFilter.a <= 0)
		{
			DeleteObject(popcorn);
			return;
		}
	}
	UpdateObject(popcorn);
}
