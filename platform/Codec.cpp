#include "Codec.h"

#include <stdexcept>
#include <string>

namespace Tamber::Sound
{
	std::string FourCCToString(OSType fourCC)
	{
		std::string text;
		for (int shift = 24; shift >= 0; shift -= 8)
		{
			char c = char((fourCC >> shift) & 0xFF);
			if (c >= 0x20 && c < 0x7F)
				text += c;
		}
		return text;
	}

	std::unique_ptr<Codec> GetCodec(OSType fourCC)
	{
		switch (fourCC)
		{
			case FOUR_CC("MAC3"):
				return std::make_unique<MACE>();
			case FOUR_CC("ima4"):
				return std::make_unique<IMA4>();
			case FOUR_CC("ulaw"):
			case FOUR_CC("alaw"):
				return std::make_unique<xlaw>(fourCC);
			default:
				throw std::runtime_error("Unknown audio codec: " + FourCCToString(fourCC));
		}
	}
}
