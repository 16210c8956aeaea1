// The mixer driven by hand: Mix() is what the device callback runs.
#include "cmixer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
	constexpr int RATE = 44100;

	// Mono 16-bit native samples whose value is their frame number (times a step).
	std::vector<uint8_t> Ramp(int frames, int step = 1)
	{
		std::vector<uint8_t> bytes(size_t(frames) * 2);
		for (int i = 0; i < frames; i++)
		{
			int16_t v = int16_t(i * step);
			bytes[size_t(i) * 2] = uint8_t(v);
			bytes[size_t(i) * 2 + 1] = uint8_t(uint16_t(v) >> 8);
		}
		return bytes;
	}

	std::vector<uint8_t> Constant(int frames, int16_t value)
	{
		std::vector<uint8_t> bytes(size_t(frames) * 2);
		for (int i = 0; i < frames; i++)
		{
			bytes[size_t(i) * 2] = uint8_t(value);
			bytes[size_t(i) * 2 + 1] = uint8_t(uint16_t(value) >> 8);
		}
		return bytes;
	}

	std::vector<int16_t> MixFrames(int frames)
	{
		std::vector<int16_t> out(size_t(frames) * 2);
		cmixer::Mix(out.data(), int(out.size()));
		return out;
	}

	class MixerTest : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			cmixer::InitHeadless(RATE);
			cmixer::SetMasterGain(1.0);
		}
		void TearDown() override
		{
			cmixer::SetMasterGain(0.5);
		}
	};
}

TEST_F(MixerTest, RateOneCopiesSamplesExactlyAndAdvancesByWholeFrames)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Ramp(3000, 7));
	EXPECT_EQ(s.GetRate(), cmixer::FIXED_ONE);
	s.Play();

	// Odd chunk sizes on purpose: the ring and the mix buffer must line up.
	std::vector<int16_t> out;
	for (int chunk : {1, 255, 256, 257, 731})
	{
		auto part = MixFrames(chunk);
		out.insert(out.end(), part.begin(), part.end());
	}
	ASSERT_EQ(out.size(), 1500u * 2);
	for (int i = 0; i < 1500; i++)
	{
		ASSERT_EQ(out[size_t(i) * 2], int16_t(i * 7)) << "frame " << i;
		ASSERT_EQ(out[size_t(i) * 2 + 1], int16_t(i * 7)) << "frame " << i;
	}
	EXPECT_DOUBLE_EQ(s.GetPosition(), 1500.0 / RATE);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, NonLoopingSourceEndsOnceAndIsDropped)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Constant(1000, 1000));
	int completions = 0;
	s.SetOnComplete([&] { completions++; });
	s.Play();
	EXPECT_EQ(cmixer::GetNumActiveSources(), 1);

	auto out = MixFrames(2048);
	EXPECT_EQ(out[999 * 2], 1000);
	EXPECT_EQ(out[1000 * 2], 0);
	EXPECT_EQ(out[2047 * 2 + 1], 0);
	EXPECT_EQ(completions, 1);
	EXPECT_EQ(s.GetState(), cmixer::CM_STATE_STOPPED);
	EXPECT_FALSE(s.IsActive());
	EXPECT_EQ(cmixer::GetNumActiveSources(), 0);

	MixFrames(512);
	EXPECT_EQ(completions, 1);

	// Played again after its end, it starts from the top.
	s.Play();
	out = MixFrames(4);
	EXPECT_EQ(out[0], 1000);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, LoopingSourceWrapsToItsLoopStart)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Ramp(1000));
	s.SetLoopStart(500);
	s.SetLoop(true);
	s.Play();

	auto out = MixFrames(1000 + 500 + 10);
	EXPECT_EQ(out[999 * 2], 999);
	EXPECT_EQ(out[1000 * 2], 500);
	EXPECT_EQ(out[1001 * 2], 501);
	EXPECT_EQ(out[1499 * 2], 999);
	EXPECT_EQ(out[1500 * 2], 500);
	EXPECT_EQ(s.GetState(), cmixer::CM_STATE_PLAYING);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, LoopStartAtOrPastTheEndCannotHangTheCallback)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Ramp(100));
	s.SetLoopStart(100);
	EXPECT_EQ(s.GetLoopStart(), 0);
	s.SetLoopStart(1 << 30);
	EXPECT_EQ(s.GetLoopStart(), 0);
	s.SetLoop(true);
	s.Play();
	auto out = MixFrames(250);
	EXPECT_EQ(out[100 * 2], 0);
	EXPECT_EQ(out[150 * 2], 50);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, EmptyAndBadlyFormedSourcesAreRefusedOrSilent)
{
	cmixer::WavStream s;
	EXPECT_THROW(s.Init(0, 16, 1, false, Ramp(10)), std::invalid_argument);
	EXPECT_THROW(s.Init(RATE, 24, 1, false, Ramp(10)), std::invalid_argument);
	EXPECT_THROW(s.Init(RATE, 16, 3, false, Ramp(10)), std::invalid_argument);
	EXPECT_THROW(s.Init(RATE, 16, 0, false, Ramp(10)), std::invalid_argument);

	s.Init(RATE, 16, 1, false, std::vector<uint8_t>{});
	s.Play();
	EXPECT_FALSE(s.IsActive());

	// A trailing odd byte is no frame.
	s.Init(RATE, 16, 2, false, std::vector<uint8_t>(7, 0));
	EXPECT_EQ(s.GetLengthFrames(), 1);
}

