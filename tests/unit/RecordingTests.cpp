// Input recordings as bytes and files: exact round trips, and every kind of
// damage refused with a message before a frame is played. The timedemo's
// summary of frame times.
#include "System/Recording.h"
#include "System/RecordingFormat.h"
#include "System/Input.h"
#include "System/SavedGame.h"
#include "Automation/Timedemo.h"
#include "FilesTestSupport.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>

namespace
{
	InputRecording SampleRecording()
	{
		InputRecording r;
		r.level = 7;
		r.seed = 0xDEADBEEF;
		r.fixedStepHz = 29.97f;
		r.endsAt = RECORDING_ENDS_AT_INPUT;
		for (int i = 0; i < 40; i++)
		{
			VirtualInputFrame f;
			f.needsHeld = (1ull << (i % NUM_CONTROL_NEEDS)) | (i % 3 == 0 ? 1ull << NEED_JUMP : 0);
			f.steering = {std::sin(float(i) * 0.3f), -1.0f + float(i) / 40.0f};
			f.cameraSwivel = i % 5 == 0 ? -0.0f : 1.0f / float(i + 3);		// -0 must come back as -0
			r.frames.push_back(f);
		}
		return r;
	}

	std::vector<uint8_t> Encode(const InputRecording& r)
	{
		std::vector<uint8_t> image;
		EncodeRecording(r, &image);
		return image;
	}

	// Rewrites the closing checksum, so a test reaches the check behind it.
	void Reseal(std::vector<uint8_t>* image)
	{
		size_t n = image->size() - RECORDING_CHECKSUM_BYTES;
		uint32_t sum = RecordingChecksum(image->data(), n);
		for (int i = 0; i < 4; i++)
			(*image)[n + size_t(i)] = uint8_t(sum >> (24 - 8 * i));
	}

