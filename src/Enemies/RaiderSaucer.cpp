// The raider saucer: the call, the approach, carrying a human off, seeding a
// sprout, leaving, and the beam that hangs under it.
#include "Enemies/RaiderSaucer.h"
#include "3D/BG3D.h"
#include "3D/OGL_Support.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Enemies/Enemy.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float SAUCER_SCALE = 2.5f;
	constexpr uint16_t SAUCER_SLOT = 3000;
	constexpr float SPIN = 3.0f;						// radians per second (the rim turns the other way)
	constexpr float RIM_RAISE = 5.0f;					// units above the body
	constexpr float RIM_LIGHT_SPREAD = 725.0f;			// units to either side along the rim's heading
	constexpr float RIM_LIGHT_RAISE = 150.0f;
	constexpr float MIN_SPEED = 600.0f;					// units per second while approaching
	constexpr float MAX_SPEED = 3000.0f;
	constexpr float SPEED_PER_DISTANCE = 0.3f;
	constexpr float LOWEST = 500.0f;					// units above the ground: lower and it gives up
	constexpr float BLOCKED_GIVE_UP = 3.0f;				// seconds blocked by scenery
	constexpr float BOUNCE = 0.6f;
	constexpr float SEED_WAIT = 2.5f;					// seconds beaming at a sprout
	constexpr float TARGET_FADE = 0.1f;					// opacity per second of a carried human
	constexpr float TARGET_GREEN_FADE = 0.5f;
	constexpr float TARGET_BLUE_FADE = 0.6f;
	constexpr float TARGET_SPIN = 7.0f;					// radians per second
	constexpr float TARGET_RISE = 200.0f;				// units per second
	constexpr float TARGET_GONE_ABOVE = 200.0f;			// its lowest point this far above the saucer: gone
	constexpr OGLVector3D LEAVE_ACCEL = {200, 100, 300};	// units per second² flying off
	constexpr float FADE_START = 6500.0f;				// units from the camera, leaving
	constexpr float FADE_SPAN = 2500.0f;

	constexpr float BEAM_RANGE = 1500.0f;				// the beam shines with a target this near
	constexpr float BEAM_SCALE = 1.1f;
	constexpr uint16_t BEAM_SLOT = 3099;
	constexpr float BEAM_INNER_ALPHA = 0.1f;
	constexpr float BEAM_FADE = 1.5f;					// opacity per second once off
	constexpr float BEAM_INNER_FADE = 1.0f;
	constexpr float BEAM_INNER_SPIN = -5.0f;
	constexpr float BEAM_SCROLL = 4.0f;					// texture u per second
	constexpr float BEAM_HUM_RATE = 1.2f;
	constexpr float BEAM_HUM_VOLUME = 0.6f;
	constexpr float ENGINE_VOLUME = 0.9f;

	constexpr SuperTileDeformation RIPPLE = {1, DEFORM_DAMPED_RIPPLE, 15, 0, 2000, 0.01f, 600, 20, 0, 0};

	struct RaiderState
	{
		ObjNodeRef saucer;
		ObjNodeRef rim;
		ObjNodeRef target;
		ObjNodeRef beam;
		ObjNodeRef beamInner;
		float seedWait = 0;
		float blockedTime = 0;
		int32_t beamKind = RAIDER_TARGET_CARRY_OFF;
	};
	RaiderState gRaider;

	bool NoRaidersHere()
	{
		return CurrentLevelHasRule(LEVEL_RULE_NO_RAIDER_SAUCERS);
	}

	float FastDistance(float x1, float z1, float x2, float z2)
	{
		return CalcQuickDistance(x1, z1, x2, z2);
	}

	// Where the camera is and the level direction it looks in; without a view
	// (logic-only runs) the robot's eye stands in for it.
	void CameraFromAndDirection(OGLPoint3D* from, OGLVector2D* dir)
	{
		OGLPoint3D to;
		if (gGameViewInfoPtr)
		{
			*from = gGameViewInfoPtr->cameraPlacement.from;
			to = gGameViewInfoPtr->cameraPlacement.to;
		}
		else if (gPlayerNode)
		{
			*from = gPlayerNode->Coord;
			to = {from->x - std::sin(gPlayerNode->Rot.y), from->y, from->z - std::cos(gPlayerNode->Rot.y)};
		}
		else
		{
			*from = to = {0, 0, 0};
		}
		float dx = to.x - from->x, dz = to.z - from->z, len = std::sqrt(dx * dx + dz * dz);
		*dir = len > 0.0001f ? OGLVector2D{dx / len, dz / len} : OGLVector2D{0, -1};
	}

	bool IsTargetValid(const ObjNode* target)
	{
		return target && target->CType != INVALID_NODE_FLAG && (target->StatusBits & STATUS_BIT_RAIDER_TARGET)
				&& !(target->StatusBits & STATUS_BIT_DETACHED);
	}

	bool IsTargetThere(const ObjNode* target)
	{
		return target && target->CType != INVALID_NODE_FLAG && !(target->StatusBits & STATUS_BIT_DETACHED);
	}

	bool RobotRidesOrCarries()
	{
		switch (CurrentPlayerAnim())
		{
			case PLAYER_ANIM_BUBBLE:
			case PLAYER_ANIM_CARRY:
			case PLAYER_ANIM_ZIPLINE:
			case PLAYER_ANIM_SHOTFROMCANNON:
			case PLAYER_ANIM_ROCKETSLED:
				return true;
			default:
				return false;
		}
	}

	float Ground(float x, float z)
	{
		return IsTerrainSetUp() ? BaseTerrainHeightAt(x, z) : 0.0f;
	}

	ObjNode* MakePart(int model, const OGLPoint3D& at, uint16_t slot, float scale, uint32_t flags, ObjNode* chainTail)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = uint8_t(model);
		def.coord = at;
		def.flags = flags;
		def.slot = int16_t(slot);
		def.scale = scale;
		def.chainTail = chainTail;
		ObjNode* part = MakeNewDisplayGroupObject(&def);
		part->CType = 0;
		return part;
	}

	void MakeRimLight(ObjNode* saucer, int index)
	{
		int16_t s = GetFreeSparkle(saucer);
		saucer->Sparkles[index] = s;
		if (s < 0)
			return;
		SparkleType& sparkle = gSparkles[s];
		sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		sparkle.color = {1, 0.5f, 0, 1};
		sparkle.scale = 100;
		sparkle.separation = 20;
		sparkle.textureNum = PARTICLE_SPRITE_PUFF;
		sparkle.where = saucer->Coord;
	}

	void MakeRaider(ObjNode* target)
	{
		OGLPoint3D from;
		OGLVector2D v;
		CameraFromAndDirection(&from, &v);
		float x = from.x + RAIDER_SPAWN_DISTANCE * v.x, z = from.z + RAIDER_SPAWN_DISTANCE * v.y;
		float y = (IsTerrainSetUp() ? TerrainHeightAtNoHoles(x, z) : 0.0f) + RAIDER_SPAWN_HEIGHT;

		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_RAIDER_SAUCER;
		def.coord = {x, y, z};
		def.flags = gAutoFadeStatusBits;
		def.slot = int16_t(SAUCER_SLOT);
		def.moveCall = MoveRaiderSaucer;
		def.scale = SAUCER_SCALE;
		ObjNode* saucer = MakeNewDisplayGroupObject(&def);
		saucer->Mode = RAIDER_MODE_APPROACH;
		saucer->SpecialF[0] = 0;
		saucer->SpecialF[1] = 0;
		saucer->ColorFilter.a = 0;
		saucer->CType = 0;
		saucer->EffectChannel = -1;
		CreateCollisionBoxFromBoundingBox(saucer, 1.1f, 1.1f);
		for (int16_t& s : saucer->Sparkles)
			s = -1;

		ObjNode* rim = MakePart(GLOBAL_MODEL_RAIDER_SAUCER_RIM, saucer->Coord, SAUCER_SLOT, SAUCER_SCALE,
				gAutoFadeStatusBits, saucer);
		rim->ColorFilter.a = 0;
		MakeRimLight(saucer, 1);
		MakeRimLight(saucer, 2);
		SuperTileDeformation ripple = RIPPLE;
		ripple.centerX = x;
		ripple.centerZ = z;
		saucer->Special[1] = IsTerrainSetUp() ? NewSuperTileDeformation(&ripple) : -1;

		gRaider.saucer = ObjNodeRef(saucer);
		gRaider.rim = ObjNodeRef(rim);
		gRaider.target = ObjNodeRef(target);
		gRaider.blockedTime = 0;
		gRaider.seedWait = 0;
		target->StatusBits |= STATUS_BIT_RAIDER_TARGET;
	}

	void DeleteBeam()
	{
		ObjNode* beam = gRaider.beam.Get();
		if (beam)
		{
			ObjNode* saucer = gRaider.saucer.Get();
			if (saucer && saucer->Sparkles[0] >= 0)
			{
				DeleteSparkle(saucer->Sparkles[0]);
				saucer->Sparkles[0] = -1;
			}
			StopAChannelIfEffectNum(&beam->EffectChannel, EFFECT_BEAMHUM);
			DeleteObject(beam);		// the inner part with it: it is chained behind
		}
		gRaider.beam.Clear();
		gRaider.beamInner.Clear();
	}

	void MakeBeam(ObjNode* saucer, int32_t kind)
	{
		if (BG3D_GetNumModels(MODEL_GROUP_GLOBAL) <= GLOBAL_MODEL_BEAM_INNER)
			return;
		const uint32_t flags = gAutoFadeStatusBits | STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES
				| STATUS_BIT_NOFOG | STATUS_BIT_TEXTUREOFFSET | STATUS_BIT_KEEPBACKFACES;
		ObjNode* beam = MakePart(GLOBAL_MODEL_BEAM_OUTER, saucer->Coord, BEAM_SLOT, BEAM_SCALE, flags, nullptr);
		beam->ColorFilter = kind == RAIDER_TARGET_CARRY_OFF ? OGLColorRGBA{1, 0, 0, 0.99f} : OGLColorRGBA{0, 1, 0, 0.99f};
		beam->EffectChannel = -1;
		ObjNode* inner = MakePart(GLOBAL_MODEL_BEAM_INNER, saucer->Coord, BEAM_SLOT, BEAM_SCALE, flags, beam);
		inner->ColorFilter = beam->ColorFilter;
		inner->ColorFilter.a = BEAM_INNER_ALPHA;
		gRaider.beam = ObjNodeRef(beam);
		gRaider.beamInner = ObjNodeRef(inner);
		gRaider.beamKind = kind;

		int16_t s = GetFreeSparkle(saucer);
		saucer->Sparkles[0] = s;
		if (s >= 0)
		{
			SparkleType& glow = gSparkles[s];
			glow.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
			glow.color = {1, 1, 1, 1};
			glow.scale = 400;
			glow.separation = 1000;
			glow.textureNum = PARTICLE_SPRITE_GLINT;
		}
	}

	void UpdateBeam(ObjNode* saucer, float dt)
	{
		ObjNode* target = gRaider.target.Get();
		bool shine = target ? FastDistance(saucer->Coord.x, saucer->Coord.z, target->Coord.x, target->Coord.z) < BEAM_RANGE
				: saucer->Mode == RAIDER_MODE_SEEDING;
		ObjNode* beam = gRaider.beam.Get();
		if (shine && !beam && target)
		{
			MakeBeam(saucer, target->Special[0]);
			beam = gRaider.beam.Get();
		}
		if (!beam)
			return;
		ObjNode* inner = gRaider.beamInner.Get();
		if (shine)
		{
			beam->ColorFilter.a = 0.9f - RandomFloat() * 0.6f;
			beam->Coord = saucer->Coord;
			OGLPoint3D from;
			OGLVector2D v;
			CameraFromAndDirection(&from, &v);
			beam->Rot.y = CalcYAngleFromPointToPoint(beam->Rot.y, beam->Coord.x, beam->Coord.z, from.x, from.z);
			UpdateObjectTransforms(beam);
			if (inner)
			{
				inner->Coord = saucer->Coord;
				inner->Rot.y += BEAM_INNER_SPIN * dt;
				inner->TextureTransformU += (gRaider.beamKind == RAIDER_TARGET_CARRY_OFF ? BEAM_SCROLL : -BEAM_SCROLL) * dt;
				UpdateObjectTransforms(inner);
			}
			if (saucer->Sparkles[0] >= 0)
			{
				SparkleType& glow = gSparkles[saucer->Sparkles[0]];
				glow.where = {saucer->Coord.x, saucer->Coord.y - 50, saucer->Coord.z};
				glow.color.a = 0.99f - RandomFloat() * 0.6f;
			}
			if (beam->EffectChannel == -1)
			{
				if (IsSoundEffectLoaded(EFFECT_BEAMHUM))
					beam->EffectChannel = PlayEffect_Parms3D(EFFECT_BEAMHUM, &beam->Coord,
							uint32_t(BEAM_HUM_RATE * float(NORMAL_CHANNEL_RATE)), BEAM_HUM_VOLUME);
			}
			else
				Update3DSoundChannel(EFFECT_BEAMHUM, &beam->EffectChannel, &beam->Coord);
			return;
		}
		beam->ColorFilter.a -= BEAM_FADE * dt;
		if (inner)
			inner->ColorFilter.a = std::max(0.0f, inner->ColorFilter.a - BEAM_INNER_FADE * dt);
		if (beam->ColorFilter.a <= 0)
			DeleteBeam();
	}

	void DeleteRaider(ObjNode* saucer)
	{
		DeleteBeam();
		DeleteSuperTileDeformation(saucer->Special[1]);
		saucer->Special[1] = -1;
		StopAChannelIfEffectNum(&saucer->EffectChannel, EFFECT_SAUCER);
		DeleteObject(saucer);
		gRaider.saucer.Clear();
		gRaider.rim.Clear();
		gRaider.target.Clear();
	}

	void GiveUp(ObjNode* saucer)
	{
		gRaider.target.Clear();
		saucer->Mode = RAIDER_MODE_LEAVE;
	}

	// Moves by the working velocity and bounces off scenery; true when it struck something.
	bool MoveAndCollide(ObjNode* saucer, float bounce)
	{
		const float dt = gFrameTime;
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		return ResolveCollisions(saucer, CTYPE_MISC, bounce) != 0;
	}

	void Approach(ObjNode* saucer, float dt)
	{
		if (saucer->SpecialF[1] < 1)
			saucer->SpecialF[0] = saucer->SpecialF[1];
		ObjNode* target = gRaider.target.Get();
		if (!IsTargetValid(target))
		{
			GiveUp(saucer);
			MoveAndCollide(saucer, BOUNCE);
			return;
		}
		float dx = target->Coord.x - gObjCoord.x, dz = target->Coord.z - gObjCoord.z;
		if (std::sqrt(dx * dx + dz * dz) < RAIDER_BEAM_REACH)
		{
			if (WeaponHitHandler beamed = target->HitByWeaponHandler[WEAPON_SAUCERBEAM])
				beamed(nullptr, target, &target->Coord, nullptr, 0);
			if (target->Special[0] == RAIDER_TARGET_CARRY_OFF)
				saucer->Mode = RAIDER_MODE_CARRY;
			else
			{
				saucer->Mode = RAIDER_MODE_SEEDING;
				gRaider.seedWait = SEED_WAIT;
				gRaider.target.Clear();
			}
		}
		// Steer for the point above the target's ground.
		float ty = Ground(target->Coord.x, target->Coord.z) + RAIDER_HOVER;
		float ex = target->Coord.x - gObjCoord.x, ey = ty - gObjCoord.y, ez = target->Coord.z - gObjCoord.z;
		float len = std::sqrt(ex * ex + ey * ey + ez * ez);
		float ydist = target->Coord.y - gObjCoord.y;
		float speed = std::clamp(SPEED_PER_DISTANCE * std::sqrt(ydist * ydist + dx * dx + dz * dz), MIN_SPEED, MAX_SPEED);
		if (len > 0.001f)
			gObjDelta = {ex / len * speed, ey / len * speed, ez / len * speed};
		else
			gObjDelta = {0, 0, 0};

		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.y += gObjDelta.y * dt;
		gObjCoord.z += gObjDelta.z * dt;
		if (saucer->Mode == RAIDER_MODE_APPROACH && gObjCoord.y - Ground(gObjCoord.x, gObjCoord.z) < LOWEST)
		{
			// Too low: lifted clear at once, whatever way it was going, and off it goes.
			gObjCoord.y = Ground(gObjCoord.x, gObjCoord.z) + LOWEST;
			GiveUp(saucer);
			return;
		}
		if (ResolveCollisions(saucer, CTYPE_MISC, BOUNCE))
		{
			gRaider.blockedTime += dt;
			if (gRaider.blockedTime > BLOCKED_GIVE_UP && saucer->Mode == RAIDER_MODE_APPROACH)
				GiveUp(saucer);
		}
		else
			gRaider.blockedTime = 0;
	}

	void CarryOff(ObjNode* saucer, float dt)
	{
		ObjNode* target = gRaider.target.Get();
		if (!IsTargetThere(target))
		{
			GiveUp(saucer);
			return;
		}
		gObjDelta = {target->Delta.x, Ground(target->Coord.x, target->Coord.z) + RAIDER_HOVER - gObjCoord.y, target->Delta.z};
		MoveAndCollide(saucer, BOUNCE);

		target->ColorFilter.a -= TARGET_FADE * dt;
		if (target->ColorFilter.a < 0)
		{
			DeleteObject(target);
			GiveUp(saucer);
			return;
		}
		target->ColorFilter.g = std::max(0.0f, target->ColorFilter.g - TARGET_GREEN_FADE * dt);
		target->ColorFilter.b = std::max(0.0f, target->ColorFilter.b - TARGET_BLUE_FADE * dt);
		target->Rot.y += TARGET_SPIN * dt;
		target->Coord.y += TARGET_RISE * dt;
		if (target->BBox.min.y * target->Scale.y + target->Coord.y > gObjCoord.y + TARGET_GONE_ABOVE)
		{
			DeleteObject(target);
			GiveUp(saucer);
			return;
		}
		UpdateObjectTransforms(target);
		UpdateShadow(target);
	}

	void Seeding(ObjNode* saucer, float dt)
	{
		gRaider.seedWait -= dt;
		if (gRaider.seedWait <= 0)
			GiveUp(saucer);
		gObjDelta = {0, 0, 0};
	}

	// True when it is gone.
	bool Leave(ObjNode* saucer, float dt)
	{
		gObjDelta.x += LEAVE_ACCEL.x * dt;
		gObjDelta.y += LEAVE_ACCEL.y * dt;
		gObjDelta.z += LEAVE_ACCEL.z * dt;
		MoveAndCollide(saucer, 1.0f);
		OGLPoint3D from;
		OGLVector2D v;
		CameraFromAndDirection(&from, &v);
		float d = FastDistance(gObjCoord.x, gObjCoord.z, from.x, from.z);
		if (d > FADE_START)
			saucer->SpecialF[0] = 1 - (d - FADE_START) / FADE_SPAN;
		if (d > RAIDER_GONE_DISTANCE)
		{
			DeleteRaider(saucer);
			return true;
		}
		return false;
	}
}