TEST_F(MixerTest, VeryLowRatesNeverReachZero)
{
	cmixer::WavStream s;
	s.Init(1, 16, 1, false, Constant(4, 100));		// 1 Hz: 4096/44100 truncates to 0
	EXPECT_GE(s.GetRate(), 1);
	s.SetPitch(0);
	EXPECT_EQ(s.GetRate(), 4);
	s.SetPitch(-3);
	EXPECT_EQ(s.GetRate(), 4);
	s.Play();
	auto out = MixFrames(1024);
	EXPECT_EQ(out[0], 100);
	EXPECT_EQ(s.GetState(), cmixer::CM_STATE_PLAYING);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, PitchTwoPlaysInHalfTheFrames)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Ramp(1000));
	s.SetPitch(2.0);
	EXPECT_EQ(s.GetRate(), 2 * cmixer::FIXED_ONE);
	s.Play();
	auto out = MixFrames(600);
	EXPECT_EQ(out[10 * 2], 20);
	EXPECT_EQ(out[499 * 2], 998);
	EXPECT_EQ(out[500 * 2], 0);
	EXPECT_EQ(s.GetState(), cmixer::CM_STATE_STOPPED);
}

TEST_F(MixerTest, InterpolationBlendsNeighbouringFrames)
{
	cmixer::WavStream s;
	s.Init(RATE / 2, 16, 1, false, Ramp(400, 100));
	s.SetInterpolation(true);
	s.Play();
	auto out = MixFrames(8);
	EXPECT_EQ(out[0], 0);
	EXPECT_EQ(out[1 * 2], 50);
	EXPECT_EQ(out[2 * 2], 100);
	EXPECT_EQ(out[3 * 2], 150);

	// Without interpolation each frame is held.
	s.Stop();
	s.SetInterpolation(false);
	s.Play();
	out = MixFrames(4);
	EXPECT_EQ(out[0], 0);
	EXPECT_EQ(out[1 * 2], 0);
	EXPECT_EQ(out[2 * 2], 100);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, LoudSourcesClipInsteadOfWrapping)
{
	// Forty sources at the channel layer's top gain of 2.5.
	std::vector<cmixer::WavStream> loud(40);
	for (auto& s : loud)
	{
		s.Init(RATE, 16, 1, false, Constant(2048, 32767));
		s.SetGain(2.5);
		s.Play();
	}
	cmixer::SetMasterGain(1.0);
	auto out = MixFrames(256);
	for (int16_t v : out)
		ASSERT_EQ(v, 32767);

	for (auto& s : loud)
	{
		s.Init(RATE, 16, 1, false, Constant(2048, -32768));
		s.SetGain(2.5);
		s.Play();
	}
	out = MixFrames(256);
	for (int16_t v : out)
		ASSERT_EQ(v, -32768);
	for (auto& s : loud)
		s.RemoveFromMixer();
}

