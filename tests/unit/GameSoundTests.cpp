// The game's sound layer over the real channels and a hand-driven mixer: banks
// from baked effect files, 3D volume and panning, the "only if louder" rule,
// looping node sounds, pausing, and songs with the music preference.
#include "sounds/BakeSounds.h"
#include "BakedData.h"
#include "FilesTestSupport.h"
#include "Memory.h"
#include "Sound.h"
#include "SoundInternal.h"
#include "System/Boot.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "System/Sound.h"
#include "3D/OGL_Camera.h"
#include "cmixer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;
using FilesTestSupport::ReadAll;
using FilesTestSupport::WriteBytes;

namespace
{
	constexpr int OUTPUT_RATE = 44100;

	// Frames of the short stand-in song written for song n: telling songs
	// apart by their length.
	int SongFrames(int n)
	{
		return 4410 + 441 * n;
	}

	class GameSound : public ::testing::Test
	{
	protected:
		static fs::path* gData;
		PrefsType savedPrefs;

		static void SetUpTestSuite()
		{
			gData = new fs::path(fs::temp_directory_path() / ("zapp-gamesound-" + std::to_string(getpid())));
			fs::remove_all(*gData);
			// The main and farm banks and two more effects, from the shared baked Data folder.
			for (int e = 0; e < NUM_EFFECTS; e++)
			{
				const int bank = kEffectDefs[e].bank;
				if (bank == SOUND_BANK_MAIN || bank == SOUND_BANK_FARM || e == EFFECT_BUBBLEPOP || e == EFFECT_TRANSFORM)
					WriteBytes(*gData / Bake::GetEffectFilePath(e), ReadAll(BakedData::Folder() / Bake::GetEffectFilePath(e)));
			}
			// Short songs: the game's handling of songs, not their music.
			for (int n = 0; n < NUM_SONGS; n++)
			{
				Bake::AiffSound song;
				song.sampleRate = 22050;
				for (int i = 0; i < SongFrames(n); i++)
					song.samples.push_back(int16_t(6000 * std::sin(0.05 * i)));
				WriteBytes(*gData / Bake::GetSongFilePath(n), Bake::WriteAiff(song, Bake::AiffEncoding::Pcm16));
			}
		}

		static void TearDownTestSuite()
		{
			fs::remove_all(*gData);
			delete gData;
		}

		void SetUp() override
		{
			savedPrefs = gGamePrefs;
			gGamePrefs.music = 1;
			gGamePaused = false;
			cmixer::InitHeadless(OUTPUT_RATE);
			Tamber::Files::Init();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(*gData / "Skeletons");
			InitSoundTools();
			PlaceCamera({0, 0, 0}, {0, 0, -1});		// looking down -z: +x is to the right
		}

		void TearDown() override
		{
			ShutdownSound();
			Tamber::Files::Shutdown();
			gGamePrefs = savedPrefs;
			gGamePaused = false;
		}

		static void PlaceCamera(OGLPoint3D from, OGLPoint3D to)
		{
			OGLCameraPlacement camera{from, to, {0, 1, 0}};
			UpdateListenerLocation(camera);
		}

		static void Mix(double seconds)
		{
			std::vector<int16_t> out(1024);
			for (int frames = int(seconds * OUTPUT_RATE); frames > 0; frames -= 512)
				cmixer::Mix(out.data(), int(out.size()));
		}

		static Tamber::Sound::ChannelImpl& Impl(SndChannel* chan)
		{
			return *Tamber::Sound::GetChannelImpl(chan);
		}

		static SCStatus Status(SndChannel* chan)
		{
			SCStatus status{};
			EXPECT_EQ(GetChannelStatus(chan, sizeof(status), &status), noErr);
			return status;
		}

		// The volumes an effect gets at a point.
		static std::pair<uint32_t, uint32_t> Volumes(int effect, OGLPoint3D where, float factor = 1.0f)
		{
			uint32_t left = 99, right = 99;
			Calc3DEffectVolume(effect, &where, factor, &left, &right);
			return {left, right};
		}

