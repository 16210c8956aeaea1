// The jungle boss arena: start beam, tentacle generators and their
// tentacles, pod plants and their pods, the pitcher plant, the lights, and
// BurnFire. See JungleBoss.h.
#include "Enemies/JungleBoss.h"
#include "Enemies/Enemy.h"
#include "3D/Camera.h"
#include "3D/OGL_Support.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>
#include <algorithm>
#include <cmath>

int gNumPodsDestroyed = 0;
bool gPitcherPlantDead = false;
Tentacle gTentacles[MAX_TENTACLES];

namespace
{
	constexpr uint8_t ITEM_FLAG_DESTROYED = 0x2;		// the item's flag bit: destroyed earlier this level
	constexpr uint32_t GLOW_BITS = STATUS_BIT_KEEPBACKFACES | STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES;
	constexpr float BEAM_SCALE = 13.0f;
	constexpr float GENERATOR_SCALE = 5.0f;
	constexpr float GENERATOR_AIM_HEIGHT = 300.0f;
	constexpr float GENERATOR_RESPAWN_MAX = 4.0f;		// seconds, random up to this
	constexpr float POD_PLANT_SINK = 100.0f;			// the stalk's foot is this far under the ground
	constexpr float POD_HEAD_UP = 336.7f, POD_HEAD_FORWARD = 164.6f;	// the head on the stalk, per unit of scale
	constexpr float POD_MOUTH_DOWN = 93.0f, POD_MOUTH_FORWARD = 71.0f;	// the mouth on the head, per unit of scale
	constexpr float POD_SHOOT_EVERY = 2.0f, POD_SHOOT_JITTER = 3.0f;	// seconds
	constexpr float PITCHER_SCALE = 9.5f;
	constexpr float PITCHER_DAMAGE = 0.1f;
	constexpr int PITCHER_VOLLEY = 6;
	constexpr float LIGHT_SCALE = 1.2f;
	constexpr uint8_t ARC_SHOT_KIND = WEAPON_ARCSHOT;
	constexpr uint32_t TENTACLE_TOUCH_MASK = CTYPE_PLAYER | CTYPE_PLAYER_PROJECTILE;

	ObjNodeRef gStartBeam;

