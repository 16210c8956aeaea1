// Blobs and their goo: making them, warmth and freezing, the chase, the touch
// that slows and hurts the robot, bursting into goo, and goo swelling back
// into a small blob.
#include "Enemies/Blobs.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Shards.h"
#include "Items/ItemsInternal.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace
{
	// The blob model's size at scale 1 (the rig's body), model units.
	constexpr float MODEL_HALF_WIDTH = 42.0f;
	constexpr float MODEL_HEIGHT = 76.0f;
	constexpr float BOX_TOP_FACTOR = 0.7f;			// the box reaches this share of the height
	constexpr float AIM_HEIGHT = 0.9f;				// aim point, of the height
	constexpr float SHADOW_SIZE = 11.0f;
	constexpr float FROZEN_FRICTION = 1100.0f;		// units per second²
	constexpr float STOP_FRICTION = 600.0f;
	constexpr float LUNGE_RANGE = 300.0f;			// units: the robot this near draws a lunge
	constexpr float SPLAT_TIME = 0.3f;				// seconds the burst body stays flattening
	constexpr float GOO_FLING = 500.0f;				// ± units per second sideways
	constexpr float GOO_BOUNCE = 0.4f;
	constexpr float GOO_FRICTION = 900.0f;
	constexpr float GOO_FADE = 1.5f;				// alpha per second once a blob grew out of it
	constexpr float GOO_HELP_RANGE = 500.0f;
	constexpr float GOO_HELP_SECONDS = 3.0f;
	constexpr uint16_t GOO_SLOT = 80;
	constexpr OGLBoundingBox GOO_STAND_IN = {{-40, 0, -40}, {40, 30, 40}, false};

	// Collision classes a blob moves against: the player's class is left out, the touch is its own test.
	constexpr uint32_t MOVE_MASK = CTYPE_MISC | CTYPE_ENEMY | CTYPE_FENCE;

	// SpecialF (the framework owns ENEMY_TIMER_FROZEN: the blob's frozen seconds).
	enum { SPLAT_CLOCK = 0 };
	// Goo's SpecialF.
	enum { GOO_REST = 0 };
	// Goo's Mode.
	enum : uint8_t { GOO_FLYING = 0, GOO_LYING = 1, GOO_SWELLING = 2, GOO_FADING = 3 };

	int Anim(const ObjNode* blob)
	{
		return blob->Skeleton ? blob->Skeleton->AnimNum : BLOB_ANIM_WOBBLE;
	}

	void SwitchAnim(ObjNode* blob, int anim, float morph)
	{
		if (blob->Skeleton && Anim(blob) != anim)
			MorphToSkeletonAnim(blob->Skeleton, anim, morph);
	}

	// The box follows the size: it grows from a newborn's.
	void SizeBox(ObjNode* blob)
	{
		float s = blob->Scale.x;
		int16_t r = int16_t(MODEL_HALF_WIDTH * s);
		SetObjectCollisionBounds(blob, int16_t(MODEL_HEIGHT * BOX_TOP_FACTOR * s), 0, -r, r, r, -r);
		blob->OffsetVector = {0, MODEL_HEIGHT * AIM_HEIGHT * s, 0};
	}

	bool IsDying(const ObjNode* blob)
	{
		return blob->Flag[ENEMY_FLAG_DYING] != 0;
	}

	void FreezeBlob(ObjNode* blob)
	{
		blob->Health = 0;
		blob->SpecialF[ENEMY_TIMER_FROZEN] = BLOB_FROZEN_TIME;
		blob->CType |= CTYPE_MISC;		// solid while frozen
		SwitchAnim(blob, BLOB_ANIM_WOBBLE, 6);
		if (blob->Skeleton)
			blob->Skeleton->AnimSpeed = 0;
		PlayEnemyEffect3D(EFFECT_FREEZEPOOF, &blob->Coord);
	}

	void Thaw(ObjNode* blob)
	{
		blob->SpecialF[ENEMY_TIMER_FROZEN] = 0;
		blob->CType &= ~CTYPE_MISC;
		if (blob->Skeleton)
			blob->Skeleton->AnimSpeed = 1;
	}

	// Stun shots, punches and novas: a frozen blob bursts, a warm one warms.
	bool HitByWarmingBlow(ObjNode*, ObjNode* blob, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (IsDying(blob))
			return false;
		if (IsBlobFrozen(blob))
			KillBlob(blob);
		else
		{
			blob->Health = std::min(1.0f, blob->Health + BLOB_WARM_GAIN);
			SetBlobColor(blob);
		}
		return true;
	}

	bool HitByFreeze(ObjNode*, ObjNode* blob, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (IsDying(blob))
			return false;
		if (IsBlobFrozen(blob))
			return true;
		blob->Health -= BLOB_FREEZE_COST;
		if (blob->Health <= 0)
			FreezeBlob(blob);
		SetBlobColor(blob);
		return true;
	}

	bool HitByJet(ObjNode*, ObjNode* blob, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (IsDying(blob))
			return false;
		KillBlob(blob);
		return true;
	}

	// Every blow warms it (the shots sting like the stun gun's); the freeze gun chills it.
	constexpr CreatureHitTable kBlobHitTable = [] {
		CreatureHitTable t{};
		t[WEAPON_STUNGUN] = t[WEAPON_FIST] = t[WEAPON_NOVA] = HitByWarmingBlow;
		t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = t[WEAPON_DART] = HitByWarmingBlow;
		t[WEAPON_FREEZEGUN] = HitByFreeze;
		t[WEAPON_JETHIT] = HitByJet;
		return t;
	}();

	// Touching the robot: he wades as through glue and it eats at his health.
	void TouchRobot(ObjNode* blob)
	{
		if (!IsRobotInPlay() || gPlayerLevel.isDead)
			return;
		const float top = gObjCoord.y + float(blob->TopOff), bottom = gObjCoord.y + float(blob->BottomOff);
		if (!BoxHitsPlayer(top, bottom, gObjCoord.x + float(blob->LeftOff), gObjCoord.x + float(blob->RightOff),
				gObjCoord.z + float(blob->FrontOff), gObjCoord.z + float(blob->BackOff)))
			return;
		ObjNode* robot = gPlayerNode;
		const float slow = std::max(0.0f, 1.0f - BLOB_TOUCH_FRICTION * gFrameTime);
		robot->Delta.x *= slow;
		robot->Delta.z *= slow;
		PlayerLoseHealth(blob->Damage * gFrameTime, DEATH_KIND_BLOWN_UP);
	}

	void MoveSplat(ObjNode* blob)
	{
		blob->SpecialF[SPLAT_CLOCK] -= gFrameTime;
		blob->Scale.y = std::max(0.05f, blob->Scale.y - 6.0f * gFrameTime);
		blob->ColorFilter.a = std::max(0.0f, blob->ColorFilter.a - 2.5f * gFrameTime);
		UpdateObjectTransforms(blob);
		if (blob->SpecialF[SPLAT_CLOCK] <= 0)
			DeleteEnemyForGood(blob);
	}

	ObjNode* NewBlob(float x, float z, int color, float scale)
	{
		if (color < 0 || color >= NUM_BLOB_COLORS)
			FatalAlert("SetBlobColor: undefined blob color type");
		ObjNode* blob = MakeEnemySkeleton(SKELETON_TYPE_BLOB, x, z, scale, RandomFloat() * PI2, MoveBlob);
		blob->Kind = ENEMY_KIND_BLOB;
		blob->SubKind = uint8_t(color);
		blob->Health = 1;
		blob->Damage = BLOB_DAMAGE;
		blob->SpecialF[ENEMY_TIMER_FROZEN] = 0;
		blob->CType = CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_ENEMY;
		blob->CBits = SIDE_ANY_OVERLAP;
		blob->Coord.y = IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
		blob->StatusBits |= STATUS_BIT_TEXTUREOFFSET;
		SizeBox(blob);
		KeepOldCollisionBoxes(blob);
		AttachShadowToObject(blob, 0, SHADOW_SIZE, SHADOW_SIZE, false);
		InstallCreatureHits(blob, kBlobHitTable);
		SetBlobColor(blob);
		UpdateObjectTransforms(blob);
		CountEnemy(blob);
		return blob;
	}
}

