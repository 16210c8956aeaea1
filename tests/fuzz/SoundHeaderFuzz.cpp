// libFuzzer harness: a sampled-sound ('snd ') resource as the game holds it in
// memory. Every input must either be refused (runtime_error or
// invalid_argument) or give a header inside the resource whose samples, once
// decoded, fit the decoded handle.
#include "Memory.h"
#include "Sound.h"
#include "SoundInternal.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

using namespace Tamber::Sound;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	Handle h = NewHandle(int32_t(size));
	if (size)
		memcpy(*h, data, size);
	try
	{
		int32_t offset = -1;
		if (GetSoundHeaderOffset(h, &offset) == noErr && (offset < 0 || size_t(offset) > size))
			abort();

		int32_t decodedOffset = 0;
		DecompressSoundHandle(&h, &decodedOffset);
		const size_t available = size_t(GetHandleSize(h)) - size_t(decodedOffset);
		SoundInfo info;
		GetSoundInfo(*h + decodedOffset, info, available);
		if (info.decompressedLength < 0 || size_t(info.decompressedLength) > available)
			abort();
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
