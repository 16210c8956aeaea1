// The brain boss: its shield of portals, its open-and-close cycle, its homing
// shots and its death. See BrainBoss.h.
#include "Enemies/BrainBoss.h"
#include "Enemies/AlienPortal.h"
#include "Enemies/Enemy.h"
#include "Enemies/JungleBoss.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Effects/VaporTrails.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/Weapons.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>
#include <cmath>

OGLPoint3D gPortalPoints[NUM_ALIEN_PORTALS];
bool gBrainBossDead = false;
ObjNodeRef gBrainBoss;

namespace
{
	constexpr int BOSS_MODEL = 1, LEFT_HALF_MODEL = 2, RIGHT_HALF_MODEL = 3;
	constexpr uint16_t BOSS_SLOT = 200, HALF_SLOT = 201, STATIC_SLOT = 3010, BEAM_SLOT = 3002, SHOT_SLOT = 3005;
	constexpr uint32_t BOSS_CTYPE = CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_MISC;
	constexpr uint32_t HALF_CTYPE = CTYPE_BLOCKCAMERA | CTYPE_HURTME;
	constexpr uint32_t GLOW_BITS = STATUS_BIT_KEEPBACKFACES | STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES;
	constexpr float HALF_TOP_FACTOR = 0.7f;			// the halves' boxes stop short of their domes
	constexpr uint8_t SHOT_KIND = 4;
	constexpr int SHOT_SPARKS = 20;
	constexpr float STATIC_MIN_LIFE = 0.5f, STATIC_LIFE_JITTER = 1.0f;	// seconds in one place
	constexpr float STATIC_LOW = 40.0f, STATIC_SPAN = 550.0f;			// heights in the boss's space
	constexpr float STATIC_DEPTH = 400.0f;								// ± along the boss's axis

	// The ground ripple that follows the boss.
	int gRipple = -1;

	// The height the boss bobs about (it was made there).
	float BaseHeight(const ObjNode* boss)
	{
		return boss->InitCoord.y;
	}

	void PlaceStatic(ObjNode* arc)
	{
		arc->SpecialF[6] = STATIC_MIN_LIFE + RandomFloat() * STATIC_LIFE_JITTER;
		arc->Coord.y = STATIC_LOW + RandomFloat() * STATIC_SPAN;
		arc->Coord.z = RandomFloatSigned() * STATIC_DEPTH;
	}

	// A hit made it wince: an opening or open boss shuts.
	void Wince(ObjNode* boss)
	{
		if (boss->Mode == BRAIN_BOSS_OPENING)
			boss->Mode = BRAIN_BOSS_CLOSING;
		else if (boss->Mode == BRAIN_BOSS_OPEN)
			boss->SpecialF[BRAIN_OPEN_LEFT] = 0;
		else
			return;
		PlayEnemyEffect3D(EFFECT_BRAINPAIN, &boss->Coord);
	}

	bool HitBrainBossWithShot(ObjNode* weapon, ObjNode* boss, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		if (HurtBrainBoss(boss, weapon ? weapon->Damage : damage))
			return true;			// dead: no pain cry over the death
		Wince(boss);
		return true;
	}

	bool HitBrainBossWithNova(ObjNode*, ObjNode* boss, const OGLPoint3D*, const OGLVector3D*, float)
	{
		HurtBrainBoss(boss, BRAIN_BOSS_NOVA_DAMAGE);
		return true;
	}

	bool HitBrainBossDirectly(ObjNode*, ObjNode* boss, const OGLPoint3D*, const OGLVector3D*, float damage)
	{
		HurtBrainBoss(boss, damage);
		return true;
	}

	void ExplodeShot(ObjNode* shot)
	{
		NewParticleGroupDefType g = {};
		g.type = 0;
		g.flags = 0x81;
		g.gravity = 150;
		g.baseScale = 50;
		g.fadeRate = 1.1f;
		g.particleTextureNum = PARTICLE_SPRITE_SPARK;
		g.srcBlend = GL_SRC_ALPHA;
		g.dstBlend = GL_ONE;
		int16_t group = NewParticleGroup(&g);
		if (group != -1)
		{
			for (int i = 0; i < SHOT_SPARKS; i++)
			{
				OGLPoint3D p = {shot->Coord.x + RandomFloatSigned() * 50, shot->Coord.y, shot->Coord.z + RandomFloatSigned() * 50};
				OGLVector3D d = {RandomFloatSigned() * 500, RandomFloatSigned() * 250, RandomFloatSigned() * 500};
				NewParticleDefType p2 = {group, &p, &d, 1 + RandomFloat(), 0, RandomFloatSigned() * 7, 1};
				if (!AddParticleToGroup(&p2))
					break;
			}
		}
		if (IsSoundEffectLoaded(EFFECT_FLAREEXPLODE))		// at half rate: a deeper boom
			PlayEffect_Parms3D(EFFECT_FLAREEXPLODE, &shot->Coord, NORMAL_CHANNEL_RATE / 2, 1.9f);
		DeleteObject(shot);
	}

