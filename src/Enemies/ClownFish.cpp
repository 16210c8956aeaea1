// The clown fish: it flies its loop high over the clouds for ever with a bomb
// hung under its belly, drops it on a robot below, and takes a new one only
// where nobody sees it happen. The bomb falls nose first and blows a ring out
// over the ground that spins the robot round and flings it on.
#include "Enemies/CloudCreatures.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Items/ItemsInternal.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>		// blending enums of the particle groups
#include <cmath>

namespace
{
	//
	// Tunables
	//

	constexpr float SHADOW_SIZE_X = 14.0f;
	constexpr float SHADOW_SIZE_Z = 10.0f;
	constexpr float SPLINE_SPEED = 150.0f;				// loop points per second
	constexpr float SWIM_ANIM_SPEED = 2.0f;
	constexpr uint32_t FLIGHT_MASK = 0x0800;			// it bumps only into its own kind of blocker

	constexpr OGLPoint3D BOMB_HOOK = {0, -34, -4};		// under the belly, in joint 0's space
	constexpr uint16_t BOMB_SLOT = 3000;
	constexpr float BOMB_THROW = 200.0f;				// units per second along the fish's heading
	constexpr float BOMB_GRAVITY = 1000.0f;				// units per second²
	constexpr float BOMB_TIP_RATE = 1.5f;				// radians per second, nose down
	constexpr float BOMB_SHADOW_X = 8.0f;
	constexpr float BOMB_SHADOW_Z = 10.0f;
	constexpr uint32_t BOMB_MASK = CTYPE_TERRAIN | CTYPE_MISC | CTYPE_PLAYER;
	constexpr OGLBoundingBox BOMB_STAND_IN = {{-8, -8, -14}, {8, 8, 14}, false};

	constexpr int BLAST_PARTICLES = 20;
	constexpr uint16_t RING_SLOT = 3030;
	constexpr float RING_START_SCALE = 0.2f;
	constexpr float RING_GROWTH = 11.0f;				// scale per second
	constexpr float RING_FADE = 3.0f;					// opacity per second
	constexpr float RING_HALF_HEIGHT = 5.0f;			// its flat hit box is 10 high
	constexpr uint32_t BLAST_STATUS = STATUS_BIT_NOFOG | STATUS_BIT_NOZWRITES | STATUS_BIT_NOLIGHTING | STATUS_BIT_GLOW
			| STATUS_BIT_KEEPBACKFACES;
	constexpr OGLBoundingBox RING_STAND_IN = {{-150, -2, -150}, {150, 2, 150}, false};
	constexpr uint16_t FLASH_SLOT = 3011;
	constexpr float FLASH_START_SCALE = 0.3f;
	constexpr float FLASH_GROWTH = 5.0f;
	constexpr float FLASH_FADE = 1.5f;
	constexpr OGLBoundingBox FLASH_STAND_IN = {{-100, 0, -100}, {100, 2, 100}, false};

	enum { FISH_HEIGHT = 5 };							// SpecialF: the height it flies at

	//
	// The bomb
	//

