// The songs: one score each, in the mood of its level or screen. Every song
// is a whole number of bars rendered as a ring, so it loops without a seam.
#include "sounds/BakeSounds.h"
#include "System/SoundTable.h"
#include "synth/Sequencer.h"

#include <stdexcept>

namespace Bake
{
	namespace
	{
		using namespace Synth;

		constexpr float DRUM = 60.0f;		// drums ignore pitch
		constexpr int SONG_LEAD_IN = 64;	// frames: one IMA 4:1 packet
		using Prog = std::vector<int>;

		// Heroic: brass fanfare over a driving beat, C major.
		Score ThemeSong(Rng& rng)
		{
			Score s;
			s.bpm = 128;
			s.bars = 36;
			const Key key = Major(48);
			const Prog a = {0, 5, 3, 4}, b = {5, 3, 0, 4};

			// Intro: strings and toms building up.
			Chords(s, Inst::Strings, key, 0, 4, a, 1, false, nullptr, 16, 0.7f);
			Hits(s, Inst::Tom, 0, 4, "X..x..x.X..x.x.x", 43, 0.8f);
			Hits(s, Inst::Crash, 4, 1, "X...............", DRUM, 0.9f);
			// A: the tune.
			Hits(s, Inst::Kick, 4, 32, "X...x...X...x..x", DRUM);
			Hits(s, Inst::Snare, 4, 32, "....X.......X..o", DRUM, 0.8f);
			Hits(s, Inst::HiHat, 4, 32, "x.x.x.x.x.x.x.xx", DRUM, 0.7f);
			ChordPattern(s, Inst::Bass, key, 4, 16, a, "x.x.x.x.x.x.x.x.", {0, 0, 4, 0}, -1, 1.6f, 0.9f);
			Chords(s, Inst::Strings, key, 4, 16, a, 1, false, nullptr, 16, 0.6f);
			Melody(s, Inst::Brass, key, 4, 16, a, "0:4 4:2 4:2 5:4 4:4 2:6 0:2 1:4 2:4", 2, 0.9f, rng, 0.15f);
			// B: relative minor, lead climbs.
			Hits(s, Inst::Crash, 20, 1, "X...............", DRUM, 0.8f);
			ChordPattern(s, Inst::Bass, key, 20, 8, b, "x.xxx.x.x.xxx.x.", {0, 0, 0, 4}, -1, 1.0f, 0.9f);
			Chords(s, Inst::Brass, key, 20, 8, b, 1, false, "x.....x.....x...", 3, 0.6f);
			Melody(s, Inst::Lead, key, 20, 8, b, "4:6 2:2 4:4 5:4 7:8 4:4 2:4", 2, 0.8f, rng, 0.2f);
			// A again, the tune an octave up on brass and strings.
			Hits(s, Inst::Crash, 28, 1, "X...............", DRUM, 0.9f);
			ChordPattern(s, Inst::Bass, key, 28, 8, a, "x.x.x.x.x.x.x.x.", {0, 0, 4, 0}, -1, 1.6f, 0.9f);
			Chords(s, Inst::Strings, key, 28, 8, a, 1, true, nullptr, 16, 0.6f);
			Melody(s, Inst::Brass, key, 28, 8, a, "0:4 4:2 4:2 5:4 4:4 2:6 0:2 1:4 2:4", 2, 1.0f, rng, 0.1f);
			s.echoed = {Inst::Brass};
			s.echoSteps = 3;
			s.echoFeedback = 0.25f;
			return s;
		}