		// Expects a fatal alert whose message contains `text`.
		template <typename F>
		static void ExpectFatal(F f, const std::string& text)
		{
			gLastFatalMessage.clear();
			EXPECT_THROW(f(), Tamber::QuitRequest);
			EXPECT_NE(gLastFatalMessage.find(text), std::string::npos) << gLastFatalMessage;
		}
	};
	fs::path* GameSound::gData = nullptr;

	// Effect 1 "saucer" has a reference distance of 1000; the ear sits 300 in
	// front of the camera, at (0, 0, -300).
	constexpr float EAR_Z = -300;
}

TEST_F(GameSound, VolumeFallsWithDistanceBeyondTheReferenceDistance)
{
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 500}), std::make_pair(256u, 256u));		// inside
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 1200}), std::make_pair(256u, 256u));		// 200 beyond: 320 clamped
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 2000}), std::make_pair(64u, 64u));		// 1000 beyond
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 2000}, 0.5f), std::make_pair(32u, 32u));
	// Volume int(64000 / d) beyond the reference distance; 5 or less is silence.
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 1000 - 10000}), std::make_pair(6u, 6u));
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 1000 - 11000}), std::make_pair(0u, 0u));
}

TEST_F(GameSound, PanningFollowsTheDirectionInTheGroundPlane)
{
	// Ahead and behind: centred.
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z - 100}), std::make_pair(256u, 256u));
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 0, EAR_Z + 100}), std::make_pair(256u, 256u));
	// Fully to the right: twice as loud there, silent on the left; and the mirror.
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {100, 0, EAR_Z}), std::make_pair(0u, 512u));
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {-100, 0, EAR_Z}), std::make_pair(512u, 0u));
	// Height plays no part in the direction.
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {100, 400, EAR_Z}), std::make_pair(0u, 512u));
	// Diagonally ahead-right: 1 - cos 45° of the volume moves to the right.
	const auto diagonal = Volumes(EFFECT_SAUCER, {100, 0, EAR_Z - 100});
	EXPECT_EQ(diagonal.first, 181u);		// 256 - 74.98
	EXPECT_EQ(diagonal.second, 330u);

	// The camera turned to look along +x: what was to the right is now ahead.
	PlaceCamera({0, 0, 0}, {10, 0, 0});
	EXPECT_EQ(GetListenerEarCoord().x, 300.0f);
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {900, 0, 0}), std::make_pair(256u, 256u));
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {300, 0, 200}), std::make_pair(0u, 512u));		// +z is now to the right
}

TEST_F(GameSound, ACameraWithNoDirectionHearsEverythingCentred)
{
	PlaceCamera({50, 60, 70}, {50, 60, 70});
	EXPECT_EQ(GetListenerEarCoord().x, 50.0f);
	EXPECT_EQ(GetListenerEarCoord().z, 70.0f);
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {150, 60, 70}), std::make_pair(256u, 256u));
	// Looking straight down, or a sound right at the ear: no side either.
	PlaceCamera({0, 1000, 0}, {0, 0, 0});
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {500, 0, 0}), std::make_pair(256u, 256u));
	PlaceCamera({0, 0, 0}, {0, 0, -1});
	EXPECT_EQ(Volumes(EFFECT_SAUCER, {0, 50, EAR_Z}), std::make_pair(256u, 256u));
}

TEST_F(GameSound, NodesStopTheirChannels)
{
	InitObjectManager();
	ObjectDef def = {};
	def.genre = CUSTOM_GENRE;
	def.slot = 100;
	ObjNode* node = MakeNewObject(&def);
	node->EffectChannel = PlayEffect(EFFECT_SAUCER);
	const int16_t channel = node->EffectChannel;
	ASSERT_GE(channel, 0);
	ASSERT_TRUE(IsEffectChannelBusy(channel));

	StopObjectStreamEffect(node);
	EXPECT_EQ(node->EffectChannel, -1);
	EXPECT_FALSE(IsEffectChannelBusy(channel));

	// Deleting a node stops the effect it still carries.
	node->EffectChannel = PlayEffect(EFFECT_SAUCER);
	const int16_t second = node->EffectChannel;
	ASSERT_TRUE(IsEffectChannelBusy(second));
	DeleteObject(node);
	EXPECT_FALSE(IsEffectChannelBusy(second));
	DeleteAllObjects();
}

