// The saucer level: the player flies its own saucer over the map, beams
// humans up with the tractor beam, smashes people huts with the destroy beam,
// carries up to ten humans to the drop zone where the saucer sets them down by
// itself, and, once twenty deliveries have charged the exit, drops the robot
// that walks into the exit saucer.
#include "Player/PlayerInternal.h"
#include "Player/PlayerSaucerBeams.h"
#include "Player/WeaponTypes.h"
#include "3D/BG3D.h"
#include "3D/SkeletonTypes.h"
#include "3D/Camera.h"
#include "Effects/Sparkles.h"
#include "Items/Humans.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/Input.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>
#include <iterator>

SaucerBeamState gSaucerBeam;
SaucerCargo gSaucerCargo;

namespace
{
	constexpr float SAUCER_SCALE = 0.6f;
	constexpr float SAUCER_HOVER = 450.0f;
	constexpr float SAUCER_SPIN = 3.0f;
	constexpr float SAUCER_ACCEL = 900.0f;
	constexpr float SAUCER_DRAG = 450.0f;			// without input the saucer coasts to a stop
	constexpr float SAUCER_MAX_SPEED = 900.0f;
	constexpr float SAUCER_HUM_VOLUME = 0.5f;		// its engine loop
	constexpr float SAUCER_EDGE_MARGIN = 7200.0f;
	constexpr float SAUCER_TO_DROP_SPEED = 100.0f;	// units/s of the saucer flying itself to the drop point
	constexpr float SAUCER_AT_DROP_POINT = 10.0f;	// units: close enough to start unloading
	constexpr float SAUCER_HUMAN_DROP_BELOW = 40.0f;// units under the saucer where a human is let down
	constexpr float SAUCER_ROBOT_DROP_BELOW = 20.0f;
	constexpr float SAUCER_ROBOT_SCALE = 0.6f;		// the robot at the scale of this level's little people
	constexpr float SAUCER_DROP_BEAM_TIME = 1.5f;	// seconds the drop beam stays on under the falling robot
	constexpr float TRACTOR_REACH = 70.0f;			// units horizontally from the saucer's centre
	constexpr float SHADE_RADIUS = 200.0f;			// units: objects this close under the saucer darken
	constexpr float SHADE_DARKEST = 0.4f;
	constexpr float HELP_SECONDS = 4.0f;

	// The beam cone.
	constexpr uint16_t BEAM_SLOT = 3099;
	constexpr float BEAM_SCALE = 0.6f;
	constexpr float BEAM_INNER_ALPHA = 0.1f;
	constexpr float BEAM_SCROLL = 4.0f;				// texture u per second, opposite ways inside and out
	constexpr float BEAM_FADE = 1.5f;				// alpha per second once off
	constexpr float BEAM_SPARKLE_SCALE = 500.0f;
	constexpr float BEAM_SPARKLE_SEPARATION = 400.0f;
	constexpr float BEAM_SPARKLE_ABOVE_GROUND = 50.0f;
	constexpr uint8_t BEAM_SPARKLE_TEXTURE = 3;
	constexpr float BEAM_HUM_RATE = 1.2f;
	constexpr float BEAM_HUM_VOLUME = 0.6f;
	constexpr float CHARGE_RATE_BASE = 0.8f;		// the charging sound's rate is charge + this

	const OGLColorRGBA BEAM_COLORS[3] = {
		{0.3f, 0.8f, 1.0f, 1.0f},		// tractor
		{1.0f, 0.3f, 0.2f, 1.0f},		// destroy
		{0.4f, 1.0f, 0.4f, 1.0f},		// unload
	};

	enum : uint8_t
	{
		SAUCER_FLYING = 0,
		SAUCER_TO_DROP_ZONE = 1,
		SAUCER_UNLOADING = 2,
		SAUCER_ROBOT_DROPPED = 3,		// the robot is the player now; the saucer idles
	};

	struct SaucerLevel
	{
		ObjNodeRef saucer;
		ObjNodeRef beamOuter, beamInner;
		int8_t beamShown = SAUCER_BEAM_NONE;		// the type the cone is coloured for
		int16_t chargeChannel = -1;
		int16_t humChannel = -1;
		SaucerUnload unload;
		float dropBeamTimer = 0;
		ObjNodeRef shaded[16];					// darkened last frame: lightened again once clear
	} gSaucerLevel;

