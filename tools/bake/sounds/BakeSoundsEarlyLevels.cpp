// Sound designs of the menu and bonus screens and of the farm, slime and
// apocalypse levels.
#include "sounds/BakeSoundsDesign.h"

namespace Bake
{
	using namespace Designs;

	namespace
	{
		// A slow pad of detuned saws under a moving filter.
		Buffer Pad(Rng& r, float seconds, const std::vector<float>& notes, float cutLow, float cutHigh)
		{
			Buffer b(size_t(Frames(seconds)), 0.0f);
			for (float note : notes)
			{
				for (int v = 0; v < 2; v++)
				{
					Osc o;
					o.phase = r.Uniform();
					float hz = NoteHz(note) * (v ? 1.004f : 0.997f);
					for (size_t i = 0; i < b.size(); i++)
						b[i] += o.Saw(hz) * 0.2f;
				}
			}
			SVF f;
			for (size_t i = 0; i < b.size(); i++)
			{
				float t = float(i) / SAMPLE_RATE;
				float u = 0.5f - 0.5f * std::cos(TWO_PI * t / seconds);
				b[i] = f.Low(b[i], ExpLerp(cutLow, cutHigh, u), 0.3f);
			}
			return b;
		}
	}

	void AddEarlyLevelDesigns(std::vector<EffectDesign>& d)
	{
		//
		// Menu
		//

		// The menu's opening ambience: a wide pad with wind through it.
		d.push_back({EFFECT_AMBIENCE, IMA, [](Rng& r)
		{
			Buffer b = Pad(r, 6.0f, {45, 52, 57, 64, 71}, 300.0f, 2400.0f);
			MixInto(b, Whoosh(r, 6.0f, 400.0f, 1200.0f, 0.5f), 0.4f);
			Shape(b, [](float t) { return Ramp(t, 0, 0.3f) * (1.0f - Ramp(t, 4.8f, 6.0f)); });
			return Once(b, 0.8f);
		}});

		// Accent drone 1: a low swell rising out of nothing.
		d.push_back({EFFECT_ACCENTDRONE1, IMA, [](Rng&)
		{
			Osc a, b2, c;
			Buffer b = Generate(3.0f, [&](float t, int)
			{
				float s = a.Sine(55.0f) + b2.Saw(55.0f * 1.003f) * 0.4f + c.Sine(82.5f) * 0.5f;
				return s * std::sin(PI * t / 3.0f);
			});
			Lowpass(b, 900.0f, 0.4f);
			return Once(b, 0.8f);
		}});

		// Accent drone 2: a darker cluster with a shimmering top.
		d.push_back({EFFECT_ACCENTDRONE2, IMA, [](Rng& r)
		{
			Buffer b = FMTone(3.0f, 73.4f, 1.5f, 1.2f, 0.2f, 100.0f);
			MixInto(b, FMTone(3.0f, 110.0f, 2.0f, 0.8f, 1.5f, 100.0f), 0.6f);
			Buffer top = NoiseBurst(r, 3.0f, 4000.0f, 8000.0f, 0.5f, 100.0f);
			Tremolo(top, 5.5f, 0.9f);
			MixInto(b, top, 0.08f);
			Shape(b, [](float t) { return std::sin(PI * t / 3.0f); });
			return Once(b, 0.8f);
		}});

		//
		// Bonus screen
		//

		// Humans beamed away at the tally: an FM sweep with a chorus.
		d.push_back({EFFECT_BONUS_TELEPORTHUMAN, PCM, [](Rng&)
		{
			Osc a, b2, m;
			Buffer b = Generate(1.0f, [&](float t, int)
			{
				float hz = ExpLerp(400.0f, 1800.0f, Smooth(t / 1.0f));
				float mod = m.Sine(hz * 0.5f) * 0.6f;
				return (a.Sine(hz * (1.0f + mod)) + b2.Sine(hz * 1.01f) * 0.5f) * Window(t, 0, 1.0f, 0.2f);
			});
			return Once(b);
		}});

		// Points counting: a quick run of beeps. The beat is a whole number
		// of codec packets, so the loop holds exactly four beeps.
		d.push_back({EFFECT_POINTBEEP, PCM, [](Rng&)
		{
			constexpr int PERIOD = 12 * 192;		// frames, about 9.6 beeps a second
			Buffer src;
			for (int k = 0; k < 8; k++)
			{
				Osc o;
				float hz = k % 2 ? 1320.0f : 1480.0f;
				MixInto(src, Generate(0.03f, [&](float t, int) { return o.Square(hz, 0.3f) * Window(t, 0, 0.03f, 0.004f); }), 0.6f, Seconds(PERIOD * k));
			}
			Lowpass(src, 5000.0f);
			// The loop starts in the gap after the second beep.
			return Looped(src, Seconds(22 * 192), Seconds(4 * PERIOD), 0.6f);
		}});

		// The bonus screen's tractor beam: a pulsing hum with a climbing whine.
		d.push_back({EFFECT_BONUS_TRACTORBEAM, PCM, [](Rng&)
		{
			Osc hum, whine;
			Buffer b = Generate(1.5f, [&](float t, int)
			{
				float pulse = 0.6f + 0.4f * std::sin(TWO_PI * 6.0f * t);
				return (hum.Saw(75.0f) * 0.5f * pulse + whine.Sine(ExpLerp(500.0f, 1500.0f, t / 1.5f)) * 0.3f) * Window(t, 0, 1.5f, 0.1f);
			});
			Lowpass(b, 2500.0f, 0.3f);
			return Once(b);
		}});

		// The saucer leaving: a long roar that climbs away.
		d.push_back({EFFECT_BONUS_ROCKET, PCM, [](Rng& r)
		{
			SVF f;
			Osc o;
			Buffer b = Generate(2.5f, [&](float t, int)
			{
				float cutoff = ExpLerp(400.0f, 5000.0f, t / 2.5f);
				float tone = o.Saw(ExpLerp(60.0f, 240.0f, t / 2.5f)) * 0.3f;
				return f.Low(r.Bipolar() + tone, cutoff, 0.25f) * Window(t, 0, 2.5f, 0.4f);
			});
			return Once(b);
		}});

		//
		// Farm
		//

		// Popcorn: a tiny pop.
		d.push_back({EFFECT_POPCORNPOP, PCM, [](Rng& r)
		{
			Buffer b = Bubble(0.1f, 900.0f, 0.6f);
			MixInto(b, NoiseBurst(r, 0.03f, 2000.0f, 8000.0f, 0.0002f, 0.004f), 0.8f);
			return Once(b, 0.7f);
		}});

		// Corn shot: a thump and a "thwip".
		d.push_back({EFFECT_SHOOTCORN, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.2f, 180.0f, 90.0f, 0.03f);
			MixInto(b, Sweep(Wave::Triangle, 0.25f, 1300.0f, 380.0f, 0.003f, 0.06f), 0.7f);
			MixInto(b, NoiseBurst(r, 0.1f, 800.0f, 3000.0f, 0.001f, 0.02f), 0.3f);
			return Once(b);
		}});

		// Metal gate hit: a rattling clang.
		d.push_back({EFFECT_METALGATEHIT, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 0.9f, 215.0f, 0.2f, 0.75f);
			Tremolo(b, 28.0f, 0.5f);
			MixInto(b, Thump(0.3f, 120.0f, 60.0f, 0.05f), 0.6f);
			return Once(b);
		}});

		// Metal gate crash: the gate bursts and falls.
		d.push_back({EFFECT_METALGATECRASH, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 1.5f, 150.0f, 0.35f, 0.8f);
			MixInto(b, Crunch(r, 1.0f, 35, 300.0f, 5000.0f), 0.8f);
			MixInto(b, Explosion(r, 1.0f, 0.2f), 0.5f);
			MixInto(b, Metal(r, 0.6f, 260.0f, 0.12f, 0.6f), 0.5f, 0.55f);
			return Once(b);
		}});

		// The tractor: a chugging diesel.
		d.push_back({EFFECT_TRACTOR, PCM, [](Rng& r)
		{
			Buffer src = Engine(r, 1.5f, 55.0f, 9.0f, 700.0f);
			Buffer rattle = NoiseBurst(r, 1.5f, 1500.0f, 4000.0f, 0.01f, 100.0f);
			Tremolo(rattle, 18.0f, 1.0f);
			MixInto(src, rattle, 0.15f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A thrown onion: a wobbling swoosh.
		d.push_back({EFFECT_ONIONSWOOSH, ALAW, [](Rng& r)
		{
			Buffer b = Whoosh(r, 0.5f, 500.0f, 1400.0f, 0.55f);
			Tremolo(b, 12.0f, 0.7f);
			return Once(b);
		}});

		// A wooden gate smashed to splinters.
		d.push_back({EFFECT_WOODGATESMASH, PCM, [](Rng& r)
		{
			Buffer b = Crunch(r, 1.0f, 45, 250.0f, 2500.0f);
			Buffer knock = NoiseBurst(r, 0.4f, 150.0f, 600.0f, 0.001f, 0.06f);
			Bandpass(knock, 210.0f, 0.85f);
			MixInto(b, knock, 3.0f);
			MixInto(b, Thump(0.5f, 130.0f, 55.0f, 0.08f), 0.7f);
			return Once(b);
		}});

		// A tomato hops: a wobbly boing.
		d.push_back({EFFECT_TOMATOJUMP, PCM, [](Rng&)
		{
			Osc o;
			Buffer b = Generate(0.4f, [&](float t, int)
			{
				float u = t / 0.4f;
				float hz = 150.0f + 260.0f * std::sin(PI * u) + 20.0f * std::sin(TWO_PI * 25.0f * t);
				return o.Sine(hz) * AttackDecay(t, 0.005f, 0.15f);
			});
			return Once(b, 0.8f);
		}});

		// A tomato bursts.
		d.push_back({EFFECT_TOMATOSPLAT, ULAW, [](Rng& r)
		{
			Buffer b = Splat(r, 0.5f, 1.0f);
			MixInto(b, Crunch(r, 0.3f, 12, 600.0f, 3000.0f), 0.3f, 0.02f);
			return Once(b);
		}});

		// A wooden door knocked: two hollow knocks.
		d.push_back({EFFECT_WOODDOORHIT, PCM, [](Rng& r)
		{
			Buffer b;
			for (int k = 0; k < 2; k++)
			{
				Buffer knock = NoiseBurst(r, 0.2f, 100.0f, 900.0f, 0.0005f, 0.035f);
				Bandpass(knock, 180.0f + 40.0f * float(k), 0.9f);
				MixInto(knock, Thump(0.15f, 160.0f, 100.0f, 0.025f), 0.4f);
				MixInto(b, knock, 1.0f - 0.3f * float(k), 0.12f * float(k));
			}
			return Once(b);
		}});

		// An onion bursts: a dry splat with a squeak.
		d.push_back({EFFECT_ONIONSPLAT, PCM, [](Rng& r)
		{
			Buffer b = Splat(r, 0.45f, 0.4f);
			MixInto(b, Sweep(Wave::Sine, 0.12f, 1500.0f, 2200.0f, 0.005f, 0.04f), 0.3f, 0.03f);
			return Once(b);
		}});

		// Corn crunched.
		d.push_back({EFFECT_CORNCRUNCH, PCM, [](Rng& r)
		{
			return Once(Crunch(r, 0.35f, 20, 1000.0f, 4500.0f));
		}});

		//
		// Slime
		//

		d.push_back({EFFECT_BUBBLEPOP, PCM, [](Rng&)
		{
			Buffer b = Bubble(0.2f, 600.0f, 1.5f);
			MixInto(b, Bubble(0.12f, 1100.0f, 1.0f), 0.4f, 0.05f);
			return Once(b, 0.8f);
		}});

		// The slime monster's gurgle: blubbering voice and bubbles.
		d.push_back({EFFECT_SLIMEMONSTER, ULAW, [](Rng& r)
		{
			Buffer src = Voice(r, 2.6f, [](float t) { return 65.0f + 15.0f * std::sin(TWO_PI * 0.9f * t); }, 300.0f, 700.0f, 0.6f);
			Tremolo(src, 7.0f, 0.6f);
			for (int k = 0; k < 14; k++)
				MixInto(src, Bubble(0.12f, r.Range(200.0f, 500.0f), 1.2f), 0.4f, r.Range(0.0f, 2.4f));
			src.resize(size_t(Frames(2.6f)));
			return Looped(src, 0.1f, 2.0f);
		}});

		// The slime boat's outboard motor.
		d.push_back({EFFECT_BOAT, PCM, [](Rng& r)
		{
			Buffer src = Engine(r, 1.5f, 72.0f, 18.0f, 1200.0f);
			Buffer water = NoiseBurst(r, 1.5f, 100.0f, 900.0f, 0.01f, 100.0f);
			Tremolo(water, 1.7f, 0.5f);
			MixInto(src, water, 0.3f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A crystal cracks: a sharp snap and a glassy ping.
		d.push_back({EFFECT_CRYSTALCRACK, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.1f, 3000.0f, 10000.0f, 0.0002f, 0.01f);
			MixInto(b, Bell(0.4f, 2500.0f, 0.12f), 0.4f, 0.005f);
			return Once(b);
		}});

		// Pipes: a clanking pipe and a jet of steam.
		d.push_back({EFFECT_PIPES, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 0.6f, 310.0f, 0.12f, 0.5f);
			MixInto(b, NoiseBurst(r, 1.0f, 3000.0f, 9000.0f, 0.05f, 0.3f), 0.5f, 0.1f);
			MixInto(b, Metal(r, 0.4f, 290.0f, 0.08f, 0.5f), 0.6f, 0.25f);
			return Once(b);
		}});

		// A crystal bursts into pieces.
		d.push_back({EFFECT_CRYSTALCRASH, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 1.4f, 1250.0f, 0.3f, 0.85f);
			MixInto(b, Crunch(r, 1.0f, 40, 3000.0f, 10000.0f), 0.7f);
			for (int k = 0; k < 6; k++)
				MixInto(b, Bell(0.5f, r.Range(1500.0f, 3500.0f), 0.1f), 0.2f, r.Range(0.1f, 0.8f));
			return Once(b);
		}});

		// A rubbery bounce off a bumper bubble.
		d.push_back({EFFECT_BUMPERBUBBLE, PCM, [](Rng&)
		{
			Buffer b = Sweep(Wave::Sine, 0.5f, 110.0f, 320.0f, 0.004f, 0.15f);
			MixInto(b, Bubble(0.25f, 400.0f, 1.5f), 0.4f, 0.05f);
			return Once(b);
		}});

		// The boss machine opens: grinding, hissing, a final clunk.
		d.push_back({EFFECT_BOSSOPEN, PCM, [](Rng& r)
		{
			Osc grind;
			Buffer b = Generate(2.0f, [&](float t, int)
			{
				return (grind.Saw(40.0f + 4.0f * t) * (0.6f + 0.4f * std::sin(TWO_PI * 11.0f * t)) + r.Bipolar() * 0.2f)
					* Window(t, 0, 1.7f, 0.2f);
			});
			Lowpass(b, 900.0f, 0.5f);
			MixInto(b, NoiseBurst(r, 1.2f, 2500.0f, 8000.0f, 0.1f, 0.4f), 0.4f, 0.4f);
			MixInto(b, Metal(r, 0.6f, 120.0f, 0.15f, 0.6f), 0.9f, 1.65f);
			MixInto(b, Thump(0.5f, 90.0f, 40.0f, 0.1f), 0.9f, 1.65f);
			return Once(b);
		}});

		// A blob's shot: a gloopy upward bloop.
		d.push_back({EFFECT_BLOBSHOOT, PCM, [](Rng& r)
		{
			Buffer b = Sweep(Wave::Sine, 0.35f, 190.0f, 720.0f, 0.004f, 0.1f);
			MixInto(b, Splat(r, 0.2f, 0.8f), 0.4f);
			return Once(b);
		}});

		// The slime beam: a lower hum with bubbling in it.
		d.push_back({EFFECT_SLIME_BEAMHUM, PCM, [](Rng& r)
		{
			Buffer src = Hum(2.0f, 70.0f, 5, 0.02f);
			for (int k = 0; k < 12; k++)
				MixInto(src, Bubble(0.1f, r.Range(300.0f, 800.0f), 1.0f), 0.25f, r.Range(0.0f, 1.8f));
			src.resize(size_t(Frames(2.0f)));
			return Looped(src, 0.1f, 1.5f);
		}});

		// A big slime bounce: a slow boing with a splat.
		d.push_back({EFFECT_SLIMEBOUNCE, PCM, [](Rng& r)
		{
			Buffer b = Sweep(Wave::Sine, 0.7f, 85.0f, 260.0f, 0.005f, 0.25f);
			MixInto(b, Splat(r, 0.4f, 0.9f), 0.6f);
			return Once(b);
		}});

		// Slime explodes: a boom full of splats.
		d.push_back({EFFECT_SLIMEBOOM, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.5f, 0.5f);
			for (int k = 0; k < 5; k++)
				MixInto(b, Splat(r, 0.4f, 1.0f), 0.4f, r.Range(0.0f, 0.6f));
			return Once(b);
		}});

		// The blob boss machine blows up: a huge, long boom.
		d.push_back({EFFECT_BLOBBOSSBOOM, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 2.5f, 1.0f);
			MixInto(b, Explosion(r, 1.8f, 0.6f), 0.6f, 0.5f);
			Room(b, 1.5f, 0.3f);
			return Once(b);
		}});

		// The air pump: three puffs of air.
		d.push_back({EFFECT_AIRPUMP, PCM, [](Rng& r)
		{
			Buffer b;
			for (int k = 0; k < 3; k++)
			{
				Buffer puff = Whoosh(r, 0.3f, 700.0f, 1800.0f, 0.3f);
				MixInto(puff, Thump(0.1f, 100.0f, 60.0f, 0.02f), 0.4f);
				MixInto(b, puff, 1.0f, 0.38f * float(k));
			}
			return Once(b);
		}});

		//
		// Apocalypse
		//

		// A falling worm pod: an insect-like buzz.
		d.push_back({EFFECT_PODBUZZ, PCM, [](Rng& r)
		{
			Osc saw, m;
			Buffer src = Generate(1.4f, [&](float, int)
			{
				return saw.Saw(140.0f * (1.0f + 0.5f * m.Sine(280.0f) * 0.2f)) + r.Bipolar() * 0.1f;
			});
			Bandpass(src, 900.0f, 0.5f);
			Tremolo(src, 25.0f, 0.3f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A pod crashes down.
		d.push_back({EFFECT_PODCRASH, ULAW, [](Rng& r)
		{
			Buffer b = Thump(0.8f, 120.0f, 40.0f, 0.12f);
			MixInto(b, Crunch(r, 0.7f, 30, 300.0f, 4000.0f), 0.8f);
			return Once(b);
		}});

		// A manhole cover blown off: a blast and a ringing lid.
		d.push_back({EFFECT_MANHOLEBLAST, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.2f, 0.45f);
			MixInto(b, Metal(r, 1.5f, 410.0f, 0.35f, 0.7f), 0.6f, 0.05f);
			return Once(b);
		}});

		// A worm squirming out of its pod.
		d.push_back({EFFECT_PODWORM, PCM, [](Rng& r)
		{
			Buffer src = Voice(r, 2.0f, [](float t) { return 110.0f + 40.0f * std::sin(TWO_PI * 1.3f * t) + 15.0f * std::sin(TWO_PI * 4.7f * t); }, 450.0f, 1300.0f, 0.3f);
			MixInto(src, Splat(r, 0.3f, 1.0f), 0.3f, 0.6f);
			MixInto(src, Splat(r, 0.3f, 1.0f), 0.25f, 1.2f);
			src.resize(size_t(Frames(2.0f)));
			return Looped(src, 0.1f, 1.5f);
		}});

		// The manhole cover rolls: a rattling wobble that settles.
		d.push_back({EFFECT_MANHOLEROLL, PCM, [](Rng& r)
		{
			Buffer b;
			for (int k = 0; k < 10; k++)
			{
				float at = 0.9f * (1.0f - std::pow(0.85f, float(k))) / 0.15f * 0.12f;
				MixInto(b, Metal(r, 0.25f, 380.0f + 10.0f * float(k), 0.05f, 0.5f), 1.0f - 0.08f * float(k), at);
			}
			return Once(b);
		}});

		// A door clanks open: a servo rising, then a clank.
		d.push_back({EFFECT_DOORCLANKOPEN, PCM, [](Rng& r)
		{
			Buffer b = Sweep(Wave::Square, 0.5f, 180.0f, 420.0f, 0.02f, 0.4f);
			Lowpass(b, 1500.0f, 0.4f);
			Scale(b, 0.5f);
			MixInto(b, Metal(r, 0.4f, 260.0f, 0.08f, 0.6f), 0.9f, 0.45f);
			return Once(b);
		}});

		// A door clanks shut: a servo falling, then a heavy clank.
		d.push_back({EFFECT_DOORCLANKCLOSE, PCM, [](Rng& r)
		{
			Buffer b = Sweep(Wave::Square, 0.45f, 400.0f, 160.0f, 0.02f, 0.4f);
			Lowpass(b, 1200.0f, 0.4f);
			Scale(b, 0.5f);
			MixInto(b, Metal(r, 0.5f, 170.0f, 0.12f, 0.7f), 1.0f, 0.42f);
			MixInto(b, Thump(0.3f, 100.0f, 45.0f, 0.06f), 0.9f, 0.42f);
			return Once(b);
		}});

		// A mine goes off.
		d.push_back({EFFECT_APOCALYPSE_MINEEXPLOSION, MACE, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.6f, 0.7f);
			MixInto(b, NoiseBurst(r, 0.2f, 1500.0f, 8000.0f, 0.0005f, 0.03f), 0.6f);
			return Once(b);
		}});

		// The mutant robot fires: a quick falling "pew".
		d.push_back({EFFECT_MUTANTROBOTSHOOT, PCM, [](Rng&)
		{
			Osc car, mod;
			Buffer b = Generate(0.35f, [&](float t, int)
			{
				float hz = ExpLerp(1600.0f, 280.0f, t / 0.35f);
				return car.Square(hz + 0.4f * hz * mod.Sine(hz * 0.5f), 0.5f) * AttackDecay(t, 0.002f, 0.12f);
			});
			Lowpass(b, 5000.0f);
			return Once(b);
		}});

		// The mutant's growl.
		d.push_back({EFFECT_MUTANTGROWL, PCM, [](Rng& r)
		{
			Buffer b = Voice(r, 1.2f, [](float t) { return 72.0f - 12.0f * t; }, 420.0f, 950.0f, 1.2f);
			Shape(b, [](float t) { return AttackDecay(t, 0.08f, 0.5f); });
			Drive(b, 2.5f);
			return Once(b);
		}});

		// A teleport: a rising FM whoosh.
		d.push_back({EFFECT_TELEPORT, PCM, [](Rng& r)
		{
			Osc car, mod;
			Buffer b = Generate(1.3f, [&](float t, int)
			{
				float hz = ExpLerp(200.0f, 2000.0f, t / 1.3f);
				float trem = 0.6f + 0.4f * std::sin(TWO_PI * 16.0f * t);
				return car.Sine(hz * (1.0f + 0.5f * mod.Sine(hz * 1.5f))) * trem * Window(t, 0, 1.3f, 0.15f);
			});
			MixInto(b, Whoosh(r, 1.3f, 500.0f, 6000.0f, 0.4f), 0.4f);
			return Once(b);
		}});

		// The teleporter's drone: two beating saws and a thin shimmer.
		d.push_back({EFFECT_TELEPORTERDRONE, PCM, [](Rng&)
		{
			Osc a, b2, s;
			Buffer src = Generate(2.6f, [&](float t, int)
			{
				return a.Saw(110.0f) * 0.5f + b2.Saw(110.7f) * 0.5f + s.Sine(1760.0f) * 0.08f * (0.5f + 0.5f * std::sin(TWO_PI * 0.5f * t));
			});
			Lowpass(src, 1100.0f, 0.5f);
			return Looped(src, 0.1f, 2.0f);
		}});

		// Debris smashed.
		d.push_back({EFFECT_DEBRISSMASH, MACE, [](Rng& r)
		{
			Buffer b = Crunch(r, 1.2f, 60, 200.0f, 5000.0f);
			MixInto(b, Thump(0.6f, 100.0f, 35.0f, 0.12f), 0.9f);
			MixInto(b, Metal(r, 0.5f, 520.0f, 0.08f, 0.5f), 0.3f, 0.1f);
			return Once(b);
		}});
	}
}
