#include "Codec.h"
#include "CodecTables.h"

#include <stdexcept>

namespace Tamber::Sound
{
	xlaw::xlaw(OSType fourCC)
	{
		if (fourCC == FOUR_CC("ulaw"))
			alaw = false;
		else if (fourCC == FOUR_CC("alaw"))
			alaw = true;
		else
			throw std::invalid_argument("unknown xlaw fourCC");
	}

	void xlaw::Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output)
	{
		if (channels < 1 || input.size() % size_t(channels) != 0)
			throw std::invalid_argument("ulaw: invalid channel count");
		if (output.size() != input.size())
			throw std::invalid_argument("ulaw: incorrect input/output buffer sizes");

		const XLawTable& table = alaw ? ALAW_TABLE : ULAW_TABLE;
		for (size_t i = 0; i < input.size(); i++)
			output[i] = XLawExpand(table, input[i]);
	}
}
