// The player's state, its set-up for a run and for a level, the robot's node and its hands.
#include "Player/PlayerInternal.h"
#include "System/SavedGame.h"
#include "Player/Weapons.h"
#include "3D/BG3D.h"
#include "3D/MetaObjectsRegistry.h"
#include "3D/Skeleton.h"
#include "3D/Camera.h"
#include "System/ContentNumbers.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Terrain/Collision.h"
#include "Terrain/Terrain.h"
#include "Terrain/TerrainItems.h"

#include <cstring>

ObjNode* gPlayerNode = nullptr;
ObjNode* gPlayerHandNodes[2] = {};
RunState gRun;
PlayerLevelState gPlayerLevel;
bool gPlayerTankControls = false;

namespace
{
	// Hands: joint, open model, fist model.
	struct HandDef
	{
		int joint;
		int openModel;
		int fistModel;
	};
	constexpr HandDef HANDS[2] = {
		{PLAYER_JOINT_LEFT_HAND, GLOBAL_MODEL_LEFT_HAND_OPEN, GLOBAL_MODEL_LEFT_HAND_FIST},
		{PLAYER_JOINT_RIGHT_HAND, GLOBAL_MODEL_RIGHT_HAND_OPEN, GLOBAL_MODEL_RIGHT_HAND_FIST},
	};

	// The shutters run on the frame clock whatever happens to the robot.
	void MoveDeathTransition(ObjNode*)
	{
		UpdateDeathTransition(gFrameTime);
	}

	void MakeDeathTransitionNode()
	{
		ObjectDef def = {};
		def.genre = NODRAW_GENRE;
		def.slot = 4990;
		def.moveCall = MoveDeathTransition;
		def.scale = 1;
		MakeNewObject(&def);
	}

	bool HaveGlobalModels()
	{
		return BG3D_GetNumModels(MODEL_GROUP_GLOBAL) >= NUM_GLOBAL_MODELS;
	}

	// Open hands swing in the walk-type animations; every other state makes fists.
	bool AnimShowsOpenHands(int anim)
	{
		return anim == PLAYER_ANIM_STAND || anim == PLAYER_ANIM_WALK || anim == PLAYER_ANIM_WALKALT;
	}

	void MakePlayerHands(ObjNode* robot)
	{
		for (int h = 0; h < 2; h++)
		{
			gPlayerHandNodes[h] = nullptr;
			if (!HaveGlobalModels())
				continue;
			ObjectDef def = {};
			def.group = MODEL_GROUP_GLOBAL;
			def.type = uint8_t(HANDS[h].openModel);
			def.coord = robot->Coord;
			def.slot = PLAYER_HAND_SLOT;
			def.flags = STATUS_BIT_DONTCULL;
			def.scale = 1;
			ObjNode* hand = MakeNewDisplayGroupObject(&def);
			hand->CType = 0;
			gPlayerHandNodes[h] = hand;
		}
		UpdatePlayerHands(robot);
	}
}

void UpdatePlayerHands(ObjNode* node)
{
	if (!node || !node->Skeleton)
		return;
	bool open = AnimShowsOpenHands(node->Skeleton->AnimNum);
	for (int h = 0; h < 2; h++)
	{
		ObjNode* hand = gPlayerHandNodes[h];
		if (!hand)
			continue;
		int model = open ? HANDS[h].openModel : HANDS[h].fistModel;
		// The right hand holds the drawn weapon, except where the hands grip something else.
		const int anim = node->Skeleton->AnimNum;
		const int held = WeaponShownInHand();
		if (h == 1 && held >= 0 && anim != PLAYER_ANIM_BUBBLE && anim != PLAYER_ANIM_BUMPERCAR)
			model = GLOBAL_MODEL_HELD_WEAPON + held;
		if (hand->Type != model)
		{
			hand->Type = uint8_t(model);
			ResetDisplayGroupObject(hand);
		}

		// The hand model is built in its joint's space: the joint's matrix places it.
		OGLMatrix4x4 joint;
		FindJointFullMatrix(node, HANDS[h].joint, &joint);
		hand->BaseTransformMatrix = joint;
		hand->Coord = {joint.value[12], joint.value[13], joint.value[14]};
		SyncBaseTransformObject(hand);
	}
}

void ShowPlayerHands(bool show)
{
	for (ObjNode* hand : gPlayerHandNodes)
		if (hand)
		{
			if (show)
				hand->StatusBits &= ~STATUS_BIT_HIDDEN;
			else
				hand->StatusBits |= STATUS_BIT_HIDDEN;
		}
}

