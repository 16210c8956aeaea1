// Bubble pumps: stepping onto a pump's plunger pushes it down, and a stroke
// begun from the top blows a big soap bubble out of it. The bubble swells as
// it rises, then drifts; one that comes upon the robot takes him in and
// floats him about until it pops: on a button, a hit, a touch, its time, or
// the points of the level's spiky objects.
#include "Items/Contraptions.h"
#include "Items/ItemsInternal.h"
#include "Player/Player.h"
#include "Player/PlayerVehicles.h"
#include "Effects/Particles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/LevelTable.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
	constexpr float PUMP_SCALE = 2.0f;
	constexpr uint16_t PUMP_SLOT = 4;
	constexpr float PLUNGER_STROKE_RATE = 1.6f;		// of the stroke per second, down and up
	constexpr float PLUNGER_PUSH_KEPT = 0.2f;		// of the lander's horizontal speed
	constexpr float BUBBLE_START_SCALE = 0.16f;
	constexpr float BUBBLE_FULL_SCALE = 1.6f;
	constexpr float BUBBLE_INFLATE_RATE = 1.0f;		// scale per second
	constexpr float BUBBLE_START_LIFT = 130.0f;		// above the pump's base
	constexpr uint16_t BUBBLE_SLOT = 3098;
	constexpr float BUBBLE_RISE_SPEED = 140.0f;
	constexpr float BUBBLE_DRIFT_SIDEWAYS = 80.0f;
	constexpr float BUBBLE_DRIFT_UP_MIN = 100.0f, BUBBLE_DRIFT_UP_MAX = 200.0f;
	constexpr float BUBBLE_GRAVITY = 60.0f;
	constexpr float BUBBLE_WOBBLE = 0.06f;
	constexpr float BUBBLE_WOBBLE_X_RATE = 10.0f, BUBBLE_WOBBLE_Z_RATE = -14.0f;
	constexpr float BUBBLE_FADE_TIME = 4.0f;		// its green and blue go over the carry's last seconds
	// A pop: a spray of droplets, each starting 0.15 s along its own flight.
	constexpr int POP_DROPLETS = 50;
	constexpr float POP_DROPLET_SPEED = 400.0f;		// ± units per second per axis
	constexpr float POP_DROPLET_LEAD = 0.15f;		// seconds of flight the spray starts at
	constexpr float POP_DROPLET_GRAVITY = 1000.0f;
	constexpr float POP_DROPLET_SIZE = 10.0f;
	constexpr float POP_DROPLET_SHRINK = 0.3f;		// scale per second
	constexpr float POP_DROPLET_FADE = 0.7f;		// opacity per second

	const OGLBoundingBox PLUNGER_STAND_IN = {{-30, 0, -30}, {30, 60, 30}, false};
	const OGLBoundingBox BUBBLE_STAND_IN = {{-100, -100, -100}, {100, 100, 100}, false};

	enum : uint8_t
	{
		BUBBLE_RISING,
		BUBBLE_DRIFTING,
		BUBBLE_CARRYING,
	};

	ObjNodeRef gPlayerBubble;

	float PlungerDepth(float p)
	{
		return BUBBLE_PLUNGER_TRAVEL * (std::sin((p - 0.5f) * PI) + 1) * 0.5f;
	}

	void MoveBubble(ObjNode* bubble);

	void BlowBubble(ObjNode* pump)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_LEVELSPECIFIC;
		def.type = LEVEL_MODEL_BUBBLE;
		def.coord = {pump->Coord.x, pump->Coord.y + BUBBLE_START_LIFT, pump->Coord.z};
		def.slot = BUBBLE_SLOT;
		def.moveCall = MoveBubble;
		def.scale = BUBBLE_START_SCALE;
		def.flags = STATUS_BIT_NOZWRITES;
		ObjNode* bubble = MakeItemModelNode(&def, BUBBLE_STAND_IN);
		bubble->ColorFilter.a = 0.9f;
		bubble->SpecialF[0] = BUBBLE_LIFETIME;
		bubble->Mode = BUBBLE_RISING;
		bubble->CType = 0;
		bubble->CBits = SIDE_ALL;
		CreateCollisionBoxFromBoundingBox(bubble, 1, 1);
		AttachShadowToObject(bubble, 0, 3, 3, false);
		PlayItemEffect3D(EFFECT_AIRPUMP, &pump->Coord);
	}

	void MovePlunger(ObjNode* plunger)
	{
		ObjNode* pump = plunger->ChainHead ? plunger->ChainHead : plunger;
		float& p = pump->SpecialF[0];
		bool pressed = pump->Flag[1];
		pump->Flag[1] = 0;
		// Down at the bottom and let go: it starts back up this frame.
		if (pump->Mode == 1 && p >= 1 && !pressed)
			pump->Mode = 2;
		if (pump->Mode == 1)		// in a stroke
			p = std::min(1.0f, p + PLUNGER_STROKE_RATE * gFrameTime);
		else if (pump->Mode == 2)	// coming back up
		{
			p = std::max(0.0f, p - PLUNGER_STROKE_RATE * gFrameTime);
			if (p <= 0)
				pump->Mode = 0;
		}
		plunger->Coord.y = pump->Coord.y - PlungerDepth(p);
		plunger->Delta = {0, 0, 0};
		UpdateObjectTransforms(plunger);
		CalcObjectBoxFromNode(plunger);
	}

	void MoveBubblePump(ObjNode* pump)
	{
		if (IsNodeOutOfRange(pump))
		{
			DeleteObject(pump);
			return;
		}
		if (pump->ChainNode)
			MovePlunger(pump->ChainNode);
	}

	// A drifting bubble bounces off objects and fences (it sets off no
	// triggers: a bubble settling on a plunger blows no more bubbles).
	void BounceBubble(ObjNode* bubble)
	{
		ResolveCollisions(bubble, CTYPE_MISC | CTYPE_FENCE, 0.5f);
	}

	// A carrying one pops on anything it touches.
	bool BubbleTouchesSomething(ObjNode* bubble)
	{
		uint32_t mask = CTYPE_ENEMY | CTYPE_MISC | CTYPE_TRIGGER | CTYPE_TRIGGER2 | CTYPE_FENCE;
		return ResolveCollisions(bubble, mask, 0.5f) != 0;
	}

	void MoveBubble(ObjNode* bubble)
	{
		const float dt = gFrameTime;
		GetObjectInfo(bubble);
		switch (bubble->Mode)
		{
			case BUBBLE_RISING:
			{
				float s = std::min(BUBBLE_FULL_SCALE, bubble->Scale.x + BUBBLE_INFLATE_RATE * dt);
				bubble->Scale = {s, s, s};
				gObjCoord.y += BUBBLE_RISE_SPEED * dt;
				if (s >= BUBBLE_FULL_SCALE)
				{
					bubble->Mode = BUBBLE_DRIFTING;
					gObjDelta = {RandomFloatRange(-BUBBLE_DRIFT_SIDEWAYS, BUBBLE_DRIFT_SIDEWAYS),
							RandomFloatRange(BUBBLE_DRIFT_UP_MIN, BUBBLE_DRIFT_UP_MAX),
							RandomFloatRange(-BUBBLE_DRIFT_SIDEWAYS, BUBBLE_DRIFT_SIDEWAYS)};
				}
				break;
			}
			case BUBBLE_DRIFTING:
				gObjDelta.y -= BUBBLE_GRAVITY * dt;
				gObjCoord = gObjCoord + gObjDelta * dt;
				BounceBubble(bubble);
				gObjCoord.y = std::max(gObjCoord.y, TerrainHeightAt(gObjCoord.x, gObjCoord.z) - float(bubble->BottomOff));
				break;
			case BUBBLE_CARRYING:
			{
				ObjNode* robot = gPlayerNode;
				if (!robot || gPlayerLevel.isDead)
				{
					PopBubble(bubble);
					return;
				}
				gObjCoord = {robot->Coord.x, robot->Coord.y + BUBBLE_CARRY_LIFT, robot->Coord.z};
				gObjDelta = robot->Delta;
				bubble->SpecialF[1] -= dt;
				float left = bubble->SpecialF[1];
				if (left < BUBBLE_FADE_TIME)
					bubble->ColorFilter.g = bubble->ColorFilter.b = std::max(0.0f, left / BUBBLE_FADE_TIME);
				if (left <= 0 || BubbleTouchesSomething(bubble) || IsNearSpikePoint(robot->Coord, SPIKE_POP_RANGE))
				{
					UpdateObject(bubble);
					PopBubble(bubble);
					return;
				}
				break;
			}
		}

		if (bubble->Mode != BUBBLE_CARRYING)
		{
			bubble->SpecialF[0] -= dt;
			if (bubble->SpecialF[0] <= 0)
			{
				UpdateObject(bubble);
				PopBubble(bubble);
				return;
			}
			// A robot it comes upon is taken in.
			ObjNode* robot = gPlayerNode;
			if (robot && !gPlayerLevel.isDead && bubble->Mode == BUBBLE_DRIFTING && !gPlayerBubble.IsAlive()
					&& robot->CType != 0 && OGLPoint3D_Distance(&gObjCoord, &robot->Coord) < BUBBLE_TAKE_RANGE)
			{
				bubble->Mode = BUBBLE_CARRYING;
				bubble->SpecialF[1] = BUBBLE_CARRY_TIME;
				gPlayerBubble = ObjNodeRef(bubble);
				OGLPoint3D middle = {(gObjCoord.x + robot->Coord.x) * 0.5f, (gObjCoord.y + robot->Coord.y) * 0.5f,
						(gObjCoord.z + robot->Coord.z) * 0.5f};
				PlayerFloatInBubble(middle);
			}
		}

		// It wobbles as it goes.
		float s = bubble->Scale.y;
		bubble->SpecialF[2] += BUBBLE_WOBBLE_X_RATE * dt;
		bubble->SpecialF[3] += BUBBLE_WOBBLE_Z_RATE * dt;
		if (bubble->Mode != BUBBLE_RISING)
		{
			bubble->Scale.x = s + BUBBLE_WOBBLE * std::sin(bubble->SpecialF[2]);
			bubble->Scale.z = s + BUBBLE_WOBBLE * std::sin(bubble->SpecialF[3]);
		}
		UpdateObject(bubble);
	}
}

