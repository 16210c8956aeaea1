// The mixer on a real SDL audio device: the dummy driver for a stress test
// that plays, stops, frees and switches sounds while the callback runs (build
// with the sanitizers to check it), and the disk driver to render a song.
#include "formats/AiffWriter.h"
#include "Memory.h"
#include "Sound.h"
#include "cmixer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

using namespace Tamber::Sound;

namespace
{
	// Sets an environment variable for the scope, restoring the old value.
	struct ScopedEnv
	{
		std::string name;
		bool had;
		std::string old;

		ScopedEnv(const char* n, const std::string& value) : name(n)
		{
			const char* v = std::getenv(n);
			had = v != nullptr;
			old = v ? v : "";
			setenv(n, value.c_str(), 1);
		}
		~ScopedEnv()
		{
			if (had)
				setenv(name.c_str(), old.c_str(), 1);
			else
				unsetenv(name.c_str());
		}
	};

	Handle ShortSound(int frames, int16_t level)
	{
		std::vector<int16_t> samples(size_t(frames), level);
		SoundInfo info{};
		info.channels = 1;
		info.frames = frames;
		info.bitDepth = 16;
		info.sampleRate = 22050;
		info.format = FOUR_CC("twos");
		info.compressedLength = info.decompressedLength = frames * 2;
		info.baseNote = 60;
		return MakePreDecodedSoundHandle(info, samples.data());
	}

	std::vector<uint8_t> Song(double seconds, Bake::AiffEncoding encoding, double hz = 440)
	{
		Bake::AiffSound sound;
		sound.channels = 2;
		sound.sampleRate = 44100;
		const int frames = int(seconds * 44100);
		for (int i = 0; i < frames; i++)
		{
			// Never zero, so the rendered sound's extent can be measured.
			int16_t v = int16_t(8000 + 6000 * std::sin(2 * M_PI * hz * i / 44100.0));
			sound.samples.push_back(v);
			sound.samples.push_back(v);
		}
		return Bake::WriteAiff(sound, encoding);
	}

	void Send(SndChannelPtr chan, uint16_t cmd, int16_t param1 = 0, int64_t param2 = 0)
	{
		SoundCommand c{cmd, param1, param2};
		SndDoImmediate(chan, &c);
	}

	std::atomic<int> gSongsEnded{0};
	void SongEnded(SndChannelPtr)
	{
		gSongsEnded++;
	}
}

TEST(MixerDevice, StressPlayStopFreeAndSwitchWhileTheCallbackRuns)
{
	ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
	ASSERT_NO_THROW(Init());
	gSongsEnded = 0;

	constexpr int CHANNELS = 12;
	std::vector<SndChannelPtr> channels(CHANNELS, nullptr);
	for (auto& c : channels)
		ASSERT_EQ(CreateSoundChannel(&c, sampledSynth, initStereo, 0), noErr);
	std::vector<Handle> sounds(CHANNELS, nullptr);

	const std::vector<uint8_t> songs[2] = {
		Song(0.03, Bake::AiffEncoding::Ima4),
		Song(0.02, Bake::AiffEncoding::Pcm16Sowt, 220),
	};
	SndChannelPtr music = nullptr;
	ASSERT_EQ(CreateSoundChannel(&music, sampledSynth, initStereo, 0), noErr);

	const Uint32 start = SDL_GetTicks();
	int round = 0;
	while (SDL_GetTicks() - start < 1500)
	{
		const int k = round % CHANNELS;
		switch (round % 5)
		{
			case 0:
			case 1:
			{
				// Start an effect on the channel in place; like a bank's
				// disposal, stop the channel before its old sound is freed.
				Send(channels[size_t(k)], quietCmd);
				DisposeHandle(sounds[size_t(k)]);
				sounds[size_t(k)] = ShortSound(200 + round % 3000, int16_t(1000 + round));
				Send(channels[size_t(k)], volumeCmd, 0, int64_t(200) << 16 | 100);
				Send(channels[size_t(k)], rateMultiplierCmd, 0, 0x8000 + (round % 7) * 0x4000);
				Send(channels[size_t(k)], bufferCmd, 0, int64_t(reinterpret_cast<intptr_t>(*sounds[size_t(k)] + 2)));
				break;
			}
			case 2:
				// A freed sound is never read again: quiet by address, then free.
				if (sounds[size_t(k)])
				{
					QuietChannelsPlaying(*sounds[size_t(k)], size_t(GetHandleSize(sounds[size_t(k)])));
					DisposeHandle(sounds[size_t(k)]);
					sounds[size_t(k)] = nullptr;
				}
				break;
			case 3:
				// Switch songs: the previous song's samples go at once.
				StartFilePlayFromMemory(music, "song.aifc", songs[round % 2], SongEnded, true);
				Send(music, tambLoopCmd, int16_t(round % 3 == 0));
				if (round % 4 == 0)
					Send(music, tambPauseCmd);
				else
					Send(music, tambResumeCmd);
				break;
			case 4:
				// A playing channel disposed and made anew.
				Send(channels[size_t(k)], quietCmd);
				DisposeSoundChannel(channels[size_t(k)]);
				channels[size_t(k)] = nullptr;
				ASSERT_EQ(CreateSoundChannel(&channels[size_t(k)], sampledSynth, initStereo, 0), noErr);
				break;
		}
		round++;
		if (round % 8 == 0)
			SDL_Delay(1);
	}

	// Let the last song end on its own.
	Send(music, tambLoopCmd, 0);
	Send(music, tambResumeCmd);
	StartFilePlayFromMemory(music, "song.aifc", songs[1], SongEnded, true);
	for (int wait = 0; wait < 100 && gSongsEnded == 0; wait++)
		SDL_Delay(10);

	Shutdown();		// disposes every channel while sounds may still play
	for (Handle h : sounds)
		DisposeHandle(h);
	EXPECT_GT(round, 1000);
	EXPECT_GT(gSongsEnded.load(), 0) << "the device callback never finished a song";
	EXPECT_EQ(GetNumChannels(), 0);
}

