// When a show ends and which level the attract mode plays next: no game
// state, so the rules can be tested alone (the play itself: LevelShowPlay.cpp).
#include "System/LevelShow.h"

LevelShow gLevelShow;

LevelShowVerdictKind JudgeLevelShow(const LevelShow& show, bool personPressed)
{
	// The person comes first: whatever else happens this frame, a press
	// means "give me the game back".
	if (personPressed)
		return LEVEL_SHOW_PERSON_PRESSED;
	if (show.inputRanOut)
		return LEVEL_SHOW_INPUT_RAN_OUT;
	if (show.maxSeconds > 0 && show.seconds >= show.maxSeconds)
		return LEVEL_SHOW_TIME_UP;
	return LEVEL_SHOW_GOES_ON;
}

bool AttractTimerTick(AttractTimer* timer, float dt, bool inputSeen)
{
	if (inputSeen)
	{
		timer->idleSeconds = 0;
		return false;
	}
	timer->idleSeconds += dt;
	if (timer->idleSeconds < ATTRACT_IDLE_SECONDS)
		return false;
	timer->idleSeconds = 0;
	return true;
}

int AttractTakeNextLevel(AttractTimer* timer, int numLevels)
{
	if (timer->nextLevel < 0 || timer->nextLevel >= numLevels)
		timer->nextLevel = 0;
	return timer->nextLevel++;
}
