// Sound channels: commands, status, sounds in place and file play. The mixer
// runs by hand (no device).
#include "Aiff.h"
#include "formats/AiffWriter.h"
#include "FilesTestSupport.h"
#include "Memory.h"
#include "Sound.h"
#include "SoundInternal.h"
#include "cmixer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Tamber::Sound;

namespace
{
	constexpr int RATE = 44100;

	class SoundChannelTest : public ::testing::Test
	{
	protected:
		SndChannelPtr chan = nullptr;

		void SetUp() override
		{
			cmixer::InitHeadless(RATE);
			cmixer::SetMasterGain(1.0);
			ASSERT_EQ(CreateSoundChannel(&chan, sampledSynth, initStereo, 0), noErr);
		}
		void TearDown() override
		{
			if (chan)
				DisposeSoundChannel(chan);
			cmixer::SetMasterGain(0.5);
		}

		cmixer::WavStream& Source() { return GetChannelImpl(chan)->source; }

		OSErr Do(uint16_t cmd, int16_t param1 = 0, int64_t param2 = 0)
		{
			SoundCommand c{cmd, param1, param2};
			return SndDoImmediate(chan, &c);
		}

		SCStatus Status()
		{
			SCStatus status;
			EXPECT_EQ(GetChannelStatus(chan, sizeof(status), &status), noErr);
			return status;
		}
	};

	// A pre-decoded sound of 16-bit native samples.
	Handle PcmSound(const std::vector<int16_t>& samples, int channels = 1, double rate = RATE,
					int32_t loopStart = 0, int32_t loopEnd = 0)
	{
		SoundInfo info{};
		info.channels = channels;
		info.frames = int32_t(samples.size()) / channels;
		info.bitDepth = 16;
		info.sampleRate = rate;
		info.format = FOUR_CC("twos");
		info.compressedLength = info.decompressedLength = int32_t(samples.size() * 2);
		info.baseNote = 60;
		info.loopStart = loopStart;
		info.loopEnd = loopEnd;
		return MakePreDecodedSoundHandle(info, samples.data());
	}

	int64_t HeaderParam(Handle h)
	{
		return int64_t(reinterpret_cast<intptr_t>(*h + 2));
	}

	std::vector<int16_t> MixFrames(int frames)
	{
		std::vector<int16_t> out(size_t(frames) * 2);
		cmixer::Mix(out.data(), int(out.size()));
		return out;
	}

	std::vector<uint8_t> ToneFile(int frames, bool loop = false)
	{
		Bake::AiffSound sound;
		sound.sampleRate = RATE;
		for (int i = 0; i < frames; i++)
			sound.samples.push_back(int16_t(1000 + i));
		sound.loop = loop;
		sound.loopEnd = uint32_t(frames);
		return Bake::WriteAiff(sound, Bake::AiffEncoding::Pcm16);
	}

	int gCompletions = 0;
	SndChannelPtr gCompletedChannel = nullptr;
	void CountCompletion(SndChannelPtr c)
	{
		gCompletions++;
		gCompletedChannel = c;
	}
}

TEST(SoundChannelLifecycle, CreateAndDispose)
{
	const int before = GetNumChannels();
	SndChannelPtr none = nullptr;
	EXPECT_EQ(CreateSoundChannel(&none, 1, 0, 0), unimpErr);
	EXPECT_EQ(none, nullptr);

	SndChannelPtr allocated = nullptr;
	ASSERT_EQ(CreateSoundChannel(&allocated, sampledSynth, 0, 1234), noErr);
	ASSERT_NE(allocated, nullptr);
	EXPECT_EQ(allocated->userInfo, 1234);
	EXPECT_TRUE(GetChannelImpl(allocated)->interpolate);

	SndChannel mine{};
	SndChannelPtr provided = &mine;
	ASSERT_EQ(CreateSoundChannel(&provided, sampledSynth, initNoInterp, 0), noErr);
	EXPECT_EQ(provided, &mine);
	EXPECT_FALSE(GetChannelImpl(provided)->interpolate);
	EXPECT_EQ(GetNumChannels(), before + 2);

	EXPECT_EQ(DisposeSoundChannel(provided), noErr);
	EXPECT_EQ(mine.channelImpl, nullptr);
	EXPECT_EQ(DisposeSoundChannel(provided), badChannel);
	EXPECT_EQ(DisposeSoundChannel(allocated), noErr);
	EXPECT_EQ(GetNumChannels(), before);

	SoundCommand quiet{quietCmd, 0, 0};
	EXPECT_EQ(SndDoImmediate(nullptr, &quiet), badChannel);
}