		// Cheerful: banjo-like plucks, marimba tune, bouncy bass, a shuffle.
		Score FarmSong(Rng& rng)
		{
			Score s;
			s.bpm = 132;
			s.bars = 36;
			s.swing = 0.28f;
			const Key key = Major(43);		// G
			const Prog a = {0, 3, 4, 0}, b = {3, 0, 4, 4};

			Hits(s, Inst::Kick, 0, 36, "x.......x.......", DRUM, 0.8f);
			Hits(s, Inst::Rim, 0, 36, "....x.......x...", DRUM, 0.8f);
			Hits(s, Inst::Shaker, 0, 36, "x.xxx.xxx.xxx.xx", DRUM, 0.6f);
			ChordPattern(s, Inst::Bass, key, 0, 36, a, "x...x...x...x...", {0, 4}, 0, 3.0f, 0.85f);
			ChordPattern(s, Inst::Pluck, key, 0, 36, a, "..x...x...x...x.", {7, 9, 11, 9}, 1, 2.0f, 0.7f);
			Melody(s, Inst::Marimba, key, 4, 12, a, "4:2 4:2 5:2 4:2 2:4 0:4 2:2 4:2 2:2 0:2 -1:8", 2, 0.9f, rng, 0.2f);
			Melody(s, Inst::Marimba, key, 16, 8, b, "0:2 2:2 4:4 7:4 4:4 5:2 4:2 2:4 0:8", 2, 0.9f, rng, 0.2f);
			Melody(s, Inst::Flute, key, 24, 8, a, "4:6 2:2 0:8 2:4 4:4 5:8", 2, 0.7f, rng, 0.15f);
			Melody(s, Inst::Marimba, key, 28, 8, a, "4:2 4:2 5:2 4:2 2:4 0:4 2:2 4:2 2:2 0:2 -1:8", 2, 0.8f, rng, 0.2f);
			return s;
		}

		// Bubbly: bloops and an acid bass, bright lydian colour.
		Score SlimeSong(Rng& rng)
		{
			Score s;
			s.bpm = 112;
			s.bars = 32;
			const Key key = Lydian(41);		// F
			const Prog a = {0, 1, 0, 4}, b = {5, 4, 1, 0};

			Hits(s, Inst::Kick, 0, 32, "X.....x...X.....", DRUM, 0.8f);
			Hits(s, Inst::Clap, 4, 28, "....x.......x...", DRUM, 0.6f);
			Hits(s, Inst::Shaker, 0, 32, ".x.x.x.x.x.x.x.x", DRUM, 0.5f);
			ChordPattern(s, Inst::AcidBass, key, 0, 32, a, "x.xx..x.x.x..xx.", {0, 0, 7, 0, 4, 0}, 0, 1.0f, 0.8f);
			ChordPattern(s, Inst::Bloop, key, 0, 32, a, "x..x..x.x..x..x.", {7, 9, 11, 14, 11, 9}, 1, 1.0f, 0.7f);
			Melody(s, Inst::SquareLead, key, 8, 8, a, "4:3 2:3 4:2 7:4 r:4 4:2 5:2 4:4 2:4 r:4", 2, 0.7f, rng, 0.2f);
			Chords(s, Inst::Pad, key, 16, 8, b, 1, true, nullptr, 16, 0.7f);
			Melody(s, Inst::Bell, key, 16, 8, b, "0:4 2:4 4:8 2:2 4:2 7:4 4:8", 2, 0.8f, rng, 0.2f);
			Melody(s, Inst::SquareLead, key, 24, 8, a, "4:3 2:3 4:2 7:4 r:4 4:2 5:2 4:4 2:4 r:4", 2, 0.7f, rng, 0.25f);
			s.echoed = {Inst::Bloop, Inst::Bell};
			s.echoSteps = 3;
			return s;
		}

		// The slime boss: the same bubbly world turned urgent and minor.
		Score SlimeBossSong(Rng& rng)
		{
			Score s;
			s.bpm = 140;
			s.bars = 40;
			const Key key = Minor(41);		// F minor
			const Prog a = {0, 0, 5, 6}, b = {3, 4, 0, 0};

			Hits(s, Inst::Kick, 0, 40, "X..xX..xX..xX.x.", DRUM, 0.9f);
			Hits(s, Inst::Snare, 0, 40, "....X.......X...", DRUM, 0.8f);
			Hits(s, Inst::HiHat, 0, 40, "xxxxxxxxxxxxxxxx", DRUM, 0.5f);
			ChordPattern(s, Inst::AcidBass, key, 0, 40, a, "xxxxxxxxxxxxxxxx", {0, 0, 7, 0, 3, 0, 7, 5}, 0, 0.9f, 0.9f);
			Chords(s, Inst::Brass, key, 8, 16, a, 1, false, "X.....X.....X...", 2, 0.7f);
			Melody(s, Inst::Lead, key, 8, 16, a, "0:2 2:2 4:4 3:2 2:2 0:4 -1:4 0:12", 2, 0.75f, rng, 0.2f);
			Hits(s, Inst::Crash, 24, 1, "X...............", DRUM);
			ChordPattern(s, Inst::Bloop, key, 24, 16, b, "x.x.x.x.x.x.x.x.", {0, 2, 4, 7, 4, 2}, 2, 1.0f, 0.7f);
			Melody(s, Inst::SquareLead, key, 28, 12, b, "4:4 3:4 2:4 0:4 2:8 4:8", 2, 0.7f, rng, 0.2f);
			return s;
		}

