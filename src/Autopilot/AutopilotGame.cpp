// The autopilot in the game: builds its view from the player, the camera and
// the object list, and feeds its answer to the input layer as a device.
#include "Autopilot/Autopilot.h"
#include "Autopilot/AutopilotCloud.h"
#include "Autopilot/AutopilotCity.h"
#include "Autopilot/AutopilotFireIce.h"
#include "Autopilot/AutopilotFarm.h"
#include "Player/Weapons.h"
#include "Player/PlayerInternal.h"
#include "Player/PlayerSaucerBeams.h"
#include "3D/Camera.h"
#include "Enemies/BrainBoss.h"
#include "Enemies/Enemy.h"
#include "Items/Contraptions.h"
#include "Items/BlobBoss.h"
#include "Items/Humans.h"
#include "Items/Powerups.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainFile.h"

#include <cmath>

namespace
{
	int gRouteLevel = -1;			// the level whose route is loaded (−1: none)
	bool gSawDeath = false;			// the robot died and is not back in control yet
	Route gRoute;
	AutopilotState gState;

	// What a node is worth to the autopilot: atoms by their move routine
	// (they have no collision class), pick-ups and the rest by their class. Only
	// humans a touch rescues count: a captive in its capsule, one being
	// teleported or beamed up is no reason for a detour, and where the saucer
	// beams humans up touching them does nothing.
	// Whether there is no ground somewhere round (x, z) on a level with holes.
	bool IsByAHole(float x, float z)
	{
		if (!CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES))
			return false;
		for (int k = 0; k < 8; k++)
		{
			const float a = PI2 * float(k) / 8;
			if (TerrainHeightAt(x + std::cos(a) * AUTOPILOT_EDGE_MARGIN, z + std::sin(a) * AUTOPILOT_EDGE_MARGIN)
					== TERRAIN_HEIGHT_HOLE)
				return true;
		}
		return false;
	}

	// A person fights what his hands can reach and hurt: a creature flying far
	// overhead is left be, one a fist does not hurt only with a gun drawn, and
	// none at the edge of the clouds, where a punch's knock-back follows it over.
	bool IsWorthFighting(const ObjNode* node)
	{
		if (!gPlayerNode || std::fabs(node->Coord.y - gPlayerNode->Coord.y) > AUTOPILOT_FIGHT_HEIGHT)
			return false;
		// Nor with the robot itself at the edge: a fight pushes both ways, and
		// a creature backing off leads the chase over it.
		if (IsByAHole(node->Coord.x, node->Coord.z) || IsByAHole(gPlayerNode->Coord.x, gPlayerNode->Coord.z))
			return false;
		bool gunReady = gWeaponIsDrawn && gRun.currentWeapon != WEAPON_GROWTH;
		return gunReady || node->HitByWeaponHandler[WEAPON_FIST];
	}

	bool ClassifyTarget(const ObjNode* node, bool flying, AutopilotTargetKind* kind)
	{
		if (flying)
		{
			// From the saucer: free humans for the tractor, huts for the destroy beam.
			if ((node->CType & CTYPE_HUMAN) && IsHumanRescuable(node))
				*kind = AUTOPILOT_TARGET_BEAMABLE;
			else if (node->CType && node->TerrainItemPtr && node->TerrainItemPtr->type == ITEM_TYPE_PEOPLE_HUT)
				*kind = AUTOPILOT_TARGET_HUT;
			else
				return false;
			return true;
		}
		if (node->CType & CTYPE_HUMAN)
		{
			if (!IsHumanRescuable(node) || CurrentLevelHasRule(LEVEL_RULE_SAUCER_HUMANS))
				return false;
			*kind = AUTOPILOT_TARGET_HUMAN;
		}
		else if (node->MoveCall == MoveAtom)
			*kind = AUTOPILOT_TARGET_ATOM;
		// A post further on than the last one lit (a lit one is no trigger any more).
		else if ((node->CType & CTYPE_TRIGGER) && node->Kind == TRIGGER_KIND_CHECKPOINT
				&& node->Special[0] > gPlayerLevel.checkpointNum)
			*kind = AUTOPILOT_TARGET_CHECKPOINT;
		else if (node->CType & CTYPE_PICKUP)
			*kind = AUTOPILOT_TARGET_PICKUP;
		// Ground pods (a balloon pod hangs out of a fist's reach: left be).
		else if ((node->CType & CTYPE_TRIGGER) && node->Kind == TRIGGER_KIND_GIANT_ROBOT_POD)
			*kind = AUTOPILOT_TARGET_POD;
		else if (IsBlobBossTarget(node))
			*kind = AUTOPILOT_TARGET_BOSS_PART;
		else if (IsEnemyFighting(node) && IsWorthFighting(node) && IsWorthPunching(node) && IsFireIceCreatureWorthPunching(node)
				&& IsCloudCreatureWorthFighting(node))	// a dying body is no threat and takes no punch
			*kind = AUTOPILOT_TARGET_ENEMY;
		else
			return false;
		return true;
	}

	// Whether the weapon in hand (the fist while no gun is drawn) hurts a
	// node, and whether another one held would.
	void WeaponsAgainst(const ObjNode* node, bool* current, bool* other)
	{
		auto hurts = [&](int weapon) { return weapon >= 0 && weapon < NUM_WEAPON_TYPES && node->HitByWeaponHandler[weapon]; };
		*current = hurts(gWeaponIsDrawn ? gRun.currentWeapon : WEAPON_FIST);
		*other = false;
		for (const WeaponSlot& slot : gRun.weapons)
			if (slot.quantity > 0 && slot.type != gRun.currentWeapon && slot.type != WEAPON_GROWTH && hurts(slot.type))
				*other = true;
	}

	// On a boss level: a boss, or a part of its arena, and whether the weapon
	// in hand (or the fist), another held, or nothing held can hurt it.
	bool ClassifyBossPart(const ObjNode* node, AutopilotTarget* target)
	{
		if (!IsBossPart(node))
			return false;
		bool current, other;
		WeaponsAgainst(node, &current, &other);
		target->kind = AUTOPILOT_TARGET_BOSS_PART;
		target->open = IsBossPartVulnerable(node);
		target->wrongWeapon = !current && other;
		target->noWeapon = !current && !other;
		return true;
	}

	// A captive's capsule is worth a detour only with something held that breaks it.
	bool ClassifyCapsule(const ObjNode* node, AutopilotTarget* target)
	{
		if (!IsHumanCapsule(node))
			return false;
		bool current, other;
		WeaponsAgainst(node, &current, &other);
		if (!current && !other)
			return false;
		target->kind = AUTOPILOT_TARGET_CAPSULE;
		target->wrongWeapon = !current;
		return true;
	}

	// Boss parts are looked for round the robot's own boss area, or, while it
	// snipes one from afar, as far as the auto-aim reaches.
	void GatherTargets(const ObjNode* player, bool flying, bool sniping, std::vector<AutopilotTarget>* targets)
	{
		const float reach = flying ? AUTOPILOT_SAUCER_SIGHT : AUTOPILOT_TARGET_REACH;
		const float bossSight = sniping ? AUTOPILOT_SNIPE_SIGHT : AUTOPILOT_BOSS_AREA;
		const bool bossLevel = CurrentLevelHasRule(LEVEL_RULE_EXIT_AFTER_BOSS);
		for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
		{
			if (n == player || n->CType == INVALID_NODE_FLAG || (n->StatusBits & STATUS_BIT_HIDDEN))
				continue;
			float d = std::hypot(n->Coord.x - player->Coord.x, n->Coord.z - player->Coord.z);
			AutopilotTarget boss = {AUTOPILOT_TARGET_BOSS_PART, n->Coord.x, n->Coord.y, n->Coord.z};
			if (bossLevel && !flying && d <= bossSight && ClassifyBossPart(n, &boss))
			{
				targets->push_back(boss);
				continue;
			}
			AutopilotTarget capsule = {AUTOPILOT_TARGET_CAPSULE, n->Coord.x, n->Coord.y, n->Coord.z};
			if (!flying && d <= reach && ClassifyCapsule(n, &capsule))
			{
				targets->push_back(capsule);
				continue;
			}
			AutopilotTargetKind kind;
			if (!ClassifyTarget(n, flying, &kind))
				continue;
			if (d > reach)
				continue;
			AutopilotTarget t = {kind, n->Coord.x, n->Coord.y, n->Coord.z};
			if (kind == AUTOPILOT_TARGET_ENEMY)
				t.engage = AutopilotCityEngageRange(n, AutopilotEngageRange(n));
			if (kind == AUTOPILOT_TARGET_BOSS_PART)
			{
				t.aimDx = n->OffsetVector.x;
				t.aimDz = n->OffsetVector.z;
			}
			targets->push_back(t);
		}
	}

	// The ice over the exit and the nearest hammer bot to the robot.
	void LookForIceBreaker(const ObjNode* player, AutopilotView* view)
	{
		view->iceSealed = GetExitIceExtent(&view->iceLeft, &view->iceRight, &view->iceBack, &view->iceFront);
		if (!view->iceSealed)
			return;
		float best = AUTOPILOT_ICE_BREAKER_SIGHT;
		for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
		{
			if (n->Kind != ENEMY_KIND_HAMMERBOT || !IsEnemyFighting(n))
				continue;
			float d = CalcQuickDistance(n->Coord.x, n->Coord.z, player->Coord.x, player->Coord.z);
			if (d < best)
			{
				best = d;
				view->iceBreakerNear = true;
				view->iceBreakerX = n->Coord.x;
				view->iceBreakerZ = n->Coord.z;
			}
		}
	}

	// The blob boss machine as its plinth fight sees it: its live beams, where
	// the robot stands, and whether the robot's weapons hurt what it shows now.
	void LookAtBossMachine(const ObjNode* player, AutopilotMachineView* machine)
	{
		machine->present = gBlobBoss.made;
		if (!machine->present)
			return;
		machine->fallen = gBlobBoss.phase == BLOBBOSS_PHASE_DESTROYED;
		machine->cx = gBlobBoss.cx;
		machine->cz = gBlobBoss.cz;
		float top;
		machine->onPlinth = IsOnBlobBossBase(player->Coord.x, player->Coord.z, &top)
				&& player->Coord.y + float(player->BottomOff) >= top - 2;
		for (int i = 0; i < AUTOPILOT_MAX_BEAMS; i++)
		{
			OGLPoint2D from, to;
			if (GetBlobBossBeam(i, &from.x, &from.y, &to.x, &to.y))
			{
				machine->beamFrom[machine->numBeams] = from;
				machine->beamTo[machine->numBeams] = to;
				machine->numBeams++;
			}
		}
		for (const ObjNode* n = gObjectListHead; n; n = n->NextNode)
		{
			if (n->CType == INVALID_NODE_FLAG || !IsBlobBossTarget(n))
				continue;
			for (const WeaponSlot& slot : gRun.weapons)
				if (slot.quantity > 0 && slot.type >= 0 && slot.type < NUM_WEAPON_TYPES && n->HitByWeaponHandler[slot.type])
				{
					machine->weaponCarried = true;
					machine->shotsLeft = slot.quantity;
					machine->weaponDrawn = gWeaponIsDrawn && gRun.currentWeapon == slot.type;
				}
			break;
		}
	}

	// The brain once its shield is down: where it is, how far open, whether the
	// weapons hurt it, and its shots in flight (as bright as anything in view).
	void LookAtBrain(AutopilotBrainView* brain)
	{
		const ObjNode* boss = gBrainBoss.Get();
		if (!boss || !IsBrainBossShieldDown())
			return;
		brain->hunting = true;
		brain->x = boss->Coord.x;
		brain->z = boss->Coord.z;
		brain->width = boss->SpecialF[BRAIN_WIDTH] / BRAIN_BOSS_OPEN_WIDTH;
		brain->opening = boss->Mode == BRAIN_BOSS_OPENING;
		brain->closing = boss->Mode == BRAIN_BOSS_CLOSING;
		AutopilotTarget part = {AUTOPILOT_TARGET_BOSS_PART, 0, 0, 0};
		if (ClassifyBossPart(boss, &part))
		{
			brain->hurtsNow = !part.wrongWeapon && !part.noWeapon;
			brain->hurtsOther = part.wrongWeapon;
		}
		for (const ObjNode* n = gObjectListHead; n && brain->numShots < AUTOPILOT_MAX_BOSS_SHOTS; n = n->NextNode)
			if (n->MoveCall == MoveBrainBossShot && n->CType != INVALID_NODE_FLAG)
			{
				brain->shotAt[brain->numShots] = {n->Coord.x, n->Coord.z};
				brain->shotDelta[brain->numShots] = {n->Delta.x, n->Delta.z};
				brain->numShots++;
			}
	}

	// Kept between frames so the target list keeps its storage: no allocation per frame.
	AutopilotView gView;

	const AutopilotView& MakeView()
	{
		std::vector<AutopilotTarget> targets = std::move(gView.targets);
		std::vector<AutopilotDanger> dangers = std::move(gView.dangers);
		targets.clear();
		dangers.clear();
		gView = AutopilotView{};
		gView.targets = std::move(targets);
		gView.dangers = std::move(dangers);
		AutopilotView& view = gView;
		const ObjNode* node = gPlayerNode;
		view.dt = gFrameTime;
		view.cameraLookAngle = gCameraLookAngle;
		view.bossLevel = CurrentLevelHasRule(LEVEL_RULE_EXIT_AFTER_BOSS);
		view.bossDead = IsLevelBossDead();
		view.exitCharge = gLevel.exitCharge;
		view.exitCharged = IsExitCharged();
		view.fuel = gRun.fuel;
		view.gunReady = gWeaponIsDrawn && gRun.currentWeapon != WEAPON_GROWTH;
		if (!node || node->CType == INVALID_NODE_FLAG)
			return view;
		view.x = node->Coord.x;
		view.y = node->Coord.y + float(node->BottomOff);
		view.z = node->Coord.z;
		view.heading = node->Rot.y;
		view.health = gRun.health;
		view.dx = node->Delta.x;
		view.dz = node->Delta.z;
		view.onGround = node->StatusBits & STATUS_BIT_ONGROUND;
		view.flying = CurrentLevelDef().playerStart == PLAYER_START_FLYING_SAUCER && !node->Skeleton;
		view.groundHasHoles = CurrentLevelHasRule(LEVEL_RULE_TERRAIN_HOLES);
		view.inControl = !gPlayerLevel.isDead && !IsPlayerInSaucer() && !(node->StatusBits & STATUS_BIT_HIDDEN)
					  && (node->CType & CTYPE_PLAYER);
		if (view.flying)
		{
			view.saucerLoad = gSaucerCargo.count + gSaucerCargo.rising;
			view.beamSelected = gSaucerBeam.selected;
			view.beamBusy = IsSaucerBeamBusy(gSaucerBeam);
			view.saucerSteering = !IsSaucerFlyingItself();
			view.hasDropPoint = GetSaucerDropPoint(&view.dropX, &view.dropZ);
			view.inControl = view.inControl && view.saucerSteering;
		}
		if (gPlayerLevel.isDead)
			gSawDeath = true;
		else if (view.inControl && gSawDeath)
		{
			gSawDeath = false;
			view.respawned = true;
		}
		if (view.inControl)
		{
			const bool sniping = gState.goal < gRoute.size() && gRoute[gState.goal].verb == ROUTE_SNIPE;
			GatherTargets(node, view.flying, sniping, &view.targets);
		}
		if (view.inControl)
			LookAtBossMachine(node, &view.machine);
		if (view.inControl && !view.flying)
			LookAtBrain(&view.brain);
		if (view.inControl && CurrentLevelHasRule(LEVEL_RULE_EXIT_UNDER_ICE))
			LookForIceBreaker(node, &view);
		if (view.inControl && !view.flying)
		{
			GatherAutopilotDangers(node, &view.dangers);
			GatherFireIceDangers(node, &view.dangers);
			GatherFarmAutopilotDangers(node, &view.dangers);
			GatherCloudAutopilotDangers(node, &view.dangers);
			GatherCityAutopilotDangers(node, &view.dangers);
			GatherCityAutopilotTargets(node, &view.targets);
		}
		return view;
	}

}

void AutopilotLevelInput(VirtualInputFrame* frame)
{
	if (!gPlayerNode)
		return;
	if (gRouteLevel != gCurrentLevel)
	{
		gRoute = LoadLevelRoute(gCurrentLevel);
		gState = AutopilotState{};
		gSawDeath = false;
		gRouteLevel = gCurrentLevel;
	}
	*frame = AutopilotStep(gRoute, MakeView(), &gState);
	AutopilotArmForCity(gPlayerNode, &gState, frame);
}

void StartAutopilot()
{
	SetVirtualInputSource(AutopilotLevelInput, VIRTUAL_INPUT_ADD);
}

void ResetAutopilotForLevel()
{
	gRouteLevel = -1;
	gSawDeath = false;
	gRoute.clear();
	gState = AutopilotState{};
}

void GetAutopilotProgress(int* goalsDone, int* goalsInRoute)
{
	bool loaded = gRouteLevel == gCurrentLevel;
	*goalsInRoute = loaded ? int(gRoute.size()) : 0;
	*goalsDone = loaded ? int(gState.goal) + (gState.routeDone ? 1 : 0) : 0;
}
