// The bosses' level models: the jungle boss arena's (models 17 … 26 of the
// jungle's file) and the brain boss with its two armoured halves (models
// 1 … 3 of the brain boss's file). Sizes are in model units; the game
// scales them (pod plants about 2.7, the pitcher 9.5, the brain 5).
#include "models/BakeLevelModels.h"
#include "kit/Art.h"
#include "kit/Primitives.h"
#include "Enemies/JungleBoss.h"

#include <stdexcept>
#include <string>

#include <cmath>

namespace LevelModels
{
	using namespace Kit;

	namespace
	{
		constexpr float PI = 3.14159265f;

		Node TentacleGenerator(ModelFile& f)
		{
			// A gnarled root bulb with a dark mouth on top, where tentacles start.
			ModelBuilder b(f);
			int bark = b.AddMaterial(Art::Opaque(Art::PlainSurface(64, 401)));
			Mesh bulb = Lathe({{0, 0}, {40, 4}, {52, 30}, {44, 60}, {26, 78}, {18, 84}}, LatheOptions{10, true, true, false, false});
			b.Add(GradientColor(bulb, Hex(0x4A2A3A), Hex(0x8A4A6A)), bark);
			Mesh mouth = Cylinder(17, 12, 6, 10);
			Translate(mouth, {0, 84, 0});
			b.Add(SetColor(mouth, Hex(0x200810)), bark);
			for (int i = 0; i < 5; i++)
			{
				Mesh root = Cone(12, 60, 6);
				Rotate(root, {0, 0, PI / 2 - 0.25f});
				Rotate(root, {0, float(i) * 2 * PI / 5, 0});
				Translate(root, {34 * std::cos(float(i) * 2 * PI / 5), 8, -34 * std::sin(float(i) * 2 * PI / 5)});
				b.Add(SetColor(root, Hex(0x5A3244)), bark);
			}
			return b.Build("tentacle generator");
		}