	void KeepInsideMap()
	{
		float w = float(gMapUnitWidth), d = float(gMapUnitDepth);
		if (w > 2 * SAUCER_EDGE_MARGIN)
			gObjCoord.x = std::clamp(gObjCoord.x, SAUCER_EDGE_MARGIN, w - SAUCER_EDGE_MARGIN);
		if (d > 2 * SAUCER_EDGE_MARGIN)
			gObjCoord.z = std::clamp(gObjCoord.z, SAUCER_EDGE_MARGIN, d - SAUCER_EDGE_MARGIN);
	}

	bool IsPiloted(const ObjNode* saucer)
	{
		return gPlayerNode == saucer && !gPlayerLevel.isDead;
	}

	// The point in front of the drop zone where the saucer unloads; false without a drop zone.
	bool FindDropPoint(OGLPoint2D* point)
	{
		ObjNode* zone = GetExitSaucerNode();
		if (!zone)
			return false;
		*point = {zone->Coord.x - std::sin(zone->Rot.y) * SAUCER_DROP_POINT_AHEAD,
				  zone->Coord.z - std::cos(zone->Rot.y) * SAUCER_DROP_POINT_AHEAD};
		return true;
	}

	//
	// Flight
	//

	void Steer(float dt, bool withInput)
	{
		if (withInput)
		{
			OGLVector2D d = PlayerSteeringDirection(gAnalogSteering, gCameraLookAngle);
			gObjDelta.x += d.x * SAUCER_ACCEL * dt;
			gObjDelta.z += d.y * SAUCER_ACCEL * dt;
		}
		if (!withInput || !PlayerHasMoveInput())
		{
			float speed = std::hypot(gObjDelta.x, gObjDelta.z);
			float k = speed > 0 ? std::max(0.0f, speed - SAUCER_DRAG * dt) / speed : 0;
			gObjDelta.x *= k;
			gObjDelta.z *= k;
		}
	}

	// The saucer takes itself to the drop point and hangs there.
	void MovePlayer_Saucer_ToDropZone(ObjNode* saucer, float dt)
	{
		OGLPoint2D p;
		if (!FindDropPoint(&p))
			FatalAlert("MovePlayer_Saucer_ToDropZone: no drop zone");
		float dx = p.x - gObjCoord.x, dz = p.y - gObjCoord.z;
		float d = std::hypot(dx, dz);
		float step = SAUCER_TO_DROP_SPEED * dt;
		if (d <= std::max(step, SAUCER_AT_DROP_POINT))
		{
			gObjDelta = {0, 0, 0};
			saucer->Mode = SAUCER_UNLOADING;
			StartSaucerUnloadBeam(&gSaucerBeam);
			StartSaucerUnload(&gSaucerLevel.unload);
			return;
		}
		gObjDelta = {dx / d * SAUCER_TO_DROP_SPEED, 0, dz / d * SAUCER_TO_DROP_SPEED};
	}

	void Unload(ObjNode* saucer, float dt)
	{
		gObjDelta = {0, 0, 0};
		int kind = StepSaucerUnload(&gSaucerLevel.unload, &gSaucerCargo, dt);
		if (kind >= 0)
		{
			ObjNode* zone = GetExitSaucerNode();
			if (!zone)
				FatalAlert("MovePlayer_Saucer_ToDropZone: no drop zone");
			OGLPoint3D from = {gObjCoord.x, gObjCoord.y - SAUCER_HUMAN_DROP_BELOW, gObjCoord.z};
			MakeDeliveredHuman(kind, from, zone->Coord);
		}
		if (!gSaucerLevel.unload.active)
		{
			StopSaucerBeam(&gSaucerBeam);
			saucer->Mode = SAUCER_FLYING;
		}
	}

	// The robot drops out of the saucer and becomes the player.
	void DropRobot(ObjNode* saucer)
	{
		StartSaucerUnloadBeam(&gSaucerBeam);
		gSaucerLevel.dropBeamTimer = SAUCER_DROP_BEAM_TIME;
		ObjNode* robot = MakePlayerRobot(gObjCoord.x, gObjCoord.z, saucer->Rot.y, SAUCER_ROBOT_SCALE);
		robot->Coord.y = gObjCoord.y - SAUCER_ROBOT_DROP_BELOW;
		robot->OldCoord = robot->Coord;
		SetPlayerAnim(robot, PLAYER_ANIM_FALL);
		UpdateObjectTransforms(robot);
		CalcObjectBoxFromNode(robot);
		KeepOldCollisionBoxes(robot);
		if (robot->Genre == SKELETON_GENRE && BG3D_GetNumModels(MODEL_GROUP_GLOBAL) > 0)
			AttachShadowToObject(robot, 0, 4, 4, false);
		gPlayerLevel.scale = 1;
		gPlayerLevel.coord = robot->Coord;
		gPlayerLevel.checkpointX = robot->Coord.x;
		gPlayerLevel.checkpointZ = robot->Coord.z;
		gPlayerLevel.checkpointRot = robot->Rot.y;
		StopAChannel(&saucer->EffectChannel);
		saucer->Mode = SAUCER_ROBOT_DROPPED;
		SwitchOffHelp(HELP_SAUCER_LANDING);
	}

