// The baked soundscape, read back the way the game reads it: every effect and
// song the code names exists and loads; loops are marked and seamless; every
// codec appears; and, since nobody can listen here, each sound is measured
// (level, DC, clipping, brightness, shape) and the table is printed.
#include "Aiff.h"
#include "Codec.h"
#include "Bake.h"
#include "sounds/BakeSounds.h"
#include "BakedData.h"
#include "FilesTestSupport.h"
#include "Memory.h"
#include "Sound.h"
#include "SoundInternal.h"
#include "System/Boot.h"
#include "System/Prefs.h"
#include "System/Sound.h"
#include "cmixer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using FilesTestSupport::ReadAll;

namespace
{
	constexpr double RATE = 22050;

	// The effects the game keeps looping on a channel (node sounds, beams,
	// engines, alarms): each must carry its loop in the file.
	const std::set<int> kLoopingEffects = {
		EFFECT_SAUCER, EFFECT_NOVACHARGE, EFFECT_CHECKPOINTLOOP, EFFECT_BEAMHUM, EFFECT_HEALTHWARNING, EFFECT_BRAINWAVE,
		EFFECT_POINTBEEP, EFFECT_TRACTOR, EFFECT_SLIMEMONSTER, EFFECT_BOAT, EFFECT_SLIME_BEAMHUM, EFFECT_PODBUZZ,
		EFFECT_PODWORM, EFFECT_TELEPORTERDRONE, EFFECT_BUMPERCARHUM, EFFECT_BUMPERPOLEHUM, EFFECT_INFLATEBALLOON,
		EFFECT_BOMBDROP, EFFECT_CLOUD_ROCKETSLED, EFFECT_FIREBREATH, EFFECT_JUNGLE_TRACTORBEAM, EFFECT_SWINGERDRONE,
		EFFECT_DRILLBOTWHINE, EFFECT_DRILLBOTWHINEHI, EFFECT_FIREICE_ROCKETSLED, EFFECT_BRAINSTATIC,
	};

	struct Decoded
	{
		Tamber::Sound::SoundInfo info;		// as read from the file
		std::vector<double> samples;		// decoded, -1..1
		int loopStart = 0, loopEnd = 0;
	};

	// The game's own path: the AIFF reader, then decompression to native PCM.
	Decoded Decode(const std::vector<uint8_t>& file)
	{
		Decoded d;
		d.info = Tamber::Sound::ReadAIFF(file).info;
		Handle h = Tamber::Sound::LoadAIFFAsSoundHandle(std::span<const uint8_t>(file));
		int32_t offset = 0;
		Tamber::Sound::DecompressSoundHandle(&h, &offset);
		Tamber::Sound::SoundInfo info;
		Tamber::Sound::GetSoundInfo(*h + offset, info, size_t(GetHandleSize(h) - offset));
		EXPECT_EQ(info.bitDepth, 16);
		EXPECT_EQ(info.channels, 1);
		const auto* pcm = reinterpret_cast<const int16_t*>(info.dataStart);
		d.samples.resize(size_t(info.decompressedLength / 2));
		for (size_t i = 0; i < d.samples.size(); i++)
			d.samples[i] = pcm[i] / 32768.0;
		d.loopStart = info.loopStart;
		d.loopEnd = info.loopEnd;
		DisposeHandle(h);
		return d;
	}