	ObjNode* MakeModel(int model, OGLPoint3D where, uint16_t slot, float scale, float rot, ObjNodeRoutine move,
			uint32_t flags, ObjNode* chainTail = nullptr)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = where;
		def.flags = flags;
		def.slot = int16_t(slot);
		def.moveCall = move;
		def.rot = rot;
		def.scale = scale;
		def.chainTail = chainTail;
		return MakeNewDisplayGroupObject(&def);
	}

	float GroundAt(float x, float z)
	{
		return IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
	}

	bool RobotWithin(const ObjNode* node, float range)
	{
		return gPlayerNode && CalcQuickDistance(node->Coord.x, node->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) < range;
	}

	//
	// The start beam
	//

	void MoveStartBeam(ObjNode* beam)
	{
		beam->ColorFilter.a = 0.99f - RandomFloat() * 0.1f;
		beam->Scale.x = beam->Scale.z = BEAM_SCALE - RandomFloat();
		if (gGameViewInfoPtr)
		{
			const OGLPoint3D& eye = gGameViewInfoPtr->cameraPlacement.from;
			beam->Rot.y = std::atan2(beam->Coord.x - eye.x, beam->Coord.z - eye.z);
		}
		UpdateObjectTransforms(beam);
		KeepEnemyEffectLooping(beam, EFFECT_JUNGLE_TRACTORBEAM);
	}

	//
	// Tentacle generators
	//

	void KillGenerator(ObjNode* generator)
	{
		generator->CType &= ~CTYPE_AUTOTARGET;
		generator->ColorFilter = {0.15f, 0.1f, 0.1f, 1};
		generator->Mode = 1;
		generator->HitByWeaponHandler[WEAPON_ARCSHOT] = nullptr;		// burnt out: shots fly on
		for (Tentacle& t : gTentacles)
			if (t.isUsed && t.owner.Get() == generator)
				RetractTentacle(t);
		if (generator->TerrainItemPtr)
			generator->TerrainItemPtr->flags |= ITEM_FLAG_DESTROYED;
	}

	bool HitGenerator(ObjNode*, ObjNode* generator, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (generator->Mode == 1)
			return true;
		generator->ColorFilter.r -= 0.3f;
		generator->ColorFilter.g -= 0.35f;
		generator->ColorFilter.b -= 0.35f;
		if (generator->ColorFilter.b <= 0.1f)
			KillGenerator(generator);
		return true;
	}

	//
	// Pods
	//

	void BurstPod(ObjNode* pod)
	{
		MakeSparkBurst(pod->Coord.x, pod->Coord.y, pod->Coord.z, 20, PARTICLE_SPRITE_SMOKE_WHITE, GL_SRC_ALPHA, GL_ONE, 1.2f);
		DeleteObject(pod);
	}

	ObjNode* MakePod(OGLPoint3D where, float scale, OGLVector3D delta)
	{
		ObjNode* pod = MakeModel(LEVEL_MODEL_JUNGLE_POD, where, 775, scale, 0, MovePod, gAutoFadeStatusBits);
		pod->Delta = delta;
		AttachShadowToObject(pod, 0, 4, 4, true);
		return pod;
	}

	//
	// Pod plants
	//

	float PodScale(const ObjNode* head)
	{
		return head->Scale.x;
	}

	OGLPoint3D PodMouth(const ObjNode* head)
	{
		float s = PodScale(head);
		return {head->Coord.x, head->Coord.y - POD_MOUTH_DOWN * s, head->Coord.z + POD_MOUTH_FORWARD * s};
	}

	bool HitPodHead(ObjNode*, ObjNode* head, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (head->Flag[0])
			return true;
		head->ColorFilter.r -= 0.15f;
		head->ColorFilter.g -= 0.3f;
		head->ColorFilter.b -= 0.3f;
		if (head->ColorFilter.g > 0.2f)
			return true;

		MakeSparkBurst(head->Coord.x, head->Coord.y, head->Coord.z, 30, PARTICLE_SPRITE_SMOKE_WHITE, GL_SRC_ALPHA, GL_ONE, 0.5f);
		ExplodeGeometry(head, 600, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 1.1f);
		gNumPodsDestroyed++;
		ObjNode* stalk = head->ChainHead ? head->ChainHead : nullptr;
		if (stalk && stalk->TerrainItemPtr)
			stalk->TerrainItemPtr->flags |= ITEM_FLAG_DESTROYED;
		head->Flag[0] = 1;
		head->Type = LEVEL_MODEL_POD_HEAD_BURST;
		ResetDisplayGroupObject(head);
		head->CType = 0;
		head->NumCollisionBoxes = 0;
		head->HitByWeaponHandler[WEAPON_ARCSHOT] = nullptr;
		head->StatusBits = gAutoFadeStatusBits;
		head->ColorFilter = {1, 1, 1, 1};
		PlayEnemyEffect3D(EFFECT_PODBOOM, &head->Coord, 3);
		return true;
	}

	void SpewSpores(ObjNode* head)
	{
		head->ParticleTimer -= gFrameTime;
		if (head->ParticleTimer > 0)
			return;
		head->ParticleTimer += 0.025f;
		if (!VerifyParticleGroupMagicNum(head->ParticleGroup, head->ParticleMagicNum))
		{
			NewParticleGroupDefType g = {};
			head->ParticleMagicNum = g.magicNum = uint32_t(RandomFloat() * 1e9f);
			g.flags = 0x10;
			g.gravity = 350;
			g.baseScale = 25;
			g.decayRate = -0.7f;
			g.fadeRate = 0.1f;
			g.particleTextureNum = PARTICLE_SPRITE_SMOKE_WHITE;
			g.srcBlend = GL_SRC_ALPHA;
			g.dstBlend = GL_ONE;
			head->ParticleGroup = NewParticleGroup(&g);
		}
		if (head->ParticleGroup == -1)
			return;
		OGLPoint3D mouth = PodMouth(head);
		for (int i = 0; i < 2; i++)
		{
			OGLPoint3D p = {mouth.x + RandomFloatSigned() * 30, mouth.y, mouth.z + RandomFloatSigned() * 30};
			OGLVector3D d = {RandomFloatSigned() * 90, 300 + RandomFloat() * 160, RandomFloatSigned() * 90};
			NewParticleDefType def = {head->ParticleGroup, &p, &d, 1 + RandomFloat(), RandomFloat() * PI2, RandomFloatSigned() * 0.1f, 0.2f};
			if (!AddParticleToGroup(&def))
			{
				head->ParticleGroup = -1;
				break;
			}
		}
	}

	//
	// The pitcher plant
	//

	void SetPitcherBoxFromBounds(ObjNode* plant)
	{
		CreateCollisionBoxFromBoundingBox(plant, 0.8f, 1);
	}

	void KillPitcherPlant(ObjNode* plant)
	{
		ExplodeGeometry(plant, 600, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 1.0f);
		MakeRadialPuff(plant->Coord.x, plant->Coord.y, plant->Coord.z, 700, 30, PARTICLE_SPRITE_DUST, 100);
		PlayEnemyEffect3D(EFFECT_PITCHERBOOM, &plant->Coord, 3);
		float x = plant->Coord.x, z = plant->Coord.z;
		ObjNode* stump = MakeModel(LEVEL_MODEL_PITCHER_STUMP, {x, GroundAt(x, z), z}, plant->Slot, plant->Scale.x, plant->Rot.y,
				[](ObjNode* n) { BurnFire(n, n->Coord.x, n->Coord.y, n->Coord.z, true, PARTICLE_SPRITE_FLAME, 4, 0); },
				gAutoFadeStatusBits);
		stump->TerrainItemPtr = plant->TerrainItemPtr;
		plant->TerrainItemPtr = nullptr;
		if (ObjNode* beam = gStartBeam.Get())
			DeleteObject(beam);
		gStartBeam.Clear();
		gPitcherPlantDead = true;
		DeleteObject(plant);
	}

	bool HitPitcherPlant(ObjNode*, ObjNode* plant, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (!plant->Flag[0])
			return true;				// mouth shut: the shot glances off
		plant->ColorFilter.r -= 0.06f;
		plant->ColorFilter.g -= 0.11f;
		plant->ColorFilter.b -= 0.11f;
		if (plant->ColorFilter.g <= 0.1f)
		{
			KillPitcherPlant(plant);
			return true;
		}
		MorphToSkeletonAnim(plant->Skeleton, PITCHER_ANIM_HURT, 4);
		PlayEnemyEffect3D(EFFECT_PITCHERPAIN, &plant->Coord, 1.5f);
		plant->Flag[0] = 0;
		return true;
	}

	void SpitVolley(ObjNode* plant)
	{
		const float s = plant->Scale.x;
		for (int i = 0; i < PITCHER_VOLLEY; i++)
		{
			OGLPoint3D p = {plant->Coord.x + RandomFloatSigned() * 40, plant->Coord.y + 23 * s - RandomFloat() * 40,
					plant->Coord.z + RandomFloatSigned() * 40};
			MakePod(p, 0.3f, {RandomFloatSigned() * 100, 300 + RandomFloat() * 200, RandomFloatSigned() * 100});
		}
	}
}