bool IsBlobFrozen(const ObjNode* blob)
{
	return blob->SpecialF[ENEMY_TIMER_FROZEN] > 0;
}

int CountBlobs()
{
	return gNumEnemyOfKind[ENEMY_KIND_BLOB];
}

void SetBlobColor(ObjNode* blob)
{
	const float warm = std::clamp(blob->Health, 0.0f, 1.0f), pale = 1 - warm;
	switch (blob->SubKind)
	{
		case BLOB_COLOR_RED: blob->ColorFilter = {1, pale, pale, 0}; break;
		case BLOB_COLOR_GREEN: blob->ColorFilter = {pale, 1, pale, 0}; break;
		case BLOB_COLOR_BLUE: blob->ColorFilter = {pale, 1 - 0.4f * warm, 1, 0}; break;
		default: FatalAlert("SetBlobColor: undefined blob color type");
	}
	blob->ColorFilter.a = BLOB_ALPHA;
}

bool AddBlob(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= NUM_BLOB_COLORS)
		FatalAlert("Blob item at (%d, %d): colour %d is not 0, 1 or 2", int(item->x), int(item->z), int(item->parm[0]));
	if (!CanAddEnemy(ENEMY_KIND_BLOB, item, BLOB_LIMIT))
		return false;
	ObjNode* blob = NewBlob(x, z, item->parm[0], BLOB_SCALE);
	AttachEnemyToItem(blob, item);
	return true;
}

