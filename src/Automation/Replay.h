// Recording and replaying runs, and the state hash that shows two runs agree.
//
// A recording run keeps what every input update produced (the input observer,
// so a person, the autopilot or any other virtual source is recorded alike)
// and writes it at exit with the level, the seed and the fixed step. A replay
// installs itself as the only input device and feeds the frames back in
// order; the run quits where the recording run quit.
// Both print the same hash of the game's state at the end.
#pragma once

#include "System/Recording.h"

#include <cstdint>
#include <string>

// Keeps every input update from now on (replaces any observer).
void StartRecording(int level, float fixedStepHz);
bool IsRecording();
// Writes what was kept, with the seed the random numbers started from and
// where the run ended (RECORDING_ENDS_AT_…).
bool FinishRecording(const std::string& path, uint16_t endsAt, std::string* error);

// Feeds `recording`'s frames to the input layer, the hardware ignored. A
// recording that ended inside an input update quits in the update after its
// last frame; one that ended at a frame is ended by the frame hook.
void StartReplay(const InputRecording& recording);
bool IsReplaying();
// True once every frame of a recording that ended at a drawn frame was fed
// (the frame hook then quits).
bool IsReplayFinished();
void StopRecordingAndReplay();

// A 64-bit hash of what a run's outcome is made of: the level, its frame
// count, the robot's place, health, lives, fuel and score, the node count and
// the random-number state.
uint64_t ComputeStateHash();
