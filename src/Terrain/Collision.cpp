// Detecting which sides of a mover struck which solid sides of other nodes,
// and resolving the move: pushes, bounces, landings, platforms, triggers,
// then fences, the ground and water.
#include "Terrain/Collision.h"
#include "Terrain/Fences.h"
#include "Terrain/Terrain.h"
#include "Terrain/Water.h"
#include "System/Error.h"
#include "System/FrameTime.h"

#include <cmath>
#include <cstring>

CollisionRecord gCollisionList[MAX_COLLISIONS];
int gNumCollisions = 0;
uint32_t gTotalSides = 0;

namespace
{
	constexpr int MAX_RESOLVE_PASSES = 3;
	constexpr float NO_PUSH = -10000.0f;
	constexpr float LANDED_DELTA_Y = -100.0f;		// keeps a standing mover pressed onto what it stands on
	constexpr float LANDING_SPEED_KEPT = 0.3f;

	// The mover's sides struck on `b`, judged by where the two boxes were
	// before the move. Only the obstacle's solid sides can be struck. A face
	// that was touching counts as outside: something made resting exactly on
	// a top (a pod set on a plinth) lands on it instead of sinking through.
	// A mover that was wholly above (or below) the obstacle can only meet its
	// top (or bottom): walking across a flat top made of several boxes, the
	// neighbouring box's side is no wall.
	uint32_t SidesFromOldBoxes(const CollisionBoxType& a, const CollisionBoxType& aOld,
							   const CollisionBoxType& b, const CollisionBoxType& bOld, uint32_t cBits)
	{
		uint32_t sides = 0;
		const bool wasAbove = aOld.bottom >= bOld.top, wasBelow = aOld.top <= bOld.bottom;
		if (wasAbove || wasBelow)
			cBits &= SIDE_TOP | SIDE_BOTTOM;
		if ((cBits & SIDE_BACK) && bOld.back >= aOld.front && b.back <= a.front && a.front <= b.front)
			sides = SIDE_FRONT;
		if ((cBits & SIDE_FRONT) && aOld.back >= bOld.front && b.back <= a.back && a.back <= b.front)
			sides = SIDE_BACK;
		if ((cBits & SIDE_LEFT) && bOld.left >= aOld.right && b.left <= a.right && a.right <= b.right)
			sides |= SIDE_RIGHT;
		if ((cBits & SIDE_RIGHT) && aOld.left >= bOld.right && b.left <= a.left && a.left <= b.right)
			sides |= SIDE_LEFT;
		if ((cBits & SIDE_BOTTOM) && bOld.bottom >= aOld.top && b.bottom <= a.top && a.top <= b.top)
			sides |= SIDE_TOP;
		if ((cBits & SIDE_TOP) && aOld.bottom >= bOld.top && b.bottom <= a.bottom && a.bottom <= b.top)
			sides |= SIDE_BOTTOM;
		return sides;
	}

	void AddRecord(int targetBox, uint32_t sides, ObjNode* obstacle)
	{
		if (gNumCollisions >= MAX_COLLISIONS)
			FatalAlert("CollisionDetect: gNumCollisions > MAX_COLLISIONS");
		CollisionRecord& r = gCollisionList[gNumCollisions++];
		r.baseBox = 0;
		r.targetBox = uint8_t(targetBox);
		r.sides = uint16_t(sides);
		r.type = COLLISION_TYPE_OBJ;
		r.objectPtr = obstacle;
		gTotalSides |= sides;
	}

	float Sign(float v)
	{
		return v > 0 ? 1.0f : (v < 0 ? -1.0f : 0.0f);
	}

	// State of one ResolveCollisions call that outlives its passes.
	struct Resolution
	{
		ObjNode* node;
		uint32_t cTypeMask;
		float bounce;				// ≤ 0
		bool wasOnGround;
		bool onPlatform = false;
		uint32_t sides = 0;			// every record's sides
	};

	struct PassResult
	{
		int handled = 0;
		bool lastPass = false;		// a trigger ran or a push came from positions
	};

