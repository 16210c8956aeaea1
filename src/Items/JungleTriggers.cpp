// The jungle's touchable things: turtles that plod off when bumped, and the
// big springy plants that wobble under a robot landing on them (a giant one
// sinks right through).
#include "Enemies/JungleCreatures.h"
#include "Items/ItemsInternal.h"
#include "3D/Skeleton.h"
#include "Player/Player.h"
#include "System/ContentNumbers.h"
#include "System/Error.h"
#include "System/FrameTime.h"
#include "System/Level.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cmath>

namespace
{
	constexpr uint16_t TURTLE_SLOT = 210 + SKELETON_TYPE_TURTLE;
	constexpr float TURTLE_WALK_SPEED = 110.0f;			// units per second
	constexpr float TURTLE_STEP_LOOKAHEAD = 300.0f;		// units ahead it tests the ground
	constexpr float TURTLE_MAX_CLIMB = 160.0f;			// a rise steeper than this over the lookahead turns it
	constexpr float TURTLE_TURN = PI / 2;

	constexpr int LEVEL_MODEL_BOUNCY_FIRST = 9;			// + parm[0]
	constexpr int NUM_BOUNCY_KINDS = 4;
	constexpr int LEVEL_MODEL_BOUNCY_BASE = 13;
	constexpr float BOUNCY_SCALE = 4.0f;
	constexpr uint16_t BOUNCY_SLOT = 5;
	constexpr float BOUNCE_GIANT = 0.3f;				// wobble amount a landing gives
	constexpr float BOUNCE_NORMAL = 0.07f;
	constexpr float BOUNCE_RATE = 11.0f;				// radians per second
	constexpr float BOUNCE_DECAY = 0.25f;				// amount lost per second

	const OGLBoundingBox BOUNCY_STAND_IN = {{-60, 0, -60}, {60, 80, 60}, false};

	enum { TIMER_WALK = 0 };
	enum { BOUNCE_PHASE = 0, BOUNCE_AMOUNT = 1 };

	void InstallTriggers()
	{
		SetTriggerHandler(TRIGGER_KIND_TURTLE, DoTrig_Turtle);
		SetTriggerHandler(TRIGGER_KIND_BOUNCY_OBJECT, DoTrig_BouncyObject);
	}

	float GroundAt(float x, float z)
	{
		return IsTerrainSetUp() ? TerrainHeightAt(x, z) : 0.0f;
	}

	void MoveTurtle(ObjNode* turtle)
	{
		if (IsNodeOutOfRange(turtle))
		{
			DeleteObject(turtle);
			return;
		}
		if (turtle->Skeleton->AnimNum != TURTLE_ANIM_WALK)
			return;
		float& walk = turtle->SpecialF[TIMER_WALK];
		walk -= gFrameTime;
		if (walk <= 0)
		{
			MorphToSkeletonAnim(turtle->Skeleton, TURTLE_ANIM_IDLE, 3);
			return;
		}
		const float h = turtle->Rot.y;
		float here = GroundAt(turtle->Coord.x, turtle->Coord.z);
		float ahead = GroundAt(turtle->Coord.x - std::sin(h) * TURTLE_STEP_LOOKAHEAD,
				turtle->Coord.z - std::cos(h) * TURTLE_STEP_LOOKAHEAD);
		if (std::fabs(ahead - here) > TURTLE_MAX_CLIMB)
		{
			turtle->Rot.y += TURTLE_TURN;
			return;
		}
		turtle->Coord.x -= std::sin(h) * TURTLE_WALK_SPEED * gFrameTime;
		turtle->Coord.z -= std::cos(h) * TURTLE_WALK_SPEED * gFrameTime;
		turtle->Coord.y = GroundAt(turtle->Coord.x, turtle->Coord.z) - turtle->BBox.min.y;
		UpdateObjectTransforms(turtle);
		CalcObjectBoxFromNode(turtle);
	}

