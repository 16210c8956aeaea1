// Keeping a person's level as a replay while it is played, and playing a kept
// one back as a level shown for watching.
#include "System/Replays.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/InputVirtual.h"
#include "System/LevelShow.h"
#include "System/Random.h"
#include "System/RecordingFormat.h"
#include "System/SavedGame.h"
#include "System/Strings.h"
#include "Player/Player.h"

#include <cstdio>
#include <ctime>

namespace
{
	InputRecording gKeeping;			// the level being played by a person
	bool gKeepingOn = false;
	InputRecording gShowing;			// the replay being played back
	size_t gShowingNext = 0;

	void KeepUpdate(const VirtualInputFrame& produced)
	{
		gKeeping.frames.push_back(produced);
		gKeeping.frameTimes.push_back(gFrameTime);
	}

	// Each update gets the frame and the step it had when it was played (the
	// step is the one the frame's moves were made with).
	void FeedKeptFrame(VirtualInputFrame* frame)
	{
		if (gShowingNext >= gShowing.frames.size())
		{
			*frame = VirtualInputFrame{};
			gLevelShow.inputRanOut = true;
			return;
		}
		*frame = gShowing.frames[gShowingNext];
		gFrameTime = gShowing.frameTimes[gShowingNext];
		gFrameRate = 1.0f / gFrameTime;
		gShowingNext++;
	}

	// What the next update's frame was given: MeasureFrameTime at the end of
	// a frame hands the step on, as it did when the level was played.
	float NextKeptStep()
	{
		return gShowingNext < gShowing.frameTimes.size() ? gShowing.frameTimes[gShowingNext] : 0.0f;
	}

	// The run and the random numbers as the level started, then the frames.
	void StartFeeding()
	{
		SavedGameRecord run;
		if (DecodeSavedGame(gShowing.runImage.data(), gShowing.runImage.size(), &run) == SAVED_GAME_OK)
		{
			gRun.score = run.score;
			gRun.lives = uint8_t(run.lives);
			gRun.health = run.health;
			gRun.fuel = run.fuel;
			gRun.currentWeapon = run.currentWeapon;
			for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
				gRun.weapons[i] = run.weapons[i];
		}
		SetRandomState(gShowing.randomState);
		gFrameTime = gShowing.startStep;
		gFrameRate = 1.0f / gFrameTime;
		gShowingNext = 0;
		SetVirtualInputSource(FeedKeptFrame, VIRTUAL_INPUT_ONLY);
		SetFrameStepSource(NextKeptStep);
	}

	void StopFeeding()
	{
		SetVirtualInputSource(nullptr, VIRTUAL_INPUT_ADD);
		SetFrameStepSource(nullptr);
		gShowing = InputRecording{};
	}
}

void ReplaysLevelStarting()
{
	gKeeping = InputRecording{};
	gKeeping.levelRun = true;
	gKeeping.level = gCurrentLevel;
	gKeeping.endsAt = RECORDING_ENDS_AT_FRAME;
	GetRandomState(gKeeping.randomState);
	gKeeping.startStep = gFrameTime;
	SavedGameRecord run = {};
	run.version = SAVED_GAME_VERSION_WEAPONS;
	run.score = gRun.score;
	run.level = RECORDING_LEVEL_RUN_SAVED_LEVEL;
	run.lives = gRun.lives;
	run.health = gRun.health;
	run.fuel = gRun.fuel;
	run.hasWeapons = true;
	run.currentWeapon = gRun.currentWeapon;
	for (int i = 0; i < MAX_WEAPON_SLOTS; i++)
		run.weapons[i] = gRun.weapons[i];
	EncodeSavedGameFile(run, gKeeping.runImage.data());
	gKeeping.frames.reserve(1 << 14);
	gKeeping.frameTimes.reserve(1 << 14);
	gKeepingOn = true;
	SetReplayInputObserver(KeepUpdate);
}

void ReplaysLevelEnded()
{
	SetReplayInputObserver(nullptr);
	if (!gKeepingOn)
		return;
	gKeepingOn = false;
	if (gLevel.done && !gLevel.gameOver)
	{
		gKeeping.playSeconds = gLevel.playSeconds;
		// The time it was finished goes into the run image too, so the file says it alone.
		const int64_t now = int64_t(time(nullptr));
		SavedGameRecord run;
		if (DecodeSavedGame(gKeeping.runImage.data(), gKeeping.runImage.size(), &run) == SAVED_GAME_OK)
		{
			run.savedAt = now;
			EncodeSavedGameFile(run, gKeeping.runImage.data());
		}
		const std::string folder = ReplaysFolderPath();
		std::string error;
		if (folder.empty())
			fprintf(stderr, "replays: no folder to keep the replay of level %d in\n", gCurrentLevel);
		else if (!KeepReplay(folder, gKeeping, now, &error))
			fprintf(stderr, "%s\n", error.c_str());
	}
	gKeeping = InputRecording{};
}

bool LoadKeptReplay(const std::string& path, std::string* error)
{
	InputRecording recording;
	if (!ReadRecordingFile(path, &recording, error))
		return false;
	if (!recording.levelRun)
	{
		*error = "recording " + path + ": a test run's recording, not a level's replay";
		return false;
	}
	gShowing = std::move(recording);
	return true;
}

void PlayLoadedReplay()
{
	PlayLevelShow(gShowing.level, STR_REPLAY, 0, {StartFeeding, StopFeeding});
}
