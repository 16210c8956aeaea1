// Building blocks the sound designs are made of: each returns one layer of a
// sound (a thump, a burst of filtered noise, a sweep, a metal clang...). The
// designs layer, filter and shape them.
#pragma once

#include "synth/Synth.h"

namespace Synth
{
	enum class Wave { Sine, Triangle, Saw, Square };

	float OscWave(Osc& osc, Wave wave, float hz);

	// A sine whose pitch glides exponentially from f0 to f1 with an
	// exponential amplitude decay: kicks, thuds, body hits.
	Buffer Thump(float seconds, float f0, float f1, float decay);

	// White noise through a band (low..high Hz), shaped by attack and decay.
	Buffer NoiseBurst(Rng& rng, float seconds, float lowHz, float highHz, float attack, float decay);

	// Noise through a resonant band-pass whose centre glides f0 → f1 and
	// whose level swells and fades: whooshes, wind, air.
	Buffer Whoosh(Rng& rng, float seconds, float f0, float f1, float resonance);

	// An oscillator sweeping f0 → f1 (exponential) under an attack-decay.
	Buffer Sweep(Wave wave, float seconds, float f0, float f1, float attack, float decay);

	// Two-operator FM: carrier hz, modulator at ratio × hz, index decaying
	// from index to index × indexEnd over the sound.
	Buffer FMTone(float seconds, float hz, float ratio, float index, float indexEnd, float decay);

	// Inharmonic partials with their own decays: bells, clangs, metal.
	Buffer Metal(Rng& rng, float seconds, float baseHz, float decay, float brightness);

	// A rumbling explosion: low thump, noise body and crackles.
	Buffer Explosion(Rng& rng, float seconds, float size);

	// Short grains of filtered noise in a burst: crunches, debris, gravel.
	Buffer Crunch(Rng& rng, float seconds, int grains, float lowHz, float highHz);

	// Sparse crackles and pops (fire, static, sizzle).
	Buffer Crackle(Rng& rng, float seconds, float density, float brightness);

	// A vowel-like voice: saw with vibrato through formant band-passes.
	// Pitch follows pitch(t); vowel formants f1, f2 (Hz).
	template <typename F>
	Buffer Voice(Rng& rng, float seconds, F pitch, float f1, float f2, float roughness)
	{
		Osc osc, vib;
		SVF a, b, c;
		float vibRate = 5.0f + rng.Uniform() * 2.0f;
		return Generate(seconds, [&](float t, int)
		{
			float hz = pitch(t) * (1.0f + 0.02f * vib.Sine(vibRate));
			float src = osc.Saw(hz) + roughness * rng.Bipolar();
			return a.Band(src, f1, 0.85f) * 1.0f + b.Band(src, f2, 0.85f) * 0.7f + c.Band(src, f2 * 1.6f, 0.8f) * 0.3f;
		});
	}

	// A bubble: a sine chirping upward as it decays.
	Buffer Bubble(float seconds, float hz, float rise);

	// A splat: a wet low thud with a short noisy spray.
	Buffer Splat(Rng& rng, float seconds, float wetness);

	// A steady machine hum: harmonics of hz with a little wobble.
	Buffer Hum(float seconds, float hz, int harmonics, float wobble);

	// A pulsing engine: saw pulses at rate rps through a low-pass.
	Buffer Engine(Rng& rng, float seconds, float hz, float pulsesPerSecond, float cutoff);

	// A bell tone: a few partials of a struck bell at hz.
	Buffer Bell(float seconds, float hz, float decay);

	// A quick footfall on a surface (tone = body pitch, hardness 0..1).
	Buffer Footfall(Rng& rng, float tone, float hardness);
}
