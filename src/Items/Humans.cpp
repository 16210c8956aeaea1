// Humans: counting them at level start, making them, their standing and
// walking, and the rescue by touch with its teleport-away fade.
#include "Items/HumansInternal.h"
#include "Enemies/RaiderSaucer.h"
#include "3D/Skeleton.h"
#include "Effects/Sparkles.h"
#include "Player/Player.h"
#include "Player/WeaponTypes.h"
#include "Screens/Infobar.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "System/LevelTable.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Splines.h"
#include "3D/MetaObjectsRegistry.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <algorithm>
#include <cmath>

namespace
{
	constexpr float WALK_SPEED = 100.0f;				// units per second
	constexpr float HELP_DISTANCE = 600.0f;				// the robot this near raises the rescue help
	constexpr float HELP_SECONDS = 4.0f;

	constexpr uint16_t RING_SLOT = 3020;
	constexpr float RING_SCALES[2] = {0.3f, 0.7f};		// upper ring, lower ring
	constexpr float RING_RISE = 100.0f;					// units per second (the lower ring sinks)
	constexpr float RING_GROWTH = 0.5f;					// scale per second (the lower ring shrinks)
	constexpr float RING_SPIN = PI2;					// radians per second
	constexpr float TELEPORT_ANIM_SPEED = 6.0f;
	constexpr float TELEPORT_FADE = 0.7f;				// alpha per second
	constexpr float TELEPORT_TINT = 0.5f;				// red and blue fall by this per second: it turns green
	constexpr float SPARKLE_GROWTH = 120.0f;			// half-size per second

	bool IsHumanItemType(uint16_t type)
	{
		return type == ITEM_TYPE_HUMAN || type == ITEM_TYPE_HUMAN_TYPE2;
	}

	// Counts one list of items of the human types; huts count their occupants.
	void CountHumanItems()
	{
		for (int i = 0; i < gNumTerrainItems; i++)
		{
			TerrainItemEntryType& item = gTerrainItemList[i];
			if (IsHumanItemType(item.type))
				gLevel.humansInLevel++;
			else if (item.type == ITEM_TYPE_PEOPLE_HUT)
			{
				if (item.parm[0] == 0)
					item.parm[0] = uint8_t(RandomRange(1, 8));
				gLevel.humansInLevel += item.parm[0];
			}
		}

		for (int s = 0; s < gNumSplines; s++)
		{
			const SplineRecord& spline = gSplineList[s];
			if (!spline.itemList)
				continue;
			for (int i = 0; i < spline.numItems; i++)
			{
				const SplineItemType& item = (*spline.itemList)[i];
				if (IsHumanItemType(item.type))
					gLevel.humansInLevel++;
				GAME_ASSERT_MESSAGE(item.type != ITEM_TYPE_PEOPLE_HUT, "people hut moving along spline!?");
			}
		}
	}

	void ShowRescueHelp(const ObjNode* human)
	{
		if (!gPlayerNode)
			return;
		float d = CalcQuickDistance(human->Coord.x, human->Coord.z, gPlayerNode->Coord.x, gPlayerNode->Coord.z);
		if (d >= HELP_DISTANCE)
			return;
		if (CurrentLevelHasRule(LEVEL_RULE_SAUCER_HUMANS))
			ShowHelpMessage(HELP_SAUCER_HUMANS, HELP_SECONDS, false);
		else
		{
			int showing = GetCurrentHelpType();
			if (showing < 0 || showing == HELP_RESCUE_HUMANS)
				ShowHelpMessage(HELP_RESCUE_HUMANS, HELP_SECONDS, false);
		}
	}

	void MoveHumanStanding(ObjNode* node)
	{
		GetObjectInfo(node);
		gObjDelta.x = gObjDelta.z = 0;
		MoveHumanOnGround(node);
		UpdateObject(node);
	}

	void MoveHumanWalking(ObjNode* node)
	{
		GetObjectInfo(node);
		gObjDelta.x = -std::sin(node->Rot.y) * WALK_SPEED;
		gObjDelta.z = -std::cos(node->Rot.y) * WALK_SPEED;
		uint32_t sides = MoveHumanOnGround(node);
		node->SpecialF[0] -= gFrameTime;
		if (node->SpecialF[0] <= 0 || (sides & SIDE_ALL & ~SIDE_BOTTOM))
		{
			node->Mode = HUMAN_MODE_STAND;
			gObjDelta.x = gObjDelta.z = 0;
			MorphToSkeletonAnim(node->Skeleton, HUMAN_ANIM_STAND, 4);
		}
		UpdateObject(node);
	}