	// A trigger handler may run collision queries of its own; the mover's list
	// must come back as it was.
	bool CallTrigger(ObjNode* trigger, ObjNode* mover, uint32_t sides)
	{
		CollisionRecord saved[MAX_COLLISIONS];
		int savedCount = gNumCollisions;
		uint32_t savedTotal = gTotalSides;
		std::memcpy(saved, gCollisionList, sizeof(CollisionRecord) * size_t(savedCount));

		bool solid = HandleTrigger(trigger, mover, sides);

		std::memcpy(gCollisionList, saved, sizeof(CollisionRecord) * size_t(savedCount));
		gNumCollisions = savedCount;
		gTotalSides = savedTotal;
		return solid;
	}

	// One pass: detect from gObjCoord and handle the records this pass found.
	// Records of earlier passes were handled already; handling them again would
	// bounce the velocity once more for a wall the mover has already left.
	PassResult RunObjectPass(Resolution& res)
	{
		ObjNode* node = res.node;
		const OGLPoint3D start = gObjCoord;
		CalcObjectBoxFromGlobal(node);
		const int first = gNumCollisions;
		CollisionDetect(node, res.cTypeMask, gNumCollisions);

		PassResult result;
		uint32_t sides = 0;
		float px = NO_PUSH, py = NO_PUSH, pz = NO_PUSH;
		float dx = 0, dy = 0, dz = 0;
		float workX = gObjDelta.x, workZ = gObjDelta.z;

		for (int i = first; i < gNumCollisions; i++)
		{
			CollisionRecord& rec = gCollisionList[i];
			sides |= rec.sides;
			res.sides |= rec.sides;
			if (rec.type != COLLISION_TYPE_OBJ)
				continue;
			ObjNode* obstacle = rec.objectPtr;
			if (obstacle->CType == INVALID_NODE_FLAG)
				continue;

			if (obstacle->CType & res.cTypeMask & (CTYPE_TRIGGER | CTYPE_TRIGGER2))
			{
				if (!CallTrigger(obstacle, node, rec.sides))
					rec.sides = 0;
				result.handled++;
				result.lastPass = true;

				// Whatever the trigger did to the position is kept.
				float mx = gObjCoord.x - start.x, mz = gObjCoord.z - start.z;
				px = std::fabs(mx);
				dx = Sign(mx);
				pz = std::fabs(mz);
				dz = Sign(mz);
				workX = gObjDelta.x;
				workZ = gObjDelta.z;
				if (obstacle->CType == INVALID_NODE_FLAG)		// the trigger deleted it
					continue;
			}

			if ((obstacle->CType & CTYPE_PLATFORM) && (rec.sides & SIDE_BOTTOM))
			{
				node->LinkNode = obstacle;
				res.onPlatform = true;
				workX = gObjDelta.x;
				workZ = gObjDelta.z;
			}

			if (!(rec.sides & SIDE_ALL))
				continue;

			result.handled++;
			bool pushByPosition = obstacle->CType & CTYPE_PUSH_BY_POSITION;
			if (pushByPosition)
			{
				px = py = pz = NO_PUSH;
				dx = dy = dz = 0;
				result.lastPass = true;
			}

			const CollisionBoxType& a = node->CollisionBoxes[rec.baseBox];
			const CollisionBoxType& b = obstacle->CollisionBoxes[rec.targetBox];

			if (rec.sides & (SIDE_BACK | SIDE_FRONT))
			{
				float push, dir;
				if (rec.sides & SIDE_BACK)
					push = b.front - a.back + 1, dir = 1;
				else
					push = a.front - b.back + 1, dir = -1;
				if (push > pz)
					pz = push, dz = dir;
				gObjDelta.z = workZ * res.bounce;
			}

			if (rec.sides & (SIDE_LEFT | SIDE_RIGHT))
			{
				float push, dir;
				if (rec.sides & SIDE_LEFT)
					push = b.right - a.left + 1, dir = 1;
				else
					push = a.right - b.left + 1, dir = -1;
				if (push > px)
					px = push, dx = dir;
				gObjDelta.x = workX * res.bounce;
			}

			if (rec.sides & SIDE_BOTTOM)
			{
				float push = b.top - a.bottom + gFrameTime;
				if (push > py)
					py = push, dy = 1;
				gObjDelta.y = LANDED_DELTA_Y;
			}
			else if (rec.sides & SIDE_TOP)
			{
				float push = a.top - b.bottom + 1;
				if (push > py)
					py = push, dy = -1;
				gObjDelta.y = 0;
			}

			if (pushByPosition)
				break;
		}

		if (result.handled > 0)
		{
			gObjCoord.x = start.x + dx * px;
			gObjCoord.y = start.y + dy * py;
			gObjCoord.z = start.z + dz * pz;

			if (sides & SIDE_BOTTOM)
			{
				if (!res.wasOnGround)
				{
					// The first touch down loses most of the horizontal speed, all of it on a platform.
					float keep = res.onPlatform ? 0.0f : LANDING_SPEED_KEPT;
					gObjDelta.x = workX * keep;
					gObjDelta.z = workZ * keep;
				}
				node->StatusBits |= STATUS_BIT_ONGROUND;
			}
		}
		return result;
	}

