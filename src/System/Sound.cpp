// Effect channels, sound banks and playing effects.
#include "System/SoundChannels.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "System/Input.h"
#include "Files.h"
#include "Memory.h"

#include <algorithm>
#include <cstdio>
#include <exception>

LoadedEffect gLoadedEffects[NUM_EFFECTS];
EffectChannelInfo gChannelInfo[MAX_EFFECT_CHANNELS];
SndChannelPtr gSndChannels[MAX_EFFECT_CHANNELS];
SndChannelPtr gMusicChannel = nullptr;

// The channel records are ours, not the platform's: should the platform shut
// its channels down first, these records stay valid and simply report
// themselves as unknown channels.
static SndChannel gChannelRecords[MAX_EFFECT_CHANNELS + 1];

static void ClearLoadedEffect(int effectNum)
{
	gLoadedEffects[effectNum] = {nullptr, 0, -1, 0};
}

static void ClearChannelInfo(int channel)
{
	gChannelInfo[channel] = {-1, 1.0f, 0, 0};
}

OSErr SendSoundCommand(SndChannelPtr chan, uint16_t cmd, int16_t param1, int64_t param2)
{
	SoundCommand command{cmd, param1, param2};
	return SndDoImmediate(chan, &command);
}

int64_t MakeVolumeParam(uint32_t leftVolume, uint32_t rightVolume)
{
	const uint32_t left = std::min<uint32_t>(leftVolume, 0xFFFF);
	const uint32_t right = std::min<uint32_t>(rightVolume, 0xFFFF);
	return int64_t((uint64_t(right) << 16) | left);
}

static uint32_t ScaleEffectVolume(uint32_t volume)
{
	return uint32_t(float(volume) * EFFECTS_VOLUME);
}

static void AssertEffectNumber(int effectNum)
{
	GAME_ASSERT_MESSAGE(effectNum >= 0 && effectNum < NUM_EFFECTS, "illegal effect number");
}

bool IsEffectChannelBusy(int16_t channel)
{
	if (!IsValidEffectChannel(channel))
		return false;
	SCStatus status;
	if (GetChannelStatus(gSndChannels[channel], sizeof(status), &status) != noErr)
		return false;
	return status.scChannelBusy != 0;
}

SndChannel* GetEffectChannel(int16_t channel)
{
	return IsValidEffectChannel(channel) ? gSndChannels[channel] : nullptr;
}

SndChannel* GetMusicChannel()
{
	return gMusicChannel;
}

//
// Set-up
//

void InitSoundTools()
{
	ShutdownSound();		// a second start begins afresh
	for (int i = 0; i < NUM_EFFECTS; i++)
		ClearLoadedEffect(i);
	for (int c = 0; c < MAX_EFFECT_CHANNELS; c++)
		ClearChannelInfo(c);
	ResetSongState();

	gMusicChannel = &gChannelRecords[MAX_EFFECT_CHANNELS];
	*gMusicChannel = {};
	OSErr iErr = CreateSoundChannel(&gMusicChannel, sampledSynth, initStereo, 0);
	GAME_ASSERT(!iErr);

	for (int c = 0; c < MAX_EFFECT_CHANNELS; c++)
	{
		gSndChannels[c] = &gChannelRecords[c];
		*gSndChannels[c] = {};
		iErr = CreateSoundChannel(&gSndChannels[c], sampledSynth, initStereo, 0);
		GAME_ASSERT(!iErr);
	}

	StopAllEffectChannels();
	LoadSoundBank(SOUND_BANK_MAIN);
}

void ShutdownSound()
{
	if (!gMusicChannel)
		return;			// never started, or already shut down

	StopAllEffectChannels();
	KillSong();

	for (int c = 0; c < MAX_EFFECT_CHANNELS; c++)
	{
		if (gSndChannels[c])
			DisposeSoundChannel(gSndChannels[c]);
		gSndChannels[c] = nullptr;
		ClearChannelInfo(c);
	}
	DisposeSoundChannel(gMusicChannel);
	gMusicChannel = nullptr;

	// No channel is left to read them, so the samples can go.
	for (int i = 0; i < NUM_EFFECTS; i++)
	{
		if (gLoadedEffects[i].sndHandle)
			DisposeHandle(gLoadedEffects[i].sndHandle);
		ClearLoadedEffect(i);
	}
}