bool IsNearSpikePoint(const OGLPoint3D& where, float range)
{
	if (!CurrentLevelHasRule(LEVEL_RULE_SPIKES_POP_BUBBLES))
		return false;
	for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		// (Logic-only runs load no models: their stand-ins keep the numbers.)
		if (n->CType == INVALID_NODE_FLAG || n->Group != MODEL_GROUP_LEVELSPECIFIC || n == gPlayerNode)
			continue;
		const SpikePoint* points;
		int count;
		if (n->Type == SPIKY_BALL_MODEL)
			points = kSpikyBallPoints, count = int(std::size(kSpikyBallPoints));
		else if (n->Type == SPIKY_STALK_MODEL)
			points = kSpikyStalkPoints, count = int(std::size(kSpikyStalkPoints));
		else
			continue;
		for (int i = 0; i < count; i++)
		{
			OGLPoint3D tip, local = {points[i].x, points[i].y, points[i].z};
			OGLPoint3D_Transform(&local, &n->BaseTransformMatrix, &tip);
			if (OGLPoint3D_Distance(&tip, &where) < range)
				return true;
		}
	}
	return false;
}

namespace
{
	void SprayDroplets(const OGLPoint3D& centre)
	{
		NewParticleGroupDefType def = {};
		def.magicNum = RandomNumber();
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.gravity = POP_DROPLET_GRAVITY;
		def.baseScale = POP_DROPLET_SIZE;
		def.decayRate = POP_DROPLET_SHRINK;
		def.fadeRate = POP_DROPLET_FADE;
		def.particleTextureNum = PARTICLE_SPRITE_DROPLET;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		const int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < POP_DROPLETS; i++)
		{
			const OGLVector3D delta = {RandomFloatSigned() * POP_DROPLET_SPEED, RandomFloatSigned() * POP_DROPLET_SPEED,
					RandomFloatSigned() * POP_DROPLET_SPEED};
			const OGLPoint3D where = centre + delta * POP_DROPLET_LEAD;
			NewParticleDefType p = {group, &where, &delta, 1.0f + RandomFloat(), 0, 0, 1.0f};
			if (AddParticleToGroup(&p))
				break;
		}
	}
}