TEST_F(GameSound, PlayEffectSendsScaledVolumesAndRateToTheChannel)
{
	int16_t c = PlayEffect_Parms(EFFECT_ZAP, 256, 128, 0x20000);
	ASSERT_EQ(c, 0);
	auto& impl = Impl(GetEffectChannel(c));
	// × 0.3: left 76, right 38; the channel takes the louder side and a pan.
	EXPECT_NEAR(impl.volume, 76.0 / 256.0, 1e-9);
	EXPECT_NEAR(impl.pan, 38.0 / 114.0 * 2 - 1, 1e-9);
	EXPECT_DOUBLE_EQ(impl.rateMultiplier, 2.0);
	EXPECT_TRUE(impl.interpolate);
	EXPECT_TRUE(IsEffectChannelBusy(c));

	// The next effect takes the next free channel; "no interpolation" reaches it.
	int16_t c2 = PlayEffect(EFFECT_NEWLIFE);
	ASSERT_EQ(c2, 1);
	EXPECT_FALSE(Impl(GetEffectChannel(c2)).interpolate);
}

TEST_F(GameSound, EffectsArePlayedFromTheirDecodedSamplesInMemory)
{
	// Effects are decoded when the bank loads, whatever the file's codec:
	// the channel plays 16-bit samples in place.
	for (int effect : {EFFECT_SHATTER /* mu-law */, EFFECT_FLAREEXPLODE /* MACE */, EFFECT_HEADSWOOSH /* A-law */})
	{
		int16_t c = PlayEffect(effect);
		ASSERT_GE(c, 0);
		auto& source = Impl(GetEffectChannel(c)).source;
		EXPECT_GT(source.GetLengthFrames(), 1000);
		EXPECT_EQ(source.GetSampleRate(), 22050);
		StopAChannel(&c);
	}
}

TEST_F(GameSound, AQuieterRepeatOfAnOnlyIfLouderEffectIsDropped)
{
	ASSERT_TRUE(kEffectDefs[EFFECT_WEAPONCLICK].flags & SOUND_FLAG_ONLY_IF_LOUDER);
	int16_t first = PlayEffect_Parms(EFFECT_WEAPONCLICK, 200, 200, NORMAL_CHANNEL_RATE);
	ASSERT_EQ(first, 0);
	EXPECT_EQ(PlayEffect_Parms(EFFECT_WEAPONCLICK, 100, 100, NORMAL_CHANNEL_RATE), -1);
	EXPECT_TRUE(IsEffectChannelBusy(first));
	EXPECT_FALSE(IsEffectChannelBusy(1));

	// As loud or louder: the old one stops and the effect starts again.
	int16_t again = PlayEffect_Parms(EFFECT_WEAPONCLICK, 250, 150, NORMAL_CHANNEL_RATE);
	EXPECT_GE(again, 0);
	EXPECT_TRUE(IsEffectChannelBusy(again));
	int busy = 0;
	for (int16_t c = 0; c < MAX_EFFECT_CHANNELS; c++)
		busy += IsEffectChannelBusy(c);
	EXPECT_EQ(busy, 1);

	// Once it has finished, any volume plays.
	Mix(1.0);
	EXPECT_FALSE(IsEffectChannelBusy(again));
	EXPECT_GE(PlayEffect_Parms(EFFECT_WEAPONCLICK, 10, 10, NORMAL_CHANNEL_RATE), 0);

	// Effects without the flag simply stack up.
	EXPECT_GE(PlayEffect(EFFECT_ZAP), 0);
	EXPECT_GE(PlayEffect_Parms(EFFECT_ZAP, 10, 10, NORMAL_CHANNEL_RATE), 0);
}

