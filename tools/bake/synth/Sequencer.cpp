#include "synth/Sequencer.h"
#include "synth/Voices.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace Synth
{
	namespace
	{
		//
		// Instruments: each renders one note (its length plus its own release).
		//

		Buffer Pluck(float hz, float seconds, float velocity, Rng& rng)
		{
			// Karplus-Strong: a burst of noise circulating through a damped
			// delay of one period (read between samples, so it stays in tune).
			const float period = float(SAMPLE_RATE) / hz;
			const float delay = std::max(2.0f, period - 0.5f);	// the averaging adds half a sample
			const int excite = int(std::ceil(period));
			Buffer out(size_t(Frames(seconds + 0.6f)), 0.0f);
			OnePole tone;
			const float damping = 0.996f;
			auto at = [&](float x)
			{
				if (x < 0)
					return 0.0f;
				const size_t j = size_t(x);
				const float frac = x - float(j);
				return out[j] + (out[j + 1] - out[j]) * frac;
			};
			for (size_t i = 0; i < out.size(); i++)
			{
				float x = int(i) < excite ? tone.Low(rng.Bipolar(), 1500.0f + 6000.0f * velocity) : 0.0f;
				float fed = float(i) - delay;
				out[i] = x + damping * 0.5f * (at(fed) + at(fed - 1.0f));
			}
			for (size_t i = 0; i < out.size(); i++)
			{
				float t = float(i) / SAMPLE_RATE;
				out[i] *= t < seconds ? 1.0f : std::max(0.0f, 1.0f - (t - seconds) / 0.6f);
			}
			return out;
		}

		Buffer Tone(float seconds, float release, const auto& sample)
		{
			return Generate(seconds + release, [&](float t, int) { return sample(t); });
		}

		Buffer RenderInstrument(Inst inst, float hz, float seconds, float velocity, Rng& rng)
		{
			switch (inst)
			{
				case Inst::Kick:
				{
					Buffer b = Thump(0.4f, 160.0f, 46.0f, 0.085f);
					MixInto(b, NoiseBurst(rng, 0.02f, 1000.0f, 6000.0f, 0.0005f, 0.003f), 0.3f);
					return b;
				}
				case Inst::Snare:
				{
					Buffer b = NoiseBurst(rng, 0.25f, 900.0f, 8000.0f, 0.001f, 0.06f);
					MixInto(b, Thump(0.15f, 240.0f, 180.0f, 0.04f), 0.6f);
					return b;
				}
				case Inst::Clap:
				{
					Buffer b;
					for (int k = 0; k < 3; k++)
						MixInto(b, NoiseBurst(rng, 0.12f, 900.0f, 3500.0f, 0.0005f, k == 2 ? 0.04f : 0.008f), 1.0f, 0.011f * float(k));
					return b;
				}
				case Inst::HiHat: return NoiseBurst(rng, 0.06f, 7000.0f, 10000.0f, 0.0005f, 0.018f);
				case Inst::OpenHat: return NoiseBurst(rng, 0.3f, 6500.0f, 10000.0f, 0.001f, 0.1f);
				case Inst::Shaker: return NoiseBurst(rng, 0.08f, 4500.0f, 9000.0f, 0.012f, 0.02f);
				case Inst::Tom: return Thump(0.35f, hz * 1.6f, hz, 0.09f);
				case Inst::Conga:
				{
					Buffer b = Thump(0.25f, hz * 1.25f, hz, 0.05f);
					MixInto(b, NoiseBurst(rng, 0.02f, 1500.0f, 5000.0f, 0.0003f, 0.004f), 0.3f);
					return b;
				}
				case Inst::Rim:
				{
					Buffer b = NoiseBurst(rng, 0.05f, 1500.0f, 6000.0f, 0.0002f, 0.006f);
					MixInto(b, Bell(0.06f, 1700.0f, 0.015f), 0.5f);
					return b;
				}
				case Inst::Crash:
				{
					Buffer b = NoiseBurst(rng, 1.6f, 4000.0f, 10000.0f, 0.002f, 0.5f);
					MixInto(b, Metal(rng, 1.2f, 600.0f, 0.4f, 0.9f), 0.2f);
					return b;
				}
				case Inst::Bass:
				{
					Osc o, sub;
					SVF f;
					return Tone(seconds, 0.05f, [&](float t)
					{
						float env = ADSR(t, 0.004f, 0.15f, 0.6f, 0.05f, seconds);
						float cutoff = 250.0f + 1400.0f * velocity * Decay(t, 0.12f);
						return f.Low(o.Saw(hz) * 0.7f + sub.Sine(hz) * 0.5f, cutoff, 0.3f) * env;
					});
				}
				case Inst::SubBass:
				{
					Osc o, tri;
					return Tone(seconds, 0.06f, [&](float t)
					{
						return (o.Sine(hz) + tri.Triangle(hz * 2.0f) * 0.15f) * ADSR(t, 0.006f, 0.1f, 0.8f, 0.06f, seconds);
					});
				}
				case Inst::AcidBass:
				{
					Osc o;
					SVF f;
					return Tone(seconds, 0.03f, [&](float t)
					{
						float cutoff = 200.0f + 2600.0f * velocity * Decay(t, 0.09f);
						return f.Low(o.Saw(hz), cutoff, 0.85f) * ADSR(t, 0.002f, 0.1f, 0.7f, 0.03f, seconds);
					});
				}
				case Inst::Pluck: return Pluck(hz, seconds, velocity, rng);
				case Inst::Marimba:
				{
					Osc a, b;
					return Tone(0.0f, 0.6f, [&](float t)
					{
						return a.Sine(hz) * Decay(t, 0.25f) + b.Sine(hz * 3.93f) * 0.4f * Decay(t, 0.04f);
					});
				}
				case Inst::Bell: return FMTone(std::max(seconds, 0.2f) + 0.8f, hz, 3.5f, 1.2f, 0.2f, 0.35f);
				case Inst::Organ:
				{
					Osc a, b, c, d;
					return Tone(seconds, 0.04f, [&](float t)
					{
						float s = a.Sine(hz) + b.Sine(hz * 2.0f) * 0.6f + c.Sine(hz * 3.0f) * 0.4f + d.Sine(hz * 4.0f) * 0.25f;
						return s * 0.45f * ADSR(t, 0.01f, 0.05f, 0.9f, 0.04f, seconds);
					});
				}
				case Inst::Pad:
				{
					Osc a, b, c;
					SVF f;
					return Tone(seconds, 0.6f, [&](float t)
					{
						float s = a.Saw(hz * 0.996f) + b.Saw(hz * 1.004f) + c.Triangle(hz * 0.5f);
						return f.Low(s, 1200.0f, 0.2f) * 0.35f * ADSR(t, 0.35f, 0.3f, 0.8f, 0.6f, seconds);
					});
				}
				case Inst::Strings:
				{
					Osc a, b, vib;
					SVF f;
					return Tone(seconds, 0.3f, [&](float t)
					{
						float v = 1.0f + 0.006f * vib.Sine(5.5f) * Ramp(t, 0.2f, 0.6f);
						float s = a.Saw(hz * v * 0.998f) + b.Saw(hz * v * 1.003f);
						return f.Low(s, 2600.0f, 0.1f) * 0.4f * ADSR(t, 0.12f, 0.2f, 0.85f, 0.3f, seconds);
					});
				}
				case Inst::Brass:
				{
					Osc a, b;
					SVF f;
					return Tone(seconds, 0.12f, [&](float t)
					{
						float env = ADSR(t, 0.03f, 0.15f, 0.75f, 0.12f, seconds);
						float cutoff = 500.0f + 2800.0f * velocity * std::min(1.0f, t / 0.06f) * (0.6f + 0.4f * Decay(t, 0.3f));
						return f.Low(a.Saw(hz) + b.Saw(hz * 1.005f) * 0.6f, cutoff, 0.25f) * 0.6f * env;
					});
				}
				case Inst::Lead:
				{
					Osc a, vib;
					SVF f;
					return Tone(seconds, 0.1f, [&](float t)
					{
						float v = 1.0f + 0.01f * vib.Sine(6.0f) * Ramp(t, 0.15f, 0.4f);
						return f.Low(a.Saw(hz * v), 3500.0f, 0.2f) * 0.6f * ADSR(t, 0.01f, 0.1f, 0.8f, 0.1f, seconds);
					});
				}
				case Inst::SquareLead:
				{
					Osc a;
					SVF f;
					return Tone(seconds, 0.06f, [&](float t)
					{
						return f.Low(a.Square(hz, 0.3f), 4000.0f, 0.1f) * 0.45f * ADSR(t, 0.005f, 0.08f, 0.7f, 0.06f, seconds);
					});
				}
				case Inst::Flute:
				{
					Osc a, vib;
					SVF f;
					return Tone(seconds, 0.12f, [&](float t)
					{
						float v = 1.0f + 0.008f * vib.Sine(5.0f) * Ramp(t, 0.1f, 0.3f);
						float breath = f.Band(rng.Bipolar(), hz * 2.0f, 0.6f) * 0.15f;
						return (a.Sine(hz * v) + breath) * 0.7f * ADSR(t, 0.06f, 0.1f, 0.85f, 0.12f, seconds);
					});
				}
				case Inst::Choir:
				{
					Buffer b = Voice(rng, seconds + 0.4f, [hz](float) { return hz; }, 700.0f, 1150.0f, 0.05f);
					for (size_t i = 0; i < b.size(); i++)
						b[i] *= ADSR(float(i) / SAMPLE_RATE, 0.2f, 0.2f, 0.8f, 0.4f, seconds) * 0.8f;
					return b;
				}
				case Inst::Bloop:
				{
					Osc a;
					return Tone(std::min(seconds, 0.25f), 0.08f, [&](float t)
					{
						return a.Sine(hz * (1.0f + 0.6f * Decay(t, 0.02f))) * AttackDecay(t, 0.003f, 0.09f);
					});
				}
				case Inst::Count: break;
			}
			throw std::logic_error("unknown instrument");
		}

		// Loudness of each instrument in the mix.
		float InstrumentGain(Inst inst)
		{
			switch (inst)
			{
				case Inst::Kick: return 0.9f;
				case Inst::Snare: return 0.5f;
				case Inst::Clap: return 0.45f;
				case Inst::HiHat: return 0.18f;
				case Inst::OpenHat: return 0.15f;
				case Inst::Shaker: return 0.15f;
				case Inst::Tom: return 0.55f;
				case Inst::Conga: return 0.45f;
				case Inst::Rim: return 0.3f;
				case Inst::Crash: return 0.2f;
				case Inst::Bass: return 0.55f;
				case Inst::SubBass: return 0.6f;
				case Inst::AcidBass: return 0.4f;
				case Inst::Pluck: return 0.35f;
				case Inst::Marimba: return 0.4f;
				case Inst::Bell: return 0.25f;
				case Inst::Organ: return 0.25f;
				case Inst::Pad: return 0.22f;
				case Inst::Strings: return 0.25f;
				case Inst::Brass: return 0.4f;
				case Inst::Lead: return 0.3f;
				case Inst::SquareLead: return 0.3f;
				case Inst::Flute: return 0.35f;
				case Inst::Choir: return 0.3f;
				case Inst::Bloop: return 0.45f;
				case Inst::Count: break;
			}
			return 0.3f;
		}

		bool IsDrum(Inst inst)
		{
			return inst <= Inst::Crash;
		}

		void AddCircular(Buffer& ring, const Buffer& src, int64_t start, float gain)
		{
			const int64_t n = int64_t(ring.size());
			int64_t at = ((start % n) + n) % n;
			for (float s : src)
			{
				ring[size_t(at)] += s * gain;
				if (++at == n)
					at = 0;
			}
		}

		// dst[i] += src[i - delay] × gain, reading around the ring.
		void AddDelayed(Buffer& dst, const Buffer& src, size_t delay, float gain)
		{
			const size_t n = dst.size();
			delay %= n;
			for (size_t i = 0; i < delay; i++)
				dst[i] += src[n - delay + i] * gain;
			for (size_t i = delay; i < n; i++)
				dst[i] += src[i - delay] * gain;
		}

		// A low-pass over the ring: the filter first runs over the ring's end,
		// so its state at the start is what it would be coming round.
		void CircularLowpass(Buffer& ring, float hz)
		{
			SVF f;
			const size_t warm = std::min<size_t>(ring.size(), 4096);
			for (size_t i = ring.size() - warm; i < ring.size(); i++)
				f.Low(ring[i], hz);
			for (float& x : ring)
				x = f.Low(x, hz);
		}

		// Taps of a decaying echo, read around the ring.
		void CircularEcho(Buffer& ring, const Buffer& dry, int delay, float feedback, int taps)
		{
			float gain = feedback;
			for (int k = 1; k <= taps; k++, gain *= feedback)
				AddDelayed(ring, dry, size_t(delay) * size_t(k), gain);
		}
	}

	int StepFrames(float bpm)
	{
		const double frames = SAMPLE_RATE * 60.0 / double(bpm) / 4.0;
		return std::max(4, int(std::lround(frames / 4.0)) * 4);
	}

	Buffer RenderScore(const Score& score, uint32_t seed)
	{
		const int stepFrames = StepFrames(score.bpm);
		const int64_t total = int64_t(score.bars) * 16 * stepFrames;
		Buffer ring(size_t(total), 0.0f);
		Buffer echoBus(score.echoed.empty() ? 0 : size_t(total), 0.0f);

		// Identical notes are rendered once; drums get a few takes so that
		// repeated hits are not all alike.
		std::map<std::tuple<int, int, int, int, int>, Buffer> cache;
		Rng variantRng(seed ^ 0xA5A5A5A5u);

		for (const Note& note : score.notes)
		{
			const int variant = IsDrum(note.inst) ? int(variantRng.Next() % 3) : 0;
			const int lengthFrames = std::max(1, int(note.length * float(stepFrames)));
			const auto key = std::make_tuple(int(note.inst), int(std::lround(note.pitch * 4.0f)),
											 lengthFrames / 32, int(std::lround(note.velocity * 8.0f)), variant);
			auto found = cache.find(key);
			if (found == cache.end())
			{
				Rng rng(seed + uint32_t(int(note.inst) * 1000 + variant * 77 + int(note.pitch)));
				Buffer b = RenderInstrument(note.inst, NoteHz(note.pitch), Seconds(lengthFrames), note.velocity, rng);
				found = cache.emplace(key, std::move(b)).first;
			}

			int64_t start = int64_t(note.step) * stepFrames;
			if (note.step % 2 == 1)
				start += int64_t(score.swing * float(stepFrames));
			const float gain = InstrumentGain(note.inst) * note.velocity;
			AddCircular(ring, found->second, start, gain);
			if (std::find(score.echoed.begin(), score.echoed.end(), note.inst) != score.echoed.end())
				AddCircular(echoBus, found->second, start, gain);
		}

		if (!score.echoed.empty())
		{
			CircularLowpass(echoBus, 3500.0f);
			CircularEcho(ring, echoBus, int(score.echoSteps * float(stepFrames)), score.echoFeedback, 5);
			Buffer().swap(echoBus);
		}

		if (score.roomMix > 0)
		{
			// A short, dark room: a few early reflections around the ring.
			Buffer dark = ring;
			CircularLowpass(dark, 3000.0f);
			const float kRoom[][2] = {{0.023f, 0.5f}, {0.041f, 0.4f}, {0.067f, 0.3f}, {0.089f, 0.25f}, {0.131f, 0.18f}};
			for (const auto& tap : kRoom)
				AddDelayed(ring, dark, size_t(Frames(tap[0])), tap[1] * score.roomMix);
		}

		// The ring is periodic: a plain mean removal and a point-wise curve
		// keep it so.
		RemoveMean(ring);
		Normalize(ring, 1.0f);
		if (score.drive > 1.0f)
			Drive(ring, score.drive);
		Normalize(ring, score.level);
		return ring;
	}

	//
	// Keys
	//

	float Key::Degree(int d) const
	{
		int octave = d >= 0 ? d / 7 : -((-d + 6) / 7);
		int index = d - octave * 7;
		return float(root + 12 * octave + steps[index]);
	}

	Key Major(int root) { return {root, {0, 2, 4, 5, 7, 9, 11}}; }
	Key Minor(int root) { return {root, {0, 2, 3, 5, 7, 8, 10}}; }
	Key HarmonicMinor(int root) { return {root, {0, 2, 3, 5, 7, 8, 11}}; }
	Key Dorian(int root) { return {root, {0, 2, 3, 5, 7, 9, 10}}; }
	Key Phrygian(int root) { return {root, {0, 1, 3, 5, 7, 8, 10}}; }
	Key Lydian(int root) { return {root, {0, 2, 4, 6, 7, 9, 11}}; }
	Key Mixolydian(int root) { return {root, {0, 2, 4, 5, 7, 9, 10}}; }

	//
	// Writing scores
	//

	namespace
	{
		float HitVelocity(char c, float velocity)
		{
			switch (c)
			{
				case 'X': return std::min(1.0f, velocity * 1.2f);
				case 'x': return velocity;
				case 'o': return velocity * 0.45f;
				default: return 0.0f;
			}
		}

		int ChordAt(const std::vector<int>& progression, int bar)
		{
			return progression[size_t(bar) % progression.size()];
		}
	}

	void Hits(Score& s, Inst inst, int bar, int bars, const char* pattern, float pitch, float velocity)
	{
		const int len = int(std::string(pattern).size());
		for (int step = 0; step < bars * 16; step++)
		{
			float v = HitVelocity(pattern[step % len], velocity);
			if (v > 0)
				s.notes.push_back({bar * 16 + step, 1.0f, pitch, v, inst});
		}
	}

	void ChordPattern(Score& s, Inst inst, const Key& key, int bar, int bars, const std::vector<int>& progression,
					  const char* pattern, const std::vector<int>& chordTones, int octave, float length, float velocity)
	{
		const int len = int(std::string(pattern).size());
		std::vector<int> hits;
		for (int step = 0; step < bars * 16; step++)
		{
			if (HitVelocity(pattern[step % len], 1.0f) > 0)
				hits.push_back(step);
		}
		for (size_t h = 0; h < hits.size(); h++)
		{
			const int step = hits[h];
			const int next = h + 1 < hits.size() ? hits[h + 1] : bars * 16;
			const int chord = ChordAt(progression, (bar + step / 16));
			const int tone = chordTones[h % chordTones.size()];
			const float pitch = key.Degree(chord + tone) + 12.0f * float(octave);
			const float v = HitVelocity(pattern[step % len], velocity);
			s.notes.push_back({bar * 16 + step, length > 0 ? length : float(next - step), pitch, v, inst});
		}
	}

	void Chords(Score& s, Inst inst, const Key& key, int bar, int bars, const std::vector<int>& progression,
				int octave, bool seventh, const char* pattern, float length, float velocity)
	{
		const int len = pattern ? int(std::string(pattern).size()) : 0;
		for (int b = 0; b < bars; b++)
		{
			const int chord = ChordAt(progression, bar + b);
			std::vector<int> tones = {0, 2, 4};
			if (seventh)
				tones.push_back(6);
			for (int step = 0; step < 16; step++)
			{
				float v = pattern ? HitVelocity(pattern[(b * 16 + step) % len], velocity) : (step == 0 ? velocity : 0.0f);
				if (v <= 0)
					continue;
				for (int t : tones)
					s.notes.push_back({(bar + b) * 16 + step, pattern ? length : 16.0f, key.Degree(chord + t) + 12.0f * float(octave), v, inst});
			}
		}
	}

	void Melody(Score& s, Inst inst, const Key& key, int bar, int bars, const std::vector<int>& progression,
				const std::string& phrase, int octave, float velocity, Rng& rng, float variation)
	{
		struct Token { bool rest; int degree; int steps; };
		std::vector<Token> tokens;
		std::istringstream in(phrase);
		std::string word;
		int phraseSteps = 0;
		while (in >> word)
		{
			const size_t colon = word.find(':');
			if (colon == std::string::npos)
				throw std::invalid_argument("melody token without ':': " + word);
			Token t{word.substr(0, colon) == "r", 0, std::stoi(word.substr(colon + 1))};
			if (!t.rest)
				t.degree = std::stoi(word.substr(0, colon));
			tokens.push_back(t);
			phraseSteps += t.steps;
		}
		if (phraseSteps <= 0)
			throw std::invalid_argument("empty melody");

		const int end = (bar + bars) * 16;
		int step = bar * 16;
		for (int repeat = 0; step < end; repeat++)
		{
			for (size_t i = 0; i < tokens.size() && step < end; i++)
			{
				const Token& t = tokens[i];
				if (!t.rest)
				{
					int degree = t.degree;
					// Later repeats wander a little; the last note of the
					// phrase stays put so each phrase still lands home.
					if (repeat > 0 && i + 1 < tokens.size() && rng.Uniform() < variation)
						degree += rng.Uniform() < 0.5f ? 1 : -1;
					const int chord = ChordAt(progression, step / 16);
					const float pitch = key.Degree(chord + degree) + 12.0f * float(octave);
					const float v = velocity * (step % 4 == 0 ? 1.0f : 0.85f);
					s.notes.push_back({step, float(t.steps) * 0.9f, pitch, v, inst});
				}
				step += t.steps;
			}
		}
	}
}
