// The swinger bot: a turret on a tracked base with two spiked arms hanging
// from its head; the faster it goes the faster the head spins and the
// farther the arms fly out, and a robot an arm's tip strikes is flung.
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/RobotEnemiesInternal.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "Player/PlayerRobotHits.h"
#include "System/FrameTime.h"
#include "System/Sound.h"
#include "System/SoundTable.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr OGLPoint3D TURRET_OFFSET = {0, 65, -77};
	constexpr OGLPoint3D SWINGER_SHOULDERS[2] = {{-140, 206, 0}, {140, 206, 0}};
	constexpr OGLPoint3D SWINGER_ARM_TIP = {0, -150, 0};
	constexpr float SWINGER_STRIKE_HALF = 40.0f;
	constexpr float SWINGER_STRIKE_DAMAGE = 0.4f;
	constexpr float SWINGER_THROW_LIFT = 700.0f;
	constexpr float SWINGER_THROW_FACTOR = 5.0f;
	constexpr float SWINGER_THROW_SPEED_LIMIT = 2000.0f;	// units per second of the arm counted in a throw
	constexpr float SWINGER_SCROLL = 0.002f;
	constexpr float FLING_TURN = PI / 3;
}

const CreatureKind kSwingerBotKind = {
	.kind = ENEMY_KIND_SWINGERBOT,
	.limit = 5,
	.scale = 1,
	.health = 1.5f,
	.damage = 0.4f,
	.targetOffset = 50,
	.hits = &kSwingerBotHitTable,
	.move = MoveRobot,
	.build = MakeSwingerBot,
	// Its arms reach farther: it leaves its loop a little sooner.
	.loop = {.speed = ROBOT_SPLINE_SPEED, .detachDistance = 1100, .trueDistance = true, .whileRiding = PoseRobotEnemy},
};

const RobotNumbers kSwingerBotNumbers = {
	.creature = &kSwingerBotKind,
	.bodyModel = LEVEL_MODEL_SWINGERBOT,
	.wakeDistance = 2000,
	.topSpeed = 400,
	.accel = 400,
	.turnRate = 2.0f,
	.chargeSpeed = 700,
	.chargeAccel = 700,
	.coastDecel = 1000,
	.gravityIdle = 2000,
	.gravityMoving = 1000,
	.chargeRange = 900,
	.chargeAngle = PI / 2,
	.chargeTime = 2.5f,
	.chargeRest = 1.0f,
	.turnsWhileCharging = true,
	.pose = PoseSwingerBot,
};

void PoseSwingerBot(ObjNode* bot)
{
	ObjNode* base = RobotPart(bot, 0);
	ObjNode* turret = RobotPart(bot, 1);
	ObjNode* head = RobotPart(bot, 2);
	if (!base || !turret || !head)
		return;
	const float dt = gFrameTime;
	float s = std::sqrt(bot->Delta.x * bot->Delta.x + bot->Delta.y * bot->Delta.y + bot->Delta.z * bot->Delta.z);
	float k = s * SWINGER_SCROLL + 0.3f;
	base->TextureTransformU += s * SWINGER_SCROLL * dt;
	turret->Rot.y = std::fmod(turret->Rot.y + 10 * k * dt, PI2);
	head->Rot.y = std::fmod(head->Rot.y - 6 * k * dt, PI2);
	PoseRobotPart(base, bot->BaseTransformMatrix, {0, 0, 0}, bot);
	PoseRobotPart(turret, bot->BaseTransformMatrix, TURRET_OFFSET, bot);
	PoseRobotPart(head, turret->BaseTransformMatrix, {0, 0, 0}, bot);
	float tilt = SwingerBotArmTilt(s);
	for (int i = 0; i < 2; i++)
	{
		ObjNode* arm = RobotPart(bot, 3 + i);
		if (!arm)
			continue;
		OGLPoint3D before = PointOnRobotPart(arm, SWINGER_ARM_TIP);
		arm->Rot.z = i == 0 ? -tilt : tilt;
		PoseRobotPart(arm, head->BaseTransformMatrix, SWINGER_SHOULDERS[i], bot);
		OGLPoint3D tip = PointOnRobotPart(arm, SWINGER_ARM_TIP);
		if (dt > 0)
			arm->Speed2D = std::hypot(tip.x - before.x, tip.z - before.z) / dt;
		if (!IsRobotInPlay() || !RobotInBox(tip, SWINGER_STRIKE_HALF, tip.y - SWINGER_STRIKE_HALF, tip.y + SWINGER_STRIKE_HALF))
			continue;
		// A robot still blinking from the last blow is not thrown again.
		if (!PlayerGotHit(nullptr, SWINGER_STRIKE_DAMAGE))
			continue;
		gPlayerNode->Rot.y = CalcYAngleFromPointToPoint(gPlayerNode->Rot.y, gPlayerNode->Coord.x, gPlayerNode->Coord.z,
				2 * gPlayerNode->Coord.x - bot->Coord.x, 2 * gPlayerNode->Coord.z - bot->Coord.z);
		ThrowRobotFrom(bot->Coord, FLING_TURN, (std::min(arm->Speed2D, SWINGER_THROW_SPEED_LIMIT) + 400) * SWINGER_THROW_FACTOR,
				SWINGER_THROW_LIFT);
		PlayRobotEffect(EFFECT_METALHIT2, &tip, NORMAL_CHANNEL_RATE * 2 / 3, 1);
		MakeRadialPuff(tip.x, tip.y, tip.z, 300, 0.5f, 2, 20);
	}
	KeepEnemyEffectLooping(bot, EFFECT_SWINGERDRONE);
}

ObjNode* MakeSwingerBot(float x, float z)
{
	ObjNode* bot = MakeRobotBody(kSwingerBotNumbers, x, z);
	ObjNode* tail = AddRobotPart(bot, LEVEL_MODEL_SWINGERBOT_BASE);
	tail = AddRobotPart(tail, LEVEL_MODEL_SWINGERBOT_TURRET);
	tail = AddRobotPart(tail, LEVEL_MODEL_SWINGERBOT_HEAD);
	tail = AddRobotPart(tail, LEVEL_MODEL_SWINGERBOT_ARM);
	AddRobotPart(tail, LEVEL_MODEL_SWINGERBOT_ARM);
	SetRobotBodyBox(bot, bot->BBox.max.y, 0, bot->BBox.max.x);
	PoseSwingerBot(bot);
	return bot;
}

float SwingerBotArmTilt(float speed)
{
	return std::min((speed * SWINGER_SCROLL + 0.3f) / 2, SWINGERBOT_ARM_LIMIT);
}
