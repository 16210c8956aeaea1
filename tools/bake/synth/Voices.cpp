#include "synth/Voices.h"

#include <algorithm>
#include <cmath>

namespace Synth
{
	float OscWave(Osc& osc, Wave wave, float hz)
	{
		switch (wave)
		{
			case Wave::Sine: return osc.Sine(hz);
			case Wave::Triangle: return osc.Triangle(hz);
			case Wave::Saw: return osc.Saw(hz);
			case Wave::Square: return osc.Square(hz);
		}
		return 0.0f;
	}

	Buffer Thump(float seconds, float f0, float f1, float decay)
	{
		Osc osc;
		return Generate(seconds, [&](float t, int)
		{
			float hz = ExpLerp(f0, f1, std::min(1.0f, t / (decay * 2.0f)));
			return osc.Sine(hz) * AttackDecay(t, 0.002f, decay);
		});
	}

	Buffer NoiseBurst(Rng& rng, float seconds, float lowHz, float highHz, float attack, float decay)
	{
		SVF hp, lp;
		return Generate(seconds, [&](float t, int)
		{
			float n = rng.Bipolar();
			n = hp.High(n, lowHz);
			n = lp.Low(n, highHz);
			return n * AttackDecay(t, attack, decay);
		});
	}

	Buffer Whoosh(Rng& rng, float seconds, float f0, float f1, float resonance)
	{
		SVF f;
		return Generate(seconds, [&](float t, int)
		{
			float u = t / seconds;
			float env = std::sin(PI * std::min(1.0f, u)) * std::sin(PI * std::min(1.0f, u));
			return f.Band(rng.Bipolar(), ExpLerp(f0, f1, u), resonance) * env;
		});
	}

	Buffer Sweep(Wave wave, float seconds, float f0, float f1, float attack, float decay)
	{
		Osc osc;
		return Generate(seconds, [&](float t, int)
		{
			float hz = ExpLerp(f0, f1, t / seconds);
			return OscWave(osc, wave, hz) * AttackDecay(t, attack, decay);
		});
	}

	Buffer FMTone(float seconds, float hz, float ratio, float index, float indexEnd, float decay)
	{
		Osc car, mod;
		return Generate(seconds, [&](float t, int)
		{
			float idx = index * ExpLerp(1.0f, std::max(indexEnd, 0.001f), t / seconds);
			float m = mod.Sine(hz * ratio) * idx;
			return car.Sine(hz * (1.0f + m)) * AttackDecay(t, 0.003f, decay);
		});
	}

	Buffer Metal(Rng& rng, float seconds, float baseHz, float decay, float brightness)
	{
		static const float kRatios[] = {1.0f, 1.593f, 2.135f, 2.295f, 2.917f, 3.598f, 4.153f, 5.404f};
		Buffer out(size_t(Frames(seconds)), 0.0f);
		for (int p = 0; p < 8; p++)
		{
			float hz = baseHz * kRatios[p] * (1.0f + 0.01f * rng.Bipolar());
			if (hz > SAMPLE_RATE * 0.45f)
				continue;
			float amp = std::pow(brightness, float(p)) * (0.6f + 0.4f * rng.Uniform());
			float d = decay * (1.0f - 0.08f * float(p));
			Osc osc;
			osc.phase = rng.Uniform();
			for (size_t i = 0; i < out.size(); i++)
			{
				float t = float(i) / SAMPLE_RATE;
				out[i] += osc.Sine(hz) * amp * AttackDecay(t, 0.001f, d);
			}
		}
		// The strike itself.
		MixInto(out, NoiseBurst(rng, 0.03f, 2000.0f, 9000.0f, 0.0005f, 0.006f), 0.5f);
		return out;
	}

	Buffer Explosion(Rng& rng, float seconds, float size)
	{
		Buffer out = Thump(seconds, 90.0f * (1.2f - 0.4f * size), 30.0f, 0.15f + 0.2f * size);
		Scale(out, 0.9f);
		// The body: brown-ish noise whose brightness falls as it dies.
		SVF f;
		float brown = 0;
		Buffer body = Generate(seconds, [&](float t, int)
		{
			brown = brown * 0.98f + rng.Bipolar() * 0.2f;
			float cutoff = ExpLerp(3000.0f + 3000.0f * size, 150.0f, t / seconds);
			float env = AttackDecay(t, 0.005f, 0.25f + 0.5f * size);
			return f.Low(brown * 2.0f + rng.Bipolar() * 0.3f, cutoff, 0.2f) * env;
		});
		MixInto(out, body, 1.2f);
		MixInto(out, Crackle(rng, seconds * 0.7f, 60.0f * size, 0.7f), 0.35f, 0.02f);
		return out;
	}

