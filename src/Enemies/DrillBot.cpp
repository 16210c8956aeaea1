// The drill bot: it charges a robot in front of it, skewers it on its
// spinning drill for a few seconds (the robot spins with the drill and
// slides along it) and flings it away; it lights its way with two headlights.
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/RobotEnemiesInternal.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/PlayerRobotHits.h"
#include "System/FrameTime.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"

#include <cmath>

namespace
{
	constexpr float DRILLBOT_SCALE = 1.5f;
	constexpr OGLPoint3D DRILL_OFFSET = {0, 59, 0};
	constexpr float DRILL_SPIN = -20.0f;			// radians per second about z
	constexpr OGLPoint3D DRILL_EDGE_BASE = {0, 0, -30};
	constexpr OGLPoint3D DRILL_EDGE_TIP = {0, 0, -115};
	constexpr OGLPoint3D WHEEL_OFFSETS[2] = {{-44, 16, 0}, {44, 16, 0}};
	constexpr float WHEEL_SPIN = 0.02f;
	constexpr float SKEWER_DAMAGE = 0.2f;
	constexpr float SKEWER_SLIDE_RATE = 3.0f;
	constexpr float FLING_SPEED = 1000.0f;
	constexpr float FLING_LIFT = 2200.0f;
	constexpr float FLING_TURN = PI / 3;
	constexpr float BOX_BOTTOM = -15.0f;
	constexpr OGLPoint3D HEADLIGHT = {22, 112, -40};	// and its mirror image in x

	// The robot held on the drill: at most one at a time.
	struct Skewer
	{
		ObjNodeRef bot;
		float hold = 0;
		float phase = 0;
	};
	Skewer gSkewer;

	void FlingSkeweredPlayer(ObjNode* bot)
	{
		gSkewer = {};
		if (!gPlayerNode)
			return;
		OGLVector3D dir = DirectionToRobot(bot->Coord, FLING_TURN);
		PlayerReleasedFromDrill({dir.x * FLING_SPEED, FLING_LIFT, dir.z * FLING_SPEED});
	}
}

const CreatureKind kDrillBotKind = {
	.kind = ENEMY_KIND_DRILLBOT,
	.limit = 8,
	.scale = DRILLBOT_SCALE,
	.health = 1.5f,
	.damage = 0.2f,
	.hits = &kRobotHitTable,
	.move = MoveRobot,
	.build = MakeDrillBot,
	.loop = {.speed = ROBOT_SPLINE_SPEED, .detachDistance = ROBOT_DETACH_DISTANCE, .trueDistance = true, .health = 1,
		.whileRiding = PoseRobotEnemy},
};

const RobotNumbers kDrillBotNumbers = {
	.creature = &kDrillBotKind,
	.bodyModel = LEVEL_MODEL_DRILLBOT,
	.wakeDistance = 3000,
	.topSpeed = 240,
	.accel = 240,
	.turnRate = 1.6f,
	.chargeSpeed = 900,
	.chargeAccel = 900,
	.coastDecel = 2300,
	.gravityIdle = 2000,
	.gravityMoving = 2000,
	.chargeRange = 500,
	.chargeAngle = PI / 4,
	.chargeTime = 1.3f,
	.chargeRest = 1.5f,
	.pose = PoseDrillBot,
};

void ReleaseDrillBotSkewer(ObjNode* bot)
{
	if (gSkewer.bot.Get() == bot)
		FlingSkeweredPlayer(bot);
}

