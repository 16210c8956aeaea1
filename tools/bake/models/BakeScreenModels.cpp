// The model files of the screens between levels: the main menu (its eight
// turntable choices, the turntable, the title, the floating bits, the things
// that drift across and the information picture), the level intro, the lose
// screen's belt and machine, and the win screen. Bright,
// chunky, low-poly: the same kit and palette as the levels.
#include "Bake.h"
#include "formats/BG3DWriter.h"
#include "Screens/ScreenModels.h"
#include "kit/Art.h"
#include "kit/BlockLetters.h"
#include "kit/Model.h"
#include "kit/Primitives.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace
{
	using namespace Kit;

	int Plain(ModelBuilder& b, uint32_t seed) { return b.AddMaterial(Art::Opaque(Art::PlainSurface(16, seed))); }
	int Glow(ModelBuilder& b, uint32_t seed, float alpha = 1.0f) { return b.AddMaterial(Art::Glowing(Art::PlainSurface(16, seed), alpha)); }

	Mesh Colored(Mesh m, Rgba c) { SetColor(m, c); return m; }
	Mesh At(Mesh m, Vec3 p) { Translate(m, p); return m; }
	Mesh Turned(Mesh m, Vec3 radians) { Rotate(m, radians); return m; }
	Mesh Squashed(Mesh m, Vec3 factors) { Scale(m, factors); return m; }

	// A little robot head: the new-game choice.
	Node RobotHead(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 301), g = Glow(b, 302);
		b.Add(Colored(RoundedBox({120, 100, 100}, 20), Art::ROBOT_BLUE), m);
		b.Add(At(Colored(Box({90, 26, 8}), Art::ROBOT_VISOR), {0, 10, 52}), g);
		b.Add(At(Colored(Cylinder(4, 4, 50, 8), Art::ROBOT_GREY), {0, 50, 0}), m);
		b.Add(At(Colored(Sphere(12, 10, 8), Art::ROBOT_ANTENNA), {0, 105, 0}), g);
		return b.Build("choice: new game");
	}

	// A floppy-like save chip: loading a game.
	Node SaveChip(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 311);
		b.Add(Colored(Box({130, 130, 20}), Art::ROBOT_DARK), m);
		b.Add(At(Colored(Box({80, 40, 6}), Art::ROBOT_GREY), {0, 40, 12}), m);
		b.Add(At(Colored(Box({90, 50, 6}), Art::GOLD), {0, -30, 12}), m);
		return b.Build("choice: load game");
	}

	// A glowing "i" badge: the information picture.
	Node InfoBadge(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 321), g = Glow(b, 322);
		b.Add(Colored(Cylinder(70, 70, 20, 24), Art::FUEL_BLUE), m);
		b.Add(At(Colored(Box({22, 70, 10}), Art::ROBOT_WHITE), {0, -10, 14}), g);
		b.Add(At(Colored(Box({22, 22, 10}), Art::ROBOT_WHITE), {0, 45, 14}), g);
		return b.Build("choice: information");
	}

	// A red door: quit.
	Node ExitDoor(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 331);
		b.Add(Colored(Box({90, 150, 16}), Art::HEALTH_RED), m);
		b.Add(At(Colored(Box({110, 12, 22}), Art::ROBOT_DARK), {0, 80, 0}), m);
		b.Add(At(Colored(Sphere(8, 8, 6), Art::GOLD), {30, 0, 12}), m);
		return b.Build("choice: quit");
	}

	// A film reel: the credits.
	Node FilmReel(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 341);
		b.Add(Colored(Turned(Torus(60, 14, 20, 8), {1.5707964f, 0, 0}), Art::ROBOT_GREY), m);
		for (int i = 0; i < 5; i++)
		{
			const float a = float(i) * 6.2831853f / 5;
			b.Add(At(Colored(Cylinder(12, 12, 16, 10), Art::ROBOT_DARK), {std::cos(a) * 32, std::sin(a) * 32, 0}), m);
		}
		return b.Build("choice: credits");
	}

	// A little screen with a glowing play triangle: the replays.
	Node PlayScreen(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 371), g = Glow(b, 372);
		b.Add(Colored(RoundedBox({150, 112, 34}, 14), Art::ROBOT_BLUE), m);
		b.Add(At(Colored(Box({124, 86, 8}), Art::ROBOT_DARK), {0, 0, 16}), m);
		// A three-sided cylinder on its side is the triangle; turned so a corner points right.
		Mesh triangle = Turned(Turned(Cylinder(34, 34, 8, 3, true, false), {1.5707964f, 0, 0}), {0, 0, 1.5707964f});
		b.Add(At(Colored(triangle, Art::ROBOT_ANTENNA), {6, 0, 22}), g);
		return b.Build("choice: replays");
	}

	// A trophy: the high scores.
	Node Trophy(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 351);
		LatheOptions o;
		o.segments = 16;
		b.Add(Colored(Lathe({{0, -70}, {45, -70}, {45, -58}, {14, -50}, {10, -10}, {50, 20}, {60, 70}, {0, 70}}, o), Art::GOLD), m);
		b.Add(At(Colored(Torus(18, 5, 12, 6), Art::GOLD), {-58, 35, 0}), m);
		b.Add(At(Colored(Torus(18, 5, 12, 6), Art::GOLD), {58, 35, 0}), m);
		return b.Build("choice: high scores");
	}

	// A cog: the settings.
	Node Cog(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 361);
		b.Add(Colored(Extrude(StarPolygon(10, 75, 58), 24, 3), Art::HAZARD_YELLOW), m);
		b.Add(At(Colored(Cylinder(22, 22, 30, 16), Art::ROBOT_DARK), {0, 0, 0}), m);
		return b.Build("choice: settings");
	}

	Node Turntable(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 371);
		b.Add(Colored(Cylinder(560, 560, 30, 40), Art::ROBOT_DARK), m);
		b.Add(At(Colored(Cylinder(540, 540, 6, 40), Art::ALIEN_PURPLE), {0, 16, 0}), m);
		return b.Build("turntable");
	}

	// The game's name as a sign: chunky block letters standing proud of a
	// rounded plate, each with a dark shadow on the plate under it so the
	// lettering reads however small the window draws it.
	constexpr const char* GAME_NAME_LETTERING = "ZAPPATRON";
	constexpr float TITLE_PLATE_DEPTH = 30;

	Node TitlePlate(ModelFile& f, const std::string& name, Rgba face, Rgba edge)
	{
		ModelBuilder b(f);
		int m = Plain(b, 381);
		BlockTextStyle letters;
		letters.height = 84;
		letters.width = 62;
		letters.stroke = 19;
		letters.spacing = 13;
		const float plateW = BlockTextWidth(GAME_NAME_LETTERING, letters) + 90;
		b.Add(Colored(Extrude(RoundedRectPolygon(plateW, letters.height + 44, 40), TITLE_PLATE_DEPTH, 6), edge), m);
		const float front = TITLE_PLATE_DEPTH * 0.5f;
		b.Add(At(Colored(BlockText(GAME_NAME_LETTERING, letters), Art::ROBOT_DARK), {6, -6, front + 2}), m);
		b.Add(At(Colored(BlockText(GAME_NAME_LETTERING, letters), face), {0, 0, front + letters.depth * 0.5f + 2}), m);
		return b.Build(name);
	}

	Node BackgroundBit(ModelFile& f)
	{
		ModelBuilder b(f);
		int g = Glow(b, 391);
		b.Add(Colored(Extrude(StarPolygon(5, 60, 26), 14), Art::ROBOT_WHITE), g);
		return b.Build("background bit");
	}

	Node Drifter(ModelFile& f, int i)
	{
		ModelBuilder b(f);
		int m = Plain(b, 400 + uint32_t(i)), g = Glow(b, 420 + uint32_t(i));
		const Rgba colors[5] = {Art::ALIEN_GREEN, Art::ICE_CYAN, Art::FLARE_ORANGE, Art::ALIEN_PURPLE, Art::EXIT_YELLOW};
		const Rgba c = colors[i % 5];
		if (i % 2 == 0)
		{
			// A tiny saucer.
			b.Add(Colored(Squashed(Sphere(90, 16, 8), {1, 0.3f, 1}), Art::ROBOT_GREY), m);
			b.Add(At(Colored(Sphere(40, 12, 8), c), {0, 20, 0}), g);
		}
		else
		{
			// An atom with its ring.
			b.Add(Colored(Sphere(45, 12, 8), c), g);
			b.Add(Colored(Torus(80, 6, 20, 6), Art::ROBOT_WHITE), m);
		}
		return b.Build("drifter " + std::to_string(i));
	}

	Node InfoPicture(ModelFile& f)
	{
		ModelBuilder b(f);
		int m = Plain(b, 441);
		b.Add(Colored(Extrude(RoundedRectPolygon(520, 320, 30), 10, 4), {30, 40, 80, 255}), m);
		// A little map of the robot's controls: stick, buttons, their round
		// faces turned to the viewer.
		const Vec3 faceOut = {1.5707964f, 0, 0};
		b.Add(At(Turned(Colored(Cylinder(50, 50, 16, 20), Art::ROBOT_GREY), faceOut), {-150, 0, 12}), m);
		b.Add(At(Colored(Sphere(24, 10, 8), Art::ROBOT_DARK), {-150, 0, 30}), m);
		const Rgba buttons[4] = {Art::ALIEN_GREEN, Art::HEALTH_RED, Art::FUEL_BLUE, Art::EXIT_YELLOW};
		const Vec3 places[4] = {{150, -40, 12}, {190, 0, 12}, {110, 0, 12}, {150, 40, 12}};
		for (int i = 0; i < 4; i++)
			b.Add(At(Turned(Colored(Cylinder(18, 18, 12, 14), buttons[i]), faceOut), places[i]), m);
		return b.Build("information picture");
	}

	Node InfoGlow(ModelFile& f)
	{
		ModelBuilder b(f);
		int g = Glow(b, 451, 0.6f);
		b.Add(Colored(Quad(600, 400), Art::ICE_CYAN), g);
		return b.Build("information glow");
	}

	ModelFile BuildMainMenuModels()
	{
		ModelFile f;
		f.models.push_back(RobotHead(f));
		f.models.push_back(SaveChip(f));
		f.models.push_back(InfoBadge(f));
		f.models.push_back(ExitDoor(f));
		f.models.push_back(FilmReel(f));
		f.models.push_back(Trophy(f));
		f.models.push_back(Cog(f));
		f.models.push_back(Turntable(f));
		f.models.push_back(TitlePlate(f, "title", Art::EXIT_YELLOW, Art::ROBOT_BLUE));
		f.models.push_back(BackgroundBit(f));		// 9: a spare bit
		f.models.push_back(BackgroundBit(f));		// 10
		for (int i = 0; i < MAINMENU_NUM_DRIFTERS; i++)
			f.models.push_back(Drifter(f, i));
		f.models.push_back(InfoPicture(f));
		f.models.push_back(InfoGlow(f));
		f.models.push_back(PlayScreen(f));
		if (int(f.models.size()) != MAINMENU_NUM_MODELS)
			throw std::logic_error("main menu models out of order");
		return f;
	}

	ModelFile BuildLevelIntroModels()
	{
		ModelFile f;
		{
			ModelBuilder b(f);
			int m = Plain(b, 501);
			Mesh planet = Sphere(300, 24, 16, false);
			GradientColor(planet, {40, 120, 60, 255}, {90, 170, 255, 255});
			b.Add(planet, m);
			f.models.push_back(b.Build("intro planet"));
		}
		f.models.push_back(Drifter(f, 0));
		f.models.back().name = "intro saucer";
		return f;
	}

	ModelFile BuildLoseScreenModels()
	{
		ModelFile f;
		{
			ModelBuilder b(f);
			int m = Plain(b, 611), s = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 6)));
			b.Add(Colored(Box({1500, 20, 160}), Art::ROBOT_DARK), m);
			for (int i = 0; i < 12; i++)
				b.Add(At(Colored(Cylinder(14, 14, 170, 10), Art::ROBOT_GREY), {-700 + float(i) * 127, -14, 0}), m);
			Mesh rim = Box({1500, 8, 10});
			BoxUV(rim, 0.01f);
			b.Add(At(rim, {0, 14, 82}), s);
			f.models.push_back(b.Build("conveyor belt"));
		}
		{
			ModelBuilder b(f);
			int m = Plain(b, 621), g = Glow(b, 622);
			b.Add(At(Colored(RoundedBox({300, 360, 260}, 30), Art::ALIEN_PURPLE), {0, 180, 0}), m);
			b.Add(At(Colored(Box({160, 130, 20}), {20, 20, 30, 255}), {-150, 80, 0}), m);
			b.Add(At(Colored(Sphere(40, 12, 8), Art::ALIEN_GREEN), {0, 400, 0}), g);
			f.models.push_back(b.Build("alien machine"));
		}
		if (int(f.models.size()) != LOSESCREEN_NUM_MODELS)
			throw std::logic_error("lose screen models out of order");
		return f;
	}

	ModelFile BuildWinScreenModels()
	{
		ModelFile f;
		{
			ModelBuilder b(f);
			int m = Plain(b, 701);
			Mesh earth = Sphere(420, 28, 18, false);
			GradientColor(earth, {40, 170, 80, 255}, {60, 130, 255, 255});
			b.Add(earth, m);
			f.models.push_back(b.Build("earth"));
		}
		f.models.push_back(TitlePlate(f, "closing title", Art::ROBOT_WHITE, Art::GOLD));
		{
			ModelBuilder b(f);
			int g = Glow(b, 711);
			b.Add(Colored(Extrude(StarPolygon(4, 30, 9), 4), Art::ROBOT_WHITE), g);
			f.models.push_back(b.Build("star"));
		}
		{
			// The raiders' saucer: a purple hull, a green dome, a ring of lights.
			ModelBuilder b(f);
			int m = Plain(b, 721), g = Glow(b, 722);
			b.Add(Colored(Squashed(Sphere(110, 18, 8), {1, 0.28f, 1}), Art::ALIEN_PURPLE), m);
			b.Add(At(Colored(Sphere(45, 14, 8), Art::ALIEN_GREEN), {0, 22, 0}), g);
			for (int i = 0; i < 8; i++)
			{
				const float a = float(i) * 6.2831853f / 8;
				b.Add(At(Colored(Sphere(9, 8, 6), Art::EXIT_YELLOW), {std::cos(a) * 92, -6, std::sin(a) * 92}), g);
			}
			f.models.push_back(b.Build("alien saucer"));
		}
		{
			ModelBuilder b(f);
			int g = Glow(b, 731);
			b.Add(Colored(Sphere(12, 8, 6), Art::ROBOT_WHITE), g);
			f.models.push_back(b.Build("firework spark"));
		}
		{
			// Home: a round green hill with three small houses on its shoulders.
			ModelBuilder b(f);
			int m = Plain(b, 741);
			Mesh hill = Squashed(Sphere(520, 24, 12), {1, 0.32f, 0.55f});
			GradientColor(hill, {40, 120, 40, 255}, {110, 200, 80, 255});
			b.Add(hill, m);
			const Vec3 houses[3] = {{-360, 110, -60}, {330, 120, -80}, {-120, 150, -190}};
			const Rgba walls[3] = {{250, 235, 200, 255}, {240, 200, 160, 255}, {230, 230, 240, 255}};
			for (int i = 0; i < 3; i++)
			{
				b.Add(At(Colored(Box({90, 70, 80}), walls[i]), houses[i]), m);
				Mesh roof = Cylinder(72, 0, 55, 4, true, false);
				Rotate(roof, {0, 0.785f, 0});
				b.Add(At(Colored(roof, Art::HEALTH_RED), {houses[i].x, houses[i].y + 62, houses[i].z}), m);
				b.Add(At(Colored(Box({22, 34, 4}), Art::ROBOT_DARK), {houses[i].x, houses[i].y - 18, houses[i].z + 41}), m);
			}
			f.models.push_back(b.Build("home hill"));
		}
		if (int(f.models.size()) != WINSCREEN_NUM_MODELS)
			throw std::logic_error("win screen models out of order");
		return f;
	}

	// A night clearing in the jungle, in the jungle levels' greens gone dark.
	ModelFile BuildJungleWakesModels()
	{
		constexpr Rgba BARK = {92, 62, 40, 255};
		constexpr Rgba LEAF_DARK = {30, 110, 50, 255};
		constexpr Rgba LEAF_LIGHT = {70, 170, 60, 255};
		constexpr Rgba SOIL = {70, 50, 36, 255};
		ModelFile f;
		{
			ModelBuilder b(f);
			int m = Plain(b, 801);
			Mesh ground = Cylinder(1600, 1600, 20, 40);
			GradientColor(ground, {24, 60, 30, 255}, {40, 96, 44, 255});
			b.Add(At(ground, {0, -10, 0}), m);
			f.models.push_back(b.Build("clearing"));
		}
		for (int kind = 0; kind < JUNGLEWAKES_NUM_TREES; kind++)
		{
			// A leaning trunk under clumps of leaves; the second kind is a palm.
			ModelBuilder b(f);
			int m = Plain(b, 811 + uint32_t(kind));
			const float h = kind == 0 ? 520.0f : 640.0f;
			b.Add(At(Turned(Colored(Cylinder(34, 20, h, 10), BARK), {0, 0, kind == 0 ? 0.08f : -0.12f}), {0, h * 0.5f, 0}), m);
			if (kind == 0)
			{
				const Vec3 clumps[4] = {{0, h + 40, 0}, {-90, h - 30, 30}, {95, h - 10, -20}, {10, h - 60, 90}};
				for (int i = 0; i < 4; i++)
					b.Add(At(Colored(Squashed(Sphere(120 - float(i) * 12, 10, 7), {1, 0.7f, 1}), i % 2 ? LEAF_LIGHT : LEAF_DARK),
								clumps[i]), m);
			}
			else
			{
				for (int i = 0; i < 7; i++)
				{
					const float a = float(i) * 6.2831853f / 7;
					Mesh frond = Squashed(Sphere(150, 8, 5), {1, 0.12f, 0.3f});
					Rotate(frond, {0, 0, -0.45f});
					Translate(frond, {120, 0, 0});
					Rotate(frond, {0, a, 0});
					b.Add(At(Colored(frond, i % 2 ? LEAF_LIGHT : LEAF_DARK), {-70, h, 0}), m);
				}
			}
			f.models.push_back(b.Build("jungle tree " + std::to_string(kind)));
		}
		{
			ModelBuilder b(f);
			int m = Plain(b, 821);
			for (int i = 0; i < 6; i++)
			{
				const float a = float(i) * 6.2831853f / 6 + 0.3f;
				Mesh leaf = Squashed(Sphere(70, 8, 5), {1, 0.15f, 0.35f});
				Rotate(leaf, {0, 0, 0.6f});
				Translate(leaf, {55, 30, 0});
				Rotate(leaf, {0, a, 0});
				b.Add(Colored(leaf, i % 2 ? LEAF_LIGHT : LEAF_DARK), m);
			}
			f.models.push_back(b.Build("fern"));
		}
		{
			ModelBuilder b(f);
			int g = Glow(b, 831);
			b.Add(Colored(Sphere(7, 8, 6), {230, 255, 120, 255}), g);
			f.models.push_back(b.Build("firefly"));
		}
		{
			ModelBuilder b(f);
			int g = Glow(b, 841);
			b.Add(Colored(Cylinder(160, 160, 4, 32), {235, 240, 200, 255}), g);
			f.models.push_back(b.Build("moon"));
		}
		{
			ModelBuilder b(f);
			int m = Plain(b, 851);
			b.Add(Colored(Squashed(Sphere(260, 16, 8), {1, 0.35f, 1}), SOIL), m);
			for (int i = 0; i < 5; i++)
			{
				const float a = float(i) * 6.2831853f / 5;
				b.Add(At(Turned(Colored(Box({70, 40, 50}), SOIL), {0.3f, a, 0.5f}), {std::cos(a) * 230, 30, std::sin(a) * 230}), m);
			}
			f.models.push_back(b.Build("mound"));
		}
		if (int(f.models.size()) != JUNGLEWAKES_NUM_MODELS)
			throw std::logic_error("jungle scene models out of order");
		return f;
	}

	void BakeMainMenu(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(MAINMENU_MODEL_FILE), BuildMainMenuModels()); }
	void BakeLevelIntro(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(LEVELINTRO_MODEL_FILE), BuildLevelIntroModels()); }
	void BakeLoseScreen(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(LOSESCREEN_MODEL_FILE), BuildLoseScreenModels()); }
	void BakeWinScreen(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(WINSCREEN_MODEL_FILE), BuildWinScreenModels()); }
	void BakeJungleWakes(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(JUNGLEWAKES_MODEL_FILE), BuildJungleWakesModels()); }
}

BAKE_STEP("models/screen-mainmenu", BakeMainMenu);
BAKE_STEP("models/screen-levelintro", BakeLevelIntro);
BAKE_STEP("models/screen-losescreen", BakeLoseScreen);
BAKE_STEP("models/screen-winscreen", BakeWinScreen);
BAKE_STEP("models/screen-junglewakes", BakeJungleWakes);
