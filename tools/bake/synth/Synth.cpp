#include "synth/Synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Synth
{
	namespace
	{
		constexpr int SINE_TABLE_SIZE = 4096;

		const std::array<float, SINE_TABLE_SIZE + 1>& SineTable()
		{
			static const auto table = []
			{
				std::array<float, SINE_TABLE_SIZE + 1> t{};
				for (int i = 0; i <= SINE_TABLE_SIZE; i++)
					t[size_t(i)] = float(std::sin(2.0 * 3.14159265358979323846 * i / SINE_TABLE_SIZE));
				return t;
			}();
			return table;
		}

		// Smooths the jump of a saw or square edge over one sample either side.
		float PolyBlep(float t, float dt)
		{
			if (t < dt)
			{
				t /= dt;
				return t + t - t * t - 1.0f;
			}
			if (t > 1.0f - dt)
			{
				t = (t - 1.0f) / dt;
				return t * t + t + t + 1.0f;
			}
			return 0.0f;
		}
	}

	int Frames(float seconds)
	{
		return std::max(1, int(std::lround(double(seconds) * SAMPLE_RATE)));
	}

	float SinCycles(float phase)
	{
		phase -= std::floor(phase);
		const float x = phase * SINE_TABLE_SIZE;
		const int i = std::min(int(x), SINE_TABLE_SIZE - 1);
		const float frac = x - float(i);
		const auto& t = SineTable();
		return t[size_t(i)] + (t[size_t(i) + 1] - t[size_t(i)]) * frac;
	}

	float Osc::Advance(float hz)
	{
		const float before = float(phase);
		phase += double(hz) / SAMPLE_RATE;
		phase -= std::floor(phase);
		return before;
	}

	float Osc::Triangle(float hz)
	{
		const float p = Advance(hz);
		return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
	}

	float Osc::Saw(float hz)
	{
		const float dt = std::clamp(std::fabs(hz) / float(SAMPLE_RATE), 1e-6f, 0.5f);
		const float p = Advance(hz);
		return 2.0f * p - 1.0f - PolyBlep(p, dt);
	}

	float Osc::Square(float hz, float duty)
	{
		const float dt = std::clamp(std::fabs(hz) / float(SAMPLE_RATE), 1e-6f, 0.5f);
		const float p = Advance(hz);
		float v = p < duty ? 1.0f : -1.0f;
		v += PolyBlep(p, dt);
		float q = p - duty;
		q -= std::floor(q);
		v -= PolyBlep(q, dt);
		return v;
	}

	float NoteHz(float note)
	{
		return 440.0f * std::exp2((note - 69.0f) / 12.0f);
	}

	SVF::Out SVF::Process(float x, float cutoffHz, float resonance)
	{
		if (cutoffHz != lastCutoff || resonance != lastResonance)
		{
			lastCutoff = cutoffHz;
			lastResonance = resonance;
			const float fc = std::clamp(cutoffHz, 10.0f, float(SAMPLE_RATE) * 0.45f);
			const float g = std::tan(PI * fc / float(SAMPLE_RATE));
			k = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f);
			a1 = 1.0f / (1.0f + g * (g + k));
			a2 = g * a1;
			a3 = g * a2;
		}
		const float v3 = x - ic2;
		const float v1 = a1 * ic1 + a2 * v3;
		const float v2 = ic2 + a2 * ic1 + a3 * v3;
		ic1 = 2.0f * v1 - ic1;
		ic2 = 2.0f * v2 - ic2;
		return {v2, v1, x - k * v1 - v2};
	}

	float OnePole::Low(float x, float hz)
	{
		const float a = 1.0f - std::exp(-TWO_PI * std::max(hz, 1.0f) / float(SAMPLE_RATE));
		z += a * (x - z);
		return z;
	}

	float Decay(float t, float timeConstant)
	{
		return t < 0 ? 0.0f : std::exp(-t / timeConstant);
	}

	float AttackDecay(float t, float attack, float timeConstant)
	{
		if (t < 0)
			return 0.0f;
		if (t < attack)
			return t / attack;
		return std::exp(-(t - attack) / timeConstant);
	}

	float ADSR(float t, float attack, float decay, float sustain, float release, float length)
	{
		auto held = [&](float u)
		{
			if (u < attack)
				return u / attack;
			if (u < attack + decay)
				return 1.0f + (sustain - 1.0f) * (u - attack) / decay;
			return sustain;
		};
		if (t < 0)
			return 0.0f;
		if (t < length)
			return held(t);
		const float r = t - length;
		return r < release ? held(length) * (1.0f - r / release) : 0.0f;
	}

	float Ramp(float t, float t0, float t1)
	{
		if (t <= t0)
			return 0.0f;
		if (t >= t1)
			return 1.0f;
		return (t - t0) / (t1 - t0);
	}

	float Smooth(float u)
	{
		u = std::clamp(u, 0.0f, 1.0f);
		return u * u * (3.0f - 2.0f * u);
	}

	float Lerp(float a, float b, float u)
	{
		return a + (b - a) * u;
	}

	float ExpLerp(float a, float b, float u)
	{
		return a * std::pow(b / a, std::clamp(u, 0.0f, 1.0f));
	}

	float Window(float t, float t0, float t1, float fade)
	{
		return Ramp(t, t0, t0 + fade) * (1.0f - Ramp(t, t1 - fade, t1));
	}

	void MixInto(Buffer& dst, const Buffer& src, float gain, float atSeconds)
	{
		const size_t at = size_t(std::max(0L, std::lround(double(atSeconds) * SAMPLE_RATE)));
		if (dst.size() < at + src.size())
			dst.resize(at + src.size(), 0.0f);
		for (size_t i = 0; i < src.size(); i++)
			dst[at + i] += src[i] * gain;
	}

	void Scale(Buffer& b, float gain)
	{
		for (float& s : b)
			s *= gain;
	}

	float Peak(const Buffer& b)
	{
		float peak = 0;
		for (float s : b)
			peak = std::max(peak, std::fabs(s));
		return peak;
	}

	void Normalize(Buffer& b, float peak)
	{
		const float p = Peak(b);
		if (p > 1e-9f)
			Scale(b, peak / p);
	}

	void FadeIn(Buffer& b, float seconds)
	{
		const size_t n = std::min(b.size(), size_t(Frames(seconds)));
		for (size_t i = 0; i < n; i++)
			b[i] *= float(i) / float(n);
	}

	void FadeOut(Buffer& b, float seconds)
	{
		const size_t n = std::min(b.size(), size_t(Frames(seconds)));
		for (size_t i = 0; i < n; i++)
			b[b.size() - 1 - i] *= float(i) / float(n);
	}

	void Drive(Buffer& b, float amount)
	{
		const float norm = 1.0f / std::tanh(amount);
		for (float& s : b)
			s = std::tanh(s * amount) * norm;
	}

	void Lowpass(Buffer& b, float hz, float resonance)
	{
		SVF f;
		for (float& s : b)
			s = f.Low(s, hz, resonance);
	}

	void Highpass(Buffer& b, float hz, float resonance)
	{
		SVF f;
		for (float& s : b)
			s = f.High(s, hz, resonance);
	}

	void Bandpass(Buffer& b, float hz, float resonance)
	{
		SVF f;
		for (float& s : b)
			s = f.Band(s, hz, resonance);
	}

	void Echo(Buffer& b, float delaySeconds, float feedback, int repeats)
	{
		const size_t delay = size_t(Frames(delaySeconds));
		const Buffer dry = b;
		float gain = feedback;
		for (int r = 1; r <= repeats; r++, gain *= feedback)
		{
			Buffer echo = dry;
			Lowpass(echo, 6000.0f / float(r));		// each echo a little duller
			MixInto(b, echo, gain, Seconds(int(delay * size_t(r))));
		}
	}

	void Room(Buffer& b, float size, float mix)
	{
		static const float kDelays[] = {0.0297f, 0.0371f, 0.0411f, 0.0437f};
		const Buffer dry = b;
		b.resize(b.size() + size_t(Frames(0.6f * size)), 0.0f);
		Buffer wet(b.size(), 0.0f);
		for (float d : kDelays)
		{
			const size_t delay = size_t(Frames(d * size));
			const float fb = 0.55f;
			Buffer line(b.size(), 0.0f);
			for (size_t i = 0; i < line.size(); i++)
			{
				float in = i < dry.size() ? dry[i] : 0.0f;
				line[i] = in + (i >= delay ? line[i - delay] * fb : 0.0f);
			}
			for (size_t i = 0; i < wet.size(); i++)
				wet[i] += line[i] * 0.25f;
		}
		Lowpass(wet, 5000.0f);
		for (size_t i = 0; i < b.size(); i++)
			b[i] = b[i] * (1.0f - mix * 0.5f) + wet[i] * mix;
	}

	void Tremolo(Buffer& b, float hz, float depth)
	{
		Osc lfo;
		for (float& s : b)
			s *= 1.0f - depth + depth * (0.5f + 0.5f * lfo.Sine(hz));
	}

	Buffer MakeLoop(const Buffer& source, int loopStart, int loopFrames, int crossfade)
	{
		Buffer out(source.begin(), source.begin() + loopStart + loopFrames);
		const size_t end = size_t(loopStart + loopFrames);
		for (int i = 0; i < crossfade; i++)
		{
			const float u = (float(i) + 0.5f) / float(crossfade);
			const float fadeIn = std::sin(u * PI * 0.5f);
			const float fadeOut = std::cos(u * PI * 0.5f);
			if (loopStart >= crossfade)
			{
				// The loop's last frames turn into what led up to its start,
				// so the jump back lands where the source itself went on.
				const size_t at = end - size_t(crossfade) + size_t(i);
				out[at] = source[at] * fadeOut + source[size_t(loopStart - crossfade + i)] * fadeIn;
			}
			else
			{
				// No lead-in to borrow: the loop's first frames start as what
				// follows its end and turn into its own start.
				const size_t at = size_t(loopStart + i);
				out[at] = source[at] * fadeIn + source[at + size_t(loopFrames)] * fadeOut;
			}
		}
		return out;
	}

	void RemoveMean(Buffer& b, size_t from)
	{
		if (from >= b.size())
			return;
		double sum = 0;
		for (size_t i = from; i < b.size(); i++)
			sum += b[i];
		const float mean = float(sum / double(b.size() - from));
		for (float& s : b)
			s -= mean;
	}

	void RemoveDC(Buffer& b)
	{
		OnePole f;
		for (float& s : b)
			s = s - f.Low(s, 12.0f);
	}

	std::vector<int16_t> ToPcm16(const Buffer& b)
	{
		std::vector<int16_t> out(b.size());
		for (size_t i = 0; i < b.size(); i++)
			out[i] = int16_t(std::clamp(std::lround(double(b[i]) * 32767.0), -32768L, 32767L));
		return out;
	}
}