	void PutU32(std::vector<uint8_t>* image, size_t at, uint32_t v)
	{
		for (int i = 0; i < 4; i++)
			(*image)[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
	}
}

TEST(Recording, RoundTripKeepsEveryBitOfEveryFrame)
{
	InputRecording original = SampleRecording();
	std::vector<uint8_t> image = Encode(original);
	ASSERT_EQ(image.size(), RECORDING_HEADER_BYTES + 40 * RECORDING_FRAME_BYTES + RECORDING_CHECKSUM_BYTES);

	InputRecording back;
	std::string error;
	ASSERT_TRUE(DecodeRecording(image.data(), image.size(), &back, &error)) << error;
	EXPECT_EQ(back.level, 7);
	EXPECT_EQ(back.seed, 0xDEADBEEFu);
	EXPECT_EQ(back.endsAt, RECORDING_ENDS_AT_INPUT);
	EXPECT_EQ(std::bit_cast<uint32_t>(back.fixedStepHz), std::bit_cast<uint32_t>(29.97f));
	ASSERT_EQ(back.frames.size(), original.frames.size());
	for (size_t i = 0; i < back.frames.size(); i++)
	{
		EXPECT_EQ(back.frames[i].needsHeld, original.frames[i].needsHeld) << i;
		EXPECT_EQ(std::bit_cast<uint32_t>(back.frames[i].steering.x), std::bit_cast<uint32_t>(original.frames[i].steering.x)) << i;
		EXPECT_EQ(std::bit_cast<uint32_t>(back.frames[i].steering.y), std::bit_cast<uint32_t>(original.frames[i].steering.y)) << i;
		EXPECT_EQ(std::bit_cast<uint32_t>(back.frames[i].cameraSwivel), std::bit_cast<uint32_t>(original.frames[i].cameraSwivel)) << i;
	}

	// An empty run is a recording too: it replays nothing.
	InputRecording empty;
	empty.level = 0;
	image = Encode(empty);
	ASSERT_TRUE(DecodeRecording(image.data(), image.size(), &back, &error)) << error;
	EXPECT_TRUE(back.frames.empty());
}

TEST(Recording, DamagedOrTruncatedImagesAreRefusedWithTheReason)
{
	const std::vector<uint8_t> good = Encode(SampleRecording());
	const size_t frame0 = RECORDING_HEADER_BYTES;
	struct Case
	{
		const char* name;
		std::function<void(std::vector<uint8_t>*)> damage;
		const char* reason;			// part of the message
	};
	const Case cases[] = {
		{"empty file", [](auto* b) { b->clear(); }, "too short"},
		{"header cut short", [](auto* b) { b->resize(10); }, "too short"},
		{"last frame cut", [](auto* b) { b->resize(b->size() - 9); }, "truncated"},
		{"checksum cut", [](auto* b) { b->pop_back(); }, "truncated"},
		{"bytes after the end", [](auto* b) { b->push_back(0); }, "past the end"},
		{"wrong magic", [](auto* b) { (*b)[0] = 'X'; }, "not a recording"},
		{"newer version", [](auto* b) { (*b)[5] = 3; }, "version 3"},
		{"other frame size", [](auto* b) { (*b)[21] = 24; }, "frame size"},
		{"unknown ending", [](auto* b) { (*b)[23] = 2; Reseal(b); }, "where the run ended"},
		{"frame count too large", [](auto* b) { PutU32(b, 16, 0xFFFFFFFF); }, "frames"},
		{"frame count one more", [](auto* b) { PutU32(b, 16, 41); Reseal(b); }, "truncated"},
		{"a flipped bit in a frame", [=](auto* b) { (*b)[frame0 + 45] ^= 4; }, "checksum"},
		{"a flipped bit in the seed", [](auto* b) { (*b)[9] ^= 1; }, "checksum"},
		{"level 10", [](auto* b) { (*b)[7] = 10; Reseal(b); }, "level 10"},
		{"step 0 Hz", [](auto* b) { PutU32(b, 12, 0); Reseal(b); }, "fixed step"},
		{"step NaN", [](auto* b) { PutU32(b, 12, 0x7FC00000); Reseal(b); }, "fixed step"},
		{"step 1000 Hz", [](auto* b) { PutU32(b, 12, std::bit_cast<uint32_t>(1000.0f)); Reseal(b); }, "fixed step"},
		{"unknown need", [=](auto* b) { (*b)[frame0] = 0x80; Reseal(b); }, "needs"},
		{"steering beyond 1", [=](auto* b) { PutU32(b, frame0 + 8, std::bit_cast<uint32_t>(1.5f)); Reseal(b); }, "analog"},
		{"swivel infinite", [=](auto* b) {
			PutU32(b, frame0 + 3 * RECORDING_FRAME_BYTES + 16, std::bit_cast<uint32_t>(std::numeric_limits<float>::infinity()));
			Reseal(b); }, "frame 3"},
	};
	for (const Case& c : cases)
	{
		std::vector<uint8_t> image = good;
		c.damage(&image);
		InputRecording out;
		std::string error;
		EXPECT_FALSE(DecodeRecording(image.data(), image.size(), &out, &error)) << c.name;
		EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
	}
}

namespace
{
	// One level of a person's game: its own start and a step per frame.
	InputRecording SampleLevelRun()
	{
		InputRecording r = SampleRecording();
		r.levelRun = true;
		r.seed = 0;
		r.fixedStepHz = 0;
		r.startStep = 1.0f / 15;
		r.randomState[0] = 0x01020304;
		r.randomState[1] = 0xA0B0C0D0;
		r.randomState[2] = 9;
		r.playSeconds = 83.4f;
		SavedGameRecord run = {};
		run.version = SAVED_GAME_VERSION_WEAPONS;
		run.score = 4200;
		run.level = RECORDING_LEVEL_RUN_SAVED_LEVEL;
		run.lives = 2;
		run.health = 0.5f;
		run.fuel = 0.25f;
		run.savedAt = 1'765'000'000;
		run.hasWeapons = true;
		run.currentWeapon = -1;
		for (WeaponSlot& slot : run.weapons)
			slot = {-1, 0};
		EncodeSavedGameFile(run, r.runImage.data());
		for (size_t i = 0; i < r.frames.size(); i++)
			r.frameTimes.push_back(1.0f / float(20 + i));		// a person's frames are as long as they were
		return r;
	}
}

TEST(Recording, ALevelRunKeepsItsStartAndEveryFramesStep)
{
	const InputRecording original = SampleLevelRun();
	std::vector<uint8_t> image = Encode(original);
	ASSERT_EQ(image.size(), RECORDING_LEVEL_RUN_HEADER_BYTES + 40 * RECORDING_LEVEL_RUN_FRAME_BYTES + RECORDING_CHECKSUM_BYTES);
	InputRecording back;
	std::string error;
	ASSERT_TRUE(DecodeRecording(image.data(), image.size(), &back, &error)) << error;
	EXPECT_TRUE(back.levelRun);
	EXPECT_EQ(back.level, 7);
	EXPECT_EQ(back.randomState[1], 0xA0B0C0D0u);
	EXPECT_EQ(back.playSeconds, 83.4f);
	EXPECT_EQ(back.startStep, 1.0f / 15);
	EXPECT_EQ(back.runImage, original.runImage);
	ASSERT_EQ(back.frameTimes.size(), 40u);
	for (size_t i = 0; i < back.frameTimes.size(); i++)
	{
		EXPECT_EQ(std::bit_cast<uint32_t>(back.frameTimes[i]), std::bit_cast<uint32_t>(original.frameTimes[i])) << i;
		EXPECT_EQ(back.frames[i].needsHeld, original.frames[i].needsHeld) << i;
	}
	// A run from boot reads as one, with no frame steps.
	image = Encode(SampleRecording());
	ASSERT_TRUE(DecodeRecording(image.data(), image.size(), &back, &error)) << error;
	EXPECT_FALSE(back.levelRun);
	EXPECT_TRUE(back.frameTimes.empty());
}

TEST(Recording, ADamagedLevelRunIsRefusedWithTheReason)
{
	const std::vector<uint8_t> good = Encode(SampleLevelRun());
	const size_t frame0 = RECORDING_LEVEL_RUN_HEADER_BYTES;
	const size_t run = RECORDING_LEVEL_RUN_STATE_AT;
	struct Case
	{
		const char* name;
		std::function<void(std::vector<uint8_t>*)> damage;
		const char* reason;
	};
	const Case cases[] = {
		{"cut inside the run state", [](auto* b) { b->resize(60); }, "too short"},
		{"a run from boot's frame size", [](auto* b) { (*b)[21] = 20; }, "frame size"},
		{"a seed", [](auto* b) { PutU32(b, 8, 5); Reseal(b); }, "no seed"},
		{"no step at the start", [](auto* b) { PutU32(b, 12, 0); Reseal(b); }, "step of 0..1 s"},
		{"seconds negative", [](auto* b) { PutU32(b, 36, std::bit_cast<uint32_t>(-1.0f)); Reseal(b); }, "seconds"},
		{"health 2", [=](auto* b) { PutU32(b, run + 12, std::bit_cast<uint32_t>(2.0f)); Reseal(b); }, "health"},
		{"run state of another version", [=](auto* b) { PutU32(b, run, 0x300); Reseal(b); }, "run state"},
		{"a step of 0", [=](auto* b) { PutU32(b, frame0 + 20, 0); Reseal(b); }, "frame 0 has a step"},
		{"a step of NaN", [=](auto* b) { PutU32(b, frame0 + 5 * RECORDING_LEVEL_RUN_FRAME_BYTES + 20, 0x7FC00000); Reseal(b); }, "frame 5"},
		{"a step of 2 s", [=](auto* b) { PutU32(b, frame0 + 20, std::bit_cast<uint32_t>(2.0f)); Reseal(b); }, "step"},
		{"a flipped bit in a step", [=](auto* b) { (*b)[frame0 + 22] ^= 1; }, "checksum"},
	};
	for (const Case& c : cases)
	{
		std::vector<uint8_t> image = good;
		c.damage(&image);
		InputRecording out;
		std::string error;
		EXPECT_FALSE(DecodeRecording(image.data(), image.size(), &out, &error)) << c.name;
		EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
	}
}

TEST(Recording, FilesRoundTripAndNameThemselvesInErrors)
{
	FilesTestSupport::TempDir dir;
	std::string path = (dir.path / "walk.rec").string();
	std::string error;
	ASSERT_TRUE(WriteRecordingFile(path, SampleRecording(), &error)) << error;
	InputRecording back;
	ASSERT_TRUE(ReadRecordingFile(path, &back, &error)) << error;
	EXPECT_EQ(back.frames.size(), 40u);

	// Truncate it on disk: the message says which file and why.
	std::filesystem::resize_file(path, 100);
	EXPECT_FALSE(ReadRecordingFile(path, &back, &error));
	EXPECT_NE(error.find(path), std::string::npos) << error;
	EXPECT_NE(error.find("truncated"), std::string::npos) << error;

	std::string missing = (dir.path / "none.rec").string();
	EXPECT_FALSE(ReadRecordingFile(missing, &back, &error));
	EXPECT_NE(error.find(missing), std::string::npos) << error;

	// A folder that does not exist can't take one.
	EXPECT_FALSE(WriteRecordingFile((dir.path / "no" / "such" / "x.rec").string(), SampleRecording(), &error));
	EXPECT_NE(error.find("x.rec"), std::string::npos) << error;
}

TEST(TimedemoSummary, MedianOnePercentLowAndSplit)
{
	// 199 frames of 10 ms (4 of logic) and one of 50 ms (30 of logic).
	std::vector<double> frames(199, 10.0), logic(199, 4.0);
	frames.push_back(50.0);
	logic.push_back(30.0);
	TimedemoSummary s = SummarizeTimedemo(frames, logic);
	EXPECT_EQ(s.frames, 200u);
	EXPECT_DOUBLE_EQ(s.medianMs, 10.0);
	EXPECT_DOUBLE_EQ(s.onePercentLowMs, (50.0 + 10.0) / 2);		// the slowest 2 of 200
	EXPECT_NEAR(s.averageFps, 200 * 1000.0 / (199 * 10.0 + 50.0), 1e-9);
	EXPECT_NEAR(s.logicMs, (199 * 4.0 + 30.0) / 200, 1e-9);
	EXPECT_NEAR(s.logicMs + s.drawMs, (199 * 10.0 + 50.0) / 200, 1e-9);

	// Even count: the median is the mean of the middle two; a short run still has a 1 % low.
	s = SummarizeTimedemo({4, 1, 3, 2}, {0, 0, 0, 0});
	EXPECT_DOUBLE_EQ(s.medianMs, 2.5);
	EXPECT_DOUBLE_EQ(s.onePercentLowMs, 4);

	s = SummarizeTimedemo({}, {});
	EXPECT_EQ(s.frames, 0u);
	EXPECT_EQ(s.averageFps, 0);
}
