#include "Codec.h"
#include "CodecTables.h"

#include <stdexcept>
#include <vector>

namespace Tamber::Sound
{
	// Per packet and channel: 2 bytes, each giving 3 samples; the packets of
	// the channels are interleaved.
	void MACE::Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output)
	{
		if (channels < 1)
			throw std::invalid_argument("MACE: invalid channel count");
		if (input.size() % (2 * size_t(channels)) != 0)
			throw std::invalid_argument("odd input buffer size");
		if (output.size() != input.size() * 3)
			throw std::invalid_argument("incorrect output size");

		std::vector<MACEChannelState> states(static_cast<size_t>(channels));
		const size_t packets = input.size() / (2 * size_t(channels));
		const uint8_t* in = input.data();

		for (size_t packet = 0; packet < packets; packet++)
		{
			int16_t* frameOut = output.data() + packet * 6 * size_t(channels);
			for (int chan = 0; chan < channels; chan++)
			{
				MACEChannelState& state = states[size_t(chan)];
				int16_t* out = frameOut + chan;
				for (int k = 0; k < 2; k++)
				{
					uint8_t byte = *in++;
					const int codes[3] = {byte & 7, (byte >> 3) & 3, byte >> 5};
					for (int part = 0; part < 3; part++)
					{
						*out = MACEToOutput(MACEExpand(state, codes[part], part));
						out += channels;
					}
				}
			}
		}
	}
}
