// The model files of the screens between levels: the main menu (its seven
// turntable choices, the turntable, the title, the floating bits, the things
// that drift across and the information picture), the level intro, the lose
// screen's belt and machine with its captives, and the win screen. Bright,
// chunky, low-poly: the same kit and palette as the levels.
#include "Bake.h"
#include "formats/BG3DWriter.h"
#include "Screens/ScreenModels.h"
#include "kit/Art.h"
#include "kit/Model.h"
#include "kit/Primitives.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace
{
	using namespace Kit;

	constexpr Rgba HUMAN_COLORS[4] = {{90, 160, 255, 255}, {255, 200, 70, 255}, {240, 240, 240, 255}, {240, 110, 190, 255}};

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

	Node TitlePlate(ModelFile& f, const std::string& name, Rgba face, Rgba edge)
	{
		ModelBuilder b(f);
		int m = Plain(b, 381), g = Glow(b, 382);
		b.Add(Colored(Extrude(RoundedRectPolygon(700, 110, 40), 30, 6), edge), m);
		for (int i = 0; i < 9; i++)
			b.Add(At(Colored(Box({48, 60, 10}), face), {-300 + float(i) * 75, 0, 20}), g);
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

	// A captive on the belt: a person with arms thrown up, about 150 tall
	// (300 at the screen's scale 2), so the four kinds read by colour and shape.
	Node Captive(ModelFile& f, int kind)
	{
		constexpr Rgba SKIN = {255, 215, 180, 255};
		constexpr Rgba HAIR[4] = {{90, 50, 20, 255}, {250, 220, 90, 255}, {40, 40, 45, 255}, {200, 60, 30, 255}};
		constexpr Rgba TROUSERS = {60, 70, 110, 255};
		ModelBuilder b(f);
		int m = Plain(b, 600 + uint32_t(kind));
		for (float side : {-1.0f, 1.0f})
		{
			b.Add(At(Colored(Capsule(9, 50, 8, 5), TROUSERS), {side * 12, 30, 0}), m);
			b.Add(At(Turned(Colored(Capsule(7, 46, 8, 5), HUMAN_COLORS[kind]), {0, 0, side * -0.5f}), {side * 34, 118, 0}), m);
			b.Add(At(Colored(Sphere(8, 8, 6), SKIN), {side * 45, 140, 0}), m);
		}
		b.Add(At(Colored(Capsule(22, 48, 10, 6), HUMAN_COLORS[kind]), {0, 88, 0}), m);
		b.Add(At(Colored(Sphere(18, 12, 8), SKIN), {0, 138, 0}), m);
		b.Add(At(Squashed(Colored(Sphere(19, 12, 8), HAIR[kind]), {1, 0.55f, 1}), {0, 148, -3}), m);
		return b.Build("captive " + std::to_string(kind));
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
		for (int k = 0; k < 4; k++)
			f.models.push_back(Captive(f, k));
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
		f.models.push_back(RobotHead(f));
		f.models.back().name = "hero";
		f.models.push_back(TitlePlate(f, "closing title", Art::ROBOT_WHITE, Art::GOLD));
		if (int(f.models.size()) != WINSCREEN_NUM_MODELS)
			throw std::logic_error("win screen models out of order");
		return f;
	}

	void BakeMainMenu(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(MAINMENU_MODEL_FILE), BuildMainMenuModels()); }
	void BakeLevelIntro(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(LEVELINTRO_MODEL_FILE), BuildLevelIntroModels()); }
	void BakeLoseScreen(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(LOSESCREEN_MODEL_FILE), BuildLoseScreenModels()); }
	void BakeWinScreen(const Bake::Context& c) { Bake::WriteBG3DFile(c, Bake::DataFolderPath(WINSCREEN_MODEL_FILE), BuildWinScreenModels()); }
}

BAKE_STEP("models/screen-mainmenu", BakeMainMenu);
BAKE_STEP("models/screen-levelintro", BakeLevelIntro);
BAKE_STEP("models/screen-losescreen", BakeLoseScreen);
BAKE_STEP("models/screen-winscreen", BakeWinScreen);
