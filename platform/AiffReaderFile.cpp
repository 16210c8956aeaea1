// The AIFF reader over an open data fork.
#include "Aiff.h"
#include "Files.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace Tamber::Sound
{
	Handle LoadAIFFAsSoundHandle(int16_t refNum)
	{
		int32_t size = 0;
		OSErr err = GetEOF(refNum, &size);
		if (err == noErr)
			err = SetFPos(refNum, fsFromStart, 0);
		if (err != noErr)
			throw std::runtime_error("AIFF: can't read the file (error " + std::to_string(err) + ")");

		std::vector<uint8_t> bytes(size_t(std::max(size, 0)));
		int32_t count = size;
		err = FSRead(refNum, &count, bytes.data());
		if ((err != noErr && err != eofErr) || count != size)
			throw std::runtime_error("AIFF: short read");
		return LoadAIFFAsSoundHandle(std::span<const uint8_t>(bytes));
	}
}
