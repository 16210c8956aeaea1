// What the cloud city's creatures drop and blow: the clown fish's bomb (a
// round black bomb with fins, its nose toward −z so it can dive nose first),
// the flat glare and the rolling shock ring of its blast, and the clown's
// soap bubble, a unit ball the game blows up to 70 across its radius.
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "Enemies/CloudCreatures.h"

#include <cmath>
#include <stdexcept>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		constexpr float PI = 3.14159265f;

		// Shown at the fish's scale (2): about 40 long in the game.
		Node FishBomb(ModelFile& file)
		{
			ModelBuilder b(file);
			int shell = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 341)));
			Mesh body = Sphere(8, 14, 9);
			Scale(body, {1, 1, 1.25f});
			GradientColor(body, {20, 20, 28, 255}, {80, 80, 96, 255});
			b.Add(body, shell);
			// A red band and a striped nose cone ahead (−z).
			Mesh band = Torus(8.2f, 1.2f, 14, 5);
			Rotate(band, {PI / 2, 0, 0});
			b.Add(SetColor(band, {230, 40, 50, 255}), shell);
			Mesh nose = Cone(4, 5, 10);
			Rotate(nose, {-PI / 2, 0, 0});
			Translate(nose, {0, 0, -9});
			b.Add(SetColor(nose, Art::HAZARD_YELLOW), shell);
			// Tail fins in a cross at +z.
			for (int k = 0; k < 4; k++)
			{
				Mesh fin = Box({0.8f, 7, 6});
				Translate(fin, {0, 5, 11});
				Rotate(fin, {0, 0, float(k) * PI / 2});
				b.Add(SetColor(fin, {230, 40, 50, 255}), shell);
			}
			Mesh ring = Torus(4.5f, 0.8f, 10, 4);
			Rotate(ring, {PI / 2, 0, 0});
			Translate(ring, {0, 0, 13});
			b.Add(SetColor(ring, {40, 40, 48, 255}), shell);
			return b.Build("fish bomb");
		}

		// A round glare lying on the ground, white in the middle, orange out to 100.
		Node BombFlash(ModelFile& file)
		{
			ModelBuilder b(file);
			int glare = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 64, 3, true, 342), 0.9f));
			Mesh disc = Ring(0.5f, 100, 24);
			Translate(disc, {0, 1, 0});
			GradientColor(disc, {255, 150, 40, 255}, {255, 250, 220, 255});
			b.Add(disc, glare);
			return b.Build("bomb flash");
		}

		// A thin bright ring out to 150, the game grows it from a fifth of that.
		Node ShockRing(ModelFile& file)
		{
			ModelBuilder b(file);
			int glow = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 16, 6, false, 343), 0.95f));
			Mesh ring = Ring(118, 150, 32);
			SetColor(ring, {255, 240, 200, 255});
			b.Add(ring, glow);
			Mesh inner = Ring(100, 118, 32);
			SetColor(inner, {255, 140, 60, 255});
			b.Add(inner, glow);
			return b.Build("shock ring");
		}

		// A soap film with rainbow bands, radius 1.
		Node ClownBubble(ModelFile& file)
		{
			ModelBuilder b(file);
			int film = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 64, 7, false, 344), 0.5f));
			Mesh ball = Sphere(1, 18, 12);
			GradientColor(ball, {255, 150, 230, 255}, {150, 230, 255, 255});
			b.Add(ball, film);
			Mesh shine = Sphere(0.18f, 8, 5);
			Translate(shine, {-0.45f, 0.55f, -0.55f});
			b.Add(SetColor(shine, {255, 255, 255, 255}), film);
			return b.Build("clown bubble");
		}
	}

	void AddCloudCreatureModels(ModelFile& f)
	{
		while (f.models.size() < size_t(CLOUD_MODEL_FISH_BOMB))
			f.models.push_back(Placeholder(f, "cloud scenery " + std::to_string(f.models.size())));
		if (f.models.size() != size_t(CLOUD_MODEL_FISH_BOMB))
			throw std::logic_error("the fish bomb must be cloud model 17");
		f.models.push_back(FishBomb(f));
		f.models.push_back(BombFlash(f));
		f.models.push_back(ShockRing(f));
		f.models.push_back(ClownBubble(f));
		if (f.models.size() != size_t(CLOUD_MODEL_CLOWN_BUBBLE) + 1)
			throw std::logic_error("the clown's bubble must be cloud model 20");
	}
}
