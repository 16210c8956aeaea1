// The farm as the autopilot plays it: the reaches it keeps out of, and the
// vegetables left to fall behind.
#include "Autopilot/AutopilotFarm.h"
#include "Autopilot/Autopilot.h"
#include "3D/Skeleton.h"
#include "Enemies/Enemy.h"
#include "Enemies/FarmCreatures.h"
#include "Enemies/Tractor.h"

#include <cmath>

namespace
{
	constexpr float ONION_DANGER = 700.0f;			// units: its grab (600) and the arms' sweep past it
	constexpr float ONION_DANGER_ANGLE = 0.6f;		// radians either side of its heading: where the arms close
	constexpr float KERNEL_DANGER = KERNEL_BLAST_RADIUS + 60.0f;
	constexpr float KERNEL_LOOKAHEAD = 0.5f;		// seconds of a flying kernel's flight to where it comes down
	constexpr float TOMATO_LANDING_DANGER = 350.0f;
	constexpr float TOMATO_LOOKAHEAD = 0.6f;		// seconds of a leap ahead
	constexpr float TRACTOR_LANE_LENGTH = TRACTOR_CHARGE_SPEED * TRACTOR_CHARGE_TIME;	// units it covers charging
	constexpr float TRACTOR_LANE_STEP = 300.0f;		// units between the discs along its charge line
	constexpr float TRACTOR_LANE_HALF_WIDTH = 250.0f;	// its wheels and a little
	constexpr float TRACTOR_BODY_DANGER = 450.0f;	// all round: it turns fast when chasing
	constexpr float DANGER_SIGHT = 3000.0f;			// units: nothing farther off is looked at

	void AddAhead(std::vector<AutopilotDanger>* dangers, const ObjNode* n, float seconds, float radius)
	{
		dangers->push_back({n->Coord.x + n->Delta.x * seconds, n->Coord.z + n->Delta.z * seconds, radius, n->Rot.y, PI});
	}

	bool IsFarmVegetable(const ObjNode* n)
	{
		return n->Kind == ENEMY_KIND_ONION || n->Kind == ENEMY_KIND_CORN || n->Kind == ENEMY_KIND_TOMATO;
	}
}

float AutopilotEngageRange(const ObjNode* enemy)
{
	return IsFarmVegetable(enemy) ? 0.0f : AUTOPILOT_THREAT_RANGE;
}

void GatherFarmAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers)
{
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->CType == INVALID_NODE_FLAG)
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > DANGER_SIGHT)
			continue;
		if (n->MoveCall == MoveCornKernel)
		{
			AddAhead(dangers, n, KERNEL_LOOKAHEAD, KERNEL_DANGER);
			continue;
		}
		if (IsTractor(n))
		{
			if (n->Mode == TRACTOR_MODE_CHASE || n->Mode == TRACTOR_MODE_CHARGE)
				dangers->push_back({n->Coord.x, n->Coord.z, TRACTOR_BODY_DANGER, n->Rot.y, PI});
			// Its charge line as a chain of discs: each pushes out sideways from
			// the line, where a radial push from the tractor would only drive the
			// robot on ahead of it.
			if (n->Mode == TRACTOR_MODE_CHARGE)
				for (float ahead = TRACTOR_LANE_STEP; ahead <= TRACTOR_LANE_LENGTH; ahead += TRACTOR_LANE_STEP)
					dangers->push_back({n->Coord.x - std::sin(n->Rot.y) * ahead, n->Coord.z - std::cos(n->Rot.y) * ahead,
							TRACTOR_LANE_HALF_WIDTH, n->Rot.y, PI});
			continue;
		}
		if (!IsFarmVegetable(n) || !IsEnemyFighting(n) || !n->Skeleton)
			continue;
		int anim = n->Skeleton->AnimNum;
		// An onion's lunge: out of its arms before they close.
		if (n->Kind == ENEMY_KIND_ONION && anim == ONION_ANIM_GRAB)
			dangers->push_back({n->Coord.x, n->Coord.z, ONION_DANGER, n->Rot.y, ONION_DANGER_ANGLE});
		else if (n->Kind == ENEMY_KIND_TOMATO && anim == TOMATO_ANIM_LEAP)
			AddAhead(dangers, n, TOMATO_LOOKAHEAD, TOMATO_LANDING_DANGER);
	}
}
