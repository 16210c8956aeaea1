// libFuzzer harness: a sound file or 'snd ' resource, read the way a bank or a
// song is loaded. Every input must either be refused (runtime_error or
// invalid_argument, the readers' and codecs' refusals) or give a sound whose
// data lies inside the input and decodes within its buffer. Any other
// exception escapes and counts as a crash.
#include "Aiff.h"
#include "Memory.h"
#include "Sound.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <stdexcept>

using namespace Tamber::Sound;

namespace
{
	// Decodes the sound in place and checks the decoded handle holds its samples.
	void DecodeAndCheck(Handle* h)
	{
		int32_t offset = 0;
		DecompressSoundHandle(h, &offset);
		if (offset != 2)
			std::abort();
		SoundInfo info;
		const size_t available = size_t(GetHandleSize(*h)) - 2;
		GetSoundInfo(**h + 2, info, available);
		if (size_t(info.decompressedLength) > available - sizeof(SoundInfo) - 4)
			std::abort();
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const std::span<const uint8_t> file(data, size);

	try
	{
		AIFFSound sound = ReadAIFF(file);
		if (sound.dataOffset > size || sound.dataLength > size - sound.dataOffset)
			std::abort();
		Handle h = LoadAIFFAsSoundHandle(file);
		try
		{
			DecodeAndCheck(&h);
		}
		catch (const std::runtime_error&)
		{
		}
		catch (const std::invalid_argument&)
		{
		}
		DisposeHandle(h);
	}
	catch (const std::runtime_error&)		// refused: damaged or unsupported
	{
	}
	catch (const std::invalid_argument&)
	{
	}

	// The same bytes as an 'snd ' resource.
	Handle h = NewHandle(int32_t(size));
	if (size)
		std::memcpy(*h, data, size);
	try
	{
		DecodeAndCheck(&h);
	}
	catch (const std::runtime_error&)
	{
	}
	catch (const std::invalid_argument&)
	{
	}
	DisposeHandle(h);
	return 0;
}
