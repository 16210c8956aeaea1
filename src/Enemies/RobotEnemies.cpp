// What the four machines of the fire-and-ice level share: one driving
// routine by mode (each kind's numbers and hooks in its own file), the
// collisions and the nose-first contact hit, the part helpers they pose
// with, the hit handlers, and the blast with its flying debris that ends them.
#include "Enemies/RobotEnemies.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/RobotEnemiesInternal.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/PlayerRobotHits.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr uint16_t BODY_SLOT = 381;
	constexpr uint16_t PART_SLOT = 3000;
	constexpr uint16_t DEBRIS_SLOT = 3001;
	constexpr uint32_t ROBOT_CTYPE = CTYPE_ENEMY | CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_MISC;
	constexpr uint32_t DRIVE_MASK = CTYPE_TERRAIN | CTYPE_TRIGGER2 | CTYPE_MISC | CTYPE_PLAYER | CTYPE_FENCE;

	// Hits.
	constexpr float SHOT_PUSH = 0.4f;				// share of a shot's velocity given to the bot
	constexpr float SHOT_LIFT = 200.0f;
	constexpr float KNOCK_BACK_SPEED = 1000.0f;
	constexpr float KNOCK_BACK_LIFT = 500.0f;

	// Debris.
	constexpr float DEBRIS_LIFE = 2.0f;
	constexpr float DEBRIS_GRAVITY = 2500.0f;

	//
	// Driving
	//

	void DriveAlongHeading(ObjNode* bot, float gravity)
	{
		gObjDelta.x = -std::sin(bot->Rot.y) * bot->Speed2D;
		gObjDelta.z = -std::cos(bot->Rot.y) * bot->Speed2D;
		gObjDelta.y -= gravity * gFrameTime;
	}

	void Drive(ObjNode* bot, const RobotNumbers& n)
	{
		const float dt = gFrameTime;
		switch (bot->Mode)
		{
			case ROBOT_MODE_IDLE:
				bot->Speed2D = std::max(0.0f, bot->Speed2D - n.coastDecel * dt);
				DriveAlongHeading(bot, n.gravityIdle);
				bot->SpecialF[ROBOT_TIMER_IDLE_WAIT] -= dt;
				if (bot->SpecialF[ROBOT_TIMER_IDLE_WAIT] <= 0 && IsRobotInPlay() && EnemyDistanceToPlayer(bot) < n.wakeDistance)
					bot->Mode = ROBOT_MODE_CHASE;
				break;

			case ROBOT_MODE_CHASE:
			{
				bot->Speed2D = std::min(n.topSpeed, bot->Speed2D + n.accel * dt);
				float left = IsRobotInPlay() ? TurnEnemyTowardPlayer(bot, n.turnRate) : PI;
				DriveAlongHeading(bot, n.gravityMoving);
				float dist = EnemyDistanceToPlayer(bot);
				if (n.chargeRange > 0 && left < n.chargeAngle && dist < n.chargeRange)
				{
					bot->Mode = ROBOT_MODE_CHARGE;
					bot->SpecialF[ROBOT_TIMER_CHARGE] = n.chargeTime;
				}
				else if (n.lured && n.lured(bot))
					bot->Mode = ROBOT_MODE_SMASH;
				break;
			}

			default:
				if (n.driveOwnMode)
				{
					n.driveOwnMode(bot);
					break;
				}
				bot->Speed2D = std::min(n.chargeSpeed, bot->Speed2D + n.chargeAccel * dt);
				if (n.turnsWhileCharging && IsRobotInPlay())
					TurnEnemyTowardPlayer(bot, n.turnRate);
				DriveAlongHeading(bot, n.gravityMoving);
				bot->SpecialF[ROBOT_TIMER_CHARGE] -= dt;
				if (bot->SpecialF[ROBOT_TIMER_CHARGE] <= 0)
				{
					bot->Mode = ROBOT_MODE_IDLE;
					bot->SpecialF[ROBOT_TIMER_IDLE_WAIT] = n.chargeRest;
				}
				break;
		}
	}

	// Touching the robot nose first hurts it by the bot's own damage.
	void ContactHit(ObjNode* bot)
	{
		if (!RobotIsTarget() || !gPlayerNode->Skeleton)
			return;
		const ObjNode* p = gPlayerNode;
		float reach = bot->BBox.max.z * bot->Scale.x + p->BBox.max.x;
		if (CalcDistance3D(bot->Coord.x, bot->Coord.y, bot->Coord.z, p->Coord.x, p->Coord.y, p->Coord.z) >= reach)
			return;
		float toward = CalcYAngleFromPointToPoint(bot->Rot.y, bot->Coord.x, bot->Coord.z, p->Coord.x, p->Coord.z);
		if (std::fabs(WrapAngle(toward - bot->Rot.y)) < PI / 2)
			PlayerGotHit(bot, bot->Damage);
	}

	//
	// Hits
	//

	bool Damage(ObjNode* bot, float amount)
	{
		DetachEnemyFromSpline(bot, MoveRobot);		// a rider hit leaves its loop to fight
		bot->Health -= amount;
		if (bot->Health <= 0)
			DestroyRobotEnemy(bot);
		return true;
	}

	bool HitByShot(ObjNode* weapon, ObjNode* bot, const OGLPoint3D*, const OGLVector3D* delta, float)
	{
		if (delta)
		{
			bot->Delta.x += delta->x * SHOT_PUSH;
			bot->Delta.y += delta->y * SHOT_PUSH + SHOT_LIFT;
			bot->Delta.z += delta->z * SHOT_PUSH;
		}
		return Damage(bot, WeaponDamage(weapon, 1));
	}

	bool HitByJet(ObjNode*, ObjNode* bot, const OGLPoint3D*, const OGLVector3D*, float)
	{
		float r = gPlayerNode ? gPlayerNode->Rot.y : bot->Rot.y;
		bot->Delta = {-std::sin(r) * KNOCK_BACK_SPEED, KNOCK_BACK_LIFT, -std::cos(r) * KNOCK_BACK_SPEED};
		return Damage(bot, 1);
	}

	constexpr CreatureHitRoutines kRobotHits = {.hurt = Damage, .kill = DestroyRobotEnemy};

	//
	// Debris
	//

	void MoveDebris(ObjNode* piece)
	{
		const float dt = gFrameTime;
		piece->SpecialF[0] -= dt;
		if (piece->SpecialF[0] <= 0 || IsNodeOutOfRange(piece))
		{
			DeleteObject(piece);
			return;
		}
		GetObjectInfo(piece);
		gObjDelta.y -= DEBRIS_GRAVITY * dt;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		if (gObjCoord.y < ground)
		{
			gObjCoord.y = ground;
			gObjDelta.y *= -0.4f;
			gObjDelta.x *= 0.6f;
			gObjDelta.z *= 0.6f;
		}
		piece->Rot.x += piece->DeltaRot.x * dt;
		piece->Rot.y += piece->DeltaRot.y * dt;
		piece->Rot.z += piece->DeltaRot.z * dt;
		UpdateObject(piece);
	}

	void ThrowDebris(const ObjNode* bot, int model, float scale)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = bot->Coord;
		def.coord.y += 60;
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(DEBRIS_SLOT);
		def.moveCall = MoveDebris;
		def.rot = RandomFloat() * PI2;
		def.scale = scale;
		ObjNode* piece = MakeNewDisplayGroupObject(&def);
		piece->CType = 0;
		piece->SpecialF[0] = DEBRIS_LIFE;
		piece->Delta = {RandomFloatRange(-600, 600), RandomFloatRange(900, 1600), RandomFloatRange(-600, 600)};
		piece->DeltaRot = {RandomFloatRange(-8, 8), RandomFloatRange(-8, 8), RandomFloatRange(-8, 8)};
	}
}

