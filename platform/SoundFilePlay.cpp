// Songs streamed from AIFF files on a channel.
#include "SoundInternal.h"
#include "Aiff.h"
#include "FilesInternal.h"
#include "Memory.h"

#include <SDL.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>

namespace Tamber::Sound
{
	namespace
	{
		bool EndsWithNoCase(const std::string& text, const char* suffix)
		{
			const size_t n = std::strlen(suffix);
			if (text.size() < n)
				return false;
			for (size_t i = 0; i < n; i++)
			{
				if (std::tolower(uint8_t(text[text.size() - n + i])) != std::tolower(uint8_t(suffix[i])))
					return false;
			}
			return true;
		}

		struct HandleDeleter
		{
			void operator()(char** h) const { DisposeHandle(h); }
		};
		using HandleOwner = std::unique_ptr<char*, HandleDeleter>;

		// Installs the pre-decoded file sound (its samples copied) and starts it.
		void PlayFileSound(ChannelImpl& impl, Handle sound, FilePlayCompletionProcPtr completion, bool async)
		{
			SoundInfo info;
			GetSoundInfo(*sound + 2, info, size_t(GetHandleSize(sound)) - 2);
			InstallSound(impl, info, true);

			if (completion)
			{
				SndChannel* chan = impl.record;
				impl.source.SetOnComplete([chan, completion] { completion(chan); });
			}
			impl.source.Play();

			if (!async)
			{
				while (impl.source.GetState() != cmixer::CM_STATE_STOPPED)
					SDL_Delay(100);
				impl.source.RemoveFromMixer();
			}
		}
	}

	bool IsAIFFFileName(const char* name)
	{
		if (!name)
			return false;
		std::string text(name);
		return EndsWithNoCase(text, ".aiff") || EndsWithNoCase(text, ".aifc") || EndsWithNoCase(text, ".aif");
	}

	OSErr StartFilePlayFromMemory(SndChannelPtr chan, const char* fileName, std::span<const uint8_t> file,
								  FilePlayCompletionProcPtr completion, bool async)
	{
		ChannelImpl* impl = GetChannelImpl(chan);
		if (!impl)
			return async ? OSErr(badChannel) : OSErr(unimpErr);
		if (!IsAIFFFileName(fileName))
			return badFileFormat;

		HandleOwner sound(LoadAIFFAsSoundHandle(file));
		PlayFileSound(*impl, sound.get(), completion, async);
		return noErr;
	}
}

using namespace Tamber::Sound;

OSErr SndStartFilePlay(SndChannelPtr chan, int16_t fRefNum, int16_t resNum, int32_t /*bufferSize*/, void* /*buffer*/,
					   void* selection, FilePlayCompletionProcPtr completion, bool async)
{
	if (resNum != 0 || selection)
		return unimpErr;
	ChannelImpl* impl = GetChannelImpl(chan);
	if (!impl)
		return async ? OSErr(badChannel) : OSErr(unimpErr);

	OSErr err = noErr;
	Tamber::Files::ForkHandle* fork = Tamber::Files::FindFork(fRefNum, err);
	if (!fork)
		return err;
	if (!IsAIFFFileName(fork->spec.name))
		return badFileFormat;

	HandleOwner sound(LoadAIFFAsSoundHandle(fRefNum));
	PlayFileSound(*impl, sound.get(), completion, async);
	return noErr;
}

OSErr PauseFilePlay(SndChannelPtr chan)
{
	ChannelImpl* impl = GetChannelImpl(chan);
	if (!impl)
		return badChannel;
	impl->source.TogglePause();
	return noErr;
}

OSErr StopFilePlay(SndChannelPtr chan, bool /*quietNow*/)
{
	ChannelImpl* impl = GetChannelImpl(chan);
	if (!impl)
		return badChannel;
	impl->source.Stop();
	return noErr;
}