		Node PodPlantStalk(ModelFile& f)
		{
			// A tall curved stalk from the ground (y 0) up to the head's neck,
			// which sits 336.7 up and 164.6 forward (+z).
			ModelBuilder b(f);
			int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 403)));
			const int SEGMENTS = 8;
			for (int i = 0; i < SEGMENTS; i++)
			{
				float t0 = float(i) / SEGMENTS, t1 = float(i + 1) / SEGMENTS;
				auto at = [](float t) { return Vec3{0, 336.7f * t, 164.6f * t * t}; };
				Vec3 a = at(t0), c = at(t1);
				float len = std::sqrt((c.y - a.y) * (c.y - a.y) + (c.z - a.z) * (c.z - a.z));
				Mesh piece = Cylinder(16 - 6 * t0, 16 - 6 * t1, len, 8, false);
				Rotate(piece, {std::atan2(c.z - a.z, c.y - a.y), 0, 0});
				Translate(piece, a);
				b.Add(SetColor(piece, Mix(Hex(0x3A6A2A), Hex(0x6AB040), t0)), skin);
			}
			for (int i = 0; i < 3; i++)
			{
				Mesh leaf = Sphere(1, 8, 4);
				Scale(leaf, {60, 4, 20});
				Rotate(leaf, {0, float(i) * 2 * PI / 3, 0.3f});
				Translate(leaf, {0, 100 + 6 * float(i), 0});
				b.Add(SetColor(leaf, Hex(0x4A8A30)), skin);
			}
			return b.Build("pod plant stalk");
		}

		Node PodHead(ModelFile& f, bool burst)
		{
			// A swollen seed head; its mouth (93 down, 71 forward) gapes at the ground.
			ModelBuilder b(f);
			int skin = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, burst ? 407 : 405)));
			Mesh head = Sphere(62, 12, 8);
			Scale(head, {1, 1.1f, 1});
			if (burst)
			{
				Scale(head, {0.8f, 0.45f, 0.8f});
				b.Add(GradientColor(head, Hex(0x201008), Hex(0x4A3020)), skin);
				for (int i = 0; i < 6; i++)
				{
					Mesh shred = Cone(12, 50, 4);
					Rotate(shred, {0.4f, float(i) * PI / 3, 0});
					Translate(shred, {28 * std::sin(float(i) * PI / 3), 20, 28 * std::cos(float(i) * PI / 3)});
					b.Add(SetColor(shred, Hex(0x3A2414)), skin);
				}
				return b.Build("burst pod head");
			}
			b.Add(GradientColor(head, Hex(0xC05020), Hex(0xF0C030)), skin);
			Mesh lip = Torus(26, 8, 12, 6);
			Rotate(lip, {0.8f, 0, 0});
			Translate(lip, {0, -93, 71});
			b.Add(SetColor(lip, Hex(0x902040)), skin);
			Mesh throat = Sphere(22, 8, 5);
			Translate(throat, {0, -80, 58});
			b.Add(SetColor(throat, Hex(0x300810)), skin);
			for (int i = 0; i < 8; i++)
			{
				Mesh spot = Sphere(9, 6, 4);
				float a = float(i) * PI / 4;
				Translate(spot, {60 * std::sin(a), 20 + 10 * std::cos(3 * a), 60 * std::cos(a)});
				b.Add(SetColor(spot, Hex(0xFFF0A0)), skin);
			}
			return b.Build("pod head");
		}

		Node JunglePod(ModelFile& f)
		{
			ModelBuilder b(f);
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 409), 1.0f));
			Mesh pod = Sphere(40, 10, 7);
			Scale(pod, {1, 1.3f, 1});
			b.Add(GradientColor(pod, Hex(0xE0A010), Hex(0xFFF060)), glow);
			return b.Build("jungle pod");
		}

		Node PitcherPlantShell(ModelFile& f)
		{
			// The ring of leaves round the pitcher's foot (the skinned pitcher stands in it).
			ModelBuilder b(f);
			int leafMat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 411)));
			for (int i = 0; i < 7; i++)
			{
				Mesh leaf = Sphere(1, 8, 4);
				Scale(leaf, {30, 3, 10});
				Rotate(leaf, {0, 0, -0.35f});
				Translate(leaf, {26, 6, 0});
				Rotate(leaf, {0, float(i) * 2 * PI / 7, 0});
				b.Add(GradientColor(leaf, Hex(0x2E6A20), Hex(0x7AC050)), leafMat);
			}
			return b.Build("pitcher plant leaves");
		}

		Node PitcherStump(ModelFile& f)
		{
			ModelBuilder b(f);
			int char_ = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 413)));
			Mesh stump = Lathe({{0, 0}, {14, 0}, {13, 10}, {10, 18}, {11, 24}, {0, 20}}, LatheOptions{9, true, true, false, false});
			b.Add(GradientColor(stump, Hex(0x1A1008), Hex(0x4A2A14)), char_);
			return b.Build("burnt pitcher stump");
		}

		Node StartBeam(ModelFile& f)
		{
			// A tall open cone of light, drawn glowing and double-sided.
			ModelBuilder b(f);
			int light = b.AddMaterial(Art::Glowing(Art::GlowBands(32, 64, 5, true, 415), 0.6f));
			Mesh beam = Cylinder(30, 12, 600, 16, false);
			MakeDoubleSided(beam);
			b.Add(GradientColor(beam, Hex(0xFFFFC0, 200), Hex(0x80FFFF, 0)), light);
			return b.Build("start beam");
		}

		Node JungleBossLight(ModelFile& f)
		{
			// A bamboo pole with a lamp at the top (y 582).
			ModelBuilder b(f);
			int wood = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 417)));
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 419), 1.0f));
			Mesh pole = Cylinder(12, 9, 560, 8);
			b.Add(SetColor(pole, Hex(0xB0A050)), wood);
			Mesh cage = Cylinder(26, 20, 40, 8);
			Translate(cage, {0, 560, 0});
			b.Add(SetColor(cage, Hex(0x5A4020)), wood);
			Mesh lamp = Sphere(20, 10, 6);
			Translate(lamp, {0, 582, 0});
			b.Add(SetColor(lamp, Hex(0xFFF8D0)), glow);
			return b.Build("jungle boss light");
		}

		// The brain: a wrinkled pink mass whose lobes are bands of bumps.
		Node Brain(ModelFile& f)
		{
			ModelBuilder b(f);
			int flesh = b.AddMaterial(Art::Opaque(Art::PlainSurface(64, 421)));
			Mesh core = Sphere(80, 16, 10);
			Scale(core, {0.8f, 0.85f, 1.1f});
			Translate(core, {0, 110, 0});
			b.Add(GradientColor(core, Hex(0xC05070), Hex(0xFFA0B8)), flesh);
			for (int ring = 0; ring < 5; ring++)
			{
				float y = 60 + 22 * float(ring);
				float r = 62 * std::sin(PI * (0.2f + 0.15f * float(ring)));
				for (int i = 0; i < 10; i++)
				{
					Mesh fold = Sphere(16, 6, 4);
					float a = float(i) * 2 * PI / 10 + 0.3f * float(ring);
					Scale(fold, {0.7f, 0.6f, 1.4f});
					Translate(fold, {r * std::sin(a) * 0.8f, y, r * std::cos(a) * 1.1f});
					b.Add(SetColor(fold, Mix(Hex(0xE06888), Hex(0xFFB0C0), float(ring) / 5)), flesh);
				}
			}
			Mesh stem = Cylinder(24, 30, 60, 8);
			b.Add(SetColor(stem, Hex(0x903050)), flesh);
			return b.Build("brain boss");
		}

		// One armoured half: a shell over the brain's side, x < 0 for the left.
		Node BrainHalf(ModelFile& f, float side, const char* name)
		{
			ModelBuilder b(f);
			int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 3, side < 0 ? 423 : 425)));
			int glow = b.AddMaterial(Art::Glowing(Art::PlainSurface(16, 427), 1.0f));
			Mesh shell = Sphere(100, 14, 9);
			Scale(shell, {0.55f, 0.95f, 1.25f});
			Translate(shell, {side * 50, 110, 0});
			b.Add(GradientColor(shell, Hex(0x383048), Hex(0x8A80A8)), metal);
			Mesh rim = Torus(95, 8, 16, 6);
			Rotate(rim, {0, 0, PI / 2});
			Scale(rim, {1, 1, 1.25f});
			Translate(rim, {side * 8, 110, 0});
			b.Add(SetColor(rim, Hex(0xB0A0D0)), metal);
			for (int i = 0; i < 3; i++)
			{
				Mesh spike = Cone(12, 50, 6);
				Rotate(spike, {0, 0, -side * PI / 2});
				Translate(spike, {side * 100, 70 + 40 * float(i), -60 + 60 * float(i)});
				b.Add(SetColor(spike, Hex(0x504060)), metal);
			}
			Mesh lamp = Sphere(10, 8, 5);
			Translate(lamp, {side * 38, 110, -127});
			b.Add(SetColor(lamp, Hex(0xA0FFD0)), glow);
			return b.Build(name);
		}
	}

	namespace
	{
		void PutAt(ModelFile& f, size_t index, Node model)
		{
			if (f.models.size() != index)
				throw std::logic_error(model.name + " must be level model " + std::to_string(index) + ", not "
						+ std::to_string(f.models.size()));
			f.models.push_back(std::move(model));
		}
	}

	void AddJungleBossModels(ModelFile& f)
	{
		while (f.models.size() < LEVEL_MODEL_TENTACLE_GENERATOR)
			f.models.push_back(Placeholder(f, "jungle model"));
		PutAt(f, LEVEL_MODEL_TENTACLE_GENERATOR, TentacleGenerator(f));
		PutAt(f, LEVEL_MODEL_POD_PLANT_STALK, PodPlantStalk(f));
		PutAt(f, LEVEL_MODEL_POD_HEAD, PodHead(f, false));
		PutAt(f, LEVEL_MODEL_POD_HEAD_BURST, PodHead(f, true));
		PutAt(f, LEVEL_MODEL_JUNGLE_POD, JunglePod(f));
		PutAt(f, LEVEL_MODEL_PITCHER_PLANT, PitcherPlantShell(f));
		PutAt(f, LEVEL_MODEL_PITCHER_STUMP, PitcherStump(f));
		PutAt(f, LEVEL_MODEL_START_BEAM, StartBeam(f));
		PutAt(f, LEVEL_MODEL_JUNGLE_BOSS_LIGHT, JungleBossLight(f));
	}

	void AddBrainBossModels(ModelFile& f)
	{
		PutAt(f, 1, Brain(f));
		PutAt(f, 2, BrainHalf(f, -1, "brain boss left half"));
		PutAt(f, 3, BrainHalf(f, 1, "brain boss right half"));
	}
}
