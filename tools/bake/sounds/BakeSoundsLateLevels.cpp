// Sound designs of the cloud, jungle, fire-and-ice, saucer and brain boss
// levels and of the lose screen.
#include "sounds/BakeSoundsDesign.h"

namespace Bake
{
	using namespace Designs;

	namespace
	{
		// A roaring rocket engine: rumble, noisy roar and crackle.
		Buffer RocketEngine(Rng& r, float seconds, float rumbleHz, float roarCutoff, float pulse)
		{
			Osc rumble;
			SVF f;
			Buffer b = Generate(seconds, [&](float t, int)
			{
				float p = 1.0f - pulse + pulse * (0.5f + 0.5f * std::sin(TWO_PI * rumbleHz * 0.25f * t));
				return (f.Low(r.Bipolar(), roarCutoff, 0.2f) * 1.2f + rumble.Saw(rumbleHz) * 0.35f) * p;
			});
			MixInto(b, Crackle(r, seconds, 200.0f, 0.6f), 0.25f);
			return b;
		}
	}

	void AddLateLevelDesigns(std::vector<EffectDesign>& d)
	{
		//
		// Cloud
		//

		// A cannon: a hard crack and a boom.
		d.push_back({EFFECT_CANNONFIRE, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.15f, 1000.0f, 9000.0f, 0.0002f, 0.02f);
			MixInto(b, Explosion(r, 1.2f, 0.5f), 0.9f);
			return Once(b);
		}});

		// Bumper cars collide: a rubbery thump and a boing.
		d.push_back({EFFECT_BUMPERHIT, PCM, [](Rng&)
		{
			Buffer b = Thump(0.3f, 140.0f, 70.0f, 0.05f);
			MixInto(b, Sweep(Wave::Triangle, 0.35f, 260.0f, 140.0f, 0.003f, 0.1f), 0.6f);
			return Once(b);
		}});

		// A bumper car's electric motor.
		d.push_back({EFFECT_BUMPERCARHUM, PCM, [](Rng&)
		{
			Osc a, b2;
			Buffer src = Generate(1.5f, [&](float t, int)
			{
				return a.Square(95.0f, 0.4f) * 0.5f + b2.Sine(190.0f * (1.0f + 0.01f * std::sin(TWO_PI * 2.0f * t))) * 0.4f;
			});
			Lowpass(src, 900.0f, 0.3f);
			return Looped(src, 0.1f, 1.0f, 0.7f);
		}});

		// A bumper pole tapped: a small bell and a click.
		d.push_back({EFFECT_BUMPERPOLETAP, PCM, [](Rng& r)
		{
			Buffer b = Bell(0.4f, 1000.0f, 0.12f);
			MixInto(b, NoiseBurst(r, 0.02f, 3000.0f, 9000.0f, 0.0002f, 0.003f), 0.6f);
			return Once(b);
		}});

		// A live bumper pole: an electric buzz that crackles.
		d.push_back({EFFECT_BUMPERPOLEHUM, PCM, [](Rng& r)
		{
			Osc buzz;
			Buffer src = Generate(1.6f, [&](float, int) { return buzz.Square(120.0f, 0.2f) * 0.5f; });
			Bandpass(src, 600.0f, 0.4f);
			MixInto(src, Hum(1.6f, 120.0f, 3, 0.0f), 0.4f);
			MixInto(src, Crackle(r, 1.6f, 40.0f, 0.9f), 0.3f);
			return Looped(src, 0.1f, 1.2f, 0.7f);
		}});

		// A bumper pole switched off: a falling power-down.
		d.push_back({EFFECT_BUMPERPOLEOFF, PCM, [](Rng&)
		{
			Osc o, buzz;
			Buffer b = Generate(1.0f, [&](float t, int)
			{
				float hz = ExpLerp(800.0f, 45.0f, t / 1.0f);
				return (o.Sine(hz) + buzz.Square(hz * 0.5f) * 0.2f) * AttackDecay(t, 0.005f, 0.4f);
			});
			return Once(b);
		}});

		// A clown's soap bubble pops: a soft pop with a sparkle.
		d.push_back({EFFECT_CLOWNBUBBLEPOP, ULAW, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.08f, 800.0f, 6000.0f, 0.0003f, 0.012f);
			MixInto(b, Bubble(0.15f, 700.0f, 2.0f), 0.6f);
			MixInto(b, Bell(0.3f, 3200.0f, 0.07f), 0.25f, 0.02f);
			return Once(b);
		}});

		// A balloon inflating: hissing air and a stretchy rubber squeal.
		d.push_back({EFFECT_INFLATEBALLOON, PCM, [](Rng& r)
		{
			Osc squeak;
			Buffer src = Generate(1.5f, [&](float t, int)
			{
				float hz = 520.0f + 60.0f * std::sin(TWO_PI * 2.0f * t) + 25.0f * std::sin(TWO_PI * 9.0f * t);
				return squeak.Triangle(hz) * 0.35f * (0.5f + 0.5f * std::sin(TWO_PI * 1.3f * t));
			});
			MixInto(src, NoiseBurst(r, 1.5f, 1500.0f, 6000.0f, 0.01f, 100.0f), 0.4f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A falling bomb's whistle, warbling.
		d.push_back({EFFECT_BOMBDROP, PCM, [](Rng& r)
		{
			Osc o;
			Buffer src = Generate(1.5f, [&](float t, int)
			{
				return o.Sine(1400.0f * (1.0f + 0.03f * std::sin(TWO_PI * 5.0f * t))) * 0.6f + r.Bipolar() * 0.05f;
			});
			MixInto(src, Whoosh(r, 1.5f, 600.0f, 600.0f, 0.3f), 0.2f);
			return Looped(src, 0.1f, 1.0f, 0.7f);
		}});

		// A bumper pole breaks: an electric pop, a crack, pieces.
		d.push_back({EFFECT_BUMPERPOLEBREAK, PCM, [](Rng& r)
		{
			Buffer b = Crackle(r, 0.4f, 800.0f, 1.0f);
			MixInto(b, NoiseBurst(r, 0.1f, 2000.0f, 9000.0f, 0.0002f, 0.015f), 0.8f, 0.05f);
			MixInto(b, Crunch(r, 0.8f, 25, 500.0f, 5000.0f), 0.6f, 0.08f);
			MixInto(b, Metal(r, 0.6f, 600.0f, 0.1f, 0.6f), 0.4f, 0.1f);
			return Once(b);
		}});

		// The cloud level's rocket sled.
		d.push_back({EFFECT_CLOUD_ROCKETSLED, PCM, [](Rng& r)
		{
			Buffer src = RocketEngine(r, 1.7f, 45.0f, 1200.0f, 0.2f);
			return Looped(src, 0.1f, 1.2f);
		}});

		// A trap door: a creak, then a thud.
		d.push_back({EFFECT_TRAPDOOR, PCM, [](Rng& r)
		{
			Osc o;
			Buffer b = Generate(0.5f, [&](float t, int)
			{
				float hz = ExpLerp(720.0f, 480.0f, t / 0.5f) * (1.0f + 0.04f * std::sin(TWO_PI * 31.0f * t));
				return o.Saw(hz) * Window(t, 0, 0.5f, 0.05f) * 0.3f;
			});
			Bandpass(b, 900.0f, 0.6f);
			MixInto(b, Thump(0.4f, 120.0f, 45.0f, 0.08f), 1.0f, 0.5f);
			MixInto(b, NoiseBurst(r, 0.2f, 200.0f, 1500.0f, 0.001f, 0.04f), 0.5f, 0.5f);
			return Once(b);
		}});

		// A balloon bursts: a sharp pop.
		d.push_back({EFFECT_BALLOONPOP, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.2f, 500.0f, 10000.0f, 0.0001f, 0.015f);
			MixInto(b, Thump(0.15f, 200.0f, 80.0f, 0.02f), 0.5f);
			return Once(b);
		}});

		// "Yaaa!": a human yell, up and down.
		d.push_back({EFFECT_YAAA, ALAW, [](Rng& r)
		{
			Buffer b = Voice(r, 1.2f, [](float t) { return 380.0f + 220.0f * std::sin(PI * std::min(1.0f, t / 1.0f)) - 60.0f * t; }, 780.0f, 1250.0f, 0.15f);
			Shape(b, [](float t) { return Window(t, 0, 1.2f, 0.08f); });
			return Once(b);
		}});

		// A bird's bomb: a boom with a flutter of wings.
		d.push_back({EFFECT_BIRDBOMBBOOM, MACE, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.4f, 0.5f);
			Buffer flutter = NoiseBurst(r, 0.8f, 600.0f, 3000.0f, 0.05f, 0.3f);
			Tremolo(flutter, 16.0f, 1.0f);
			MixInto(b, flutter, 0.4f, 0.2f);
			return Once(b);
		}});

		// Confetti: a party popper and a shower of tinkles.
		d.push_back({EFFECT_CONFETTIBOOM, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.15f, 700.0f, 8000.0f, 0.0002f, 0.02f);
			MixInto(b, Thump(0.2f, 220.0f, 110.0f, 0.03f), 0.5f);
			for (int k = 0; k < 16; k++)
				MixInto(b, Bell(0.25f, r.Range(2200.0f, 5000.0f), 0.05f), 0.12f, 0.05f + r.Range(0.0f, 0.8f));
			return Once(b);
		}});

		// A clown fish bursts: a wet boom with bubbles.
		d.push_back({EFFECT_FISHBOOM, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.3f, 0.4f);
			MixInto(b, Splat(r, 0.5f, 1.0f), 0.7f);
			for (int k = 0; k < 8; k++)
				MixInto(b, Bubble(0.12f, r.Range(300.0f, 900.0f), 1.5f), 0.3f, r.Range(0.1f, 0.9f));
			return Once(b);
		}});

		//
		// Jungle
		//

		// Acid sizzling on the ground.
		d.push_back({EFFECT_ACIDSIZZLE, PCM, [](Rng& r)
		{
			Buffer b = Crackle(r, 0.8f, 1500.0f, 1.0f);
			MixInto(b, NoiseBurst(r, 0.8f, 4000.0f, 10000.0f, 0.02f, 0.25f), 0.5f);
			return Once(b);
		}});

		// The giant lizard roars.
		d.push_back({EFFECT_LIZARDROAR, PCM, [](Rng& r)
		{
			Buffer b = Voice(r, 1.8f, [](float t) { return 105.0f - 25.0f * t / 1.8f; }, 520.0f, 1050.0f, 1.5f);
			MixInto(b, NoiseBurst(r, 1.8f, 80.0f, 700.0f, 0.1f, 0.7f), 0.5f);
			Shape(b, [](float t) { return AttackDecay(t, 0.12f, 0.7f); });
			Drive(b, 2.0f);
			return Once(b);
		}});

		// Fire breath: a steady roar of flame.
		d.push_back({EFFECT_FIREBREATH, ALAW, [](Rng& r)
		{
			SVF f;
			Buffer src = Generate(2.0f, [&](float t, int)
			{
				float flicker = 1.0f + 0.3f * std::sin(TWO_PI * 3.3f * t) * std::sin(TWO_PI * 0.7f * t);
				return f.Low(r.Bipolar(), 1400.0f * flicker, 0.25f);
			});
			MixInto(src, Crackle(r, 2.0f, 150.0f, 0.5f), 0.3f);
			return Looped(src, 0.1f, 1.5f);
		}});

		// A long inhale.
		d.push_back({EFFECT_INHALE, ALAW, [](Rng& r)
		{
			SVF f;
			Buffer b = Generate(1.0f, [&](float t, int)
			{
				float cutoff = ExpLerp(350.0f, 1600.0f, t / 1.0f);
				return f.Band(r.Bipolar(), cutoff, 0.6f) * (0.15f + 0.85f * Smooth(t / 0.8f)) * (1.0f - Ramp(t, 0.85f, 1.0f));
			});
			return Once(b);
		}});

		// A spit.
		d.push_back({EFFECT_SPIT, ULAW, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.25f, 1200.0f, 6000.0f, 0.002f, 0.04f);
			MixInto(b, Splat(r, 0.2f, 0.7f), 0.4f, 0.02f);
			return Once(b);
		}});

		// A huge door smashed.
		d.push_back({EFFECT_BIGDOORSMASH, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.6f, 0.6f);
			MixInto(b, Crunch(r, 1.2f, 50, 150.0f, 3000.0f), 0.9f);
			Buffer knock = NoiseBurst(r, 0.6f, 80.0f, 500.0f, 0.001f, 0.1f);
			Bandpass(knock, 140.0f, 0.8f);
			MixInto(b, knock, 2.0f);
			return Once(b);
		}});

		// The jungle's tractor beam: a hum under a rising and falling whine.
		d.push_back({EFFECT_JUNGLE_TRACTORBEAM, PCM, [](Rng&)
		{
			Osc hum, whine;
			Buffer src = Generate(2.6f, [&](float t, int)
			{
				float w = 700.0f + 250.0f * std::sin(TWO_PI * 0.5f * t);
				return hum.Saw(80.0f) * 0.4f * (0.7f + 0.3f * std::sin(TWO_PI * 8.0f * t)) + whine.Sine(w) * 0.25f;
			});
			Lowpass(src, 2000.0f, 0.3f);
			return Looped(src, 0.1f, 2.0f);
		}});

		// The pitcher plant in pain: a hollow wail.
		d.push_back({EFFECT_PITCHERPAIN, PCM, [](Rng& r)
		{
			Buffer b = Voice(r, 1.0f, [](float t) { return ExpLerp(310.0f, 190.0f, t / 1.0f); }, 350.0f, 800.0f, 0.3f);
			Shape(b, [](float t) { return AttackDecay(t, 0.04f, 0.4f); });
			return Once(b);
		}});

		// The pitcher plant retches and spews.
		d.push_back({EFFECT_PITCHERPUKE, PCM, [](Rng& r)
		{
			Buffer b = Voice(r, 0.7f, [](float t) { return 90.0f + 30.0f * std::sin(TWO_PI * 6.0f * t); }, 380.0f, 850.0f, 1.0f);
			Shape(b, [](float t) { return Window(t, 0, 0.7f, 0.05f); });
			MixInto(b, Splat(r, 0.6f, 1.0f), 0.9f, 0.5f);
			MixInto(b, NoiseBurst(r, 0.5f, 300.0f, 2500.0f, 0.01f, 0.15f), 0.5f, 0.5f);
			return Once(b);
		}});

		// A fly trap snaps shut.
		d.push_back({EFFECT_FLYTRAP, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 0.08f, 700.0f, 4000.0f, 0.0002f, 0.01f);
			Buffer clap = NoiseBurst(r, 0.2f, 200.0f, 1200.0f, 0.0005f, 0.03f);
			Bandpass(clap, 500.0f, 0.8f);
			MixInto(b, clap, 1.5f, 0.03f);
			MixInto(b, Crunch(r, 0.3f, 8, 800.0f, 3000.0f), 0.4f, 0.04f);
			return Once(b);
		}});

		// The pitcher plant explodes: a big organic boom.
		d.push_back({EFFECT_PITCHERBOOM, IMA, [](Rng& r)
		{
			Buffer b = Explosion(r, 2.0f, 0.9f);
			for (int k = 0; k < 6; k++)
				MixInto(b, Splat(r, 0.5f, 1.0f), 0.35f, r.Range(0.0f, 0.9f));
			Room(b, 1.2f, 0.25f);
			return Once(b);
		}});

		// A pod launched: a thump and a rising thwip.
		d.push_back({EFFECT_PODSHOOT, PCM, [](Rng& r)
		{
			Buffer b = Thump(0.3f, 150.0f, 60.0f, 0.04f);
			MixInto(b, Sweep(Wave::Saw, 0.3f, 300.0f, 900.0f, 0.005f, 0.08f), 0.3f, 0.01f);
			MixInto(b, NoiseBurst(r, 0.2f, 500.0f, 3000.0f, 0.002f, 0.04f), 0.4f);
			return Once(b);
		}});

		// A pod bursts.
		d.push_back({EFFECT_PODBOOM, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.2f, 0.35f);
			MixInto(b, Splat(r, 0.5f, 0.8f), 0.8f);
			return Once(b);
		}});

		//
		// Fire and ice
		//

		// The volcano erupts: a deep, long rumble with crackling rock.
		d.push_back({EFFECT_VOLCANOBLOW, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 2.5f, 1.0f);
			MixInto(b, NoiseBurst(r, 2.5f, 20.0f, 150.0f, 0.2f, 1.0f), 1.2f);
			MixInto(b, Crunch(r, 2.0f, 40, 400.0f, 3000.0f), 0.3f, 0.3f);
			return Once(b);
		}});

		d.push_back({EFFECT_METALHIT, PCM, [](Rng& r)
		{
			return Once(Metal(r, 0.6f, 500.0f, 0.12f, 0.7f));
		}});

		// A swinging blade bot: a drone whose pitch sways with the swing.
		d.push_back({EFFECT_SWINGERDRONE, PCM, [](Rng&)
		{
			Osc saw, sub;
			Buffer src = Generate(2.6f, [&](float t, int)
			{
				float sway = std::sin(TWO_PI * 1.5f * t);
				return saw.Saw(130.0f * (1.0f + 0.06f * sway)) * 0.5f + sub.Sine(65.0f) * 0.4f;
			});
			Lowpass(src, 1500.0f, 0.4f);
			return Looped(src, 0.1f, 2.0f);
		}});

		// A heavier metal hit.
		d.push_back({EFFECT_METALHIT2, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 0.9f, 260.0f, 0.2f, 0.75f);
			MixInto(b, Thump(0.3f, 130.0f, 55.0f, 0.05f), 0.8f);
			return Once(b);
		}});

		// The saucer's hatch: a hydraulic hiss and latches.
		d.push_back({EFFECT_SAUCERHATCH, PCM, [](Rng& r)
		{
			Buffer b = NoiseBurst(r, 1.2f, 1800.0f, 7000.0f, 0.15f, 0.4f);
			Osc o;
			Buffer motor = Generate(1.0f, [&](float t, int) { return o.Saw(ExpLerp(90.0f, 150.0f, t)) * Window(t, 0, 1.0f, 0.1f) * 0.3f; });
			Lowpass(motor, 800.0f, 0.4f);
			MixInto(b, motor, 1.0f);
			for (int k = 0; k < 2; k++)
				MixInto(b, Metal(r, 0.2f, 700.0f, 0.03f, 0.5f), 0.6f, 0.05f + 1.0f * float(k));
			return Once(b);
		}});

		// Ice cracking: a series of sharp cracks and a creak.
		d.push_back({EFFECT_ICECRACK, PCM, [](Rng& r)
		{
			Buffer b;
			for (int k = 0; k < 6; k++)
			{
				Buffer crack = NoiseBurst(r, 0.12f, 1500.0f, 10000.0f, 0.0002f, 0.012f);
				MixInto(crack, Bell(0.2f, r.Range(1800.0f, 3500.0f), 0.03f), 0.3f);
				MixInto(b, crack, 1.0f - 0.1f * float(k), 0.13f * float(k) + r.Range(0.0f, 0.04f));
			}
			Buffer creak = Sweep(Wave::Saw, 0.6f, 240.0f, 170.0f, 0.05f, 0.3f);
			Bandpass(creak, 700.0f, 0.7f);
			MixInto(b, creak, 0.4f, 0.25f);
			return Once(b);
		}});

		// A robot explodes: a blast and clattering parts.
		d.push_back({EFFECT_ROBOTEXPLODE, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.6f, 0.6f);
			for (int k = 0; k < 5; k++)
				MixInto(b, Metal(r, 0.4f, r.Range(300.0f, 1200.0f), 0.07f, 0.6f), 0.3f, 0.2f + 0.2f * float(k));
			return Once(b);
		}});

		// The hammer bot's squeaky joint.
		d.push_back({EFFECT_HAMMERSQUEAK, PCM, [](Rng&)
		{
			Osc o;
			Buffer b = Generate(0.3f, [&](float t, int)
			{
				float hz = ExpLerp(1800.0f, 2300.0f, t / 0.3f) * (1.0f + 0.02f * std::sin(TWO_PI * 40.0f * t));
				return o.Triangle(hz) * Window(t, 0, 0.3f, 0.03f);
			});
			return Once(b, 0.6f);
		}});

		// The drill bot's whine, grinding.
		d.push_back({EFFECT_DRILLBOTWHINE, PCM, [](Rng& r)
		{
			Osc saw, m;
			Buffer src = Generate(1.4f, [&](float, int)
			{
				return saw.Saw(600.0f + 40.0f * m.Sine(37.0f)) * 0.5f + r.Bipolar() * 0.1f;
			});
			Bandpass(src, 1400.0f, 0.4f);
			return Looped(src, 0.1f, 1.0f, 0.75f);
		}});

		// The drill bot on metal: a higher scream with a screech.
		d.push_back({EFFECT_DRILLBOTWHINEHI, PCM, [](Rng& r)
		{
			Osc saw, m;
			Buffer src = Generate(1.4f, [&](float, int)
			{
				return saw.Saw(920.0f + 90.0f * m.Sine(53.0f)) * 0.5f;
			});
			Buffer screech = NoiseBurst(r, 1.4f, 3000.0f, 7000.0f, 0.01f, 100.0f);
			Bandpass(screech, 4200.0f, 0.9f);
			MixInto(src, screech, 0.8f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A stone pillar crunches down.
		d.push_back({EFFECT_PILLARCRUNCH, PCM, [](Rng& r)
		{
			Buffer b = Crunch(r, 1.0f, 45, 120.0f, 1500.0f);
			MixInto(b, NoiseBurst(r, 1.0f, 25.0f, 200.0f, 0.02f, 0.35f), 1.0f);
			return Once(b);
		}});

		// The fire-and-ice rocket sled: a rougher, throbbing roar.
		d.push_back({EFFECT_FIREICE_ROCKETSLED, PCM, [](Rng& r)
		{
			Buffer src = RocketEngine(r, 1.5f, 60.0f, 2000.0f, 0.45f);
			Drive(src, 1.6f);
			return Looped(src, 0.1f, 1.0f);
		}});

		// A squooshy glob splats against something.
		d.push_back({EFFECT_SPLATHIT, ULAW, [](Rng& r)
		{
			Buffer b = Splat(r, 0.4f, 0.6f);
			MixInto(b, Thump(0.2f, 220.0f, 120.0f, 0.03f), 0.4f);
			return Once(b);
		}});

		// The squooshy's shot: a wobbling bloop.
		d.push_back({EFFECT_SQUOOSHYSHOOT, PCM, [](Rng& r)
		{
			Osc o;
			Buffer b = Generate(0.4f, [&](float t, int)
			{
				float hz = ExpLerp(250.0f, 600.0f, t / 0.4f) * (1.0f + 0.15f * std::sin(TWO_PI * 22.0f * t));
				return o.Sine(hz) * AttackDecay(t, 0.004f, 0.12f);
			});
			MixInto(b, Splat(r, 0.15f, 0.5f), 0.3f);
			return Once(b);
		}});

		// The rocket sled blows up.
		d.push_back({EFFECT_SLEDEXPLODE, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.5f, 0.65f);
			MixInto(b, Metal(r, 0.8f, 240.0f, 0.15f, 0.7f), 0.4f, 0.03f);
			MixInto(b, Crunch(r, 1.0f, 20, 500.0f, 4000.0f), 0.3f, 0.1f);
			return Once(b);
		}});

		//
		// Saucer
		//

		// A mine in the saucer level: an electric blast.
		d.push_back({EFFECT_SAUCER_MINEEXPLOSION, PCM, [](Rng& r)
		{
			Buffer b = Explosion(r, 1.6f, 0.6f);
			MixInto(b, FMTone(0.8f, 160.0f, 1.41f, 5.0f, 0.2f, 0.25f), 0.5f);
			MixInto(b, Crackle(r, 1.0f, 600.0f, 1.0f), 0.4f);
			return Once(b);
		}});

		// A saucer hit: a metallic bonk and a warble.
		d.push_back({EFFECT_SAUCERHIT, PCM, [](Rng& r)
		{
			Buffer b = Metal(r, 0.6f, 420.0f, 0.12f, 0.6f);
			Osc o;
			Buffer warble = Generate(0.7f, [&](float t, int)
			{
				return o.Sine(900.0f * (1.0f + 0.2f * std::sin(TWO_PI * 12.0f * t))) * AttackDecay(t, 0.01f, 0.25f);
			});
			MixInto(b, warble, 0.5f);
			return Once(b);
		}});

		//
		// Brain boss
		//

		// The brain boss's static: hiss with a mains buzz through it.
		d.push_back({EFFECT_BRAINSTATIC, PCM, [](Rng& r)
		{
			SVF f;
			Osc buzz;
			Buffer src = Generate(2.0f, [&](float, int)
			{
				float b = 0.5f + 0.5f * buzz.Square(50.0f, 0.3f);
				return f.Band(r.Bipolar(), 2500.0f, 0.3f) * (0.4f + 0.6f * b);
			});
			MixInto(src, Crackle(r, 2.0f, 300.0f, 0.8f), 0.4f);
			return Looped(src, 0.1f, 1.5f);
		}});

		// The brain boss fires: a psychic blast sweeping down.
		d.push_back({EFFECT_BRAINBOSSSHOOT, PCM, [](Rng& r)
		{
			Osc car, mod;
			Buffer b = Generate(0.7f, [&](float t, int)
			{
				float hz = ExpLerp(1200.0f, 150.0f, t / 0.7f);
				return car.Sine(hz * (1.0f + 1.2f * mod.Sine(hz * 0.75f))) * AttackDecay(t, 0.005f, 0.25f);
			});
			MixInto(b, Whoosh(r, 0.7f, 3000.0f, 400.0f, 0.4f), 0.5f);
			return Once(b);
		}});

		// The brain boss dies: a long falling wail through explosions.
		d.push_back({EFFECT_BRAINBOSSDIE, IMA, [](Rng& r)
		{
			Buffer b = Voice(r, 3.5f, [](float t) { return ExpLerp(500.0f, 60.0f, t / 3.5f); }, 600.0f, 1000.0f, 0.5f);
			Shape(b, [](float t) { return Window(t, 0, 3.5f, 0.3f); });
			for (int k = 0; k < 4; k++)
				MixInto(b, Explosion(r, 1.5f, 0.5f + 0.1f * float(k)), 0.6f, 0.6f * float(k));
			MixInto(b, NoiseBurst(r, 3.5f, 20.0f, 120.0f, 0.5f, 1.5f), 0.8f);
			return Once(b);
		}});

		// A portal blows: a swell sucked in, then a boom.
		d.push_back({EFFECT_PORTALBOOM, PCM, [](Rng& r)
		{
			SVF f;
			Buffer b = Generate(0.6f, [&](float t, int)
			{
				float u = t / 0.6f;
				return f.Band(r.Bipolar(), ExpLerp(500.0f, 4000.0f, u), 0.5f) * (0.3f + 0.7f * u * u) * 2.0f;
			});
			MixInto(b, Explosion(r, 1.0f, 0.5f), 1.0f, 0.6f);
			return Once(b);
		}});

		// The brain boss in pain: a wavering howl.
		d.push_back({EFFECT_BRAINPAIN, PCM, [](Rng& r)
		{
			Buffer b = Voice(r, 1.0f, [](float t) { return ExpLerp(260.0f, 170.0f, t / 1.0f); }, 620.0f, 1050.0f, 0.4f);
			Tremolo(b, 9.0f, 0.5f);
			Shape(b, [](float t) { return AttackDecay(t, 0.05f, 0.4f); });
			return Once(b);
		}});

		//
		// Lose screen
		//

		// The conveyor belt: a motor hum and rhythmic clanks.
		d.push_back({EFFECT_CONVEYORBELT, IMA, [](Rng& r)
		{
			Buffer b = Hum(3.0f, 60.0f, 4, 0.01f);
			Scale(b, 0.5f);
			for (int k = 0; k < 12; k++)
				MixInto(b, Metal(r, 0.2f, 280.0f + 20.0f * float(k % 2), 0.04f, 0.5f), 0.6f, 0.25f * float(k));
			Shape(b, [](float t) { return Window(t, 0, 3.0f, 0.2f); });
			return Once(b);
		}});

		// Transformation: a rising FM sweep, a shimmer and a zap.
		d.push_back({EFFECT_TRANSFORM, ALAW, [](Rng& r)
		{
			Osc car, mod;
			Buffer b = Generate(1.5f, [&](float t, int)
			{
				float hz = ExpLerp(150.0f, 1200.0f, t / 1.5f);
				return car.Sine(hz * (1.0f + 0.8f * mod.Sine(hz * 2.0f))) * Window(t, 0, 1.5f, 0.1f);
			});
			Buffer shimmer = NoiseBurst(r, 1.5f, 4000.0f, 9000.0f, 0.5f, 0.5f);
			Tremolo(shimmer, 20.0f, 0.9f);
			MixInto(b, shimmer, 0.3f);
			MixInto(b, Crackle(r, 0.4f, 800.0f, 1.0f), 0.5f, 1.1f);
			return Once(b);
		}});
	}
}
