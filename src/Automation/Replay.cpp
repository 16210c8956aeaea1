#include "Automation/Replay.h"
#include "System/Game.h"
#include "System/Objects.h"
#include "System/Error.h"
#include "System/Random.h"
#include "System/RecordingFormat.h"
#include "Player/Player.h"

#include <bit>
#include <cstring>

static InputRecording gRecording;		// being made
static InputRecording gReplay;			// being played
static bool gRecordingOn = false;
static bool gReplayOn = false;
static size_t gReplayNext = 0;

static void KeepFrame(const VirtualInputFrame& produced)
{
	gRecording.frames.push_back(produced);
}

static void FeedFrame(VirtualInputFrame* frame)
{
	if (gReplayNext < gReplay.frames.size())
		*frame = gReplay.frames[gReplayNext++];
	else if (gReplay.endsAt == RECORDING_ENDS_AT_INPUT)
		RequestQuit();
	else
		*frame = VirtualInputFrame{};		// past the end: nothing held until the frame hook quits
}

void StartRecording(int level, float fixedStepHz)
{
	gRecording = InputRecording{};
	gRecording.level = level;
	gRecording.fixedStepHz = fixedStepHz;
	gRecording.frames.reserve(1 << 16);
	gRecordingOn = true;
	SetInputObserver(KeepFrame);
}

bool IsRecording()
{
	return gRecordingOn;
}

bool FinishRecording(const std::string& path, uint16_t endsAt, std::string* error)
{
	gRecording.seed = GetRandomStartSeed();
	gRecording.endsAt = endsAt;
	return WriteRecordingFile(path, gRecording, error);
}

void StartReplay(const InputRecording& recording)
{
	gReplay = recording;
	gReplayNext = 0;
	gReplayOn = true;
	SetVirtualInputSource(FeedFrame, VIRTUAL_INPUT_ONLY);
}

bool IsReplaying()
{
	return gReplayOn;
}

bool IsReplayFinished()
{
	return gReplayOn && gReplay.endsAt == RECORDING_ENDS_AT_FRAME && gReplayNext >= gReplay.frames.size();
}

void StopRecordingAndReplay()
{
	if (gRecordingOn)
		SetInputObserver(nullptr);
	if (gReplayOn)
		SetVirtualInputSource(nullptr, VIRTUAL_INPUT_ADD);
	gRecordingOn = gReplayOn = false;
	gRecording = InputRecording{};
	gReplay = InputRecording{};
	gReplayNext = 0;
}

//
// State hash
//

namespace
{
	struct Hasher
	{
		uint64_t h = 0xCBF29CE484222325ull;		// FNV-1a, 64 bits

		void Bytes(const void* data, size_t size)
		{
			auto* p = static_cast<const uint8_t*>(data);
			for (size_t i = 0; i < size; i++)
				h = (h ^ p[i]) * 0x100000001B3ull;
		}
		void U32(uint32_t v) { Bytes(&v, sizeof v); }
		void I32(int32_t v) { U32(uint32_t(v)); }
		// Floats by their bits: -0 and 0, or two NaNs, count as different.
		void F32(float v) { U32(std::bit_cast<uint32_t>(v)); }
	};
}

uint64_t ComputeStateHash()
{
	Hasher hash;
	hash.I32(gCurrentLevel);
	hash.I32(gLevel.frameCount);
	hash.U32(gLevel.gameOver | gLevel.done << 1 | gPlayerLevel.isDead << 2);

	// The robot's node while it lives; the camera's target otherwise.
	OGLPoint3D where = gPlayerNode ? gPlayerNode->Coord : gPlayerLevel.coord;
	hash.F32(where.x);
	hash.F32(where.y);
	hash.F32(where.z);
	hash.F32(gPlayerNode ? gPlayerNode->Rot.y : 0.0f);
	hash.F32(gRun.health);
	hash.U32(gRun.lives);
	hash.F32(gRun.fuel);
	hash.I32(gRun.score);
	hash.I32(gPlayerLevel.checkpointNum);
	hash.I32(gObjectCount);

	uint32_t random[3];
	GetRandomState(random);
	hash.Bytes(random, sizeof random);
	return hash.h;
}
