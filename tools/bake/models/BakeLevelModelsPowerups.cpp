// The power-up and bouncing models a level's own file carries: on the cloud
// level the pod that hangs under a balloon and the balloon itself; on the
// slime world the bounce pad and the tow handle its pods release; in the
// jungle the growth vial its pods release.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "System/ContentNumbers.h"
#include "Items/SpikyPoints.h"

#include <cmath>
#include <stdexcept>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		// A pod like the ground pods, smaller, with a ring at the top for the rope.
		Node BalloonPod(ModelFile& file)
		{
			ModelBuilder b(file);
			int shell = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 231)));
			LatheOptions o;
			o.segments = 16;
			o.smoothAlong = true;
			Mesh body = Lathe({{0, -70}, {30, -62}, {46, -35}, {50, 0}, {44, 30}, {26, 52}, {0, 58}}, o);
			GradientColor(body, {200, 40, 40, 255}, {255, 190, 120, 255});
			b.Add(body, shell);
			Mesh band = Torus(50, 6, 16, 6);
			b.Add(SetColor(band, {240, 240, 250, 255}), shell);
			Mesh hook = Torus(10, 3, 10, 5);
			Translate(hook, {0, 64, 0});
			b.Add(SetColor(hook, {200, 200, 210, 255}), shell);
			return b.Build("balloon pod");
		}

		// The balloon: its origin at the knot, the envelope above, the rope
		// hanging down to where the pod hangs.
		Node PowerupBalloon(ModelFile& file)
		{
			ModelBuilder b(file);
			int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 233)));
			LatheOptions o;
			o.segments = 20;
			o.smoothAlong = true;
			Mesh envelope = Lathe({{0, 10}, {20, 18}, {70, 70}, {95, 140}, {90, 200}, {60, 250}, {0, 268}}, o);
			GradientColor(envelope, {60, 150, 255, 255}, {200, 230, 255, 255});
			b.Add(envelope, skin);
			Mesh rope = Cylinder(2, 2, 40, 4, false, false);
			Translate(rope, {0, -10, 0});
			b.Add(SetColor(rope, {230, 230, 220, 255}), skin);
			return b.Build("power-up balloon");
		}
	}

	namespace
	{
		// A squat jelly cushion on a rim; the game squashes it as it wobbles.
		Node BouncePad(ModelFile& file)
		{
			ModelBuilder b(file);
			int rim = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 241)));
			int jelly = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 243), 0.85f));
			Mesh base = Cylinder(110, 100, 24, 20, true, false);
			Translate(base, {0, 12, 0});
			b.Add(SetColor(base, {90, 80, 110, 255}), rim);
			LatheOptions o;
			o.segments = 20;
			o.smoothAlong = true;
			Mesh cushion = Lathe({{96, 20}, {100, 34}, {84, 48}, {50, 56}, {0, 58}}, o);
			GradientColor(cushion, {90, 230, 70, 255}, {200, 255, 170, 255});
			b.Add(cushion, jelly);
			return b.Build("bounce pad");
		}

		// A T-shaped handle on a short rope stub.
		Node TowHandle(ModelFile& file)
		{
			ModelBuilder b(file);
			int grip = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 245)));
			Mesh bar = Capsule(14, 160, 8, 4);
			Rotate(bar, {0, 0, PI / 2});
			Translate(bar, {0, 60, 0});
			b.Add(SetColor(bar, {230, 120, 30, 255}), grip);
			Mesh stem = Cylinder(8, 8, 120, 6, true, false);
			Translate(stem, {0, 120, 0});
			b.Add(SetColor(stem, {200, 200, 190, 255}), grip);
			return b.Build("tow handle");
		}

		void FillTo(ModelFile& f, size_t number, std::initializer_list<const char*> names)
		{
			auto name = names.begin();
			while (f.models.size() < number)
				f.models.push_back(Placeholder(f, name != names.end() ? std::string(*name++)
						: "slime scenery " + std::to_string(f.models.size())));
		}
	}

	// A round flask of glowing green growth potion with a cork, four times
	// the size it shows (the pick-up is drawn at a quarter).
	Node GrowthVial(ModelFile& file)
	{
		ModelBuilder b(file);
		int glass = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 251), 0.6f));
		int potion = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 252), 0.95f));
		int cork = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 253)));
		LatheOptions o;
		o.segments = 18;
		o.smoothAlong = true;
		Mesh flask = Lathe({{0, 0}, {70, 12}, {100, 70}, {92, 130}, {50, 175}, {34, 200}, {36, 240}, {0, 240}}, o);
		GradientColor(flask, {200, 255, 230, 255}, {240, 255, 250, 255});
		b.Add(flask, glass);
		Mesh liquid = Lathe({{0, 8}, {62, 18}, {90, 70}, {84, 122}, {0, 128}}, o);
		GradientColor(liquid, {40, 200, 40, 255}, {190, 255, 90, 255});
		b.Add(liquid, potion);
		Mesh stopper = Cylinder(30, 26, 44, 10, true, true);
		Translate(stopper, {0, 258, 0});
		b.Add(SetColor(stopper, {170, 110, 60, 255}), cork);
		return b.Build("growth vial");
	}

	void AddSlimeBounceModels(ModelFile& f)
	{
		FillTo(f, LEVEL_MODEL_BOUNCE_PAD, {});
		f.models.push_back(BouncePad(f));
		FillTo(f, LEVEL_MODEL_BUBBLE, {});
		f.models.push_back(Bubble(f));
		f.models.push_back(FloatingPod(f));		// model 18
		FillTo(f, LEVEL_MODEL_BUBBLE_PUMP, {});
		f.models.push_back(BubblePumpBase(f));
		f.models.push_back(BubblePumpPlunger(f));
		FillTo(f, LEVEL_MODEL_BOAT_HULL, {});
		f.models.push_back(BoatHull(f));
		f.models.push_back(BoatPropeller(f));
		if (f.models.size() != LEVEL_MODEL_TOW_HANDLE)
			throw std::logic_error("the tow handle must follow the boat");
		f.models.push_back(TowHandle(f));
		FillTo(f, SPIKY_BALL_MODEL, {});
		f.models.push_back(SpikyBall(f));
		f.models.push_back(SpikyStalk(f));
	}

	void AddBalloonPodModels(ModelFile& f)
	{
		while (f.models.size() < LEVEL_MODEL_BALLOON_POD)
			f.models.push_back(Placeholder(f, "cloud scenery " + std::to_string(f.models.size())));
		f.models.push_back(BalloonPod(f));
		if (f.models.size() != LEVEL_MODEL_POWERUP_BALLOON)
			throw std::logic_error("the power-up balloon must follow its pod");
		f.models.push_back(PowerupBalloon(f));
	}
}
