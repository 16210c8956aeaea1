// The city's crushers: a heavy door hung in a frame across a street. A nova
// discharge starts one; from then on it lifts its door in clanking pulses,
// holds it open and slams it down, again and again. Whoever is under the door
// as it falls is crushed. A one-sided crusher only starts, and only counts
// down, while the robot is on its front side; once it has opened it works
// from both sides.
#include "Items/HazardsInternal.h"
#include "Effects/Sparkles.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/FrameTime.h"
#include "System/SoundTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr int CRUSHER_FRAME_MODEL = 1, CRUSHER_DOOR_MODEL = 2;
	constexpr int16_t CRUSHER_SLOT = 90;
	constexpr float FRAME_SINK = 30.0f;				// the frame's feet reach this far into the ground
	constexpr uint32_t CTYPE_ZAP_PREFERRED = 0x4000;	// the nova picks crushers first
	constexpr float FIRST_WAIT = 2.0f, LATER_WAIT = 3.0f, TOP_WAIT = 2.0f;	// seconds
	constexpr float PULSE_SPEED = 500.0f;			// units per second at each pulse's start
	constexpr float PULSE_DECEL = 2500.0f;			// units per second²
	constexpr float FALL_ACCEL = 6500.0f;
	constexpr float BOUNCE_KEPT = 0.5f;
	constexpr float LAST_BOUNCE = 200.0f;			// a rebound slower than this ends the slam
	constexpr float BEHIND_HELP_SECONDS = 4.0f;
	constexpr int HELP_CRUSHER = 19, HELP_CRUSHER_BEHIND = 20;
	// Model units at scale 1: the pillars stand at ±55 in x, 14 wide and 24
	// deep; the door is ±46 wide and 16 thick.
	constexpr float PILLAR_X = 55, PILLAR_HALF_W = 7, PILLAR_HALF_D = 12, PILLAR_H = 156;
	constexpr float DOOR_HALF_W = 46, DOOR_HALF_D = 8, DOOR_H = 70;

	const OGLBoundingBox FRAME_STAND_IN = {{-62, 0, -12}, {62, 156, 12}, false};
	const OGLBoundingBox DOOR_STAND_IN = {{-DOOR_HALF_W, 0, -DOOR_HALF_D}, {DOOR_HALF_W, DOOR_H, DOOR_HALF_D}, false};

	// The frame's state: Mode; countdown SpecialF[0]; the door's vertical
	// speed SpecialF[1]; its rest height SpecialF[2]; one-sided Flag[0].
	float& Timer(ObjNode* f) { return f->SpecialF[0]; }
	float& DoorSpeed(ObjNode* f) { return f->SpecialF[1]; }
	float RestY(const ObjNode* f) { return f->SpecialF[2]; }
	bool IsOneSided(const ObjNode* f) { return f->Flag[0] != 0; }

	// A box round a rectangle of half sizes (hx, hz) centred on `local`
	// (x along the frame), turned with the frame.
	CollisionBoxType TurnedBox(const ObjNode* frame, float localX, float hx, float hz, float bottom, float top)
	{
		float c = std::cos(frame->Rot.y), s = std::sin(frame->Rot.y);
		float x = frame->Coord.x + localX * c, z = frame->Coord.z - localX * s;
		float ex = std::fabs(hx * c) + std::fabs(hz * s), ez = std::fabs(hx * s) + std::fabs(hz * c);
		return {x - ex, x + ex, z + ez, z - ez, top, bottom};
	}

	void SetFrameBoxes(ObjNode* frame)
	{
		const float k = frame->Scale.x;
		frame->NumCollisionBoxes = 2;
		for (int i = 0; i < 2; i++)
			frame->CollisionBoxes[i] = TurnedBox(frame, (i ? 1 : -1) * PILLAR_X * k, PILLAR_HALF_W * k, PILLAR_HALF_D * k,
					frame->Coord.y, frame->Coord.y + PILLAR_H * k);
	}

	void SetDoorBox(ObjNode* frame, ObjNode* door)
	{
		const float k = door->Scale.x;
		door->NumCollisionBoxes = 1;
		door->CollisionBoxes[0] = TurnedBox(frame, 0, DOOR_HALF_W * k, DOOR_HALF_D * k, door->Coord.y, door->Coord.y + DOOR_H * k);
	}

	void StopBlockingSight(ObjNode* frame, ObjNode* door)
	{
		frame->CType &= ~CTYPE_BLOCKSIGHT;
		door->CType &= ~CTYPE_BLOCKSIGHT;
		frame->Flag[0] = 0;
	}

	void CrushUnderDoor(ObjNode* door)
	{
		ObjNode* robot = HazardParts::LivePlayer();
		if (!robot)
			return;
		const CollisionBoxType& b = door->CollisionBoxes[0];
		if (BoxHitsPlayer(b.top, b.bottom, b.left, b.right, b.front, b.back))
			KillPlayer(DEATH_KIND_BLOWN_UP);
	}

	void ShowCrusherHelp(ObjNode* frame)
	{
		if (!HazardParts::LivePlayer() || !IsPlayerNear(frame, CRUSHER_HELP_RANGE))
			return;
		if (IsOneSided(frame) && !IsPlayerInFrontOfCrusher(frame))
			ShowHelpMessage(HELP_CRUSHER_BEHIND, 0.5f, false);
		else if (frame->Mode == CRUSHER_IDLE)
			ShowHelpMessage(HELP_CRUSHER, 0.5f, false);
	}

	void MoveCrusher(ObjNode* frame)
	{
		if (IsNodeOutOfRange(frame))
		{
			DeleteObject(frame);
			return;
		}
		ObjNode* door = CrusherDoor(frame);
		if (!door)
			return;
		ShowCrusherHelp(frame);
		KeepOldCollisionBoxes(door);
		const float dt = gFrameTime;
		float& y = door->Coord.y;
		switch (frame->Mode)
		{
			case CRUSHER_IDLE:
				break;
			case CRUSHER_WAIT:
				if (!IsOneSided(frame) || IsPlayerInFrontOfCrusher(frame))
					Timer(frame) -= dt;
				if (Timer(frame) <= 0)
				{
					frame->Mode = CRUSHER_RISE;
					DoorSpeed(frame) = PULSE_SPEED;
					PlayItemEffect3D(EFFECT_DOORCLANKOPEN, &door->Coord);
				}
				break;
			case CRUSHER_RISE:
				y += DoorSpeed(frame) * dt;
				DoorSpeed(frame) -= PULSE_DECEL * dt;
				if (y >= RestY(frame) + CRUSHER_OPEN_HEIGHT)
				{
					y = RestY(frame) + CRUSHER_OPEN_HEIGHT;
					frame->Mode = CRUSHER_HOLD;
					Timer(frame) = TOP_WAIT;
					StopBlockingSight(frame, door);
				}
				else if (DoorSpeed(frame) <= 0)
				{
					DoorSpeed(frame) = PULSE_SPEED;			// the next heave
					PlayItemEffect3D(EFFECT_DOORCLANKOPEN, &door->Coord);
				}
				break;
			case CRUSHER_HOLD:
				Timer(frame) -= dt;
				if (Timer(frame) <= 0)
				{
					frame->Mode = CRUSHER_FALL;
					DoorSpeed(frame) = 0;
					door->CType |= CTYPE_TRIGGER;
				}
				break;
			case CRUSHER_FALL:
				DoorSpeed(frame) -= FALL_ACCEL * dt;
				y += DoorSpeed(frame) * dt;
				if (y <= RestY(frame))
				{
					y = RestY(frame);
					float rebound = -DoorSpeed(frame) * BOUNCE_KEPT;
					PlayItemEffect3D(EFFECT_DOORCLANKCLOSE, &door->Coord);
					if (rebound < LAST_BOUNCE)
					{
						DoorSpeed(frame) = 0;
						frame->Mode = CRUSHER_WAIT;
						Timer(frame) = LATER_WAIT;
						door->CType &= ~CTYPE_TRIGGER;
					}
					else
						DoorSpeed(frame) = rebound;
				}
				break;
		}
		UpdateObjectTransforms(door);
		SetDoorBox(frame, door);
		if (frame->Mode == CRUSHER_FALL && DoorSpeed(frame) < 0)
			CrushUnderDoor(door);
	}

	bool NovaHitsCrusher(ObjNode*, ObjNode* frame, const OGLPoint3D*, const OGLVector3D*, float)
	{
		if (frame->Mode != CRUSHER_IDLE)
			return false;
		if (IsOneSided(frame) && !IsPlayerInFrontOfCrusher(frame))
		{
			ShowHelpMessage(HELP_CRUSHER_BEHIND, BEHIND_HELP_SECONDS, true);
			return true;
		}
		frame->Mode = CRUSHER_WAIT;
		Timer(frame) = FIRST_WAIT;
		SwitchOffHelp(HELP_CRUSHER);
		// Sparks crackle along the top beam from now on.
		const float top = PILLAR_H - 8;
		for (int i = 0; i < 3; i++)
			HazardParts::AttachSparkle(frame, i, {float(i - 1) * PILLAR_X, top, 0}, {1, 1, 1, 1}, 60, 80,
					PARTICLE_SPRITE_DUST, true);
		return true;
	}

	// Trigger kind 16: the falling door's underside.
	bool CrusherUndersideTouched(ObjNode* door, ObjNode* mover, uint32_t)
	{
		ObjNode* frame = door->ChainHead;
		if (mover == gPlayerNode && frame && frame->Mode == CRUSHER_FALL && !gPlayerLevel.isDead)
			KillPlayer(DEATH_KIND_BLOWN_UP);
		return true;
	}
}

