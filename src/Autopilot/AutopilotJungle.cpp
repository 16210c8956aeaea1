// What the autopilot knows of the jungle's creatures, as a player learns it:
// a flytrap snaps at what walks in front of it, a lizard breathes fire ahead
// and lunges at what comes near, a mantis spits acid all round, and none of
// them minds a normal-sized robot's fist. So it keeps out of their reach and
// leaves them be, and punches a lizard or a mantis only while giant.
#include "Autopilot/AutopilotDangers.h"
#include "Enemies/Enemy.h"
#include "Enemies/JungleCreatures.h"
#include "3D/Skeleton.h"

#include <cmath>

namespace
{
	constexpr float FLYTRAP_DANGER = 650.0f;		// units: its mouth at full stretch plus its bite
	constexpr float FLYTRAP_DANGER_ANGLE = PI / 3;	// its snapping cone
	constexpr float LIZARD_NEAR_DANGER = LIZARD_LUNGE_RANGE + 100.0f;
	constexpr float LIZARD_FIRE_DANGER = LIZARD_FIRE_RANGE + 200.0f;	// the flames fly on a little
	constexpr float LIZARD_FIRE_ANGLE = PI / 4;
	constexpr float MANTIS_DANGER = 1000.0f;		// where its globs come down
	constexpr float FLAME_DANGER = 250.0f;
	constexpr float ACID_DANGER = 150.0f;
	constexpr float DANGER_SIGHT = 3000.0f;			// units: creatures farther off are not looked at

	void Add(std::vector<AutopilotDanger>* dangers, const ObjNode* n, float radius, float halfAngle)
	{
		dangers->push_back({n->Coord.x, n->Coord.z, radius, n->Rot.y, halfAngle});
	}
}

bool IsWorthPunching(const ObjNode* enemy)
{
	switch (enemy->Kind)
	{
		case ENEMY_KIND_FLYTRAP:
			return false;
		case ENEMY_KIND_GIANTLIZARD:
		case ENEMY_KIND_MANTIS:
			return IsPlayerGiant();
		default:
			return true;
	}
}

void GatherAutopilotDangers(const ObjNode* player, std::vector<AutopilotDanger>* dangers)
{
	for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
	{
		if (n == player || n->CType == INVALID_NODE_FLAG)
			continue;
		if (std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z) > DANGER_SIGHT)
			continue;
		if (n->MoveCall == MoveLizardFlame)
			Add(dangers, n, FLAME_DANGER, PI);
		else if (n->MoveCall == MoveMantisAcid)
			Add(dangers, n, ACID_DANGER, PI);
		if (!IsEnemyFighting(n) || !n->Skeleton)
			continue;
		switch (n->Kind)
		{
			case ENEMY_KIND_FLYTRAP:
				// A burning plant or a giant robot is past its bite.
				if (n->Skeleton->AnimNum != FLYTRAP_ANIM_BURNING && !IsPlayerGiant())
					Add(dangers, n, FLYTRAP_DANGER, FLYTRAP_DANGER_ANGLE);
				break;
			case ENEMY_KIND_GIANTLIZARD:
				Add(dangers, n, LIZARD_FIRE_DANGER, LIZARD_FIRE_ANGLE);
				if (!IsPlayerGiant())
					Add(dangers, n, LIZARD_NEAR_DANGER, PI);
				break;
			case ENEMY_KIND_MANTIS:
				if (!IsPlayerGiant())
					Add(dangers, n, MANTIS_DANGER, PI);
				break;
			default:
				break;
		}
	}
}
