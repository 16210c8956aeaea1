// Freezing, shattering, corpses, and the glints and looping sounds enemies
// carry: the parts of an enemy's life that every kind handles alike.
#include "Enemies/Enemy.h"
#include "3D/MetaObjects.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/MetaObjectsShapes.h"
#include "3D/Skeleton.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"

namespace
{
	// Ice: the creature's own shape, pale blue and glassy.
	constexpr OGLColorRGBA FROZEN_COLOR = {0.62f, 0.86f, 1.0f, 1.0f};
	constexpr float THAW_SHARD_FORCE = 300.0f;			// units per second
	constexpr float SHATTER_SHARD_FORCE = 600.0f;
	constexpr float SHARD_DECAY = 1.2f;					// scale lost per second
	constexpr int SHARD_DENSITY = 2;					// every other triangle

	constexpr float SPARKLE_ALPHA = 0.6f;
	constexpr float SPARKLE_START_SIZE = 150.0f;
	constexpr float SPARKLE_SEPARATION = -50.0f;		// set back into the body: a halo around it
	constexpr float SPARKLE_BASE_SIZE = 50.0f;
	constexpr float SPARKLE_FLICKER = 10.0f;

	// One material shared by every frozen enemy of the level (made on the first freeze).
	MetaObjectPtr gFrozenMaterial = nullptr;

	// The level's cracked-ice image where its row names one (held here as
	// well as by the sprite group, which the level lets go of first), else a
	// plain ice colour.
	MetaObjectPtr FrozenMaterial()
	{
		if (gFrozenMaterial)
			return gFrozenMaterial;
		const int image = CurrentLevelDef().frozenLookImage;
		const SpriteType* images = gSpriteGroupList[SPRITE_GROUP_LEVELSPECIFIC];
		if (image > 0 && images && image < gNumSpritesInGroupList[SPRITE_GROUP_LEVELSPECIFIC] && images[image].materialObject)
			gFrozenMaterial = MO_AddReference(images[image].materialObject);
		else
			gFrozenMaterial = MO_MakeColorMaterial(FROZEN_COLOR);
		return gFrozenMaterial;
	}

	void SetFrozenLook(ObjNode* enemy, bool frozen)
	{
		if (enemy->Skeleton)
			enemy->Skeleton->materialOverride = frozen ? FrozenMaterial() : nullptr;
	}
}

void ForgetFrozenLook()
{
	if (gFrozenMaterial)
	{
		MO_DisposeObjectReference(gFrozenMaterial);
		gFrozenMaterial = nullptr;
	}
}

void FreezeEnemy(ObjNode* enemy, ObjNodeRoutine freeMoveCall)
{
	DetachEnemyFromSpline(enemy, freeMoveCall);
	SetFrozenLook(enemy, true);
	enemy->Delta = {0, 0, 0};
	if (gCurrentMoveNode == enemy)
		gObjDelta = enemy->Delta;
	enemy->SpecialF[ENEMY_TIMER_FROZEN] = ENEMY_FREEZE_TIME;
	if (enemy->Skeleton)
		enemy->Skeleton->AnimSpeed = 0;
}

bool IsEnemyFrozen(const ObjNode* enemy)
{
	return enemy->SpecialF[ENEMY_TIMER_FROZEN] > 0;
}

void MoveFrozenEnemy(ObjNode* enemy)
{
	if (enemy->StatusBits & STATUS_BIT_ONGROUND)
		ApplyEnemyFriction(ENEMY_FROZEN_FRICTION);
	ApplyEnemyGravity();

	enemy->SpecialF[ENEMY_TIMER_FROZEN] -= gFrameTime;
	if (enemy->SpecialF[ENEMY_TIMER_FROZEN] <= 0)
	{
		// Thaw: the ice bursts off and the creature is itself again.
		enemy->SpecialF[ENEMY_TIMER_FROZEN] = 0;
		if (enemy->Skeleton)
			enemy->Skeleton->AnimSpeed = 1;
		ExplodeGeometry(enemy, THAW_SHARD_FORCE, SHARD_MODE_FROMORIGIN | SHARD_MODE_HEAVYGRAVITY, SHARD_DENSITY * 2,
				SHARD_DECAY);
		PlayEnemyEffect3D(EFFECT_SHATTER, &gObjCoord);
		SetFrozenLook(enemy, false);
	}
}