TEST_F(SoundChannelTest, VolumeCommandSetsVolumeAndPan)
{
	EXPECT_EQ(Do(volumeCmd, 0, int64_t(256) << 16 | 0), noErr);		// left 0, right 256
	EXPECT_EQ(GetChannelImpl(chan)->pan, 1.0);
	EXPECT_EQ(GetChannelImpl(chan)->volume, 1.0);
	EXPECT_EQ(Source().GetLeftGain(), 0);
	EXPECT_EQ(Source().GetRightGain(), cmixer::FIXED_ONE);

	Do(volumeCmd, 0, int64_t(128) << 16 | 256);		// left 256, right 128
	EXPECT_DOUBLE_EQ(GetChannelImpl(chan)->pan, -1.0 / 3.0);
	EXPECT_EQ(GetChannelImpl(chan)->volume, 1.0);
	EXPECT_EQ(Source().GetLeftGain(), cmixer::FIXED_ONE);
	EXPECT_EQ(Source().GetRightGain(), int32_t(cmixer::FIXED_ONE * 2.0 / 3.0));

	Do(volumeCmd, 0, 0);
	EXPECT_EQ(GetChannelImpl(chan)->pan, 0.0);
	EXPECT_EQ(Source().GetLeftGain(), 0);

	Do(ampCmd, 512);
	EXPECT_EQ(Source().GetLeftGain(), 2 * cmixer::FIXED_ONE);
	Do(ampCmd, 2000);		// capped at 2.5
	EXPECT_EQ(Source().GetLeftGain(), int32_t(2.5 * cmixer::FIXED_ONE));
	Do(ampCmd, -256);		// no negative gain
	EXPECT_EQ(Source().GetLeftGain(), 0);
}

TEST_F(SoundChannelTest, RateAndNoteCommandsSetThePitch)
{
	Handle h = PcmSound(std::vector<int16_t>(1000, 5), 1, RATE / 2);
	Do(bufferCmd, 0, HeaderParam(h));
	EXPECT_EQ(Source().GetRate(), cmixer::FIXED_ONE / 2);

	Do(rateMultiplierCmd, 0, 0x20000);		// an octave up
	EXPECT_EQ(Source().GetRate(), cmixer::FIXED_ONE);
	Do(rateCmd, 0, 0);					// no progress, but never rate 0
	EXPECT_EQ(Source().GetRate(), 4);

	Do(rateMultiplierCmd, 0, 0x10000);
	Do(freqCmd, 0, 72);					// playback note an octave over the base note
	EXPECT_EQ(Source().GetRate(), cmixer::FIXED_ONE);
	Do(freqCmd, 0, 0x100 | 60);			// only the low byte counts
	EXPECT_EQ(Source().GetRate(), cmixer::FIXED_ONE / 2);

	Do(quietCmd);
	DisposeHandle(h);
}

TEST_F(SoundChannelTest, StatusRecordReportsBusyAndPaused)
{
	SCStatus small;
	EXPECT_EQ(GetChannelStatus(chan, 23, &small), paramErr);

	SCStatus status = Status();
	EXPECT_EQ(status.scChannelBusy, 0);

	Handle h = PcmSound(std::vector<int16_t>(5000, 5));
	Do(bufferCmd, 0, HeaderParam(h));
	status = Status();
	const auto* raw = reinterpret_cast<const uint8_t*>(&status);
	EXPECT_EQ(raw[12], 1);
	EXPECT_EQ(raw[14], 0);

	Do(tambPauseCmd);
	status = Status();
	EXPECT_EQ(raw[12], 1);
	EXPECT_EQ(raw[14], 1);
	Do(tambPauseCmd);		// already paused: stays paused
	EXPECT_EQ(Status().scChannelPaused, 1);

	Do(tambResumeCmd);
	status = Status();
	EXPECT_EQ(raw[14], 0);
	EXPECT_EQ(raw[12], 1);

	Do(quietCmd);
	EXPECT_EQ(Status().scChannelBusy, 0);
	Do(tambResumeCmd);		// stopped: resume does not restart it
	EXPECT_EQ(Status().scChannelBusy, 0);
	DisposeHandle(h);
}