// Every shot hurts it and pushes it; a nova ends it; a jet landing knocks it back.
const CreatureHitTable kRobotHitTable = [] {
	CreatureHitTable t{};
	t[WEAPON_STUNGUN] = t[WEAPON_ARCSHOT] = t[WEAPON_FLARE] = t[WEAPON_DART] = HitByShot;
	t[WEAPON_NOVA] = CreatureHitToDeath<kRobotHits>;
	t[WEAPON_JETHIT] = HitByJet;
	t[WEAPON_HURT] = CreatureHitByHurt<kRobotHits>;
	return t;
}();

// The swinger bot's spinning arms bat darts away.
const CreatureHitTable kSwingerBotHitTable = [] {
	CreatureHitTable t = kRobotHitTable;
	t[WEAPON_DART] = nullptr;
	return t;
}();

const RobotNumbers& RobotNumbersOf(uint8_t kind)
{
	switch (kind)
	{
		case ENEMY_KIND_ARMBOT: return kArmBotNumbers;
		case ENEMY_KIND_HAMMERBOT: return kHammerBotNumbers;
		case ENEMY_KIND_DRILLBOT: return kDrillBotNumbers;
		default: return kSwingerBotNumbers;
	}
}

void MoveRobot(ObjNode* bot)
{
	if (IsEnemyOutOfRange(bot))
	{
		ReleaseDrillBotSkewer(bot);
		DeleteEnemy(bot);
		return;
	}
	const RobotNumbers& n = RobotNumbersOf(bot->Kind);
	GetObjectInfo(bot);
	Drive(bot, n);
	gObjCoord.x += gObjDelta.x * gFrameTime;
	gObjCoord.y += gObjDelta.y * gFrameTime;
	gObjCoord.z += gObjDelta.z * gFrameTime;
	ResolveCollisions(bot, DRIVE_MASK, 0);
	if (gObjCoord.y < TerrainHeightAt(gObjCoord.x, gObjCoord.z) - ENEMY_FALL_LIMIT)
	{
		DeleteEnemy(bot);
		return;
	}
	UpdateObject(bot);
	n.pose(bot);
	if (n.afterPose)
		n.afterPose(bot);
	if (bot->CType != INVALID_NODE_FLAG)
		ContactHit(bot);
}

