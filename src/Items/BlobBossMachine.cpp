// The blob boss machine: its parts, the three phases of the fight and their
// hand-over, the lid's cycle, the cannons' sweep and slime shots, the beams
// and the orbiting platforms. One invisible controller node runs it all once
// a frame; the parts are plain model nodes without move routines of their own.
#include "Items/BlobBoss.h"
#include "Items/ItemsInternal.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
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

#include <algorithm>
#include <cmath>
#include <SDL_opengl.h>		// blending enums of the particle groups

BlobBossState gBlobBoss;

namespace
{
	// A hit leaving less Health than this has used it up: five hits of 0.2
	// leave a rounding crumb above 0 in single precision.
	constexpr float HEALTH_CRUMB = 0.001f;

	constexpr float LID_SPEED = 600.0f;				// units per second
	constexpr float LID_OPEN_TIME = 3.0f;			// seconds
	constexpr float LID_SHUT_TIME = 2.0f;
	constexpr float CANNON_SWEEP = 0.5f;			// radians either side of its facing
	constexpr float CANNON_SWEEP_RATE = 2.5f;		// radians per second of the sweep's phase
	constexpr float CANNON_AIM_CONE = PI / 4;		// the robot's predicted place within this of its facing
	constexpr float CANNON_RELOAD = 0.3f;			// seconds
	constexpr float SHOT_SCALE = 1.5f;
	constexpr uint16_t SHOT_SLOT = 502;
	constexpr float SHOT_LIFT = 500.0f;				// units per second up
	constexpr float SHOT_SPEED_MIN = 1600.0f, SHOT_SPEED_MAX = 2100.0f;
	constexpr float SHOT_GRAVITY = 1000.0f;
	constexpr float SHOT_FRICTION = 2000.0f;
	constexpr float SHOT_SETTLE_SPEED = 150.0f;		// sliding slower than this it splats
	constexpr float ORBIT_RATE = 0.2f;				// radians per second
	constexpr float PLATFORM_HALF = 440.0f;			// the stand-on square inside the disc (260 × 2 across)
	constexpr float PLATFORM_THICKNESS = 80.0f;
	constexpr float BEAM_REACH = 40.0f;				// units from a beam's line that it touches
	constexpr float BEAM_FEET_ABOVE = 30.0f;		// feet at most this far above it
	constexpr float BEAM_SPARK_EVERY = 0.02f;		// seconds
	constexpr float SEGMENT_BLAST_EVERY = 0.25f;	// seconds between the column's segments going up
	constexpr float COLUMN_AIM_HEIGHT = 700.0f;		// the column's aim point above the ground
	constexpr float EMITTER_AIM_AHEAD = 100.0f;
	constexpr float EMITTER_AIM_HEIGHT = 100.0f;
	constexpr OGLColorRGBA EMITTER_GLOW = {1, 1, 0.3f, 0.7f};
	constexpr uint16_t PART_SLOT = 90;
	constexpr uint16_t PLATFORM_SLOT = 4;

	// The beams run out from the centre along +z, +x, −z and −x.
	constexpr float kBeamDir[BLOBBOSS_EMITTERS][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};

	enum LidState : uint8_t { LID_RESTING, LID_RISING, LID_OPEN, LID_FALLING, LID_SHUT };

	struct Machine
	{
		ObjNodeRef controller;
		ObjNodeRef base, lid;
		ObjNodeRef emitters[BLOBBOSS_EMITTERS];
		bool beamLive[BLOBBOSS_EMITTERS] = {};
		ObjNodeRef cannons[BLOBBOSS_CANNONS];
		float cannonBase[BLOBBOSS_CANNONS] = {};
		float cannonPhase[BLOBBOSS_CANNONS] = {};
		float cannonReload[BLOBBOSS_CANNONS] = {};
		ObjNodeRef column[BLOBBOSS_SEGMENTS];
		ObjNodeRef platforms[BLOBBOSS_PLATFORMS];
		LidState lidState = LID_RESTING;
		float lidOffset = 0;						// above its rest
		float lidClock = 0;
		float sparkClock = 0;
		int16_t sparkGroup = -1;
		uint32_t sparkMagic = 0;
		int segmentsLeft = BLOBBOSS_SEGMENTS;
		float segmentClock = 0;
	};
	Machine gMachine;