TEST_F(SoundChannelTest, BufferCommandPlaysSamplesInPlace)
{
	std::vector<int16_t> samples;
	for (int i = 0; i < 300; i++)
		samples.push_back(int16_t(i * 3 - 400));
	Handle h = PcmSound(samples);
	Do(volumeCmd, 0, int64_t(256) << 16 | 256);
	EXPECT_EQ(Do(bufferCmd, 0, HeaderParam(h)), noErr);
	EXPECT_EQ(Source().GetData(), *h + 70);

	auto out = MixFrames(310);
	for (int i = 0; i < 300; i++)
	{
		ASSERT_EQ(out[size_t(i) * 2], samples[size_t(i)]);
		ASSERT_EQ(out[size_t(i) * 2 + 1], samples[size_t(i)]);
	}
	EXPECT_EQ(out[305 * 2], 0);
	EXPECT_EQ(Status().scChannelBusy, 0);

	EXPECT_EQ(Do(bufferCmd, 0, 0), paramErr);
	EXPECT_EQ(Do(flushCmd), noErr);
	EXPECT_EQ(Do(1234), noErr);		// unknown commands are ignored
	DisposeHandle(h);
}

TEST_F(SoundChannelTest, SoundLoopSetsTheLoopAndTheLoopCommandOverridesIt)
{
	Handle looped = PcmSound(std::vector<int16_t>(1000, 7), 1, RATE, 100, 1000);
	Do(bufferCmd, 0, HeaderParam(looped));
	EXPECT_TRUE(Source().GetLoop());
	EXPECT_EQ(Source().GetLoopStart(), 100);
	MixFrames(5000);
	EXPECT_EQ(Status().scChannelBusy, 1);

	Do(tambLoopCmd, 0);
	EXPECT_FALSE(Source().GetLoop());
	MixFrames(2000);
	EXPECT_EQ(Status().scChannelBusy, 0);

	// A sound without a loop turns the loop off again.
	Do(tambLoopCmd, 1);
	Handle plain = PcmSound(std::vector<int16_t>(1000, 7));
	Do(bufferCmd, 0, HeaderParam(plain));
	EXPECT_FALSE(Source().GetLoop());
	Do(quietCmd);
	DisposeHandle(looped);
	DisposeHandle(plain);
}

TEST_F(SoundChannelTest, CompressedSoundIsDecodedIntoTheChannel)
{
	Bake::AiffSound sound;
	sound.sampleRate = RATE;
	for (int i = 0; i < 640; i++)
		sound.samples.push_back(int16_t(i * 40 - 12800));
	Handle h = LoadAIFFAsSoundHandle(Bake::WriteAiff(sound, Bake::AiffEncoding::Ima4));
	Do(bufferCmd, 0, HeaderParam(h));
	EXPECT_NE(Source().GetData(), *h + 70);		// its own decoded copy
	EXPECT_EQ(Source().GetLengthFrames(), 640);

	// The channel's copy outlives the handle.
	DisposeHandle(h);
	auto out = MixFrames(640);
	EXPECT_NEAR(out[639 * 2], 12760, 400);
}

TEST_F(SoundChannelTest, ReInitialiseSetsInterpolation)
{
	Do(reInitCmd, 0, initStereo | initNoInterp);
	EXPECT_FALSE(Source().GetInterpolation());
	Do(reInitCmd, 0, initStereo);
	EXPECT_TRUE(Source().GetInterpolation());
}

TEST_F(SoundChannelTest, QuietChannelsPlayingStopsOnlyThoseSamples)
{
	SndChannelPtr other = nullptr;
	ASSERT_EQ(CreateSoundChannel(&other, sampledSynth, 0, 0), noErr);
	Handle a = PcmSound(std::vector<int16_t>(5000, 1));
	Handle b = PcmSound(std::vector<int16_t>(5000, 2));
	Do(bufferCmd, 0, HeaderParam(a));
	SoundCommand play{bufferCmd, 0, HeaderParam(b)};
	SndDoImmediate(other, &play);

	QuietChannelsPlaying(*a, size_t(GetHandleSize(a)));
	EXPECT_EQ(Status().scChannelBusy, 0);
	SCStatus otherStatus;
	GetChannelStatus(other, sizeof(otherStatus), &otherStatus);
	EXPECT_EQ(otherStatus.scChannelBusy, 1);

	DisposeHandle(a);
	MixFrames(256);		// only b is read
	DisposeSoundChannel(other);
	DisposeHandle(b);
}

