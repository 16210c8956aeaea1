// Playing a level for watching (System/LevelShow.h): the level's set-up and
// play loop as in a game, between a run state of its own and the menu's.
#include "System/LevelShow.h"
#include "System/Game.h"
#include "System/FrameTime.h"
#include "System/Input.h"
#include "System/InputVirtual.h"
#include "System/LevelTable.h"
#include "System/Sound.h"
#include "Player/Player.h"
#include "Screens/Infobar.h"

bool LevelShowFrameEnds()
{
	gLevelShow.seconds += gFrameTime;
	LevelShowVerdictKind verdict = JudgeLevelShow(gLevelShow, PersonPressedThisUpdate());
	if (verdict == LEVEL_SHOW_GOES_ON)
		return false;
	gLevelShow.ending = verdict;
	return true;
}

LevelShowVerdictKind PlayLevelShow(int level, int caption, float maxSeconds, const LevelShowDriver& driver)
{
	const RunState menuRun = gRun;
	const int menuLevel = gCurrentLevel;
	int menuSourceMode = VIRTUAL_INPUT_ADD;
	const VirtualInputSource menuSource = GetVirtualInputSource(&menuSourceMode);

	// A fresh run, as a new game starts it; a replay's driver puts its own in.
	gCurrentLevel = level;
	gRun = RunState{};
	InitPlayerForNewRun();
	ResetHelpMessageSwitches();
	gLevelShow = LevelShow{};
	gLevelShow.active = true;
	gLevelShow.caption = caption;
	gLevelShow.maxSeconds = maxSeconds;

	PlaySong(CurrentLevelDef().song, 0);
	FlushInputEvents();
	if (driver.start)
		driver.start();
	InitLevel();
	PlayCurrentLevel();
	InfobarForgetCaption();
	CleanupLevel();
	if (driver.stop)
		driver.stop();

	const LevelShowVerdictKind ending = gLevelShow.ending == LEVEL_SHOW_GOES_ON ? LEVEL_SHOW_LEVEL_ENDED
			: LevelShowVerdictKind(gLevelShow.ending);
	gLevelShow = LevelShow{};
	gRun = menuRun;
	gCurrentLevel = menuLevel;
	SetVirtualInputSource(menuSource, menuSourceMode);
	FlushInputEvents();
	return ending;
}
