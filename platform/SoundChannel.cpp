// Sound channels and their immediate commands.
#include "SoundInternal.h"
#include "Codec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Tamber::Sound
{
	namespace
	{
		constexpr double MAX_CHANNEL_VOLUME = 2.5;

		SndChannel* gChannelList = nullptr;		// main thread only
		int gNumChannels = 0;

		void LinkChannel(SndChannel* record)
		{
			record->prevChan = nullptr;
			record->nextChan = gChannelList;
			if (gChannelList)
				gChannelList->prevChan = record;
			gChannelList = record;
			gNumChannels++;
		}

		void UnlinkChannel(SndChannel* record)
		{
			if (record->prevChan)
				record->prevChan->nextChan = record->nextChan;
			else
				gChannelList = record->nextChan;
			if (record->nextChan)
				record->nextChan->prevChan = record->prevChan;
			record->prevChan = record->nextChan = nullptr;
			gNumChannels--;
		}

		void ApplyPitch(ChannelImpl& impl)
		{
			double ratio = impl.baseNote == impl.playbackNote
				? 1.0
				: GetNoteFrequency(impl.playbackNote) / GetNoteFrequency(impl.baseNote);
			impl.source.SetPitch(ratio * impl.rateMultiplier);
		}

		void ApplyVolume(ChannelImpl& impl)
		{
			impl.volume = std::clamp(impl.volume, 0.0, MAX_CHANNEL_VOLUME);
			impl.source.SetGain(impl.volume);
			impl.source.SetPan(impl.pan);
		}

		void ApplyFlags(ChannelImpl& impl)
		{
			impl.source.SetLoop(impl.loop);
			impl.source.SetInterpolation(impl.interpolate);
		}
	}

	ChannelImpl* GetChannelImpl(SndChannelPtr chan)
	{
		if (!chan || !chan->channelImpl)
			return nullptr;
		auto* impl = static_cast<ChannelImpl*>(chan->channelImpl);
		return impl->record == chan ? impl : nullptr;
	}

	void ApplyChannelSettings(ChannelImpl& impl)
	{
		ApplyPitch(impl);
		ApplyVolume(impl);
		ApplyFlags(impl);
	}

	void InstallSound(ChannelImpl& impl, const SoundInfo& info, bool copySamples)
	{
		// Off the mixer first: from here on the callback reads none of the
		// samples the source had, so replacing them is safe.
		impl.source.RemoveFromMixer();

		const int rate = std::max(1, int(std::lround(info.sampleRate)));
		const auto* data = reinterpret_cast<const uint8_t*>(info.dataStart);

		if (info.isCompressed)
		{
			auto codec = GetCodec(info.format);
			std::vector<uint8_t> pcm(size_t(info.decompressedLength));
			codec->Decode(info.channels, {data, size_t(info.compressedLength)},
						  {reinterpret_cast<int16_t*>(pcm.data()), pcm.size() / 2});
			impl.source.Init(rate, 16, info.channels, false, std::move(pcm));
		}
		else
		{
			const bool signed8 = info.bitDepth == 8 && info.format != FOUR_CC("raw ");
			const size_t size = size_t(info.decompressedLength);
			if (copySamples)
				impl.source.Init(rate, info.bitDepth, info.channels, info.bigEndian,
								 std::vector<uint8_t>(data, data + size), signed8);
			else
				impl.source.Init(rate, info.bitDepth, info.channels, info.bigEndian, data, size, signed8);
		}

		impl.baseNote = uint8_t(std::clamp(info.baseNote, 0, 255));
		impl.loop = info.loopEnd - info.loopStart > 1;
		if (impl.loop)
			impl.source.SetLoopStart(info.loopStart);
		ApplyChannelSettings(impl);
	}

	void QuietChannelsPlaying(const void* begin, size_t size)
	{
		const auto* lo = static_cast<const uint8_t*>(begin);
		for (SndChannel* c = gChannelList; c; c = c->nextChan)
		{
			ChannelImpl* impl = GetChannelImpl(c);
			const auto* data = static_cast<const uint8_t*>(impl->source.GetData());
			if (data && std::less_equal<>()(lo, data) && std::less<>()(data, lo + size))
				impl->source.Stop();
		}
	}

	int GetNumChannels()
	{
		return gNumChannels;
	}

	void Init()
	{
		cmixer::Init();
	}

	void Shutdown()
	{
		while (gChannelList)
			DisposeSoundChannel(gChannelList);
		cmixer::Shutdown();
	}
}

