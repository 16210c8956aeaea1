// The synthesiser under the baked sounds: loops that join, notes that wrap
// round a song's ring, instruments in tune, keys and written parts.
#include "sounds/BakeSounds.h"
#include "System/SoundTable.h"
#include "synth/Sequencer.h"
#include "synth/Synth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

using namespace Synth;

namespace
{
	// The largest jump between neighbouring samples of b played as a loop
	// from loopStart, over the seam and over the first pass into the loop.
	float WorstStep(const Buffer& b, size_t from, size_t to)
	{
		float worst = 0;
		for (size_t i = from + 1; i < to; i++)
			worst = std::max(worst, std::fabs(b[i] - b[i - 1]));
		return worst;
	}

	// Pitch by autocorrelation over lags for 50..2000 Hz: the shortest lag
	// whose correlation comes near the best (longer ones, two or three
	// periods, correlate about as well).
	double EstimatePitch(const Buffer& b, size_t from, size_t length)
	{
		const int lo = SAMPLE_RATE / 2000, hi = SAMPLE_RATE / 50;
		std::vector<double> r(size_t(hi + 2), 0.0);
		for (int lag = lo; lag <= hi + 1; lag++)
			for (size_t i = from; i < from + length; i++)
				r[size_t(lag)] += double(b[i]) * b[i + size_t(lag)];
		const double best = *std::max_element(r.begin() + lo, r.begin() + hi + 1);
		for (int lag = lo + 1; lag <= hi; lag++)
		{
			if (r[size_t(lag)] >= 0.9 * best && r[size_t(lag)] >= r[size_t(lag - 1)] && r[size_t(lag)] >= r[size_t(lag + 1)])
				return double(SAMPLE_RATE) / lag;
		}
		return 0;
	}
}

TEST(BakeSoundSynth, ALoopJoinsWithOrWithoutALeadIn)
{
	// A tone whose period doesn't divide the loop: a plain cut would jump.
	Osc o;
	const Buffer source = Generate(1.0f, [&](float, int) { return o.Sine(331.7f); });
	const float normalStep = WorstStep(source, 0, source.size());

	for (int lead : {0, 2000})
	{
		const int loop = 11000, fade = 500;
		const Buffer looped = MakeLoop(source, lead, loop, fade);
		ASSERT_EQ(looped.size(), size_t(lead + loop));
		// Played: the lead-in once, then the loop twice.
		Buffer played(looped.begin(), looped.end());
		played.insert(played.end(), looped.begin() + lead, looped.end());
		// An equal-power blend of two phases of a tone swells by up to √2.
		EXPECT_LE(WorstStep(played, 0, played.size()), normalStep * 1.45f) << "lead " << lead;
	}

	// A plain cut (where the tone is near its crest), for contrast.
	size_t at = 11000;
	while (source[at] < 0.9f)
		at++;
	Buffer cut(source.begin(), source.begin() + std::ptrdiff_t(at));
	cut.insert(cut.end(), source.begin(), source.begin() + 100);
	EXPECT_GT(WorstStep(cut, 0, cut.size()), normalStep * 3);
}

TEST(BakeSoundSynth, LoopedEffectsAreWholeCodecPacketsWithALeadIn)
{
	const Buffer source(size_t(Frames(2.0f)), 0.25f);
	const Bake::EffectSound sound = Bake::MakeLoopedEffect(source, 0.0f, 1.0f);
	EXPECT_EQ(sound.samples.size() % 192, 0u);
	EXPECT_GE(sound.loopStart, Frames(0.04f));		// room for the crossfade
	EXPECT_NEAR(double(sound.samples.size() - size_t(sound.loopStart)), double(SAMPLE_RATE), 192);
	EXPECT_THROW(Bake::MakeLoopedEffect(Buffer(1000, 0.0f), 0.0f, 1.0f), std::logic_error);
}

TEST(BakeSoundSynth, ASongIsARingOfWholeBarsAndNotesWrapRoundIt)
{
	EXPECT_EQ(StepFrames(120) % 4, 0);
	EXPECT_NEAR(StepFrames(120), SAMPLE_RATE * 60.0 / 120 / 4, 2.0);

	Score s;
	s.bpm = 120;
	s.bars = 2;
	s.roomMix = 0;
	s.drive = 1;
	// One long organ chord struck on the very last step.
	s.notes.push_back({31, 8.0f, 60.0f, 1.0f, Inst::Organ});
	const Buffer ring = RenderScore(s, 1);
	ASSERT_EQ(ring.size(), size_t(2 * 16 * StepFrames(120)));
	EXPECT_EQ(ring.size() % 64, 0u);

	// It sounds in the last step and goes on at the start of the ring.
	const size_t step = size_t(StepFrames(120));
	auto level = [&](size_t from, size_t to)
	{
		double e = 0;
		for (size_t i = from; i < to; i++)
			e += double(ring[i]) * ring[i];
		return std::sqrt(e / double(to - from));
	};
	EXPECT_GT(level(ring.size() - step / 2, ring.size()), 0.1);
	EXPECT_GT(level(0, step * 4), 0.1);
	EXPECT_LT(level(step * 10, step * 20), 0.01);		// long over by then
	EXPECT_LE(std::fabs(ring.front() - ring.back()), WorstStep(ring, 0, step * 4));
}

