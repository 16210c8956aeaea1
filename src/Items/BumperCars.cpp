// The bumper-car arena: a fenced floor that is electrified while its
// electric poles stand. The robot drives his own car into the poles; a hard
// enough ram breaks a pole's top and switches it off, and when the last pole
// of an area is off the floor goes dead and the area's gate opens. The other
// cars chase him (or each other) and the cars bounce off one another.
#include "Items/Contraptions.h"
#include "Items/ItemsInternal.h"
#include "Player/Player.h"
#include "Player/PlayerVehicles.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainFormat.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace
{
	constexpr uint16_t ITEM_BUMPER_CAR = 76;
	constexpr uint16_t ITEM_BUMPER_POLE = 80;
	constexpr uint8_t BUMPER_CAR_PLAYERS = 0x01;	// parm[3] bit: the robot's own car (flag bit 0 is the in-use mark)

	constexpr float POLE_SCALE = 1.1f;
	constexpr uint16_t POLE_SLOT = 4;
	constexpr float POLE_POINT_HEIGHT = 700.0f;		// the poles' table points stand this high
	constexpr float POLE_TOP_LIFT = 80.0f;
	constexpr float POLE_PULSE_RATE = 10.0f;		// radians per second
	constexpr float POLE_OFF_GREY = 0.4f;
	constexpr float POLE_TAP_SOUND_SPEED = 150.0f;
	constexpr float POLE_SPARK_RADIUS = 300.0f;

	constexpr float CAR_SCALE = 1.8f;
	constexpr uint16_t CAR_SLOT = 198;
	constexpr float CAR_TURN_INPUT = 2.9f;			// turn rate change per second at full stick
	constexpr float CAR_MAX_TURN = PI2;
	constexpr float CAR_TURN_SETTLE = 4.0f;			// turn rate back to 0 per second without input
	constexpr float CAR_FRICTION = 130.0f;			// units per second²
	constexpr float CAR_ACCEL = 900.0f;
	constexpr float AI_CAR_MAX_SPEED = 1260.0f;
	constexpr float AI_CAR_TURN = PI;				// radians per second
	constexpr float AI_AIM_CONE = PI / 3;			// drives only with its target this near ahead
	constexpr float AI_RETARGET_MIN = 5, AI_RETARGET_MAX = 10;	// seconds
	constexpr int MAX_CAR_CONTACTS = 3;				// per car per frame
	constexpr float CONTACT_SOUND_SPEED = 100.0f;
	constexpr float WALL_TURN_KEPT = 0.7f;
	constexpr float CAR_HUM_RATE_RISE = 0.5f;		// of the normal rate, at top speed

	constexpr float GATE_SCALE = 3.5f;
	constexpr uint16_t GATE_SLOT = 2980;
	constexpr int16_t GATE_OPEN_TOP = 40;			// the gate's box top once its area is done
	constexpr float FIELD_SCROLL = 1.1f;			// texture units per second
	// Where the live gate crackles, in the gate model's own units: the two
	// post tops under the lintel's ends and the posts' middles.
	constexpr OGLPoint3D GATE_SPARKLE_POINTS[] = {{-56, 62, 0}, {56, 62, 0}, {-56, 31, 0}, {56, 31, 0}};
	constexpr float GATE_SPARKLE_SCALE = 200.0f;
	constexpr float GATE_SPARKLE_SEPARATION = 40.0f;

	const OGLBoundingBox POLE_STAND_IN = {{-60, 0, -60}, {60, 700, 60}, false};
	const OGLBoundingBox POLE_TOP_STAND_IN = {{-50, 680, -50}, {50, 780, 50}, false};
	const OGLBoundingBox CAR_STAND_IN = {{-110, 0, -110}, {110, 120, 110}, false};
	const OGLBoundingBox GATE_STAND_IN = {{-200, 0, -30}, {200, 220, 30}, false};

	struct BumperArea
	{
		int numPoles;
		bool poleListed[MAX_BUMPER_POLES];
		OGLPoint3D polePoints[MAX_BUMPER_POLES];
		uint8_t poleState[MAX_BUMPER_POLES];
		int polesOff;
		bool done;
		ObjNodeRef cars[MAX_BUMPER_CARS];
	};
	BumperArea gAreas[MAX_BUMPER_AREAS];
	ObjNodeRef gPlayerCar;
	int gPlayerCarID = -1;

	bool IsPlayersCar(const ObjNode* car)
	{
		return car->Special[2] != 0;
	}

	BumperArea& AreaOf(const ObjNode* node)
	{
		return gAreas[node->SubKind];
	}

	int CheckedArea(const char* routine, const TerrainItemEntryType* item)
	{
		int area = item->parm[1];
		if (area >= MAX_BUMPER_AREAS)
			FatalAlert("%s: area %d of the item at (%u, %u) is out of range (0 … %d)", routine, area, item->x, item->z,
					MAX_BUMPER_AREAS - 1);
		return area;
	}

	//
	// Poles
	//

	// The glints a pole or the gate carries while its arena is live.
	void RemoveSparkles(ObjNode* node)
	{
		for (int16_t& s : node->Sparkles)
			if (s != -1)
			{
				DeleteSparkle(s);
				s = -1;
			}
	}

	void SwitchPoleOff(ObjNode* pole)
	{
		BumperArea& a = AreaOf(pole);
		a.poleState[pole->Special[0]] = BUMPER_POLE_OFF;
		a.polesOff++;
		if (a.polesOff >= a.numPoles)
			a.done = true;
		pole->CType &= ~CTYPE_TRIGGER2;
		pole->ColorFilter = {POLE_OFF_GREY, POLE_OFF_GREY, POLE_OFF_GREY, 1};
		RemoveSparkles(pole);
		StopAChannel(&pole->EffectChannel);
		PlayItemEffect3D(EFFECT_BUMPERPOLEOFF, &pole->Coord);
	}

	void MoveBumperPole(ObjNode* pole)
	{
		if (IsNodeOutOfRange(pole))
		{
			DeleteObject(pole);
			return;
		}
		ObjNode* top = pole->ChainNode;
		if (top && !(top->StatusBits & STATUS_BIT_HIDDEN))
		{
			pole->SpecialF[0] += POLE_PULSE_RATE * gFrameTime;
			float s = POLE_SCALE + 0.1f * std::sin(pole->SpecialF[0]);
			top->Scale = {s, s, s};
			UpdateObjectTransforms(top);
		}
		if (pole->EffectChannel >= 0)
			Update3DSoundChannel(EFFECT_BUMPERPOLEHUM, &pole->EffectChannel, &pole->Coord);
	}

	//
	// Cars
	//

	float Heading(float dx, float dz)
	{
		// A heading θ faces (−sin θ, −cos θ).
		return std::atan2(-dx, -dz);
	}

	void ApplyCarFriction(OGLVector3D* v)
	{
		float speed = std::hypot(v->x, v->z);
		if (speed <= 0)
			return;
		float k = std::max(0.0f, speed - CAR_FRICTION * gFrameTime) / speed;
		v->x *= k;
		v->z *= k;
	}

	void CapSpeed(OGLVector3D* v, float max)
	{
		float speed = std::hypot(v->x, v->z);
		if (speed > max)
		{
			v->x *= max / speed;
			v->z *= max / speed;
		}
	}

	// The robot's car under his stick: turning builds up, pushing drives.
	void DrivePlayersCar(ObjNode* car)
	{
		OGLVector2D in = gAnalogSteering;
		if (AreaOf(car).done)
			in = {0, 0};
		// The stick snaps to sixteen directions, keeping its length.
		float len = std::hypot(in.x, in.y);
		if (len > 0)
		{
			float a = std::round(std::atan2(in.y, in.x) / (PI / 8)) * (PI / 8);
			in = {std::cos(a) * len, std::sin(a) * len};
		}
		float& turn = car->SpecialF[0];
		if (std::fabs(in.x) > 0.001f)
			turn = std::clamp(turn - CAR_TURN_INPUT * in.x * gFrameTime, -CAR_MAX_TURN, CAR_MAX_TURN);
		else if (turn > 0)
			turn = std::max(0.0f, turn - CAR_TURN_SETTLE * gFrameTime);
		else
			turn = std::min(0.0f, turn + CAR_TURN_SETTLE * gFrameTime);
		ApplyCarFriction(&gObjDelta);
		car->Rot.y += turn * gFrameTime;
		gObjDelta.x += std::sin(car->Rot.y) * in.y * CAR_ACCEL * gFrameTime;
		gObjDelta.z += std::cos(car->Rot.y) * in.y * CAR_ACCEL * gFrameTime;
		CapSpeed(&gObjDelta, BUMPER_CAR_MAX_SPEED);

		if (GetNewNeedState(NEED_JUMP))
			LeaveBumperCar();
	}

	ObjNode* CarOfID(int area, int id)
	{
		if (id < 0 || id >= MAX_BUMPER_CARS)
			return nullptr;
		return gAreas[area].cars[id].Get();
	}

	// The other cars go for the robot's car more often than for each other.
	void DriveOtherCar(ObjNode* car)
	{
		float& retarget = car->SpecialF[1];
		int& target = car->Special[1];
		retarget -= gFrameTime;
		ObjNode* prey = CarOfID(car->SubKind, target);
		if (retarget <= 0 || !prey || prey == car)
		{
			retarget = RandomFloatRange(AI_RETARGET_MIN, AI_RETARGET_MAX);
			target = (RandomRange(0, 15) < 9) ? gPlayerCarID : int(RandomRange(0, 7));
			prey = CarOfID(car->SubKind, target);
		}
		ApplyCarFriction(&gObjDelta);
		if (!prey || prey == car)
			return;
		float want = Heading(prey->Coord.x - car->Coord.x, prey->Coord.z - car->Coord.z);
		float diff = AngleDifference(want, car->Rot.y);
		float step = AI_CAR_TURN * gFrameTime;
		car->Rot.y += std::clamp(diff, -step, step);
		OGLPoint3D from = {car->Coord.x, car->Coord.y + 60, car->Coord.z};
		OGLPoint3D to = {prey->Coord.x, prey->Coord.y + 60, prey->Coord.z};
		OGLPoint3D hit;
		bool above = false;
		float fenceTop = 0;
		if (std::fabs(diff) < AI_AIM_CONE && !SegmentHitsFence(&from, &to, &hit, &above, &fenceTop))
		{
			gObjDelta.x -= std::sin(car->Rot.y) * CAR_ACCEL * gFrameTime;
			gObjDelta.z -= std::cos(car->Rot.y) * CAR_ACCEL * gFrameTime;
			CapSpeed(&gObjDelta, AI_CAR_MAX_SPEED);
		}
	}

	// This car against the others of its area: pushed apart, velocities exchanged.
	void CollideWithOtherCars(ObjNode* car)
	{
		BumperArea& a = AreaOf(car);
		int contacts = 0;
		for (ObjNodeRef& ref : a.cars)
		{
			ObjNode* other = ref.Get();
			if (!other || other == car || contacts >= MAX_CAR_CONTACTS)
				continue;
			float dx = other->Coord.x - gObjCoord.x, dz = other->Coord.z - gObjCoord.z;
			float d = std::hypot(dx, dz);
			if (d >= BUMPER_CAR_CONTACT || d <= 0)
				continue;
			gObjCoord.x = other->Coord.x - dx / d * BUMPER_CAR_SEPARATION;
			gObjCoord.z = other->Coord.z - dz / d * BUMPER_CAR_SEPARATION;
			OGLVector2D v1 = {gObjDelta.x, gObjDelta.z}, v2 = {other->Delta.x, other->Delta.z};
			float s1 = std::hypot(v1.x, v1.y), s2 = std::hypot(v2.x, v2.y);
			CollideBumperCarVelocities({gObjCoord.x, gObjCoord.z}, {other->Coord.x, other->Coord.z}, &v1, &v2);
			gObjDelta.x = v1.x;
			gObjDelta.z = v1.y;
			other->Delta.x = v2.x;
			other->Delta.z = v2.y;
			if (contacts == 0 && (s1 > CONTACT_SOUND_SPEED || s2 > CONTACT_SOUND_SPEED))
			{
				float r = (s1 + s2) / (2 * BUMPER_CAR_MAX_SPEED);
				PlayItemEffect3D(EFFECT_BUMPERHIT, &gObjCoord, 1 + 0.1875f * r, r);
				if (IsPlayersCar(car) || IsPlayersCar(other))
					Rumble(0.5f, 250);
			}
			contacts++;
		}
	}

	// Every car of an arena in play hums, higher the faster it goes; a car
	// whose arena is not in play (the robot is out, or it is won) is quiet.
	void HumWhileArenaPlays(ObjNode* car, bool inPlay)
	{
		if (!inPlay)
		{
			StopAChannelIfEffectNum(&car->EffectChannel, EFFECT_BUMPERCARHUM);
			return;
		}
		if (car->EffectChannel == -1)
			car->EffectChannel = PlayItemEffect3D(EFFECT_BUMPERCARHUM, &car->Coord);
		else
			Update3DSoundChannel(EFFECT_BUMPERCARHUM, &car->EffectChannel, &car->Coord);
		if (car->EffectChannel != -1)
			ChangeChannelRate(car->EffectChannel,
					int32_t(NORMAL_CHANNEL_RATE
							* (1 + CAR_HUM_RATE_RISE * std::hypot(car->Delta.x, car->Delta.z) / BUMPER_CAR_MAX_SPEED)));
	}

	void MoveBumperCar(ObjNode* car)
	{
		BumperArea& a = AreaOf(car);
		bool occupied = car->Flag[0];
		ObjNode* playerCar = gPlayerCar.Get();
		bool inPlay = playerCar && playerCar->SubKind == car->SubKind && !a.done;

		if (!occupied && IsNodeOutOfRange(car))
		{
			// A finished arena's cars are gone for good; the others come back with their supertile.
			if (a.done && car->TerrainItemPtr)
				car->TerrainItemPtr->flags |= ITEM_FLAG_INUSE;
			DeleteObject(car);
			return;
		}
		if (!occupied && IsPlayersCar(car) && (car->StatusBits & STATUS_BIT_ISCULLED))
		{
			// Left where the robot jumped out, it waits at its place again unseen.
			car->Coord = car->InitCoord;
			car->Delta = {0, 0, 0};
		}

		GetObjectInfo(car);
		if (occupied)
			DrivePlayersCar(car);
		else if (!IsPlayersCar(car) && inPlay)
			DriveOtherCar(car);
		else
			ApplyCarFriction(&gObjDelta);

		gObjCoord.x += gObjDelta.x * gFrameTime;
		gObjCoord.z += gObjDelta.z * gFrameTime;
		CollideWithOtherCars(car);
		uint32_t mask = CTYPE_FENCE | CTYPE_MISC | (IsPlayersCar(car) ? uint32_t(CTYPE_TRIGGER2) : 0u);
		if (ResolveCollisions(car, mask, 0.5f))
			car->SpecialF[0] *= WALL_TURN_KEPT;
		gObjCoord.y = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		gObjDelta.y = 0;
		UpdateObject(car);
		HumWhileArenaPlays(car, inPlay);
	}
}

