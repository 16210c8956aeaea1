// The humans' side of the saucer level: rising in the tractor beam into the
// player's saucer, and being let down at the drop zone, walking in and being
// delivered, which charges the exit.
#include "Items/HumansInternal.h"
#include "System/Level.h"
#include "Enemies/RaiderSaucer.h"
#include "System/LevelTable.h"
#include "3D/Skeleton.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Sound.h"
#include "System/Strings.h"
#include "Terrain/Splines.h"
#include "Terrain/Terrain.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
	constexpr float BEAM_SPIN = PI2;					// radians per second
	constexpr float BEAM_RISE = 130.0f;					// units per second
	constexpr float BEAM_ANIM_SPEED = 6.0f;
	constexpr float BEAM_ARRIVE_HEIGHT = 50.0f;			// this near the saucer's height it is aboard
	constexpr float BEAM_PULL = 1000.0f;				// units per second: the beam draws it in under the saucer,
														// faster than the saucer flies, so it stays in the cone

	constexpr float DROP_SPIN = PI;						// radians per second while let down
	constexpr float DROP_FALL = 130.0f;					// units per second
	constexpr float APPROACH_DISTANCE = 200.0f;			// the point in front of the drop zone
	constexpr float APPROACH_SPEED = 200.0f;			// units per second
	constexpr float APPROACH_TURN = 3.0f;				// radians per second
	constexpr float APPROACH_ANIM_SPEED = 2.0f;
	constexpr float APPROACH_REACHED = 10.0f;
	constexpr float ENTER_SPEED = 120.0f;
	constexpr float ENTER_TURN = PI;
	constexpr float ENTER_ANIM_SPEED = 1.8f;
	constexpr float ENTER_RISE = 100.0f;				// climbs the drop zone's ramp at this rate
	constexpr float ENTER_MAX_HEIGHT = 200.0f;			// … while less than this above the ground
	constexpr float ENTER_FADE_DISTANCE = 60.0f;
	constexpr float ENTER_FADE = 1.3f;					// fade timer per second
	constexpr float DELIVERED_HELP_SECONDS = 5.0f;
	constexpr float DELIVERED_NOTICE_SECONDS = 2.0f;

	// Per delivered human: where it walks to (SpecialF 2 … 5).
	float& DropZoneX(ObjNode* n) { return n->SpecialF[2]; }
	float& DropZoneZ(ObjNode* n) { return n->SpecialF[3]; }
	float& ApproachX(ObjNode* n) { return n->SpecialF[4]; }
	float& ApproachZ(ObjNode* n) { return n->SpecialF[5]; }
	float& FadeTimer(ObjNode* n) { return n->SpecialF[0]; }

	void MoveHumanInBeam(ObjNode* node)
	{
		const float dt = gFrameTime;
		ObjNode* saucer = gPlayerNode;
		node->Rot.y += BEAM_SPIN * dt;
		node->Coord.y += BEAM_RISE * dt;
		if (!saucer || saucer->CType == INVALID_NODE_FLAG)
		{
			gLevel.humansBeamingUp--;
			DeleteObject(node);
			return;
		}
		float dx = saucer->Coord.x - node->Coord.x, dz = saucer->Coord.z - node->Coord.z;
		float off = std::sqrt(dx * dx + dz * dz), step = BEAM_PULL * dt;
		if (off <= step)
		{
			node->Coord.x = saucer->Coord.x;
			node->Coord.z = saucer->Coord.z;
		}
		else
		{
			node->Coord.x += dx / off * step;
			node->Coord.z += dz / off * step;
		}
		if (saucer->Coord.y - node->Coord.y < BEAM_ARRIVE_HEIGHT)
		{
			gLevel.humansBeamingUp--;
			SaucerTakeHumanAboard(node->SubKind);
			DeleteObject(node);
			return;
		}
		UpdateObjectTransforms(node);
		CalcObjectBoxFromNode(node);
		UpdateShadow(node);
	}

	// Carried off by a raider saucer, which lifts and fades it; lost if the raider lets go of it.
	void MoveHumanCarriedOff(ObjNode* node)
	{
		if (GetRaiderTarget() != node)
			DeleteObject(node);
	}

	void MoveDroppedHuman(ObjNode* node)
	{
		const float dt = gFrameTime;
		node->Rot.y += DROP_SPIN * dt;
		node->Coord.y -= DROP_FALL * dt;
		float feet = node->Coord.y + float(node->BottomOff);
		float ground = TerrainHeightAtNoHoles(node->Coord.x, node->Coord.z);
		if (feet <= ground)
		{
			node->Coord.y = ground - float(node->BottomOff);
			node->Mode = HUMAN_MODE_TO_DROP_ZONE;
			// It lands facing its way: a point inside its turning circle would have it circle for ever.
			node->Rot.y = CalcYAngleFromPointToPoint(node->Rot.y, node->Coord.x, node->Coord.z, ApproachX(node),
					ApproachZ(node));
			MorphToSkeletonAnim(node->Skeleton, HUMAN_ANIM_WALK, 6);
			node->Skeleton->AnimSpeed = APPROACH_ANIM_SPEED;
		}
	}

	void MoveHumanToDropZone(ObjNode* node)
	{
		const float dt = gFrameTime;
		TurnNodeToward(node, ApproachX(node), ApproachZ(node), APPROACH_TURN);
		node->Coord.x -= std::sin(node->Rot.y) * APPROACH_SPEED * dt;
		node->Coord.z -= std::cos(node->Rot.y) * APPROACH_SPEED * dt;
		node->Coord.y = TerrainHeightAtNoHoles(node->Coord.x, node->Coord.z) - float(node->BottomOff);
		if (CalcDistance(node->Coord.x, node->Coord.z, ApproachX(node), ApproachZ(node)) < APPROACH_REACHED)
		{
			node->Mode = HUMAN_MODE_INTO_DROP_ZONE;
			node->Skeleton->AnimSpeed = ENTER_ANIM_SPEED;
		}
	}

	void MoveHumanIntoDropZone(ObjNode* node)
	{
		const float dt = gFrameTime;
		TurnNodeToward(node, DropZoneX(node), DropZoneZ(node), ENTER_TURN);
		node->Coord.x -= std::sin(node->Rot.y) * ENTER_SPEED * dt;
		node->Coord.z -= std::cos(node->Rot.y) * ENTER_SPEED * dt;
		float ground = TerrainHeightAtNoHoles(node->Coord.x, node->Coord.z);
		float feet = node->Coord.y + float(node->BottomOff);
		if (feet - ground < ENTER_MAX_HEIGHT)
			node->Coord.y += ENTER_RISE * dt;

		if (CalcDistance(node->Coord.x, node->Coord.z, DropZoneX(node), DropZoneZ(node)) < ENTER_FADE_DISTANCE)
		{
			FadeTimer(node) -= ENTER_FADE * dt;
			node->ColorFilter.a = std::clamp(FadeTimer(node), 0.0f, 1.0f);
			if (FadeTimer(node) <= 0)
				DeliverHuman(node);
		}
	}

	void MoveDeliveredHuman(ObjNode* node)
	{
		switch (node->Mode)
		{
			case HUMAN_MODE_DROPPED:		MoveDroppedHuman(node); break;
			case HUMAN_MODE_TO_DROP_ZONE:	MoveHumanToDropZone(node); break;
			case HUMAN_MODE_INTO_DROP_ZONE:	MoveHumanIntoDropZone(node); break;
			default:						GAME_ASSERT(!"delivered human in a rescue mode");
		}
		if (node->CType == INVALID_NODE_FLAG)
			return;
		UpdateObjectTransforms(node);
		CalcObjectBoxFromNode(node);
		UpdateShadow(node);
	}
}

