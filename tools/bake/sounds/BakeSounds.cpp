// Bake steps for the sound banks and the songs.
#include "sounds/BakeSounds.h"
#include "Bake.h"
#include "System/SoundTable.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Bake
{
	namespace
	{
		// Lengths of looping sounds are kept to whole packets of every codec
		// (64 frames for IMA 4:1, 6 for MACE), so no padding lands in a loop.
		constexpr int LOOP_FRAME_MULTIPLE = 192;
		constexpr float LOOP_CROSSFADE_SECONDS = 0.04f;

		std::vector<EffectDesign> CollectDesigns()
		{
			std::vector<EffectDesign> all;
			AddMainBankDesigns(all);
			AddEarlyLevelDesigns(all);
			AddLateLevelDesigns(all);

			std::vector<EffectDesign> byNumber(NUM_EFFECTS, EffectDesign{-1, AiffEncoding::Pcm16, nullptr});
			for (const EffectDesign& d : all)
			{
				if (d.effectNum < 0 || d.effectNum >= NUM_EFFECTS || byNumber[size_t(d.effectNum)].make)
					throw std::logic_error("sound design listed twice or out of range: " + std::to_string(d.effectNum));
				byNumber[size_t(d.effectNum)] = d;
			}
			for (int i = 0; i < NUM_EFFECTS; i++)
			{
				if (!byNumber[size_t(i)].make)
					throw std::logic_error(std::string("no sound design for effect ") + kEffectDefs[i].name);
			}
			return byNumber;
		}

		// One-shots: no DC, no click at either end, no long silent tail.
		void FinishOneShot(Synth::Buffer& b, float level)
		{
			Synth::RemoveDC(b);
			Synth::Normalize(b, level);
			size_t last = b.size();
			while (last > 0 && std::fabs(b[last - 1]) < 0.0015f)
				last--;
			b.resize(std::min(b.size(), last + size_t(Synth::Frames(0.01f))));
			Synth::FadeIn(b, 0.002f);
			Synth::FadeOut(b, std::min(0.012f, Synth::Seconds(int(b.size())) * 0.1f));
		}

		// Loops: only what keeps the seam intact (a constant offset, a gain).
		void FinishLoop(Synth::Buffer& b, int loopStart, float level)
		{
			Synth::RemoveMean(b, size_t(loopStart));
			Synth::Normalize(b, level);
			// The lead-in may fade in: the loop never returns to it.
			Synth::FadeIn(b, std::min(0.002f, Synth::Seconds(loopStart)));
		}

		void BakeEffects(const Context& context)
		{
			for (int i = 0; i < NUM_EFFECTS; i++)
				WriteDataFile(context, GetEffectFilePath(i), WriteAiff(SynthesizeEffect(i), GetEffectEncoding(i)));
		}

		void BakeSongs(const Context& context)
		{
			for (int i = 0; i < NUM_SONGS; i++)
				WriteDataFile(context, GetSongFilePath(i), WriteAiff(ComposeSong(i), GetSongEncoding(i)));
		}
	}

	const std::vector<EffectDesign>& GetEffectDesigns()
	{
		static const std::vector<EffectDesign> designs = CollectDesigns();
		return designs;
	}

	EffectSound MakeLoopedEffect(const Synth::Buffer& source, float leadSeconds, float loopSeconds)
	{
		const int crossfade = Synth::Frames(LOOP_CROSSFADE_SECONDS);
		const int lead = std::max(Synth::Frames(leadSeconds), crossfade);
		int loop = Synth::Frames(loopSeconds);
		// Whole packets in all: the total (lead + loop) rounds to the multiple.
		const int total = (lead + loop + LOOP_FRAME_MULTIPLE / 2) / LOOP_FRAME_MULTIPLE * LOOP_FRAME_MULTIPLE;
		loop = total - lead;
		if (int(source.size()) < lead + loop)
			throw std::logic_error("MakeLoopedEffect: source too short for its loop");
		EffectSound sound;
		sound.samples = Synth::MakeLoop(source, lead, loop, crossfade);
		sound.loopStart = lead;
		return sound;
	}

	AiffSound SynthesizeEffect(int effectNum)
	{
		const EffectDesign& design = GetEffectDesigns().at(size_t(effectNum));
		Synth::Rng rng(0x5EED0000u + uint32_t(effectNum) * 7919u);
		EffectSound sound = design.make(rng);
		if (sound.samples.empty())
			throw std::logic_error(std::string("empty sound design: ") + kEffectDefs[effectNum].name);

		if (sound.loopStart >= 0)
			FinishLoop(sound.samples, sound.loopStart, sound.level);
		else
			FinishOneShot(sound.samples, sound.level);

		AiffSound out;
		out.channels = 1;
		out.sampleRate = Synth::SAMPLE_RATE;
		out.samples = Synth::ToPcm16(sound.samples);
		if (sound.loopStart >= 0)
		{
			out.loop = true;
			out.loopStart = uint32_t(sound.loopStart);
			out.loopEnd = uint32_t(out.samples.size());
		}
		return out;
	}

	AiffEncoding GetEffectEncoding(int effectNum)
	{
		return GetEffectDesigns().at(size_t(effectNum)).encoding;
	}

	std::string GetEffectFilePath(int effectNum)
	{
		return DataFolderPath(EffectFilePath(effectNum));
	}

	std::string GetSongFilePath(int songNum)
	{
		return DataFolderPath(kSongDefs[songNum].path);
	}
}

BAKE_STEP("audio/effects", Bake::BakeEffects);
BAKE_STEP("audio/songs", Bake::BakeSongs);