ObjNode* CrusherDoor(ObjNode* frame)
{
	return frame->ChainNode;
}

bool IsPlayerInFrontOfCrusher(const ObjNode* frame)
{
	if (!gPlayerNode)
		return false;
	// Its front faces along its heading: (−sin, −cos) in x and z.
	float dx = gPlayerNode->Coord.x - frame->Coord.x, dz = gPlayerNode->Coord.z - frame->Coord.z;
	return -std::sin(frame->Rot.y) * dx - std::cos(frame->Rot.y) * dz > 0;
}

bool AddCrusher(TerrainItemEntryType* item, float x, float z)
{
	if (item->parm[0] > 7)
		FatalAlert("AddCrusher: illegal heading (parm 0) %d at (%u, %u), must be 0 … 7", item->parm[0], item->x, item->z);
	const float rot = float(item->parm[0]) * (PI / 4);
	const OGLPoint3D at = {x, BaseTerrainHeightAt(x, z) - FRAME_SINK, z};
	ObjNode* frame = HazardParts::MakeModel(CRUSHER_FRAME_MODEL, at, CRUSHER_SCALE, rot, CRUSHER_SLOT, MoveCrusher,
			FRAME_STAND_IN, item);
	frame->CType = CTYPE_ZAP_PREFERRED | CTYPE_MISC | CTYPE_BLOCKSIGHT;
	frame->CBits = SIDE_ALL;
	frame->Mode = CRUSHER_IDLE;
	frame->Flag[0] = (item->parm[3] & CRUSHER_ONE_SIDED) ? 1 : 0;
	frame->SpecialF[2] = at.y;
	frame->HitByWeaponHandler[WEAPON_NOVA] = NovaHitsCrusher;
	SetFrameBoxes(frame);
	KeepOldCollisionBoxes(frame);

	ObjNode* door = HazardParts::MakeChainedModel(frame, CRUSHER_DOOR_MODEL, at, CRUSHER_SCALE, rot, CRUSHER_SLOT, DOOR_STAND_IN);
	door->CType = CTYPE_PUSH_BY_POSITION | CTYPE_BLOCKCAMERA | CTYPE_MISC | CTYPE_BLOCKSIGHT;
	door->CBits = SIDE_ALL;
	door->Kind = TRIGGER_KIND_CRUSHER;
	door->TriggerSides = SIDE_BOTTOM;
	SetDoorBox(frame, door);
	KeepOldCollisionBoxes(door);
	return true;
}

void InitCrushers()
{
	SetTriggerHandler(TRIGGER_KIND_CRUSHER, CrusherUndersideTouched);
}