//
// Banks
//

static Handle ReadEffectFile(const char* path)
{
	FSSpec spec;
	OSErr err = MakeDataFileSpec(path, &spec);
	GAME_ASSERT_MESSAGE(err == noErr, path);

	int16_t refNum = -1;
	err = FSpOpenDF(&spec, fsRdPerm, &refNum);
	GAME_ASSERT_MESSAGE(err == noErr, path);

	Handle sound = nullptr;
	try
	{
		sound = Tamber::Sound::LoadAIFFAsSoundHandle(refNum);
	}
	catch (const std::exception& e)
	{
		fprintf(stderr, "%s: %s\n", path, e.what());
	}
	FSClose(refNum);
	GAME_ASSERT_MESSAGE(sound, path);
	return sound;
}

void LoadSoundEffect(int effectNum)
{
	AssertEffectNumber(effectNum);
	LoadedEffect& loaded = gLoadedEffects[effectNum];
	if (loaded.sndHandle)
		return;

	const std::string path = EffectFilePath(effectNum);

	Handle sound = ReadEffectFile(path.c_str());
	int32_t offset = 0;
	bool ok = GetSoundHeaderOffset(sound, &offset) == noErr;
	if (ok)
	{
		// Decoded once here, so playing never decodes and never touches the disk.
		try
		{
			Tamber::Sound::DecompressSoundHandle(&sound, &offset);
		}
		catch (const std::exception& e)
		{
			fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
			ok = false;
		}
	}
	if (!ok)
		DisposeHandle(sound);
	GAME_ASSERT_MESSAGE(ok, path.c_str());

	loaded = {sound, offset, -1, 0};
}

void LoadSoundBank(int bankNum)
{
	GAME_ASSERT_MESSAGE(bankNum >= 0 && bankNum < NUM_SOUND_BANKS, "illegal sound bank number");
	for (int i = 0; i < NUM_EFFECTS; i++)
	{
		if (kEffectDefs[i].bank == bankNum)
			LoadSoundEffect(i);
	}
}

void DisposeSoundEffect(int effectNum)
{
	AssertEffectNumber(effectNum);
	LoadedEffect& loaded = gLoadedEffects[effectNum];
	if (!loaded.sndHandle)
		return;

	// Channels play effects in place: no channel may read these samples once
	// they are freed, whatever it was told last.
	for (int16_t c = 0; c < MAX_EFFECT_CHANNELS; c++)
	{
		if (gChannelInfo[c].effectNum != effectNum)
			continue;
		int16_t channel = c;
		StopAChannel(&channel);
		gChannelInfo[c].effectNum = -1;
	}
	Tamber::Sound::QuietChannelsPlaying(*loaded.sndHandle, size_t(GetHandleSize(loaded.sndHandle)));

	DisposeHandle(loaded.sndHandle);
	ClearLoadedEffect(effectNum);
}

void DisposeSoundBank(int bankNum)
{
	GAME_ASSERT_MESSAGE(bankNum >= 0 && bankNum < NUM_SOUND_BANKS, "illegal sound bank number");
	StopAllEffectChannels();
	for (int i = 0; i < NUM_EFFECTS; i++)
	{
		if (kEffectDefs[i].bank == bankNum)
			DisposeSoundEffect(i);
	}
}

bool IsSoundEffectLoaded(int effectNum)
{
	return effectNum >= 0 && effectNum < NUM_EFFECTS && gLoadedEffects[effectNum].sndHandle;
}

//
// Playing effects
//

int16_t PlayEffect(int effectNum)
{
	return PlayEffect_Parms(effectNum, FULL_CHANNEL_VOLUME, FULL_CHANNEL_VOLUME, NORMAL_CHANNEL_RATE);
}