using namespace Tamber::Sound;

OSErr CreateSoundChannel(SndChannelPtr* chan, int16_t synth, int32_t init, intptr_t userInfo)
{
	if (!chan)
		return paramErr;
	if (synth != sampledSynth)
		return unimpErr;

	auto* impl = new ChannelImpl;
	if (!*chan)
	{
		*chan = new SndChannel{};
		impl->ownsRecord = true;
	}
	SndChannel* record = *chan;
	record->userInfo = userInfo;
	record->channelImpl = impl;
	impl->record = record;
	LinkChannel(record);

	impl->interpolate = !(init & initNoInterp);
	ApplyChannelSettings(*impl);
	return noErr;
}

OSErr DisposeSoundChannel(SndChannelPtr chan, bool /*quietNow*/)
{
	ChannelImpl* impl = GetChannelImpl(chan);
	if (!impl)
		return badChannel;

	UnlinkChannel(chan);
	impl->source.RemoveFromMixer();
	const bool ownsRecord = impl->ownsRecord;
	delete impl;		// frees the samples the source held
	chan->channelImpl = nullptr;
	if (ownsRecord)
		delete chan;
	return noErr;
}

OSErr SndDoImmediate(SndChannelPtr chan, const SoundCommand* cmd)
{
	ChannelImpl* impl = GetChannelImpl(chan);
	if (!impl)
		return badChannel;
	if (!cmd)
		return paramErr;

	const uint32_t low32 = uint32_t(uint64_t(cmd->param2));
	switch (cmd->cmd & 0x7FFF)
	{
		case quietCmd:
			impl->source.Stop();
			break;

		case flushCmd:
			break;			// there is no queue

		case reInitCmd:
			impl->interpolate = !(low32 & initNoInterp);
			ApplyFlags(*impl);
			break;

		case freqCmd:
			impl->playbackNote = uint8_t(low32 & 0xFF);
			ApplyPitch(*impl);
			break;

		case ampCmd:
			impl->volume = cmd->param1 / 256.0;
			ApplyVolume(*impl);
			break;

		case volumeCmd:
		{
			const double left = low32 & 0xFFFF;
			const double right = low32 >> 16;
			impl->pan = left + right == 0 ? 0.0 : right / (left + right) * 2.0 - 1.0;
			impl->volume = std::max(left, right) / 256.0;
			ApplyVolume(*impl);
			break;
		}

		case soundCmd:
		case bufferCmd:
		{
			const char* header = reinterpret_cast<const char*>(cmd->param2);
			if (!header)
				return paramErr;
			SoundInfo info;
			GetSoundInfo(header, info);
			InstallSound(*impl, info, false);
			impl->source.Play();
			break;
		}

		case rateCmd:
		case rateMultiplierCmd:
			impl->rateMultiplier = double(cmd->param2) / 65536.0;
			ApplyPitch(*impl);
			break;

		case tambLoopCmd:
			impl->loop = cmd->param1 != 0;
			ApplyFlags(*impl);
			break;

		case tambPauseCmd:
			if (impl->source.GetState() == cmixer::CM_STATE_PLAYING)
				impl->source.TogglePause();
			break;

		case tambResumeCmd:
			if (impl->source.GetState() == cmixer::CM_STATE_PAUSED)
				impl->source.TogglePause();
			break;

		default:
			break;
	}
	return noErr;
}

OSErr GetChannelStatus(SndChannelPtr chan, int16_t size, SCStatus* status)
{
	if (!status || size < int16_t(sizeof(SCStatus)))
		return paramErr;
	ChannelImpl* impl = GetChannelImpl(chan);
	if (!impl)
		return badChannel;

	std::memset(status, 0, sizeof(SCStatus));
	const int state = impl->source.GetState();
	status->scChannelBusy = state == cmixer::CM_STATE_PLAYING || state == cmixer::CM_STATE_PAUSED;
	status->scChannelPaused = state == cmixer::CM_STATE_PAUSED;
	return noErr;
}