void InitBumperCars()
{
	for (BumperArea& a : gAreas)
		a = {};
	gPlayerCar.Clear();
	gPlayerCarID = -1;
	for (int i = 0; i < gNumTerrainItems; i++)
	{
		const TerrainItemEntryType& item = gTerrainItemList[i];
		if (item.type == ITEM_BUMPER_CAR)
			CheckedArea("InitBumperCars", &item);
		if (item.type != ITEM_BUMPER_POLE)
			continue;
		int area = CheckedArea("InitBumperCars", &item), id = item.parm[0];
		if (id >= MAX_BUMPER_POLES)
			FatalAlert("InitBumperCars: pole ID %d of the item at (%u, %u) is out of range (0 … %d)", id, item.x, item.z,
					MAX_BUMPER_POLES - 1);
		BumperArea& a = gAreas[area];
		if (a.poleListed[id])
			FatalAlert("InitBumperCars: duplicate pole ID %d in area %d (item at %u, %u)", id, area, item.x, item.z);
		a.poleListed[id] = true;
		float x = float(item.x), z = float(item.z);
		a.polePoints[id] = {x, BaseTerrainHeightAt(x, z) + POLE_POINT_HEIGHT, z};
		a.numPoles++;
	}
	SetTriggerHandler(TRIGGER_KIND_BUMPER_CAR, DoTrig_BumperCar);
	SetTriggerHandler(TRIGGER_KIND_BUMPER_POLE, DoTrig_BumperPole);
}