	// Near the drop point: hand the hold over to the unload, or offer the landing.
	void CheckDropZone(ObjNode* saucer)
	{
		OGLPoint2D p;
		if (!FindDropPoint(&p))
			return;
		float d = CalcQuickDistance(gObjCoord.x, gObjCoord.z, p.x, p.y);
		if (gSaucerCargo.count > 0 && gSaucerCargo.rising == 0 && d < SAUCER_DROP_ZONE_CATCH)
		{
			SwitchOffHelp(HELP_SAUCER_DROP_ZONE);
			saucer->Mode = SAUCER_TO_DROP_ZONE;
			return;
		}
		if (CanSaucerDropRobot(gLevel.exitCharge, gSaucerBeam, gSaucerCargo, d))
		{
			ShowHelpMessage(HELP_SAUCER_LANDING, HELP_SECONDS, false);
			if (GetNewNeedState(NEED_JUMP))
				DropRobot(saucer);
		}
		else if (gSaucerCargo.count == 0 && d < SAUCER_DROP_ZONE_CATCH)
			ShowHelpMessage(HELP_SAUCER_DROP_ZONE, HELP_SECONDS, false);
	}

	//
	// Beams
	//

	void BeamControls()
	{
		if (GetNewNeedState(NEED_NEXT_WEAPON) || GetNewNeedState(NEED_PREV_WEAPON))
		{
			SelectOtherSaucerBeam(&gSaucerBeam);
			PlayPlayerEffect(EFFECT_WEAPONCLICK);
		}
	}

	// The nearest free human within reach of the tractor rises toward the saucer.
	void Tractor(ObjNode* saucer)
	{
		if (gSaucerBeam.on != SAUCER_BEAM_TRACTOR)
			return;
		if (!SaucerCanTakeHuman(gSaucerCargo))
		{
			ShowHelpMessage(HELP_SAUCER_FULL, HELP_SECONDS, true);
			return;
		}
		ObjNode* best = nullptr;
		float bestDistance = TRACTOR_REACH;
		for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
		{
			if (n->CType == INVALID_NODE_FLAG || !(n->CType & CTYPE_HUMAN) || !n->HitByWeaponHandler[WEAPON_SAUCERBEAM])
				continue;
			float d = CalcDistance(n->Coord.x, n->Coord.z, saucer->Coord.x, saucer->Coord.z);
			if (d < bestDistance)
			{
				bestDistance = d;
				best = n;
			}
		}
		if (!best)
			return;
		if (best->HitByWeaponHandler[WEAPON_SAUCERBEAM](saucer, best, &best->Coord, nullptr, 0))
		{
			// The human counts itself as rising; the hold follows that count.
			gSaucerCargo.rising = gLevel.humansBeamingUp;
			SwitchOffHelp(HELP_SAUCER_HUMANS);
		}
	}

	void UpdateBeamSounds(ObjNode* saucer)
	{
		int8_t charging = gSaucerBeam.charging;
		if (charging != SAUCER_BEAM_NONE)
		{
			auto rate = uint32_t((gSaucerBeam.charge[charging] + CHARGE_RATE_BASE) * float(NORMAL_CHANNEL_RATE));
			if (gSaucerLevel.chargeChannel < 0 && IsSoundEffectLoaded(EFFECT_NOVACHARGE))
				gSaucerLevel.chargeChannel = PlayEffect_Parms3D(EFFECT_NOVACHARGE, &saucer->Coord, rate, 1.0f);
			else if (gSaucerLevel.chargeChannel >= 0)
				ChangeChannelRate(gSaucerLevel.chargeChannel, int32_t(rate));
		}
		else
			StopAChannel(&gSaucerLevel.chargeChannel);

		if (gSaucerBeam.on != SAUCER_BEAM_NONE)
		{
			if (gSaucerLevel.humChannel < 0 && IsSoundEffectLoaded(EFFECT_BEAMHUM))
				gSaucerLevel.humChannel = PlayEffect_Parms3D(EFFECT_BEAMHUM, &saucer->Coord,
						uint32_t(BEAM_HUM_RATE * float(NORMAL_CHANNEL_RATE)), BEAM_HUM_VOLUME);
			else if (gSaucerLevel.humChannel >= 0)
				Update3DSoundChannel(EFFECT_BEAMHUM, &gSaucerLevel.humChannel, &saucer->Coord);
		}
		else
			StopAChannel(&gSaucerLevel.humChannel);
	}

