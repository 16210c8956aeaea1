// The enemy counters, making and deleting enemies, leaving splines, the
// closest-enemy search and the weapon-hit dispatch.
#include "Enemies/Enemy.h"
#include "Enemies/AlienPortal.h"
#include "Enemies/CloudCreatures.h"
#include "3D/Skeleton.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/Error.h"
#include "System/Level.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

int gNumEnemyOfKind[NUM_ENEMY_KINDS];
int gNumEnemies = 0;
int gMaxEnemies = ENEMY_LIMIT;


namespace
{
	// Giant lizards and flytraps are set pieces: they never take a place under the cap.
	bool CountsInTotal(int kind)
	{
		return kind != ENEMY_KIND_GIANTLIZARD && kind != ENEMY_KIND_FLYTRAP;
	}

	bool IsValidKind(int kind)
	{
		return kind >= 0 && kind < NUM_ENEMY_KINDS;
	}
}

void InitEnemyManager()
{
	for (int& n : gNumEnemyOfKind)
		n = 0;
	gNumEnemies = 0;
	gMaxEnemies = ENEMY_LIMIT;
	ForgetFrozenLook();
	ResetAlienPortals();
	ResetStrongMen();
}

bool CanAddEnemy(int kind, const TerrainItemEntryType* item, int kindLimit)
{
	if (gNumEnemies >= gMaxEnemies)
		return false;
	bool alwaysAdd = item && (item->parm[3] & ENEMY_ITEM_ALWAYS_ADD);
	if (!alwaysAdd && kindLimit >= 0 && IsValidKind(kind) && gNumEnemyOfKind[kind] > kindLimit)
		return false;
	return true;
}

void CountEnemy(ObjNode* enemy)
{
	if (enemy->Flag[ENEMY_FLAG_COUNTED] || !IsValidKind(enemy->Kind))
		return;
	enemy->Flag[ENEMY_FLAG_COUNTED] = 1;
	gNumEnemyOfKind[enemy->Kind]++;
	if (CountsInTotal(enemy->Kind))
		gNumEnemies++;
}

void UncountEnemy(ObjNode* enemy)
{
	if (!enemy->Flag[ENEMY_FLAG_COUNTED] || !IsValidKind(enemy->Kind))
		return;
	enemy->Flag[ENEMY_FLAG_COUNTED] = 0;
	int& kindCount = gNumEnemyOfKind[enemy->Kind];
	if (--kindCount < 0)
	{
		ShowAlert("DeleteEnemy: < 0");
		kindCount = 0;
	}
	if (CountsInTotal(enemy->Kind) && --gNumEnemies < 0)
		gNumEnemies = 0;
}

void TallyCountedEnemies(int perKind[NUM_ENEMY_KINDS], int* total)
{
	for (int k = 0; k < NUM_ENEMY_KINDS; k++)
		perKind[k] = 0;
	*total = 0;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n->CType == INVALID_NODE_FLAG || !n->Flag[ENEMY_FLAG_COUNTED] || !IsValidKind(n->Kind))
			continue;
		perKind[n->Kind]++;
		if (CountsInTotal(n->Kind))
			(*total)++;
	}
	// Riders waiting off the object list are never counted, so the list above is all there is.
}

