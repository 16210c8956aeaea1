// What the jungle's creatures throw: the lizard's flames, which swell and
// fade along their flight and burn the robot, and the mantis's acid globs,
// which fall, bounce and crumble, gone on their fourth impact. Also the few
// rules the creature files share (giant robot, sight, fences, knock-back).
#include "Enemies/JungleCreatures.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Items/ItemsInternal.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"

#include <SDL_opengl.h>
#include <cmath>

namespace
{
	// Level models of the jungle's model file.
	constexpr int LEVEL_MODEL_LIZARD_FLAME = 6;
	constexpr int LEVEL_MODEL_MANTIS_ACID = 7;

	constexpr OGLPoint3D FLAME_OFFSET = {0, -50, -60};		// from the lizard's jaw
	constexpr OGLVector3D FLAME_DIRECTION = {0, -0.7f, -1};
	constexpr float FLAME_SPEED = 2500.0f;					// units per second
	constexpr float FLAME_SCALE = 0.5f;						// plus up to the next
	constexpr float FLAME_SCALE_RANDOM = 0.2f;
	constexpr float FLAME_ALPHA = 0.6f;
	constexpr float FLAME_DEATH_ALPHA = 0.3f;				// it dies at a random opacity below this
	constexpr float FLAME_DAMAGE = 0.2f;
	constexpr float FLAME_FADE = 0.7f;						// opacity per second
	constexpr float FLAME_GROWTH = 0.9f;					// scale per second
	constexpr float FLAME_ROLL_SPEED = 10.0f;				// radians per second at most
	constexpr uint16_t FLAME_SLOT = 2999;
	constexpr uint32_t FLAME_LOOK = STATUS_BIT_KEEPBACKFACES | STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES;
	constexpr uint32_t FLAME_STOPPERS = CTYPE_TERRAIN | CTYPE_FENCE | CTYPE_MISC;

	constexpr OGLPoint3D ACID_OFFSET = {0, 20, -60};		// from the mantis's head
	constexpr OGLVector3D ACID_DIRECTION = {0, 0.1f, -1};
	constexpr float ACID_SPEED = 1000.0f;
	constexpr float ACID_SCALE = 0.9f;
	constexpr float ACID_DAMAGE = 0.1f;
	constexpr float ACID_GRAVITY = 1600.0f;					// units per second²
	constexpr float ACID_BOUNCE = 0.5f;
	constexpr uint16_t ACID_SLOT = 502;
	constexpr uint32_t ACID_STOPPERS = CTYPE_TERRAIN | CTYPE_FENCE | CTYPE_MISC;

	const OGLBoundingBox FLAME_STAND_IN = {{-40, -40, -60}, {40, 40, 60}, false};
	const OGLBoundingBox ACID_STAND_IN = {{-15, -15, -15}, {15, 15, 15}, false};

	enum { ACID_IMPACTS = 0 };								// Special[]
	enum { FLAME_ROLL = 0, FLAME_ROLL_SPEED_SLOT = 1 };		// SpecialF[]

	// The model's −z along `v`, rolled by `roll` about it.
	void AlignAlong(ObjNode* node, const OGLVector3D& v, float roll)
	{
		float h = std::hypot(v.x, v.z);
		float pitch = std::atan2(v.y, h);
		float yaw = std::atan2(-v.x, -v.z);
		OGLMatrix4x4 rz, rx, ry, m;
		OGLMatrix4x4_SetRotate_Z(&rz, roll);
		OGLMatrix4x4_SetRotate_X(&rx, pitch);
		OGLMatrix4x4_SetRotate_Y(&ry, yaw);
		OGLMatrix4x4_Multiply(&rz, &rx, &m);
		OGLMatrix4x4_Multiply(&m, &ry, &node->AlignmentMatrix);
	}

	OGLVector3D JointDirection(ObjNode* creature, int joint, const OGLVector3D& local)
	{
		OGLMatrix4x4 m;
		FindJointFullMatrix(creature, joint, &m);
		OGLVector3D dir;
		OGLVector3D_Transform(&local, &m, &dir);
		if (OGLVector3D_Length(&dir) < 1e-5f)
			return {-std::sin(creature->Rot.y), 0, -std::cos(creature->Rot.y)};
		OGLVector3D_Normalize(&dir, &dir);
		return dir;
	}

	void FlameSmoke(const OGLPoint3D& at)
	{
		NewParticleGroupDefType def = {};
		def.type = PARTICLE_TYPE_GRAVITOIDS;
		def.flags = PARTICLE_FLAGS_BOUNCE | PARTICLE_FLAGS_EXTRABOUNCE;
		def.gravity = -200;
		def.magnetism = 0;
		def.baseScale = 40;
		def.decayRate = -1;
		def.fadeRate = 0.3f;
		def.particleTextureNum = PARTICLE_SPRITE_SMOKE_GREY;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE_MINUS_SRC_ALPHA;
		int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < 6; i++)
		{
			OGLPoint3D p = {at.x + RandomFloatSigned() * 60, at.y + RandomFloatSigned() * 60, at.z + RandomFloatSigned() * 60};
			OGLVector3D d = {RandomFloatSigned() * 100, 200 + RandomFloatSigned() * 220, RandomFloatSigned() * 100};
			NewParticleDefType one = {};
			one.groupNum = group;
			one.where = &p;
			one.delta = &d;
			one.scale = 1 + RandomFloat();
			one.rotZ = RandomFloat() * PI2;
			one.rotDZ = RandomFloatSigned() * 4;
			one.alpha = 0.5f;
			if (AddParticleToGroup(&one))
				break;
		}
	}
}

//
// Shared rules
//

bool IsPlayerGiant()
{
	return gPlayerLevel.scale > 1.0f;
}