//
// Making
//

ObjNode* MakeRobotBody(const RobotNumbers& n, float x, float z)
{
	const CreatureKind& k = *n.creature;
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(n.bodyModel);
	def.coord = {x, IsTerrainSetUp() ? HighestSurfaceAt(x, z, CTYPE_MISC | CTYPE_TERRAIN) : 0.0f, z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(BODY_SLOT);
	def.moveCall = MoveRobot;
	def.scale = k.scale;
	ObjNode* bot = MakeNewDisplayGroupObject(&def);
	bot->Kind = k.kind;
	bot->CType = ROBOT_CTYPE;
	bot->CBits = SIDE_ALL;
	bot->EffectChannel = -1;
	for (int i = 0; i < MAX_FLAGS_IN_OBJNODE; i++)
		bot->Flag[i] = 0;
	for (float& f : bot->SpecialF)
		f = 0;
	bot->Mode = ROBOT_MODE_IDLE;
	bot->Health = k.health;
	bot->Damage = k.damage;
	bot->Speed2D = 0;
	if (k.targetOffset > 0)
		SetRandomTargetOff(bot, k.targetOffset);
	InstallCreatureHits(bot, *k.hits);
	return bot;
}

ObjNode* AddRobotPart(ObjNode* tail, int model)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(model);
	def.coord = tail->Coord;
	def.flags = gAutoFadeStatusBits | STATUS_BIT_DONTCULL;
	def.slot = int16_t(PART_SLOT);
	def.scale = 1;
	def.chainTail = tail;
	ObjNode* part = MakeNewDisplayGroupObject(&def);
	part->CType = 0;
	return part;
}

void SetRobotBodyBox(ObjNode* bot, float top, float bottom, float side)
{
	SetObjectCollisionBounds(bot, int16_t(top), int16_t(bottom), int16_t(-side), int16_t(side), int16_t(side), int16_t(-side));
	bot->Coord.y -= bottom - 1;		// stand just over the surface below
	bot->OldCoord = bot->Coord;
	UpdateObjectTransforms(bot);
	CalcObjectBoxFromNode(bot);
	// Its first fall meets that surface's top, not its inside (a sheet of ice is thin).
	KeepOldCollisionBoxes(bot);
}