	Buffer Crunch(Rng& rng, float seconds, int grains, float lowHz, float highHz)
	{
		Buffer out(size_t(Frames(seconds)), 0.0f);
		for (int g = 0; g < grains; g++)
		{
			float at = std::pow(rng.Uniform(), 1.6f) * seconds * 0.8f;
			float len = rng.Range(0.01f, 0.05f);
			float centre = ExpLerp(lowHz, highHz, rng.Uniform());
			Buffer grain = NoiseBurst(rng, len, centre * 0.6f, centre * 1.6f, 0.0005f, len * 0.3f);
			MixInto(out, grain, rng.Range(0.4f, 1.0f) * (1.0f - 0.6f * at / seconds), at);
		}
		out.resize(size_t(Frames(seconds)));
		return out;
	}

	Buffer Crackle(Rng& rng, float seconds, float density, float brightness)
	{
		Buffer out(size_t(Frames(seconds)), 0.0f);
		const float p = density / SAMPLE_RATE;
		SVF f;
		float ring = 0;
		for (size_t i = 0; i < out.size(); i++)
		{
			float impulse = rng.Uniform() < p ? rng.Bipolar() * 2.0f : 0.0f;
			ring = f.Band(impulse, 1500.0f + 6000.0f * brightness, 0.7f);
			out[i] = ring;
		}
		return out;
	}

	Buffer Bubble(float seconds, float hz, float rise)
	{
		Osc osc;
		return Generate(seconds, [&](float t, int)
		{
			float f = hz * (1.0f + rise * t / seconds);
			return osc.Sine(f) * AttackDecay(t, 0.003f, seconds * 0.3f);
		});
	}

	Buffer Splat(Rng& rng, float seconds, float wetness)
	{
		Buffer out = Thump(seconds, 180.0f, 60.0f, 0.06f);
		SVF f;
		Buffer spray = Generate(seconds, [&](float t, int)
		{
			float cutoff = ExpLerp(2500.0f, 400.0f, t / seconds);
			float gurgle = 1.0f + 0.6f * std::sin(TWO_PI * 30.0f * t + 3.0f * std::sin(TWO_PI * 7.0f * t));
			return f.Low(rng.Bipolar(), cutoff * gurgle, 0.6f * wetness) * AttackDecay(t, 0.002f, 0.08f + 0.1f * wetness);
		});
		MixInto(out, spray, 0.9f);
		return out;
	}

	Buffer Hum(float seconds, float hz, int harmonics, float wobble)
	{
		std::vector<Osc> oscs(static_cast<size_t>(harmonics));
		Osc lfo;
		return Generate(seconds, [&](float t, int)
		{
			float w = 1.0f + wobble * lfo.Sine(3.1f);
			float s = 0;
			for (int h = 0; h < harmonics; h++)
				s += oscs[size_t(h)].Sine(hz * float(h + 1) * w) / float(h + 1);
			(void)t;
			return s * 0.6f;
		});
	}

	Buffer Engine(Rng& rng, float seconds, float hz, float pulsesPerSecond, float cutoff)
	{
		Osc saw, pulse;
		SVF f;
		return Generate(seconds, [&](float, int)
		{
			float p = 0.6f + 0.4f * pulse.Sine(pulsesPerSecond);
			float s = saw.Saw(hz) * p + rng.Bipolar() * 0.15f * p;
			return f.Low(s, cutoff, 0.3f);
		});
	}

	Buffer Bell(float seconds, float hz, float decay)
	{
		static const float kPartials[][2] = {{0.5f, 0.5f}, {1.0f, 1.0f}, {1.19f, 0.6f}, {1.56f, 0.35f}, {2.0f, 0.4f}, {2.66f, 0.2f}, {3.01f, 0.15f}};
		Buffer out(size_t(Frames(seconds)), 0.0f);
		for (const auto& part : kPartials)
		{
			float f = hz * part[0];
			if (f > SAMPLE_RATE * 0.45f)
				continue;
			Osc osc;
			float d = decay / std::sqrt(part[0]);
			for (size_t i = 0; i < out.size(); i++)
				out[i] += osc.Sine(f) * part[1] * AttackDecay(float(i) / SAMPLE_RATE, 0.001f, d);
		}
		return out;
	}

	Buffer Footfall(Rng& rng, float tone, float hardness)
	{
		Buffer out = Thump(0.18f, tone * 1.8f, tone, 0.025f + 0.02f * (1.0f - hardness));
		Buffer scuff = NoiseBurst(rng, 0.12f, 300.0f + 1500.0f * hardness, 2000.0f + 6000.0f * hardness, 0.002f, 0.012f + 0.02f * (1.0f - hardness));
		MixInto(out, scuff, 0.35f + 0.4f * hardness);
		return out;
	}
}