bool FenceBetweenPlayerAnd(const ObjNode* creature)
{
	if (!gPlayerNode)
		return false;
	OGLPoint3D from = gPlayerNode->Coord, to = creature->Coord;
	return SegmentHitsFence(&from, &to, nullptr, nullptr, nullptr);
}

//
// The lizard's flames
//

ObjNode* ShootLizardFlame(ObjNode* lizard)
{
	OGLPoint3D mouth;
	FindCoordOnJoint(lizard, LIZARD_JOINT_JAW, &FLAME_OFFSET, &mouth);

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_LIZARD_FLAME;
	def.coord = mouth;
	def.flags = gAutoFadeStatusBits | STATUS_BIT_USEALIGNMENTMATRIX | FLAME_LOOK;
	def.slot = int16_t(FLAME_SLOT);
	def.moveCall = MoveLizardFlame;
	def.scale = FLAME_SCALE + RandomFloat() * FLAME_SCALE_RANDOM;
	ObjNode* flame = MakeItemModelNode(&def, FLAME_STAND_IN);
	flame->ColorFilter.a = FLAME_ALPHA;
	flame->Health = RandomFloat() * FLAME_DEATH_ALPHA;
	flame->Damage = FLAME_DAMAGE;
	flame->Delta = JointDirection(lizard, LIZARD_JOINT_JAW, FLAME_DIRECTION) * FLAME_SPEED;
	flame->SpecialF[FLAME_ROLL_SPEED_SLOT] = RandomFloatSigned() * FLAME_ROLL_SPEED;
	flame->SpecialF[FLAME_ROLL] = RandomFloat() * PI2;
	AlignAlong(flame, flame->Delta, flame->SpecialF[FLAME_ROLL]);
	flame->CType = CTYPE_HURTME | CTYPE_BURNS_PLAYER;
	flame->CBits = SIDE_ANY_OVERLAP;
	CreateCollisionBoxFromBoundingBox_Maximized(flame);
	UpdateObjectTransforms(flame);
	return flame;
}

void MoveLizardFlame(ObjNode* flame)
{
	if (IsNodeOutOfRange(flame))
	{
		DeleteObject(flame);
		return;
	}
	GetObjectInfo(flame);
	const float dt = gFrameTime;
	flame->ColorFilter.a -= FLAME_FADE * dt;
	bool spent = flame->ColorFilter.a <= flame->Health;
	if (!spent)
	{
		gObjCoord = gObjCoord + gObjDelta * dt;
		float grow = FLAME_GROWTH * dt;
		flame->Scale = {flame->Scale.x + grow, flame->Scale.y + grow, flame->Scale.z + grow};
		flame->SpecialF[FLAME_ROLL] += flame->SpecialF[FLAME_ROLL_SPEED_SLOT] * dt;
		float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		if (gObjCoord.y < ground || ResolveCollisions(flame, FLAME_STOPPERS, 0) != 0)
			spent = true;
	}
	if (spent)
	{
		FlameSmoke(gObjCoord);
		DeleteObject(flame);
		return;
	}
	AlignAlong(flame, gObjDelta, flame->SpecialF[FLAME_ROLL]);
	UpdateObject(flame);
}

//
// The mantis's acid
//

ObjNode* SpitMantisAcid(ObjNode* mantis)
{
	OGLPoint3D head;
	FindCoordOnJoint(mantis, MANTIS_JOINT_HEAD, &ACID_OFFSET, &head);

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_MANTIS_ACID;
	def.coord = head;
	def.flags = gAutoFadeStatusBits | STATUS_BIT_USEALIGNMENTMATRIX;
	def.slot = int16_t(ACID_SLOT);
	def.moveCall = MoveMantisAcid;
	def.scale = ACID_SCALE;
	ObjNode* glob = MakeItemModelNode(&def, ACID_STAND_IN);
	glob->Damage = ACID_DAMAGE;
	glob->Special[ACID_IMPACTS] = 0;
	glob->CType = CTYPE_HURTME;
	glob->CBits = SIDE_ANY_OVERLAP;
	CreateCollisionBoxFromBoundingBox(glob, 1, 1);
	glob->Delta = JointDirection(mantis, MANTIS_JOINT_HEAD, ACID_DIRECTION) * ACID_SPEED;
	AlignAlong(glob, glob->Delta, 0);
	UpdateObjectTransforms(glob);
	AttachShadowToObject(glob, 0, 4, 4, false);
	return glob;
}

void MoveMantisAcid(ObjNode* glob)
{
	if (IsNodeOutOfRange(glob))
	{
		DeleteObject(glob);
		return;
	}
	GetObjectInfo(glob);
	const float dt = gFrameTime;
	gObjDelta.y -= ACID_GRAVITY * dt;
	gObjCoord = gObjCoord + gObjDelta * dt;
	if (ResolveCollisions(glob, ACID_STOPPERS, ACID_BOUNCE) != 0)
	{
		// Each impact knocks a piece off; the fourth leaves nothing.
		int impacts = ++glob->Special[ACID_IMPACTS];
		if (impacts == 1)
			PlayEnemyEffect3D(EFFECT_ACIDSIZZLE, &gObjCoord);
		ExplodeGeometry(glob, 200, SHARD_MODE_FROMORIGIN, 1, 0.5f);
		MakeSparkBurst(gObjCoord.x, gObjCoord.y, gObjCoord.z, 7, PARTICLE_SPRITE_SPARK_YELLOW, GL_SRC_ALPHA, GL_ONE, 1.2f);
		if (impacts >= ACID_MAX_IMPACTS)
		{
			DeleteObject(glob);
			return;
		}
	}
	AlignAlong(glob, gObjDelta, 0);
	UpdateObject(glob);
}