bool AddBumperPole(TerrainItemEntryType* item, float x, float z)
{
	int area = CheckedArea("AddBumperPole", item), id = item->parm[0];
	if (id >= MAX_BUMPER_POLES)
		FatalAlert("AddBumperPole: pole ID %d of the item at (%.0f, %.0f) is out of range", id, x, z);
	uint8_t state = gAreas[area].poleState[id];

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_BUMPER_POLE;
	def.coord = {x, BaseTerrainHeightAt(x, z), z};
	def.slot = POLE_SLOT;
	def.moveCall = MoveBumperPole;
	def.scale = POLE_SCALE;
	ObjNode* pole = MakeItemModelNode(&def, POLE_STAND_IN);
	pole->TerrainItemPtr = item;
	pole->Special[0] = id;
	pole->SubKind = uint8_t(area);
	pole->Kind = TRIGGER_KIND_BUMPER_POLE;
	pole->CType = CTYPE_BLOCKCAMERA | CTYPE_MISC;
	pole->CBits = SIDE_ALL;
	pole->TriggerSides = SIDE_ALL;
	pole->EffectChannel = -1;
	CreateCollisionBoxFromBoundingBox(pole, 0.5f, 1);

	if (state == BUMPER_POLE_OFF)
		pole->ColorFilter = {POLE_OFF_GREY, POLE_OFF_GREY, POLE_OFF_GREY, 1};
	else
	{
		int16_t s = GetFreeSparkle(pole);
		if (s != -1)
		{
			pole->Sparkles[0] = s;
			SparkleType& sparkle = gSparkles[s];
			sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER | SPARKLE_FLAG_TRANSFORMWITHOWNER;
			sparkle.where = {0, float(pole->TopOff) / POLE_SCALE, 0};
			sparkle.color = {1, 1, 1, 1};
			sparkle.scale = 300;
			sparkle.separation = 40;
			sparkle.textureNum = PARTICLE_SPRITE_STARBURST;
		}
	}
	if (state == BUMPER_POLE_LIVE)
	{
		pole->CType |= CTYPE_TRIGGER2;
		def.type = LEVEL_MODEL_BUMPER_POLE_TOP;
		def.coord.y += POLE_TOP_LIFT;
		def.moveCall = nullptr;
		def.chainTail = pole;
		MakeItemModelNode(&def, POLE_TOP_STAND_IN);
		pole->EffectChannel = PlayItemEffect3D(EFFECT_BUMPERPOLEHUM, &pole->Coord);
	}
	return true;
}