	// Radix-2 FFT magnitudes of a Hann-windowed frame.
	std::vector<double> Spectrum(const double* x, size_t n)
	{
		std::vector<std::complex<double>> a(n);
		for (size_t i = 0; i < n; i++)
			a[i] = x[i] * (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n)));
		for (size_t i = 1, j = 0; i < n; i++)
		{
			size_t bit = n >> 1;
			for (; j & bit; bit >>= 1)
				j ^= bit;
			j ^= bit;
			if (i < j)
				std::swap(a[i], a[j]);
		}
		for (size_t len = 2; len <= n; len <<= 1)
		{
			const std::complex<double> w = std::polar(1.0, -2 * M_PI / double(len));
			for (size_t i = 0; i < n; i += len)
			{
				std::complex<double> wn = 1;
				for (size_t k = 0; k < len / 2; k++, wn *= w)
				{
					auto u = a[i + k], v = a[i + k + len / 2] * wn;
					a[i + k] = u + v;
					a[i + k + len / 2] = u - v;
				}
			}
		}
		std::vector<double> mag(n / 2);
		for (size_t i = 0; i < n / 2; i++)
			mag[i] = std::abs(a[i]);
		return mag;
	}

	struct Measures
	{
		double seconds, peak, rmsDb, dc, centroid;
		double onset;				// seconds until the sound reaches -40 dB of its peak
		double longestGap;			// longest stretch inside the sound quieter than -50 dB of its peak
		std::vector<double> bands;	// share of energy in 8 octave bands from 86 Hz up
		std::vector<double> shape;	// loudness in 8 equal slices, relative to the loudest
	};

	Measures Measure(const std::vector<double>& s)
	{
		Measures m{};
		m.seconds = double(s.size()) / RATE;
		double sum = 0, sumSq = 0;
		for (double x : s)
		{
			m.peak = std::max(m.peak, std::fabs(x));
			sum += x;
			sumSq += x * x;
		}
		m.dc = sum / double(s.size());
		m.rmsDb = 10 * std::log10(sumSq / double(s.size()) + 1e-12);

		// Brightness and band shares from 1024-frame windows.
		constexpr size_t N = 1024;
		m.bands.assign(8, 0.0);
		double weighted = 0, energy = 0;
		std::vector<double> frame(N, 0.0);
		const size_t hop = s.size() > size_t(RATE) * 10 ? N * 4 : N / 2;		// songs: a sample of frames
		for (size_t at = 0; at < s.size(); at += hop)
		{
			for (size_t i = 0; i < N; i++)
				frame[i] = at + i < s.size() ? s[at + i] : 0.0;
			const std::vector<double> mag = Spectrum(frame.data(), N);
			for (size_t k = 1; k < mag.size(); k++)
			{
				const double hz = double(k) * RATE / double(N);
				const double e = mag[k] * mag[k];
				weighted += hz * e;
				energy += e;
				int band = std::clamp(int(std::floor(std::log2(hz / 86.0))), 0, 7);
				m.bands[size_t(band)] += e;
			}
		}
		m.centroid = energy > 0 ? weighted / energy : 0;
		for (double& b : m.bands)
			b /= std::max(energy, 1e-12);

		// Loudness over 10 ms windows: onset, gaps, and the overall shape.
		const size_t w = 220;
		std::vector<double> level;
		for (size_t at = 0; at + w <= s.size(); at += w)
		{
			double e = 0;
			for (size_t i = at; i < at + w; i++)
				e += s[i] * s[i];
			level.push_back(std::sqrt(e / double(w)));
		}
		const double quiet = m.peak * std::pow(10.0, -50.0 / 20.0);
		size_t first = 0, last = level.size();
		while (first < level.size() && level[first] < quiet * std::pow(10.0, 10.0 / 20.0))		// -40 dB
			first++;
		while (last > first && level[last - 1] < quiet)
			last--;
		m.onset = double(first * w) / RATE;
		size_t run = 0, longest = 0;
		for (size_t i = first; i < last; i++)
		{
			run = level[i] < quiet ? run + 1 : 0;
			longest = std::max(longest, run);
		}
		m.longestGap = double(longest * w) / RATE;

		m.shape.assign(8, 0.0);
		for (size_t i = 0; i < level.size(); i++)
			m.shape[std::min<size_t>(7, i * 8 / level.size())] += level[i];
		const double top = *std::max_element(m.shape.begin(), m.shape.end());
		for (double& x : m.shape)
			x /= std::max(top, 1e-12);
		return m;
	}

	// How far apart two sounds are: length, brightness, spectrum and shape.
	double Distance(const Measures& a, const Measures& b)
	{
		double d = 0;
		auto add = [&](double x, double weight) { d += weight * x * x; };
		add(std::log2(a.seconds / b.seconds), 0.25);
		add(std::log2(std::max(a.centroid, 50.0) / std::max(b.centroid, 50.0)), 1.0);
		for (size_t i = 0; i < 8; i++)
		{
			add(a.bands[i] - b.bands[i], 2.0);
			add(a.shape[i] - b.shape[i], 0.5);
		}
		return std::sqrt(d);
	}

	// A click is a jump that no smooth continuation of the samples before it
	// predicts. The error of predicting each sample from the two before it
	// is summed (squared) over 8-sample windows; the window across the seam
	// of a loop (from `end` back to `start`) is compared with the windows
	// around it, 50 ms either side. Whatever the sound does there often
	// enough (a saw's edges, noise, a drum hit) is no click: the seam may
	// reach the 99th percentile of those windows, no more.
	struct SeamCheck
	{
		double seam;		// the window across the join
		double around;		// the 99th percentile of the windows near it
		double Ratio() const { return seam / std::max(around, 1e-12); }
	};

	// The join lies between sample(join - 1) and sample(join); `sample` must
	// answer for 50 ms either side.
	template <typename F>
	SeamCheck CheckJoin(F sample, int64_t join)
	{
		auto window = [&](int64_t from)
		{
			double e = 0;
			for (int64_t i = from; i < from + 8; i++)
			{
				const double d = sample(i) - (2 * sample(i - 1) - sample(i - 2));
				e += d * d;
			}
			return e;
		};
		const int64_t reach = int64_t(RATE * 0.05);
		std::vector<double> near;
		for (int64_t from = join - reach; from < join + reach; from += 4)
		{
			if (from + 8 <= join - 2 || from >= join + 6)		// windows clear of the join
				near.push_back(window(from));
		}
		std::sort(near.begin(), near.end());
		return {window(join - 2), near[near.size() * 99 / 100]};
	}

	// The seam of a loop that runs from `end` back to `start`.
	SeamCheck CheckSeam(const std::vector<double>& s, size_t start, size_t end)
	{
		const int64_t n = int64_t(end - start);
		return CheckJoin([&](int64_t i) { return s[start + size_t(((i % n) + n) % n)]; }, n);
	}

	// The sounds as baked into the shared Data folder (synthesising them all
	// again in every test process would cost seconds each); `data` is a
	// folder of the test's own for data folders made of a few of them.
	class BakedSounds : public ::testing::Test
	{
	protected:
		fs::path data = fs::temp_directory_path() / ("zapp-bakesound-" + std::to_string(getpid()));

		void TearDown() override { fs::remove_all(data); }

		static const std::vector<uint8_t>& EffectFile(int e)
		{
			static std::map<int, std::vector<uint8_t>> files;
			auto& file = files[e];
			if (file.empty())
				file = ReadAll(BakedData::Folder() / Bake::GetEffectFilePath(e));
			return file;
		}

		static const std::vector<uint8_t>& SongFile(int s)
		{
			static std::map<int, std::vector<uint8_t>> files;
			auto& file = files[s];
			if (file.empty())
				file = ReadAll(BakedData::Folder() / Bake::GetSongFilePath(s));
			return file;
		}

		// A data folder for the game with the given banks and songs.
		void WriteDataFolder(const std::set<int>& banks, const std::set<int>& songs)
		{
			for (int e = 0; e < NUM_EFFECTS; e++)
			{
				if (banks.count(kEffectDefs[e].bank))
					FilesTestSupport::WriteBytes(data / Bake::GetEffectFilePath(e), EffectFile(e));
			}
			for (int s : songs)
				FilesTestSupport::WriteBytes(data / Bake::GetSongFilePath(s), SongFile(s));
		}
	};
}


