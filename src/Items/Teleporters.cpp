// Teleporters: arches in pairs. Dead until a nova discharge powers one (and
// with it its partner); then glowing rings spin in the arch, a drone hums and
// the robot walking through is shrunk away and comes out of the partner.
#include "Items/Rides.h"
#include "Items/ItemsInternal.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <SDL_opengl.h>
#include <cmath>

TeleporterType gTeleporters[MAX_TELEPORTERS];

namespace
{
	constexpr int TELEPORTER_MODEL = 6, GLOW_RING_MODEL = 7, SIGN_MODEL_BASE = 8;
	constexpr uint16_t TELEPORTER_SLOT = 70;
	constexpr uint32_t CTYPE_ZAP_PREFERRED = 0x4000;		// the nova's discharge picks these first
	constexpr float RING_TILT = PI / 14;
	constexpr float RING_ALPHA[2] = {0.8f, 0.5f};
	constexpr float RING_MAX_SPIN = 12.0f;					// radians per second, each frame's random turn at most
	constexpr float STREAM_DISTANCE = 900.0f;				// the robot this near sees sparks drawn into a live arch
	constexpr float STREAM_INTERVAL = 0.01f;
	constexpr float SIGN_HEIGHT = 340.0f;

	const OGLBoundingBox TELEPORTER_STAND_IN = {{-210, 0, -40}, {210, 330, 40}, false};
	const OGLBoundingBox RING_STAND_IN = {{-150, 0, -10}, {150, 300, 10}, false};

	constexpr int ID = 0, DESTINATION = 1;		// Special[]
	constexpr int HAS_RINGS = 0;				// Flag[]

	bool PowerTeleporter(ObjNode*, ObjNode* target, const OGLPoint3D*, const OGLVector3D*, float)
	{
		gTeleporters[target->Special[ID]].powered = true;
		gTeleporters[target->Special[DESTINATION]].powered = true;
		return true;
	}

	void AddGlowRings(ObjNode* teleporter)
	{
		ObjNode* tail = teleporter;
		for (int i = 0; i < 2; i++)
		{
			ObjectDef def = {};
			def.group = MODEL_GROUP_LEVELSPECIFIC;
			def.type = GLOW_RING_MODEL;
			def.coord = teleporter->Coord;
			def.flags = STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES | STATUS_BIT_KEEPBACKFACES;
			def.slot = TELEPORTER_SLOT + 1;
			def.rot = teleporter->Rot.y + (i == 0 ? RING_TILT : -RING_TILT);
			def.scale = teleporter->Scale.x;
			def.chainTail = tail;
			ObjNode* ring = MakeItemModelNode(&def, RING_STAND_IN);
			ring->ColorFilter.a = RING_ALPHA[i];
			tail = ring;
		}
		teleporter->Flag[HAS_RINGS] = 1;
	}

	void SpinGlowRings(ObjNode* teleporter)
	{
		for (ObjNode* ring = teleporter->ChainNode; ring; ring = ring->ChainNode)
		{
			if (ring->Type != GLOW_RING_MODEL && ring->Genre != NODRAW_GENRE)
				continue;
			ring->Rot.z += RandomFloat() * RING_MAX_SPIN * gFrameTime;
			UpdateObjectTransforms(ring);
		}
	}

	int16_t StreamGroup(ObjNode* teleporter)
	{
		if (teleporter->ParticleGroup >= 0 && VerifyParticleGroupMagicNum(teleporter->ParticleGroup, teleporter->ParticleMagicNum))
			return teleporter->ParticleGroup;
		NewParticleGroupDefType def = {};
		def.magicNum = RandomNumber();
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_DONTCHECKGROUND;
		def.baseScale = 30;
		def.decayRate = 0.5f;
		def.fadeRate = 1.0f;
		def.particleTextureNum = PARTICLE_SPRITE_SPARK;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE;
		teleporter->ParticleMagicNum = def.magicNum;
		teleporter->ParticleGroup = NewParticleGroup(&def);
		return teleporter->ParticleGroup;
	}