bool DoTrig_BumperPole(ObjNode* pole, ObjNode*, uint32_t)
{
	float speed = std::hypot(gObjDelta.x, gObjDelta.z);
	BumperArea& a = AreaOf(pole);
	if (speed < BUMPER_POLE_BREAK_SPEED || a.poleState[pole->Special[0]] != BUMPER_POLE_LIVE)
	{
		if (speed > POLE_TAP_SOUND_SPEED)
			PlayItemEffect3D(EFFECT_BUMPERPOLETAP, &pole->Coord);
		return true;
	}

	const OGLPoint3D& top = a.polePoints[pole->Special[0]];
	MakeSparkBurst(top.x, top.y, top.z, POLE_SPARK_RADIUS, PARTICLE_SPRITE_FIREBALL, GL_SRC_ALPHA, GL_ONE, 1.0f);
	a.poleState[pole->Special[0]] = BUMPER_POLE_TOP_BROKEN;
	if (ObjNode* cap = pole->ChainNode)
	{
		PlayItemEffect3D(EFFECT_BUMPERPOLEBREAK, &cap->Coord);
		ExplodeGeometry(cap, 500, SHARD_MODE_UPTHRUST | SHARD_MODE_FROMORIGIN, 1, 0.6f);
		cap->StatusBits |= STATUS_BIT_HIDDEN;
	}
	SwitchPoleOff(pole);
	return true;
}