TEST_F(BakedSounds, EveryEffectAndSongLoadsThroughTheGame)
{
	const PrefsType saved = gGamePrefs;
	gGamePrefs.music = 1;
	cmixer::InitHeadless(44100);
	Tamber::Files::Init();
	gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");

	InitSoundTools();
	for (int bank = 0; bank < NUM_SOUND_BANKS; bank++)
		LoadSoundBank(bank);
	for (int e = 0; e < NUM_EFFECTS; e++)
	{
		ASSERT_TRUE(IsSoundEffectLoaded(e)) << kEffectDefs[e].name;
		int16_t c = PlayEffect(e);
		ASSERT_GE(c, 0) << kEffectDefs[e].name;
		EXPECT_EQ(Tamber::Sound::GetChannelImpl(GetEffectChannel(c))->source.GetLoop(), kLoopingEffects.count(e) == 1)
			<< kEffectDefs[e].name;
		StopAChannel(&c);
	}
	for (int song = 0; song < NUM_SONGS; song++)
	{
		PlaySong(song, 0);
		EXPECT_EQ(GetCurrentSong(), song);
		EXPECT_GE(Tamber::Sound::GetChannelImpl(GetMusicChannel())->source.GetLength(), 60.0) << kSongDefs[song].path;
	}
	ShutdownSound();
	Tamber::Files::Shutdown();
	gGamePrefs = saved;
}