void ShatterEnemy(ObjNode* enemy)
{
	ExplodeGeometry(enemy, SHATTER_SHARD_FORCE, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE, SHARD_DENSITY, SHARD_DECAY);
	PlayEnemyEffect3D(EFFECT_SHATTER, &enemy->Coord);
	if (enemy->Skeleton)
		enemy->Skeleton->materialOverride = nullptr;
	DeleteEnemyForGood(enemy);
}

bool DeleteCorpseIfGone(ObjNode* enemy)
{
	if (!(enemy->StatusBits & STATUS_BIT_ISCULLED))
		return false;
	if (gPlayerNode && EnemyDistanceToPlayer(enemy) <= ENEMY_CORPSE_DISTANCE)
		return false;
	DeleteEnemyForGood(enemy);
	return true;
}

void ClearEnemyHitHandlers(ObjNode* enemy)
{
	for (int w = 0; w < NUM_WEAPON_TYPES; w++)
		if (w != WEAPON_SAUCERBEAM && w != WEAPON_HURT)
			enemy->HitByWeaponHandler[w] = nullptr;
}

void AttachEnemySparkles(ObjNode* enemy, const EnemySparkleJoint* joints, int count, OGLColorRGBA color)
{
	for (int i = 0; i < MAX_NODE_SPARKLES; i++)
		enemy->Sparkles[i] = -1;
	if (count > MAX_NODE_SPARKLES)
		count = MAX_NODE_SPARKLES;
	for (int i = 0; i < count; i++)
	{
		int16_t s = GetFreeSparkle(enemy);
		if (s < 0)
			return;
		enemy->Sparkles[i] = s;
		SparkleType& sparkle = gSparkles[s];
		sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		sparkle.color = color;
		sparkle.color.a = SPARKLE_ALPHA * enemy->ColorFilter.a;
		sparkle.scale = SPARKLE_START_SIZE;
		sparkle.separation = SPARKLE_SEPARATION;
		sparkle.textureNum = PARTICLE_SPRITE_SOFT_GLOW;
		if (enemy->Skeleton)
			FindCoordOnJoint(enemy, joints[i].joint, &joints[i].offset, &sparkle.where);
		else
			sparkle.where = enemy->Coord;
	}
}

void UpdateEnemySparkles(ObjNode* enemy, const EnemySparkleJoint* joints, int count)
{
	if (count > MAX_NODE_SPARKLES)
		count = MAX_NODE_SPARKLES;
	for (int i = 0; i < count; i++)
	{
		int16_t s = enemy->Sparkles[i];
		if (s < 0)
			continue;
		SparkleType& sparkle = gSparkles[s];
		if (enemy->Skeleton)
			FindCoordOnJoint(enemy, joints[i].joint, &joints[i].offset, &sparkle.where);
		sparkle.color.a = SPARKLE_ALPHA * enemy->ColorFilter.a;
		sparkle.scale = (RandomFloat() * SPARKLE_FLICKER + SPARKLE_BASE_SIZE) * joints[i].sizeFactor;
	}
}

int16_t PlayEnemyEffect3D(int effectNum, const OGLPoint3D* where, float volumeAdjust)
{
	if (!IsSoundEffectLoaded(effectNum))
		return -1;
	return PlayEffect_Parms3D(effectNum, where, NORMAL_CHANNEL_RATE, volumeAdjust);
}

void KeepEnemyEffectLooping(ObjNode* enemy, int effectNum)
{
	if (enemy->EffectChannel == -1)
		enemy->EffectChannel = PlayEnemyEffect3D(effectNum, &enemy->Coord);
	else
		Update3DSoundChannel(effectNum, &enemy->EffectChannel, &enemy->Coord);
}