	void MoveBouncyObject(ObjNode* bouncy)
	{
		if (IsNodeOutOfRange(bouncy))
		{
			DeleteObject(bouncy);
			return;
		}
		float& amount = bouncy->SpecialF[BOUNCE_AMOUNT];
		if (amount <= 0)
			return;
		float& phase = bouncy->SpecialF[BOUNCE_PHASE];
		phase += BOUNCE_RATE * gFrameTime;
		amount = std::max(0.0f, amount - BOUNCE_DECAY * gFrameTime);
		float squash = amount * std::sin(phase);
		bouncy->Scale = {BOUNCY_SCALE * (1 + squash), BOUNCY_SCALE * (1 - squash), BOUNCY_SCALE * (1 + squash)};
		UpdateObjectTransforms(bouncy);
	}
}

bool AddTurtle(TerrainItemEntryType* item, float x, float z)
{
	InstallTriggers();
	ObjectDef def = {};
	def.type = SKELETON_TYPE_TURTLE;
	def.coord = {x, GroundAt(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(TURTLE_SLOT);
	def.moveCall = MoveTurtle;
	def.rot = float(item ? item->parm[0] : 0) * (PI / 4);
	def.scale = TURTLE_SCALE;
	ObjNode* turtle = MakeNewSkeletonBaseData(&def, TURTLE_ANIM_IDLE);
	GAME_ASSERT(turtle);
	turtle->Coord.y -= turtle->BBox.min.y;
	turtle->TerrainItemPtr = item;
	turtle->Kind = TRIGGER_KIND_TURTLE;
	turtle->CType = CTYPE_MISC | CTYPE_TRIGGER | CTYPE_BLOCKCAMERA;
	turtle->CBits = SIDE_ALL;
	turtle->TriggerSides = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(turtle, 0.8f, 0.9f);
	UpdateObjectTransforms(turtle);
	return true;
}

bool DoTrig_Turtle(ObjNode* turtle, ObjNode*, uint32_t)
{
	if (turtle->Skeleton && turtle->Skeleton->AnimNum != TURTLE_ANIM_WALK)
		MorphToSkeletonAnim(turtle->Skeleton, TURTLE_ANIM_WALK, 4);
	turtle->SpecialF[TIMER_WALK] = TURTLE_WALK_TIME;
	return true;
}

bool AddBouncyObject(TerrainItemEntryType* item, float x, float z)
{
	int kind = item ? item->parm[0] : 0;
	if (kind < 0 || kind >= NUM_BOUNCY_KINDS)
		FatalAlert("AddBouncyObject: illegal kind %d (parm 0)", kind);
	InstallTriggers();
	ObjectDef def = {};
	def.group = MODEL_GROUP_LEVELSPECIFIC;
	def.type = uint8_t(LEVEL_MODEL_BOUNCY_FIRST + kind);
	def.coord = {x, GroundAt(x, z), z};
	def.flags = gAutoFadeStatusBits;
	def.slot = int16_t(BOUNCY_SLOT);
	def.moveCall = MoveBouncyObject;
	def.scale = BOUNCY_SCALE;
	ObjNode* bouncy = MakeItemModelNode(&def, BOUNCY_STAND_IN);
	bouncy->TerrainItemPtr = item;
	bouncy->Kind = TRIGGER_KIND_BOUNCY_OBJECT;
	bouncy->CType = CTYPE_MISC | CTYPE_TRIGGER | CTYPE_BLOCKCAMERA;
	bouncy->CBits = SIDE_ALL;
	bouncy->TriggerSides = SIDE_ALL;
	CreateCollisionBoxFromBoundingBox(bouncy, 0.8f, 1);

	// The root it stands on does not bounce.
	def.type = LEVEL_MODEL_BOUNCY_BASE;
	def.moveCall = nullptr;
	def.chainTail = bouncy;
	MakeItemModelNode(&def, BOUNCY_STAND_IN);
	return true;
}

bool DoTrig_BouncyObject(ObjNode* bouncy, ObjNode* mover, uint32_t sides)
{
	bool landing = (sides & SIDE_BOTTOM) && mover == gPlayerNode && gObjDelta.y < -BOUNCY_LANDING_SPEED;
	if (!landing)
		return true;
	bool giant = gPlayerLevel.scale > 1.0f;
	bouncy->SpecialF[BOUNCE_PHASE] = PI;
	bouncy->SpecialF[BOUNCE_AMOUNT] = giant ? BOUNCE_GIANT : BOUNCE_NORMAL;
	return !giant;
}