void PoseDrillBot(ObjNode* bot)
{
	ObjNode* drill = RobotPart(bot, 0);
	if (!drill)
		return;
	const float dt = gFrameTime;
	drill->Rot.z = std::fmod(drill->Rot.z + DRILL_SPIN * dt, PI2);
	PoseRobotPart(drill, bot->BaseTransformMatrix, DRILL_OFFSET, bot);
	for (int i = 0; i < 2; i++)
		if (ObjNode* wheel = RobotPart(bot, 1 + i))
		{
			wheel->Rot.x = std::fmod(wheel->Rot.x - bot->Speed2D * WHEEL_SPIN * dt, PI2);
			PoseRobotPart(wheel, bot->BaseTransformMatrix, WHEEL_OFFSETS[i], bot);
		}

	bool skewering = gSkewer.bot.Get() == bot;
	if (skewering)
	{
		StopAChannelIfEffectNum(&bot->EffectChannel, EFFECT_DRILLBOTWHINE);
		if (bot->EffectChannel == -1)
			bot->EffectChannel = PlayRobotEffect(EFFECT_DRILLBOTWHINEHI, &bot->Coord, NORMAL_CHANNEL_RATE * 3 / 2, 1.5f);
		else if (bot->EffectChannel != -1)
			Update3DSoundChannel(EFFECT_DRILLBOTWHINEHI, &bot->EffectChannel, &bot->Coord);
	}
	else
	{
		StopAChannelIfEffectNum(&bot->EffectChannel, EFFECT_DRILLBOTWHINEHI);
		KeepEnemyEffectLooping(bot, EFFECT_DRILLBOTWHINE);
	}

	OGLPoint3D base = PointOnRobotPart(drill, DRILL_EDGE_BASE), tip = PointOnRobotPart(drill, DRILL_EDGE_TIP);
	if (skewering)
	{
		gSkewer.hold -= dt;
		gSkewer.phase += SKEWER_SLIDE_RATE * dt;
		float t = (std::sin(gSkewer.phase) + 1) / 2;
		OGLPoint3D at = {base.x + (tip.x - base.x) * t, base.y + (tip.y - base.y) * t, base.z + (tip.z - base.z) * t};
		OGLPoint3D hit;
		bool above = false;
		float fenceTop = 0;
		bool fence = SegmentHitsFence(&bot->Coord, &at, &hit, &above, &fenceTop);
		if (gSkewer.hold <= 0 || fence || !IsRobotInPlay())
			FlingSkeweredPlayer(bot);
		else if (!HoldPlayerOnDrill(at, bot->Rot.y + PI, -drill->Rot.z))
			gSkewer = {};		// off the drill some other way (dead): nothing to fling
		return;
	}
	if (gSkewer.bot.IsAlive() || !RobotIsTarget() || IsPlayerHeld())
		return;
	if (!SegmentHitsPlayer(&base, &tip))
		return;
	PlayerGotHit(nullptr, SKEWER_DAMAGE);
	if (gPlayerLevel.isDead)
		return;
	gSkewer.bot = ObjNodeRef(bot);
	gSkewer.hold = DRILLBOT_HOLD_TIME;
	gSkewer.phase = PI;
	drill->Rot.z = PI;
	StopAChannel(&bot->EffectChannel);
	PlayerSkeweredOnDrill();
}

ObjNode* MakeDrillBot(float x, float z)
{
	ObjNode* bot = MakeRobotBody(kDrillBotNumbers, x, z);
	ObjNode* tail = AddRobotPart(bot, LEVEL_MODEL_DRILLBOT_DRILL);
	tail = AddRobotPart(tail, LEVEL_MODEL_DRILLBOT_WHEEL);
	AddRobotPart(tail, LEVEL_MODEL_DRILLBOT_WHEEL);
	SetRobotBodyBox(bot, bot->BBox.max.y * DRILLBOT_SCALE, BOX_BOTTOM, bot->BBox.max.x * DRILLBOT_SCALE);
	// Two headlights, carried with the body.
	for (int i = 0; i < 2; i++)
	{
		int16_t n = GetFreeSparkle(bot);
		if (n < 0)
			break;
		bot->Sparkles[i] = n;
		SparkleType& light = gSparkles[n];
		light.flags = SPARKLE_FLAG_TRANSFORMWITHOWNER;
		light.where = {i ? HEADLIGHT.x : -HEADLIGHT.x, HEADLIGHT.y, HEADLIGHT.z};
		light.aim = {0, 0, -1};
		light.color = {1, 1, 1, 1};
		light.scale = 150;
		light.separation = 40;
		light.textureNum = 19;
	}
	PoseDrillBot(bot);
	return bot;
}

ObjNode* GetDrillBotSkewering()
{
	return gSkewer.bot.IsAlive() ? gPlayerNode : nullptr;
}