	ObjNode* HangBomb(ObjNode* fish)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = CLOUD_MODEL_FISH_BOMB;
		def.coord = fish->Coord;
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(BOMB_SLOT);
		def.rot = fish->Rot.y;
		def.scale = fish->Scale.x;
		def.chainTail = fish;
		ObjNode* bomb = MakeItemModelNode(&def, BOMB_STAND_IN);
		bomb->CType = 0;
		bomb->EffectChannel = -1;
		return bomb;
	}

	void CarryBomb(ObjNode* fish, ObjNode* bomb)
	{
		if (fish->Skeleton)
			FindCoordOnJoint(fish, CLOWNFISH_JOINT_BOMB, &BOMB_HOOK, &bomb->Coord);
		else
			bomb->Coord = fish->Coord;
		bomb->Rot.y = fish->Rot.y;
		UpdateObjectTransforms(bomb);
	}

	void DropBomb(ObjNode* fish, ObjNode* bomb)
	{
		fish->ChainNode = nullptr;
		bomb->ChainHead = nullptr;
		bomb->MoveCall = MoveFishBomb;
		bomb->Delta = {-std::sin(fish->Rot.y) * BOMB_THROW, 0, -std::cos(fish->Rot.y) * BOMB_THROW};
		bomb->CType = 0;
		bomb->CBits = SIDE_ALL;
		CreateCollisionBoxFromBoundingBox(bomb, 1, 1);
		AttachShadowToObject(bomb, 0, BOMB_SHADOW_X, BOMB_SHADOW_Z, false);
	}

	void MoveShockRing(ObjNode* ring)
	{
		const float dt = gFrameTime;
		float s = ring->Scale.x + RING_GROWTH * dt;
		ring->Scale = {s, s, s};
		ring->ColorFilter.a -= RING_FADE * dt;
		if (ring->ColorFilter.a <= 0)
		{
			DeleteObject(ring);
			return;
		}
		UpdateObjectTransforms(ring);

		if (!IsRobotInPlay())
			return;
		const float r = ring->BBox.max.x * s;
		const OGLPoint3D& c = ring->Coord;
		if (!BoxHitsPlayer(c.y + RING_HALF_HEIGHT, c.y - RING_HALF_HEIGHT, c.x - r, c.x + r, c.z + r, c.z - r))
			return;
		// Spun to face away from the blast and flung on.
		ObjNode* robot = gPlayerNode;
		robot->Rot.y = CalcYAngleFromPointToPoint(robot->Rot.y, c.x, c.z, robot->Coord.x, robot->Coord.z);
		PlayerGotHit(nullptr, ring->Damage);
		robot->Delta.x *= 2;
		robot->Delta.z *= 2;
	}

	void MoveBlastFlash(ObjNode* flash)
	{
		const float dt = gFrameTime;
		float s = flash->Scale.x + FLASH_GROWTH * dt;
		flash->Scale = {s, s, s};
		flash->ColorFilter.a -= FLASH_FADE * dt;
		if (flash->ColorFilter.a <= 0)
		{
			DeleteObject(flash);
			return;
		}
		UpdateObjectTransforms(flash);
	}

	void BlastSparks(const OGLPoint3D& at)
	{
		NewParticleGroupDefType def = {};
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.gravity = 300;
		def.baseScale = 40;
		def.fadeRate = 0.8f;
		def.particleTextureNum = PARTICLE_SPRITE_FLASH;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < BLAST_PARTICLES; i++)
		{
			OGLVector3D v = {RandomFloatSigned() * 500, RandomFloat() * 600, RandomFloatSigned() * 500};
			NewParticleDefType p = {};
			p.groupNum = group;
			p.where = &at;
			p.delta = &v;
			p.scale = 1 + RandomFloat();
			p.rotZ = RandomFloat() * PI2;
			p.rotDZ = RandomFloatSigned() * 3;
			p.alpha = 1;
			if (AddParticleToGroup(&p))
				break;
		}
	}

	//
	// The fish's hits: a stun shot or direct damage bursts it
	//

	void ExplodeFish(ObjNode* fish)
	{
		if (fish->CType == INVALID_NODE_FLAG)
			return;
		PlayEnemyEffect3D(EFFECT_FISHBOOM, &fish->Coord);
		ExplodeGeometry(fish, 200, SHARD_MODE_FROMORIGIN, 1, 1.0f);
		RemoveFromSplineObjectList(fish);
		DeleteEnemy(fish);					// its carried bomb goes with it
	}

	constexpr CreatureHitRoutines kFishHits = {.kill = ExplodeFish};

	constexpr CreatureHitTable kFishHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_HURT] = CreatureHitToDeath<kFishHits>;
		return t;
	}();

	// It flies at its height over the ground where it was made.
	void PrepareFish(ObjNode* fish)
	{
		const float ground = IsTerrainSetUp() ? TerrainHeightAtNoHoles(fish->Coord.x, fish->Coord.z) : 0.0f;
		fish->Coord.y = ground + CLOWNFISH_ALTITUDE;
		fish->SpecialF[FISH_HEIGHT] = fish->Coord.y;
		fish->Skeleton->AnimSpeed = SWIM_ANIM_SPEED;
	}

	void HangFirstBomb(ObjNode* fish)
	{
		UpdateObjectTransforms(fish);
		CarryBomb(fish, HangBomb(fish));
	}
}

const CreatureKind kClownFishKind = {
	.kind = ENEMY_KIND_CLOWNFISH,
	.skeletonType = SKELETON_TYPE_CLOWNFISH,
	.scale = CLOWNFISH_SCALE,
	.health = CLOWNFISH_HEALTH,
	.damage = CLOWNFISH_DAMAGE,
	.shadowX = SHADOW_SIZE_X,
	.shadowZ = SHADOW_SIZE_Z,
	.hits = &kFishHitTable,
	.move = MoveClownFishOnSpline,
	.prepare = PrepareFish,
	.dress = HangFirstBomb,
	.loop = {.speed = SPLINE_SPEED, .ownMove = MoveClownFishOnSpline},
};

