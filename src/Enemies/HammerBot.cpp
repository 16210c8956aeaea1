// The hammer bot: it wobbles its mallet as it drives, and a robot standing
// where the mallet falls draws a smash that flattens it (and cracks the ice
// over a sealed exit lift). The guard of that lift is always added and comes
// back after it is destroyed.
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/HammerBotBounce.h"
#include "Enemies/RobotEnemiesInternal.h"
#include "3D/MetaObjects.h"
#include "Effects/Particles.h"
#include "Items/Contraptions.h"
#include "Player/Player.h"
#include "Player/PlayerRobotHits.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float HAMMERBOT_SCALE = 2.5f;
	constexpr float HAMMER_PHASE_RATE = 0.015f;
	constexpr OGLPoint3D HAMMER_ARM_OFFSET = {0, 40, -25};
	constexpr OGLPoint3D HAMMER_HEAD_OFFSET = {0, 70, 0};
	constexpr OGLPoint3D HAMMER_FACE = {0, 0, -24};	// the striking face on the head
	constexpr float HAMMER_HEAD_SPIN = 0.01f;
	constexpr float HAMMER_BRAKE = 5000.0f;			// units per second² while smashing
	constexpr float HAMMER_SMASH_GRAVITY = 1000.0f;
	constexpr float HAMMER_SWING_DOWN = 8.0f;		// radians per second
	constexpr float HAMMER_SWING_UP = 1.5f;
	constexpr float HAMMER_HOP = 1000.0f;
	constexpr float HAMMER_LURE_HEIGHT = 200.0f;
	constexpr float HAMMER_STRIKE_HEIGHT = 50.0f;
	constexpr float HAMMER_STRIKE_HALF = 40.0f;
	constexpr float HAMMER_AIRBORNE_SPEED = 60.0f;	// units per second up or down: off the ground after the hop
	constexpr float HAMMER_DUST_SPEED = 260.0f;
	constexpr float HAMMER_DUST_SIZE = 1.1f;
	constexpr float HAMMER_THUD_VOLUME = 1.3f;
	constexpr float BOX_TOP = 200.0f, BOX_BOTTOM = -82.0f, BOX_SIDE = 150.0f;
	enum { HAMMER_SQUASH = 5, HAMMER_SQUASH_RATE = 6 };	// the body's SpecialF
	enum { HAMMER_LAST_RISE = 5 };						// the head's SpecialF

	// Smash and recover: braking under light gravity while the arm works.
	void DriveHammerSmash(ObjNode* bot)
	{
		const float dt = gFrameTime;
		ObjNode* arm = RobotPart(bot, 0);
		bot->Speed2D = std::max(0.0f, bot->Speed2D - HAMMER_BRAKE * dt);
		gObjDelta.x = -std::sin(bot->Rot.y) * bot->Speed2D;
		gObjDelta.z = -std::cos(bot->Rot.y) * bot->Speed2D;
		gObjDelta.y -= HAMMER_SMASH_GRAVITY * dt;
		if (!arm)
			return;

		if (bot->Mode == ROBOT_MODE_SMASH)
		{
			if (arm->Rot.x <= HAMMERBOT_DOWN_ANGLE)
			{
				bot->Mode = ROBOT_MODE_RECOVER;
				bot->SpecialF[ROBOT_TIMER_RECOVER] = 0.3f + RandomFloat();
				return;
			}
			arm->Rot.x -= HAMMER_SWING_DOWN * dt;
			if (arm->Rot.x <= HAMMERBOT_DOWN_ANGLE)
			{
				arm->Rot.x = HAMMERBOT_DOWN_ANGLE;
				gObjDelta.y = HAMMER_HOP;
				PlayEnemyEffect3D(EFFECT_METALHIT, &bot->Coord);
				// The mallet lands: pose it now so the strike is where it is drawn.
				PoseHammerBot(bot);
				OGLPoint3D strike = HammerBotStrikePoint(bot);
				CrackExitIce(strike.x, strike.z);
			}
			OGLPoint3D strike = HammerBotStrikePoint(bot);
			if (IsRobotInPlay() && RobotInBox(strike, HAMMER_STRIKE_HALF, strike.y - HAMMER_STRIKE_HEIGHT / 2, strike.y + HAMMER_STRIKE_HEIGHT / 2))
			{
				if (PlayerFlattenedByEnemy())
				{
					MakeRadialPuff(strike.x, strike.y, strike.z, 200, 0.6f, 3, 20);
					PlayEnemyEffect3D(EFFECT_METALHIT, &strike);
				}
				bot->Mode = ROBOT_MODE_RECOVER;
				bot->SpecialF[ROBOT_TIMER_RECOVER] = 0;
			}
			return;
		}

		// Recover: wait, then lift the arm back up and drive on.
		float& wait = bot->SpecialF[ROBOT_TIMER_RECOVER];
		wait -= dt;
		if (wait > 0)
			return;
		arm->Rot.x += HAMMER_SWING_UP * dt;
		if (arm->Rot.x >= 0)
		{
			arm->Rot.x = 0;
			arm->SpecialF[ROBOT_PART_PHASE] = 0;
			bot->Mode = ROBOT_MODE_IDLE;
		}
	}

	// The drawn shape of a hammer bot: crouching into the smash, stretched by
	// the hop and squashed by the landing, with a thud and a puff of dust.
	// Only the drawn matrices change, so the strike and the body's box do not.
	void BounceHammerBot(ObjNode* bot)
	{
		ObjNode* arm = RobotPart(bot, 0);
		ObjNode* head = RobotPart(bot, 1);
		if (!arm || !head)
			return;
		HammerBounce b{bot->SpecialF[HAMMER_SQUASH], bot->SpecialF[HAMMER_SQUASH_RATE], head->SpecialF[HAMMER_LAST_RISE]};
		const float rise = bot->Delta.y;
		const bool airborne = bot->Mode == ROBOT_MODE_RECOVER && std::fabs(rise) > HAMMER_AIRBORNE_SPEED;
		const float target = HammerBounceTarget(bot->Mode == ROBOT_MODE_SMASH, arm->Rot.x / HAMMERBOT_DOWN_ANGLE, airborne, rise);
		const OGLPoint3D foot = {bot->Coord.x, bot->Coord.y + bot->BBox.min.y * bot->Scale.y, bot->Coord.z};
		if (StepHammerBounce(b, target, rise, gFrameTime))
		{
			MakeRadialPuff(foot.x, foot.y, foot.z, HAMMER_DUST_SPEED, HAMMER_DUST_SIZE, 3, 24);
			PlayRobotEffect(EFFECT_METALHIT, &foot, NORMAL_CHANNEL_RATE / 2, HAMMER_THUD_VOLUME);
		}
		bot->SpecialF[HAMMER_SQUASH] = b.squash;
		bot->SpecialF[HAMMER_SQUASH_RATE] = b.rate;
		head->SpecialF[HAMMER_LAST_RISE] = b.lastRise;
		if (b.squash == 0)
			return;
		const OGLMatrix4x4 squash = HammerBounceMatrix(b.squash, foot);
		for (ObjNode* n : {bot, arm, head})
			if (n->CType != INVALID_NODE_FLAG && n->BaseTransformObject)
				OGLMatrix4x4_Multiply(&n->BaseTransformMatrix, &squash, MO_MatrixData(n->BaseTransformObject));
	}

	bool HammerLureTouchesPlayer(const ObjNode* bot)
	{
		if (!RobotIsTarget())
			return false;
		OGLPoint3D lure = {bot->Coord.x - std::sin(bot->Rot.y) * HAMMERBOT_LURE_DISTANCE, 0,
				bot->Coord.z - std::cos(bot->Rot.y) * HAMMERBOT_LURE_DISTANCE};
		return RobotInBox(lure, HAMMERBOT_LURE_HALF, bot->Coord.y, bot->Coord.y + HAMMER_LURE_HEIGHT);
	}

	ObjNode* MakeUnarmouredHammerBot(float x, float z)
	{
		return MakeHammerBot(x, z, false);
	}
}

