// The autopilot and the cloud city's strong men: out of their grab, never fought.
#include "Autopilot/AutopilotCloud.h"
#include "Enemies/Enemy.h"

#include <cmath>

namespace
{
	constexpr float DANGER_SIGHT = 3000.0f;		// units: strong men farther off are not looked at
}

bool IsCloudCreatureWorthFighting(const ObjNode* enemy)
{
	return enemy->Kind != ENEMY_KIND_STRONGMAN;
}

void GatherCloudAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers)
{
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->CType == INVALID_NODE_FLAG || n->Kind != ENEMY_KIND_STRONGMAN || !IsEnemyFighting(n))
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > DANGER_SIGHT)
			continue;
		// All round: he turns to the robot faster than it gets past his front.
		dangers->push_back({n->Coord.x, n->Coord.z, AUTOPILOT_STRONGMAN_DANGER, n->Rot.y, PI});
	}
}