ObjNode* FishCarriedBomb(const ObjNode* fish)
{
	return fish->ChainNode;
}

void MoveClownFishOnSpline(ObjNode* fish)
{
	const bool active = IsSplineObjectOnActiveTerrain(fish);
	const OGLPoint3D before = fish->Coord;
	IncreaseSplineIndex(fish, SPLINE_SPEED);
	SetSplineObjectCoord(fish);
	fish->Coord.y = fish->SpecialF[FISH_HEIGHT];
	if (!active)
		return;

	fish->Rot.y = CalcYAngleFromPointToPoint(fish->Rot.y, before.x, before.z, fish->Coord.x, fish->Coord.z);
	fish->OldCoord = before;
	GetObjectInfo(fish);
	EnemyGroundStep(fish, FLIGHT_MASK, true);
	gObjCoord.y = fish->SpecialF[FISH_HEIGHT];			// it flies level, whatever the ground below
	gObjDelta.y = 0;
	UpdateEnemy(fish);

	if (ObjNode* bomb = fish->ChainNode)
	{
		CarryBomb(fish, bomb);
		if (IsRobotInPlay() && EnemyDistanceToPlayer(fish) < CLOWNFISH_DROP_RANGE)
			DropBomb(fish, bomb);
	}
	else if ((fish->StatusBits & STATUS_BIT_ISCULLED) && EnemyDistanceToPlayer(fish) > CLOWNFISH_RELOAD_DISTANCE)
		CarryBomb(fish, HangBomb(fish));
}

void MoveFishBomb(ObjNode* bomb)
{
	if (IsEnemyOutOfRange(bomb))
	{
		DeleteObject(bomb);
		return;
	}
	const float dt = gFrameTime;
	GetObjectInfo(bomb);
	gObjDelta.y -= BOMB_GRAVITY * dt;
	bomb->Rot.x -= BOMB_TIP_RATE * dt;
	if (bomb->Rot.x < -PI / 2)
		bomb->Rot.x = -PI / 2;
	KeepEnemyEffectLooping(bomb, EFFECT_BOMBDROP);
	gObjCoord.x += gObjDelta.x * dt;
	gObjCoord.y += gObjDelta.y * dt;
	gObjCoord.z += gObjDelta.z * dt;

	if (ResolveCollisions(bomb, BOMB_MASK, 0) != 0)
	{
		bomb->Coord = gObjCoord;
		ExplodeFishBomb(bomb);
		return;
	}
	UpdateObject(bomb);
}

void ExplodeFishBomb(ObjNode* bomb)
{
	const OGLPoint3D at = bomb->Coord;
	BlastSparks(at);

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = CLOUD_MODEL_SHOCK_RING;
	def.coord = at;
	def.flags = BLAST_STATUS | STATUS_BIT_CLAMPUV;
	def.slot = int16_t(RING_SLOT);
	def.moveCall = MoveShockRing;
	def.scale = RING_START_SCALE;
	ObjNode* ring = MakeItemModelNode(&def, RING_STAND_IN);
	ring->ColorFilter.a = 0.99f;
	ring->Damage = FISH_BOMB_RING_DAMAGE;

	def.type = CLOUD_MODEL_BOMB_FLASH;
	def.coord.y = IsTerrainSetUp() ? TerrainHeightAt(at.x, at.z) : at.y;
	if (def.coord.y == TERRAIN_HEIGHT_HOLE)
		def.coord.y = at.y;
	def.flags = BLAST_STATUS;
	def.slot = int16_t(FLASH_SLOT);
	def.moveCall = MoveBlastFlash;
	def.scale = FLASH_START_SCALE;
	ObjNode* flash = MakeItemModelNode(&def, FLASH_STAND_IN);
	flash->ColorFilter.a = 0.99f;

	SuperTileDeformation wave = {};
	wave.type = DEFORM_RING_WAVE;
	wave.amplitude = 100;
	wave.radius = 20;
	wave.speed = 3000;
	wave.frequency = 0.002f;
	wave.width = 800;
	wave.decay = 300;
	wave.centerX = at.x;
	wave.centerZ = at.z;
	if (IsTerrainSetUp())
		NewSuperTileDeformation(&wave);

	ExplodeGeometry(bomb, 500, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 1.0f);
	PlayEnemyEffect3D(EFFECT_BIRDBOMBBOOM, &at);
	DeleteObject(bomb);
}