	ObjNode* MakeBeamCone(const ObjNode* saucer, int model)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = uint8_t(model);
		def.coord = saucer->Coord;
		def.slot = BEAM_SLOT;
		def.scale = BEAM_SCALE;
		def.flags = STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES | STATUS_BIT_NOFOG
				  | STATUS_BIT_TEXTUREOFFSET | STATUS_BIT_KEEPBACKFACES | STATUS_BIT_DONTCULL;
		ObjNode* cone = MakeNewDisplayGroupObject(&def);
		cone->CType = 0;
		return cone;
	}

	// The cone hangs under the saucer while a beam is on and fades once it is off.
	void UpdateBeamCone(ObjNode* saucer, float dt)
	{
		if (BG3D_GetNumModels(MODEL_GROUP_GLOBAL) <= GLOBAL_MODEL_BEAM_INNER)
			return;
		ObjNode* outer = gSaucerLevel.beamOuter.Get();
		ObjNode* inner = gSaucerLevel.beamInner.Get();
		bool on = gSaucerBeam.on != SAUCER_BEAM_NONE;
		if (on && !outer)
		{
			outer = MakeBeamCone(saucer, GLOBAL_MODEL_BEAM_OUTER);
			inner = MakeBeamCone(saucer, GLOBAL_MODEL_BEAM_INNER);
			gSaucerLevel.beamOuter = ObjNodeRef(outer);
			gSaucerLevel.beamInner = ObjNodeRef(inner);
			int16_t s = GetFreeSparkle(outer);
			if (s >= 0)
			{
				outer->Sparkles[0] = s;
				SparkleType& sp = gSparkles[s];
				sp.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
				sp.scale = BEAM_SPARKLE_SCALE;
				sp.separation = BEAM_SPARKLE_SEPARATION;
				sp.textureNum = BEAM_SPARKLE_TEXTURE;
			}
		}
		if (!outer || !inner)
			return;
		if (on)
			gSaucerLevel.beamShown = gSaucerBeam.on;
		OGLColorRGBA color = BEAM_COLORS[std::max<int>(0, gSaucerLevel.beamShown)];
		float alpha = on ? 1.0f : outer->ColorFilter.a - BEAM_FADE * dt;
		if (alpha <= 0)
		{
			DeleteObject(outer);
			DeleteObject(inner);
			gSaucerLevel.beamOuter.Clear();
			gSaucerLevel.beamInner.Clear();
			return;
		}
		outer->ColorFilter = {color.r, color.g, color.b, alpha};
		inner->ColorFilter = {color.r, color.g, color.b, alpha * BEAM_INNER_ALPHA};
		outer->TextureTransformU += BEAM_SCROLL * dt;
		inner->TextureTransformU -= BEAM_SCROLL * dt;
		for (ObjNode* cone : {outer, inner})
		{
			cone->Coord = saucer->Coord;
			UpdateObjectTransforms(cone);
		}
		if (outer->Sparkles[0] >= 0)
		{
			SparkleType& sp = gSparkles[outer->Sparkles[0]];
			sp.where = {saucer->Coord.x, TerrainHeightAt(saucer->Coord.x, saucer->Coord.z) + BEAM_SPARKLE_ABOVE_GROUND,
						saucer->Coord.z};
			sp.color = {color.r, color.g, color.b, alpha};
		}
	}

	//
	// The saucer's shadow on the things under it
	//

	void SetShade(ObjNode* node, float shade)
	{
		for (ObjNode* n = node; n; n = n->ChainNode)
			n->ColorFilter.r = n->ColorFilter.g = n->ColorFilter.b = shade;
	}

	bool IsShadeable(const ObjNode* n, const ObjNode* saucer)
	{
		return n != saucer && n->CType != INVALID_NODE_FLAG && !n->ChainHead && !n->ShadowOwner
			&& (n->Genre == SKELETON_GENRE || n->Genre == DISPLAY_GROUP_GENRE) && n->Slot < BEAM_SLOT
			&& n->Coord.y < saucer->Coord.y;
	}

	void ShadeObjectsBelow(ObjNode* saucer)
	{
		ObjNodeRef now[std::size(gSaucerLevel.shaded)];
		size_t count = 0;
		for (ObjNode* n = gObjectListHead; n && count < std::size(now); n = n->NextNode)
		{
			if (!IsShadeable(n, saucer))
				continue;
			float d = CalcQuickDistance(n->Coord.x, n->Coord.z, saucer->Coord.x, saucer->Coord.z);
			if (d >= SHADE_RADIUS)
				continue;
			SetShade(n, SHADE_DARKEST + (1 - SHADE_DARKEST) * d / SHADE_RADIUS);
			now[count++] = ObjNodeRef(n);
		}
		// What was under the saucer last frame and is clear now gets its colour back.
		for (ObjNodeRef& was : gSaucerLevel.shaded)
		{
			ObjNode* n = was.Get();
			if (n && std::none_of(now, now + count, [n](const ObjNodeRef& r) { return r.Get() == n; }))
				SetShade(n, 1);
		}
		std::copy(now, now + std::size(now), gSaucerLevel.shaded);
	}

	//
	// The move routine
	//

	void MovePlayerSaucer(ObjNode* node)
	{
		const float dt = gFrameTime;
		GetObjectInfo(node);
		bool piloted = IsPiloted(node);
		gSaucerCargo.rising = std::max(0, gLevel.humansBeamingUp);
		if (piloted)
		{
			gPlayerLevel.stateTimer += dt;
			if (gPlayerLevel.invincibleTimer > 0)
				gPlayerLevel.invincibleTimer = std::max(0.0f, gPlayerLevel.invincibleTimer - dt);
			if (AreCheatKeysDown())
			{
				gLevel.exitCharge = 1;
				gRun.usedCheats = true;
			}
		}
		node->Rot.y += SAUCER_SPIN * dt;
		if (gPlayerNode == node && gPlayerLevel.isDead && node->Mode != SAUCER_FLYING)
		{
			// Shot down on the way in or while unloading: whoever is still aboard stays aboard.
			StopSaucerBeam(&gSaucerBeam);
			gSaucerLevel.unload.active = false;
			node->Mode = SAUCER_FLYING;
		}

		switch (node->Mode)
		{
			case SAUCER_FLYING:
				Steer(dt, piloted);
				if (piloted)
				{
					BeamControls();
					CheckDropZone(node);
				}
				break;
			case SAUCER_TO_DROP_ZONE:
				MovePlayer_Saucer_ToDropZone(node, dt);
				break;
			case SAUCER_UNLOADING:
				Unload(node, dt);
				break;
			case SAUCER_ROBOT_DROPPED:
				Steer(dt, false);
				gSaucerLevel.dropBeamTimer -= dt;
				if (gSaucerLevel.dropBeamTimer <= 0 && gSaucerBeam.on == SAUCER_BEAM_UNLOAD)
					StopSaucerBeam(&gSaucerBeam);
				break;
		}
		bool shoot = piloted && node->Mode == SAUCER_FLYING && GetNewNeedState(NEED_SHOOT);
		UpdateSaucerBeamCharge(&gSaucerBeam, shoot, gSaucerCargo.rising > 0, dt);

		float speed = std::hypot(gObjDelta.x, gObjDelta.z);
		if (speed > SAUCER_MAX_SPEED)
		{
			gObjDelta.x *= SAUCER_MAX_SPEED / speed;
			gObjDelta.z *= SAUCER_MAX_SPEED / speed;
		}
		gObjCoord.x += gObjDelta.x * dt;
		gObjCoord.z += gObjDelta.z * dt;
		KeepInsideMap();
		gObjCoord.y = TerrainHeightAtNoHoles(gObjCoord.x, gObjCoord.z) + SAUCER_HOVER;

		if (piloted)
		{
			ResolveCollisions(node, CTYPE_MISC | CTYPE_HURTME, 0.5f);
			for (int i = 0; i < gNumCollisions; i++)
			{
				ObjNode* hit = gCollisionList[i].objectPtr;
				if (hit && hit->CType != INVALID_NODE_FLAG && (hit->CType & CTYPE_HURTME))
				{
					PlayerLoseHealth(hit->Damage, DEATH_KIND_SAUCER);
					DeleteObject(hit);
				}
			}
		}

		node->Coord = gObjCoord;
		node->Delta = gObjDelta;
		node->Speed2D = std::hypot(gObjDelta.x, gObjDelta.z);
		UpdateObjectTransforms(node);
		CalcObjectBoxFromNode(node);
		if (piloted)
			gPlayerLevel.coord = node->Coord;

		Tractor(node);
		UpdateBeamSounds(node);
		UpdateBeamCone(node, dt);
		ShadeObjectsBelow(node);
		if (node->EffectChannel >= 0)
			Update3DSoundChannel(EFFECT_SAUCER, &node->EffectChannel, &node->Coord);
	}
}