bool AddBumperCar(TerrainItemEntryType* item, float x, float z)
{
	int area = CheckedArea("AddBumperCar", item), id = item->parm[0];
	if (id >= MAX_BUMPER_CARS || gAreas[area].done)
		return true;			// no car for this ID, or its arena is finished: nothing comes
	if (gAreas[area].cars[id].IsAlive())
		FatalAlert("AddBumperCar: duplicate car ID#!");
	bool players = item->parm[3] & BUMPER_CAR_PLAYERS;

	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = players ? LEVEL_MODEL_PLAYER_BUMPER_CAR : LEVEL_MODEL_BUMPER_CAR;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = CAR_SLOT;
	def.moveCall = MoveBumperCar;
	def.rot = RandomFloat() * PI2;
	def.scale = CAR_SCALE;
	ObjNode* car = MakeItemModelNode(&def, CAR_STAND_IN);
	car->TerrainItemPtr = item;
	car->Special[0] = id;
	car->Special[1] = -1;
	car->Special[2] = players;
	car->SubKind = uint8_t(area);
	car->Size = CAR_SCALE * car->BBox.max.x;
	car->CBits = SIDE_ALL;
	if (players)
	{
		car->CType = CTYPE_BLOCKCAMERA | CTYPE_TRIGGER;
		car->Kind = TRIGGER_KIND_BUMPER_CAR;
		car->TriggerSides = SIDE_TOP;
	}
	else
		car->CType = CTYPE_BLOCKCAMERA;
	CreateCollisionBoxFromBoundingBox(car, 0.9f, 0.8f);
	gAreas[area].cars[id] = ObjNodeRef(car);
	return true;
}

