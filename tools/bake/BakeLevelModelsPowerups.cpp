// The power-up models a level's own file carries: on the cloud level the pod
// that hangs under a balloon and the balloon itself.
#include "BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "System/ContentNumbers.h"

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