//
// Set-up
//

void InitJungleBoss()
{
	gNumPodsDestroyed = 0;
	gPitcherPlantDead = false;
	for (Tentacle& t : gTentacles)
	{
		t.isUsed = false;
		t.owner.Clear();
		t.numPoints = 0;
	}

	float x = gPlayerStartX, z = gPlayerStartZ;
	ObjNode* beam = MakeModel(LEVEL_MODEL_START_BEAM, {x, GroundAt(x, z), z}, 3099, BEAM_SCALE, 0, MoveStartBeam,
			gAutoFadeStatusBits | GLOW_BITS);
	gStartBeam = ObjNodeRef(beam);

	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.slot = 3007;
	def.moveCall = MoveTentacles;
	def.drawCall = DrawTentacles;
	def.scale = 1;
	ObjNode* tentacles = MakeNewObject(&def);
	tentacles->Genre = CUSTOM_GENRE;		// drawn by its own routine, in the world pass
}

//
// Tentacles
//

bool StartTentacle(ObjNode* generator)
{
	for (int i = 0; i < MAX_TENTACLES; i++)
	{
		Tentacle& t = gTentacles[i];
		if (t.isUsed)
			continue;
		t = Tentacle{};
		t.isUsed = true;
		t.mode = TENTACLE_GROWING;
		t.owner = ObjNodeRef(generator);
		t.base = t.head = t.points[0] = generator->Coord;
		t.numPoints = 1;
		t.heading = RandomFloat() * PI2;
		t.wobble = -PI;
		t.pointTimer = 0;
		t.retractDelay = TENTACLE_RETRACT_DELAY;
		generator->Flag[0] = 1;
		generator->Special[0] = i;
		return true;
	}
	return false;
}