bool CallRaiderSaucer(ObjNode* node)
{
	if (NoRaidersHere() || !IsRobotInPlay() || gRaider.saucer.IsAlive())
		return false;
	if (BG3D_GetNumModels(MODEL_GROUP_GLOBAL) <= GLOBAL_MODEL_RAIDER_SAUCER_RIM)
		return false;
	if ((node->StatusBits & STATUS_BIT_ISCULLED) || !(node->StatusBits & STATUS_BIT_RAIDER_TARGET))
		return false;
	if (RandomRange(0, 15) != 0)
		return false;
	if (IsPlayerTeleporting())
		return false;
	float range = RobotRidesOrCarries() ? RAIDER_CALL_RANGE_RIDING : RAIDER_CALL_RANGE;
	if (FastDistance(node->Coord.x, node->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z) >= range)
		return false;
	OGLPoint3D from = node->Coord, to = gPlayerNode->Coord;
	if (SegmentHitsAnything(&from, &to, node, CTYPE_BLOCKSIGHT | CTYPE_FENCE))
		return false;
	MakeRaider(node);
	return true;
}

void MoveRaiderSaucer(ObjNode* saucer)
{
	const float dt = gFrameTime;
	GetObjectInfo(saucer);
	saucer->SpecialF[0] = 1;
	saucer->SpecialF[1] += dt;
	switch (saucer->Mode)
	{
		case RAIDER_MODE_APPROACH:	Approach(saucer, dt); break;
		case RAIDER_MODE_CARRY:		CarryOff(saucer, dt); break;
		case RAIDER_MODE_SEEDING:	Seeding(saucer, dt); break;
		default:
			if (Leave(saucer, dt))
				return;
			break;
	}

	saucer->Rot.y += SPIN * dt;
	UpdateBeam(saucer, dt);
	saucer->ColorFilter.a = saucer->SpecialF[0];
	UpdateObject(saucer);
	if (ObjNode* rim = gRaider.rim.Get())
	{
		rim->Rot.y -= SPIN * dt;
		rim->Coord = {saucer->Coord.x, saucer->Coord.y + RIM_RAISE, saucer->Coord.z};
		rim->ColorFilter.a = saucer->SpecialF[0];
		UpdateObjectTransforms(rim);
		float r = rim->Rot.y;
		for (int i = 1; i <= 2; i++)
		{
			int16_t s = saucer->Sparkles[i];
			if (s < 0)
				continue;
			float side = i == 1 ? -1.0f : 1.0f;
			gSparkles[s].where = {saucer->Coord.x + side * RIM_LIGHT_SPREAD * std::sin(r), saucer->Coord.y + RIM_LIGHT_RAISE,
					saucer->Coord.z + side * RIM_LIGHT_SPREAD * std::cos(r)};
		}
	}
	if (saucer->Special[1] >= 0)
		MoveSuperTileDeformation(saucer->Special[1], saucer->Coord.x, saucer->Coord.z);
	if (saucer->EffectChannel == -1)
	{
		if (IsSoundEffectLoaded(EFFECT_SAUCER))
			saucer->EffectChannel = PlayEffect_Parms3D(EFFECT_SAUCER, &saucer->Coord, NORMAL_CHANNEL_RATE, ENGINE_VOLUME);
	}
	else
		Update3DSoundChannel(EFFECT_SAUCER, &saucer->EffectChannel, &saucer->Coord);
}

ObjNode* GetRaiderSaucer()
{
	return gRaider.saucer.Get();
}

ObjNode* GetRaiderTarget()
{
	return gRaider.target.Get();
}

void ClearRaiderSaucerPointers()
{
	gRaider = RaiderState{};
}