		// Dark: a slow, heavy phrygian groove with tolling bells.
		Score ApocalypseSong(Rng& rng)
		{
			Score s;
			s.bpm = 92;
			s.bars = 24;
			s.drive = 1.8f;
			const Key key = Phrygian(38);	// D
			const Prog a = {0, 1, 0, 6}, b = {5, 6, 1, 0};

			Hits(s, Inst::Kick, 0, 24, "X.......X.x.....", DRUM, 1.0f);
			Hits(s, Inst::Snare, 4, 20, "........X.......", DRUM, 0.9f);
			Hits(s, Inst::HiHat, 4, 20, "x...x...x...x.x.", DRUM, 0.5f);
			Hits(s, Inst::Tom, 0, 24, "..............xx", 38, 0.7f);
			ChordPattern(s, Inst::Bass, key, 0, 24, a, "X..x..x.X.......", {0, 0, 1, 0}, -1, 2.5f, 1.0f);
			Chords(s, Inst::Pad, key, 0, 24, a, 0, false, nullptr, 16, 0.8f);
			Melody(s, Inst::Bell, key, 4, 8, a, "0:8 1:4 0:4 r:8 -2:8", 2, 0.8f, rng, 0.1f);
			Melody(s, Inst::Choir, key, 12, 8, b, "0:16 1:8 0:8", 1, 0.7f, rng, 0.0f);
			Melody(s, Inst::Strings, key, 16, 8, b, "4:8 3:4 1:4 0:16", 1, 0.6f, rng, 0.1f);
			Melody(s, Inst::Bell, key, 20, 4, a, "0:8 1:4 0:4 r:8 -2:8", 2, 0.8f, rng, 0.1f);
			s.echoed = {Inst::Bell};
			s.echoSteps = 6;
			s.echoFeedback = 0.45f;
			s.roomMix = 0.3f;
			return s;
		}

		// Airy: soft pads, flute, bells drifting in echo.
		Score CloudSong(Rng& rng)
		{
			Score s;
			s.bpm = 96;
			s.bars = 28;
			const Key key = Lydian(45);		// A
			const Prog a = {0, 1, 4, 3}, b = {5, 1, 3, 4};

			Chords(s, Inst::Pad, key, 0, 28, a, 0, true, nullptr, 16, 0.8f);
			Hits(s, Inst::Kick, 4, 24, "x.........x.....", DRUM, 0.6f);
			Hits(s, Inst::Shaker, 4, 24, "..x...x...x...xx", DRUM, 0.5f);
			ChordPattern(s, Inst::SubBass, key, 0, 28, a, "x.......x.....x.", {0, 0, 4}, -1, 5.0f, 0.7f);
			ChordPattern(s, Inst::Bell, key, 0, 28, a, "x..x..x.x..x..x.", {0, 2, 4, 7, 9, 7}, 2, 1.0f, 0.5f);
			Melody(s, Inst::Flute, key, 4, 12, a, "4:6 5:2 4:4 2:4 0:8 2:4 r:4", 2, 0.8f, rng, 0.2f);
			Melody(s, Inst::Flute, key, 16, 8, b, "2:4 4:4 7:8 6:4 4:4 2:8", 2, 0.8f, rng, 0.2f);
			Melody(s, Inst::Strings, key, 24, 4, a, "4:16 2:16", 1, 0.6f, rng, 0.0f);
			s.echoed = {Inst::Bell, Inst::Flute};
			s.echoSteps = 6;
			s.echoFeedback = 0.45f;
			s.roomMix = 0.35f;
			s.drive = 1.0f;
			return s;
		}

