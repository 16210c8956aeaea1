#include "System/Recording.h"
#include "System/RecordingFormat.h"
#include "System/Input.h"
#include "System/SavedGame.h"

#include <algorithm>
#include <bit>
#include <cmath>

static void PutU16(std::vector<uint8_t>* out, uint16_t v)
{
	out->push_back(uint8_t(v >> 8));
	out->push_back(uint8_t(v));
}

static void PutU32(std::vector<uint8_t>* out, uint32_t v)
{
	for (int shift = 24; shift >= 0; shift -= 8)
		out->push_back(uint8_t(v >> shift));
}

static uint16_t GetU16(const uint8_t* p)
{
	return uint16_t((p[0] << 8) | p[1]);
}

static uint32_t GetU32(const uint8_t* p)
{
	return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// Needs a recording may hold: every need the input layer knows.
static constexpr uint64_t VALID_NEEDS_MASK = NUM_CONTROL_NEEDS >= 64 ? ~0ull : (1ull << NUM_CONTROL_NEEDS) - 1;

static_assert(RECORDING_LEVEL_RUN_STATE_BYTES == SAVED_GAME_FILE_SIZE);

void EncodeRecording(const InputRecording& recording, std::vector<uint8_t>* out)
{
	const bool levelRun = recording.levelRun;
	const size_t frameBytes = levelRun ? RECORDING_LEVEL_RUN_FRAME_BYTES : RECORDING_FRAME_BYTES;
	size_t start = out->size();
	out->reserve(start + RECORDING_LEVEL_RUN_HEADER_BYTES + recording.frames.size() * frameBytes
			+ RECORDING_CHECKSUM_BYTES);
	PutU32(out, RECORDING_MAGIC);
	PutU16(out, levelRun ? RECORDING_VERSION_LEVEL_RUN : RECORDING_VERSION);
	PutU16(out, uint16_t(recording.level));
	PutU32(out, levelRun ? 0 : recording.seed);
	PutU32(out, std::bit_cast<uint32_t>(levelRun ? recording.startStep : recording.fixedStepHz));
	PutU32(out, uint32_t(recording.frames.size()));
	PutU16(out, uint16_t(frameBytes));
	PutU16(out, recording.endsAt);
	if (levelRun)
	{
		for (uint32_t word : recording.randomState)
			PutU32(out, word);
		PutU32(out, std::bit_cast<uint32_t>(recording.playSeconds));
		out->insert(out->end(), recording.runImage.begin(), recording.runImage.end());
	}
	for (size_t i = 0; i < recording.frames.size(); i++)
	{
		const VirtualInputFrame& f = recording.frames[i];
		PutU32(out, uint32_t(f.needsHeld >> 32));
		PutU32(out, uint32_t(f.needsHeld));
		PutU32(out, std::bit_cast<uint32_t>(f.steering.x));
		PutU32(out, std::bit_cast<uint32_t>(f.steering.y));
		PutU32(out, std::bit_cast<uint32_t>(f.cameraSwivel));
		if (levelRun)
			PutU32(out, std::bit_cast<uint32_t>(i < recording.frameTimes.size() ? recording.frameTimes[i] : 0.0f));
	}
	PutU32(out, RecordingChecksum(out->data() + start, out->size() - start));
}

static bool IsAnalog(float v)
{
	return std::isfinite(v) && v >= -1.0f && v <= 1.0f;
}

static bool Fail(std::string* error, std::string message)
{
	*error = std::move(message);
	return false;
}

bool DecodeRecording(const uint8_t* data, size_t size, InputRecording* out, std::string* error)
{
	if (size < RECORDING_HEADER_BYTES + RECORDING_CHECKSUM_BYTES)
		return Fail(error, "too short to be a recording (" + std::to_string(size) + " bytes)");
	if (GetU32(data) != RECORDING_MAGIC)
		return Fail(error, "not a recording (wrong magic)");
	uint16_t version = GetU16(data + 4);
	if (version != RECORDING_VERSION && version != RECORDING_VERSION_LEVEL_RUN)
		return Fail(error, "recording version " + std::to_string(version) + " is not supported (this game reads "
				+ std::to_string(RECORDING_VERSION) + " and " + std::to_string(RECORDING_VERSION_LEVEL_RUN) + ")");
	const bool levelRun = version == RECORDING_VERSION_LEVEL_RUN;
	const size_t headerBytes = levelRun ? RECORDING_LEVEL_RUN_HEADER_BYTES : RECORDING_HEADER_BYTES;
	const size_t frameBytes = levelRun ? RECORDING_LEVEL_RUN_FRAME_BYTES : RECORDING_FRAME_BYTES;
	if (GetU16(data + 20) != frameBytes)
		return Fail(error, "damaged header (frame size)");
	if (size < headerBytes + RECORDING_CHECKSUM_BYTES)
		return Fail(error, "too short to be a recording (" + std::to_string(size) + " bytes)");

	uint32_t count = GetU32(data + 16);
	if (count > RECORDING_MAX_FRAMES)
		return Fail(error, "damaged header (" + std::to_string(count) + " frames)");
	size_t expected = headerBytes + size_t(count) * frameBytes + RECORDING_CHECKSUM_BYTES;
	if (size < expected)
		return Fail(error, "truncated: " + std::to_string(count) + " frames need " + std::to_string(expected)
				+ " bytes, the file has " + std::to_string(size));
	if (size > expected)
		return Fail(error, "damaged: " + std::to_string(size - expected) + " bytes past the end of the recording");
	if (GetU32(data + size - RECORDING_CHECKSUM_BYTES) != RecordingChecksum(data, size - RECORDING_CHECKSUM_BYTES))
		return Fail(error, "damaged (checksum mismatch)");

	int level = GetU16(data + 6);
	if (level >= RECORDING_NUM_LEVELS)
		return Fail(error, "level " + std::to_string(level) + " does not exist");
	float hz = std::bit_cast<float>(GetU32(data + 12));
	if (levelRun ? (GetU32(data + 8) != 0 || !(hz > 0 && hz <= RECORDING_MAX_FRAME_SECONDS))
			: !(hz >= RECORDING_MIN_STEP_HZ && hz <= RECORDING_MAX_STEP_HZ))
		return Fail(error, levelRun ? "damaged header (a level's run has no seed, and a step of 0..1 s)"
				: "fixed step out of range 15..500 Hz");
	if (levelRun)
		out->startStep = hz;
	if (levelRun)
	{
		float seconds = std::bit_cast<float>(GetU32(data + 36));
		if (!(std::isfinite(seconds) && seconds >= 0))
			return Fail(error, "damaged header (seconds played)");
		SavedGameRecord run;
		SavedGameDecodeResult result = DecodeSavedGame(data + RECORDING_LEVEL_RUN_STATE_AT,
				RECORDING_LEVEL_RUN_STATE_BYTES, &run);
		if (result != SAVED_GAME_OK)
			return Fail(error, std::string("damaged run state (") + DescribeSavedGameProblem(result) + ")");
		for (int i = 0; i < 3; i++)
			out->randomState[i] = GetU32(data + 24 + 4 * size_t(i));
		out->playSeconds = seconds;
		std::copy(data + RECORDING_LEVEL_RUN_STATE_AT, data + RECORDING_LEVEL_RUN_STATE_AT + RECORDING_LEVEL_RUN_STATE_BYTES,
				out->runImage.begin());
	}
	out->levelRun = levelRun;

	uint16_t endsAt = GetU16(data + 22);
	if (endsAt != RECORDING_ENDS_AT_FRAME && endsAt != RECORDING_ENDS_AT_INPUT)
		return Fail(error, "damaged header (where the run ended)");

	out->level = level;
	out->endsAt = endsAt;
	out->seed = GetU32(data + 8);
	out->fixedStepHz = hz;
	out->frames.resize(count);
	out->frameTimes.assign(levelRun ? count : 0, 0.0f);
	const uint8_t* p = data + headerBytes;
	for (uint32_t i = 0; i < count; i++, p += frameBytes)
	{
		VirtualInputFrame& f = out->frames[i];
		f.needsHeld = (uint64_t(GetU32(p)) << 32) | GetU32(p + 4);
		f.steering.x = std::bit_cast<float>(GetU32(p + 8));
		f.steering.y = std::bit_cast<float>(GetU32(p + 12));
		f.cameraSwivel = std::bit_cast<float>(GetU32(p + 16));
		if (f.needsHeld & ~VALID_NEEDS_MASK)
			return Fail(error, "frame " + std::to_string(i) + " holds needs the game does not have");
		if (!IsAnalog(f.steering.x) || !IsAnalog(f.steering.y) || !IsAnalog(f.cameraSwivel))
			return Fail(error, "frame " + std::to_string(i) + " has analog values outside -1..1");
		if (levelRun)
		{
			float step = std::bit_cast<float>(GetU32(p + 20));
			if (!(step > 0 && step <= RECORDING_MAX_FRAME_SECONDS))
				return Fail(error, "frame " + std::to_string(i) + " has a step outside 0..1 s");
			out->frameTimes[i] = step;
		}
	}
	return true;
}
