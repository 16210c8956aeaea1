// Sound designs of the main bank: the robot, its weapons and pick-ups, and
// the sounds every level shares.
#include "sounds/BakeSoundsDesign.h"

namespace Bake
{
	using namespace Designs;

	void AddMainBankDesigns(std::vector<EffectDesign>& d)
	{
		// A low two-step buzz: "no".
		d.push_back({EFFECT_BADSELECT, SOWT, [](Rng&)
		{
			Buffer b;
			for (int k = 0; k < 2; k++)
			{
				Osc o;
				float hz = k == 0 ? 185.0f : 139.0f;
				Buffer tone = Generate(0.14f, [&](float t, int) { return o.Square(hz) * Window(t, 0, 0.14f, 0.01f); });
				Lowpass(tone, 1400.0f, 0.3f);
				MixInto(b, tone, 1.0f, 0.16f * float(k));
			}
			return Once(b);
		}});

		// The exit saucer's hover: a throbbing low hum and a warbling whistle.
		d.push_back({EFFECT_SAUCER, PCM, [](Rng& r)
		{
			Osc body, sub, whistle, wob;
			Buffer src = Generate(3.0f, [&](float t, int)
			{
				float w = wob.Sine(0.5f);
				float s = body.Saw(98.0f + 2.0f * w) * 0.35f + sub.Sine(49.0f) * 0.6f;
				s += whistle.Sine(1240.0f * (1.0f + 0.035f * std::sin(TWO_PI * 6.0f * t))) * 0.12f;
				return s + r.Bipolar() * 0.02f;
			});
			Lowpass(src, 2400.0f, 0.2f);
			Tremolo(src, 4.0f, 0.3f);
			return Looped(src, 0.1f, 2.0f);
		}});

		// Stun gun: a buzzing electric bolt that drops in pitch.
		d.push_back({EFFECT_STUNGUN, PCM, [](Rng& r)
		{
			Osc saw, buzz;
			Buffer b = Generate(0.5f, [&](float t, int)
			{
				float hz = ExpLerp(900.0f, 260.0f, t / 0.5f);
				float s = saw.Saw(hz) * (0.6f + 0.4f * buzz.Square(60.0f));
				return (s + r.Bipolar() * 0.3f) * AttackDecay(t, 0.004f, 0.15f);
			});
			MixInto(b, Crackle(r, 0.4f, 300.0f, 0.8f), 0.4f);
			return Once(b);
		}});

		// Zap: a big crackling arc with a deep FM buzz, flickering.
		d.push_back({EFFECT_ZAP, PCM, [](Rng& r)
		{
			Buffer b = FMTone(0.9f, 120.0f, 1.5f, 6.0f, 0.3f, 0.35f);
			MixInto(b, Crackle(r, 0.9f, 900.0f, 1.0f), 0.8f);
			MixInto(b, NoiseBurst(r, 0.9f, 2000.0f, 9000.0f, 0.002f, 0.25f), 0.4f);
			float flicker = 1.0f;
			for (size_t i = 0; i < b.size(); i++)
			{
				if (i % 441 == 0)
					flicker = 0.5f + 0.5f * r.Uniform();
				b[i] *= flicker;
			}
			return Once(b);
		}});

		// Rocket: an ignition thump, then a roar that climbs and fades.
		d.push_back({EFFECT_ROCKET, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.4f, 160.0f, 50.0f, 0.08f);
			SVF f;
			Buffer roar = Generate(1.6f, [&](float t, int)
			{
				float cutoff = ExpLerp(500.0f, 3500.0f, t / 1.0f);
				return f.Low(r.Bipolar(), cutoff, 0.3f) * AttackDecay(t, 0.08f, 0.6f);
			});
			MixInto(b, roar, 1.0f, 0.02f);
			return Once(b);
		}});

		// Landing: a heavy thud with a puff of dust.
		d.push_back({EFFECT_LANDED, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.5f, 130.0f, 42.0f, 0.09f);
			MixInto(b, NoiseBurst(r, 0.35f, 150.0f, 1800.0f, 0.004f, 0.07f), 0.5f);
			return Once(b);
		}});

		// Jump jet: a hissing burst of thrust over a low rumble.
		d.push_back({EFFECT_JUMPJET, PCM, [](Rng& r)
		{
			SVF f;
			Buffer b = Generate(0.9f, [&](float t, int)
			{
				float cutoff = ExpLerp(900.0f, 4500.0f, std::min(1.0f, t * 5.0f));
				return f.Band(r.Bipolar(), cutoff, 0.4f) * AttackDecay(t, 0.03f, 0.3f);
			});
			MixInto(b, Thump(0.7f, 70.0f, 45.0f, 0.25f), 0.5f);
			return Once(b);
		}});

		// Shatter: a cloud of glassy pings over a crunch.
		d.push_back({EFFECT_SHATTER, ULAW, [](Rng& r)
		{
			Buffer b = Crunch(r, 1.2f, 40, 2500.0f, 9000.0f);
			for (int k = 0; k < 9; k++)
				MixInto(b, Metal(r, 0.5f, r.Range(1800.0f, 4200.0f), 0.08f, 0.5f), 0.25f, r.Range(0.0f, 0.5f));
			return Once(b);
		}});

		// Weapon click: a dry double click.
		d.push_back({EFFECT_WEAPONCLICK, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.03f, 2500.0f, 8000.0f, 0.0003f, 0.004f);
			MixInto(b, NoiseBurst(r, 0.04f, 1500.0f, 6000.0f, 0.0003f, 0.006f), 0.8f, 0.05f);
			MixInto(b, Metal(r, 0.08f, 3100.0f, 0.015f, 0.4f), 0.3f, 0.05f);
			return Once(b, 0.7f);
		}});

		// Weapon whir: a motor spinning up, with gear teeth ticking.
		d.push_back({EFFECT_WEAPONWHIR, PCM, [](Rng&)
		{
			Osc saw, teeth;
			SVF f;
			Buffer b = Generate(0.7f, [&](float t, int)
			{
				float hz = ExpLerp(180.0f, 620.0f, t / 0.7f);
				float s = saw.Saw(hz) * (0.7f + 0.3f * teeth.Square(hz / 4.0f));
				return f.Low(s, 2200.0f, 0.4f) * Window(t, 0, 0.7f, 0.05f);
			});
			return Once(b);
		}});

		// Extra life: a bright rising major arpeggio.
		d.push_back({EFFECT_NEWLIFE, PCM, [](Rng&)
		{
			Buffer b;
			const float notes[] = {72, 76, 79, 84, 88};
			for (int k = 0; k < 5; k++)
			{
				Osc o, o2;
				float hz = NoteHz(notes[k]);
				float len = k == 4 ? 0.5f : 0.14f;
				Buffer n = Generate(len + 0.1f, [&](float t, int)
				{
					return (o.Square(hz, 0.25f) * 0.5f + o2.Triangle(hz * 2.0f) * 0.3f) * ADSR(t, 0.003f, 0.05f, 0.6f, 0.08f, len);
				});
				MixInto(b, n, 0.8f, 0.09f * float(k));
			}
			Lowpass(b, 6000.0f);
			return Once(b);
		}});

		// Freeze gun: an icy descending FM beam with a shimmer.
		d.push_back({EFFECT_FREEZEGUN, PCM, [](Rng& r)
		{
			Osc car, mod;
			Buffer b = Generate(0.6f, [&](float t, int)
			{
				float hz = ExpLerp(1900.0f, 850.0f, t / 0.6f);
				return car.Sine(hz + 0.8f * hz * mod.Sine(hz * 2.01f)) * AttackDecay(t, 0.005f, 0.2f);
			});
			MixInto(b, NoiseBurst(r, 0.6f, 6000.0f, 10000.0f, 0.01f, 0.15f), 0.3f);
			return Once(b);
		}});

		// Punch hit: a body blow and a slap.
		d.push_back({EFFECT_PUNCHHIT, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.3f, 160.0f, 55.0f, 0.05f);
			MixInto(b, NoiseBurst(r, 0.1f, 900.0f, 5000.0f, 0.0005f, 0.015f), 0.7f);
			Drive(b, 1.8f);
			return Once(b);
		}});

		// The robot crashes: a clang, a crunch and a thud.
		d.push_back({EFFECT_PLAYERCRASH, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 1.0f, 170.0f, 0.25f, 0.7f);
			MixInto(b, Crunch(r, 0.6f, 25, 400.0f, 4000.0f), 0.7f);
			MixInto(b, Thump(0.5f, 110.0f, 40.0f, 0.12f), 0.9f);
			return Once(b);
		}});

		// No jump jet: the jet sputters out in three weak puffs.
		d.push_back({EFFECT_NOJUMPJET, PCM, [](Rng& r)
		{
			Buffer b;
			for (int k = 0; k < 3; k++)
				MixInto(b, NoiseBurst(r, 0.12f, 500.0f, 2500.0f - 500.0f * float(k), 0.005f, 0.03f), 1.0f - 0.25f * float(k), 0.17f * float(k));
			return Once(b, 0.75f);
		}});

		// Crushed: grinding crunch, a groan of bending metal and a bass thump.
		d.push_back({EFFECT_PLAYERCRUSH, PCM, [](Rng& r)
		{
			Buffer b = Crunch(r, 0.8f, 30, 150.0f, 1500.0f);
			Osc groan;
			Buffer g = Generate(0.8f, [&](float t, int) { return groan.Saw(ExpLerp(85.0f, 48.0f, t / 0.8f)) * AttackDecay(t, 0.02f, 0.3f); });
			Lowpass(g, 700.0f, 0.5f);
			MixInto(b, g, 0.7f);
			MixInto(b, Thump(0.4f, 90.0f, 35.0f, 0.1f), 0.8f);
			return Once(b);
		}});

		// Head swoosh: a quick rising swish.
		d.push_back({EFFECT_HEADSWOOSH, ALAW, [](Rng& r)
		{
			return Once(Whoosh(r, 0.35f, 600.0f, 2400.0f, 0.5f));
		}});

		// Head thud: a hollow knock.
		d.push_back({EFFECT_HEADTHUD, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.3f, 115.0f, 50.0f, 0.05f);
			Buffer knock = NoiseBurst(r, 0.2f, 250.0f, 700.0f, 0.001f, 0.03f);
			Bandpass(knock, 420.0f, 0.8f);
			MixInto(b, knock, 2.0f);
			return Once(b);
		}});

		// Pow pod hit: a pop that rings.
		d.push_back({EFFECT_POWPODHIT, PCM, [](Rng& r)
		{
			Buffer b = Bubble(0.1f, 500.0f, 1.2f);
			MixInto(b, Bell(0.4f, 720.0f, 0.1f), 0.5f, 0.01f);
			MixInto(b, NoiseBurst(r, 0.05f, 1000.0f, 6000.0f, 0.0005f, 0.008f), 0.4f);
			return Once(b);
		}});

		// A light metal touch-down.
		d.push_back({EFFECT_METALLAND, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 0.25f, 880.0f, 0.05f, 0.6f);
			MixInto(b, Thump(0.12f, 200.0f, 90.0f, 0.02f), 0.5f);
			return Once(b, 0.6f);
		}});

		// Servo: a short up-and-down motor whine.
		d.push_back({EFFECT_SERVO, PCM, [](Rng&)
		{
			Osc o;
			Buffer b = Generate(0.26f, [&](float t, int)
			{
				float u = t / 0.26f;
				float hz = 300.0f + 160.0f * std::sin(PI * u);
				return o.Square(hz) * Window(t, 0, 0.26f, 0.02f);
			});
			Lowpass(b, 1600.0f, 0.5f);
			return Once(b, 0.6f);
		}});

		// Robot footsteps: a soft thump with a small metal click; the two
		// feet differ a little.
		d.push_back({EFFECT_LEFTFOOT, PCM, [](Rng& r)
		{
			Buffer b = Footfall(r, 68.0f, 0.6f);
			MixInto(b, Metal(r, 0.06f, 2500.0f, 0.012f, 0.3f), 0.25f, 0.005f);
			return Once(b, 0.55f);
		}});
		d.push_back({EFFECT_RIGHTFOOT, PCM, [](Rng& r)
		{
			Buffer b = Footfall(r, 80.0f, 0.75f);
			MixInto(b, Metal(r, 0.06f, 3300.0f, 0.01f, 0.3f), 0.3f, 0.008f);
			return Once(b, 0.55f);
		}});

		// Nova charge: a pulsing electric hum that crackles.
		d.push_back({EFFECT_NOVACHARGE, PCM, [](Rng& r)
		{
			Osc saw, mod;
			Buffer src = Generate(1.4f, [&](float t, int)
			{
				float s = saw.Saw(220.0f + 30.0f * mod.Sine(8.0f));
				return s * (0.6f + 0.4f * std::sin(TWO_PI * 8.0f * t)) + r.Bipolar() * 0.05f;
			});
			Lowpass(src, 3000.0f, 0.6f);
			MixInto(src, Crackle(r, 1.4f, 120.0f, 0.9f), 0.3f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A human teleported away: a shimmering sweep upward with sparkles.
		d.push_back({EFFECT_TELEPORTHUMAN, PCM, [](Rng& r)
		{
			Osc o;
			Buffer b = Generate(1.2f, [&](float t, int)
			{
				float hz = ExpLerp(300.0f, 3000.0f, t / 1.2f);
				float trem = 0.5f + 0.5f * std::sin(TWO_PI * 24.0f * t);
				return o.Sine(hz) * trem * Window(t, 0, 1.2f, 0.15f);
			});
			for (int k = 0; k < 8; k++)
				MixInto(b, Bell(0.3f, r.Range(2000.0f, 4000.0f), 0.06f), 0.15f, 0.1f + 0.12f * float(k));
			return Once(b);
		}});

		// Checkpoint: two chiming bell notes over a soft swell.
		d.push_back({EFFECT_CHECKPOINTHIT, PCM, [](Rng& r)
		{
			Buffer b = Bell(1.2f, NoteHz(88), 0.4f);
			MixInto(b, Bell(1.0f, NoteHz(95), 0.35f), 0.8f, 0.15f);
			MixInto(b, Whoosh(r, 0.8f, 800.0f, 3000.0f, 0.3f), 0.2f);
			return Once(b);
		}});

		// A lit checkpoint: a gentle spinning two-tone hum.
		d.push_back({EFFECT_CHECKPOINTLOOP, PCM, [](Rng&)
		{
			Osc a, b2, c;
			Buffer src = Generate(2.0f, [&](float t, int)
			{
				float phase = std::sin(TWO_PI * 4.0f * t);
				return a.Sine(440.0f) * (0.5f + 0.3f * phase) + b2.Sine(660.0f) * (0.5f - 0.3f * phase) + c.Triangle(220.0f) * 0.2f;
			});
			return Looped(src, 0.1f, 1.5f, 0.7f);
		}});

		// Flare shot: a pop, then a hissing rise.
		d.push_back({EFFECT_FLARESHOOT, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.2f, 250.0f, 80.0f, 0.03f);
			MixInto(b, Whoosh(r, 0.6f, 1500.0f, 5000.0f, 0.2f), 0.8f, 0.02f);
			MixInto(b, Crackle(r, 0.6f, 150.0f, 0.7f), 0.3f, 0.05f);
			return Once(b);
		}});

		// Flare bursts: a bang and a sparkling tail.
		d.push_back({EFFECT_FLAREEXPLODE, MACE, [](Rng& r)
		{
			Buffer b = Explosion(r, 0.8f, 0.4f);
			MixInto(b, Crackle(r, 1.5f, 250.0f, 1.0f), 0.5f, 0.1f);
			Shape(b, [](float t) { return 1.0f - Ramp(t, 0.6f, 1.6f); });
			return Once(b);
		}});

		// Dart: a thin whistle and a swish past.
		d.push_back({EFFECT_DARTWOOSH, PCM, [](Rng& r)
		{
			Buffer b = Whoosh(r, 0.28f, 2600.0f, 900.0f, 0.6f);
			MixInto(b, Sweep(Wave::Sine, 0.25f, 2600.0f, 1500.0f, 0.01f, 0.1f), 0.3f);
			return Once(b);
		}});

		// Atom pick-up: quick FM bell arpeggio.
		d.push_back({EFFECT_ATOMCHIME, PCM, [](Rng&)
		{
			Buffer b;
			const float notes[] = {79, 86, 91};
			for (int k = 0; k < 3; k++)
				MixInto(b, FMTone(0.5f, NoteHz(notes[k]), 3.5f, 1.5f, 0.1f, 0.12f), 0.6f, 0.06f * float(k));
			return Once(b);
		}});

		// The robot clangs: a bright struck plate.
		d.push_back({EFFECT_PLAYERCLANG, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 0.8f, 330.0f, 0.18f, 0.8f);
			MixInto(b, Thump(0.2f, 140.0f, 70.0f, 0.04f), 0.6f);
			return Once(b);
		}});

		// Something heavy thrown: a low, long swoosh.
		d.push_back({EFFECT_THROWNSWOOSH, ALAW, [](Rng& r)
		{
			return Once(Whoosh(r, 0.6f, 300.0f, 950.0f, 0.45f));
		}});

		// The exit beam: a deep electric hum with a shimmer.
		d.push_back({EFFECT_BEAMHUM, PCM, [](Rng& r)
		{
			Buffer src = Hum(1.6f, 90.0f, 6, 0.01f);
			Buffer shimmer = NoiseBurst(r, 1.6f, 3000.0f, 7000.0f, 0.01f, 100.0f);
			Tremolo(shimmer, 7.0f, 0.8f);
			MixInto(src, shimmer, 0.1f);
			return Looped(src, 0.1f, 1.2f);
		}});

		// Jump: a springy upward blip.
		d.push_back({EFFECT_JUMP, PCM, [](Rng& r)
		{
			Buffer b = Sweep(Wave::Triangle, 0.3f, 190.0f, 520.0f, 0.005f, 0.09f);
			MixInto(b, NoiseBurst(r, 0.08f, 300.0f, 2000.0f, 0.001f, 0.015f), 0.4f);
			return Once(b, 0.8f);
		}});

		// Health warning: an alarm of two alternating beeps.
		d.push_back({EFFECT_HEALTHWARNING, PCM, [](Rng&)
		{
			Buffer src;
			for (int k = 0; k < 4; k++)
			{
				Osc o;
				float hz = k % 2 ? 660.0f : 880.0f;
				MixInto(src, Generate(0.18f, [&](float t, int) { return o.Square(hz) * Window(t, 0, 0.18f, 0.01f); }), 0.7f, 0.5f * float(k));
			}
			Lowpass(src, 3500.0f);
			// The loop runs between beeps: from 0.25 s, two beeps a turn.
			return Looped(src, 0.25f, 1.0f, 0.7f);
		}});

		// Hatch: a pneumatic hiss and a clunk.
		d.push_back({EFFECT_HATCH, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.8f, 2500.0f, 9000.0f, 0.02f, 0.25f);
			MixInto(b, Metal(r, 0.5f, 240.0f, 0.1f, 0.5f), 0.8f, 0.55f);
			MixInto(b, Thump(0.3f, 120.0f, 60.0f, 0.05f), 0.6f, 0.55f);
			return Once(b);
		}});

		// Brain wave: an eerie, slowly beating pulse.
		d.push_back({EFFECT_BRAINWAVE, PCM, [](Rng&)
		{
			Osc a, b2, m;
			Buffer src = Generate(2.6f, [&](float t, int)
			{
				float wob = m.Sine(3.0f);
				return (a.Sine(150.0f + 8.0f * wob) + b2.Sine(153.0f - 6.0f * wob) * 0.8f) * (0.6f + 0.4f * std::sin(TWO_PI * 1.5f * t));
			});
			return Looped(src, 0.1f, 2.0f, 0.7f);
		}});

		// Weapon deposited: three falling blips and a clunk.
		d.push_back({EFFECT_WEAPONDEPOSIT, PCM, [](Rng& r)
		{
			Buffer b;
			const float notes[] = {84, 79, 72};
			for (int k = 0; k < 3; k++)
			{
				Osc o;
				float hz = NoteHz(notes[k]);
				MixInto(b, Generate(0.09f, [&](float t, int) { return o.Triangle(hz) * Window(t, 0, 0.09f, 0.01f); }), 0.7f, 0.1f * float(k));
			}
			MixInto(b, Thump(0.25f, 140.0f, 60.0f, 0.05f), 0.7f, 0.32f);
			MixInto(b, Metal(r, 0.3f, 400.0f, 0.06f, 0.4f), 0.3f, 0.32f);
			return Once(b);
		}});

		// A brain alien dies: a squelch and a falling wail.
		d.push_back({EFFECT_BRAINDIE, PCM, [](Rng& r)
		{
			Buffer b = Splat(r, 0.5f, 1.0f);
			Buffer wail = Voice(r, 1.4f, [](float t) { return ExpLerp(620.0f, 110.0f, t / 1.4f); }, 500.0f, 1100.0f, 0.2f);
			Shape(wail, [](float t) { return AttackDecay(t, 0.05f, 0.6f); });
			MixInto(b, wail, 1.2f, 0.05f);
			return Once(b);
		}});

		// Laser hit: a sizzle and a short ping.
		d.push_back({EFFECT_LASERHIT, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.4f, 3000.0f, 10000.0f, 0.001f, 0.08f);
			MixInto(b, FMTone(0.25f, 1400.0f, 2.7f, 2.0f, 0.2f, 0.05f), 0.6f);
			MixInto(b, Crackle(r, 0.35f, 400.0f, 1.0f), 0.3f);
			return Once(b);
		}});

		// Flare up: a whoosh of fire catching.
		d.push_back({EFFECT_FLAREUP, PCM, [](Rng& r)
		{
			SVF f;
			Buffer b = Generate(1.0f, [&](float t, int)
			{
				float cutoff = ExpLerp(300.0f, 2500.0f, std::min(1.0f, t * 3.0f));
				return f.Low(r.Bipolar(), cutoff, 0.2f) * AttackDecay(t, 0.15f, 0.35f);
			});
			MixInto(b, Crackle(r, 1.0f, 180.0f, 0.5f), 0.4f);
			return Once(b);
		}});

		// Freeze poof: a soft icy puff with a tinkle.
		d.push_back({EFFECT_FREEZEPOOF, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.5f, 2500.0f, 8000.0f, 0.01f, 0.1f);
			for (int k = 0; k < 4; k++)
				MixInto(b, Bell(0.25f, r.Range(3000.0f, 5000.0f), 0.05f), 0.2f, 0.03f + 0.05f * float(k));
			return Once(b, 0.7f);
		}});

		// Change weapon: a ratchet of four clicks and a slide.
		d.push_back({EFFECT_CHANGEWEAPON, PCM, [](Rng& r)
		{
			Buffer b;
			for (int k = 0; k < 4; k++)
				MixInto(b, NoiseBurst(r, 0.03f, 1800.0f, 7000.0f, 0.0003f, 0.005f), 1.0f - 0.15f * float(k), 0.045f * float(k));
			MixInto(b, Whoosh(r, 0.15f, 1200.0f, 2200.0f, 0.3f), 0.4f, 0.18f);
			return Once(b, 0.7f);
		}});

		// A giant's footstep: a very low thump and a ground rumble.
		d.push_back({EFFECT_GIANTFOOTSTEP, PCM, [](Rng& r)
		{
			Buffer b = Thump(1.0f, 62.0f, 27.0f, 0.2f);
			Buffer rumble = NoiseBurst(r, 1.0f, 20.0f, 220.0f, 0.01f, 0.3f);
			MixInto(b, rumble, 1.5f);
			Drive(b, 1.5f);
			return Once(b);
		}});

		// Menu change: a short bright blip with an echo.
		d.push_back({EFFECT_MENUCHANGE, PCM, [](Rng&)
		{
			Osc o, o2;
			Buffer b = Generate(0.06f, [&](float t, int) { return o.Triangle(1200.0f) * Window(t, 0, 0.06f, 0.005f); });
			MixInto(b, Generate(0.05f, [&](float t, int) { return o2.Triangle(1800.0f) * Window(t, 0, 0.05f, 0.005f); }), 0.5f, 0.07f);
			return Once(b, 0.6f);
		}});
	}
}