ObjNode* MakeBlob(float x, float z, int color)
{
	return NewBlob(x, z, color, BLOB_SCALE);
}

void MoveBlob(ObjNode* blob)
{
	if (IsEnemyOutOfRange(blob))
	{
		DeleteEnemy(blob);
		return;
	}
	if (IsDying(blob))
	{
		MoveSplat(blob);
		return;
	}
	const float dt = gFrameTime;
	GetObjectInfo(blob);

	// Newborns grow to full size.
	if (blob->Scale.x < BLOB_SCALE)
	{
		float s = std::min(BLOB_SCALE, blob->Scale.x + BLOB_GROW_RATE * dt);
		blob->Scale = {s, s, s};
		SizeBox(blob);
	}

	bool frozen = IsBlobFrozen(blob);
	if (frozen)
	{
		blob->SpecialF[ENEMY_TIMER_FROZEN] -= dt;
		if (blob->SpecialF[ENEMY_TIMER_FROZEN] <= 0)
			Thaw(blob);
		if (CreatureOnGround(blob))
			ApplyEnemyFriction(FROZEN_FRICTION);
	}
	else
	{
		blob->Health = std::min(1.0f, blob->Health + BLOB_THAW_RATE * dt);
		const float d = EnemyDistanceToPlayer(blob);
		const bool grown = blob->Scale.x >= BLOB_SCALE;
		if (CurrentLevelHasRule(LEVEL_RULE_BLOBS_CHASE) && grown && d < BLOB_CHASE_RANGE && IsRobotInPlay())
		{
			TurnEnemyTowardPlayer(blob, blob->Health * BLOB_CHASE_TURN);
			const float speed = blob->Health * BLOB_CHASE_SPEED;
			gObjDelta.x = -std::sin(blob->Rot.y) * speed;
			gObjDelta.z = -std::cos(blob->Rot.y) * speed;
			SwitchAnim(blob, d < LUNGE_RANGE ? BLOB_ANIM_LUNGE : BLOB_ANIM_SQUISH, 4);
		}
		else
		{
			if (CreatureOnGround(blob))
				ApplyEnemyFriction(STOP_FRICTION);
			// Blobs that stay put still rear up at a robot that comes close.
			if (grown && d < LUNGE_RANGE && IsRobotInPlay())
			{
				TurnEnemyTowardPlayer(blob, BLOB_CHASE_TURN);
				SwitchAnim(blob, BLOB_ANIM_LUNGE, 4);
			}
			else
				SwitchAnim(blob, BLOB_ANIM_WOBBLE, 3);
		}
		TouchRobot(blob);
		KeepEnemyEffectLooping(blob, EFFECT_SLIMEMONSTER);
	}
	ApplyEnemyGravity();
	EnemyGravityAndMove();
	EnemyGroundStep(blob, MOVE_MASK, false);
	blob->TextureTransformU += blob->Health * dt;
	SetBlobColor(blob);
	UpdateEnemy(blob);
}

void KillBlob(ObjNode* blob)
{
	if (IsDying(blob))
		return;
	const int color = blob->SubKind;
	if (color >= NUM_BLOB_COLORS)
		FatalAlert("KillBlob: illegal BlobColorType");
	const float s = blob->Scale.x;
	const OGLPoint3D at = {blob->Coord.x, blob->Coord.y + MODEL_HEIGHT * 0.4f * s, blob->Coord.z};
	for (int i = 0; i < GOO_PIECES; i++)
		MakeGoo(at, {RandomFloatSigned() * GOO_FLING, RandomFloatRange(300, 700), RandomFloatSigned() * GOO_FLING}, color);
	ExplodeGeometry(blob, 300, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 2, 1.0f);
	PlayEnemyEffect3D(EFFECT_SHATTER, &at);

	// The body flattens a moment as the goo flies, then it is gone for good.
	blob->Flag[ENEMY_FLAG_DYING] = 1;
	blob->CType = 0;
	ClearEnemyHitHandlers(blob);
	StopAChannel(&blob->EffectChannel);
	UncountEnemy(blob);
	SwitchAnim(blob, BLOB_ANIM_SPLAT, 10);
	blob->SpecialF[SPLAT_CLOCK] = SPLAT_TIME;
}

//
// Goo
//