TEST_F(GameSound, WithEveryChannelBusyTheRequestIsDropped)
{
	for (int i = 0; i < MAX_EFFECT_CHANNELS; i++)
		ASSERT_EQ(PlayEffect(EFFECT_SAUCER), i);
	EXPECT_EQ(PlayEffect(EFFECT_ZAP), -1);
	int16_t c = 17;
	StopAChannel(&c);
	EXPECT_EQ(c, -1);
	EXPECT_EQ(PlayEffect(EFFECT_ZAP), 17);
}

TEST_F(GameSound, LoopingEffectsLoopByTheirFileAndOneShotsEnd)
{
	int16_t loop = PlayEffect(EFFECT_SAUCER);
	int16_t once = PlayEffect(EFFECT_WEAPONCLICK);
	auto& source = Impl(GetEffectChannel(loop)).source;
	EXPECT_TRUE(source.GetLoop());
	EXPECT_GT(source.GetLoopStart(), 0);		// a lead-in that plays once
	Mix(3.0 * source.GetLength() + 0.5);
	EXPECT_TRUE(IsEffectChannelBusy(loop));
	EXPECT_FALSE(IsEffectChannelBusy(once));
}

TEST_F(GameSound, ANodesLoopingSoundFollowsItAndStopsOutOfEarshot)
{
	OGLPoint3D where = {0, 0, EAR_Z - 1200};
	int16_t channel = PlayEffect_Parms3D(EFFECT_SAUCER, &where, NORMAL_CHANNEL_RATE, 0.5f);
	ASSERT_GE(channel, 0);
	auto& impl = Impl(GetEffectChannel(channel));
	EXPECT_NEAR(impl.volume, 38.0 / 256.0, 1e-9);		// 256 × 0.5 × 0.3

	// Moved to the right: the remembered factor 0.5 still applies.
	where = {100, 0, EAR_Z};
	Update3DSoundChannel(EFFECT_SAUCER, &channel, &where);
	EXPECT_NE(channel, -1);
	EXPECT_NEAR(impl.volume, 76.0 / 256.0, 1e-9);		// 256 × 0.3
	EXPECT_NEAR(impl.pan, 1.0, 1e-9);

	// Out of earshot: the channel stops and the node lets go of it.
	where = {0, 0, EAR_Z - 40000};
	int16_t was = channel;
	Update3DSoundChannel(EFFECT_SAUCER, &channel, &where);
	EXPECT_EQ(channel, -1);
	EXPECT_FALSE(IsEffectChannelBusy(was));
	Update3DSoundChannel(EFFECT_SAUCER, &channel, &where);		// -1 stays -1
	EXPECT_EQ(channel, -1);
}

TEST_F(GameSound, ANodeWhoseChannelWasTakenLetsGoWithoutStoppingTheNewSound)
{
	OGLPoint3D where = {0, 0, EAR_Z - 100};
	int16_t nodeChannel = PlayEffect3D(EFFECT_SAUCER, &where);
	ASSERT_EQ(nodeChannel, 0);
	StopAllEffectChannels();
	int16_t other = PlayEffect(EFFECT_ZAP);
	ASSERT_EQ(other, 0);		// the same channel, now playing something else

	Update3DSoundChannel(EFFECT_SAUCER, &nodeChannel, &where);
	EXPECT_EQ(nodeChannel, -1);
	EXPECT_TRUE(IsEffectChannelBusy(other));

	// Stopping only if it still plays a given effect.
	int16_t c = other;
	StopAChannelIfEffectNum(&c, EFFECT_SAUCER);
	EXPECT_EQ(c, other);
	EXPECT_TRUE(IsEffectChannelBusy(other));
	StopAChannelIfEffectNum(&c, EFFECT_ZAP);
	EXPECT_EQ(c, -1);
	EXPECT_FALSE(IsEffectChannelBusy(other));
}

