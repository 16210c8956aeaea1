// State shared by the files of the game's sound module.
#pragma once

#include "System/Sound.h"
#include "Aiff.h"

struct LoadedEffect
{
	Handle sndHandle;			// pre-decoded sound; null when not loaded
	int32_t headerOffset;		// of the sound header inside the handle
	int16_t lastChannel;		// -1 none
	int32_t lastVolumeSum;		// left + right of that last start
};

// What each effect channel last started.
struct EffectChannelInfo
{
	int32_t effectNum;			// -1 none
	float volumeAdjust;			// the factor 3D updates keep using
	uint32_t leftVolume;
	uint32_t rightVolume;
};

extern LoadedEffect gLoadedEffects[NUM_EFFECTS];
extern EffectChannelInfo gChannelInfo[MAX_EFFECT_CHANNELS];
extern SndChannelPtr gSndChannels[MAX_EFFECT_CHANNELS];
extern SndChannelPtr gMusicChannel;

// Sends one immediate command.
OSErr SendSoundCommand(SndChannelPtr chan, uint16_t cmd, int16_t param1 = 0, int64_t param2 = 0);

// The volume command's parameter: right in the high 16 bits, left in the low.
int64_t MakeVolumeParam(uint32_t leftVolume, uint32_t rightVolume);

inline bool IsValidEffectChannel(int16_t channel)
{
	return channel >= 0 && channel < MAX_EFFECT_CHANNELS && gSndChannels[channel];
}

// Song state, reset when the channels go.
void ResetSongState();
