// The game's sound effects and songs, synthesised: each effect has a design
// (a recipe of layered voices), each song a score for the sequencer. The bake
// steps "audio/effects" and "audio/songs" write them as AIFF and AIFF-C files.
#pragma once

#include "formats/AiffWriter.h"
#include "synth/Synth.h"

#include <string>
#include <vector>

namespace Bake
{
	// What a design makes: float samples at Synth::SAMPLE_RATE and, for an
	// effect that loops, the frame the loop returns to (it runs to the end).
	struct EffectSound
	{
		Synth::Buffer samples;
		int loopStart = -1;			// -1: plays once
		float level = 0.89f;		// peak after normalising
	};

	using EffectRecipe = EffectSound (*)(Synth::Rng& rng);

	struct EffectDesign
	{
		int effectNum;
		AiffEncoding encoding;
		EffectRecipe make;
	};

	// The designs, one list per group of banks (each file adds its own).
	void AddMainBankDesigns(std::vector<EffectDesign>& designs);
	void AddEarlyLevelDesigns(std::vector<EffectDesign>& designs);		// menu, bonus, farm, slime, apocalypse
	void AddLateLevelDesigns(std::vector<EffectDesign>& designs);		// cloud .. lose

	// Every effect's design, indexed by effect number (checked complete).
	const std::vector<EffectDesign>& GetEffectDesigns();

	// The finished effect: designed, cleaned (no DC, faded ends), normalised,
	// at 16 bits, with its loop. Deterministic: seeded by the effect number.
	AiffSound SynthesizeEffect(int effectNum);
	AiffEncoding GetEffectEncoding(int effectNum);
	// Relative to the Data folder, e.g. "audio/main.sounds/zap.aiff".
	std::string GetEffectFilePath(int effectNum);

	// A whole song, seamless end to start, and its file.
	AiffSound ComposeSong(int songNum);
	AiffEncoding GetSongEncoding(int songNum);
	std::string GetSongFilePath(int songNum);		// e.g. "audio/FarmSong.aif"

	// A seamless loop of `loopSeconds` after a lead-in, from a source that is
	// at least lead + loop long (the lead-in is at least the crossfade).
	EffectSound MakeLoopedEffect(const Synth::Buffer& source, float leadSeconds, float loopSeconds);
}