	float LidY()
	{
		return gBlobBoss.groundY + BLOBBOSS_LID_REST + gMachine.lidOffset;
	}

	float BaseTop()
	{
		return gBlobBoss.groundY + BLOBBOSS_BASE_HEIGHT * BLOBBOSS_PART_SCALE;
	}

	ObjNode* MakePart(int model, OGLPoint3D where, float scale, float rot, const OGLBoundingBox& standIn, BlobBossPart part,
			uint16_t slot = PART_SLOT)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = uint8_t(model);
		def.coord = where;
		def.flags = STATUS_BIT_DONTCULL;
		def.slot = int16_t(slot);
		def.rot = rot;
		def.scale = scale;
		ObjNode* node = MakeItemModelNode(&def, standIn);
		node->Kind = part;
		node->CType = 0;
		node->EffectChannel = -1;
		return node;
	}

	void BlowUp(ObjNode* node, int effect, float volume)
	{
		ExplodeGeometry(node, 600, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN | SHARD_MODE_UPTHRUST, 1, 0.7f);
		PlayEnemyEffect3D(effect, &node->Coord, volume);
		StopAChannel(&node->EffectChannel);
		DeleteObject(node);
	}

	bool UsedUp(float health)
	{
		return health <= HEALTH_CRUMB;
	}

	//
	// The phases
	//

	bool HitCannon(ObjNode*, ObjNode* cannon, const OGLPoint3D*, const OGLVector3D*, float);
	bool HitColumn(ObjNode*, ObjNode* column, const OGLPoint3D*, const OGLVector3D*, float);

	void StartCannonPhase()
	{
		gBlobBoss.phase = BLOBBOSS_PHASE_CANNONS;
		gMachine.lidState = LID_SHUT;			// a short pause, then up for the first time
		gMachine.lidClock = 0.5f;
		for (ObjNodeRef& ref : gMachine.cannons)
			if (ObjNode* cannon = ref.Get())
			{
				cannon->CType = CTYPE_AUTOTARGET | CTYPE_MISC;
				cannon->CBits = SIDE_ALL;
				cannon->HitByWeaponHandler[WEAPON_STUNGUN] = HitCannon;
			}
	}

	void StartColumnPhase()
	{
		gBlobBoss.phase = BLOBBOSS_PHASE_COLUMN;
		if (ObjNode* column = gMachine.column[0].Get())
		{
			column->CType |= CTYPE_AUTOTARGET;
			column->HitByWeaponHandler[WEAPON_STUNGUN] = HitColumn;
		}
	}

	void Destroyed()
	{
		gBlobBoss.phase = BLOBBOSS_PHASE_DESTROYED;
		if (ObjNode* lid = gMachine.lid.Get())
			BlowUp(lid, EFFECT_BLOBBOSSBOOM, 2);
		if (ObjNode* column = gMachine.column[0].Get())
		{
			column->CType &= ~CTYPE_AUTOTARGET;
			column->HitByWeaponHandler[WEAPON_STUNGUN] = nullptr;
		}
		gMachine.segmentClock = 0;
		gLevel.done = true;
		gLevel.doneTimer = BLOBBOSS_LEVEL_DONE_DELAY;
	}

	bool HitEmitter(ObjNode*, ObjNode* emitter, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (gBlobBoss.phase != BLOBBOSS_PHASE_EMITTERS)
			return true;
		emitter->Health -= BLOBBOSS_EMITTER_STUN_COST;
		if (!UsedUp(emitter->Health))
			return true;
		for (int i = 0; i < BLOBBOSS_EMITTERS; i++)
			if (gMachine.emitters[i].Get() == emitter)
				gMachine.beamLive[i] = false;
		BlowUp(emitter, EFFECT_SLIMEBOOM, 3);
		if (++gBlobBoss.deadEmitters >= BLOBBOSS_EMITTERS)
			StartCannonPhase();
		return true;
	}

	bool HitCannon(ObjNode*, ObjNode* cannon, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (gBlobBoss.phase != BLOBBOSS_PHASE_CANNONS)
			return true;
		cannon->Health -= BLOBBOSS_CANNON_STUN_COST;
		if (!UsedUp(cannon->Health))
			return true;
		BlowUp(cannon, EFFECT_SLIMEBOOM, 2.5f);
		if (++gBlobBoss.deadCannons >= BLOBBOSS_CANNONS)
			StartColumnPhase();
		return true;
	}

	bool HitColumn(ObjNode*, ObjNode* column, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (gBlobBoss.phase != BLOBBOSS_PHASE_COLUMN)
			return true;
		column->Health -= BLOBBOSS_COLUMN_STUN_COST;
		if (UsedUp(column->Health))
			Destroyed();
		return true;
	}

	//
	// Slime shots
	//

	void Splat(ObjNode* shot)
	{
		ExplodeGeometry(shot, 200, SHARD_MODE_BOUNCE | SHARD_MODE_FROMORIGIN, 1, 1.2f);
		DeleteObject(shot);
	}

	void MoveSlimeShot(ObjNode* shot)
	{
		const float dt = gFrameTime;
		GetObjectInfo(shot);
		gObjDelta.y -= SHOT_GRAVITY * dt;
		shot->Rot = shot->Rot + shot->DeltaRot * dt;
		gObjCoord = gObjCoord + gObjDelta * dt;

		const float ground = IsTerrainSetUp() ? TerrainHeightAt(gObjCoord.x, gObjCoord.z) : 0.0f;
		const float bottom = gObjCoord.y + float(shot->BottomOff);
		if (bottom <= ground)
		{
			// Lands and slides; once it has nearly stopped it splats.
			gObjCoord.y = ground - float(shot->BottomOff);
			gObjDelta.y = 0;
			float speed = std::hypot(gObjDelta.x, gObjDelta.z);
			if (speed < SHOT_SETTLE_SPEED)
			{
				Splat(shot);
				return;
			}
			float k = std::max(0.0f, speed - SHOT_FRICTION * dt) / speed;
			gObjDelta.x *= k;
			gObjDelta.z *= k;
		}
		UpdateObject(shot);
		// It splats on whatever it strikes: the robot (which takes its damage), a fence, any solid object.
		if (IsRobotInPlay() && BoxHitsNode(shot->CollisionBoxes[0].top, shot->CollisionBoxes[0].bottom,
				shot->CollisionBoxes[0].left, shot->CollisionBoxes[0].right, shot->CollisionBoxes[0].front,
				shot->CollisionBoxes[0].back, gPlayerNode))
		{
			PlayerGotHit(shot, shot->Damage);
			Splat(shot);
			return;
		}
		OGLPoint3D from = shot->OldCoord, to = gObjCoord;
		if (SegmentHitsAnything(&from, &to, shot, CTYPE_MISC | CTYPE_FENCE))
		{
			Splat(shot);
			return;
		}
		if (IsPositionOutOfRange(gObjCoord.x, gObjCoord.z))
			DeleteObject(shot);
	}

	void FireSlimeShot(ObjNode* cannon)
	{
		const float h = cannon->Rot.y;
		const float speed = RandomFloatRange(SHOT_SPEED_MIN, SHOT_SPEED_MAX);
		const OGLPoint3D muzzle = {cannon->Coord.x - std::sin(h) * 80, cannon->Coord.y + 40, cannon->Coord.z - std::cos(h) * 80};
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = BLOBBOSS_MODEL_SLIME_SHOT;
		def.coord = muzzle;
		def.slot = int16_t(SHOT_SLOT);
		def.moveCall = MoveSlimeShot;
		def.scale = SHOT_SCALE;
		ObjNode* shot = MakeItemModelNode(&def, {{-30, -30, -30}, {30, 30, 30}, false});
		shot->CType = CTYPE_HURTME | CTYPE_MISC;
		shot->CBits = SIDE_ANY_OVERLAP;
		shot->Damage = BLOBBOSS_SHOT_DAMAGE;
		shot->Rot.y = h;
		shot->Delta = {-std::sin(h) * speed, SHOT_LIFT, -std::cos(h) * speed};
		shot->DeltaRot = {RandomFloatSigned() * 6, RandomFloatSigned() * 6, RandomFloatSigned() * 6};
		shot->OldCoord = muzzle;
		CreateCollisionBoxFromBoundingBox(shot, 1, 1);
		AttachShadowToObject(shot, 0, 4, 4, false);
		PlayEnemyEffect3D(EFFECT_BLOBSHOOT, &muzzle);
	}

	//
	// Once a frame
	//

	void RunLid(float dt)
	{
		Machine& m = gMachine;
		switch (m.lidState)
		{
			case LID_RESTING:
				return;
			case LID_RISING:
				m.lidOffset += LID_SPEED * dt;
				if (m.lidOffset >= BLOBBOSS_LID_TRAVEL)
				{
					m.lidOffset = BLOBBOSS_LID_TRAVEL;
					m.lidState = LID_OPEN;
					m.lidClock = LID_OPEN_TIME;
				}
				break;
			case LID_OPEN:
			case LID_SHUT:
				m.lidClock -= dt;
				if (m.lidClock <= 0)
				{
					m.lidState = m.lidState == LID_OPEN ? LID_FALLING : LID_RISING;
					if (ObjNode* lid = m.lid.Get())
						PlayEnemyEffect3D(EFFECT_BOSSOPEN, &lid->Coord);
				}
				break;
			case LID_FALLING:
				m.lidOffset -= LID_SPEED * dt;
				if (m.lidOffset <= 0)
				{
					m.lidOffset = 0;
					m.lidState = LID_SHUT;
					m.lidClock = LID_SHUT_TIME;
				}
				break;
		}
		if (ObjNode* lid = m.lid.Get())
		{
			lid->Coord.y = LidY();
			UpdateObjectTransforms(lid);
		}
	}

	void RunCannons(float dt)
	{
		Machine& m = gMachine;
		const float y = LidY() + BLOBBOSS_CANNON_LIFT * BLOBBOSS_PART_SCALE;
		for (int i = 0; i < BLOBBOSS_CANNONS; i++)
		{
			ObjNode* cannon = m.cannons[i].Get();
			if (!cannon)
				continue;
			cannon->Coord.y = y;
			if (gBlobBoss.phase == BLOBBOSS_PHASE_CANNONS)
			{
				m.cannonPhase[i] += CANNON_SWEEP_RATE * dt;
				cannon->Rot.y = m.cannonBase[i] + CANNON_SWEEP * std::sin(m.cannonPhase[i]);
				m.cannonReload[i] -= dt;
				if (m.lidState == LID_OPEN && IsRobotInPlay() && m.cannonReload[i] <= 0)
				{
					const ObjNode* robot = gPlayerNode;
					float px = robot->Coord.x + robot->Delta.x, pz = robot->Coord.z + robot->Delta.z;
					float toRobot = std::atan2(-(px - cannon->Coord.x), -(pz - cannon->Coord.z));
					if (std::fabs(AngleDifference(toRobot, cannon->Rot.y)) < CANNON_AIM_CONE)
					{
						m.cannonReload[i] = CANNON_RELOAD;
						FireSlimeShot(cannon);
					}
				}
			}
			UpdateObjectTransforms(cannon);
			CalcObjectBoxFromNode(cannon);
		}
	}

	void RunPlatforms(float dt)
	{
		Machine& m = gMachine;
		gBlobBoss.orbitAngle = WrapAngle(gBlobBoss.orbitAngle + ORBIT_RATE * dt);
		for (int i = 0; i < BLOBBOSS_PLATFORMS; i++)
		{
			ObjNode* p = m.platforms[i].Get();
			if (!p)
				continue;
			float a = gBlobBoss.orbitAngle + PI2 * float(i) / BLOBBOSS_PLATFORMS;
			float x = gBlobBoss.cx + std::sin(a) * BLOBBOSS_ORBIT_RADIUS, z = gBlobBoss.cz + std::cos(a) * BLOBBOSS_ORBIT_RADIUS;
			if (dt > 0)
				p->Delta = {(x - p->Coord.x) / dt, 0, (z - p->Coord.z) / dt};
			p->Coord.x = x;
			p->Coord.z = z;
			p->Rot.y = a;
			UpdateObjectTransforms(p);
			CalcObjectBoxFromNode(p);
		}
	}

	int BeamAt(float x, float z, float feetY, float height);

	void RunBeams(float dt)
	{
		Machine& m = gMachine;
		// The robot in a live beam is struck.
		if (IsRobotInPlay() && !gPlayerLevel.isDead)
		{
			const ObjNode* robot = gPlayerNode;
			const float feet = robot->Coord.y + float(robot->BottomOff);
			int beam = BeamAt(robot->Coord.x, robot->Coord.z, feet, float(robot->TopOff - robot->BottomOff));
			if (ObjNode* emitter = beam >= 0 ? m.emitters[beam].Get() : nullptr)
				PlayerGotHit(emitter, emitter->Damage);
		}

		// Sparks run along the live beams.
		m.sparkClock -= dt;
		if (m.sparkClock > 0)
			return;
		m.sparkClock += BEAM_SPARK_EVERY;
		if (m.sparkClock < 0)
			m.sparkClock = 0;
		if (!gParticleGroupPool)
			return;
		if (m.sparkGroup < 0 || !VerifyParticleGroupMagicNum(m.sparkGroup, m.sparkMagic))
		{
			m.sparkMagic = RandomNumber();
			NewParticleGroupDefType def = {};
			def.magicNum = m.sparkMagic;
			def.type = PARTICLE_TYPE_FALLINGSPARKS;
			def.flags = PARTICLE_FLAGS_DONTCHECKGROUND;
			def.gravity = 400;
			def.baseScale = 70;
			def.fadeRate = 0.8f;
			def.particleTextureNum = PARTICLE_SPRITE_SPARK;
			def.srcBlend = GL_SRC_ALPHA;
			def.dstBlend = GL_ONE;
			m.sparkGroup = NewParticleGroup(&def);
			if (m.sparkGroup < 0)
				return;
		}
		const float y = gBlobBoss.groundY + BLOBBOSS_BEAM_HEIGHT;
		for (int i = 0; i < BLOBBOSS_EMITTERS; i++)
		{
			if (!m.beamLive[i])
				continue;
			float d = RandomFloatRange(BLOBBOSS_EMITTER_RADIUS, BLOBBOSS_BEAM_LENGTH);
			OGLPoint3D where = {gBlobBoss.cx + kBeamDir[i][0] * d, y, gBlobBoss.cz + kBeamDir[i][1] * d};
			OGLVector3D delta = {RandomFloatSigned() * 150, RandomFloat() * 200, RandomFloatSigned() * 150};
			NewParticleDefType p = {m.sparkGroup, &where, &delta, RandomFloatRange(0.6f, 1.0f), RandomFloat() * PI2, 0, 1};
			if (AddParticleToGroup(&p))
			{
				m.sparkGroup = -1;
				break;
			}
		}
	}

	void RunCollapse(float dt)
	{
		Machine& m = gMachine;
		if (m.segmentsLeft <= 0)
			return;
		m.segmentClock -= dt;
		if (m.segmentClock > 0)
			return;
		m.segmentClock += SEGMENT_BLAST_EVERY;
		// Top down: the segment carrying the column's box goes last.
		m.segmentsLeft--;
		if (ObjNode* segment = m.column[m.segmentsLeft].Get())
			BlowUp(segment, EFFECT_BLOBBOSSBOOM, 1);
	}

	void MoveBlobBossMachine(ObjNode*)
	{
		const float dt = gFrameTime;
		Machine& m = gMachine;
		RunPlatforms(dt);
		if (gBlobBoss.phase >= BLOBBOSS_PHASE_CANNONS)
			RunLid(dt);
		RunCannons(dt);
		RunBeams(dt);
		for (int i = 0; i < BLOBBOSS_EMITTERS; i++)
			if (ObjNode* emitter = m.emitters[i].Get())
				KeepEnemyEffectLooping(emitter, EFFECT_SLIME_BEAMHUM);
		if (gBlobBoss.phase == BLOBBOSS_PHASE_DESTROYED)
			RunCollapse(dt);
	}

	const TerrainItemEntryType* FindCentreItem()
	{
		for (int32_t i = 0; i < gNumTerrainItems; i++)
			if (gTerrainItemList[i].type == ITEM_TYPE_BLOBBOSS_CENTER)
				return &gTerrainItemList[i];
		return nullptr;
	}

	void AttachGlow(ObjNode* emitter, float rot)
	{
		int16_t s = GetFreeSparkle(emitter);
		if (s < 0)
			return;
		emitter->Sparkles[0] = s;
		SparkleType& sp = gSparkles[s];
		sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER;
		sp.where = {emitter->Coord.x - std::sin(rot) * 30, gBlobBoss.groundY + BLOBBOSS_BEAM_HEIGHT,
			emitter->Coord.z - std::cos(rot) * 30};
		sp.color = EMITTER_GLOW;
		sp.scale = 400;
		sp.separation = 30;
		sp.textureNum = PARTICLE_SPRITE_HALO;
	}
}