TEST_F(BakedSounds, EveryCodecIsUsedByRealGameData)
{
	std::map<std::string, int> formats;
	for (int e = 0; e < NUM_EFFECTS; e++)
		formats[Tamber::Sound::FourCCToString(Tamber::Sound::ReadAIFF(EffectFile(e)).info.format)]++;
	// The songs' files are checked against their encodings where they are decoded.
	for (int s = 0; s < NUM_SONGS; s++)
		formats[Bake::GetSongEncoding(s) == Bake::AiffEncoding::Ima4 ? "ima4" : "ulaw"]++;
	for (const char* codec : {"ima4", "ulaw", "alaw", "MAC3"})
		EXPECT_GE(formats[codec], 2) << codec;
	EXPECT_GE(formats["NONE"], 50);		// most effects stay plain PCM
	EXPECT_GE(formats["sowt"], 1);
}

TEST_F(BakedSounds, LoopingEffectsCarryASeamlessLoopAndOneShotsNone)
{
	for (int e = 0; e < NUM_EFFECTS; e++)
	{
		const Decoded d = Decode(EffectFile(e));
		if (!kLoopingEffects.count(e))
		{
			EXPECT_EQ(d.loopEnd - d.loopStart, 0) << kEffectDefs[e].name;
			continue;
		}
		// The mixer loops from the loop start when the samples run out, so
		// the loop must end exactly at the last sample.
		ASSERT_GT(d.loopEnd - d.loopStart, 1) << kEffectDefs[e].name;
		EXPECT_EQ(size_t(d.loopEnd), d.samples.size()) << kEffectDefs[e].name;
		EXPECT_GT(d.loopStart, 0) << kEffectDefs[e].name;		// a short lead-in, faded in
		EXPECT_GE(double(d.loopEnd - d.loopStart) / RATE, 0.3) << kEffectDefs[e].name;
		const SeamCheck seam = CheckSeam(d.samples, size_t(d.loopStart), size_t(d.loopEnd));
		EXPECT_LE(seam.seam, seam.around) << kEffectDefs[e].name;
	}
}

TEST_F(BakedSounds, SongsAreLongLoudAndLoopWithoutAClick)
{
	printf("%-26s %7s %6s %7s %8s %8s %9s %9s\n", "song", "seconds", "peak", "rms dB", "dc", "centroid", "seam", "around");
	for (int s = 0; s < NUM_SONGS; s++)
	{
		const char* name = kSongDefs[s].path;
		const Decoded d = Decode(SongFile(s));
		EXPECT_EQ(d.info.format, Bake::GetSongEncoding(s) == Bake::AiffEncoding::Ima4 ? FOUR_CC("ima4") : FOUR_CC("ulaw"));
		const Measures m = Measure(d.samples);
		// The song loops from its loop start (after a one-packet lead-in that
		// plays once) to its last sample; the channel's loop flag decides
		// whether it loops at all.
		ASSERT_GT(d.loopStart, 0) << name;
		EXPECT_LE(d.loopStart, 64) << name;
		EXPECT_EQ(size_t(d.loopEnd), d.samples.size()) << name;
		EXPECT_EQ((d.loopEnd - d.loopStart) % 64, 0) << "the loop must be whole codec packets: " << name;
		const SeamCheck seam = CheckSeam(d.samples, size_t(d.loopStart), size_t(d.loopEnd));
		printf("%-26s %7.2f %6.3f %7.1f %8.5f %8.0f %9.5f %9.5f\n", name, m.seconds, m.peak, m.rmsDb, m.dc, m.centroid,
			   seam.seam, seam.around);

		EXPECT_GE(double(d.loopEnd - d.loopStart) / RATE, 60.0) << name;
		EXPECT_LE(seam.seam, seam.around) << "the loop clicks: " << name;
		// The lead-in runs into the loop's start as smoothly (silence before
		// the file stands in for what precedes it).
		const SeamCheck entry = CheckJoin([&](int64_t i) { return i >= 0 ? d.samples[size_t(i)] : 0.0; }, d.loopStart);
		EXPECT_LE(entry.seam, entry.around) << name;
		// Under the effects in the mix, but far from quiet.
		EXPECT_LT(m.peak, 0.7) << name;
		EXPECT_GT(m.peak, 0.4) << name;
		EXPECT_GT(m.rmsDb, -28.0) << name;
		EXPECT_LT(std::fabs(m.dc), 0.005) << name;
		EXPECT_LT(m.longestGap, 1.0) << name;
		EXPECT_GT(m.centroid, 150.0) << name;
	}
}