	void Shoot(ObjNode* boss)
	{
		float angle = boss->Rot.y + RandomFloatSigned() * 0.1f;
		OGLVector3D d = {-std::sin(angle), RandomFloat() * 0.1f, -std::cos(angle)};
		OGLVector3D_Normalize(&d, &d);

		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.coord = {boss->Coord.x + 200 * d.x, boss->Coord.y + 300, boss->Coord.z + 200 * d.z};
		def.slot = int16_t(SHOT_SLOT);
		def.moveCall = MoveBrainBossShot;
		def.scale = 1;
		ObjNode* shot = MakeNewObject(&def);
		shot->Kind = SHOT_KIND;
		shot->Health = BRAIN_SHOT_LIFE;
		shot->Damage = BRAIN_SHOT_DAMAGE;
		shot->Delta = d * BRAIN_SHOT_SPEED;
		shot->SpecialF[0] = BRAIN_SHOT_STRAIGHT_TIME;
		shot->CType = CTYPE_PLAYER_PROJECTILE;
		shot->CBits = SIDE_ANY_OVERLAP;
		const int16_t h = int16_t(BRAIN_SHOT_HALF_SIZE);
		SetObjectCollisionBounds(shot, h, -h, -h, h, h, -h);
		AttachShadowToObject(shot, 0, 4, 4, false);

		int16_t glow = GetFreeSparkle(shot);
		if (glow >= 0)
		{
			shot->Sparkles[0] = glow;
			SparkleType& s = gSparkles[glow];
			s.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER;
			s.where = shot->Coord;
			s.color = {1, 1, 1, 1};
			s.scale = 100;
			s.separation = 0;
			s.textureNum = PARTICLE_SPRITE_FIREBALL;
		}
		OGLColorRGBA trail = {1, 1, 1, 0.7f};
		shot->VaporTrails[0] = CreateNewVaporTrail(shot, 0, 0, &shot->Coord, &trail, 0.4f, 0.6f, 30);
		PlayEnemyEffect3D(EFFECT_BRAINBOSSSHOOT, &shot->Coord, 1.6f);
	}

	void PlaceHalves(ObjNode* boss)
	{
		float a = boss->Rot.y + PI_HALF, w = boss->SpecialF[BRAIN_WIDTH];
		float side = -1;
		for (ObjNode* half = boss->ChainNode; half; half = half->ChainNode, side = -side)
		{
			half->Coord = {boss->Coord.x + side * std::sin(a) * w, boss->Coord.y, boss->Coord.z + side * std::cos(a) * w};
			half->Rot.y = boss->Rot.y;
			UpdateObjectTransforms(half);
			CreateCollisionBoxFromBoundingBox_Rotated(half, 1, HALF_TOP_FACTOR);
		}
	}

	// The static hums only while the halves are apart.
	void UpdateStaticHum(ObjNode* boss)
	{
		if (boss->SpecialF[BRAIN_WIDTH] <= 0)
		{
			StopAChannel(&boss->EffectChannel);
			return;
		}
		KeepEnemyEffectLooping(boss, EFFECT_BRAINSTATIC);
	}

	void MakeHalf(ObjNode* boss, int model, float glowX, float glowScale)
	{
		ObjNode* tail = boss;
		while (tail->ChainNode)
			tail = tail->ChainNode;
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = boss->Coord;
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(HALF_SLOT);
		def.rot = boss->Rot.y;
		def.scale = BRAIN_BOSS_SCALE;
		def.chainTail = tail;
		ObjNode* half = MakeNewDisplayGroupObject(&def);
		half->CType = HALF_CTYPE;
		half->CBits = SIDE_ALL;
		CreateCollisionBoxFromBoundingBox_Rotated(half, 1, HALF_TOP_FACTOR);
		int16_t glow = GetFreeSparkle(half);
		if (glow >= 0)
		{
			half->Sparkles[0] = glow;
			SparkleType& s = gSparkles[glow];
			s.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_TRANSFORMWITHOWNER | SPARKLE_FLAG_FLICKER;
			s.where = {glowX, 110, -127};
			s.color = {1, 1, 1, 1};
			s.scale = glowScale;
			s.separation = 30;
			s.textureNum = PARTICLE_SPRITE_GLINT;
		}
	}
}