bool DoTrig_BumperCar(ObjNode* car, ObjNode* mover, uint32_t)
{
	if (mover != gPlayerNode || gPlayerLevel.isDead || car->Flag[0] || AreaOf(car).done)
		return true;
	PutPlayerInBumperCar(car);
	return false;
}

void PutPlayerInBumperCar(ObjNode* car)
{
	car->Flag[0] = 1;
	gPlayerCar = ObjNodeRef(car);
	gPlayerCarID = car->Special[0];
	PlayerSitInBumperCar(car);
}

void LeaveBumperCar()
{
	if (ObjNode* car = gPlayerCar.Get())
		car->Flag[0] = 0;
	gPlayerCar.Clear();
	PlayerJumpOutOfBumperCar();
}

ObjNode* GetPlayerBumperCar()
{
	ObjNode* car = gPlayerCar.Get();
	return car && car->Flag[0] ? car : nullptr;
}

namespace
{
	void AddGateSparkles(ObjNode* gate)
	{
		static_assert(std::size(GATE_SPARKLE_POINTS) <= MAX_NODE_SPARKLES);
		for (size_t i = 0; i < std::size(GATE_SPARKLE_POINTS); i++)
		{
			const OGLPoint3D& where = GATE_SPARKLE_POINTS[i];
			int16_t s = GetFreeSparkle(gate);
			if (s == -1)
				return;
			gate->Sparkles[i] = s;
			SparkleType& sparkle = gSparkles[s];
			sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL | SPARKLE_FLAG_FLICKER | SPARKLE_FLAG_TRANSFORMWITHOWNER;
			sparkle.where = where;
			sparkle.color = {1, 1, 1, 1};
			sparkle.scale = GATE_SPARKLE_SCALE;
			sparkle.separation = GATE_SPARKLE_SEPARATION;
			sparkle.textureNum = PARTICLE_SPRITE_STARBURST;
		}
	}

	// Its arena won: the field and its sparkles go and the gate drops.
	void OpenGate(ObjNode* gate, ObjNode* field)
	{
		field->StatusBits |= STATUS_BIT_HIDDEN;
		RemoveSparkles(gate);
		gate->TopOff = GATE_OPEN_TOP;
		CalcObjectBoxFromNode(gate);
	}

	void MoveBumperCarGate(ObjNode* gate)
	{
		if (IsNodeOutOfRange(gate))
		{
			DeleteObject(gate);
			return;
		}
		ObjNode* field = gate->ChainNode;
		if (AreaOf(gate).done)
		{
			if (field && !(field->StatusBits & STATUS_BIT_HIDDEN))
				OpenGate(gate, field);
			return;
		}
		if (field)
		{
			field->ColorFilter.a = RandomFloatRange(0.2f, 0.99f);
			field->TextureTransformU += FIELD_SCROLL * gFrameTime;
		}
	}
}

