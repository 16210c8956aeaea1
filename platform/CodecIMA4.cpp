#include "Codec.h"
#include "CodecTables.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace Tamber::Sound
{
	// Each 34-byte packet: a big-endian header (predictor in the top 9 bits,
	// step index in the low 7) and 32 bytes of nibbles, low nibble first, for
	// 64 samples of one channel. The channels' packets are interleaved.
	void IMA4::Decode(int channels, std::span<const uint8_t> input, std::span<int16_t> output)
	{
		if (channels < 1)
			throw std::invalid_argument("IMA4: invalid channel count");
		// A whole packet for every channel: a stereo stream of an odd number of
		// packets would otherwise read past the end.
		if (input.size() % (34 * size_t(channels)) != 0)
			throw std::invalid_argument("odd input buffer size");
		const size_t packets = input.size() / 34;
		if (output.size() != packets * 64)
			throw std::invalid_argument("incorrect output size");

		std::vector<IMAChannelState> states(static_cast<size_t>(channels));
		const size_t groups = packets / size_t(channels);
		const uint8_t* in = input.data();

		for (size_t group = 0; group < groups; group++)
		{
			int16_t* groupOut = output.data() + group * 64 * size_t(channels);
			for (int chan = 0; chan < channels; chan++)
			{
				IMAChannelState& state = states[size_t(chan)];
				int header = int16_t(uint16_t(in[0] << 8 | in[1]));
				int predictor = header & ~0x7F;
				int stepIndex = header & 0x7F;
				in += 2;

				int distance = predictor - state.predictor;
				if (stepIndex != state.stepIndex || distance > 127 || distance < -127)
				{
					state.predictor = predictor;
					state.stepIndex = stepIndex;
				}
				if (state.stepIndex > IMA_MAX_STEP_INDEX)
					throw std::invalid_argument("step_index[" + std::to_string(chan) + "]>88!");

				int16_t* out = groupOut + chan;
				for (int k = 0; k < 32; k++)
				{
					uint8_t byte = *in++;
					*out = IMAExpandNibble(state, byte & 0x0F);
					out += channels;
					*out = IMAExpandNibble(state, byte >> 4);
					out += channels;
				}
			}
		}
	}
}