		// Percussive: congas, toms and shakers around a marimba.
		Score JungleSong(Rng& rng)
		{
			Score s;
			s.bpm = 116;
			s.bars = 32;
			s.swing = 0.15f;
			const Key key = Dorian(40);		// E
			const Prog a = {0, 3, 0, 6}, b = {3, 4, 0, 0};

			Hits(s, Inst::Kick, 0, 32, "X.....x...x.....", DRUM, 0.9f);
			Hits(s, Inst::Conga, 0, 32, "..x.x..x.x.xx..x", 62, 0.7f);
			Hits(s, Inst::Conga, 0, 32, "x.....x.....x...", 55, 0.8f);
			Hits(s, Inst::Tom, 0, 32, "......X.......x.", 45, 0.7f);
			Hits(s, Inst::Shaker, 0, 32, "xxoxxxoxxxoxxxox", DRUM, 0.6f);
			Hits(s, Inst::Rim, 8, 24, "...x..x....x..x.", DRUM, 0.6f);
			ChordPattern(s, Inst::Pluck, key, 0, 32, a, "x..x..x...x..x..", {0, 0, 4, 7, 0}, -1, 2.0f, 0.9f);
			Melody(s, Inst::Marimba, key, 4, 12, a, "0:2 2:2 4:2 2:2 7:3 4:3 2:2 0:2 2:2 4:4 r:8", 2, 0.9f, rng, 0.25f);
			Melody(s, Inst::Flute, key, 16, 8, b, "4:8 2:4 0:4 2:8 -1:8", 2, 0.7f, rng, 0.15f);
			Melody(s, Inst::Marimba, key, 24, 8, a, "7:2 4:2 2:2 4:2 0:4 2:4 4:2 2:2 0:4 r:8", 2, 0.9f, rng, 0.25f);
			return s;
		}

		// The jungle boss: pounding toms, distorted bass and brass stabs.
		Score JungleBossSong(Rng& rng)
		{
			Score s;
			s.bpm = 138;
			s.bars = 36;
			s.drive = 2.0f;
			const Key key = Phrygian(40);	// E
			const Prog a = {0, 1, 0, 5}, b = {3, 1, 0, 0};

			Hits(s, Inst::Kick, 0, 36, "X..X..X...X..X..", DRUM, 1.0f);
			Hits(s, Inst::Tom, 0, 36, "..x..x..X..x.xxx", 41, 0.8f);
			Hits(s, Inst::Tom, 0, 36, "x.......x.......", 48, 0.7f);
			Hits(s, Inst::Snare, 4, 32, "....X.......X...", DRUM, 0.8f);
			Hits(s, Inst::Conga, 0, 36, "xx.xx.xx.xx.xx.x", 60, 0.5f);
			ChordPattern(s, Inst::Bass, key, 0, 36, a, "X.xX.xX.xX.x.X.x", {0, 0, 1, 0}, -1, 1.2f, 1.0f);
			Chords(s, Inst::Brass, key, 4, 32, a, 1, false, "X......X..X.....", 2, 0.9f);
			Melody(s, Inst::Lead, key, 12, 8, a, "0:3 1:3 0:2 -2:4 0:4 4:3 3:3 1:2 0:8", 2, 0.8f, rng, 0.2f);
			Melody(s, Inst::Choir, key, 20, 8, b, "0:16 1:16", 1, 0.7f, rng, 0.0f);
			Melody(s, Inst::Lead, key, 28, 8, a, "0:3 1:3 0:2 -2:4 0:4 4:3 3:3 1:2 0:8", 2, 0.8f, rng, 0.25f);
			return s;
		}

		// Tense: racing string ostinato in harmonic minor.
		Score FireIceSong(Rng& rng)
		{
			Score s;
			s.bpm = 124;
			s.bars = 32;
			const Key key = HarmonicMinor(47);	// B
			const Prog a = {0, 5, 3, 4}, b = {3, 4, 0, 4};

			Hits(s, Inst::Kick, 0, 32, "X...X...X...X...", DRUM, 0.9f);
			Hits(s, Inst::Snare, 4, 28, "....X.......X.oo", DRUM, 0.7f);
			Hits(s, Inst::HiHat, 4, 28, "x.xxx.xxx.xxx.xx", DRUM, 0.6f);
			ChordPattern(s, Inst::Strings, key, 0, 32, a, "xxxxxxxxxxxxxxxx", {0, 2, 4, 2}, 1, 0.9f, 0.7f);
			ChordPattern(s, Inst::Bass, key, 0, 32, a, "x.x.x.x.x.x.x.x.", {0}, -1, 1.0f, 0.9f);
			Melody(s, Inst::SquareLead, key, 8, 8, a, "4:2 r:2 4:2 r:2 5:2 4:2 2:4 0:4 2:4 4:8", 2, 0.7f, rng, 0.2f);
			Melody(s, Inst::Brass, key, 16, 8, b, "0:8 2:8 4:12 2:4", 1, 0.8f, rng, 0.1f);
			Melody(s, Inst::SquareLead, key, 24, 8, a, "4:2 r:2 4:2 r:2 5:2 4:2 2:4 0:4 2:4 4:8", 2, 0.7f, rng, 0.25f);
			return s;
		}