ObjNode* MakeEnemySkeleton(int skeletonType, float x, float z, float scale, float rotY, ObjNodeRoutine moveCall)
{
	ObjectDef def = {};
	def.type = uint8_t(skeletonType);
	def.coord = {x, IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f, z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(ENEMY_SLOT_BASE + skeletonType);
	def.moveCall = moveCall;
	def.rot = rotY;
	def.scale = scale;
	ObjNode* node = MakeNewSkeletonBaseData(&def, 0);
	GAME_ASSERT(node);

	node->CType = CTYPE_ENEMY_NODE;
	node->CBits = SIDE_ALL;
	node->EffectChannel = -1;
	for (int i = 0; i < MAX_FLAGS_IN_OBJNODE; i++)
		node->Flag[i] = 0;

	// Feet on the ground: the skinned box (world scale, about the origin) reaches below it.
	node->Coord.y -= node->BBox.min.y;
	node->OldCoord = node->Coord;
	UpdateObjectTransforms(node);
	return node;
}

void AttachEnemyToItem(ObjNode* enemy, TerrainItemEntryType* item)
{
	enemy->TerrainItemPtr = item;
	enemy->Flag[ENEMY_FLAG_COMES_BACK] = item && (item->parm[3] & ENEMY_ITEM_COMES_BACK) ? 1 : 0;
	CountEnemy(enemy);
}

void DeleteEnemy(ObjNode* enemy)
{
	if (!enemy || enemy->CType == INVALID_NODE_FLAG)
		return;
	StopAChannel(&enemy->EffectChannel);
	// A rider is never counted; UncountEnemy knows by the node's own mark.
	UncountEnemy(enemy);
	DeleteObject(enemy);
}

void DeleteEnemyForGood(ObjNode* enemy)
{
	if (!enemy || enemy->CType == INVALID_NODE_FLAG)
		return;
	if (!enemy->Flag[ENEMY_FLAG_COMES_BACK])
		enemy->TerrainItemPtr = nullptr;		// the item stays taken: it never wakes again
	DeleteEnemy(enemy);
}

void DetachEnemyFromSpline(ObjNode* enemy, ObjNodeRoutine moveCall)
{
	if (!(enemy->StatusBits & STATUS_BIT_ONSPLINE))
		return;
	// A rider whose supertile was out of range waits off the object list:
	// DetachFromSpline puts it back.
	DetachFromSpline(enemy, moveCall);
	enemy->OldCoord = enemy->Coord;
	CountEnemy(enemy);
}

ObjNode* FindClosestEnemy(const OGLPoint3D* point, float* distance)
{
	ObjNode* best = nullptr;
	float bestDistance = FAR_DISTANCE;
	for (ObjNode* n = gObjectListHead; n && n->Slot < SLOT_OF_DUMB; n = n->NextNode)
	{
		if (n->CType == INVALID_NODE_FLAG || !(n->CType & CTYPE_ENEMY))
			continue;
		float d = CalcQuickDistance(point->x, point->z, n->Coord.x, n->Coord.z);
		if (d < bestDistance)
		{
			bestDistance = d;
			best = n;
		}
	}
	if (distance)
		*distance = bestDistance;
	return best;
}

bool IsEnemyFighting(const ObjNode* node)
{
	return node && node->CType != INVALID_NODE_FLAG && (node->CType & CTYPE_ENEMY) && !node->Flag[ENEMY_FLAG_DYING];
}

bool IsRobotInPlay()
{
	// The saucer of the saucer level is no robot: nothing here bites or zaps it.
	return gPlayerNode && gPlayerNode->CType != INVALID_NODE_FLAG && gPlayerNode->Skeleton && !gPlayerLevel.isDead
			&& !IsPlayerUntouchable();
}

bool HitByWeapon(int weaponType, ObjNode* weapon, ObjNode* target, const OGLPoint3D* where, const OGLVector3D* delta,
		float damage)
{
	if (!target || target->CType == INVALID_NODE_FLAG || weaponType < 0 || weaponType >= NUM_WEAPON_TYPES)
		return false;
	WeaponHitHandler handler = target->HitByWeaponHandler[weaponType];
	return handler ? handler(weapon, target, where, delta, damage) : false;
}

bool HurtObject(ObjNode* target, float damage)
{
	return HitByWeapon(WEAPON_HURT, nullptr, target, nullptr, nullptr, damage);
}

float WeaponDamage(const ObjNode* weapon, float fallback)
{
	return weapon && weapon->Damage > 0 ? weapon->Damage : fallback;
}
