// A small step sequencer for the songs: notes on a 16th-note grid played by
// synthesised instruments, rendered into a ring so the end of a song runs
// straight into its start (tails of the last notes sound over the first).
#pragma once

#include "synth/Synth.h"

#include <string>
#include <vector>

namespace Synth
{
	enum class Inst
	{
		Kick, Snare, Clap, HiHat, OpenHat, Shaker, Tom, Conga, Rim, Crash,
		Bass, SubBass, AcidBass, Pluck, Marimba, Bell, Organ, Pad, Strings,
		Brass, Lead, SquareLead, Flute, Choir, Bloop,
		Count
	};

	struct Note
	{
		int step;				// 16th notes from the start of the song
		float length;			// in steps
		float pitch;			// MIDI note
		float velocity;			// 0..1
		Inst inst;
	};

	struct Score
	{
		float bpm = 120;
		int bars = 32;			// 16 steps each
		float swing = 0;		// delay of the off 16ths, as a fraction of a step
		std::vector<Note> notes;
		// Instruments whose notes also go through the echo, and its settings.
		std::vector<Inst> echoed;
		float echoSteps = 3;
		float echoFeedback = 0.35f;
		float roomMix = 0.15f;
		float drive = 1.2f;		// master saturation
		// Peak of the finished song. Songs sit under the effects: the game
		// plays effects at 0.3 of full volume and songs at 0.6 to 1.1.
		float level = 0.55f;
	};

	// Frames per 16th step: a whole number of 4 frames, so that a song of
	// whole bars is a whole number of 64-frame codec packets.
	int StepFrames(float bpm);

	// The song as one seamless loop of bars × 16 × StepFrames(bpm) frames.
	Buffer RenderScore(const Score& score, uint32_t seed);

	//
	// Writing scores
	//

	// A key: root MIDI note and the semitones of its seven degrees.
	struct Key
	{
		int root;
		int steps[7];

		// MIDI note of scale degree d (0 = root; may be negative or > 6).
		float Degree(int d) const;
	};

	Key Major(int root);
	Key Minor(int root);		// natural
	Key HarmonicMinor(int root);
	Key Dorian(int root);
	Key Phrygian(int root);
	Key Lydian(int root);
	Key Mixolydian(int root);

	// Drum or rhythm pattern over `bars` bars from `bar`: the string has one
	// character per step, repeated: 'X' accent, 'x' hit, 'o' ghost, '.' rest.
	void Hits(Score& s, Inst inst, int bar, int bars, const char* pattern, float pitch, float velocity = 0.9f);

	// Notes on a rhythm over a chord progression (one chord degree per bar,
	// repeating): at each hit of `pattern` the next of `chordTones` (degrees
	// above the chord root, cycling) sounds for `length` steps (0 = until
	// the next hit), `octave` octaves from the key's root.
	void ChordPattern(Score& s, Inst inst, const Key& key, int bar, int bars, const std::vector<int>& progression,
					  const char* pattern, const std::vector<int>& chordTones, int octave, float length, float velocity);

	// Whole chords (root, third, fifth and optionally seventh) held for each
	// bar of the progression, or struck on `pattern`.
	void Chords(Score& s, Inst inst, const Key& key, int bar, int bars, const std::vector<int>& progression,
				int octave, bool seventh, const char* pattern, float length, float velocity);

	// A melody written as text: tokens "degree:steps", the degree counted in
	// the key from the root of the chord of the bar the note starts in
	// (negative below it), or "r:steps" for a rest. The phrase starts at
	// `bar` and repeats until `bars` bars are filled; each repeat varies a
	// little (seeded): now and then a note moves a step or an octave.
	void Melody(Score& s, Inst inst, const Key& key, int bar, int bars, const std::vector<int>& progression,
				const std::string& phrase, int octave, float velocity, Rng& rng, float variation);
}