ObjNode* MakePlayerRobot(float x, float z, float rot, float scale)
{
	ObjectDef def = {};
	def.type = SKELETON_TYPE_QUOG;
	def.coord = {x, TerrainHeightAt(x, z), z};
	def.slot = PLAYER_SLOT;
	def.moveCall = MovePlayerRobot;
	def.rot = rot;
	def.scale = scale;
	ObjNode* node = MakeNewSkeletonBaseData(&def, PLAYER_ANIM_STAND);

	node->CType = CTYPE_PLAYER;
	node->CBits = SIDE_ALL;
	FinalizeSkeletonObjectScale(node, scale, PLAYER_ANIM_STAND);
	node->Coord.y -= float(node->BottomOff);			// feet on the ground
	node->OldCoord = node->Coord;
	node->Delta = {0, 0, 0};
	UpdateObjectTransforms(node);
	CalcObjectBoxFromNode(node);
	KeepOldCollisionBoxes(node);

	gPlayerNode = node;
	gPlayerLevel.coord = node->Coord;
	gPlayerLevel.stateTimer = 0;
	gPlayerLevel.timeSinceMoveInput = 100;
	MakePlayerHands(node);
	return node;
}

void InitPlayerForNewRun()
{
	// A loaded game's score, lives, health and fuel carry into the run it resumes.
	const RunState loaded = gRun;
	gRun = RunState{};
	if (loaded.resumingSavedGame)
	{
		gRun.score = loaded.score;
		gRun.lives = loaded.lives;
		gRun.health = loaded.health;
		gRun.fuel = loaded.fuel;
		gRun.fromSavedGame = true;
		gRun.loadedGameScore = loaded.loadedGameScore;
	}
	gPlayerLevel.deathTimer = 0;
	StopDeathTransition();
	gPlayerStartX = gPlayerStartZ = gPlayerStartRot = 0;
}

void ClearPlayerLevelFlags()
{
	gPlayerLevel = PlayerLevelState{};
	ResetGrowth();
	gPlayerHandNodes[0] = gPlayerHandNodes[1] = nullptr;
	StopDeathTransition();
	ResetPlayerSaucers();
}

void InitPlayerAtStartOfLevel()
{
	ClearPlayerLevelFlags();
	if (!TakeLoadedWeaponInventory())
		InitWeaponInventory();
	gLevel.exitCharge = CurrentLevelDef().exitChargeAtStart;

	CreateTerrainDrawNode();
	MakeDeathTransitionNode();
	UpdateVisibleTerrain(gPlayerStartX, gPlayerStartZ);

	gPlayerLevel.checkpointX = gPlayerStartX;
	gPlayerLevel.checkpointZ = gPlayerStartZ;
	gPlayerLevel.checkpointRot = gPlayerStartRot;

	// The robot's chrome parts.
	if (HaveGlobalModels())
		for (int model = GLOBAL_MODEL_RIGHT_HAND_OPEN; model <= GLOBAL_MODEL_HELD_ARCSHOT; model++)
			BG3D_SphereMapGeomteryMaterial(MODEL_GROUP_GLOBAL, uint16_t(model), -1, MULTI_TEXTURE_COMBINE_ADD, SPHEREMAP_CHROME_GLINT);

	switch (CurrentLevelDef().playerStart)
	{
		case PLAYER_START_ON_FOOT:
			MakePlayerRobot(gPlayerStartX, gPlayerStartZ, gPlayerStartRot);
			break;
		case PLAYER_START_FLYING_SAUCER:
			InitPlayerSaucer();
			break;
		case PLAYER_START_LANDING_SAUCER:
			MakeLandingSaucer();
			break;
	}
}

int16_t PlayPlayerEffect(int effectNum)
{
	return IsSoundEffectLoaded(effectNum) ? PlayEffect(effectNum) : -1;
}

int16_t PlayPlayerEffect3D(int effectNum, const OGLPoint3D* where)
{
	return IsSoundEffectLoaded(effectNum) ? PlayEffect3D(effectNum, where) : -1;
}

bool IsPlayerUntouchable()
{
	if (!gPlayerNode)
		return true;
	return IsPlayerInSaucer() || (gPlayerNode->Skeleton && gPlayerNode->Skeleton->AnimNum == PLAYER_ANIM_BEAMEDUP);
}