void RetractTentacle(Tentacle& t)
{
	if (t.mode == TENTACLE_RETRACTING)
		return;
	t.mode = TENTACLE_RETRACTING;
	t.retractDelay = TENTACLE_RETRACT_DELAY;
}

namespace
{
	void GrowTentacle(Tentacle& t, float dt)
	{
		const float h = dt / 5;
		for (int step = 0; step < 5; step++)
		{
			if (t.numPoints > MAX_TENTACLE_POINTS - 1)
			{
				RetractTentacle(t);
				return;
			}
			t.wobble += 4 * h;
			if (gPlayerNode)
			{
				// Turn toward the robot by the shorter way, at most the turn rate.
				const OGLPoint3D& from = t.points[t.numPoints - 1];
				float want = std::atan2(-(gPlayerNode->Coord.x - from.x), -(gPlayerNode->Coord.z - from.z));
				float diff = AngleDifference(want, t.heading);
				float most = TENTACLE_TURN_RATE * h;
				t.heading += std::clamp(diff, -most, most);
			}
			t.head.x += -std::sin(t.heading) * TENTACLE_SPEED * h;
			t.head.z += -std::cos(t.heading) * TENTACLE_SPEED * h;
			t.head.y = GroundAt(t.head.x, t.head.z) + TENTACLE_HOVER + TENTACLE_WAVE * std::cos(t.wobble);
			t.pointTimer -= h;
			if (t.pointTimer <= 0)
			{
				t.pointTimer += TENTACLE_POINT_EVERY;
				t.points[t.numPoints++] = t.head;
			}
		}
	}

	void ShrinkTentacle(Tentacle& t, float dt)
	{
		t.retractDelay -= dt;
		if (t.retractDelay > 0)
			return;
		t.numPoints -= std::max(1, int(TENTACLE_RETRACT_RATE * dt));
		if (t.numPoints <= 0)
		{
			t.numPoints = 0;
			t.isUsed = false;
			if (ObjNode* owner = t.owner.Get())
				owner->Flag[0] = 0;
			t.owner.Clear();
		}
	}