TEST_F(MixerTest, TwoFullScaleSourcesAtHalfMasterStayFullScale)
{
	cmixer::WavStream a, b;
	a.Init(RATE, 16, 1, false, Constant(512, 32767));
	b.Init(RATE, 16, 1, false, Constant(512, 32767));
	a.Play();
	b.Play();
	cmixer::SetMasterGain(0.5);
	auto out = MixFrames(8);
	EXPECT_EQ(out[0], 32767);		// (32767 + 32767) / 2: full scale, not wrapped
	cmixer::SetMasterGain(1.0);
	out = MixFrames(8);
	EXPECT_EQ(out[0], 32767);
	a.RemoveFromMixer();
	b.RemoveFromMixer();
}

TEST_F(MixerTest, PanSplitsGainBetweenSides)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Constant(512, 10000));
	s.SetPan(-1);
	EXPECT_EQ(s.GetRightGain(), 0);
	EXPECT_EQ(s.GetLeftGain(), cmixer::FIXED_ONE);
	s.SetPan(0.5);
	EXPECT_EQ(s.GetLeftGain(), cmixer::FIXED_ONE / 2);
	EXPECT_EQ(s.GetRightGain(), cmixer::FIXED_ONE);
	s.SetPan(7);		// clamped to 1
	EXPECT_EQ(s.GetLeftGain(), 0);

	s.SetPan(-1);
	s.Play();
	auto out = MixFrames(4);
	EXPECT_EQ(out[0], 10000);
	EXPECT_EQ(out[1], 0);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, SampleFormatsConvertToSigned16)
{
	cmixer::WavStream s;
	const uint8_t unsigned8[] = {0x80, 0xFF, 0x00};
	s.Init(RATE, 8, 1, false, unsigned8, sizeof(unsigned8));
	s.Play();
	auto out = MixFrames(3);
	EXPECT_EQ(out[0], 0);
	EXPECT_EQ(out[2], 32512);
	EXPECT_EQ(out[4], -32768);

	const uint8_t signed8[] = {0x00, 0x7F, 0x80};
	s.Init(RATE, 8, 1, false, signed8, sizeof(signed8), true);
	s.Play();
	out = MixFrames(3);
	EXPECT_EQ(out[0], 0);
	EXPECT_EQ(out[2], 32512);
	EXPECT_EQ(out[4], -32768);

	const uint8_t bigEndianStereo[] = {0x12, 0x34, 0xFF, 0xFE};
	s.Init(RATE, 16, 2, true, bigEndianStereo, sizeof(bigEndianStereo));
	s.Play();
	out = MixFrames(1);
	EXPECT_EQ(out[0], 0x1234);
	EXPECT_EQ(out[1], -2);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, PauseHoldsThePositionAndStopRewinds)
{
	cmixer::WavStream s;
	s.Init(RATE, 16, 1, false, Ramp(2000));
	s.Play();
	MixFrames(100);
	s.TogglePause();
	EXPECT_EQ(s.GetState(), cmixer::CM_STATE_PAUSED);
	auto out = MixFrames(10);
	EXPECT_EQ(out[0], 0);
	EXPECT_FALSE(s.IsActive());		// dropped while paused
	s.TogglePause();
	out = MixFrames(1);
	EXPECT_EQ(out[0], 100);

	s.Stop();
	s.Play();
	out = MixFrames(1);
	EXPECT_EQ(out[0], 0);
	s.RemoveFromMixer();
}

TEST_F(MixerTest, DestroyingAPlayingSourceWarnsAndDetachesIt)
{
	testing::internal::CaptureStderr();
	{
		cmixer::WavStream s;
		s.Init(RATE, 16, 1, false, Ramp(1000));
		s.Play();
	}
	std::string err = testing::internal::GetCapturedStderr();
	EXPECT_NE(err.find("Source wasn't removed from mixer prior to destruction!"), std::string::npos);
	EXPECT_EQ(cmixer::GetNumActiveSources(), 0);
	MixFrames(64);		// must not touch the destroyed source
}