bool AddBumperCarGate(TerrainItemEntryType* item, float x, float z)
{
	int area = CheckedArea("AddBumperCarGate", item);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = LEVEL_MODEL_BUMPER_GATE;
	def.coord = {x, BaseTerrainHeightAt(x, z), z};
	def.slot = GATE_SLOT;
	def.moveCall = MoveBumperCarGate;
	def.rot = float(item->parm[0] & 3) * PI_HALF;
	def.scale = GATE_SCALE;
	ObjNode* gate = MakeItemModelNode(&def, GATE_STAND_IN);
	gate->TerrainItemPtr = item;
	gate->SubKind = uint8_t(area);
	gate->CType = CTYPE_PUSH_BY_POSITION | CTYPE_BLOCKCAMERA | CTYPE_MISC | CTYPE_BLOCKSIGHT;
	gate->CBits = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox_Rotated(gate, 1.2f, 1);

	def.type = LEVEL_MODEL_BUMPER_FORCE_FIELD;
	def.moveCall = nullptr;
	def.chainTail = gate;
	def.flags = STATUS_BIT_GLOW | STATUS_BIT_TEXTUREOFFSET | STATUS_BIT_NOZWRITES;
	ObjNode* field = MakeItemModelNode(&def, GATE_STAND_IN);
	if (gAreas[area].done)
		OpenGate(gate, field);
	else
		AddGateSparkles(gate);
	return true;
}

bool IsBumperAreaDone(int area)
{
	return area >= 0 && area < MAX_BUMPER_AREAS && gAreas[area].done;
}

int GetBumperPolesOff(int area)
{
	return gAreas[area].polesOff;
}

int GetBumperPoleCount(int area)
{
	return gAreas[area].numPoles;
}

uint8_t GetBumperPoleState(int area, int id)
{
	return gAreas[area].poleState[id];
}

bool IsFloorElectrifiedAt(float x, float z)
{
	if (!(CurrentLevelDef().setUp & LEVEL_SETUP_BUMPER_CARS) || !gTileAttributes || !gTileAttribIndexGrid)
		return false;
	int c = int(std::floor(x / float(TILE_UNITS))), r = int(std::floor(z / float(TILE_UNITS)));
	if (c < 0 || r < 0 || c >= gMapTilesWide || r >= gMapTilesDeep)
		return false;
	uint16_t flags = gTileAttributes[gTileAttribIndexGrid[r][c]].flags;
	return ((flags & TILE_ATTRIB_BUMPERAREA0) && !gAreas[0].done) || ((flags & TILE_ATTRIB_BUMPERAREA1) && !gAreas[1].done);
}

void CollideBumperCarVelocities(OGLVector2D p1, OGLVector2D p2, OGLVector2D* v1, OGLVector2D* v2)
{
	OGLVector2D n = {p2.x - p1.x, p2.y - p1.y};
	float len = std::hypot(n.x, n.y);
	if (len <= 0)
		return;
	n = {n.x / len, n.y / len};
	auto reflect = [&](OGLVector2D v) {
		float d = v.x * n.x + v.y * n.y;
		return OGLVector2D{v.x - 2 * d * n.x, v.y - 2 * d * n.y};
	};
	OGLVector2D r1 = reflect(*v1), r2 = reflect(*v2);
	float mean = 0.5f * (std::hypot(v1->x, v1->y) + std::hypot(v2->x, v2->y));
	auto along = [&](OGLVector2D dir, OGLVector2D fallback) {
		float l = std::hypot(dir.x, dir.y);
		if (l < 0.0001f)
		{
			dir = fallback;
			l = std::hypot(dir.x, dir.y);
		}
		return l < 0.0001f ? OGLVector2D{0, 0} : OGLVector2D{dir.x / l * mean, dir.y / l * mean};
	};
	OGLVector2D d1 = {v1->x + r1.x - r2.x, v1->y + r1.y - r2.y};
	OGLVector2D d2 = {v2->x + r2.x - r1.x, v2->y + r2.y - r1.y};
	*v1 = along(d1, r1);
	*v2 = along(d2, r2);
}
