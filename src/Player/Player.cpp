#include "Player/Player.h"

#include "System/Objects.h"
#include "System/FrameTime.h"
#include "System/Game.h"

// Until the robot exists, a level simply ends after a few seconds.
static void MoveStandInPlayer(ObjNode* node)
{
	node->SpecialF[0] -= gFrameTime;
	if (node->SpecialF[0] <= 0 && !gLevelDone)
	{
		gLevelDone = true;
		gLevelDoneTimer = 0.5f;
	}
}

ObjNode* gPlayerNode = {};
ObjNode* gPlayerHandNodes[2] = {};
int gCheckpointNum = -1;
int32_t gScore = 0;
void InitPlayerForNewRun()
{
}

void InitPlayerAtStartOfLevel()
{
	ObjectDef def{};
	def.genre = NODRAW_GENRE;
	def.slot = 100;
	def.moveCall = MoveStandInPlayer;
	def.scale = 1;
	gPlayerNode = MakeNewObject(&def);
	gPlayerNode->SpecialF[0] = 3.0f;
}

void ClearPlayerLevelFlags()
{
}

void ClearExitBeamArea()
{
}

void DrawDeathTransition()
{
}


// Stand-in until the robot exists: always touchable.
bool IsPlayerUntouchable()
{
	return false;
}