TEST_F(BakedSounds, TheSeamCheckNoticesALoopCutAnywhereElse)
{
	// A tone looped over whole cycles joins; cut mid-cycle it clicks.
	std::vector<double> tone(22050);
	for (size_t i = 0; i < tone.size(); i++)
		tone[i] = 0.5 * std::sin(2 * M_PI * 441.0 * double(i) / RATE) + 0.01 * std::sin(double(i * i % 977));
	const SeamCheck whole = CheckSeam(tone, 0, 22050);
	const SeamCheck cut = CheckSeam(tone, 0, 22050 - 17);
	EXPECT_LE(whole.seam, whole.around);
	EXPECT_GT(cut.seam, cut.around);

	// The songs looped at some other point. Busy music masks many such cuts,
	// but on the whole they must score far worse than the real seams.
	double real = 0, cuts = 0;
	int caught = 0;
	for (int s = 0; s < NUM_SONGS; s++)
	{
		const Decoded d = Decode(SongFile(s));
		real += CheckSeam(d.samples, size_t(d.loopStart), size_t(d.loopEnd)).Ratio();
		const size_t end = size_t(d.loopEnd) - size_t(d.loopEnd - d.loopStart) * 3 / 7;
		const SeamCheck cut = CheckSeam(d.samples, size_t(d.loopStart), end);
		cuts += cut.Ratio();
		caught += cut.seam > cut.around;
	}
	printf("songs cut elsewhere noticed: %d of %d; mean seam score %.3f real, %.3f cut\n", caught, NUM_SONGS,
		   real / double(NUM_SONGS), cuts / double(NUM_SONGS));
	EXPECT_LT(real * 5, cuts);
}

TEST_F(BakedSounds, EffectsAreCleanAndDistinctFromOneAnother)
{
	std::vector<Measures> all;
	printf("%-4s %-11s %-17s %-5s %6s %6s %7s %8s %8s %6s\n", "#", "bank", "effect", "codec", "secs", "peak", "rms dB",
		   "dc", "centroid", "onset");
	for (int e = 0; e < NUM_EFFECTS; e++)
	{
		const Decoded d = Decode(EffectFile(e));
		const Measures m = Measure(d.samples);
		all.push_back(m);
		printf("%-4d %-11s %-17s %-5s %6.2f %6.3f %7.1f %8.5f %8.0f %6.3f\n", e, kSoundBankNames[kEffectDefs[e].bank],
			   kEffectDefs[e].name, Tamber::Sound::FourCCToString(d.info.format).c_str(), m.seconds, m.peak, m.rmsDb,
			   m.dc, m.centroid, m.onset);

		const char* name = kEffectDefs[e].name;
		EXPECT_LT(m.peak, 0.97) << name << " clips";
		EXPECT_GT(m.peak, 0.4) << name;
		EXPECT_GT(m.rmsDb, -32.0) << name << " is all but silent";
		EXPECT_LT(std::fabs(m.dc), 0.01) << name << " has a DC offset";
		EXPECT_LT(m.onset, 0.05) << name << " starts late";
		EXPECT_LT(m.longestGap, 0.5) << name << " falls silent in the middle";
		EXPECT_GE(m.seconds, 0.05) << name;
		EXPECT_LE(m.seconds, 8.0) << name;
	}

	// No two effects are near copies of each other.
	double closest = 1e9;
	int a = -1, b = -1;
	for (int i = 0; i < NUM_EFFECTS; i++)
	{
		for (int j = i + 1; j < NUM_EFFECTS; j++)
		{
			const double d = Distance(all[size_t(i)], all[size_t(j)]);
			EXPECT_GT(d, 0.08) << kEffectDefs[i].name << " and " << kEffectDefs[j].name << " sound alike";
			if (d < closest)
			{
				closest = d;
				a = i;
				b = j;
			}
		}
	}
	printf("closest pair: %s/%s and %s/%s, distance %.3f\n", kSoundBankNames[kEffectDefs[a].bank], kEffectDefs[a].name,
		   kSoundBankNames[kEffectDefs[b].bank], kEffectDefs[b].name, closest);
}