TEST(BakeSoundSynth, PitchedInstrumentsPlayInTune)
{
	for (Inst inst : {Inst::Pluck, Inst::Bass, Inst::Organ, Inst::Lead, Inst::Marimba, Inst::Strings, Inst::Flute})
	{
		for (float note : {45.0f, 57.0f, 64.0f})
		{
			Score s;
			s.bpm = 60;
			s.bars = 1;
			s.roomMix = 0;
			s.drive = 1;
			s.notes.push_back({0, 8.0f, note, 0.8f, inst});
			const Buffer ring = RenderScore(s, 7);
			const double hz = EstimatePitch(ring, size_t(Frames(0.15f)), size_t(Frames(0.1f)));
			const double expected = NoteHz(note);
			// Within a third of a semitone (the lag's resolution allows no better up high).
			EXPECT_NEAR(12 * std::log2(hz / expected), 0.0, 0.35) << int(inst) << " note " << note << ": " << hz << " Hz";
		}
	}
}

TEST(BakeSoundSynth, KeysAndWrittenParts)
{
	const Key c = Major(60), a = Minor(57);
	EXPECT_EQ(c.Degree(0), 60);
	EXPECT_EQ(c.Degree(2), 64);
	EXPECT_EQ(c.Degree(7), 72);
	EXPECT_EQ(c.Degree(-1), 59);
	EXPECT_EQ(c.Degree(-7), 48);
	EXPECT_EQ(c.Degree(-8), 47);
	EXPECT_EQ(a.Degree(2), 60);
	EXPECT_EQ(Phrygian(62).Degree(1), 63);

	Score s;
	Hits(s, Inst::Kick, 2, 1, "X.x.o...", 60, 0.5f);
	ASSERT_EQ(s.notes.size(), 6u);		// the pattern repeats over the bar
	EXPECT_EQ(s.notes[0].step, 32);
	EXPECT_EQ(s.notes[1].step, 34);
	EXPECT_EQ(s.notes[3].step, 40);
	EXPECT_FLOAT_EQ(s.notes[0].velocity, 0.6f);
	EXPECT_FLOAT_EQ(s.notes[1].velocity, 0.5f);
	EXPECT_LT(s.notes[2].velocity, 0.5f);

	// A melody's degrees count from each bar's chord root.
	Score m;
	Rng rng(1);
	Melody(m, Inst::Lead, c, 0, 2, {0, 4}, "0:8 2:8", 1, 1.0f, rng, 0.0f);
	ASSERT_EQ(m.notes.size(), 4u);
	EXPECT_EQ(m.notes[0].pitch, 72);		// C
	EXPECT_EQ(m.notes[1].pitch, 76);		// E
	EXPECT_EQ(m.notes[2].pitch, 79);		// G over the second bar's G chord
	EXPECT_EQ(m.notes[3].pitch, 83);		// B
	EXPECT_THROW(Melody(m, Inst::Lead, c, 0, 1, {0}, "0:4 oops", 1, 1.0f, rng, 0.0f), std::invalid_argument);
	EXPECT_THROW(Melody(m, Inst::Lead, c, 0, 1, {0}, "", 1, 1.0f, rng, 0.0f), std::invalid_argument);
}

TEST(BakeSoundSynth, EveryEffectHasOneDesign)
{
	const auto& designs = Bake::GetEffectDesigns();
	ASSERT_EQ(designs.size(), size_t(NUM_EFFECTS));
	for (int e = 0; e < NUM_EFFECTS; e++)
	{
		EXPECT_EQ(designs[size_t(e)].effectNum, e);
		EXPECT_NE(designs[size_t(e)].make, nullptr);
	}
	EXPECT_EQ(Bake::GetEffectFilePath(EFFECT_BONUS_ROCKET), "audio/bonus.sounds/rocket.aiff");
	EXPECT_EQ(Bake::GetSongFilePath(SONG_JUNGLEBOSS), "audio/JungleBoss.aif");
}
