// Shorthands shared by the sound design files.
#pragma once

#include "sounds/BakeSounds.h"
#include "System/SoundTable.h"
#include "synth/Voices.h"

#include <cmath>
#include <utility>

namespace Bake::Designs
{
	using namespace Synth;

	constexpr AiffEncoding PCM = AiffEncoding::Pcm16;
	constexpr AiffEncoding SOWT = AiffEncoding::Pcm16Sowt;
	constexpr AiffEncoding IMA = AiffEncoding::Ima4;
	constexpr AiffEncoding ULAW = AiffEncoding::ULaw;
	constexpr AiffEncoding ALAW = AiffEncoding::ALaw;
	constexpr AiffEncoding MACE = AiffEncoding::Mace3;

	inline EffectSound Once(Buffer b, float level = 0.89f)
	{
		return EffectSound{std::move(b), -1, level};
	}

	inline EffectSound Looped(const Buffer& source, float leadSeconds, float loopSeconds, float level = 0.89f)
	{
		EffectSound s = MakeLoopedEffect(source, leadSeconds, loopSeconds);
		s.level = level;
		return s;
	}

	inline Buffer Silence(float seconds)
	{
		return Buffer(size_t(Frames(seconds)), 0.0f);
	}

	// `b` trimmed or padded to `seconds`.
	inline Buffer Fit(Buffer b, float seconds)
	{
		b.resize(size_t(Frames(seconds)), 0.0f);
		return b;
	}

	// Multiplies b by env(t).
	template <typename F>
	void Shape(Buffer& b, F env)
	{
		for (size_t i = 0; i < b.size(); i++)
			b[i] *= env(float(i) / float(SAMPLE_RATE));
	}
}
