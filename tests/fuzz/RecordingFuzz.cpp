// libFuzzer harness: the input-recording reader. Every input must either be
// refused with a reason or decode to a recording that encodes back to exactly
// the same bytes; nothing may read out of bounds.
#include "System/Recording.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	InputRecording recording;
	std::string error;
	if (!DecodeRecording(data, size, &recording, &error))
	{
		if (error.empty())
			abort();		// a refusal always says why
		return 0;
	}
	std::vector<uint8_t> again;
	EncodeRecording(recording, &again);
	if (again.size() != size || memcmp(again.data(), data, size) != 0)
		abort();
	return 0;
}