TEST_F(GameSound, ASoundTooFarToHearDoesNotPlay)
{
	OGLPoint3D far = {0, 0, -50000};
	EXPECT_EQ(PlayEffect3D(EFFECT_ZAP, &far), -1);
	EXPECT_FALSE(IsEffectChannelBusy(0));
}

TEST_F(GameSound, RateAndVolumeChangesIgnoreChannelsThatAreNotThere)
{
	int16_t c = PlayEffect(EFFECT_SAUCER);
	ChangeChannelRate(c, 0x8000);
	EXPECT_DOUBLE_EQ(Impl(GetEffectChannel(c)).rateMultiplier, 0.5);
	ChangeChannelVolume(c, 0, 256);
	EXPECT_NEAR(Impl(GetEffectChannel(c)).pan, 1.0, 1e-9);
	ChangeChannelRate(-1, 0x8000);
	ChangeChannelVolume(int16_t(0x8000), 10, 10);
	ChangeChannelVolume(MAX_EFFECT_CHANNELS, 10, 10);
	EXPECT_NEAR(Impl(GetEffectChannel(c)).pan, 1.0, 1e-9);
}

TEST_F(GameSound, PausingPausesEveryChannelAndTheSong)
{
	int16_t c = PlayEffect(EFFECT_SAUCER);
	PlaySong(SONG_FARM, 0);
	PauseAllChannels(true);
	EXPECT_TRUE(Status(GetEffectChannel(c)).scChannelPaused);
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);
	Mix(0.5);
	EXPECT_TRUE(IsEffectChannelBusy(c));
	PauseAllChannels(false);
	EXPECT_FALSE(Status(GetEffectChannel(c)).scChannelPaused);
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelPaused);
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelBusy);
}

TEST_F(GameSound, DisposingABankStopsItsSoundsBeforeFreeingThem)
{
	LoadSoundBank(SOUND_BANK_FARM);
	EXPECT_TRUE(IsSoundEffectLoaded(EFFECT_TRACTOR));
	int16_t c = PlayEffect(EFFECT_TRACTOR);
	ASSERT_GE(c, 0);
	Mix(0.1);

	DisposeSoundBank(SOUND_BANK_FARM);
	EXPECT_FALSE(IsSoundEffectLoaded(EFFECT_TRACTOR));
	EXPECT_TRUE(IsSoundEffectLoaded(EFFECT_ZAP));		// the main bank stays
	EXPECT_FALSE(IsEffectChannelBusy(c));
	Mix(0.1);		// nothing reads the freed samples

	ExpectFatal([] { PlayEffect(EFFECT_TRACTOR); }, "effect wasn't loaded!");
}

TEST_F(GameSound, DisposingOneEffectStopsOnlyTheChannelsPlayingIt)
{
	LoadSoundEffect(EFFECT_BUBBLEPOP);
	int16_t bubble = PlayEffect(EFFECT_BUBBLEPOP);
	int16_t saucer = PlayEffect(EFFECT_SAUCER);
	DisposeSoundEffect(EFFECT_BUBBLEPOP);
	EXPECT_FALSE(IsEffectChannelBusy(bubble));
	EXPECT_TRUE(IsEffectChannelBusy(saucer));
	DisposeSoundEffect(EFFECT_BUBBLEPOP);		// twice is harmless
}

TEST_F(GameSound, BadEffectAndBankNumbersStopTheGame)
{
	ExpectFatal([] { PlayEffect(NUM_EFFECTS); }, "illegal effect number");
	ExpectFatal([] { PlayEffect(-1); }, "illegal effect number");
	ExpectFatal([] { LoadSoundEffect(146); }, "illegal effect number");
	ExpectFatal([] { DisposeSoundEffect(200); }, "illegal effect number");
	ExpectFatal([] { LoadSoundBank(NUM_SOUND_BANKS); }, "illegal sound bank number");
	ExpectFatal([] { PlaySong(NUM_SONGS, 0); }, "illegal song number");
}