ObjNode* MakeGoo(const OGLPoint3D& where, const OGLVector3D& delta, int color)
{
	if (color < 0 || color >= NUM_BLOB_COLORS)
		FatalAlert("KillBlob: illegal BlobColorType");
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(CurrentLevelDef().blobGooModel);
	def.coord = where;
	def.slot = int16_t(GOO_SLOT);
	def.moveCall = MoveGoo;
	def.rot = RandomFloat() * PI2;
	def.scale = GOO_SCALE;
	ObjNode* goo = MakeItemModelNode(&def, GOO_STAND_IN);
	goo->Kind = uint8_t(color);
	goo->SubKind = uint8_t(POWERUP_TYPE_HEALTH_ATOMS + color);	// health, fuel or exit-charge atoms
	goo->CType = CTYPE_GOO | CTYPE_PICKUP | CTYPE_MISC;
	goo->CBits = SIDE_ALL;
	goo->Delta = delta;
	goo->DeltaRot = {RandomFloatSigned() * 8, RandomFloatSigned() * 8, RandomFloatSigned() * 8};
	goo->Mode = GOO_FLYING;
	goo->Health = 0;
	goo->SpecialF[GOO_REST] = RandomFloatRange(GOO_REST_MIN, GOO_REST_MAX);
	const float tint[NUM_BLOB_COLORS][3] = {{1, 0.35f, 0.35f}, {0.4f, 1, 0.4f}, {0.4f, 0.6f, 1}};
	goo->ColorFilter = {tint[color][0], tint[color][1], tint[color][2], 1};
	CreateCollisionBoxFromBoundingBox(goo, 1, 1);
	AttachShadowToObject(goo, 0, 3, 3, false);
	return goo;
}

namespace
{
	// The robot took the goo: it lets go of its atoms.
	void ReleaseGooAtoms(ObjNode* goo)
	{
		const int color = goo->Kind;
		SpawnAtoms(goo->Coord, color == BLOB_COLOR_RED ? 1 : 0, color == BLOB_COLOR_GREEN ? 1 : 0,
				color == BLOB_COLOR_BLUE ? 1 : 0, false);
		goo->CType = 0;
	}
}

void MoveGoo(ObjNode* goo)
{
	if (IsNodeOutOfRange(goo))
	{
		DeleteObject(goo);
		return;
	}
	const float dt = gFrameTime;
	if (gPlayerLevel.heldObject == goo && goo->CType)
	{
		ReleaseGooAtoms(goo);		// the grab's end deletes the node
		return;
	}
	GetObjectInfo(goo);

	if (goo->Mode == GOO_FLYING)
	{
		gObjDelta.y -= GOO_GRAVITY * dt;
		gObjCoord = gObjCoord + gObjDelta * dt;
		goo->Rot = goo->Rot + goo->DeltaRot * dt;
		const float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		if (gObjCoord.y <= ground)
		{
			gObjCoord.y = ground;
			gObjDelta.y *= -GOO_BOUNCE;
			goo->DeltaRot = goo->DeltaRot * 0.5f;
			if (gObjDelta.y < 100)
			{
				gObjDelta.y = 0;
				goo->Rot.x = goo->Rot.z = 0;
				goo->Mode = GOO_LYING;
			}
		}
	}
	else
	{
		// Slides to a stop on the ground and rides its waves.
		float speed = std::hypot(gObjDelta.x, gObjDelta.z);
		if (speed > 0)
		{
			float k = std::max(0.0f, speed - GOO_FRICTION * dt) / speed;
			gObjDelta.x *= k;
			gObjDelta.z *= k;
		}
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.z += gObjDelta.z * dt;
		if (IsTerrainSetUp())
			gObjCoord.y = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
	}

	if (goo->Mode == GOO_LYING)
	{
		goo->SpecialF[GOO_REST] -= dt;
		if (goo->SpecialF[GOO_REST] <= 0)
			goo->Mode = GOO_SWELLING;
	}
	else if (goo->Mode == GOO_SWELLING)
	{
		goo->Health = std::min(1.0f, goo->Health + GOO_SWELL_RATE * dt);
		float s = GOO_SCALE * (1 + 0.5f * goo->Health + 0.1f * std::sin(goo->Health * 30));
		goo->Scale = {s, s, s};
		// Swollen: it becomes a blob when there is room for one.
		if (goo->Health >= 1 && CountBlobs() < GOO_REGROW_LIMIT)
		{
			ObjNode* blob = NewBlob(gObjCoord.x, gObjCoord.z, goo->Kind, BLOB_NEWBORN_SCALE);
			(void)blob;
			goo->Mode = GOO_FADING;
			goo->CType = 0;
		}
	}
	else if (goo->Mode == GOO_FADING)
	{
		goo->ColorFilter.a -= GOO_FADE * dt;
		if (goo->ColorFilter.a <= 0)
		{
			DeleteObject(goo);
			return;
		}
	}

	if (goo->Mode != GOO_FADING && IsPlayerNear(goo, GOO_HELP_RANGE))
		ShowHelpMessage(HELP_GOO, GOO_HELP_SECONDS, false);
	UpdateObject(goo);
}