void ResetSaucerBeams()
{
	gSaucerBeam = {};
	gSaucerCargo = {};
	gSaucerLevel = {};
}

void InitPlayerSaucer()
{
	ResetSaucerBeams();
	float x = gPlayerStartX, z = gPlayerStartZ;
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = 0;
	def.coord = {x, TerrainHeightAtNoHoles(x, z) + SAUCER_HOVER, z};
	def.slot = PLAYER_SLOT;
	def.moveCall = MovePlayerSaucer;
	def.rot = gPlayerStartRot;
	def.scale = SAUCER_SCALE;
	ObjNode* node;
	if (BG3D_GetNumModels(MODEL_GROUP_LEVELSPECIFIC) > 0)
	{
		node = MakeNewDisplayGroupObject(&def);
		CreateCollisionBoxFromBoundingBox(node, 1, 1);
		AttachShadowToObject(node, 0, 15, 15, false);
	}
	else
	{
		def.genre = NODRAW_GENRE;
		node = MakeNewObject(&def);
		SetObjectCollisionBounds(node, 60, -60, -200, 200, 200, -200);
		CalcObjectBoxFromNode(node);
		KeepOldCollisionBoxes(node);
	}
	node->CType = CTYPE_PLAYER;
	node->CBits = SIDE_ALL;
	node->Mode = SAUCER_FLYING;
	node->EffectChannel = IsSoundEffectLoaded(EFFECT_SAUCER)
			? PlayEffect_Parms3D(EFFECT_SAUCER, &node->Coord, NORMAL_CHANNEL_RATE, SAUCER_HUM_VOLUME) : int16_t(-1);
	gPlayerLevel.maxSpeed = SAUCER_MAX_SPEED;
	gPlayerNode = node;
	gPlayerLevel.coord = node->Coord;
	gSaucerLevel.saucer = ObjNodeRef(node);
}

