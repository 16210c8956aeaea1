// Shared between the sound channel files: the channel implementation.
#pragma once

#include "Sound.h"
#include "cmixer.h"

namespace Tamber::Sound
{
	struct ChannelImpl
	{
		SndChannel* record = nullptr;
		bool ownsRecord = false;
		cmixer::WavStream source;
		uint8_t baseNote = 60;
		uint8_t playbackNote = 60;
		double volume = 1.0;
		double pan = 0.0;
		double rateMultiplier = 1.0;
		bool loop = false;
		bool interpolate = true;
	};

	// The channel's implementation, or null for a channel this layer doesn't know.
	ChannelImpl* GetChannelImpl(SndChannelPtr chan);

	// Puts a sound on the channel's source: compressed sound is decoded into a
	// buffer the source owns; otherwise the source plays the samples in place,
	// or a copy of them when `copySamples` is set. The sound's own loop (if it
	// has one) sets the channel's loop flag; a later loop command overrides it.
	void InstallSound(ChannelImpl& impl, const SoundInfo& info, bool copySamples);

	// Pushes pitch, volume and pan, loop and interpolation to the source.
	void ApplyChannelSettings(ChannelImpl& impl);
}