		// Spacey: echoing arpeggios, a warbling pad, bells in the distance.
		Score SaucerSong(Rng& rng)
		{
			Score s;
			s.bpm = 104;
			s.bars = 28;
			const Key key = Minor(49);		// C#
			const Prog a = {0, 5, 2, 6}, b = {3, 5, 6, 0};

			Chords(s, Inst::Pad, key, 0, 28, a, 0, true, nullptr, 16, 0.8f);
			ChordPattern(s, Inst::SquareLead, key, 0, 28, a, "xxxxxxxxxxxxxxxx", {0, 2, 4, 7, 9, 7, 4, 2}, 1, 0.8f, 0.45f);
			Hits(s, Inst::Kick, 4, 24, "x.......x.......", DRUM, 0.7f);
			Hits(s, Inst::Clap, 4, 24, "........x.......", DRUM, 0.5f);
			Hits(s, Inst::HiHat, 4, 24, "..x...x...x...x.", DRUM, 0.4f);
			ChordPattern(s, Inst::SubBass, key, 0, 28, a, "x.....x.....x...", {0, 0, 4}, -1, 4.0f, 0.8f);
			Melody(s, Inst::Bell, key, 8, 8, a, "4:8 2:8 0:8 -1:8", 2, 0.7f, rng, 0.1f);
			Melody(s, Inst::Flute, key, 16, 12, b, "0:4 4:4 7:8 6:4 4:4 2:8", 2, 0.6f, rng, 0.2f);
			s.echoed = {Inst::SquareLead, Inst::Bell, Inst::Flute};
			s.echoSteps = 3;
			s.echoFeedback = 0.5f;
			s.roomMix = 0.3f;
			s.drive = 1.0f;
			return s;
		}

		// The bonus tally: a quick, bright jingle with bells and brass.
		Score BonusSong(Rng& rng)
		{
			Score s;
			s.bpm = 144;
			s.bars = 40;
			const Key key = Major(50);		// D
			const Prog a = {0, 3, 4, 0}, b = {5, 3, 1, 4};

			Hits(s, Inst::Kick, 0, 40, "x...x...x...x...", DRUM, 0.9f);
			Hits(s, Inst::Snare, 0, 40, "....x.......x...", DRUM, 0.7f);
			Hits(s, Inst::OpenHat, 0, 40, "..x...x...x...x.", DRUM, 0.6f);
			ChordPattern(s, Inst::Bass, key, 0, 40, a, "x.xx.xx.x.xx.xx.", {0, 0, 4, 7}, -1, 1.0f, 0.85f);
			Chords(s, Inst::Organ, key, 0, 40, a, 1, false, "..x...x...x...x.", 1.5f, 0.7f);
			Melody(s, Inst::Bell, key, 0, 16, a, "0:2 2:2 4:2 7:2 4:4 2:4 4:2 5:2 4:2 2:2 0:8", 2, 0.8f, rng, 0.2f);
			Melody(s, Inst::Brass, key, 16, 8, b, "4:4 4:2 2:2 4:8 5:4 4:4 2:8", 2, 0.8f, rng, 0.15f);
			Melody(s, Inst::Bell, key, 24, 16, a, "0:2 2:2 4:2 7:2 4:4 2:4 4:2 5:2 4:2 2:2 0:8", 2, 0.8f, rng, 0.25f);
			return s;
		}