	void TouchTentacle(Tentacle& t)
	{
		const float s = TENTACLE_TOUCH_SIZE;
		for (int i = 0; i < t.numPoints; i += TENTACLE_POINTS_PER_RING)
		{
			const OGLPoint3D& p = t.points[i];
			int n = FindBoxCollisions(p.y + s, p.y - s, p.x - s, p.x + s, p.z + s, p.z - s, TENTACLE_TOUCH_MASK);
			for (int c = 0; c < n; c++)
			{
				ObjNode* hit = gCollisionList[c].objectPtr;
				if (!hit || hit->CType == INVALID_NODE_FLAG)
					continue;
				if (hit == gPlayerNode)
				{
					if (t.mode == TENTACLE_RETRACTING)
						continue;
					RetractTentacle(t);
					MakeRadialPuff(p.x, p.y, p.z, 200, 0.3f, PARTICLE_SPRITE_DUST, 40);
					hit->Delta.x = hit->Delta.z = 0;
					PlayerGotHit(nullptr, TENTACLE_HIT_DAMAGE);
					return;
				}
				if ((hit->CType & CTYPE_PLAYER_PROJECTILE) && hit->Kind == ARC_SHOT_KIND)
				{
					RetractTentacle(t);
					return;
				}
			}
		}
	}
}

void MoveTentacles(ObjNode*)
{
	const float dt = gFrameTime;
	for (Tentacle& t : gTentacles)
	{
		if (!t.isUsed)
			continue;
		// A generator gone out of range leaves its tentacle to wither.
		if (!t.owner.IsAlive())
			RetractTentacle(t);
		if (t.mode == TENTACLE_GROWING)
			GrowTentacle(t, dt);
		else
			ShrinkTentacle(t, dt);
		if (t.isUsed && t.numPoints >= 1)
			TouchTentacle(t);
	}
}

bool AddTentacleGenerator(TerrainItemEntryType* item, float x, float z)
{
	ObjNode* g = MakeModel(LEVEL_MODEL_TENTACLE_GENERATOR, {x, GroundAt(x, z), z}, 140, GENERATOR_SCALE, 0,
			MoveTentacleGenerator, gAutoFadeStatusBits);
	g->TerrainItemPtr = item;
	g->CType = CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_MISC;
	g->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(g, 1, 1);
	g->OffsetVector = {0, GENERATOR_AIM_HEIGHT, 0};
	g->HitByWeaponHandler[WEAPON_ARCSHOT] = HitGenerator;
	if (item && (item->flags & ITEM_FLAG_DESTROYED))
	{
		g->CType &= ~CTYPE_AUTOTARGET;
		g->ColorFilter = {0.15f, 0.1f, 0.1f, 1};
		g->Mode = 1;
		g->HitByWeaponHandler[WEAPON_ARCSHOT] = nullptr;
		return true;
	}
	g->Mode = 0;
	g->Flag[0] = 0;
	g->SpecialF[6] = RandomFloat() * 3;
	return true;
}

void MoveTentacleGenerator(ObjNode* g)
{
	if (IsNodeOutOfRange(g))
	{
		DeleteObject(g);
		return;
	}
	if (!IsRobotInPlay())
		return;
	if (g->Mode == 1)
	{
		BurnFire(g, g->Coord.x, g->Coord.y, g->Coord.z, true, PARTICLE_SPRITE_FLAME, 4, 0);
		return;
	}
	if (g->Flag[0])
		return;
	g->SpecialF[6] -= gFrameTime;
	if (g->SpecialF[6] >= 0 || !RobotWithin(g, JUNGLE_BOSS_SIGHT))
		return;
	StartTentacle(g);
	g->SpecialF[6] = RandomFloat() * GENERATOR_RESPAWN_MAX;
}

//
// Pod plants and pods
//