	// Sparks leave the air around the robot and are drawn into the arch.
	void StreamToward(ObjNode* teleporter)
	{
		teleporter->ParticleTimer -= gFrameTime;
		if (teleporter->ParticleTimer > 0)
			return;
		teleporter->ParticleTimer += STREAM_INTERVAL;
		int16_t group = StreamGroup(teleporter);
		if (group < 0)
			return;
		const OGLPoint3D& robot = gPlayerNode->Coord;
		OGLPoint3D from = {robot.x + RandomFloatSigned() * 200, robot.y + RandomFloat() * 200, robot.z + RandomFloatSigned() * 200};
		OGLPoint3D to = {teleporter->Coord.x, teleporter->Coord.y + TELEPORTER_HEIGHT * 0.5f, teleporter->Coord.z};
		OGLVector3D delta = {(to.x - from.x), (to.y - from.y), (to.z - from.z)};
		NewParticleDefType p = {group, &from, &delta, 1.0f, 0, 0, 1.0f};
		AddParticleToGroup(&p);
	}

	void PassThrough(ObjNode* teleporter)
	{
		const TeleporterType& dest = gTeleporters[teleporter->Special[DESTINATION]];
		OGLPoint3D arrival = dest.arrival;
		arrival.x -= std::sin(dest.arrivalRot) * 30;
		arrival.z -= std::cos(dest.arrivalRot) * 30;
		StartPlayerTeleport(arrival, dest.arrivalRot);
	}
}

void InitTeleporters()
{
	for (TeleporterType& t : gTeleporters)
		t = {};
	for (int32_t n = 0; n < gNumTerrainItems; n++)
	{
		const TerrainItemEntryType& item = gTerrainItemList[n];
		if (item.type != ITEM_TYPE_TELEPORTER)
			continue;
		if (item.parm[0] >= MAX_TELEPORTERS)
			FatalAlert("InitTeleporters: ID# >= MAX_TELEPORTERS");
		TeleporterType& t = gTeleporters[item.parm[0]];
		float a = float(item.parm[2]) * (PI / 4) + PI;
		float x = float(item.x) - std::sin(a) * TELEPORTER_ARRIVAL_OFFSET;
		float z = float(item.z) - std::cos(a) * TELEPORTER_ARRIVAL_OFFSET;
		t.arrival = {x, BaseTerrainHeightAt(x, z), z};
		t.arrivalRot = a;
		t.defined = true;
	}
	// Every destination must be a teleporter of this level.
	for (int32_t n = 0; n < gNumTerrainItems; n++)
	{
		const TerrainItemEntryType& item = gTerrainItemList[n];
		if (item.type != ITEM_TYPE_TELEPORTER)
			continue;
		if (item.parm[1] >= MAX_TELEPORTERS || !gTeleporters[item.parm[1]].defined)
			FatalAlert("InitTeleporters: teleporter %d leads to %d, which is not a teleporter of this level", item.parm[0],
					item.parm[1]);
	}
}

