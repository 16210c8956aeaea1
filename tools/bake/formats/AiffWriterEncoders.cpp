// Encoders for the baked sounds. Each runs the decoder's own step on what it
// emits, so encoder and decoder never drift apart.
#include "formats/AiffWriter.h"
#include "CodecTables.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>

using namespace Tamber::Sound;

namespace Bake
{
	namespace
	{
		void CheckChannels(std::span<const int16_t> samples, int channels)
		{
			if (channels < 1 || samples.size() % size_t(channels) != 0)
				throw std::invalid_argument("encoder: samples are not whole frames");
		}

		int16_t SampleAt(std::span<const int16_t> samples, size_t frame, int channel, int channels)
		{
			size_t i = frame * size_t(channels) + size_t(channel);
			return i < samples.size() ? samples[i] : 0;		// silence pads the last packet
		}

		int EncodeImaNibble(IMAChannelState& state, int sample)
		{
			int step = IMA_STEP_TABLE[state.stepIndex];
			int diff = sample - state.predictor;
			int nibble = 0;
			if (diff < 0)
			{
				nibble = 8;
				diff = -diff;
			}
			if (diff >= step) { nibble |= 4; diff -= step; }
			step >>= 1;
			if (diff >= step) { nibble |= 2; diff -= step; }
			step >>= 1;
			if (diff >= step) nibble |= 1;
			IMAExpandNibble(state, nibble);
			return nibble;
		}

		// The 256 codes of a law sorted by the value they decode to.
		struct SortedLaw
		{
			std::array<int16_t, 256> value;
			std::array<uint8_t, 256> code;
		};

		SortedLaw SortLaw(const XLawTable& table)
		{
			std::array<std::pair<int16_t, uint8_t>, 256> pairs;
			for (int c = 0; c < 256; c++)
				pairs[size_t(c)] = {XLawExpand(table, uint8_t(c)), uint8_t(c)};
			std::sort(pairs.begin(), pairs.end());
			SortedLaw law;
			for (size_t i = 0; i < 256; i++)
			{
				law.value[i] = pairs[i].first;
				law.code[i] = pairs[i].second;
			}
			return law;
		}

		std::vector<uint8_t> EncodeLaw(std::span<const int16_t> samples, const XLawTable& table)
		{
			const SortedLaw law = SortLaw(table);
			std::vector<uint8_t> out;
			out.reserve(samples.size());
			for (int16_t s : samples)
			{
				// The nearest decodable value.
				size_t hi = size_t(std::lower_bound(law.value.begin(), law.value.end(), s) - law.value.begin());
				size_t best = std::min<size_t>(hi, 255);
				if (hi > 0 && (hi == 256 || std::abs(s - law.value[hi - 1]) <= std::abs(law.value[hi] - s)))
					best = hi - 1;
				out.push_back(law.code[best]);
			}
			return out;
		}
	}

	std::vector<uint8_t> EncodeIma4(std::span<const int16_t> samples, int channels)
	{
		CheckChannels(samples, channels);
		const size_t frames = samples.size() / size_t(channels);
		const size_t groups = (frames + 63) / 64;
		std::vector<IMAChannelState> states(static_cast<size_t>(channels));
		std::vector<uint8_t> out;
		out.reserve(groups * 34 * size_t(channels));

		for (size_t g = 0; g < groups; g++)
		{
			for (int c = 0; c < channels; c++)
			{
				IMAChannelState& state = states[size_t(c)];
				// The header carries the running state, so a decoder that has it
				// keeps it (the difference is under 128).
				uint16_t header = uint16_t((uint16_t(int16_t(state.predictor)) & 0xFF80) | state.stepIndex);
				out.push_back(uint8_t(header >> 8));
				out.push_back(uint8_t(header));
				for (int k = 0; k < 64; k += 2)
				{
					int low = EncodeImaNibble(state, SampleAt(samples, g * 64 + size_t(k), c, channels));
					int high = EncodeImaNibble(state, SampleAt(samples, g * 64 + size_t(k) + 1, c, channels));
					out.push_back(uint8_t(low | high << 4));
				}
			}
		}
		return out;
	}

	std::vector<uint8_t> EncodeMace3(std::span<const int16_t> samples, int channels)
	{
		CheckChannels(samples, channels);
		const size_t frames = samples.size() / size_t(channels);
		const size_t packets = (frames + 5) / 6;
		std::vector<MACEChannelState> states(static_cast<size_t>(channels));
		std::vector<uint8_t> out;
		out.reserve(packets * 2 * size_t(channels));

		for (size_t p = 0; p < packets; p++)
		{
			for (int c = 0; c < channels; c++)
			{
				MACEChannelState& state = states[size_t(c)];
				for (int k = 0; k < 2; k++)
				{
					int codes[3];
					for (int part = 0; part < 3; part++)
					{
						// Greedy: the code whose result lands nearest this sample.
						const int target = SampleAt(samples, p * 6 + size_t(k) * 3 + size_t(part), c, channels);
						const int count = part == 1 ? 4 : 8;
						int bestCode = 0;
						int bestError = 1 << 30;
						MACEChannelState bestState = state;
						for (int code = 0; code < count; code++)
						{
							MACEChannelState trial = state;
							int error = std::abs(MACEExpand(trial, code, part) - target);
							if (error < bestError)
							{
								bestError = error;
								bestCode = code;
								bestState = trial;
							}
						}
						state = bestState;
						codes[part] = bestCode;
					}
					out.push_back(uint8_t(codes[0] | codes[1] << 3 | codes[2] << 5));
				}
			}
		}
		return out;
	}

	std::vector<uint8_t> EncodeULaw(std::span<const int16_t> samples)
	{
		return EncodeLaw(samples, ULAW_TABLE);
	}

	std::vector<uint8_t> EncodeALaw(std::span<const int16_t> samples)
	{
		return EncodeLaw(samples, ALAW_TABLE);
	}
}