int16_t PlayEffect_Parms(int effectNum, uint32_t leftVolume, uint32_t rightVolume, uint32_t rateMultiplier)
{
	AssertEffectNumber(effectNum);
	LoadedEffect& loaded = gLoadedEffects[effectNum];
	GAME_ASSERT_MESSAGE(loaded.sndHandle, "effect wasn't loaded!");
	const EffectDef& def = kEffectDefs[effectNum];
	const int32_t volumeSum = int32_t(leftVolume + rightVolume);

	// A quieter repeat of a still-playing "only if louder" effect is dropped;
	// a louder one replaces it.
	if ((def.flags & SOUND_FLAG_ONLY_IF_LOUDER) && IsEffectChannelBusy(loaded.lastChannel)
		&& gChannelInfo[loaded.lastChannel].effectNum == effectNum)
	{
		if (volumeSum < loaded.lastVolumeSum)
			return -1;
		int16_t old = loaded.lastChannel;
		StopAChannel(&old);
	}

	int16_t channel = -1;
	for (int16_t c = 0; c < MAX_EFFECT_CHANNELS; c++)
	{
		if (gSndChannels[c] && !IsEffectChannelBusy(c))
		{
			channel = c;
			break;
		}
	}
	if (channel < 0)
		return -1;

	loaded.lastChannel = channel;
	loaded.lastVolumeSum = volumeSum;

	SndChannelPtr chan = gSndChannels[channel];
	const int64_t init = (def.flags & SOUND_FLAG_NO_INTERPOLATION) ? (initStereo | initNoInterp) : initStereo;
	const char* header = *loaded.sndHandle + loaded.headerOffset;
	if (SendSoundCommand(chan, flushCmd) != noErr
		|| SendSoundCommand(chan, quietCmd) != noErr
		|| SendSoundCommand(chan, reInitCmd, 0, init) != noErr
		|| SendSoundCommand(chan, bufferCmd, 0, int64_t(reinterpret_cast<intptr_t>(header))) != noErr)
	{
		return -1;
	}
	SendSoundCommand(chan, volumeCmd, 0,
			MakeVolumeParam(ScaleEffectVolume(leftVolume), ScaleEffectVolume(rightVolume)));
	SendSoundCommand(chan, rateMultiplierCmd, 0, int64_t(rateMultiplier));

	gChannelInfo[channel] = {effectNum, 1.0f, leftVolume, rightVolume};

	if (def.rumbleStrength > 0)
		Rumble(def.rumbleStrength, def.rumbleMilliseconds);
	return channel;
}

void StopAChannel(int16_t* channel)
{
	if (IsValidEffectChannel(*channel))
	{
		SendSoundCommand(gSndChannels[*channel], flushCmd);
		SendSoundCommand(gSndChannels[*channel], quietCmd);
	}
	*channel = -1;
}

void StopAChannelIfEffectNum(int16_t* channel, int effectNum)
{
	if (IsValidEffectChannel(*channel) && gChannelInfo[*channel].effectNum == effectNum)
		StopAChannel(channel);
}

void StopAllEffectChannels()
{
	for (int16_t c = 0; c < MAX_EFFECT_CHANNELS; c++)
	{
		int16_t channel = c;
		StopAChannel(&channel);
	}
}

void ChangeChannelRate(int16_t channel, int32_t rateMultiplier)
{
	if (IsValidEffectChannel(channel))
		SendSoundCommand(gSndChannels[channel], rateMultiplierCmd, 0, rateMultiplier);
}

void ChangeChannelVolume(int16_t channel, int32_t leftVolume, int32_t rightVolume)
{
	if (!IsValidEffectChannel(channel))
		return;
	const uint32_t left = uint32_t(std::max(leftVolume, 0));
	const uint32_t right = uint32_t(std::max(rightVolume, 0));
	SendSoundCommand(gSndChannels[channel], volumeCmd, 0, MakeVolumeParam(ScaleEffectVolume(left), ScaleEffectVolume(right)));
	gChannelInfo[channel].leftVolume = left;
	gChannelInfo[channel].rightVolume = right;
}

void PauseAllChannels(bool pause)
{
	const uint16_t cmd = pause ? tambPauseCmd : tambResumeCmd;
	for (int c = 0; c < MAX_EFFECT_CHANNELS; c++)
	{
		if (gSndChannels[c])
			SendSoundCommand(gSndChannels[c], cmd);
	}
	if (gMusicChannel)
		SendSoundCommand(gMusicChannel, cmd);
}
