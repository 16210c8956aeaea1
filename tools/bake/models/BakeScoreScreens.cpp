// The score screens' models and sprites: the bonus tally's teleport pad,
// arrival beam, counting hopper, the weapon tokens it counts and the bits
// drifting behind; the high-score entry's podium, trophy and stars; the
// tally's number panel and count spark; the high-score stage and score plate.
// The same chunky, bright low-poly kit and palette as the levels.
#include "Bake.h"
#include "formats/BG3DWriter.h"
#include "Screens/ScoreScreenModels.h"
#include "formats/TGAWriter.h"
#include "kit/Art.h"
#include "kit/Frames.h"
#include "kit/Image.h"
#include "kit/Model.h"
#include "kit/Primitives.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
	using namespace Kit;

	constexpr float PI = 3.14159265f;
	constexpr Rgba OUTLINE{10, 12, 24, 255};
	constexpr Rgba SILVER{200, 210, 225, 255};
	constexpr Rgba BRONZE{205, 120, 60, 255};

	int Plain(ModelBuilder& b, uint32_t seed) { return b.AddMaterial(Art::Opaque(Art::PlainSurface(16, seed))); }
	int Glow(ModelBuilder& b, uint32_t seed, float alpha = 1.0f) { return b.AddMaterial(Art::Glowing(Art::PlainSurface(16, seed), alpha)); }

	Mesh Colored(Mesh m, Rgba c) { SetColor(m, c); return m; }
	Mesh At(Mesh m, Vec3 p) { Translate(m, p); return m; }
	Mesh Turned(Mesh m, Vec3 radians) { Rotate(m, radians); return m; }

	// The weapon tokens, about 70 across, each in its weapon's colour and
	// shape as the infobar shows them, so the counted ones read at a glance.
	Node WeaponToken(ModelFile& f, int type)
	{
		ModelBuilder b(f);
		int m = Plain(b, 1000 + uint32_t(type)), g = Glow(b, 1020 + uint32_t(type));
		switch (type)
		{
			case 0:		// stun gun: a blue pistol with a glowing muzzle
				b.Add(Colored(RoundedBox({60, 26, 22}, 6), Art::FUEL_BLUE), m);
				b.Add(At(Colored(RoundedBox({18, 34, 18}, 5), Art::ROBOT_DARK), {-18, -24, 0}), m);
				b.Add(At(Colored(Sphere(10, 8, 6), Art::ICE_CYAN), {36, 0, 0}), g);
				break;
			case 1:		// freeze gun: an ice crystal
				b.Add(Colored(Cone(22, 45, 6), Art::ICE_CYAN), g);
				b.Add(Turned(Colored(Cone(22, 35, 6), Art::ICE_CYAN), {PI, 0, 0}), g);
				break;
			case 2:		// arc shot: a green spinning ring
				b.Add(Turned(Colored(Torus(26, 8, 16, 8), Art::ALIEN_GREEN), {PI / 2, 0, 0}), g);
				b.Add(Colored(Sphere(10, 8, 6), Art::EXIT_YELLOW), g);
				break;
			case 3:		// growth: a vial with a glowing drink
				b.Add(Colored(Cylinder(16, 16, 44, 12), Art::ALIEN_GREEN), g);
				b.Add(At(Colored(Cylinder(8, 8, 14, 8), Art::ROBOT_GREY), {0, 28, 0}), m);
				b.Add(At(Colored(Cylinder(11, 11, 8, 8), Art::HEALTH_RED), {0, 38, 0}), m);
				break;
			case 4:		// flare: an orange rocket with fins
				b.Add(Colored(Capsule(12, 40, 10, 6), Art::FLARE_ORANGE), m);
				for (int i = 0; i < 3; i++)
					b.Add(Turned(At(Colored(Box({4, 18, 20}), Art::ROBOT_DARK), {0, -22, 12}), {0, float(i) * 2 * PI / 3, 0}), m);
				b.Add(At(Colored(Sphere(9, 8, 6), Art::EXIT_YELLOW), {0, -32, 0}), g);
				break;
			case 5:		// fist: the robot's own grey fist
				b.Add(Colored(RoundedBox({44, 40, 36}, 10), Art::ROBOT_GREY), m);
				b.Add(At(Colored(RoundedBox({36, 10, 12}, 4), Art::ROBOT_DARK), {0, 12, 18}), m);
				break;
			case 6:		// nova: a golden star
				b.Add(Colored(Extrude(StarPolygon(5, 36, 15, PI / 2), 14, 2), Art::GOLD), g);
				break;
			default:	// dart: a red dart with white flights
				b.Add(Turned(Colored(Cylinder(4, 4, 50, 8), Art::HEALTH_RED), {0, 0, PI / 2}), m);
				b.Add(At(Turned(Colored(Cone(7, 18, 8), Art::ROBOT_GREY), {0, 0, -PI / 2}), {25, 0, 0}), m);
				b.Add(At(Colored(Box({14, 24, 2}), Art::ROBOT_WHITE), {-22, 0, 0}), m);
				b.Add(At(Colored(Box({14, 2, 24}), Art::ROBOT_WHITE), {-22, 0, 0}), m);
				break;
		}
		return b.Build("weapon token " + std::to_string(type));
	}

	ModelFile BuildBonusModels()
	{
		ModelFile f;
		for (int type = 0; type < BONUS_NUM_WEAPON_MODELS; type++)
			f.models.push_back(WeaponToken(f, type));
		{
			// A wide disc with hazard-striped rim and a glowing ring where
			// people appear.
			ModelBuilder b(f);
			int m = Plain(b, 1101), g = Glow(b, 1102), s = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 6)));
			b.Add(Colored(Cylinder(230, 250, 30, 32), Art::ROBOT_DARK), m);
			Mesh rim = Cylinder(252, 252, 12, 32, false);
			BoxUV(rim, 0.01f);
			b.Add(At(rim, {0, 4, 0}), s);
			b.Add(At(Colored(Ring(150, 200, 32), Art::ICE_CYAN), {0, 16, 0}), g);
			b.Add(At(Colored(Cylinder(140, 140, 4, 32), Art::ROBOT_GREY), {0, 15, 0}), m);
			f.models.push_back(b.Build("teleport pad"));
		}
		{
			ModelBuilder b(f);
			int g = Glow(b, 1111, 0.45f);
			b.Add(At(Colored(Cylinder(60, 40, 400, 16, false), Art::ICE_CYAN), {0, 200, 0}), g);
			f.models.push_back(b.Build("arrival beam"));
		}
		{
			// A funnel on a box with a glowing counter window.
			ModelBuilder b(f);
			int m = Plain(b, 1121), g = Glow(b, 1122);
			b.Add(At(Colored(RoundedBox({180, 140, 140}, 16), Art::ROBOT_BLUE), {0, 70, 0}), m);
			b.Add(At(Colored(Cylinder(40, 100, 90, 16, false), Art::ROBOT_GREY), {0, 185, 0}), m);
			b.Add(At(Colored(Torus(100, 8, 20, 6), Art::GOLD), {0, 230, 0}), m);
			b.Add(At(Colored(Box({110, 40, 6}), Art::ROBOT_VISOR), {0, 80, 72}), g);
			for (float side : {-1.0f, 1.0f})
				b.Add(At(Colored(Sphere(12, 8, 6), Art::ROBOT_ANTENNA), {side * 70, 120, 60}), g);
			f.models.push_back(b.Build("counting hopper"));
		}
		{
			ModelBuilder b(f);
			int g = Glow(b, 1131);
			b.Add(Colored(Sphere(20, 4, 3, false), Art::ROBOT_WHITE), g);
			f.models.push_back(b.Build("background bit"));
		}
		if (int(f.models.size()) != BONUS_NUM_MODELS)
			throw std::logic_error("bonus models out of order");
		return f;
	}

	ModelFile BuildHighScoreModels()
	{
		ModelFile f;
		{
			// Three steps, the winner's in the middle, each topped in its medal colour.
			ModelBuilder b(f);
			int m = Plain(b, 1201);
			struct Step { float x, height; Rgba top; };
			for (const Step& step : {Step{0, 150, Art::GOLD}, Step{-170, 100, SILVER}, Step{170, 60, BRONZE}})
			{
				b.Add(At(Colored(Box({160, step.height, 140}), Art::ROBOT_BLUE), {step.x, step.height * 0.5f, 0}), m);
				b.Add(At(Colored(Box({166, 12, 146}), step.top), {step.x, step.height + 6, 0}), m);
			}
			f.models.push_back(b.Build("podium"));
		}
		{
			ModelBuilder b(f);
			int m = Plain(b, 1211);
			LatheOptions lathe;
			lathe.segments = 16;
			b.Add(Colored(Lathe({{0, 0}, {40, 0}, {40, 10}, {12, 20}, {10, 50}, {45, 70}, {50, 120}, {0, 120}}, lathe), Art::GOLD), m);
			for (float side : {-1.0f, 1.0f})
				b.Add(At(Turned(Colored(Torus(18, 5, 12, 6), Art::GOLD), {PI / 2, 0, 0}), {side * 52, 90, 0}), m);
			f.models.push_back(b.Build("trophy"));
		}
		{
			ModelBuilder b(f);
			int g = Glow(b, 1221);
			b.Add(Colored(Extrude(StarPolygon(5, 30, 12, PI / 2), 8, 1), Art::EXIT_YELLOW), g);
			f.models.push_back(b.Build("star"));
		}
		if (int(f.models.size()) != HIGHSCORES_NUM_MODELS)
			throw std::logic_error("high-score models out of order");
		return f;
	}

	// Glass panels: the face's own alpha shows through.
	constexpr PanelFrameStyle FRAME = {.outline = OUTLINE, .faceInset = 8, .faceAlpha = true};

	// Deep blue glass with a gold rim: the numbers sit on it.
	Image BonusPanel()
	{
		Image img(512, 256);
		PaintPanelFrame(img, 4, 36, {20, 40, 110, 215}, {10, 16, 60, 215}, Art::GOLD, FRAME);
		for (int i = 0; i < 30; i++)
			FillStar(img, 24 + HashFloat(uint32_t(i + 1300)) * 464, 20 + HashFloat(uint32_t(i + 1400)) * 216, 4,
					2 + HashFloat(uint32_t(i + 1500)) * 3, 0.8f, 0, {200, 220, 255, 120});
		return img;
	}

	Image BonusSpark()
	{
		Image img(64, 64);
		Glow(img, 32, 32, 30, {255, 230, 140, 255});
		FillStar(img, 32, 32, 4, 28, 5, 0, {255, 255, 220, 255}, Blend::ADD);
		return img;
	}

	// A dark stage under three spotlights.
	Image HighScoreBackdrop()
	{
		Image img(256, 256);
		VerticalGradient(img, {8, 6, 30, 255}, {30, 16, 60, 255});
		for (int i = 0; i < 3; i++)
		{
			const float x = 48 + float(i) * 80;
			FillPolygon(img, {{x - 10, 0}, {x + 10, 0}, {x + 50, 256}, {x - 50, 256}}, {255, 240, 200, 40}, Blend::ADD);
		}
		for (int i = 0; i < 40; i++)
			FillStar(img, HashFloat(uint32_t(i + 1600)) * 256, HashFloat(uint32_t(i + 1700)) * 160, 4,
					1 + HashFloat(uint32_t(i + 1800)) * 2.5f, 0.7f, 0, {230, 230, 255, 200});
		return img;
	}

	Image HighScorePlate()
	{
		Image img(512, 128);
		PaintPanelFrame(img, 4, 30, {120, 60, 10, 230}, {60, 20, 5, 230}, Art::GOLD, FRAME);
		for (float side : {-1.0f, 1.0f})
			FillStar(img, 256 + side * 210, 64, 5, 24, 10, -PI / 2, Art::EXIT_YELLOW);
		return img;
	}

	void Write(const Bake::Context& context, const char* set, const std::vector<Image>& images, size_t expected)
	{
		if (images.size() != expected)
			throw std::logic_error(std::string("sprite set ") + set + " has " + std::to_string(images.size())
				+ " images, the game loads " + std::to_string(expected));
		Bake::WriteSpriteSet(context, set, images);
	}

	void BakeBonusModels(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(BONUS_MODEL_FILE), BuildBonusModels()); }
	void BakeHighScoreModels(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(HIGHSCORES_MODEL_FILE), BuildHighScoreModels()); }
	void BakeBonusSprites(const Bake::Context& c) { Write(c, BONUS_SPRITE_SET, {BonusPanel(), BonusSpark()}, NUM_BONUS_SPRITES); }
	void BakeHighScoreSprites(const Bake::Context& c) { Write(c, HIGHSCORES_SPRITE_SET, {HighScoreBackdrop(), HighScorePlate()}, NUM_HIGHSCORES_SPRITES); }
}

BAKE_STEP("models/screen-bonus", BakeBonusModels);
BAKE_STEP("models/screen-highscores", BakeHighScoreModels);
BAKE_STEP("sprites/bonus", BakeBonusSprites);
BAKE_STEP("sprites/highscores", BakeHighScoreSprites);