const CreatureKind kHammerBotKind = {
	.kind = ENEMY_KIND_HAMMERBOT,
	.limit = 10,
	.scale = HAMMERBOT_SCALE,
	.health = 0,						// not set: the first damaging hit ends it (the guard has armour)
	.damage = 0.2f,
	.hits = &kRobotHitTable,
	.move = MoveRobot,
	.build = MakeUnarmouredHammerBot,
	.loop = {.speed = 140, .detachDistance = ROBOT_DETACH_DISTANCE, .trueDistance = true, .health = 1.8f,
		.whileRiding = PoseRobotEnemy},
};

const RobotNumbers kHammerBotNumbers = {
	.creature = &kHammerBotKind,
	.bodyModel = LEVEL_MODEL_HAMMERBOT,
	.wakeDistance = 1500,
	.topSpeed = 350,
	.accel = 350,
	.turnRate = 1.8f,
	.coastDecel = 2300,
	.gravityIdle = 2000,
	.gravityMoving = 2000,
	.lured = HammerLureTouchesPlayer,
	.driveOwnMode = DriveHammerSmash,
	.pose = PoseHammerBot,
	.afterPose = BounceHammerBot,
};

void PoseHammerBot(ObjNode* bot)
{
	ObjNode* arm = RobotPart(bot, 0);
	ObjNode* head = RobotPart(bot, 1);
	if (!arm || !head)
		return;
	const float dt = gFrameTime;
	if (bot->Mode == ROBOT_MODE_IDLE || bot->Mode == ROBOT_MODE_CHASE)
	{
		float& phase = arm->SpecialF[ROBOT_PART_PHASE];
		float before = arm->Rot.x;
		phase = std::fmod(phase + (bot->Speed2D + 150) * dt * HAMMER_PHASE_RATE, PI2);
		arm->Rot.x = ROBOT_ARM_SWING * std::sin(phase);
		if ((before < 0) != (arm->Rot.x < 0))
		{
			OGLPoint3D at = PointOnRobotPart(arm, {0, 0, 0});
			PlayRobotEffect(EFFECT_HAMMERSQUEAK, &at, arm->Rot.x < 0 ? NORMAL_CHANNEL_RATE : NORMAL_CHANNEL_RATE * 2 / 3, 1);
		}
	}
	head->Rot.x = std::fmod(head->Rot.x - bot->Speed2D * HAMMER_HEAD_SPIN * dt, PI2);
	PoseRobotPart(arm, bot->BaseTransformMatrix, HAMMER_ARM_OFFSET, bot);
	PoseRobotPart(head, arm->BaseTransformMatrix, HAMMER_HEAD_OFFSET, bot);
}