TEST_F(GameSound, AMissingOrDamagedEffectFileStopsTheGameNamingIt)
{
	const fs::path file = *gData / "audio" / "lose.sounds" / "transform.aiff";
	const std::vector<uint8_t> good = FilesTestSupport::ReadAll(file);

	fs::remove(file);
	ExpectFatal([] { LoadSoundEffect(EFFECT_TRANSFORM); }, ":audio:lose.sounds:transform.aiff");

	// Cut short, then with a chunk size pointing past the end.
	WriteBytes(file, std::vector<uint8_t>(good.begin(), good.begin() + 40));
	ExpectFatal([] { LoadSoundEffect(EFFECT_TRANSFORM); }, ":audio:lose.sounds:transform.aiff");
	std::vector<uint8_t> bad = good;
	bad[4] = 0x7F;
	WriteBytes(file, bad);
	ExpectFatal([] { LoadSoundEffect(EFFECT_TRANSFORM); }, ":audio:lose.sounds:transform.aiff");
	EXPECT_FALSE(IsSoundEffectLoaded(EFFECT_TRANSFORM));

	WriteBytes(file, good);
	LoadSoundEffect(EFFECT_TRANSFORM);
	EXPECT_TRUE(IsSoundEffectLoaded(EFFECT_TRANSFORM));
}

//
// Songs
//

TEST_F(GameSound, ASongLoopsUnlessToldToPlayOnce)
{
	PlaySong(SONG_FARM, 0);
	EXPECT_EQ(GetCurrentSong(), SONG_FARM);
	EXPECT_TRUE(IsSongPlaying());
	auto& source = Impl(GetMusicChannel()).source;
	EXPECT_EQ(source.GetLengthFrames(), SongFrames(SONG_FARM));
	EXPECT_TRUE(source.GetLoop());
	// Full volume × 0.8, no 0.3 factor for music.
	EXPECT_NEAR(Impl(GetMusicChannel()).volume, int(0.8f * 256) / 256.0, 1e-9);
	Mix(1.0);
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelBusy);

	PlaySong(SONG_LOSE, SONG_FLAG_PLAY_ONCE);
	EXPECT_EQ(source.GetLengthFrames(), SongFrames(SONG_LOSE));
	EXPECT_FALSE(source.GetLoop());
	Mix(1.0);
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelBusy);
}

TEST_F(GameSound, StartingTheCurrentSongAgainOnlyResumesIt)
{
	PlaySong(SONG_THEME, SONG_FLAG_START_PAUSED);
	EXPECT_FALSE(IsSongPlaying());
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);
	Mix(0.2);
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);

	PlaySong(SONG_THEME, 0);
	EXPECT_TRUE(IsSongPlaying());
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelPaused);
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelBusy);

	// Again while playing: nothing changes.
	PlaySong(SONG_THEME, 0);
	EXPECT_TRUE(IsSongPlaying());
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelPaused);
}

TEST_F(GameSound, TheMusicPreferencePausesAndResumesTheSong)
{
	gGamePrefs.music = 0;
	PlaySong(SONG_CLOUD, 0);
	EXPECT_FALSE(IsSongPlaying());
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);

	gGamePrefs.music = 1;
	ToggleMusic();
	EXPECT_TRUE(IsSongPlaying());
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelPaused);
	// Started again now that it plays: it must keep playing.
	PlaySong(SONG_CLOUD, 0);
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelPaused);

	gGamePrefs.music = 0;
	ToggleMusic();
	EXPECT_FALSE(IsSongPlaying());
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);
	ToggleMusic();		// already matching: no change
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);
}

TEST_F(GameSound, ThePauseMenuHoldsTheMusicUntilItCloses)
{
	PlaySong(SONG_JUNGLE, 0);
	gGamePaused = true;
	PauseAllChannels(true);
	gGamePrefs.music = 0;		// switched off in the settings meanwhile
	ToggleMusic();
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);

	gGamePaused = false;
	PauseAllChannels(false);
	ToggleMusic();
	EXPECT_TRUE(Status(GetMusicChannel()).scChannelPaused);
	EXPECT_FALSE(IsSongPlaying());
}

