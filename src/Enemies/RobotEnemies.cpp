// The four machines of the fire-and-ice level: one table of per-kind numbers,
// one driving routine by mode, then each kind's posing and attack, the hit
// handlers they share, and the blast that ends them.
#include "Enemies/RobotEnemies.h"
#include "Enemies/CreatureKit.h"
#include "Enemies/Enemy.h"
#include "Enemies/HammerBotBounce.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Items/Contraptions.h"
#include "Items/Powerups.h"
#include "Player/Player.h"
#include "Player/PlayerHeld.h"
#include "Player/PlayerRobotHits.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace
{
	//
	// Per-kind numbers
	//

	struct RobotDef
	{
		uint8_t kind;
		int limit;						// alive at once (from items)
		int bodyModel;
		float scale;
		float health;					// from its item (0: the first damaging hit ends it)
		float damage;					// contact
		float wakeDistance;				// fast distance at which an idle bot starts chasing
		float topSpeed, accel, turnRate;
		float chargeSpeed, chargeAccel;
		float coastDecel;
		float gravityIdle, gravityMoving;
		float targetOffset;
	};

	const RobotDef kArmBot = {ENEMY_KIND_ARMBOT, 5, LEVEL_MODEL_ARMBOT, 15, 0, 0.2f, 2000, 350, 350, 2.0f, 0, 0, 2300, 2000, 2000, 60};
	const RobotDef kHammerBot = {ENEMY_KIND_HAMMERBOT, 10, LEVEL_MODEL_HAMMERBOT, 2.5f, 0, 0.2f, 1500, 350, 350, 1.8f, 0, 0, 2300, 2000, 2000, 0};
	const RobotDef kDrillBot = {ENEMY_KIND_DRILLBOT, 8, LEVEL_MODEL_DRILLBOT, 1.5f, 1.5f, 0.2f, 3000, 240, 240, 1.6f, 900, 900, 2300, 2000, 2000, 0};
	const RobotDef kSwingerBot = {ENEMY_KIND_SWINGERBOT, 5, LEVEL_MODEL_SWINGERBOT, 1, 1.5f, 0.4f, 2000, 400, 400, 2.0f, 700, 700, 1000, 2000, 1000, 50};

	constexpr uint16_t BODY_SLOT = 381;
	constexpr uint16_t PART_SLOT = 3000;
	constexpr uint16_t DEBRIS_SLOT = 3001;
	constexpr uint32_t ROBOT_CTYPE = CTYPE_ENEMY | CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_MISC;
	constexpr uint32_t DRIVE_MASK = CTYPE_TERRAIN | CTYPE_TRIGGER2 | CTYPE_MISC | CTYPE_PLAYER | CTYPE_FENCE;

	// Node fields of the body.
	enum { TIMER_CHARGE = 0, TIMER_IDLE_WAIT = 1, TIMER_RECOVER = 3 };
	// Of the first part: its wobble phase.
	enum { PART_PHASE = 2 };

	// Hits.
	constexpr float SHOT_PUSH = 0.4f;				// share of a shot's velocity given to the bot
	constexpr float SHOT_LIFT = 200.0f;
	constexpr float KNOCK_BACK_SPEED = 1000.0f;
	constexpr float KNOCK_BACK_LIFT = 500.0f;

	// Arm bot.
	constexpr float ARM_PHASE_RATE = 0.04f;			// phase per unit of (speed + 150) per second
	constexpr float ARM_SWING = 0.6f;				// radians either way
	constexpr OGLPoint3D ARM_OFFSET = {0, 4.4f, -10};
	constexpr OGLPoint3D ARM_SEGMENT_OFFSETS[3] = {{0, 0, -6}, {0, 0, -5}, {0, 0, -5}};
	constexpr OGLPoint3D ARM_TIP = {0, 0, -5};		// on the last segment
	constexpr float ARM_SEGMENT_SPIN = 0.02f;		// radians per unit of speed, per second
	constexpr float ARM_STRIKE_HALF = 70.0f;
	constexpr float ARM_STRIKE_DAMAGE = 0.2f;
	constexpr float ARM_THROW_LIFT = 1800.0f;

	// Hammer bot.
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
	enum { HAMMER_SQUASH = 5, HAMMER_SQUASH_RATE = 6 };	// the body's SpecialF
	enum { HAMMER_LAST_RISE = 5 };						// the head's SpecialF

	// Drill bot.
	constexpr OGLPoint3D DRILL_OFFSET = {0, 59, 0};
	constexpr float DRILL_SPIN = -20.0f;			// radians per second about z
	constexpr OGLPoint3D DRILL_EDGE_BASE = {0, 0, -30};
	constexpr OGLPoint3D DRILL_EDGE_TIP = {0, 0, -115};
	constexpr OGLPoint3D WHEEL_OFFSETS[2] = {{-44, 16, 0}, {44, 16, 0}};
	constexpr float WHEEL_SPIN = 0.02f;
	constexpr float DRILL_CHARGE_RANGE = 500.0f;
	constexpr float DRILL_CHARGE_ANGLE = PI / 4;
	constexpr float DRILL_CHARGE_TIME = 1.3f;
	constexpr float DRILL_REST = 1.5f;
	constexpr float SKEWER_DAMAGE = 0.2f;
	constexpr float SKEWER_SLIDE_RATE = 3.0f;
	constexpr float FLING_SPEED = 1000.0f;
	constexpr float FLING_LIFT = 2200.0f;
	constexpr float FLING_TURN = PI / 3;

	// Swinger bot.
	constexpr OGLPoint3D TURRET_OFFSET = {0, 65, -77};
	constexpr OGLPoint3D SWINGER_SHOULDERS[2] = {{-140, 206, 0}, {140, 206, 0}};
	constexpr OGLPoint3D SWINGER_ARM_TIP = {0, -150, 0};
	constexpr float SWINGER_CHARGE_RANGE = 900.0f;
	constexpr float SWINGER_CHARGE_ANGLE = PI / 2;
	constexpr float SWINGER_CHARGE_TIME = 2.5f;
	constexpr float SWINGER_REST = 1.0f;
	constexpr float SWINGER_STRIKE_HALF = 40.0f;
	constexpr float SWINGER_STRIKE_DAMAGE = 0.4f;
	constexpr float SWINGER_THROW_LIFT = 700.0f;
	constexpr float SWINGER_THROW_FACTOR = 5.0f;
	constexpr float SWINGER_SCROLL = 0.002f;

	// Debris.
	constexpr float DEBRIS_LIFE = 2.0f;
	constexpr float DEBRIS_GRAVITY = 2500.0f;

	// The robot held on the drill: at most one at a time.
	struct Skewer
	{
		ObjNodeRef bot;
		float hold = 0;
		float phase = 0;
	};
	Skewer gSkewer;

	// An effect at a rate of its own; silent where the level did not load its bank.
	int16_t PlayRobotEffect(int effect, const OGLPoint3D* where, uint32_t rate, float volume)
	{
		if (!IsSoundEffectLoaded(effect))
			return -1;
		return PlayEffect_Parms3D(effect, where, rate, volume);
	}

	float WrapAngle(float a)
	{
		a = std::fmod(a, PI2);
		if (a > PI)
			a -= PI2;
		else if (a < -PI)
			a += PI2;
		return a;
	}

	const RobotDef& DefOf(const ObjNode* bot)
	{
		switch (bot->Kind)
		{
			case ENEMY_KIND_ARMBOT: return kArmBot;
			case ENEMY_KIND_HAMMERBOT: return kHammerBot;
			case ENEMY_KIND_DRILLBOT: return kDrillBot;
			default: return kSwingerBot;
		}
	}

	// The n-th part on the body's chain (0 the first).
	ObjNode* Part(const ObjNode* bot, int n)
	{
		ObjNode* p = bot->ChainNode;
		for (int i = 0; i < n && p; i++)
			p = p->ChainNode;
		return p;
	}

	// part matrix = its rotation, then its offset, then its parent's matrix.
	void PosePart(ObjNode* part, const OGLMatrix4x4& parent, OGLPoint3D offset, const ObjNode* body)
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

	OGLPoint3D PointOn(const ObjNode* part, OGLPoint3D local)
	{
		OGLPoint3D out;
		OGLPoint3D_Transform(&local, &part->BaseTransformMatrix, &out);
		return out;
	}

	bool PlayerIsTarget()
	{
		return IsRobotInPlay() && gInvincibleTimer <= 0;
	}

	bool PlayerInBox(OGLPoint3D centre, float half, float bottom, float top)
	{
		return BoxHitsPlayer(top, bottom, centre.x - half, centre.x + half, centre.z + half, centre.z - half);
	}

	// A unit horizontal direction from `from` to the robot, turned by `turn` about y.
	OGLVector3D DirectionToPlayer(OGLPoint3D from, float turn)
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

	//
	// Making
	//

	ObjNode* AddPart(ObjNode* tail, int model)
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

	void InstallHitHandlers(ObjNode* bot);
	void MoveRobot(ObjNode* bot);

	ObjNode* MakeBody(const RobotDef& d, float x, float z)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(d.bodyModel);
		def.coord = {x, IsTerrainSetUp() ? HighestSurfaceAt(x, z, CTYPE_MISC | CTYPE_TERRAIN) : 0.0f, z};
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(BODY_SLOT);
		def.moveCall = MoveRobot;
		def.scale = d.scale;
		ObjNode* bot = MakeNewDisplayGroupObject(&def);
		bot->Kind = d.kind;
		bot->CType = ROBOT_CTYPE;
		bot->CBits = SIDE_ALL;
		bot->EffectChannel = -1;
		for (int i = 0; i < MAX_FLAGS_IN_OBJNODE; i++)
			bot->Flag[i] = 0;
		for (float& f : bot->SpecialF)
			f = 0;
		bot->Mode = ROBOT_MODE_IDLE;
		bot->Health = d.health;
		bot->Damage = d.damage;
		bot->Speed2D = 0;
		if (d.targetOffset > 0)
			SetRandomTargetOff(bot, d.targetOffset);
		InstallHitHandlers(bot);
		return bot;
	}

	// The box from the body's bounds (world units) once the bottom is known.
	void SetBodyBox(ObjNode* bot, float top, float bottom, float side)
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
	// Posing and attacks
	//

	void PlayerThrownFrom(OGLPoint3D from, float turn, float speed, float lift)
	{
		OGLVector3D dir = DirectionToPlayer(from, turn);
		PlayerThrownByMachine({dir.x * speed, lift, dir.z * speed});
	}

	void PoseArmBot(ObjNode* bot)
	{
		ObjNode* arm = Part(bot, 0);
		if (!arm)
			return;
		const float dt = gFrameTime;
		float s = std::sqrt(bot->Delta.x * bot->Delta.x + bot->Delta.y * bot->Delta.y + bot->Delta.z * bot->Delta.z);
		bot->Speed2D = s;
		float& phase = arm->SpecialF[PART_PHASE];
		phase += (s + 150) * dt * ARM_PHASE_RATE;
		if (phase >= PI2)
		{
			phase = std::fmod(phase, PI2);
			PlayRobotEffect(EFFECT_METALHIT, &bot->Coord, 0x18000, 0.6f);
		}
		arm->Rot.x = -ARM_SWING * std::sin(phase);
		PosePart(arm, bot->BaseTransformMatrix, ARM_OFFSET, bot);
		ObjNode* prev = arm;
		for (int i = 0; i < 3; i++)
		{
			ObjNode* seg = Part(bot, 1 + i);
			if (!seg)
				break;
			seg->Rot.x = std::fmod(seg->Rot.x - s * ARM_SEGMENT_SPIN * dt, PI2);
			PosePart(seg, prev->BaseTransformMatrix, ARM_SEGMENT_OFFSETS[i], bot);
			prev = seg;
		}
		if (!PlayerIsTarget())
			return;
		OGLPoint3D tip = PointOn(prev, ARM_TIP);
		if (!PlayerInBox(tip, ARM_STRIKE_HALF, tip.y - ARM_STRIKE_HALF, tip.y + ARM_STRIKE_HALF))
			return;
		PlayerGotHit(nullptr, ARM_STRIKE_DAMAGE);
		PlayerThrownFrom(tip, 0, (bot->Speed2D + 400) * 1.5f, ARM_THROW_LIFT);
		PlayEnemyEffect3D(EFFECT_METALHIT2, &tip);
		MakeRadialPuff(tip.x, tip.y, tip.z, 300, 0.65f, 2, 20);
	}

	void PoseHammerBot(ObjNode* bot)
	{
		ObjNode* arm = Part(bot, 0);
		ObjNode* head = Part(bot, 1);
		if (!arm || !head)
			return;
		const float dt = gFrameTime;
		if (bot->Mode == ROBOT_MODE_IDLE || bot->Mode == ROBOT_MODE_CHASE)
		{
			float& phase = arm->SpecialF[PART_PHASE];
			float before = arm->Rot.x;
			phase = std::fmod(phase + (bot->Speed2D + 150) * dt * HAMMER_PHASE_RATE, PI2);
			arm->Rot.x = ARM_SWING * std::sin(phase);
			if ((before < 0) != (arm->Rot.x < 0))
			{
				OGLPoint3D at = PointOn(arm, {0, 0, 0});
				PlayRobotEffect(EFFECT_HAMMERSQUEAK, &at, arm->Rot.x < 0 ? NORMAL_CHANNEL_RATE : NORMAL_CHANNEL_RATE * 2 / 3, 1);
			}
		}
		head->Rot.x = std::fmod(head->Rot.x - bot->Speed2D * HAMMER_HEAD_SPIN * dt, PI2);
		PosePart(arm, bot->BaseTransformMatrix, HAMMER_ARM_OFFSET, bot);
		PosePart(head, arm->BaseTransformMatrix, HAMMER_HEAD_OFFSET, bot);
	}

	// Smash and recover: braking under light gravity while the arm works.
	void DriveHammerSmash(ObjNode* bot)
	{
		const float dt = gFrameTime;
		ObjNode* arm = Part(bot, 0);
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
				bot->SpecialF[TIMER_RECOVER] = 0.3f + RandomFloat();
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
			if (IsRobotInPlay() && PlayerInBox(strike, HAMMER_STRIKE_HALF, strike.y - HAMMER_STRIKE_HEIGHT / 2, strike.y + HAMMER_STRIKE_HEIGHT / 2))
			{
				if (PlayerFlattenedByEnemy())
				{
					MakeRadialPuff(strike.x, strike.y, strike.z, 200, 0.6f, 3, 20);
					PlayEnemyEffect3D(EFFECT_METALHIT, &strike);
				}
				bot->Mode = ROBOT_MODE_RECOVER;
				bot->SpecialF[TIMER_RECOVER] = 0;
			}
			return;
		}

		// Recover: wait, then lift the arm back up and drive on.
		float& wait = bot->SpecialF[TIMER_RECOVER];
		wait -= dt;
		if (wait > 0)
			return;
		arm->Rot.x += HAMMER_SWING_UP * dt;
		if (arm->Rot.x >= 0)
		{
			arm->Rot.x = 0;
			arm->SpecialF[PART_PHASE] = 0;
			bot->Mode = ROBOT_MODE_IDLE;
		}
	}

	// The drawn shape of a hammer bot: crouching into the smash, stretched by
	// the hop and squashed by the landing, with a thud and a puff of dust.
	// Only the drawn matrices change, so the strike and the body's box do not.
	void BounceHammerBot(ObjNode* bot)
	{
		ObjNode* arm = Part(bot, 0);
		ObjNode* head = Part(bot, 1);
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
		if (!PlayerIsTarget())
			return false;
		OGLPoint3D lure = {bot->Coord.x - std::sin(bot->Rot.y) * HAMMERBOT_LURE_DISTANCE, 0,
				bot->Coord.z - std::cos(bot->Rot.y) * HAMMERBOT_LURE_DISTANCE};
		return PlayerInBox(lure, HAMMERBOT_LURE_HALF, bot->Coord.y, bot->Coord.y + HAMMER_LURE_HEIGHT);
	}

	void FlingSkeweredPlayer(ObjNode* bot)
	{
		gSkewer = {};
		if (!gPlayerNode)
			return;
		OGLVector3D dir = DirectionToPlayer(bot->Coord, FLING_TURN);
		PlayerReleasedFromDrill({dir.x * FLING_SPEED, FLING_LIFT, dir.z * FLING_SPEED});
	}

	void PoseDrillBot(ObjNode* bot)
	{
		ObjNode* drill = Part(bot, 0);
		if (!drill)
			return;
		const float dt = gFrameTime;
		drill->Rot.z = std::fmod(drill->Rot.z + DRILL_SPIN * dt, PI2);
		PosePart(drill, bot->BaseTransformMatrix, DRILL_OFFSET, bot);
		for (int i = 0; i < 2; i++)
			if (ObjNode* wheel = Part(bot, 1 + i))
			{
				wheel->Rot.x = std::fmod(wheel->Rot.x - bot->Speed2D * WHEEL_SPIN * dt, PI2);
				PosePart(wheel, bot->BaseTransformMatrix, WHEEL_OFFSETS[i], bot);
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

		OGLPoint3D base = PointOn(drill, DRILL_EDGE_BASE), tip = PointOn(drill, DRILL_EDGE_TIP);
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
		if (gSkewer.bot.IsAlive() || !PlayerIsTarget() || IsPlayerHeld())
			return;
		if (!SegmentHitsPlayer(&base, &tip))
			return;
		PlayerGotHit(nullptr, SKEWER_DAMAGE);
		if (gPlayerIsDead)
			return;
		gSkewer.bot = ObjNodeRef(bot);
		gSkewer.hold = DRILLBOT_HOLD_TIME;
		gSkewer.phase = PI;
		drill->Rot.z = PI;
		StopAChannel(&bot->EffectChannel);
		PlayerSkeweredOnDrill();
	}

	void PoseSwingerBot(ObjNode* bot)
	{
		ObjNode* base = Part(bot, 0);
		ObjNode* turret = Part(bot, 1);
		ObjNode* head = Part(bot, 2);
		if (!base || !turret || !head)
			return;
		const float dt = gFrameTime;
		float s = std::sqrt(bot->Delta.x * bot->Delta.x + bot->Delta.y * bot->Delta.y + bot->Delta.z * bot->Delta.z);
		float k = s * SWINGER_SCROLL + 0.3f;
		base->TextureTransformU += s * SWINGER_SCROLL * dt;
		turret->Rot.y = std::fmod(turret->Rot.y + 10 * k * dt, PI2);
		head->Rot.y = std::fmod(head->Rot.y - 6 * k * dt, PI2);
		PosePart(base, bot->BaseTransformMatrix, {0, 0, 0}, bot);
		PosePart(turret, bot->BaseTransformMatrix, TURRET_OFFSET, bot);
		PosePart(head, turret->BaseTransformMatrix, {0, 0, 0}, bot);
		float tilt = SwingerBotArmTilt(s);
		for (int i = 0; i < 2; i++)
		{
			ObjNode* arm = Part(bot, 3 + i);
			if (!arm)
				continue;
			OGLPoint3D before = PointOn(arm, SWINGER_ARM_TIP);
			arm->Rot.z = i == 0 ? -tilt : tilt;
			PosePart(arm, head->BaseTransformMatrix, SWINGER_SHOULDERS[i], bot);
			OGLPoint3D tip = PointOn(arm, SWINGER_ARM_TIP);
			if (dt > 0)
				arm->Speed2D = std::hypot(tip.x - before.x, tip.z - before.z) / dt;
			if (!IsRobotInPlay() || !PlayerInBox(tip, SWINGER_STRIKE_HALF, tip.y - SWINGER_STRIKE_HALF, tip.y + SWINGER_STRIKE_HALF))
				continue;
			// A robot still blinking from the last blow is not thrown again.
			if (!PlayerGotHit(nullptr, SWINGER_STRIKE_DAMAGE))
				continue;
			gPlayerNode->Rot.y = CalcYAngleFromPointToPoint(gPlayerNode->Rot.y, gPlayerNode->Coord.x, gPlayerNode->Coord.z,
					2 * gPlayerNode->Coord.x - bot->Coord.x, 2 * gPlayerNode->Coord.z - bot->Coord.z);
			PlayerThrownFrom(bot->Coord, FLING_TURN, (std::min(arm->Speed2D, 2000.0f) + 400) * SWINGER_THROW_FACTOR, SWINGER_THROW_LIFT);
			PlayRobotEffect(EFFECT_METALHIT2, &tip, NORMAL_CHANNEL_RATE * 2 / 3, 1);
			MakeRadialPuff(tip.x, tip.y, tip.z, 300, 0.5f, 2, 20);
		}
		KeepEnemyEffectLooping(bot, EFFECT_SWINGERDRONE);
	}

	//
	// Driving
	//

	void DriveAlongHeading(ObjNode* bot, float gravity)
	{
		gObjDelta.x = -std::sin(bot->Rot.y) * bot->Speed2D;
		gObjDelta.z = -std::cos(bot->Rot.y) * bot->Speed2D;
		gObjDelta.y -= gravity * gFrameTime;
	}

	void Drive(ObjNode* bot, const RobotDef& d)
	{
		const float dt = gFrameTime;
		switch (bot->Mode)
		{
			case ROBOT_MODE_IDLE:
				bot->Speed2D = std::max(0.0f, bot->Speed2D - d.coastDecel * dt);
				DriveAlongHeading(bot, d.gravityIdle);
				bot->SpecialF[TIMER_IDLE_WAIT] -= dt;
				if (bot->SpecialF[TIMER_IDLE_WAIT] <= 0 && IsRobotInPlay() && EnemyDistanceToPlayer(bot) < d.wakeDistance)
					bot->Mode = ROBOT_MODE_CHASE;
				break;

			case ROBOT_MODE_CHASE:
			{
				bot->Speed2D = std::min(d.topSpeed, bot->Speed2D + d.accel * dt);
				float left = IsRobotInPlay() ? TurnEnemyTowardPlayer(bot, d.turnRate) : PI;
				DriveAlongHeading(bot, d.gravityMoving);
				float dist = EnemyDistanceToPlayer(bot);
				if (d.kind == ENEMY_KIND_DRILLBOT && left < DRILL_CHARGE_ANGLE && dist < DRILL_CHARGE_RANGE)
				{
					bot->Mode = ROBOT_MODE_CHARGE;
					bot->SpecialF[TIMER_CHARGE] = DRILL_CHARGE_TIME;
				}
				else if (d.kind == ENEMY_KIND_SWINGERBOT && left < SWINGER_CHARGE_ANGLE && dist < SWINGER_CHARGE_RANGE)
				{
					bot->Mode = ROBOT_MODE_CHARGE;
					bot->SpecialF[TIMER_CHARGE] = SWINGER_CHARGE_TIME;
				}
				else if (d.kind == ENEMY_KIND_HAMMERBOT && HammerLureTouchesPlayer(bot))
					bot->Mode = ROBOT_MODE_SMASH;
				break;
			}

			default:
				if (d.kind == ENEMY_KIND_HAMMERBOT)
				{
					DriveHammerSmash(bot);
					break;
				}
				bot->Speed2D = std::min(d.chargeSpeed, bot->Speed2D + d.chargeAccel * dt);
				if (d.kind == ENEMY_KIND_SWINGERBOT && IsRobotInPlay())
					TurnEnemyTowardPlayer(bot, d.turnRate);
				DriveAlongHeading(bot, d.gravityMoving);
				bot->SpecialF[TIMER_CHARGE] -= dt;
				if (bot->SpecialF[TIMER_CHARGE] <= 0)
				{
					bot->Mode = ROBOT_MODE_IDLE;
					bot->SpecialF[TIMER_IDLE_WAIT] = d.kind == ENEMY_KIND_DRILLBOT ? DRILL_REST : SWINGER_REST;
				}
				break;
		}
	}

	// Touching the robot nose first hurts it by the bot's own damage.
	void ContactHit(ObjNode* bot)
	{
		if (!PlayerIsTarget() || !gPlayerNode->Skeleton)
			return;
		const ObjNode* p = gPlayerNode;
		float reach = bot->BBox.max.z * bot->Scale.x + p->BBox.max.x;
		if (CalcDistance3D(bot->Coord.x, bot->Coord.y, bot->Coord.z, p->Coord.x, p->Coord.y, p->Coord.z) >= reach)
			return;
		float toward = CalcYAngleFromPointToPoint(bot->Rot.y, bot->Coord.x, bot->Coord.z, p->Coord.x, p->Coord.z);
		if (std::fabs(WrapAngle(toward - bot->Rot.y)) < PI / 2)
			PlayerGotHit(bot, bot->Damage);
	}

	void MoveRobot(ObjNode* bot)
	{
		if (IsEnemyOutOfRange(bot))
		{
			if (gSkewer.bot.Get() == bot)
				FlingSkeweredPlayer(bot);
			DeleteEnemy(bot);
			return;
		}
		const RobotDef& d = DefOf(bot);
		GetObjectInfo(bot);
		Drive(bot, d);
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
		PoseRobotEnemy(bot);
		if (d.kind == ENEMY_KIND_HAMMERBOT)
			BounceHammerBot(bot);
		if (bot->CType != INVALID_NODE_FLAG)
			ContactHit(bot);
	}

	//
	// Hits
	//

	bool Damage(ObjNode* bot, float amount)
	{
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

	void InstallHitHandlers(ObjNode* bot)
	{
		bot->HitByWeaponHandler[WEAPON_STUNGUN] = HitByShot;
		bot->HitByWeaponHandler[WEAPON_ARCSHOT] = HitByShot;
		bot->HitByWeaponHandler[WEAPON_FLARE] = HitByShot;
		if (bot->Kind != ENEMY_KIND_SWINGERBOT)
			bot->HitByWeaponHandler[WEAPON_DART] = HitByShot;
		bot->HitByWeaponHandler[WEAPON_NOVA] = CreatureHitToDeath<kRobotHits>;
		bot->HitByWeaponHandler[WEAPON_JETHIT] = HitByJet;
		bot->HitByWeaponHandler[WEAPON_HURT] = CreatureHitByHurt<kRobotHits>;
	}

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

	bool ItemAllowed(int kind, TerrainItemEntryType* item, int limit)
	{
		return CanAddEnemy(kind, item, limit);
	}

	template <ObjNode* (*MAKE)(float, float)>
	bool AddFromItem(const RobotDef& d, TerrainItemEntryType* item, float x, float z)
	{
		if (!ItemAllowed(d.kind, item, d.limit))
			return false;
		AttachEnemyToItem(MAKE(x, z), item);
		return true;
	}
}

ObjNode* MakeArmBot(float x, float z)
{
	ObjNode* bot = MakeBody(kArmBot, x, z);
	ObjNode* tail = AddPart(bot, LEVEL_MODEL_ARMBOT_ARM);
	tail->SpecialF[PART_PHASE] = RandomFloat() * PI2;
	for (int i = 0; i < 3; i++)
		tail = AddPart(tail, LEVEL_MODEL_ARMBOT_SEGMENT);
	SetBodyBox(bot, 150, 0, bot->BBox.max.x * kArmBot.scale);
	PoseArmBot(bot);
	return bot;
}

ObjNode* MakeHammerBot(float x, float z, bool comesBack)
{
	ObjNode* bot = MakeBody(kHammerBot, x, z);
	if (comesBack)
		bot->Health = HAMMERBOT_COMES_BACK_HEALTH;
	ObjNode* arm = AddPart(bot, LEVEL_MODEL_HAMMERBOT_ARM);
	arm->SpecialF[PART_PHASE] = RandomFloat() * PI2;
	AddPart(arm, LEVEL_MODEL_HAMMERBOT_HEAD);
	SetBodyBox(bot, 200, -82, 150);
	PoseHammerBot(bot);
	return bot;
}

ObjNode* MakeDrillBot(float x, float z)
{
	ObjNode* bot = MakeBody(kDrillBot, x, z);
	ObjNode* tail = AddPart(bot, LEVEL_MODEL_DRILLBOT_DRILL);
	tail = AddPart(tail, LEVEL_MODEL_DRILLBOT_WHEEL);
	AddPart(tail, LEVEL_MODEL_DRILLBOT_WHEEL);
	SetBodyBox(bot, bot->BBox.max.y * kDrillBot.scale, -15, bot->BBox.max.x * kDrillBot.scale);
	// Two headlights, carried with the body.
	for (int i = 0; i < 2; i++)
	{
		int16_t n = GetFreeSparkle(bot);
		if (n < 0)
			break;
		bot->Sparkles[i] = n;
		SparkleType& light = gSparkles[n];
		light.flags = SPARKLE_FLAG_TRANSFORMWITHOWNER;
		light.where = {i ? 22.0f : -22.0f, 112, -40};
		light.aim = {0, 0, -1};
		light.color = {1, 1, 1, 1};
		light.scale = 150;
		light.separation = 40;
		light.textureNum = 19;
	}
	PoseDrillBot(bot);
	return bot;
}

ObjNode* MakeSwingerBot(float x, float z)
{
	ObjNode* bot = MakeBody(kSwingerBot, x, z);
	ObjNode* tail = AddPart(bot, LEVEL_MODEL_SWINGERBOT_BASE);
	tail = AddPart(tail, LEVEL_MODEL_SWINGERBOT_TURRET);
	tail = AddPart(tail, LEVEL_MODEL_SWINGERBOT_HEAD);
	tail = AddPart(tail, LEVEL_MODEL_SWINGERBOT_ARM);
	AddPart(tail, LEVEL_MODEL_SWINGERBOT_ARM);
	SetBodyBox(bot, bot->BBox.max.y, 0, bot->BBox.max.x);
	PoseSwingerBot(bot);
	return bot;
}

bool AddArmBot(TerrainItemEntryType* item, float x, float z)
{
	return AddFromItem<MakeArmBot>(kArmBot, item, x, z);
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
	if (!guard && !CanAddEnemy(ENEMY_KIND_HAMMERBOT, item, kHammerBot.limit))
		return false;
	bool comesBack = item && (item->parm[3] & ENEMY_ITEM_COMES_BACK);
	AttachEnemyToItem(MakeHammerBot(x, z, comesBack), item);
	return true;
}

bool AddDrillBot(TerrainItemEntryType* item, float x, float z)
{
	return AddFromItem<MakeDrillBot>(kDrillBot, item, x, z);
}

bool AddSwingerBot(TerrainItemEntryType* item, float x, float z)
{
	return AddFromItem<MakeSwingerBot>(kSwingerBot, item, x, z);
}

void DestroyRobotEnemy(ObjNode* bot)
{
	if (!bot || bot->CType == INVALID_NODE_FLAG)
		return;
	if (gSkewer.bot.Get() == bot)
		FlingSkeweredPlayer(bot);
	// A few of its own parts fly off.
	const RobotDef& d = DefOf(bot);
	for (int i = 0; i < 3; i++)
		if (ObjNode* part = Part(bot, i))
			ThrowDebris(bot, part->Type, d.scale);
	ThrowDebris(bot, d.bodyModel, d.scale * 0.5f);
	ExplodeGeometry(bot, 400, SHARD_MODE_FROMORIGIN | SHARD_MODE_BOUNCE, 1, 0.4f);
	MakeRadialPuff(bot->Coord.x, bot->Coord.y, bot->Coord.z, 250, 2, 13, 40);
	MakeRadialPuff(bot->Coord.x, bot->Coord.y, bot->Coord.z, 180, 2.2f, 3, 40);
	PlayEnemyEffect3D(EFFECT_ROBOTEXPLODE, &bot->Coord);
	SpawnAtoms(bot->Coord, 1, 1, 1, false);
	DeleteEnemyForGood(bot);
}

OGLPoint3D HammerBotStrikePoint(const ObjNode* bot)
{
	const ObjNode* head = Part(bot, 1);
	if (!head)
		return bot->Coord;
	// The face points down the handle's swing: along the arm's forward, not the head's spin.
	const ObjNode* arm = Part(bot, 0);
	OGLPoint3D centre = PointOn(head, {0, 0, 0});
	OGLPoint3D pivot = PointOn(arm, {0, 0, 0});
	OGLVector3D along = {centre.x - pivot.x, centre.y - pivot.y, centre.z - pivot.z};
	OGLVector3D unit;
	OGLVector3D_Normalize(&along, &unit);
	// The face is a quarter turn forward of the handle: upright it faces ahead, laid forward it faces down.
	float fx = -std::sin(bot->Rot.y), fz = -std::cos(bot->Rot.y);
	float up = unit.y, ahead = unit.x * fx + unit.z * fz;
	float reach = -HAMMER_FACE.z * bot->Scale.x;
	return {centre.x + fx * up * reach, centre.y - ahead * reach, centre.z + fz * up * reach};
}

void PoseRobotEnemy(ObjNode* bot)
{
	switch (bot->Kind)
	{
		case ENEMY_KIND_ARMBOT: PoseArmBot(bot); break;
		case ENEMY_KIND_HAMMERBOT: PoseHammerBot(bot); break;
		case ENEMY_KIND_DRILLBOT: PoseDrillBot(bot); break;
		default: PoseSwingerBot(bot); break;
	}
}

float SwingerBotArmTilt(float speed)
{
	return std::min((speed * SWINGER_SCROLL + 0.3f) / 2, SWINGERBOT_ARM_LIMIT);
}

ObjNode* GetDrillBotSkewering()
{
	return gSkewer.bot.IsAlive() ? gPlayerNode : nullptr;
}