bool AddPodPlant(TerrainItemEntryType* item, float x, float z)
{
	float s = 2.5f + RandomFloat() * 0.5f;
	ObjNode* stalk = MakeModel(LEVEL_MODEL_POD_PLANT_STALK, {x, GroundAt(x, z) - POD_PLANT_SINK, z}, 387, s, 0, MovePodPlant,
			gAutoFadeStatusBits);
	stalk->TerrainItemPtr = item;
	stalk->SpecialF[6] = RandomFloat() * POD_SHOOT_JITTER;
	bool burst = item && (item->flags & ITEM_FLAG_DESTROYED);
	ObjNode* head = MakeModel(burst ? LEVEL_MODEL_POD_HEAD_BURST : LEVEL_MODEL_POD_HEAD,
			{x, stalk->Coord.y + POD_HEAD_UP * s, z + POD_HEAD_FORWARD * s}, 388, s, 0, nullptr, gAutoFadeStatusBits, stalk);
	head->ParticleGroup = -1;
	if (burst)
	{
		head->Flag[0] = 1;
		return true;
	}
	head->CType = CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA;
	head->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(head, 1, 1);
	head->OffsetVector = {0, -POD_MOUTH_DOWN * s, POD_MOUTH_FORWARD * s};
	head->HitByWeaponHandler[WEAPON_ARCSHOT] = HitPodHead;
	return true;
}

void MovePodPlant(ObjNode* stalk)
{
	if (IsNodeOutOfRange(stalk))
	{
		DeleteObject(stalk);
		return;
	}
	ObjNode* head = stalk->ChainNode;
	if (!head || head->Flag[0])
		return;
	SpewSpores(head);
	stalk->SpecialF[6] -= gFrameTime;
	if (stalk->SpecialF[6] > 0)
		return;
	stalk->SpecialF[6] = POD_SHOOT_EVERY + RandomFloat() * POD_SHOOT_JITTER;
	if (!IsRobotInPlay() || !RobotWithin(stalk, JUNGLE_BOSS_SIGHT))
		return;
	ObjNode* pod = MakePod(PodMouth(head), 0.25f, {0, 400, 0});
	pod->Damage = POD_PLANT_DAMAGE;
	int16_t glow = GetFreeSparkle(pod);
	if (glow >= 0)
	{
		pod->Sparkles[0] = glow;
		SparkleType& sp = gSparkles[glow];
		sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER | SPARKLE_FLAG_FLICKER;
		sp.where = {0, 0, 0};
		sp.color = {1, 0.95f, 0, 1};
		sp.scale = 200;
		sp.separation = -40;
		sp.textureNum = PARTICLE_SPRITE_HALO;
	}
	PlayEnemyEffect3D(EFFECT_PODSHOOT, &pod->Coord);
}

void MovePod(ObjNode* pod)
{
	const float dt = gFrameTime;
	GetObjectInfo(pod);
	gObjDelta.y -= POD_GRAVITY * dt;
	if (gPlayerNode)
	{
		float ux = gPlayerNode->Coord.x - gObjCoord.x, uz = gPlayerNode->Coord.z - gObjCoord.z;
		float len = std::hypot(ux, uz);
		if (len > 0)
		{
			gObjDelta.x += POD_HOMING * dt * ux / len;
			gObjDelta.z += POD_HOMING * dt * uz / len;
		}
	}
	float speed = std::sqrt(gObjDelta.x * gObjDelta.x + gObjDelta.y * gObjDelta.y + gObjDelta.z * gObjDelta.z);
	if (speed > POD_MAX_SPEED)
		gObjDelta = gObjDelta * (POD_MAX_SPEED / speed);
	gObjCoord = gObjCoord + gObjDelta * dt;
	pod->Rot.x += 4 * dt;
	pod->Rot.y += 2 * dt;
	pod->Coord = gObjCoord;

	if (gObjCoord.y < GroundAt(gObjCoord.x, gObjCoord.z))
	{
		BurstPod(pod);
		return;
	}
	const float s = 20;
	const OGLPoint3D& p = gObjCoord;
	if (BoxHitsPlayer(p.y + s, p.y - s, p.x - s, p.x + s, p.z + s, p.z - s))
	{
		PlayerGotHit(pod, pod->Damage);
		BurstPod(pod);
		return;
	}
	if (FindBoxCollisions(p.y + s, p.y - s, p.x - s, p.x + s, p.z + s, p.z - s, CTYPE_MISC) > 0)
	{
		BurstPod(pod);
		return;
	}
	UpdateObject(pod);
}