bool IsLevelBossDead()
{
	return gBrainBossDead || gPitcherPlantDead;
}

bool IsBossPart(const ObjNode* node)
{
	if (node->MoveCall == MoveBrainBoss || node->MoveCall == MoveAlienPortal || node->MoveCall == MovePitcherPlant)
		return true;
	if (node->MoveCall == MoveTentacleGenerator)
		return node->Mode == 0;
	// A pod head: chained to its stalk, live until it bursts.
	return node->ChainHead && node->ChainHead != node && node->ChainHead->MoveCall == MovePodPlant && !node->Flag[0];
}

bool IsBossPartVulnerable(const ObjNode* node)
{
	if (node->MoveCall == MoveBrainBoss)
		return node->Mode != BRAIN_BOSS_CLOSED;
	if (node->MoveCall == MovePitcherPlant)
		return node->Flag[0] != 0;
	return true;
}

bool IsBrainBossShieldDown()
{
	return gNumPortalsDestroyed >= NUM_ALIEN_PORTALS;
}

void InitBrainBossPortals()
{
	ResetAlienPortals();
	gBrainBossDead = false;
	gBrainBoss.Clear();
	gRipple = -1;
	bool seen[NUM_ALIEN_PORTALS] = {};
	for (OGLPoint3D& p : gPortalPoints)
		p = {0, 0, 0};
	for (int i = 0; i < gNumTerrainItems; i++)
	{
		const TerrainItemEntryType& item = gTerrainItemList[i];
		if (item.type != ITEM_TYPE_ALIEN_PORTAL)
			continue;
		int number = item.parm[0];
		if (number >= NUM_ALIEN_PORTALS || seen[number])
			FatalAlert("InitBrainBossPortals: the AlienPortal item at (%u, %u) has portal number %d; each of 0 to %d must be used once",
					unsigned(item.x), unsigned(item.z), number, NUM_ALIEN_PORTALS - 1);
		seen[number] = true;
		float x = float(item.x), z = float(item.z);
		gPortalPoints[number] = {x, TerrainHeightAt(x, z) + PORTAL_BEAM_HEIGHT, z};
	}
	// Without all eight the shield could never fall and the game never be won.
	for (int n = 0; n < NUM_ALIEN_PORTALS; n++)
		if (!seen[n])
			FatalAlert("InitBrainBossPortals: the map has no AlienPortal item numbered %d (the brain boss needs portals 0 to %d)",
					n, NUM_ALIEN_PORTALS - 1);

	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = int16_t(BEAM_SLOT);
	def.flags = GLOW_BITS;
	def.drawCall = DrawPortalBeams;
	def.scale = 1;
	MakeNewObject(&def);
}