ObjNode* MakeHammerBot(float x, float z, bool comesBack)
{
	ObjNode* bot = MakeRobotBody(kHammerBotNumbers, x, z);
	if (comesBack)
		bot->Health = HAMMERBOT_COMES_BACK_HEALTH;
	ObjNode* arm = AddRobotPart(bot, LEVEL_MODEL_HAMMERBOT_ARM);
	arm->SpecialF[ROBOT_PART_PHASE] = RandomFloat() * PI2;
	AddRobotPart(arm, LEVEL_MODEL_HAMMERBOT_HEAD);
	SetRobotBodyBox(bot, BOX_TOP, BOX_BOTTOM, BOX_SIDE);
	PoseHammerBot(bot);
	return bot;
}

bool AddHammerBot(TerrainItemEntryType* item, float x, float z)
{
	// The guard (always added, and back after it is destroyed) is the only
	// thing that cracks the ice over a sealed exit lift. An item turned away
	// is asked again only when its ground next comes into range, so a guard
	// turned away by a full enemy cap would never come while the robot waits
	// on the ice: the guard does not wait on the cap.
	const uint8_t GUARD_BITS = ENEMY_ITEM_ALWAYS_ADD | ENEMY_ITEM_COMES_BACK;
	bool guard = item && (item->parm[3] & GUARD_BITS) == GUARD_BITS;
	if (!guard && !CanAddEnemy(ENEMY_KIND_HAMMERBOT, item, kHammerBotKind.limit))
		return false;
	bool comesBack = item && (item->parm[3] & ENEMY_ITEM_COMES_BACK);
	AttachEnemyToItem(MakeHammerBot(x, z, comesBack), item);
	return true;
}

OGLPoint3D HammerBotStrikePoint(const ObjNode* bot)
{
	const ObjNode* head = RobotPart(bot, 1);
	if (!head)
		return bot->Coord;
	// The face points down the handle's swing: along the arm's forward, not the head's spin.
	const ObjNode* arm = RobotPart(bot, 0);
	OGLPoint3D centre = PointOnRobotPart(head, {0, 0, 0});
	OGLPoint3D pivot = PointOnRobotPart(arm, {0, 0, 0});
	OGLVector3D along = {centre.x - pivot.x, centre.y - pivot.y, centre.z - pivot.z};
	OGLVector3D unit;
	OGLVector3D_Normalize(&along, &unit);
	// The face is a quarter turn forward of the handle: upright it faces ahead, laid forward it faces down.
	float fx = -std::sin(bot->Rot.y), fz = -std::cos(bot->Rot.y);
	float up = unit.y, ahead = unit.x * fx + unit.z * fz;
	float reach = -HAMMER_FACE.z * bot->Scale.x;
	return {centre.x + fx * up * reach, centre.y - ahead * reach, centre.z + fz * up * reach};
}
