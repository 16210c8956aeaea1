// Input recordings: what a run needs to be played again exactly. The level it
// starts on, the seed, the fixed step and every input update's needs and
// analog values (as the input observer saw them). A level of a person's game
// (a kept replay) starts from the level's own start instead: the random
// numbers' state and the run as they were, and each frame's own step. This
// part only turns a recording into bytes and back; RecordingFile.cpp reads
// and writes files; Automation/Replay.cpp and System/Replays.h drive the game
// with them.
#pragma once

#include "System/InputVirtual.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct InputRecording
{
	int level = 0;
	uint32_t seed = 0;
	float fixedStepHz = 30;
	uint16_t endsAt = 0;			// RECORDING_ENDS_AT_FRAME or _AT_INPUT
	std::vector<VirtualInputFrame> frames;

	// A level of a person's game (format version 2); seed and fixedStepHz then unused.
	bool levelRun = false;
	uint32_t randomState[3] = {};
	float startStep = 0;				// seconds: the frame step as the level was made
	float playSeconds = 0;
	std::array<uint8_t, 68> runImage = {};	// the run at the level's start, as a saved game's file image
	std::vector<float> frameTimes;		// seconds, one per frame
};

// Appends the file image of `recording` to `out`.
void EncodeRecording(const InputRecording& recording, std::vector<uint8_t>* out);

// Reads a file image. On failure returns false and says what is wrong in
// `error` (without the file's name); `out` is then unspecified.
bool DecodeRecording(const uint8_t* data, size_t size, InputRecording* out, std::string* error);

// Files. The messages name the file.
bool WriteRecordingFile(const std::string& path, const InputRecording& recording, std::string* error);
bool ReadRecordingFile(const std::string& path, InputRecording* out, std::string* error);
