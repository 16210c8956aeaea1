// AIFF and AIFF-C sound files, read into the platform's pre-decoded sound
// handle (Sound.h). Compressed data stays compressed in the handle; it is
// decoded when the sound is decompressed or put on a channel.
#pragma once

#include "Sound.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace Tamber::Sound
{
	struct AIFFSound
	{
		SoundInfo info;			// dataStart points into the file bytes
		size_t dataOffset;		// where the sample data starts in the file
		size_t dataLength;		// bytes of sample data used (info.compressedLength)
	};

	// Parses a whole file. Every format fault throws std::runtime_error with a
	// message starting "AIFF: " or naming the unknown compression.
	AIFFSound ReadAIFF(std::span<const uint8_t> file);

	// ReadAIFF, then a pre-decoded handle holding a copy of the sample data.
	Handle LoadAIFFAsSoundHandle(std::span<const uint8_t> file);

	// The same over an open data fork, read whole from its start.
	Handle LoadAIFFAsSoundHandle(int16_t refNum);

	// The value of an 80-bit IEEE extended float (big-endian), decoded by hand:
	// `long double` is not that format everywhere.
	double ReadExtended80(const uint8_t bytes[10]);
}