	// The two rings, the tint, the fade and the sparkle of a rescued human.
	void MoveHumanTeleporting(ObjNode* node)
	{
		const float dt = gFrameTime;
		node->ColorFilter.r = std::max(0.0f, node->ColorFilter.r - TELEPORT_TINT * dt);
		node->ColorFilter.b = std::max(0.0f, node->ColorFilter.b - TELEPORT_TINT * dt);
		node->ColorFilter.a -= TELEPORT_FADE * dt;
		if (node->ColorFilter.a <= 0)
		{
			DeleteObject(node);
			return;
		}

		int ringNum = 0;
		for (ObjNode* ring = node->ChainNode; ring && ringNum < 2; ring = ring->ChainNode, ringNum++)
		{
			float sign = ringNum == 0 ? 1.0f : -1.0f;
			ring->Coord.y += sign * RING_RISE * dt;
			float s = std::max(0.0f, ring->Scale.x + sign * RING_GROWTH * dt);
			ring->Scale = {s, s, s};
			ring->Rot.y += RING_SPIN * dt;
			ring->ColorFilter.a = node->ColorFilter.a;
			UpdateObjectTransforms(ring);
		}

		int16_t s = node->Sparkles[0];
		if (s != -1)
		{
			SparkleType& sparkle = gSparkles[s];
			sparkle.where = {node->Coord.x, node->Coord.y + node->SpecialF[1], node->Coord.z};
			sparkle.scale += SPARKLE_GROWTH * dt;
			sparkle.color.a = node->ColorFilter.a;
		}
		UpdateObjectTransforms(node);
	}

	ObjNode* MakeTeleportRing(ObjNode* human, float scale, ObjNode* chainTail)
	{
		ObjectDef def = {};
		def.group = MODEL_GROUP_GLOBAL;
		def.type = GLOBAL_MODEL_TELEPORT_RING;
		def.coord = {human->Coord.x, human->Coord.y + human->SpecialF[1], human->Coord.z};
		def.flags = STATUS_BIT_GLOW | STATUS_BIT_NOLIGHTING | STATUS_BIT_NOZWRITES | STATUS_BIT_KEEPBACKFACES;
		def.slot = RING_SLOT;
		def.scale = scale;
		def.chainTail = chainTail;
		ObjNode* ring;
		if (GLOBAL_MODEL_TELEPORT_RING < gNumObjectsInBG3DGroupList[MODEL_GROUP_GLOBAL])
			ring = MakeNewDisplayGroupObject(&def);
		else
		{
			def.genre = NODRAW_GENRE;				// no models loaded (logic-only tests)
			ring = MakeNewObject(&def);
		}
		ring->ColorFilter = {0.6f, 1, 0.6f, 1};
		return ring;
	}

	void AttachTeleportSparkle(ObjNode* human)
	{
		int16_t s = GetFreeSparkle(human);
		if (s == -1)
			return;
		human->Sparkles[0] = s;
		SparkleType& sparkle = gSparkles[s];
		sparkle.flags = SPARKLE_FLAG_OMNIDIRECTIONAL;
		sparkle.where = {human->Coord.x, human->Coord.y + human->SpecialF[1], human->Coord.z};
		sparkle.color = {0.7f, 1, 0.7f, 1};
		sparkle.scale = 40.0f * gLevel.humanScale;
		sparkle.separation = 20;
		sparkle.textureNum = PARTICLE_SPRITE_GLINT;
	}

	using HumanModeMove = void (*)(ObjNode*);
	constexpr HumanModeMove kHumanModeMoves[] = {
		MoveHumanStanding,		// HUMAN_MODE_STAND
		MoveHumanWalking,		// HUMAN_MODE_WALK
		MoveHumanTeleporting,	// HUMAN_MODE_TELEPORT
	};
}

void InitHumans()
{
	// The rescue counters start at 0 with the level's gLevel; the count of
	// humans is made afresh whenever the level asks.
	gLevel.humanScale = CurrentLevelHasRule(LEVEL_RULE_SAUCER_HUMANS) ? 0.5f : 1.0f;
	SetTriggerHandler(TRIGGER_KIND_HUMAN, RescueHuman);
	gLevel.humansInLevel = 0;
	if (gTerrainItemList)
		CountHumanItems();
}

int GetSkeletonFromHumanType(int humanType)
{
	switch (humanType)
	{
		case HUMAN_TYPE_FARMER:		return SKELETON_TYPE_FARMER;
		case HUMAN_TYPE_BEEWOMAN:	return SKELETON_TYPE_BEEWOMAN;
		case HUMAN_TYPE_SCIENTIST:	return SKELETON_TYPE_SCIENTIST;
		case HUMAN_TYPE_SKIRTLADY:	return SKELETON_TYPE_SKIRTLADY;
		default:					FatalAlert("GetSkeletonFromHumanType: who?");
	}
}