bool AddBrainBoss(TerrainItemEntryType* item, float x, float z)
{
	if (gBrainBossDead || gBrainBoss.IsAlive())
		return false;
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = BOSS_MODEL;
	def.coord = {x, TerrainHeightAt(x, z) + BRAIN_BOSS_HOVER, z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(BOSS_SLOT);
	def.moveCall = MoveBrainBoss;
	def.scale = BRAIN_BOSS_SCALE;
	ObjNode* boss = MakeNewDisplayGroupObject(&def);
	boss->TerrainItemPtr = item;
	boss->Health = BRAIN_BOSS_HEALTH;
	boss->Mode = BRAIN_BOSS_CLOSED;
	boss->SpecialF[BRAIN_WAIT] = BRAIN_BOSS_FIRST_WAIT;
	boss->SpecialF[BRAIN_WIDTH] = 0;
	boss->CType = BOSS_CTYPE;
	boss->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(boss, 1, 1);
	boss->OffsetVector = {0, BRAIN_BOSS_AIM_HEIGHT, 0};
	AttachShadowToObject(boss, 0, 15, 20, false);
	boss->HitByWeaponHandler[WEAPON_STUNGUN] = HitBrainBossWithShot;
	boss->HitByWeaponHandler[WEAPON_ARCSHOT] = HitBrainBossWithShot;
	boss->HitByWeaponHandler[WEAPON_FLARE] = HitBrainBossWithShot;
	boss->HitByWeaponHandler[WEAPON_NOVA] = HitBrainBossWithNova;
	boss->HitByWeaponHandler[WEAPON_HURT] = HitBrainBossDirectly;
	gBrainBoss = ObjNodeRef(boss);

	MakeHalf(boss, LEFT_HALF_MODEL, -38, 220);
	MakeHalf(boss, RIGHT_HALF_MODEL, 38, 190);

	for (int i = 0; i < NUM_BRAIN_STATICS; i++)
	{
		ObjectDef s = {};
		s.genre = CUSTOM_GENRE;
		s.slot = int16_t(STATIC_SLOT);
		s.flags = STATUS_BIT_CLAMPUV | GLOW_BITS;
		s.moveCall = MoveBrainStatic;
		s.drawCall = DrawBrainStatic;
		s.scale = 1;
		PlaceStatic(MakeNewObject(&s));
	}

	SuperTileDeformation ripple = {};
	ripple.type = DEFORM_DAMPED_RIPPLE;
	ripple.amplitude = 30;
	ripple.radius = 0;
	ripple.speed = -1100;
	ripple.frequency = 0.01f;
	ripple.width = 1100;
	ripple.decay = 20;
	ripple.centerX = x;
	ripple.centerZ = z;
	gRipple = NewSuperTileDeformation(&ripple);
	return true;
}

void MoveBrainBoss(ObjNode* boss)
{
	const float dt = gFrameTime;
	GetObjectInfo(boss);
	boss->SpecialF[BRAIN_BOB_PHASE] += BRAIN_BOSS_BOB_RATE * dt;
	gObjCoord.y = BaseHeight(boss) + BRAIN_BOSS_BOB * std::sin(boss->SpecialF[BRAIN_BOB_PHASE]);

	const bool hunting = IsBrainBossShieldDown();
	switch (boss->Mode)
	{
		case BRAIN_BOSS_CLOSED:
			if (hunting)
			{
				boss->SpecialF[BRAIN_WAIT] -= dt;
				if (boss->SpecialF[BRAIN_WAIT] <= 0)
					boss->Mode = BRAIN_BOSS_OPENING;
			}
			break;
		case BRAIN_BOSS_OPENING:
			boss->SpecialF[BRAIN_WIDTH] += BRAIN_BOSS_OPEN_RATE * dt;
			if (boss->SpecialF[BRAIN_WIDTH] > BRAIN_BOSS_OPEN_WIDTH)
			{
				boss->SpecialF[BRAIN_WIDTH] = BRAIN_BOSS_OPEN_WIDTH;
				boss->SpecialF[BRAIN_OPEN_LEFT] = BRAIN_BOSS_OPEN_TIME;
				boss->SpecialF[BRAIN_SHOT_TIMER] = 0;
				boss->Mode = BRAIN_BOSS_OPEN;
			}
			break;
		case BRAIN_BOSS_OPEN:
			boss->SpecialF[BRAIN_SHOT_TIMER] -= dt;
			if (boss->SpecialF[BRAIN_SHOT_TIMER] <= 0)
			{
				boss->SpecialF[BRAIN_SHOT_TIMER] = BRAIN_BOSS_SHOT_EVERY;
				Shoot(boss);
			}
			boss->SpecialF[BRAIN_OPEN_LEFT] -= dt;
			if (boss->SpecialF[BRAIN_OPEN_LEFT] <= 0)
				boss->Mode = BRAIN_BOSS_CLOSING;
			break;
		case BRAIN_BOSS_CLOSING:
			boss->SpecialF[BRAIN_WIDTH] -= BRAIN_BOSS_OPEN_RATE * dt;
			if (boss->SpecialF[BRAIN_WIDTH] < 0)
			{
				boss->SpecialF[BRAIN_WIDTH] = 0;
				boss->Mode = BRAIN_BOSS_CLOSED;
				boss->SpecialF[BRAIN_WAIT] = BRAIN_BOSS_WAIT + RandomFloat() * BRAIN_BOSS_WAIT_JITTER;
			}
			break;
	}

	if (hunting && gPlayerNode)
	{
		TurnEnemyTowardPlayer(boss, BRAIN_BOSS_TURN_RATE);
		gObjDelta = {-std::sin(boss->Rot.y) * BRAIN_BOSS_SPEED, 0, -std::cos(boss->Rot.y) * BRAIN_BOSS_SPEED};
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.z += gObjDelta.z * dt;
		// It floats over everything but the ground and the arena's fences.
		EnemyGroundStep(boss, CTYPE_FENCE, false);
		MoveSuperTileDeformation(gRipple, gObjCoord.x, gObjCoord.z);
	}
	UpdateObject(boss);
	PlaceHalves(boss);
	UpdateStaticHum(boss);
}

bool HurtBrainBoss(ObjNode* boss, float damage)
{
	if (boss->Mode == BRAIN_BOSS_CLOSED)
		return false;
	boss->Health -= damage;
	if (boss->Health > 0)
	{
		float g = boss->Health / BRAIN_BOSS_HEALTH * 0.7f + 0.3f;
		for (ObjNode* n = boss; n; n = n->ChainNode)
			n->ColorFilter = {1, g, g, 1};
		return false;
	}

	SpawnAtoms(boss->Coord, 1, 0, 10, false);
	PlayEnemyEffect3D(EFFECT_BRAINBOSSDIE, &boss->Coord, 2.0f);
	Rumble(1.0f, 2000);
	for (ObjNode* n = boss; n; n = n->ChainNode)
		ExplodeGeometry(n, 200, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 0.2f);
	StopAChannel(&boss->EffectChannel);
	DeleteObject(boss);
	DeleteSuperTileDeformation(gRipple);
	gRipple = -1;
	gBrainBoss.Clear();
	gBrainBossDead = true;
	return true;
}

void MoveBrainBossShot(ObjNode* shot)
{
	const float dt = gFrameTime;
	shot->Health -= dt;
	if (shot->Health <= 0)
	{
		ExplodeShot(shot);
		return;
	}
	GetObjectInfo(shot);
	shot->SpecialF[0] -= dt;
	if (shot->SpecialF[0] <= 0 && gPlayerNode)
	{
		OGLVector3D to = gPlayerNode->Coord - gObjCoord, v;
		OGLVector3D_Normalize(&to, &v);
		float k = std::min(dt, (BRAIN_SHOT_HOMING_RANGE
				- CalcQuickDistance(gObjCoord.x, gObjCoord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z)) / BRAIN_SHOT_HOMING_RANGE * dt);
		gObjDelta.x += BRAIN_SHOT_PULL_XZ * k * v.x;
		gObjDelta.y += BRAIN_SHOT_PULL_Y * k * v.y;
		gObjDelta.z += BRAIN_SHOT_PULL_XZ * k * v.z;
		shot->Speed = std::sqrt(gObjDelta.x * gObjDelta.x + gObjDelta.y * gObjDelta.y + gObjDelta.z * gObjDelta.z);
		if (shot->Speed > BRAIN_SHOT_SPEED)
		{
			gObjDelta = gObjDelta * (BRAIN_SHOT_SPEED / shot->Speed);
			shot->Speed = BRAIN_SHOT_SPEED;
		}
	}
	gObjCoord.x += gObjDelta.x * dt;
	gObjCoord.y += gObjDelta.y * dt;
	gObjCoord.z += gObjDelta.z * dt;

	const float h = BRAIN_SHOT_HALF_SIZE;
	if (BoxHitsPlayer(gObjCoord.y + h, gObjCoord.y - h, gObjCoord.x - h, gObjCoord.x + h, gObjCoord.z + h, gObjCoord.z - h))
	{
		shot->Coord = gObjCoord;
		PlayerGotHit(shot, shot->Damage);
		ExplodeShot(shot);
		return;
	}
	UpdateObject(shot);
	if (shot->Sparkles[0] != -1)
		gSparkles[shot->Sparkles[0]].where = shot->Coord;
	if (VerifyVaporTrail(shot->VaporTrails[0], shot, 0))
	{
		OGLColorRGBA trail = {1, 1, 1, 0.7f};
		AddToVaporTrail(&shot->VaporTrails[0], &shot->Coord, &trail);
	}
}

void MoveBrainStatic(ObjNode* arc)
{
	if (!gBrainBoss.IsAlive())
	{
		DeleteObject(arc);
		return;
	}
	arc->SpecialF[6] -= gFrameTime;
	if (arc->SpecialF[6] <= 0)
		PlaceStatic(arc);
}
