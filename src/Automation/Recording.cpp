#include "Automation/Recording.h"
#include "Automation/RecordingFormat.h"
#include "System/Input.h"

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

void EncodeRecording(const InputRecording& recording, std::vector<uint8_t>* out)
{
	size_t start = out->size();
	out->reserve(start + RECORDING_HEADER_BYTES + recording.frames.size() * RECORDING_FRAME_BYTES
			+ RECORDING_CHECKSUM_BYTES);
	PutU32(out, RECORDING_MAGIC);
	PutU16(out, RECORDING_VERSION);
	PutU16(out, uint16_t(recording.level));
	PutU32(out, recording.seed);
	PutU32(out, std::bit_cast<uint32_t>(recording.fixedStepHz));
	PutU32(out, uint32_t(recording.frames.size()));
	PutU16(out, uint16_t(RECORDING_FRAME_BYTES));
	PutU16(out, recording.endsAt);
	for (const VirtualInputFrame& f : recording.frames)
	{
		PutU32(out, uint32_t(f.needsHeld >> 32));
		PutU32(out, uint32_t(f.needsHeld));
		PutU32(out, std::bit_cast<uint32_t>(f.steering.x));
		PutU32(out, std::bit_cast<uint32_t>(f.steering.y));
		PutU32(out, std::bit_cast<uint32_t>(f.cameraSwivel));
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
	if (version != RECORDING_VERSION)
		return Fail(error, "recording version " + std::to_string(version) + " is not supported (this game reads "
				+ std::to_string(RECORDING_VERSION) + ")");
	if (GetU16(data + 20) != RECORDING_FRAME_BYTES)
		return Fail(error, "damaged header (frame size)");

	uint32_t count = GetU32(data + 16);
	if (count > RECORDING_MAX_FRAMES)
		return Fail(error, "damaged header (" + std::to_string(count) + " frames)");
	size_t expected = RECORDING_HEADER_BYTES + size_t(count) * RECORDING_FRAME_BYTES + RECORDING_CHECKSUM_BYTES;
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
	if (!(hz >= RECORDING_MIN_STEP_HZ && hz <= RECORDING_MAX_STEP_HZ))
		return Fail(error, "fixed step out of range 15..500 Hz");

	uint16_t endsAt = GetU16(data + 22);
	if (endsAt != RECORDING_ENDS_AT_FRAME && endsAt != RECORDING_ENDS_AT_INPUT)
		return Fail(error, "damaged header (where the run ended)");

	out->level = level;
	out->endsAt = endsAt;
	out->seed = GetU32(data + 8);
	out->fixedStepHz = hz;
	out->frames.resize(count);
	const uint8_t* p = data + RECORDING_HEADER_BYTES;
	for (uint32_t i = 0; i < count; i++, p += RECORDING_FRAME_BYTES)
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
	}
	return true;
}