	void ResolveGround(Resolution& res)
	{
		ObjNode* node = res.node;
		// The boxes follow the last push before the ground is compared with them.
		CalcObjectBoxFromGlobal(node);
		float ground = TerrainHeightAt(gObjCoord.x, gObjCoord.z);
		float bottom = node->CollisionBoxes[0].bottom;
		if (ground > bottom)
		{
			gObjCoord.y += ground - bottom;
			if (gObjDelta.y < 0)
				gObjDelta.y *= res.bounce;
			node->StatusBits |= STATUS_BIT_ONGROUND;
			res.sides |= SIDE_BOTTOM;
		}
	}
}

void CollisionDetect(ObjNode* node, uint32_t cTypeMask, int startNumCollisions)
{
	GAME_ASSERT(startNumCollisions >= 0 && startNumCollisions <= MAX_COLLISIONS);
	gNumCollisions = startNumCollisions;
	if (node->NumCollisionBoxes == 0)
		return;

	const CollisionBoxType& a = node->CollisionBoxes[0];
	const CollisionBoxType& aOld = node->OldCollisionBoxes[0];

	for (ObjNode* other = gObjectListHead; !IsEndOfCollisionScan(other); other = other->NextNode)
	{
		if (!IsNodeCollidable(other, cTypeMask) || other == node || other == node->ChainHead)
			continue;

		int boxCount = CollisionBoxCount(other);
		for (int i = 0; i < boxCount; i++)
		{
			const CollisionBoxType& b = other->CollisionBoxes[i];
			if (!DoBoxesOverlap(a, b))
				continue;

			if (other->CBits & SIDE_ANY_OVERLAP)
			{
				AddRecord(i, 0, other);
				continue;
			}

			uint32_t sides = SidesFromOldBoxes(a, aOld, b, other->OldCollisionBoxes[i], other->CBits);
			if (sides == 0)
			{
				if (other->CType & CTYPE_PUSH_BY_POSITION)
				{
					sides = (other->Coord.x > gObjCoord.x ? SIDE_RIGHT : SIDE_LEFT)
						| (other->Coord.z > gObjCoord.z ? SIDE_FRONT : SIDE_BACK);
				}
				else if (!(other->CBits & SIDE_TRIGGER_INSIDE))
					continue;
			}
			AddRecord(i, sides, other);
		}
	}
}

uint32_t ResolveCollisions(ObjNode* node, uint32_t cTypeMask, float bounce)
{
	Resolution res;
	res.node = node;
	res.cTypeMask = cTypeMask;
	res.bounce = -std::fabs(bounce);
	res.wasOnGround = node->StatusBits & STATUS_BIT_ONGROUND;

	node->LinkNode = nullptr;
	node->StatusBits &= ~STATUS_BIT_ONGROUND;
	gNumCollisions = 0;
	gTotalSides = 0;

	if (node->NumCollisionBoxes == 0)
		return 0;

	int passes = 0;
	bool hitFence = false;
	for (;;)
	{
		for (;;)
		{
			PassResult pass = RunObjectPass(res);
			if (pass.handled == 0)
				break;
			if (++passes >= MAX_RESOLVE_PASSES || pass.lastPass)
				break;
		}

		// A fence moves the mover sideways, possibly into something else.
		if ((cTypeMask & CTYPE_FENCE) && CollideWithFences(node))
		{
			hitFence = true;
			if (++passes < MAX_RESOLVE_PASSES)
				continue;
		}
		break;
	}

	if (cTypeMask & CTYPE_TERRAIN)
		ResolveGround(res);

	if (cTypeMask & CTYPE_WATER)
	{
		int patch;
		IsInWater(node, gObjCoord.x, gObjCoord.y, gObjCoord.z, &patch);
	}

	return res.sides | (hitFence ? COLLISION_HIT_FENCE : 0);
}