TEST(MixerDevice, SongRenderedThroughTheDiskDriver)
{
	const auto file = std::filesystem::temp_directory_path() / ("zapp_disk_audio_" + std::to_string(getpid()) + ".raw");
	ScopedEnv driver("SDL_AUDIODRIVER", "disk");
	ScopedEnv output("SDL_DISKAUDIOFILE", file.string());
	ASSERT_NO_THROW(Init());
	const int rate = cmixer::GetOutputRate();
	gSongsEnded = 0;

	SndChannelPtr music = nullptr;
	ASSERT_EQ(CreateSoundChannel(&music, sampledSynth, initStereo, 0), noErr);
	const double seconds = 0.5;
	ASSERT_EQ(StartFilePlayFromMemory(music, "song.aiff", Song(seconds, Bake::AiffEncoding::Pcm16), SongEnded, true), noErr);
	for (int wait = 0; wait < 300 && gSongsEnded == 0; wait++)
		SDL_Delay(10);
	SDL_Delay(100);
	Shutdown();
	ASSERT_EQ(gSongsEnded.load(), 1);

	std::ifstream in(file, std::ios::binary);
	std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	std::filesystem::remove(file);
	std::vector<int16_t> samples(bytes.size() / 2);
	std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
	ASSERT_GT(samples.size(), size_t(rate));

	// The sound's extent: its samples are never zero, the silence around them is.
	size_t first = samples.size(), last = 0;
	for (size_t i = 0; i < samples.size(); i += 2)
	{
		if (samples[i] != 0)
		{
			first = std::min(first, i / 2);
			last = i / 2;
		}
	}
	ASSERT_LT(first, samples.size());
	const double expectedFrames = seconds * 44100 * rate / 44100.0;
	EXPECT_NEAR(double(last - first + 1), expectedFrames, 2.0);

	// A 440 Hz tone at half the master gain: about 880 crossings of its mean a second.
	int crossings = 0;
	double sumSquares = 0;
	for (size_t f = first + 1; f <= last; f++)
	{
		int a = samples[(f - 1) * 2] - 4000, b = samples[f * 2] - 4000;
		crossings += (a < 0) != (b < 0);
		sumSquares += double(b) * b;
		EXPECT_EQ(samples[f * 2], samples[f * 2 + 1]);
	}
	EXPECT_NEAR(crossings, 2 * 440 * seconds, 4);
	EXPECT_NEAR(std::sqrt(sumSquares / double(last - first)), 3000 / std::sqrt(2.0), 100);
}