TEST_F(SoundChannelTest, FilePlayFromMemory)
{
	std::vector<uint8_t> file = ToneFile(500);
	EXPECT_EQ(StartFilePlayFromMemory(chan, "song.MP3", file, nullptr, true), badFileFormat);
	EXPECT_EQ(StartFilePlayFromMemory(chan, "song.aiff.txt", file, nullptr, true), badFileFormat);
	EXPECT_EQ(StartFilePlayFromMemory(nullptr, "song.aiff", file, nullptr, true), badChannel);
	EXPECT_EQ(StartFilePlayFromMemory(nullptr, "song.aiff", file, nullptr, false), unimpErr);

	gCompletions = 0;
	EXPECT_EQ(StartFilePlayFromMemory(chan, "Song.AIFC", file, CountCompletion, true), noErr);
	EXPECT_EQ(Status().scChannelBusy, 1);
	auto out = MixFrames(600);
	EXPECT_EQ(out[0], 1000);
	EXPECT_EQ(out[499 * 2], 1499);
	EXPECT_EQ(gCompletions, 1);
	EXPECT_EQ(gCompletedChannel, chan);

	// Pause toggles; stop ends it.
	StartFilePlayFromMemory(chan, "song.aif", ToneFile(5000), nullptr, true);
	PauseFilePlay(chan);
	EXPECT_EQ(Status().scChannelPaused, 1);
	PauseFilePlay(chan);
	EXPECT_EQ(Status().scChannelPaused, 0);
	StopFilePlay(chan, true);
	EXPECT_EQ(Status().scChannelBusy, 0);
}

class SoundFilePlayTest : public FilesTestSupport::FileLayerTest
{
protected:
	SndChannelPtr chan = nullptr;

	void SetUp() override
	{
		FileLayerTest::SetUp();
		cmixer::InitHeadless(RATE);
		ASSERT_EQ(CreateSoundChannel(&chan, sampledSynth, initStereo, 0), noErr);
	}
	void TearDown() override
	{
		DisposeSoundChannel(chan);
		FileLayerTest::TearDown();
	}

	int16_t Open(const char* name)
	{
		FSSpec spec = Spec(name);
		int16_t refNum = -1;
		EXPECT_EQ(FSpOpenDF(&spec, fsRdPerm, &refNum), noErr);
		return refNum;
	}
};

TEST_F(SoundFilePlayTest, StartsAiffFilesAndRefusesOthers)
{
	FilesTestSupport::WriteBytes(dir / "Song.aif", ToneFile(800));
	FilesTestSupport::WriteBytes(dir / "Song.mp3", ToneFile(800));

	int16_t mp3 = Open(":Song.mp3");
	EXPECT_EQ(SndStartFilePlay(chan, mp3, 0, 0, nullptr, nullptr, nullptr, true), badFileFormat);
	FSClose(mp3);

	int16_t aif = Open(":Song.aif");
	EXPECT_EQ(SndStartFilePlay(chan, aif, 1, 0, nullptr, nullptr, nullptr, true), unimpErr);
	int selection = 0;
	EXPECT_EQ(SndStartFilePlay(chan, aif, 0, 0, nullptr, &selection, nullptr, true), unimpErr);
	EXPECT_EQ(SndStartFilePlay(nullptr, aif, 0, 0, nullptr, nullptr, nullptr, true), badChannel);
	EXPECT_EQ(SndStartFilePlay(chan, aif, 0, 0, nullptr, nullptr, nullptr, true), noErr);
	FSClose(aif);		// the samples were copied

	EXPECT_EQ(GetChannelImpl(chan)->source.GetLengthFrames(), 800);
	auto out = MixFrames(2);
	EXPECT_EQ(out[0], 1000 / 2);		// master gain 0.5
	EXPECT_EQ(SndStartFilePlay(chan, 999, 0, 0, nullptr, nullptr, nullptr, true), rfNumErr);
}

TEST_F(SoundFilePlayTest, TruncatedFileIsAnErrorNotGarbage)
{
	std::vector<uint8_t> file = ToneFile(800);
	file.resize(file.size() - 100);
	FilesTestSupport::WriteBytes(dir / "Cut.aiff", file);
	int16_t refNum = Open(":Cut.aiff");
	EXPECT_THROW(SndStartFilePlay(chan, refNum, 0, 0, nullptr, nullptr, nullptr, true), std::runtime_error);
	FSClose(refNum);
}