bool AddTeleporter(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] >= MAX_TELEPORTERS || item->parm[1] >= MAX_TELEPORTERS || !gTeleporters[item->parm[1]].defined)
		FatalAlert("AddTeleporter: teleporter %d has a bad destination %d", item->parm[0], item->parm[1]);
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = TELEPORTER_MODEL;
	def.coord = {x, 0, z};
	def.coord.y = IsItemModelLoaded(def.group, def.type)
			? MinTerrainHeightUnderModel(x, z, def.group, def.type, TELEPORTER_SCALE) : TerrainHeightAt(x, z);
	def.flags = gAutoFadeStatusBits;
	def.slot = TELEPORTER_SLOT;
	def.moveCall = MoveTeleporter;
	def.rot = float(item->parm[2]) * (PI / 4);
	def.scale = TELEPORTER_SCALE;
	ObjNode* teleporter = MakeItemModelNode(&def, TELEPORTER_STAND_IN);
	teleporter->TerrainItemPtr = item;
	teleporter->Special[ID] = item->parm[0];
	teleporter->Special[DESTINATION] = item->parm[1];
	teleporter->CType = CTYPE_PUSH_BY_POSITION | CTYPE_BLOCKCAMERA | CTYPE_ZAP_PREFERRED | CTYPE_MISC;
	teleporter->CBits = SIDE_ALL;
	teleporter->HitByWeaponHandler[WEAPON_NOVA] = PowerTeleporter;

	// Solid posts either side; the robot walks between them.
	const float h = def.rot;
	const float w = TELEPORTER_HALF_WIDTH * TELEPORTER_SCALE, p = TELEPORTER_POST_HALF * TELEPORTER_SCALE;
	teleporter->NumCollisionBoxes = 0;
	for (float side : {-w, w})
	{
		float px = std::cos(h) * side, pz = -std::sin(h) * side;
		AddCollisionBoxToObject(teleporter, TELEPORTER_HEIGHT * TELEPORTER_SCALE, 0, px - p, px + p, pz + p, pz - p);
	}

	if (item->parm[1] <= MAX_TELEPORTER_SIGN)
	{
		ObjectDef sign = def;
		sign.type = uint8_t(SIGN_MODEL_BASE + item->parm[1]);
		sign.coord.y += SIGN_HEIGHT * TELEPORTER_SCALE;
		sign.moveCall = nullptr;
		sign.chainTail = teleporter;
		const OGLBoundingBox signStandIn = {{-60, -30, -5}, {60, 30, 5}, false};
		MakeItemModelNode(&sign, signStandIn);
	}
	return true;
}

bool CrossesTeleporter(const OGLPoint3D& centre, float rot, float scale, const OGLPoint3D& from, const OGLPoint3D& to)
{
	if (CalcQuickDistance(centre.x, centre.z, to.x, to.z) > TELEPORTER_REACH * scale)
		return false;
	// The arch's plane runs across its heading.
	OGLVector2D along = {std::cos(rot), -std::sin(rot)};
	OGLVector2D a = {from.x - centre.x, from.z - centre.z};
	OGLVector2D b = {to.x - centre.x, to.z - centre.z};
	float sideA = OGLVector2D_Cross(&along, &a);
	float sideB = OGLVector2D_Cross(&along, &b);
	return (sideA < 0) != (sideB < 0);
}

void MoveTeleporter(ObjNode* teleporter)
{
	if (IsNodeOutOfRange(teleporter))
	{
		DeleteObject(teleporter);
		return;
	}
	if (!gTeleporters[teleporter->Special[ID]].powered)
		return;
	if (!teleporter->Flag[HAS_RINGS])
		AddGlowRings(teleporter);
	SpinGlowRings(teleporter);
	if (IsSoundEffectLoaded(EFFECT_TELEPORTERDRONE))
	{
		if (teleporter->EffectChannel < 0)
			teleporter->EffectChannel = PlayEffect3D(EFFECT_TELEPORTERDRONE, &teleporter->Coord);
		else
			Update3DSoundChannel(EFFECT_TELEPORTERDRONE, &teleporter->EffectChannel, &teleporter->Coord);
	}

	ObjNode* robot = gPlayerNode;
	if (!robot || gPlayerLevel.isDead || IsPlayerTeleporting() || !(robot->CType & CTYPE_PLAYER))
		return;
	if (IsPlayerNear(teleporter, STREAM_DISTANCE))
		StreamToward(teleporter);
	if (CrossesTeleporter(teleporter->Coord, teleporter->Rot.y, teleporter->Scale.x, robot->OldCoord, robot->Coord))
		PassThrough(teleporter);
}