		// The high scores: relaxed and proud, organ and plucked lead.
		Score HighScoreSong(Rng& rng)
		{
			Score s;
			s.bpm = 100;
			s.bars = 28;
			s.swing = 0.2f;
			const Key key = Major(46);		// B flat
			const Prog a = {0, 2, 3, 4}, b = {3, 4, 2, 5};

			Chords(s, Inst::Organ, key, 0, 28, a, 1, true, "x.....x...x.....", 5, 0.6f);
			Hits(s, Inst::Kick, 0, 28, "x.....x.x.......", DRUM, 0.8f);
			Hits(s, Inst::Snare, 0, 28, "....x.......x...", DRUM, 0.6f);
			Hits(s, Inst::HiHat, 0, 28, "x.x.x.x.x.x.x.x.", DRUM, 0.5f);
			ChordPattern(s, Inst::Bass, key, 0, 28, a, "x...x.x.x...x.x.", {0, 4, 5, 4}, -1, 2.0f, 0.8f);
			Melody(s, Inst::Pluck, key, 4, 12, a, "4:2 2:2 0:4 2:2 4:2 5:4 4:6 2:2 0:8", 2, 0.9f, rng, 0.2f);
			Melody(s, Inst::Lead, key, 16, 8, b, "0:6 2:2 4:8 2:4 0:4 -1:8", 2, 0.7f, rng, 0.15f);
			Melody(s, Inst::Pluck, key, 24, 4, a, "4:2 2:2 0:4 2:2 4:2 5:4 4:6 2:2 0:8", 2, 0.9f, rng, 0.2f);
			return s;
		}

		// The brain boss: menacing low ostinato, choir and pounding drums.
		Score BrainBossSong(Rng& rng)
		{
			Score s;
			s.bpm = 150;
			s.bars = 40;
			s.drive = 2.2f;
			const Key key = Minor(36);		// C
			const Prog a = {0, 0, 5, 1}, b = {3, 5, 1, 0};

			Hits(s, Inst::Kick, 0, 40, "X.X...X.X.X...x.", DRUM, 1.0f);
			Hits(s, Inst::Snare, 0, 40, "....X.......X...", DRUM, 0.9f);
			Hits(s, Inst::HiHat, 0, 40, "x.xxx.xxx.xxx.xx", DRUM, 0.5f);
			Hits(s, Inst::Tom, 8, 32, "..............XX", 36, 0.8f);
			ChordPattern(s, Inst::Bass, key, 0, 40, a, "xxx.xxx.xx.xxx.x", {0, 0, 1, 0, 0, 6}, 0, 0.9f, 1.0f);
			Melody(s, Inst::Choir, key, 8, 16, a, "0:16 -1:8 1:8", 2, 0.8f, rng, 0.0f);
			Chords(s, Inst::Brass, key, 8, 16, a, 1, false, "X.........X.....", 3, 0.8f);
			Hits(s, Inst::Crash, 24, 1, "X...............", DRUM);
			Melody(s, Inst::Lead, key, 24, 16, b, "0:2 1:2 0:2 -1:2 0:8 4:2 3:2 1:2 0:2 -1:8", 2, 0.8f, rng, 0.2f);
			Chords(s, Inst::Strings, key, 24, 16, b, 1, false, nullptr, 16, 0.6f);
			return s;
		}

		// Lost: a falling brass sting, then slow strings and organ in A minor.
		Score LoseSong(Rng& rng)
		{
			Score s;
			s.bpm = 76;
			s.bars = 20;
			const Key key = Minor(45);		// A
			const Prog a = {0, 5, 3, 4}, b = {3, 0, 4, 0};

			Melody(s, Inst::Brass, key, 0, 1, {0}, "4:4 3:4 1:4 0:4", 1, 0.9f, rng, 0.0f);
			Hits(s, Inst::Tom, 0, 1, "X...X...X...X...", 40, 0.8f);
			Chords(s, Inst::Strings, key, 1, 19, a, 0, false, nullptr, 16, 0.7f);
			Chords(s, Inst::Organ, key, 5, 15, a, 1, false, "x.......x.......", 7, 0.5f);
			ChordPattern(s, Inst::SubBass, key, 1, 19, a, "x.......x.......", {0, 0}, -1, 7.0f, 0.7f);
			Hits(s, Inst::Kick, 5, 15, "x.........x.....", DRUM, 0.5f);
			Hits(s, Inst::Rim, 5, 15, "........x.......", DRUM, 0.4f);
			Melody(s, Inst::Flute, key, 5, 8, a, "4:8 3:4 2:4 1:8 0:8", 2, 0.7f, rng, 0.1f);
			Melody(s, Inst::Strings, key, 13, 7, b, "2:8 1:8 0:16", 2, 0.6f, rng, 0.1f);
			s.roomMix = 0.35f;
			s.drive = 1.0f;
			return s;
		}