TEST_F(BakedSounds, TheBakeIsDeterministic)
{
	// The bake step's files are byte for byte what a second synthesis makes,
	// here and in the process that baked the shared folder.
	Bake::Context context{data};
	ASSERT_EQ(Bake::RunSteps(context, "audio/effects"), 1);
	for (int e : {EFFECT_ZAP, EFFECT_SLIMEMONSTER, EFFECT_BRAINBOSSDIE, EFFECT_FLAREEXPLODE})
	{
		const std::vector<uint8_t> again = Bake::WriteAiff(Bake::SynthesizeEffect(e), Bake::GetEffectEncoding(e));
		EXPECT_EQ(ReadAll(data / Bake::GetEffectFilePath(e)), again) << kEffectDefs[e].name;
		EXPECT_EQ(EffectFile(e), again) << kEffectDefs[e].name;
	}
	EXPECT_EQ(Bake::WriteAiff(Bake::ComposeSong(SONG_LOSE), Bake::GetSongEncoding(SONG_LOSE)), SongFile(SONG_LOSE));
}

TEST_F(BakedSounds, ASongPlayedThroughTheDiskDriverIsHeardForItsLength)
{
	const fs::path raw = fs::temp_directory_path() / ("zapp-song-" + std::to_string(getpid()) + ".raw");
	struct Env
	{
		const char* name;
		std::string old;
		bool had;
		Env(const char* n, const std::string& v) : name(n)
		{
			const char* o = getenv(n);
			had = o;
			old = o ? o : "";
			setenv(n, v.c_str(), 1);
		}
		~Env() { had ? setenv(name, old.c_str(), 1) : unsetenv(name); }
	};
	Env driver("SDL_AUDIODRIVER", "disk"), file("SDL_DISKAUDIOFILE", raw.string()), delay("SDL_DISKAUDIODELAY", "1");

	const int song = SONG_LOSE;
	WriteDataFolder({SOUND_BANK_MAIN}, {song});
	const PrefsType saved = gGamePrefs;
	gGamePrefs.music = 1;
	ASSERT_NO_THROW(cmixer::Init());
	const int outputRate = cmixer::GetOutputRate();
	Tamber::Files::Init();
	gDataFolderSpec = Tamber::Files::HostPathToFSSpec(data / "Skeletons");
	InitSoundTools();

	PlaySong(song, SONG_FLAG_PLAY_ONCE);
	const double songSeconds = Tamber::Sound::GetChannelImpl(GetMusicChannel())->source.GetLength();
	SCStatus status{};
	const Uint32 start = SDL_GetTicks();
	do
	{
		SDL_Delay(20);
		GetChannelStatus(GetMusicChannel(), sizeof(status), &status);
	} while (status.scChannelBusy && SDL_GetTicks() - start < 60000);
	EXPECT_FALSE(status.scChannelBusy) << "the song never finished";

	ShutdownSound();
	Tamber::Files::Shutdown();
	Tamber::Sound::Shutdown();		// closes the device
	gGamePrefs = saved;

	const std::vector<uint8_t> bytes = ReadAll(raw);
	fs::remove(raw);
	std::vector<int16_t> out(bytes.size() / 2);
	std::memcpy(out.data(), bytes.data(), out.size() * 2);
	ASSERT_GT(out.size(), size_t(songSeconds * outputRate * 2));

	// Where the song was heard: from the first to the last clearly audible frame.
	size_t first = out.size(), last = 0;
	double sumSq = 0;
	for (size_t f = 0; f < out.size() / 2; f++)
	{
		const int v = std::abs(out[f * 2]) + std::abs(out[f * 2 + 1]);
		if (v > 200)
		{
			first = std::min(first, f);
			last = f;
		}
		sumSq += double(out[f * 2]) * out[f * 2];
	}
	ASSERT_LT(first, last);
	const double heard = double(last - first + 1) / outputRate;
	EXPECT_NEAR(heard, songSeconds, 0.3);
	const double rms = std::sqrt(sumSq / double(last - first + 1)) / 32768.0;
	EXPECT_GT(rms, 0.02) << "the song is (nearly) silent";
}