void MakeBlobBossMachine()
{
	const TerrainItemEntryType* item = FindCentreItem();
	if (!item)
		FatalAlert("MAP_ITEM_BLOBBOSS not found on terrain!");
	gMachine = Machine{};
	gBlobBoss = BlobBossState{};
	gBlobBoss.made = true;
	gBlobBoss.cx = float(item->x);
	gBlobBoss.cz = float(item->z);
	gBlobBoss.groundY = IsTerrainSetUp() ? BaseTerrainHeightAt(gBlobBoss.cx, gBlobBoss.cz) : 0.0f;
	const float cx = gBlobBoss.cx, cz = gBlobBoss.cz, ground = gBlobBoss.groundY;
	const float S = BLOBBOSS_PART_SCALE;

	// The controller: runs everything once a frame.
	ObjectDef def = {};
	def.genre = NODRAW_GENRE;
	def.coord = {cx, ground, cz};
	def.flags = STATUS_BIT_DONTCULL;
	def.slot = int16_t(PART_SLOT - 1);
	def.moveCall = MoveBlobBossMachine;
	def.scale = 1;
	gMachine.controller = ObjNodeRef(MakeNewObject(&def));

	// The plinth: solid all over its round top, three boxes approximating the disc.
	{
		const float r = BLOBBOSS_BASE_RADIUS * S, h = BLOBBOSS_BASE_HEIGHT * S;
		ObjNode* base = MakePart(BLOBBOSS_MODEL_BASE, {cx, ground, cz}, S, 0, {{-BLOBBOSS_BASE_RADIUS, 0, -BLOBBOSS_BASE_RADIUS},
				{BLOBBOSS_BASE_RADIUS, BLOBBOSS_BASE_HEIGHT, BLOBBOSS_BASE_RADIUS}, false}, BLOBBOSS_PART_BASE);
		base->CType = CTYPE_MISC | CTYPE_BLOCKCAMERA;
		base->CBits = SIDE_ALL;
		const float wide = r * 0.9f, narrow = r * 0.375f, square = r * 0.685f;
		const float halves[3][2] = {{wide, narrow}, {narrow, wide}, {square, square}};
		base->NumCollisionBoxes = 3;
		for (int k = 0; k < 3; k++)
		{
			CollisionBoxType& b = base->CollisionBoxes[k];
			b.left = cx - halves[k][0];
			b.right = cx + halves[k][0];
			b.front = cz + halves[k][1];
			b.back = cz - halves[k][1];
			b.top = ground + h;
			b.bottom = ground - 200;
		}
		base->TopOff = int32_t(h);
		base->BottomOff = -200;
		KeepOldCollisionBoxes(base);
		gMachine.base = ObjNodeRef(base);

		// Map items made before the machine rose (the level's first supertiles
		// wake them) and lying where the plinth stands are lifted onto its top.
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		{
			float top;
			if (n == base || !n->TerrainItemPtr || n->CType == INVALID_NODE_FLAG || !IsOnBlobBossBase(n->Coord.x, n->Coord.z, &top))
				continue;
			const float lift = top - (IsTerrainSetUp() ? TerrainHeightAt(n->Coord.x, n->Coord.z) : ground);
			if (lift > 0 && n->Coord.y < top)
			{
				n->Coord.y += lift;
				n->OldCoord = n->Coord;
				UpdateObjectTransforms(n);
				CalcObjectBoxFromNode(n);
				KeepOldCollisionBoxes(n);
			}
		}
	}

	// The column: the first segment carries the solid box for all of it.
	const float segment = BLOBBOSS_SEGMENT_HEIGHT * S;
	for (int k = 0; k < BLOBBOSS_SEGMENTS; k++)
	{
		ObjNode* seg = MakePart(BLOBBOSS_MODEL_COLUMN, {cx, ground + float(k) * segment, cz}, S, float(k) * 0.4f,
				{{-BLOBBOSS_COLUMN_RADIUS, 0, -BLOBBOSS_COLUMN_RADIUS}, {BLOBBOSS_COLUMN_RADIUS, BLOBBOSS_SEGMENT_HEIGHT,
				BLOBBOSS_COLUMN_RADIUS}}, BLOBBOSS_PART_COLUMN);
		if (k == 0)
		{
			const int16_t half = int16_t(BLOBBOSS_COLUMN_RADIUS * 2 * S / 2);
			seg->CType = CTYPE_MISC | CTYPE_BLOCKCAMERA;
			seg->CBits = SIDE_ALL;
			SetObjectCollisionBounds(seg, int16_t(segment * BLOBBOSS_SEGMENTS), 0, -half, half, half, -half);
			seg->Health = 1;
			seg->OffsetVector = {0, COLUMN_AIM_HEIGHT, 0};
		}
		gMachine.column[k] = ObjNodeRef(seg);
	}

	// The lid, resting 400 up the column.
	gMachine.lid = ObjNodeRef(MakePart(BLOBBOSS_MODEL_LID, {cx, ground + BLOBBOSS_LID_REST, cz}, S, 0,
			{{-BLOBBOSS_LID_RADIUS, 0, -BLOBBOSS_LID_RADIUS}, {BLOBBOSS_LID_RADIUS, 20, BLOBBOSS_LID_RADIUS}, false},
			BLOBBOSS_PART_LID));

	// The emitters on the plinth, each facing out along its beam.
	for (int i = 0; i < BLOBBOSS_EMITTERS; i++)
	{
		const float dx = kBeamDir[i][0], dz = kBeamDir[i][1];
		const float rot = std::atan2(-dx, -dz);
		ObjNode* e = MakePart(BLOBBOSS_MODEL_EMITTER, {cx + dx * BLOBBOSS_EMITTER_RADIUS, BaseTop(), cz + dz * BLOBBOSS_EMITTER_RADIUS},
				BLOBBOSS_EMITTER_SCALE, rot, {{-30, 0, -30}, {30, 80, 30}, false}, BLOBBOSS_PART_EMITTER);
		e->CType = CTYPE_AUTOTARGET | CTYPE_BLOCKCAMERA | CTYPE_MISC;
		e->CBits = SIDE_ALL;
		CreateCollisionBoxFromBoundingBox(e, 1, 1);
		e->OffsetVector = {dx * EMITTER_AIM_AHEAD, EMITTER_AIM_HEIGHT, dz * EMITTER_AIM_AHEAD};
		e->Health = 1;
		e->Damage = BLOBBOSS_BEAM_DAMAGE;
		e->HitByWeaponHandler[WEAPON_STUNGUN] = HitEmitter;
		AttachGlow(e, rot);
		gMachine.emitters[i] = ObjNodeRef(e);
		gMachine.beamLive[i] = true;
	}

	// The cannons on the lid, harmless until the emitters are gone.
	for (int k = 0; k < BLOBBOSS_CANNONS; k++)
	{
		const float facing = PI / 3 + float(k) * PI / 2;
		const OGLPoint3D at = {cx - std::sin(facing) * BLOBBOSS_CANNON_RADIUS,
			ground + BLOBBOSS_LID_REST + BLOBBOSS_CANNON_LIFT * S, cz - std::cos(facing) * BLOBBOSS_CANNON_RADIUS};
		ObjNode* c = MakePart(BLOBBOSS_MODEL_CANNON, at, BLOBBOSS_CANNON_SCALE, facing,
				{{-30, 0, -50}, {30, 50, 40}, false}, BLOBBOSS_PART_CANNON);
		CreateCollisionBoxFromBoundingBox(c, 1, 1);
		c->OffsetVector = {0, 40, 0};
		c->Health = 1;
		gMachine.cannons[k] = ObjNodeRef(c);
		gMachine.cannonBase[k] = facing;
		gMachine.cannonPhase[k] = float(k) * 1.3f;
	}

	// The platforms orbiting the machine over the live floor.
	for (int i = 0; i < BLOBBOSS_PLATFORMS; i++)
	{
		float a = PI2 * float(i) / BLOBBOSS_PLATFORMS;
		float x = cx + std::sin(a) * BLOBBOSS_ORBIT_RADIUS, z = cz + std::cos(a) * BLOBBOSS_ORBIT_RADIUS;
		float y = (IsTerrainSetUp() ? BaseTerrainHeightAt(x, z) : 0.0f) + BLOBBOSS_PLATFORM_LIFT;
		ObjNode* p = MakePart(BLOBBOSS_MODEL_PLATFORM, {x, y, z}, BLOBBOSS_PLATFORM_SCALE, a,
				{{-260, -40, -260}, {260, 0, 260}, false}, BLOBBOSS_PART_PLATFORM, PLATFORM_SLOT);
		p->CType = CTYPE_PLATFORM | CTYPE_BLOCKCAMERA | CTYPE_SHADOWTOP | CTYPE_MISC;
		p->CBits = SIDE_ALL;
		const int16_t h = int16_t(PLATFORM_HALF);
		SetObjectCollisionBounds(p, 0, int16_t(-PLATFORM_THICKNESS), -h, h, h, -h);
		gMachine.platforms[i] = ObjNodeRef(p);
	}
}

