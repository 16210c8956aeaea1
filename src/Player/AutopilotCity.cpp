// The ruined city as the autopilot plays it: out of a mutant's reach while
// it winds up a punch.
#include "Player/AutopilotCity.h"
#include "3D/Skeleton.h"
#include "Enemies/CityCreatures.h"
#include "Enemies/Enemy.h"

#include <cmath>

namespace
{
	constexpr float MUTANT_DANGER = MUTANT_PUNCH_RANGE + 40.0f;	// units: its reach and its fist's swing
	constexpr float MUTANT_DANGER_ANGLE = 1.2f;				// radians either side of its heading (it punches within 90°)
	constexpr float MUTANT_BLOW_LANDS = 0.5f;				// of the punch animation: the blow is spent by then (a little late, to be safe)
	constexpr float DANGER_SIGHT = 2000.0f;					// units: nothing farther off is looked at

	bool IsWindingUp(const ObjNode* mutant)
	{
		const SkeletonObjDataType* s = mutant->Skeleton;
		return s->AnimNum == MUTANT_ANIM_PUNCH && s->MaxAnimTime > 0
				&& s->CurrentAnimTime < MUTANT_BLOW_LANDS * s->MaxAnimTime;
	}
}

void GatherCityAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers)
{
	if (gNumEnemyOfKind[ENEMY_KIND_MUTANT] == 0)
		return;
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->Kind != ENEMY_KIND_MUTANT || !IsEnemyFighting(n) || !n->Skeleton || !IsWindingUp(n))
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > DANGER_SIGHT)
			continue;
		dangers->push_back({n->Coord.x, n->Coord.z, MUTANT_DANGER, n->Rot.y, MUTANT_DANGER_ANGLE});
	}
}
