// The arm bot: it drives after the robot swinging a jointed flail from its
// shoulder, and a robot the flail's end strikes is thrown.
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/RobotEnemiesInternal.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "Player/PlayerRobotHits.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/SoundTable.h"

#include <cmath>

namespace
{
	constexpr float ARMBOT_SCALE = 15.0f;
	constexpr float ARM_PHASE_RATE = 0.04f;			// phase per unit of (speed + 150) per second
	constexpr OGLPoint3D ARM_OFFSET = {0, 4.4f, -10};
	constexpr OGLPoint3D ARM_SEGMENT_OFFSETS[3] = {{0, 0, -6}, {0, 0, -5}, {0, 0, -5}};
	constexpr OGLPoint3D ARM_TIP = {0, 0, -5};		// on the last segment
	constexpr float ARM_SEGMENT_SPIN = 0.02f;		// radians per unit of speed, per second
	constexpr float ARM_STRIKE_HALF = 70.0f;
	constexpr float ARM_STRIKE_DAMAGE = 0.2f;
	constexpr float ARM_THROW_LIFT = 1800.0f;
	constexpr float BOX_TOP = 150.0f, BOX_BOTTOM = 0.0f;
}

const CreatureKind kArmBotKind = {
	.kind = ENEMY_KIND_ARMBOT,
	.limit = 5,
	.scale = ARMBOT_SCALE,
	.health = 0,						// not set: the first damaging hit ends it
	.damage = 0.2f,
	.targetOffset = 60,
	.hits = &kRobotHitTable,
	.move = MoveRobot,
	.build = MakeArmBot,
	// One that rode a loop needs a full point of damage.
	.loop = {.speed = ROBOT_SPLINE_SPEED, .detachDistance = ROBOT_DETACH_DISTANCE, .trueDistance = true, .health = 1,
		.whileRiding = PoseRobotEnemy},
};

const RobotNumbers kArmBotNumbers = {
	.creature = &kArmBotKind,
	.bodyModel = LEVEL_MODEL_ARMBOT,
	.wakeDistance = 2000,
	.topSpeed = 350,
	.accel = 350,
	.turnRate = 2.0f,
	.coastDecel = 2300,
	.gravityIdle = 2000,
	.gravityMoving = 2000,
	.pose = PoseArmBot,
};

void PoseArmBot(ObjNode* bot)
{
	ObjNode* arm = RobotPart(bot, 0);
	if (!arm)
		return;
	const float dt = gFrameTime;
	float s = std::sqrt(bot->Delta.x * bot->Delta.x + bot->Delta.y * bot->Delta.y + bot->Delta.z * bot->Delta.z);
	bot->Speed2D = s;
	float& phase = arm->SpecialF[ROBOT_PART_PHASE];
	phase += (s + 150) * dt * ARM_PHASE_RATE;
	if (phase >= PI2)
	{
		phase = std::fmod(phase, PI2);
		PlayRobotEffect(EFFECT_METALHIT, &bot->Coord, 0x18000, 0.6f);
	}
	arm->Rot.x = -ROBOT_ARM_SWING * std::sin(phase);
	PoseRobotPart(arm, bot->BaseTransformMatrix, ARM_OFFSET, bot);
	ObjNode* prev = arm;
	for (int i = 0; i < 3; i++)
	{
		ObjNode* seg = RobotPart(bot, 1 + i);
		if (!seg)
			break;
		seg->Rot.x = std::fmod(seg->Rot.x - s * ARM_SEGMENT_SPIN * dt, PI2);
		PoseRobotPart(seg, prev->BaseTransformMatrix, ARM_SEGMENT_OFFSETS[i], bot);
		prev = seg;
	}
	if (!RobotIsTarget())
		return;
	OGLPoint3D tip = PointOnRobotPart(prev, ARM_TIP);
	if (!RobotInBox(tip, ARM_STRIKE_HALF, tip.y - ARM_STRIKE_HALF, tip.y + ARM_STRIKE_HALF))
		return;
	PlayerGotHit(nullptr, ARM_STRIKE_DAMAGE);
	ThrowRobotFrom(tip, 0, (bot->Speed2D + 400) * 1.5f, ARM_THROW_LIFT);
	PlayEnemyEffect3D(EFFECT_METALHIT2, &tip);
	MakeRadialPuff(tip.x, tip.y, tip.z, 300, 0.65f, 2, 20);
}

ObjNode* MakeArmBot(float x, float z)
{
	ObjNode* bot = MakeRobotBody(kArmBotNumbers, x, z);
	ObjNode* tail = AddRobotPart(bot, LEVEL_MODEL_ARMBOT_ARM);
	tail->SpecialF[ROBOT_PART_PHASE] = RandomFloat() * PI2;
	for (int i = 0; i < 3; i++)
		tail = AddRobotPart(tail, LEVEL_MODEL_ARMBOT_SEGMENT);
	SetRobotBodyBox(bot, BOX_TOP, BOX_BOTTOM, bot->BBox.max.x * ARMBOT_SCALE);
	PoseArmBot(bot);
	return bot;
}