		// Won: a fanfare, then a celebration.
		Score WinSong(Rng& rng)
		{
			Score s;
			s.bpm = 120;
			s.bars = 32;
			const Key key = Major(48);		// C
			const Prog a = {0, 3, 4, 0}, b = {3, 4, 5, 4};

			// The fanfare.
			Melody(s, Inst::Brass, key, 0, 2, {0}, "0:2 0:2 0:2 4:6 3:4 4:8 7:8", 2, 1.0f, rng, 0.0f);
			Hits(s, Inst::Tom, 0, 2, "X.X.X.....X.....", 43, 0.9f);
			Hits(s, Inst::Crash, 2, 1, "X...............", DRUM);
			// The celebration.
			Hits(s, Inst::Kick, 2, 30, "X...x...X...x...", DRUM, 0.9f);
			Hits(s, Inst::Snare, 2, 30, "....X.......X.x.", DRUM, 0.8f);
			Hits(s, Inst::OpenHat, 2, 30, "..x...x...x...x.", DRUM, 0.6f);
			ChordPattern(s, Inst::Bass, key, 2, 30, a, "x.x.x.xxx.x.x.xx", {0, 0, 4, 0, 7}, -1, 1.0f, 0.9f);
			Chords(s, Inst::Strings, key, 2, 30, a, 1, false, nullptr, 16, 0.6f);
			Melody(s, Inst::Brass, key, 6, 12, a, "0:2 2:2 4:4 4:2 5:2 7:4 5:2 4:2 2:4 4:8", 2, 0.9f, rng, 0.2f);
			Melody(s, Inst::Lead, key, 18, 8, b, "4:4 5:4 7:8 9:4 7:4 4:8", 2, 0.8f, rng, 0.2f);
			Melody(s, Inst::Bell, key, 26, 6, a, "7:2 4:2 2:2 4:2 7:4 9:4", 2, 0.7f, rng, 0.2f);
			s.echoed = {Inst::Bell};
			return s;
		}

		using SongComposer = Score (*)(Rng&);
		constexpr SongComposer kComposers[NUM_SONGS] =
		{
			ThemeSong, FarmSong, SlimeSong, SlimeBossSong, ApocalypseSong, CloudSong, JungleSong, JungleBossSong,
			FireIceSong, SaucerSong, BonusSong, HighScoreSong, BrainBossSong, LoseSong, WinSong,
		};
	}

	AiffSound ComposeSong(int songNum)
	{
		if (songNum < 0 || songNum >= NUM_SONGS)
			throw std::out_of_range("ComposeSong: no song " + std::to_string(songNum));
		Rng rng(0x50A6u + uint32_t(songNum) * 104729u);
		const Score score = kComposers[songNum](rng);
		AiffSound out;
		out.channels = 1;
		out.sampleRate = SAMPLE_RATE;
		const Buffer ring = RenderScore(score, 0xB0A7u + uint32_t(songNum));
		// The file opens with the ring's last packet, then the ring itself,
		// marked as the loop. A decoder of IMA 4:1 starts from silence and
		// takes a few samples to catch up with the music: it does so in that
		// lead-in, which plays once, so the loop itself joins cleanly. The
		// lead-in is what comes before the downbeat anyway.
		Buffer file(ring.end() - SONG_LEAD_IN, ring.end());
		file.insert(file.end(), ring.begin(), ring.end());
		out.samples = ToPcm16(file);
		out.loop = true;
		out.loopStart = SONG_LEAD_IN;
		out.loopEnd = uint32_t(file.size());
		return out;
	}

	AiffEncoding GetSongEncoding(int songNum)
	{
		// The bonus song is the one song in mu-law; the rest are IMA 4:1.
		return songNum == SONG_BONUS ? AiffEncoding::ULaw : AiffEncoding::Ima4;
	}
}