void ForgetBlobBossMachine()
{
	gMachine = Machine{};
	gBlobBoss = BlobBossState{};
}

bool IsBlobBossBeamLive(int emitter)
{
	return emitter >= 0 && emitter < BLOBBOSS_EMITTERS && gBlobBoss.made && gMachine.beamLive[emitter]
		&& gMachine.emitters[emitter].IsAlive();
}

bool GetBlobBossBeam(int emitter, float* fromX, float* fromZ, float* toX, float* toZ)
{
	if (!IsBlobBossBeamLive(emitter))
		return false;
	*fromX = gBlobBoss.cx;
	*fromZ = gBlobBoss.cz;
	*toX = gBlobBoss.cx + kBeamDir[emitter][0] * BLOBBOSS_BEAM_LENGTH;
	*toZ = gBlobBoss.cz + kBeamDir[emitter][1] * BLOBBOSS_BEAM_LENGTH;
	return true;
}

bool IsBlobBossTarget(const ObjNode* node)
{
	if (!gBlobBoss.made || !node || !(node->CType & CTYPE_AUTOTARGET))
		return false;
	switch (gBlobBoss.phase)
	{
		case BLOBBOSS_PHASE_EMITTERS:
			for (const ObjNodeRef& e : gMachine.emitters)
				if (e.Get() == node)
					return true;
			return false;
		case BLOBBOSS_PHASE_CANNONS:
			for (const ObjNodeRef& c : gMachine.cannons)
				if (c.Get() == node)
					return true;
			return false;
		case BLOBBOSS_PHASE_COLUMN:
			return gMachine.column[0].Get() == node;
		default:
			return false;
	}
}

