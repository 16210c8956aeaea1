// The screens' own sprite sets: "legal" (the frame under the start-up
// notice), "lose" (the banner over the captives and the hold behind them)
// and "winpanel" (a picture for each closing text panel). Bright shapes with
// dark outlines, like the infobar; the words themselves are the game's text.
#include "Bake.h"
#include "Screens/ScreenModels.h"
#include "formats/TGAWriter.h"
#include "kit/Art.h"
#include "kit/Frames.h"
#include "kit/Image.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
	using namespace Kit;

	constexpr float PI = 3.14159265f;
	constexpr Rgba OUTLINE{10, 12, 24, 255};
	constexpr Rgba SKIN{255, 215, 180, 255};

	// A wider rim than the score screens'; the picture keeps its own alpha under the face.
	constexpr PanelFrameStyle FRAME = {.outline = OUTLINE, .faceInset = 9, .faceAlpha = false};

	// The robot's face, as on the turntable: a blue head with a green visor.
	void RobotFace(Image& img, float cx, float cy, float size)
	{
		FillRoundedRect(img, cx - size * 0.55f, cy - size * 0.45f, cx + size * 0.55f, cy + size * 0.5f, size * 0.18f, OUTLINE);
		FillRoundedRect(img, cx - size * 0.5f, cy - size * 0.4f, cx + size * 0.5f, cy + size * 0.45f, size * 0.15f, Art::ROBOT_BLUE);
		FillRoundedRect(img, cx - size * 0.38f, cy - size * 0.15f, cx + size * 0.38f, cy + size * 0.08f, size * 0.08f, Art::ROBOT_VISOR);
		Glow(img, cx, cy - size * 0.04f, size * 0.5f, {120, 255, 170, 120});
		DrawLine(img, cx, cy - size * 0.45f, cx, cy - size * 0.7f, size * 0.05f, Art::ROBOT_GREY);
		FillCircle(img, cx, cy - size * 0.75f, size * 0.09f, Art::ROBOT_ANTENNA);
	}

	// A little person seen from the front, arms up when cheering.
	void Person(Image& img, float cx, float feetY, float height, Rgba shirt, bool cheering)
	{
		const float u = height / 10;
		for (float side : {-1.0f, 1.0f})
		{
			DrawLine(img, cx + side * u * 0.7f, feetY, cx + side * u * 0.6f, feetY - u * 3.5f, u * 1.2f, {60, 70, 110, 255});
			const float handY = cheering ? feetY - u * 9.5f : feetY - u * 3.5f;
			DrawLine(img, cx + side * u * 1.2f, feetY - u * 6.6f, cx + side * u * 2.6f, handY, u * 0.9f, shirt);
			FillCircle(img, cx + side * u * 2.6f, handY, u * 0.6f, SKIN);
		}
		FillRoundedRect(img, cx - u * 1.5f, feetY - u * 7.2f, cx + u * 1.5f, feetY - u * 3.2f, u * 0.8f, shirt);
		FillCircle(img, cx, feetY - u * 8.4f, u * 1.4f, SKIN);
	}

	Image LegalPanel()
	{
		Image img(512, 256);
		PaintPanelFrame(img, 4, 40, {20, 40, 110, 235}, {8, 14, 50, 235}, Art::GOLD, FRAME);
		for (int i = 0; i < 24; i++)
			FillStar(img, 30 + HashFloat(uint32_t(i)) * 452, 24 + HashFloat(uint32_t(i + 100)) * 208, 4,
					2 + HashFloat(uint32_t(i + 200)) * 3, 0.8f, 0, {200, 220, 255, 180});
		RobotFace(img, 256, 58, 56);
		return img;
	}

	Image LoseBanner()
	{
		Image img(512, 128);
		FillRoundedRect(img, 2, 2, 510, 126, 22, OUTLINE);
		Image stripes(512, 128);
		DiagonalStripes(stripes, Art::HAZARD_YELLOW, Art::HAZARD_BLACK, 16);
		Image face(512, 128);
		VerticalGradient(face, {150, 20, 40, 255}, {60, 5, 25, 255});
		MapPixels(img, [&](int x, int y, Rgba old)
		{
			if (old.a == 0)
				return old;
			const bool border = x < 18 || x > 493 || y < 16 || y > 111;
			const bool edge = x < 6 || x > 505 || y < 6 || y > 121;
			if (edge)
				return old;
			Rgba c = border ? stripes.At(x, y) : face.At(x, y);
			c.a = old.a;
			return c;
		});
		Glow(img, 256, 64, 220, {255, 80, 90, 70});
		return img;
	}

	// The hold of the alien ship: purple plates with glowing seams.
	Image LoseBackdrop()
	{
		Image img(256, 256);
		Panels(img, {50, 20, 70, 255}, 4, 4, 3, true, 901);
		Grunge(img, 0.25f, 8, 902);
		for (int i = 1; i < 4; i++)
		{
			DrawLine(img, float(i) * 64, 0, float(i) * 64, 256, 2, {170, 80, 255, 140}, Blend::ADD);
			DrawLine(img, 0, float(i) * 64, 256, float(i) * 64, 2, {170, 80, 255, 140}, Blend::ADD);
		}
		Glow(img, 128, 128, 180, {120, 255, 90, 50});
		return img;
	}

	// Panel 1: the earth with the rescued going home.
	Image WinEarth()
	{
		Image img(256, 256);
		PaintPanelFrame(img, 2, 28, {40, 80, 180, 255}, {10, 20, 70, 255}, Art::ICE_CYAN, FRAME);
		FillCircle(img, 128, 230, 120, OUTLINE);
		FillCircle(img, 128, 232, 116, {50, 140, 255, 255});
		FillCircle(img, 90, 200, 34, {60, 190, 90, 255});
		FillCircle(img, 170, 180, 26, {60, 190, 90, 255});
		const Rgba shirts[4] = {{90, 160, 255, 255}, {255, 200, 70, 255}, {240, 240, 240, 255}, {240, 110, 190, 255}};
		for (int i = 0; i < 4; i++)
			Person(img, 58 + float(i) * 46, 128 + (i % 2) * 6, 70, shirts[i], true);
		Glow(img, 128, 40, 80, {255, 240, 160, 120});
		return img;
	}

	// Panel 2: the robot wearing its medal.
	Image WinRobot()
	{
		Image img(256, 256);
		PaintPanelFrame(img, 2, 28, {255, 210, 90, 255}, {200, 110, 20, 255}, Art::ROBOT_WHITE, FRAME);
		for (int i = 0; i < 12; i++)
		{
			const float a = float(i) * PI / 6;
			DrawLine(img, 128, 120, 128 + std::cos(a) * 140, 120 + std::sin(a) * 140, 14, {255, 240, 180, 90}, Blend::ADD);
		}
		RobotFace(img, 128, 110, 110);
		DrawLine(img, 100, 170, 128, 196, 8, Art::HEALTH_RED);
		DrawLine(img, 156, 170, 128, 196, 8, Art::HEALTH_RED);
		FillCircle(img, 128, 208, 22, OUTLINE);
		FillStar(img, 128, 208, 5, 20, 9, -PI / 2, Art::GOLD);
		return img;
	}

	// Panel 0: the saucers gone, only stars and one shooting star.
	Image WinStars()
	{
		Image img(256, 256);
		PaintPanelFrame(img, 2, 28, {20, 10, 60, 255}, {70, 20, 90, 255}, Art::ALIEN_PURPLE, FRAME);
		for (int i = 0; i < 40; i++)
			FillStar(img, 20 + HashFloat(uint32_t(i + 300)) * 216, 20 + HashFloat(uint32_t(i + 400)) * 216, 4,
					2 + HashFloat(uint32_t(i + 500)) * 4, 1, 0, {255, 255, 220, 220});
		DrawLine(img, 40, 60, 170, 140, 6, {255, 220, 120, 160}, Blend::ADD);
		FillStar(img, 176, 144, 5, 30, 13, -PI / 2, OUTLINE);
		FillStar(img, 176, 144, 5, 26, 11, -PI / 2, Art::EXIT_YELLOW);
		Glow(img, 176, 144, 70, {255, 230, 120, 140});
		return img;
	}

	void Write(const Bake::Context& context, const char* set, const std::vector<Image>& images, size_t expected)
	{
		if (images.size() != expected)
			throw std::logic_error(std::string("sprite set ") + set + " has " + std::to_string(images.size())
				+ " images, the game loads " + std::to_string(expected));
		Bake::WriteSpriteSet(context, set, images);
	}

	void BakeLegal(const Bake::Context& c) { Write(c, LEGAL_SPRITE_SET, {LegalPanel()}, NUM_LEGAL_SPRITES); }
	void BakeLose(const Bake::Context& c) { Write(c, LOSE_SPRITE_SET, {LoseBanner(), LoseBackdrop()}, NUM_LOSE_SPRITES); }
	void BakeWinPanels(const Bake::Context& c) { Write(c, WIN_PANEL_SPRITE_SET, {WinStars(), WinEarth(), WinRobot()}, NUM_WIN_PANEL_SPRITES); }
}

BAKE_STEP("sprites/legal", BakeLegal);
BAKE_STEP("sprites/lose", BakeLose);
BAKE_STEP("sprites/winpanel", BakeWinPanels);