void PopBubble(ObjNode* bubble)
{
	SprayDroplets(bubble->Coord);
	PlayItemEffect3D(EFFECT_BUBBLEPOP, &bubble->Coord);
	if (gPlayerBubble.Get() == bubble)
	{
		gPlayerBubble.Clear();
		PlayerDropOutOfBubble();
	}
	DeleteObject(bubble);
}

void PopPlayerBubble()
{
	if (ObjNode* bubble = gPlayerBubble.Get())
		PopBubble(bubble);
}

ObjNode* GetPlayerBubble()
{
	return gPlayerBubble.Get();
}

void InitBubblePumps()
{
	gPlayerBubble.Clear();
	SetTriggerHandler(TRIGGER_KIND_BUBBLE_PUMP, DoTrig_BubblePump);
}

bool AddBubblePump(TerrainItemEntryType* item, float x, float z)
{
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_BUBBLE_PUMP;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = PUMP_SLOT;
	def.moveCall = MoveBubblePump;
	def.rot = float(item->parm[0] & 3) * PI_HALF;
	def.scale = PUMP_SCALE;
	ObjNode* pump = MakeItemModelNode(&def, {{-40, 0, -40}, {40, 40, 40}, false});
	pump->TerrainItemPtr = item;
	pump->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
	pump->CBits = SIDE_ALL;
	SetObjectCollisionBounds(pump, 40, 0, -40, 40, 40, -40);
	CalcObjectBoxFromNode(pump);
	KeepOldCollisionBoxes(pump);

	def.type = LEVEL_MODEL_BUBBLE_PLUNGER;
	def.moveCall = nullptr;
	def.chainTail = pump;
	ObjNode* plunger = MakeItemModelNode(&def, PLUNGER_STAND_IN);
	plunger->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC | CTYPE_PLATFORM | CTYPE_TRIGGER | CTYPE_TRIGGER2 | CTYPE_DROPS_RIDER;
	plunger->CBits = SIDE_ALL;
	plunger->TriggerSides = SIDE_ALL;
	plunger->Kind = TRIGGER_KIND_BUBBLE_PUMP;
	CreateCollisionBoxFromBoundingBox(plunger, 1, 1);
	return true;
}

bool DoTrig_BubblePump(ObjNode* plunger, ObjNode*, uint32_t sides)
{
	ObjNode* pump = plunger->ChainHead ? plunger->ChainHead : plunger;
	if (pump->Mode != 1 && (sides & SIDE_BOTTOM))
	{
		// A stroke from the upper half blows a bubble.
		if (pump->SpecialF[0] < 0.5f)
			BlowBubble(pump);
		pump->Mode = 1;
		gObjDelta.x *= PLUNGER_PUSH_KEPT;
		gObjDelta.z *= PLUNGER_PUSH_KEPT;
	}
	else if (pump->Mode != 0)
		pump->Flag[1] = 1;			// held down
	return true;
}

float GetBubblePumpStroke(const ObjNode* pump)
{
	return pump->SpecialF[0];
}
