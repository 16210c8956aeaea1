// A small offline synthesiser for the baked sounds: oscillators, noise,
// filters, envelopes and buffer operations on float samples (-1..1) at one
// fixed rate. Everything is deterministic: noise comes from seeded generators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Synth
{
	constexpr int SAMPLE_RATE = 22050;
	constexpr float PI = 3.14159265358979f;
	constexpr float TWO_PI = 2.0f * PI;

	using Buffer = std::vector<float>;

	// Frames in `seconds` (at least 1).
	int Frames(float seconds);
	inline float Seconds(int frames) { return float(frames) / float(SAMPLE_RATE); }

	// xorshift32: cheap, seeded, the same on every machine.
	struct Rng
	{
		uint32_t state;
		explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
		uint32_t Next()
		{
			state ^= state << 13;
			state ^= state >> 17;
			state ^= state << 5;
			return state;
		}
		float Uniform() { return float(Next() >> 8) * (1.0f / 16777216.0f); }	// 0..1
		float Bipolar() { return Uniform() * 2.0f - 1.0f; }						// -1..1
		float Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
		int Int(int lo, int hi) { return lo + int(Next() % uint32_t(hi - lo + 1)); }	// lo..hi
	};

	// Sine of a phase given in cycles (table lookup, interpolated).
	float SinCycles(float phase);

	// A phase-accumulating oscillator: frequency may change every sample.
	struct Osc
	{
		double phase = 0;		// cycles, kept in 0..1

		float Advance(float hz);		// returns the phase before the step
		float Sine(float hz) { return SinCycles(Advance(hz)); }
		float Triangle(float hz);
		float Saw(float hz);			// band-limited at the edge
		float Square(float hz, float duty = 0.5f);
	};

	// Frequency of a MIDI note (69 = 440 Hz).
	float NoteHz(float note);

	// State-variable filter (trapezoidal); cutoff may change every sample.
	struct SVF
	{
		float ic1 = 0, ic2 = 0;
		float lastCutoff = -1, lastResonance = -1;		// coefficients kept while these hold
		float a1 = 0, a2 = 0, a3 = 0, k = 0;
		struct Out { float low, band, high; };
		Out Process(float x, float cutoffHz, float resonance);		// resonance 0..~0.97
		float Low(float x, float hz, float res = 0.0f) { return Process(x, hz, res).low; }
		float Band(float x, float hz, float res = 0.0f) { return Process(x, hz, res).band; }
		float High(float x, float hz, float res = 0.0f) { return Process(x, hz, res).high; }
	};

	struct OnePole
	{
		float z = 0;
		float Low(float x, float hz);
		float High(float x, float hz) { return x - Low(x, hz); }
	};

	// Envelopes and curves over time t (seconds).
	float Decay(float t, float timeConstant);				// exp(-t / tc)
	float AttackDecay(float t, float attack, float timeConstant);
	// Attack, decay to sustain level, hold until `length`, then release.
	float ADSR(float t, float attack, float decay, float sustain, float release, float length);
	float Ramp(float t, float t0, float t1);				// 0 before t0, 1 after t1, linear between
	float Smooth(float u);									// smoothstep of 0..1
	float Lerp(float a, float b, float u);
	float ExpLerp(float a, float b, float u);				// geometric; a, b > 0
	float Window(float t, float t0, float t1, float fade);	// 1 inside [t0, t1], faded edges

	// A buffer of `seconds` with f(t, i) in each frame.
	template <typename F>
	Buffer Generate(float seconds, F f)
	{
		Buffer b(size_t(Frames(seconds)));
		for (size_t i = 0; i < b.size(); i++)
			b[i] = f(float(i) / float(SAMPLE_RATE), int(i));
		return b;
	}

	// Adds `src` × gain into dst starting at `atSeconds`, growing dst as needed.
	void MixInto(Buffer& dst, const Buffer& src, float gain = 1.0f, float atSeconds = 0.0f);
	void Scale(Buffer& b, float gain);
	void Normalize(Buffer& b, float peak);
	float Peak(const Buffer& b);
	void FadeIn(Buffer& b, float seconds);
	void FadeOut(Buffer& b, float seconds);
	void Drive(Buffer& b, float amount);					// tanh saturation, same peak scale
	void Lowpass(Buffer& b, float hz, float resonance = 0.0f);
	void Highpass(Buffer& b, float hz, float resonance = 0.0f);
	void Bandpass(Buffer& b, float hz, float resonance = 0.0f);
	// Echoes `repeats` times; the buffer grows to hold them.
	void Echo(Buffer& b, float delaySeconds, float feedback, int repeats);
	// Small room: a few short comb echoes mixed in.
	void Room(Buffer& b, float size, float mix);
	// Amplitude modulation: b × (1 - depth + depth × (0.5 + 0.5 sin)).
	void Tremolo(Buffer& b, float hz, float depth);
	// Reads `b` at a varying speed (speed(t) = 1 plays as is).
	template <typename F>
	Buffer Warp(const Buffer& b, float seconds, F speed)
	{
		Buffer out(size_t(Frames(seconds)));
		double pos = 0;
		for (size_t i = 0; i < out.size(); i++)
		{
			size_t j = size_t(pos);
			if (j + 1 >= b.size())
				break;
			float frac = float(pos - double(j));
			out[i] = b[j] + (b[j + 1] - b[j]) * frac;
			pos += double(speed(float(i) / float(SAMPLE_RATE)));
		}
		return out;
	}

	// A seamless loop: the first `loopStart` frames play once, then
	// [loopStart, loopStart + loopFrames) repeats; the seam is crossfaded over
	// `crossfade` frames. With no lead-in (loopStart 0) the source must run on
	// for `crossfade` frames past the loop; otherwise loopStart must be at
	// least `crossfade`. Result: loopStart + loopFrames frames.
	Buffer MakeLoop(const Buffer& source, int loopStart, int loopFrames, int crossfade);

	// Subtracts the mean of [from, end): keeps a loop's seam intact.
	void RemoveMean(Buffer& b, size_t from = 0);
	// Removes slow drift with a gentle high-pass (one-shots only).
	void RemoveDC(Buffer& b);

	// To 16-bit with rounding and clipping.
	std::vector<int16_t> ToPcm16(const Buffer& b);
}
