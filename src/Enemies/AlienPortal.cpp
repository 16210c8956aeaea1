// The alien portals: eight numbered gates that send out elite brain aliens
// while the robot is near and fall to weapon fire, each remembered as
// destroyed for the brain boss's shield.
#include "Enemies/AlienPortal.h"
#include "Enemies/BrainAlien.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/MetaObjectsRegistry.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

bool gPortalDestroyed[NUM_ALIEN_PORTALS];
int gNumPortalsDestroyed = 0;

namespace
{
	constexpr int PORTAL_LEVEL_MODEL = LEVEL_MODEL_ALIEN_PORTAL;
	constexpr float PORTAL_SCALE = 3.5f;
	constexpr uint16_t PORTAL_SLOT = 209;
	constexpr uint32_t PORTAL_CTYPE = CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_MISC;
	constexpr float PORTAL_AIM_HEIGHT = 200.0f;			// where homing shots aim, above its base
	constexpr float PORTAL_FIRST_SPAWN_MAX = 5.0f;		// seconds, random up to this
	constexpr float PORTAL_SPAWN_DELAY = 2.0f;			// seconds, plus random up to the next
	constexpr float PORTAL_SPAWN_JITTER = 3.0f;
	constexpr float PORTAL_GLOW_HEIGHT = 192.0f;		// model units above its base, scaled
	constexpr float PORTAL_GLOW_SIZE = 300.0f;
	constexpr float PORTAL_GLOW_SEPARATION = 40.0f;
	constexpr float PORTAL_BOOM_FORCE = 500.0f;
	constexpr float PORTAL_BOOM_DECAY = 0.5f;
	constexpr float PORTAL_BOOM_VOLUME = 1.8f;
	constexpr float PORTAL_PUFF_HEIGHT = 50.0f;
	constexpr float PORTAL_PUFF_SPEED = 500.0f;
	constexpr float PORTAL_PUFF_SIZE = 2.0f;
	constexpr int PORTAL_PUFF_MAX = 100;

	enum { TIMER_SPAWN = 0 };

	bool HitPortal(ObjNode* weapon, ObjNode* portal, const OGLPoint3D*, const OGLVector3D*, float)
	{
		portal->Health -= WeaponDamage(weapon, 1.0f);
		if (portal->Health > 0)
			return true;

		int number = portal->Special[0];
		if (number >= 0 && number < NUM_ALIEN_PORTALS && !gPortalDestroyed[number])
		{
			gPortalDestroyed[number] = true;
			gNumPortalsDestroyed++;
		}
		ExplodeGeometry(portal, PORTAL_BOOM_FORCE, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, PORTAL_BOOM_DECAY);
		PlayEnemyEffect3D(EFFECT_PORTALBOOM, &portal->Coord, PORTAL_BOOM_VOLUME);
		MakeRadialPuff(portal->Coord.x, portal->Coord.y + PORTAL_PUFF_HEIGHT, portal->Coord.z, PORTAL_PUFF_SPEED,
				PORTAL_PUFF_SIZE, PARTICLE_SPRITE_PUFF, PORTAL_PUFF_MAX);
		portal->TerrainItemPtr = nullptr;		// a destroyed portal never comes back
		DeleteObject(portal);
		return true;
	}

	// The level's portal model, or the marker beacon while a level lacks it.
	int PortalModel(uint8_t* group)
	{
		if (gNumObjectsInBG3DGroupList[MODEL_GROUP_LEVELSPECIFIC] > PORTAL_LEVEL_MODEL)
		{
			*group = MODEL_GROUP_LEVELSPECIFIC;
			return PORTAL_LEVEL_MODEL;
		}
		*group = MODEL_GROUP_GLOBAL;
		return GLOBAL_MODEL_BEACON;
	}
}

void ResetAlienPortals()
{
	for (bool& destroyed : gPortalDestroyed)
		destroyed = false;
	gNumPortalsDestroyed = 0;
}

bool AddAlienPortal(TerrainItemEntryType* item, float x, float z)
{
	int number = item->parm[0];
	if (number >= NUM_ALIEN_PORTALS)
		FatalAlert("AddAlienPortal: the AlienPortal item (type %d) at (%u, %u) has portal number %d; portals are numbered 0 to %d",
				int(item->type), unsigned(item->x), unsigned(item->z), number, NUM_ALIEN_PORTALS - 1);
	if (gPortalDestroyed[number])
		return false;

	ObjectDef def = {};
	def.type = uint8_t(PortalModel(&def.group));
	def.coord = {x, IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f, z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(PORTAL_SLOT);
	def.moveCall = MoveAlienPortal;
	def.rot = float(number) * (PI / 4);
	def.scale = PORTAL_SCALE;
	ObjNode* portal = MakeNewDisplayGroupObject(&def);
	portal->TerrainItemPtr = item;
	portal->Special[0] = number;
	portal->Health = PORTAL_HEALTH;
	portal->CType = PORTAL_CTYPE;
	portal->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox_Rotated(portal, 1, 1);
	portal->TargetOff = {0, PORTAL_AIM_HEIGHT};
	portal->SpecialF[TIMER_SPAWN] = RandomFloat() * PORTAL_FIRST_SPAWN_MAX;
	for (int w = WEAPON_STUNGUN; w <= WEAPON_DART; w++)
		portal->HitByWeaponHandler[w] = HitPortal;

	int16_t glow = GetFreeSparkle(portal);
	if (glow >= 0)
	{
		portal->Sparkles[0] = glow;
		SparkleType& s = gSparkles[glow];
		s.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER;
		s.where = {x, def.coord.y + PORTAL_GLOW_HEIGHT * PORTAL_SCALE, z};
		s.color = {1, 1, 1, 1};
		s.scale = PORTAL_GLOW_SIZE;
		s.separation = PORTAL_GLOW_SEPARATION;
		s.textureNum = PARTICLE_SPRITE_GLINT;
	}
	return true;
}

void MoveAlienPortal(ObjNode* portal)
{
	if (IsEnemyOutOfRange(portal))
	{
		DeleteObject(portal);
		return;
	}
	if (EnemyDistanceToPlayer(portal) >= PORTAL_SPAWN_RANGE || gNumEnemyOfKind[ENEMY_KIND_ELITEBRAINALIEN] >= PORTAL_MAX_ELITES)
		return;
	portal->SpecialF[TIMER_SPAWN] -= gFrameTime;
	if (portal->SpecialF[TIMER_SPAWN] > 0)
		return;
	portal->SpecialF[TIMER_SPAWN] = PORTAL_SPAWN_DELAY + RandomFloat() * PORTAL_SPAWN_JITTER;
	CountEnemy(MakeCreature(kEliteBrainAlienKind, portal->Coord.x, portal->Coord.z, portal->Rot.y));
}