void SilencePlayerSaucer()
{
	ObjNode* saucer = gSaucerLevel.saucer.Get();
	if (!saucer)
		return;
	StopSaucerBeam(&gSaucerBeam);
	StopAChannel(&saucer->EffectChannel);
	StopAChannel(&gSaucerLevel.chargeChannel);
	StopAChannel(&gSaucerLevel.humChannel);
}

void RestartPlayerSaucerSound()
{
	ObjNode* saucer = gSaucerLevel.saucer.Get();
	if (!saucer || saucer != gPlayerNode || saucer->EffectChannel >= 0 || !IsSoundEffectLoaded(EFFECT_SAUCER))
		return;
	saucer->EffectChannel = PlayEffect_Parms3D(EFFECT_SAUCER, &saucer->Coord, NORMAL_CHANNEL_RATE, SAUCER_HUM_VOLUME);
}

void SaucerTakeHumanAboard(int humanType)
{
	if (!SaucerCargoBoard(&gSaucerCargo, humanType))
		ShowAlert("SaucerTakeHumanAboard: the hold is already full");
}

bool IsSaucerDestroyBeamOver(const ObjNode* hut)
{
	const ObjNode* saucer = gSaucerLevel.saucer.Get();
	if (!saucer || gSaucerBeam.on != SAUCER_BEAM_DESTROY)
		return false;
	return CalcDistance(saucer->Coord.x, saucer->Coord.z, hut->Coord.x, hut->Coord.z) < hut->Size;
}

bool GetSaucerDropPoint(float* x, float* z)
{
	OGLPoint2D p;
	if (!FindDropPoint(&p))
		return false;
	*x = p.x;
	*z = p.y;
	return true;
}

bool IsSaucerFlyingItself()
{
	const ObjNode* saucer = gSaucerLevel.saucer.Get();
	return saucer && (saucer->Mode == SAUCER_TO_DROP_ZONE || saucer->Mode == SAUCER_UNLOADING);
}