ObjNode* MakeHumanNode(int humanType, float x, float y, float z, float rot, void (*move)(ObjNode*))
{
	const float scale = 2.0f * gLevel.humanScale;
	ObjectDef def = {};
	def.type = uint8_t(GetSkeletonFromHumanType(humanType));
	def.coord = {x, y, z};
	def.flags = gAutoFadeStatusBits | STATUS_BIT_HUMAN;
	def.slot = HUMAN_SLOT;
	def.moveCall = move;
	def.rot = rot;
	def.scale = scale;
	ObjNode* node = MakeNewSkeletonBaseData(&def, HUMAN_ANIM_STAND);

	node->Kind = TRIGGER_KIND_HUMAN;
	node->SubKind = uint8_t(humanType);
	node->Mode = HUMAN_MODE_STAND;
	node->CType = CTYPE_HUMAN | CTYPE_TRIGGER;
	node->CBits = SIDE_ALL | SIDE_TRIGGER_INSIDE;
	node->TriggerSides = SIDE_ALL;
	node->Health = 1;
	node->HitByWeaponHandler[WEAPON_SAUCERBEAM] = BeamHumanUp;

	FinalizeSkeletonObjectScale(node, scale, HUMAN_ANIM_STAND);
	node->Coord.y -= float(node->BottomOff);			// feet at y
	node->SpecialF[1] = 0.5f * float(node->TopOff + node->BottomOff);	// its middle, above Coord
	node->OldCoord = node->Coord;
	node->InitCoord = node->Coord;
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);
	AttachShadowToObject(node, 0, HUMAN_SHADOW_SIZE * gLevel.humanScale, HUMAN_SHADOW_SIZE * gLevel.humanScale, false);
	return node;
}

ObjNode* MakeHuman(int humanType, float x, float z)
{
	float y = HighestSurfaceAt(x, z, CTYPE_PLATFORM | CTYPE_TERRAIN | CTYPE_MISC) + 20.0f;
	return MakeHumanNode(humanType, x, y, z, RandomFloat() * PI2, MoveHuman);
}

uint32_t MoveHumanOnGround(ObjNode* node)
{
	const float dt = gFrameTime;
	gObjDelta.y -= HUMAN_GRAVITY * dt;
	float dx = gObjDelta.x, dz = gObjDelta.z;
	if (ObjNode* platform = node->LinkNode; platform && platform->CType != INVALID_NODE_FLAG
			&& (node->StatusBits & STATUS_BIT_ONGROUND))
	{
		dx += platform->Delta.x;
		dz += platform->Delta.z;
	}
	gObjCoord.x += dx * dt;
	gObjCoord.y += gObjDelta.y * dt;
	gObjCoord.z += dz * dt;
	return ResolveCollisions(node, HUMAN_COLLISION_MASK, 0);
}

void PlayHumanEffect3D(int effectNum, const OGLPoint3D* where)
{
	if (IsSoundEffectLoaded(effectNum))
		PlayEffect3D(effectNum, where);
}

void TurnNodeToward(ObjNode* node, float x, float z, float rate)
{
	float target = CalcYAngleFromPointToPoint(node->Rot.y, node->Coord.x, node->Coord.z, x, z);
	float diff = PositiveModulo(target - node->Rot.y + PI, PI2) - PI;
	float step = rate * gFrameTime;
	node->Rot.y += std::clamp(diff, -step, step);
}

void MoveHuman(ObjNode* node)
{
	if (!CurrentLevelHasRule(LEVEL_RULE_SAUCER_HUMANS) && IsNodeOutOfRange(node))
	{
		DeleteObject(node);
		return;
	}
	GAME_ASSERT(node->Mode < std::size(kHumanModeMoves));
	kHumanModeMoves[node->Mode](node);
	if (node->CType != INVALID_NODE_FLAG && IsHumanRescuable(node))
	{
		ShowRescueHelp(node);
		CallRaiderSaucer(node);
	}
}

bool IsHumanRescuable(const ObjNode* human)
{
	return human && human->CType != INVALID_NODE_FLAG && (human->StatusBits & STATUS_BIT_HUMAN)
			&& (human->CType & CTYPE_TRIGGER) && human->Mode <= HUMAN_MODE_WALK;
}

bool RescueHuman(ObjNode* human, ObjNode* whoTouched, uint32_t sides)
{
	(void)whoTouched;
	(void)sides;
	if (!IsHumanRescuable(human))
		return true;

	RemoveFromSplineObjectList(human);
	human->StatusBits &= ~STATUS_BIT_HUMAN;
	human->Delta = {0, 0, 0};
	human->CType = CTYPE_MISC;
	human->Mode = HUMAN_MODE_TELEPORT;
	human->TerrainItemPtr = nullptr;					// rescued: its item never brings it back
	ShowHelpMessage(HELP_RESCUE_HUMANS, HELP_SECONDS, false);

	ObjNode* upper = MakeTeleportRing(human, RING_SCALES[0], human);
	MakeTeleportRing(human, RING_SCALES[1], upper);
	AttachTeleportSparkle(human);
	PlayHumanEffect3D(EFFECT_TELEPORTHUMAN, &human->Coord);
	MorphToSkeletonAnim(human->Skeleton, HUMAN_ANIM_TELEPORT, 8);
	human->Skeleton->AnimSpeed = TELEPORT_ANIM_SPEED;

	gLevel.humansRescuedTotal++;
	gLevel.humansRescued[human->SubKind]++;
	return true;
}