TEST_F(GameSound, KillSongStopsItAndAnotherSongReplacesIt)
{
	PlaySong(SONG_SAUCER, 0);
	PlaySong(SONG_BRAINBOSS, 0);
	EXPECT_EQ(GetCurrentSong(), SONG_BRAINBOSS);
	EXPECT_EQ(Impl(GetMusicChannel()).source.GetLengthFrames(), SongFrames(SONG_BRAINBOSS));
	EXPECT_NEAR(Impl(GetMusicChannel()).volume, 1.0, 1e-9);
	KillSong();
	EXPECT_EQ(GetCurrentSong(), -1);
	EXPECT_FALSE(IsSongPlaying());
	EXPECT_FALSE(Status(GetMusicChannel()).scChannelBusy);
	KillSong();
}

TEST_F(GameSound, AMissingSongFileStopsTheGame)
{
	fs::path file = *gData / Bake::GetSongFilePath(SONG_WIN);
	fs::path moved = file;
	moved += ".away";
	fs::rename(file, moved);
	ExpectFatal([] { PlaySong(SONG_WIN, 0); }, "\":audio:WinSong.aif\"");
	fs::rename(moved, file);
	EXPECT_EQ(GetCurrentSong(), -1);
}

TEST_F(GameSound, ShutdownReleasesChannelsAndEffects)
{
	const int before = Tamber::Sound::GetNumChannels();
	EXPECT_GE(before, MAX_EFFECT_CHANNELS + 1);
	const int64_t blocks = Tamber::GetMemoryStats().liveBlocks;
	PlaySong(SONG_FARM, 0);
	PlayEffect(EFFECT_SAUCER);
	ShutdownSound();
	EXPECT_EQ(Tamber::Sound::GetNumChannels(), before - MAX_EFFECT_CHANNELS - 1);
	EXPECT_LE(Tamber::GetMemoryStats().liveBlocks, blocks - 46);		// the main bank's handles
	ShutdownSound();		// twice is harmless
	EXPECT_EQ(GetEffectChannel(0), nullptr);
	// Nodes deleted after the channels went still stop theirs harmlessly.
	int16_t stale = 3;
	StopAChannel(&stale);
	EXPECT_EQ(stale, -1);
}

TEST_F(GameSound, BanksAndSongsComeAndGoWhileTheDeviceMixes)
{
	// The real callback on SDL's dummy device: disposing a bank or switching
	// songs while it mixes must never leave it reading freed samples (run
	// under the sanitizers to see it).
	const char* oldDriver = getenv("SDL_AUDIODRIVER");
	const std::string saved = oldDriver ? oldDriver : "";
	setenv("SDL_AUDIODRIVER", "dummy", 1);
	ASSERT_NO_THROW(cmixer::Init());

	for (int rounds = 0; rounds < 40; rounds++)
	{
		LoadSoundBank(SOUND_BANK_FARM);
		for (int e = EFFECT_POPCORNPOP; e <= EFFECT_CORNCRUNCH; e++)
		{
			OGLPoint3D where = {float(e % 5) * 200.0f - 400.0f, 0, -500};
			PlayEffect_Parms3D(e, &where, 0x8000 + 0x2000 * uint32_t(e % 5), 1.0f);
		}
		PlayEffect(EFFECT_SAUCER);
		PlaySong(rounds % 2 ? SONG_FARM : SONG_SLIME, rounds % 3 == 0 ? SONG_FLAG_PLAY_ONCE : 0);
		SDL_Delay(rounds % 4);
		if (rounds % 2)
			DisposeSoundEffect(EFFECT_TRACTOR);
		DisposeSoundBank(SOUND_BANK_FARM);
		if (rounds % 5 == 0)
			KillSong();
	}
	EXPECT_FALSE(IsSoundEffectLoaded(EFFECT_TRACTOR));
	EXPECT_TRUE(IsSoundEffectLoaded(EFFECT_SAUCER));

	ShutdownSound();
	cmixer::Shutdown();
	if (oldDriver)
		setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
	else
		unsetenv("SDL_AUDIODRIVER");
}