//
// The pitcher plant
//

bool AddPitcherPlant(TerrainItemEntryType* item, float x, float z)
{
	if (gPitcherPlantDead)
		return false;
	ObjNode* plant = MakeEnemySkeleton(SKELETON_TYPE_PITCHERPLANT, x, z, PITCHER_SCALE, PI, MovePitcherPlant);
	plant->Slot = 616;
	plant->TerrainItemPtr = item;
	plant->CType = CTYPE_BLOCKCAMERA | CTYPE_HURTME;
	plant->CBits = SIDE_ALL;
	SetPitcherBoxFromBounds(plant);
	plant->OffsetVector = {0, 380, 0};
	plant->Health = 1;
	plant->Damage = PITCHER_DAMAGE;
	plant->SpecialF[6] = 0;
	plant->HitByWeaponHandler[WEAPON_ARCSHOT] = HitPitcherPlant;
	MakeModel(LEVEL_MODEL_PITCHER_PLANT, {x, GroundAt(x, z), z}, 3000, PITCHER_SCALE, PI, nullptr,
			gAutoFadeStatusBits | STATUS_BIT_KEEPBACKFACES, plant);
	return true;
}

void MovePitcherPlant(ObjNode* plant)
{
	SkeletonObjDataType* skel = plant->Skeleton;
	if (!skel)
		return;
	switch (skel->AnimNum)
	{
		case PITCHER_ANIM_IDLE:
			if (gNumPodsDestroyed < PODS_TO_WAKE_PITCHER)
				break;
			plant->SpecialF[6] -= gFrameTime;
			if (plant->SpecialF[6] <= 0)
			{
				plant->SpecialF[6] = 3 + RandomFloat();
				MorphToSkeletonAnim(skel, PITCHER_ANIM_ATTACK, 3);
			}
			break;
		case PITCHER_ANIM_ATTACK:
			if (plant->Flag[1])
			{
				plant->Flag[1] = 0;
				SpitVolley(plant);
			}
			if (plant->Flag[0])
			{
				const int k = int(plant->Scale.x);
				SetObjectCollisionBounds(plant, int16_t(62 * k), int16_t(18 * k), int16_t(-14 * k), int16_t(14 * k),
						int16_t(22 * k), int16_t(-11 * k));
				plant->CType |= CTYPE_AUTOTARGET;
			}
			else
				plant->CType &= ~CTYPE_AUTOTARGET;
			if (skel->AnimHasStopped)
			{
				plant->Flag[0] = 0;
				plant->CType &= ~CTYPE_AUTOTARGET;
				MorphToSkeletonAnim(skel, PITCHER_ANIM_IDLE, 3);
				SetPitcherBoxFromBounds(plant);
			}
			break;
		case PITCHER_ANIM_HURT:
			plant->CType &= ~CTYPE_AUTOTARGET;
			if (skel->AnimHasStopped)
			{
				MorphToSkeletonAnim(skel, PITCHER_ANIM_IDLE, 6);
				SetPitcherBoxFromBounds(plant);
			}
			break;
	}
	UpdateObjectTransforms(plant);
	CalcObjectBoxFromNode(plant);
}

//
// Lights
//

bool AddJungleBossLight(TerrainItemEntryType*, float x, float z)
{
	float y = GroundAt(x, z);
	ObjNode* light = MakeModel(LEVEL_MODEL_JUNGLE_BOSS_LIGHT, {x, y, z}, 67, LIGHT_SCALE, RandomFloat() * PI2, MoveStaticObject,
			gAutoFadeStatusBits);
	light->CType = CTYPE_MISC;
	light->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(light, 1, 1);
	int16_t glow = GetFreeSparkle(light);
	if (glow >= 0)
	{
		light->Sparkles[0] = glow;
		SparkleType& s = gSparkles[glow];
		s.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER;
		s.where = {x, y + 582 * LIGHT_SCALE, z};
		s.color = {1, 1, 1, 1};
		s.scale = 200;
		s.separation = 30;
		s.textureNum = PARTICLE_SPRITE_STARBURST;
	}
	return true;
}

