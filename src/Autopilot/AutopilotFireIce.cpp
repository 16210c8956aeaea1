// The autopilot and the fire-and-ice creatures: keep out of a flamester's
// blob scatter, out of the way of shots in flight, and leave flamesters unpunched.
#include "Autopilot/AutopilotFireIce.h"
#include "Enemies/Enemy.h"
#include "Enemies/FireIceCreatures.h"
#include "3D/Skeleton.h"
#include "System/ContentNumbers.h"
#include "Terrain/Collision.h"

#include <cmath>

namespace
{
	constexpr float FLAMESTER_DANGER = FLAMESTER_ATTACK_RANGE + 150.0f;	// it starts spinning at 600
	constexpr float SPINNING_DANGER = 1100.0f;		// where its blobs land, thrown at 600 for two seconds
	constexpr float SHOT_DANGER = 200.0f;			// units round a shot in flight
	constexpr float DANGER_SIGHT = 3000.0f;

	bool IsShot(const ObjNode* n)
	{
		if (n->Group != MODEL_GROUP_LEVELSPECIFIC || !(n->CType & CTYPE_HURTME))
			return false;
		return n->Type == LEVEL_MODEL_FIRE_BLOB || n->Type == LEVEL_MODEL_ICE_BLOCK || n->Type == LEVEL_MODEL_SQUOOSHY_GLOB;
	}
}

bool IsFireIceCreatureWorthPunching(const ObjNode* enemy)
{
	return enemy->Kind != ENEMY_KIND_FLAMESTER;
}

void GatherFireIceDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers)
{
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->CType == INVALID_NODE_FLAG)
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > DANGER_SIGHT)
			continue;
		if (IsShot(n))
		{
			dangers->push_back({n->Coord.x, n->Coord.z, SHOT_DANGER, n->Rot.y, PI});
			continue;
		}
		if (n->Kind != ENEMY_KIND_FLAMESTER || !IsEnemyFighting(n) || !n->Skeleton)
			continue;
		bool spinning = n->Skeleton->AnimNum == FLAMESTER_ANIM_SPIN;
		dangers->push_back({n->Coord.x, n->Coord.z, spinning ? SPINNING_DANGER : FLAMESTER_DANGER, n->Rot.y, PI});
	}
}