//
// Part helpers
//

ObjNode* RobotPart(const ObjNode* bot, int n)
{
	ObjNode* p = bot->ChainNode;
	for (int i = 0; i < n && p; i++)
		p = p->ChainNode;
	return p;
}

void PoseRobotPart(ObjNode* part, const OGLMatrix4x4& parent, OGLPoint3D offset, const ObjNode* body)
{
	if (!part)
		return;
	OGLMatrix4x4 rot, move, local;
	OGLMatrix4x4_SetRotate_XYZ(&rot, part->Rot.x, part->Rot.y, part->Rot.z);
	OGLMatrix4x4_SetTranslate(&move, offset.x, offset.y, offset.z);
	OGLMatrix4x4_Multiply(&rot, &move, &local);
	OGLMatrix4x4_Multiply(&local, &parent, &part->BaseTransformMatrix);
	part->Coord = body->Coord;
	SyncBaseTransformObject(part);
}

OGLPoint3D PointOnRobotPart(const ObjNode* part, OGLPoint3D local)
{
	OGLPoint3D out;
	OGLPoint3D_Transform(&local, &part->BaseTransformMatrix, &out);
	return out;
}

bool RobotIsTarget()
{
	return IsRobotInPlay() && gPlayerLevel.invincibleTimer <= 0;
}

bool RobotInBox(OGLPoint3D centre, float half, float bottom, float top)
{
	return BoxHitsPlayer(top, bottom, centre.x - half, centre.x + half, centre.z + half, centre.z - half);
}

OGLVector3D DirectionToRobot(OGLPoint3D from, float turn)
{
	float dx = gPlayerNode->Coord.x - from.x, dz = gPlayerNode->Coord.z - from.z;
	float len = std::hypot(dx, dz);
	if (len < 1e-3f)
		dx = 0, dz = 1, len = 1;
	dx /= len;
	dz /= len;
	float c = std::cos(turn), s = std::sin(turn);
	return {dx * c + dz * s, 0, -dx * s + dz * c};
}

void ThrowRobotFrom(OGLPoint3D from, float turn, float speed, float lift)
{
	OGLVector3D dir = DirectionToRobot(from, turn);
	PlayerThrownByMachine({dir.x * speed, lift, dir.z * speed});
}

int16_t PlayRobotEffect(int effect, const OGLPoint3D* where, uint32_t rate, float volume)
{
	if (!IsSoundEffectLoaded(effect))
		return -1;
	return PlayEffect_Parms3D(effect, where, rate, volume);
}

//
// The end of them
//

void DestroyRobotEnemy(ObjNode* bot)
{
	if (!bot || bot->CType == INVALID_NODE_FLAG)
		return;
	ReleaseDrillBotSkewer(bot);
	// A few of its own parts fly off.
	const RobotNumbers& n = RobotNumbersOf(bot->Kind);
	const float scale = n.creature->scale;
	for (int i = 0; i < 3; i++)
		if (ObjNode* part = RobotPart(bot, i))
			ThrowDebris(bot, part->Type, scale);
	ThrowDebris(bot, n.bodyModel, scale * 0.5f);
	ExplodeGeometry(bot, 400, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE, 1, 0.4f);
	MakeRadialPuff(bot->Coord.x, bot->Coord.y, bot->Coord.z, 250, 2, 13, 40);
	MakeRadialPuff(bot->Coord.x, bot->Coord.y, bot->Coord.z, 180, 2.2f, 3, 40);
	PlayEnemyEffect3D(EFFECT_ROBOTEXPLODE, &bot->Coord);
	SpawnAtoms(bot->Coord, 1, 1, 1, false);
	DeleteEnemyForGood(bot);
}

void PoseRobotEnemy(ObjNode* bot)
{
	RobotNumbersOf(bot->Kind).pose(bot);
}