//
// Burning remains
//

namespace
{
	// One emitter's tick: makes its group again when it is gone, then adds three particles.
	template <typename Place>
	void Emit(int16_t* group, uint32_t* magic, float* timer, float every, const NewParticleGroupDefType& shape, Place place)
	{
		*timer -= gFrameTime;
		if (*timer > 0)
			return;
		*timer += every;
		if (*group == -1 || !VerifyParticleGroupMagicNum(*group, *magic))
		{
			NewParticleGroupDefType def = shape;
			def.magicNum = *magic = uint32_t(RandomFloat() * 4e9f);
			*group = NewParticleGroup(&def);
			if (*group == -1)
				return;
		}
		for (int i = 0; i < 3; i++)
		{
			OGLPoint3D p;
			OGLVector3D d;
			place(&p, &d);
			NewParticleDefType def = {*group, &p, &d, 1 + RandomFloat(), RandomFloat() * PI2, RandomFloatSigned(), 1};
			def.alpha = shape.type == 0 && shape.gravity == 0 ? 0.7f : 1.0f;
			if (!AddParticleToGroup(&def))
			{
				*group = -1;			// full: a new one at the next tick
				return;
			}
		}
	}
}

void BurnFire(ObjNode* node, float x, float y, float z, bool doSmoke, int flameTexture, float scale, uint32_t particleFlags)
{
	const float c = scale;
	if (doSmoke && gFrameRate > 20)
	{
		NewParticleGroupDefType smoke = {};
		smoke.flags = particleFlags | 0x10;
		smoke.baseScale = 20 * c;
		smoke.decayRate = -0.2f;
		smoke.fadeRate = 0.2f;
		smoke.particleTextureNum = PARTICLE_SPRITE_SMOKE_GREY;
		smoke.srcBlend = GL_SRC_ALPHA;
		smoke.dstBlend = GL_ONE_MINUS_SRC_ALPHA;
		int16_t group = int16_t(node->Special[0]);
		uint32_t magic = uint32_t(node->Special[1]);
		if (node->SpecialF[1] == 0 && node->Special[1] == 0)
			group = -1;
		Emit(&group, &magic, &node->SpecialF[1], 0.07f, smoke, [&](OGLPoint3D* p, OGLVector3D* d) {
			*p = {x + RandomFloatSigned() * 40 * c, y + 200 + RandomFloat() * 50 * c, z + RandomFloatSigned() * 40 * c};
			*d = {RandomFloatSigned() * 20 * c, 150 + RandomFloat() * 40 * c, RandomFloatSigned() * 20 * c};
		});
		node->Special[0] = group;
		node->Special[1] = int32_t(magic);
	}

	NewParticleGroupDefType flames = {};
	flames.flags = particleFlags | 0x10;
	flames.gravity = -200;
	flames.baseScale = 30 * c;
	flames.fadeRate = 0.8f;
	flames.particleTextureNum = uint8_t(flameTexture);
	flames.srcBlend = GL_SRC_ALPHA;
	flames.dstBlend = GL_ONE;
	if (node->ParticleMagicNum == 0)
		node->ParticleGroup = -1;
	Emit(&node->ParticleGroup, &node->ParticleMagicNum, &node->SpecialF[0], 0.05f, flames, [&](OGLPoint3D* p, OGLVector3D* d) {
		*p = {x + RandomFloatSigned() * 30 * c, y + RandomFloat() * 50 * c, z + RandomFloatSigned() * 30 * c};
		*d = {RandomFloatSigned() * 50 * c, 50 + RandomFloat() * 60 * c, RandomFloatSigned() * 50 * c};
	});
}