namespace
{
	// The live beam a body at (x, z), its feet at `feetY`, stands in, or −1.
	int BeamAt(float x, float z, float feetY, float height)
	{
		if (!gBlobBoss.made)
			return -1;
		const float beamY = gBlobBoss.groundY + BLOBBOSS_BEAM_HEIGHT;
		if (feetY > beamY + BEAM_FEET_ABOVE || feetY + height < beamY)
			return -1;
		for (int i = 0; i < BLOBBOSS_EMITTERS; i++)
		{
			if (!IsBlobBossBeamLive(i))
				continue;
			float along = (x - gBlobBoss.cx) * kBeamDir[i][0] + (z - gBlobBoss.cz) * kBeamDir[i][1];
			float across = (x - gBlobBoss.cx) * kBeamDir[i][1] - (z - gBlobBoss.cz) * kBeamDir[i][0];
			if (along >= 0 && along <= BLOBBOSS_BEAM_LENGTH && std::fabs(across) <= BEAM_REACH)
				return i;
		}
		return -1;
	}
}

bool IsInBlobBossBeam(float x, float z, float feetY, float height)
{
	return BeamAt(x, z, feetY, height) >= 0;
}

bool IsOnBlobBossBase(float x, float z, float* topY)
{
	ObjNode* base = gMachine.base.Get();
	if (!gBlobBoss.made || !base)
		return false;
	for (int k = 0; k < base->NumCollisionBoxes; k++)
	{
		const CollisionBoxType& b = base->CollisionBoxes[k];
		if (x >= b.left && x <= b.right && z >= b.back && z <= b.front)
		{
			if (topY)
				*topY = b.top;
			return true;
		}
	}
	return false;
}
