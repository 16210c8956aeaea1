// A world for one creature suite: the robot standing on the baked farm with
// the farm's own items asleep and its creatures cleared away, so the only
// creatures about are the ones a test makes; sparkles and shards running;
// and the helpers the creature suites share (a point before the robot, a
// count of nodes by move routine, a hit by a made-up projectile).
#pragma once

#include "PlayerTestSupport.h"
#include "Player/Player.h"
#include "Enemies/Enemy.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Terrain/Splines.h"

#include <cmath>

namespace CreatureTestSupport
{
	class CreatureWorld : public PlayerTestSupport::PlayerWorld
	{
	protected:
		ObjNode* robot = nullptr;

		// What the suite loads before the robot is made: its skeletons and models.
		virtual void LoadCreatures() {}

		void SetUp() override
		{
			PlayerWorld::SetUp();
			if (HasFatalFailure())
				return;
			LoadCreatures();
			if (HasFatalFailure())
				return;
			InitSparkleStore();
			InitShardSystem();
			robot = MakeRobotOnGround();
			for (int i = 0; i < gNumTerrainItems; i++)
				gTerrainItemList[i].flags |= ITEM_FLAG_INUSE;
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				if (n->CType != INVALID_NODE_FLAG && (n->CType & CTYPE_ENEMY))
					DeleteObject(n);
			FlushObjectDeleteQueue();
			InitEnemyManager();
			UpdateVisibleTerrain(robot->Coord.x, robot->Coord.z);
			gPlayerLevel.invincibleTimer = 0;
		}

		void TearDown() override
		{
			// Nodes made by hand point at no item of the level's list.
			for (ObjNode* n = gObjectListHead; n; n = n->NextNode)
				for (ObjNode* c = n; c; c = c->ChainNode)
					c->TerrainItemPtr = nullptr;
			DeleteAllSplineObjects();
			PlayerWorld::TearDown();
			DisposeShardSystem();
			DisposeSparkles();
			InitEnemyManager();
		}

		// A point `ahead` units in front of the robot and `side` units to its right.
		OGLPoint3D NearRobot(float ahead, float side = 0) const
		{
			float h = robot->Rot.y;
			return {robot->Coord.x - std::sin(h) * ahead + std::cos(h) * side, 0,
					robot->Coord.z - std::cos(h) * ahead - std::sin(h) * side};
		}

		static int CountNodesMovedBy(ObjNodeRoutine routine)
		{
			int n = 0;
			for (ObjNode* node = gObjectListHead; node; node = node->NextNode)
				n += node->MoveCall == routine && node->CType != INVALID_NODE_FLAG;
			return n;
		}
	};

	// `target` hit by `weapon` through a made-up projectile carrying `damage` and moving at `delta`.
	inline bool HitWith(int weapon, ObjNode* target, float damage, OGLVector3D delta = {0, 0, 0})
	{
		ObjNode shot = {};
		shot.Damage = damage;
		shot.Delta = delta;
		return HitByWeapon(weapon, &shot, target, &target->Coord, &delta, damage);
	}
}