bool BeamHumanUp(ObjNode* beam, ObjNode* human, const OGLPoint3D* where, const OGLVector3D* delta, float damage)
{
	(void)beam;
	(void)where;
	(void)delta;
	(void)damage;
	if (human->Mode == HUMAN_MODE_BEAMED || !(human->StatusBits & STATUS_BIT_HUMAN))
		return false;

	RemoveFromSplineObjectList(human);
	human->StatusBits &= ~STATUS_BIT_HUMAN;
	human->CType = 0;
	human->Delta = {0, 0, 0};
	human->Mode = HUMAN_MODE_BEAMED;
	human->TerrainItemPtr = nullptr;				// taken: its item never brings it back
	MorphToSkeletonAnim(human->Skeleton, HUMAN_ANIM_BEAMED, 8);
	human->Skeleton->AnimSpeed = BEAM_ANIM_SPEED;
	if (!CurrentLevelHasRule(LEVEL_RULE_SAUCER_HUMANS))
	{
		// A raider saucer's beam: the raider lifts it away.
		human->MoveCall = MoveHumanCarriedOff;
		return true;
	}
	human->MoveCall = MoveHumanInBeam;
	gLevel.humansBeamingUp++;
	return true;
}

ObjNode* MakeDeliveredHuman(int humanType, const OGLPoint3D& from, const OGLPoint3D& dropZone)
{
	ObjNode* node = MakeHumanNode(humanType, from.x, from.y, from.z, 0, MoveDeliveredHuman);
	node->StatusBits &= ~STATUS_BIT_HUMAN;
	node->CType = 0;
	node->HitByWeaponHandler[WEAPON_SAUCERBEAM] = nullptr;
	node->Mode = HUMAN_MODE_DROPPED;
	node->Skeleton->AnimSpeed = 1;
	FadeTimer(node) = 1;
	DropZoneX(node) = dropZone.x;
	DropZoneZ(node) = dropZone.z;

	// The point in front of the drop zone is on the side the human lands.
	float dx = from.x - dropZone.x, dz = from.z - dropZone.z;
	float d = std::hypot(dx, dz);
	if (d < 1)
	{
		dx = 0;
		dz = -1;
		d = 1;
	}
	ApproachX(node) = dropZone.x + dx / d * APPROACH_DISTANCE;
	ApproachZ(node) = dropZone.z + dz / d * APPROACH_DISTANCE;
	return node;
}

void DeliverHuman(ObjNode* human)
{
	gLevel.humansRescuedTotal++;
	gLevel.humansRescued[human->SubKind]++;
	PlayHumanEffect3D(EFFECT_TELEPORTHUMAN, &human->Coord);
	gLevel.exitCharge = std::min(1.0f, gLevel.exitCharge + HUMAN_EXIT_CHARGE_PER_DELIVERY);
	if (gLevel.humansRescuedTotal == 1)
		ShowHelpMessage(HELP_FIRST_DELIVERY, DELIVERED_HELP_SECONDS, true);
	else
	{
		// Each later one is counted on the help line.
		const int needed = int(std::ceil(1.0f / HUMAN_EXIT_CHARGE_PER_DELIVERY - 0.001f));
		char notice[128];
		std::snprintf(notice, sizeof notice, GetString(STR_HUMANS_DELIVERED), gLevel.humansRescuedTotal, needed);
		ShowInfobarNotice(notice, DELIVERED_NOTICE_SECONDS);
	}
	DeleteObject(human);
}
