// "infobar": the in-play overlay's pieces: icons, gauges, weapon slots,
// digits, saucer beam gauges and the rescue counters.
#include "sprites/BakeSprites.h"
#include "formats/FontBaker.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"

#include <cmath>
#include <stdexcept>

namespace Sprites
{
	using namespace Kit;

	namespace
	{
		const Rgba OUTLINE{16, 18, 36, 255};
		const Rgba PANEL{28, 40, 78, 215};
		const Rgba PANEL_EDGE{120, 190, 255, 255};
		const Rgba WHITE{255, 255, 255, 255};

		// Icons get a dark rim and a soft shadow so they read over any scene.
		Image Finish(Image img, float rim = 2.0f)
		{
			Outline(img, rim, OUTLINE);
			DropShadow(img, 2, 3, 2, {0, 0, 0, 120});
			return img;
		}

		void Shine(Image& img, float cx, float cy, float r)
		{
			Glow(img, cx, cy, r, {255, 255, 255, 200}, 2.0f, Blend::OVER);
		}

		Image AtomIcon(Rgba color)
		{
			Image img(64, 64);
			FillCircle(img, 32, 32, 11, color);
			Shine(img, 28, 28, 6);
			for (int i = 0; i < 3; i++)
			{
				// Orbits as thin tilted ellipses.
				float a = i * Kit::PI / 3;
				std::vector<Vec2> pts;
				for (int k = 0; k < 48; k++)
				{
					float t = k * 2 * Kit::PI / 48;
					float ex = 26 * std::cos(t), ey = 9 * std::sin(t);
					pts.push_back({32 + ex * std::cos(a) - ey * std::sin(a), 32 + ex * std::sin(a) + ey * std::cos(a)});
				}
				for (size_t k = 0; k < pts.size(); k++)
				{
					Vec2 p = pts[k], q = pts[(k + 1) % pts.size()];
					DrawLine(img, p.x, p.y, q.x, q.y, 2.2f, Mix(color, WHITE, 0.5f));
				}
			}
			return Finish(img);
		}

		Image FlagIcon()
		{
			Image img(64, 64);
			FillRect(img, 17, 8, 21, 58, Art::ROBOT_WHITE);
			FillPolygon(img, {{21, 9}, {52, 19}, {21, 30}}, {60, 220, 90, 255});
			FillCircle(img, 19, 8, 3.5f, Art::GOLD);
			FillRoundedRect(img, 10, 54, 28, 60, 2, Art::ROBOT_DARK);
			return Finish(img);
		}

		// A bust: head and shoulders of a person.
		Image Person(Rgba skin, Rgba shirt, Rgba hair, const std::function<void(Image&)>& extra)
		{
			Image img(64, 64);
			FillRoundedRect(img, 12, 42, 52, 70, 14, shirt);
			FillCircle(img, 32, 28, 14, skin);
			FillCircle(img, 32, 17, 11, hair);
			FillRect(img, 20, 15, 44, 22, hair);
			FillCircle(img, 27, 29, 2, OUTLINE);
			FillCircle(img, 37, 29, 2, OUTLINE);
			DrawLine(img, 28, 36, 36, 36, 1.6f, {150, 60, 60, 255});
			if (extra)
				extra(img);
			return Finish(img);
		}

		Image SaucerIcon()
		{
			Image img(64, 64);
			FillCircle(img, 32, 28, 13, {140, 200, 255, 255});
			Shine(img, 28, 23, 5);
			FillRoundedRect(img, 4, 30, 60, 40, 5, {200, 206, 220, 255});
			FillRect(img, 4, 33, 60, 36, Art::GOLD);
			for (int i = 0; i < 5; i++)
				FillCircle(img, 10 + i * 11.0f, 42, 2.5f, Art::EXIT_YELLOW);
			FillPolygon(img, {{22, 44}, {42, 44}, {52, 62}, {12, 62}}, {120, 220, 255, 120});
			return Finish(img);
		}

		Image WarningIcon()
		{
			Image img(64, 64);
			FillPolygon(img, {{32, 5}, {60, 56}, {4, 56}}, Art::HAZARD_YELLOW);
			FillRoundedRect(img, 29, 20, 35, 42, 2, Art::HAZARD_BLACK);
			FillCircle(img, 32, 48, 3.5f, Art::HAZARD_BLACK);
			return Finish(img);
		}

		Image ClockIcon()
		{
			Image img(64, 64);
			FillCircle(img, 32, 32, 26, Art::ROBOT_WHITE);
			FillRing(img, 32, 32, 23, 27, Art::ROBOT_BLUE);
			for (int i = 0; i < 12; i++)
			{
				float a = i * Kit::PI / 6;
				FillCircle(img, 32 + 18 * std::cos(a), 32 + 18 * std::sin(a), 1.6f, OUTLINE);
			}
			DrawLine(img, 32, 32, 32, 16, 3, OUTLINE);
			DrawLine(img, 32, 32, 43, 36, 3, OUTLINE);
			return Finish(img);
		}

		// Weapon icons, pointing right.
		Image WeaponIcon(int type)
		{
			Image img(64, 64);
			switch (type)
			{
				case 0:		// stun gun
					FillRoundedRect(img, 18, 36, 28, 56, 3, Art::ROBOT_DARK);
					FillRoundedRect(img, 8, 22, 44, 38, 5, Art::HAZARD_YELLOW);
					FillRect(img, 18, 22, 22, 38, Art::HAZARD_BLACK);
					FillRect(img, 28, 22, 32, 38, Art::HAZARD_BLACK);
					FillRect(img, 44, 26, 56, 34, Art::ROBOT_GREY);
					for (float x : {46.0f, 51.0f})
						FillRoundedRect(img, x, 22, x + 3, 38, 1.5f, {60, 160, 255, 255});
					Glow(img, 58, 30, 8, {160, 220, 255, 255}, 1.5f, Blend::ADD);
					break;
				case 1:		// freeze gun
					FillRoundedRect(img, 18, 36, 28, 56, 3, Art::ROBOT_DARK);
					FillRoundedRect(img, 8, 24, 46, 36, 5, Art::ROBOT_WHITE);
					FillCircle(img, 16, 18, 10, Art::ICE_CYAN);
					Shine(img, 13, 15, 4);
					FillPolygon(img, {{46, 24}, {58, 18}, {58, 42}, {46, 36}}, {90, 200, 255, 255});
					for (int i = 0; i < 3; i++)
					{
						float a = i * Kit::PI / 3;
						DrawLine(img, 54 - 7 * std::cos(a), 30 - 7 * std::sin(a), 54 + 7 * std::cos(a), 30 + 7 * std::sin(a), 2, WHITE);
					}
					break;
				case 2:		// arc shot
					FillRoundedRect(img, 18, 36, 28, 56, 3, Art::ROBOT_DARK);
					FillRoundedRect(img, 6, 24, 40, 37, 6, Art::ALIEN_PURPLE);
					FillRect(img, 40, 28, 48, 33, Art::ROBOT_GREY);
					FillStar(img, 52, 30, 6, 12, 6, 0, Art::ALIEN_GREEN);
					FillCircle(img, 52, 30, 4, {230, 255, 200, 255});
					break;
				case 3:		// growth flask
					FillCircle(img, 32, 40, 18, Art::ALIEN_GREEN);
					FillRect(img, 27, 8, 37, 26, {200, 230, 250, 255});
					FillRect(img, 26, 4, 38, 10, {150, 90, 40, 255});
					Shine(img, 25, 34, 7);
					DrawLine(img, 18, 44, 46, 44, 2, {60, 170, 30, 255});
					break;
				case 4:		// flare gun
					FillRoundedRect(img, 14, 34, 25, 56, 3, Art::HEALTH_RED);
					FillRoundedRect(img, 10, 22, 30, 38, 4, Art::HEALTH_RED);
					FillRoundedRect(img, 28, 19, 54, 41, 4, Art::FLARE_ORANGE);
					FillRoundedRect(img, 52, 17, 58, 43, 2, Art::ROBOT_DARK);
					Glow(img, 58, 30, 10, {255, 220, 90, 255}, 1.5f, Blend::ADD);
					break;
				case 5:		// fist
					FillRoundedRect(img, 6, 20, 22, 44, 3, Art::ROBOT_BLUE);
					FillRect(img, 20, 19, 24, 45, Art::GOLD);
					FillRoundedRect(img, 23, 16, 54, 48, 9, Art::ROBOT_GREY);
					for (int i = 0; i < 3; i++)
						FillCircle(img, 52, 22 + i * 10.0f, 5, Art::ROBOT_WHITE);
					FillRoundedRect(img, 24, 36, 44, 46, 4, Art::ROBOT_WHITE);
					break;
				case 6:		// nova
					Glow(img, 32, 32, 30, {80, 150, 255, 255}, 1.5f, Blend::ADD);
					FillCircle(img, 32, 32, 13, {210, 235, 255, 255});
					FillRing(img, 32, 32, 19, 22, {255, 220, 80, 255});
					for (int i = 0; i < 6; i++)
					{
						float a = i * Kit::PI / 3 + 0.3f;
						DrawLine(img, 32 + 14 * std::cos(a), 32 + 14 * std::sin(a), 32 + 29 * std::cos(a + 0.2f), 32 + 29 * std::sin(a + 0.2f), 2, WHITE);
					}
					break;
				case 7:		// dart
					DrawLine(img, 12, 52, 46, 18, 4, Art::ROBOT_GREY);
					FillPolygon(img, {{44, 14}, {58, 6}, {50, 20}}, Art::GOLD);
					FillPolygon(img, {{8, 44}, {18, 48}, {10, 58}}, Art::HEALTH_RED);
					FillPolygon(img, {{18, 56}, {14, 46}, {4, 52}}, Art::HEALTH_RED);
					FillRect(img, 26, 36, 32, 42, Art::HEALTH_RED);
					break;
			}
			return Finish(img);
		}

		Image Corner()
		{
			Image img(128, 128);
			FillRoundedRect(img, -40, -40, 118, 104, 36, PANEL_EDGE);
			FillRoundedRect(img, -40, -40, 114, 100, 33, PANEL);
			FillCircle(img, 61, 56, 36, {10, 16, 36, 235});
			FillRing(img, 61, 56, 36, 39, PANEL_EDGE);
			for (Vec2 p : {Vec2{104, 10}, Vec2{10, 92}, Vec2{104, 90}})
			{
				FillCircle(img, p.x, p.y, 4, {200, 210, 230, 255});
				FillCircle(img, p.x - 1, p.y - 1, 1.5f, WHITE);
			}
			return img;
		}

		Image Mirrored(const Image& src)
		{
			Image out(src.width, src.height);
			for (int y = 0; y < src.height; y++)
				for (int x = 0; x < src.width; x++)
					out.At(x, y) = src.At(src.width - 1 - x, y);
			return out;
		}

		Image LifeIcon()
		{
			Image img(64, 64);
			FillCircle(img, 44, 8, 4, Art::ROBOT_ANTENNA);
			FillRect(img, 42, 10, 45, 20, Art::ROBOT_GREY);
			FillRoundedRect(img, 12, 18, 52, 54, 10, Art::ROBOT_BLUE);
			FillRoundedRect(img, 16, 28, 48, 44, 4, Art::ROBOT_WHITE);
			FillRoundedRect(img, 19, 31, 45, 39, 3, Art::ROBOT_VISOR);
			FillRoundedRect(img, 6, 30, 13, 42, 3, Art::GOLD);
			FillRoundedRect(img, 51, 30, 58, 42, 3, Art::GOLD);
			Shine(img, 22, 23, 6);
			return Finish(img);
		}

		// Gauge fill: a glowing disc with a symbol, drawn additively.
		Image Fill(Rgba color, int symbol)
		{
			Image img(64, 64);
			Glow(img, 32, 32, 32, color, 1.2f, Blend::ADD);
			FillCircle(img, 32, 32, 24, Mix(color, WHITE, 0.15f));
			Glow(img, 26, 25, 14, {255, 255, 255, 160}, 2, Blend::ADD);
			Rgba mark = Mix(color, WHITE, 0.8f);
			if (symbol == 0)		// cross
			{
				FillRect(img, 28, 18, 36, 46, mark);
				FillRect(img, 18, 28, 46, 36, mark);
			}
			else if (symbol == 1)	// star
				FillStar(img, 32, 33, 5, 14, 6, 0, mark);
			else					// flame
			{
				FillCircle(img, 32, 38, 8, mark);
				FillPolygon(img, {{32, 16}, {40, 36}, {24, 36}}, mark);
			}
			return img;
		}

		Image GaugeFrame()
		{
			Image img(64, 64);
			FillRing(img, 32, 32, 25, 31, {190, 200, 220, 255});
			FillRing(img, 32, 32, 25, 27, {90, 100, 130, 255});
			for (int i = 0; i < 8; i++)
			{
				float a = i * Kit::PI / 4;
				FillCircle(img, 32 + 28 * std::cos(a), 32 + 28 * std::sin(a), i == 0 ? 3.5f : 2, i == 0 ? Art::GOLD : PANEL_EDGE);
			}
			Outline(img, 1.2f, OUTLINE);
			return img;
		}

		Image WeaponSlot()
		{
			// A tab hanging from the top; the icon sits in the window.
			Image img(128, 128);
			FillRoundedRect(img, 12, -30, 116, 126, 22, PANEL_EDGE);
			FillRoundedRect(img, 15, -30, 113, 123, 20, PANEL);
			FillCircle(img, 63, 89, 36, {10, 16, 36, 235});
			FillRing(img, 63, 89, 36, 39, {90, 140, 220, 255});
			return img;
		}

		Image SlotMarker()
		{
			Image img(64, 64);
			FillPolygon(img, {{32, 4}, {58, 32}, {32, 60}, {6, 32}}, Art::GOLD);
			FillPolygon(img, {{32, 12}, {48, 32}, {32, 52}, {16, 32}}, {255, 236, 140, 255});
			Shine(img, 27, 24, 8);
			return Finish(img);
		}

		Image Digit(const std::string& font, int d)
		{
			Image glyph = Bake::RenderGlyph(font, uint32_t('0' + d), 52);
			Image img(64, 64);
			float x = (64 - glyph.width) / 2.0f, y = (64 - glyph.height) / 2.0f;
			DrawImage(img, glyph, std::round(x), std::round(y), float(glyph.width), float(glyph.height));
			Outline(img, 3, OUTLINE);
			return img;
		}

		Image BeamGauge(Rgba color, bool tractor)
		{
			Image img(256, 64);
			FillRoundedRect(img, 2, 6, 254, 58, 24, PANEL_EDGE);
			FillRoundedRect(img, 5, 9, 251, 55, 21, PANEL);
			FillRoundedRect(img, 62, 22, 244, 42, 8, {10, 16, 36, 235});
			FillCircle(img, 32, 32, 20, Shade(color, 0.5f));
			if (tractor)
			{
				FillRoundedRect(img, 18, 18, 46, 25, 3, {210, 216, 228, 255});
				FillPolygon(img, {{26, 25}, {38, 25}, {44, 46}, {20, 46}}, Mix(color, WHITE, 0.3f));
			}
			else
				FillStar(img, 32, 32, 8, 16, 7, 0, Mix(color, WHITE, 0.3f));
			return img;
		}

		Image BeamBar(Rgba color)
		{
			Image img(64, 16);
			for (int y = 0; y < 16; y++)
				for (int x = 0; x < 64; x++)
				{
					float d = std::fabs(y + 0.5f - 8) / 8;
					// A hot core line with a shimmer along the bar.
					float shimmer = 0.85f + 0.15f * std::sin(x * 2 * Kit::PI / 16);
					Rgba c = Mix(WHITE, color, std::min(1.0f, d * 1.6f));
					c.a = uint8_t(255 * std::clamp((1.2f - d) * shimmer, 0.0f, 1.0f));
					img.At(x, y) = c;
				}
			return img;
		}

		Image CounterPanel(bool bottom)
		{
			Image img(128, 128);
			if (bottom)		// rises from the bottom edge
			{
				FillRoundedRect(img, 8, 20, 120, 160, 22, PANEL_EDGE);
				FillRoundedRect(img, 11, 23, 117, 160, 20, PANEL);
			}
			else			// juts in from the right edge
			{
				FillRoundedRect(img, 10, 12, 160, 116, 22, PANEL_EDGE);
				FillRoundedRect(img, 13, 15, 160, 113, 20, PANEL);
			}
			return img;
		}
	}

	std::vector<Image> Infobar()
	{
		std::vector<Image> s(NUM_INFOBAR_SPRITES);
		s[INFOBAR_SPRITE_HEALTH_ATOM_ICON] = AtomIcon(Art::HEALTH_RED);
		s[INFOBAR_SPRITE_FUEL_ATOM_ICON] = AtomIcon(Art::FUEL_BLUE);
		s[INFOBAR_SPRITE_EXIT_ATOM_ICON] = AtomIcon(Art::EXIT_YELLOW);
		s[INFOBAR_SPRITE_CHECKPOINT_ICON] = FlagIcon();
		s[INFOBAR_SPRITE_HUMAN_ICON] = Person({240, 200, 160, 255}, {90, 160, 90, 255}, {110, 70, 40, 255}, nullptr);
		s[INFOBAR_SPRITE_SAUCER_ICON] = SaucerIcon();
		s[INFOBAR_SPRITE_WARNING_ICON] = WarningIcon();
		s[INFOBAR_SPRITE_CLOCK_ICON] = ClockIcon();
		for (int w = 0; w < 8; w++)
			s[size_t(INFOBAR_SPRITE_WEAPON_ICON + w)] = WeaponIcon(w);
		s[INFOBAR_SPRITE_CORNER_LEFT] = Corner();
		s[INFOBAR_SPRITE_CORNER_RIGHT] = Mirrored(s[INFOBAR_SPRITE_CORNER_LEFT]);
		s[INFOBAR_SPRITE_LIFE] = LifeIcon();
		s[INFOBAR_SPRITE_HEALTH_FILL] = Fill(Art::HEALTH_RED, 0);
		s[INFOBAR_SPRITE_GOAL_FILL] = Fill(Art::EXIT_YELLOW, 1);
		s[INFOBAR_SPRITE_FUEL_FILL] = Fill(Art::FUEL_BLUE, 2);
		s[INFOBAR_SPRITE_GAUGE_FRAME] = GaugeFrame();
		s[INFOBAR_SPRITE_WEAPON_SLOT] = WeaponSlot();
		s[INFOBAR_SPRITE_SLOT_MARKER] = SlotMarker();
		std::string font = Bake::FindFontFile();
		for (int d = 0; d < 10; d++)
			s[size_t(INFOBAR_SPRITE_DIGIT_0 + d)] = Digit(font, d);
		s[INFOBAR_SPRITE_BEAM_GAUGE_TRACTOR] = BeamGauge({80, 255, 120, 255}, true);
		s[INFOBAR_SPRITE_BEAM_GAUGE_DESTROY] = BeamGauge({255, 80, 60, 255}, false);
		s[INFOBAR_SPRITE_BEAM_BAR_TRACTOR] = BeamBar({80, 255, 120, 255});
		s[INFOBAR_SPRITE_BEAM_BAR_DESTROY] = BeamBar({255, 80, 60, 255});
		s[INFOBAR_SPRITE_COUNTER_PANEL_SIDE] = CounterPanel(false);
		s[INFOBAR_SPRITE_COUNTER_PANEL_BOTTOM] = CounterPanel(true);
		// Rescue counters: farmer, bee woman, scientist, skirt lady.
		s[INFOBAR_SPRITE_RESCUE_ICON + 0] = Person({240, 195, 150, 255}, {60, 100, 200, 255}, {150, 100, 50, 255}, [](Image& img) {
			FillRoundedRect(img, 8, 12, 56, 17, 2, {235, 200, 90, 255});		// straw hat
			FillRoundedRect(img, 18, 2, 46, 14, 5, {235, 200, 90, 255});
			FillRect(img, 24, 46, 28, 64, {220, 60, 50, 255});				// overall straps
			FillRect(img, 36, 46, 40, 64, {220, 60, 50, 255});
		});
		s[INFOBAR_SPRITE_RESCUE_ICON + 1] = Person({245, 210, 170, 255}, Art::HAZARD_YELLOW, {60, 40, 20, 255}, [](Image& img) {
			for (float y : {48.0f, 56.0f})
				FillRect(img, 12, y, 52, y + 4, Art::HAZARD_BLACK);				// bee stripes
			for (float s : {-1.0f, 1.0f})
			{
				DrawLine(img, 32 + s * 6, 8, 32 + s * 14, 0, 2, Art::HAZARD_BLACK);	// antennae
				FillCircle(img, 32 + s * 14, 1.5f, 3, Art::HAZARD_BLACK);
			}
		});
		s[INFOBAR_SPRITE_RESCUE_ICON + 2] = Person({235, 205, 175, 255}, {250, 250, 250, 255}, {200, 200, 205, 255}, [](Image& img) {
			FillCircle(img, 19, 18, 6, {200, 200, 205, 255});				// wild hair
			FillCircle(img, 45, 18, 6, {200, 200, 205, 255});
			FillRing(img, 27, 29, 3, 5, OUTLINE);								// glasses
			FillRing(img, 37, 29, 3, 5, OUTLINE);
			FillPolygon(img, {{28, 46}, {32, 56}, {36, 46}}, {80, 140, 220, 255});	// tie
		});
		s[INFOBAR_SPRITE_RESCUE_ICON + 3] = Person({250, 215, 185, 255}, {240, 90, 170, 255}, {170, 90, 40, 255}, [](Image& img) {
			FillCircle(img, 18, 32, 7, {170, 90, 40, 255});					// long hair
			FillCircle(img, 46, 32, 7, {170, 90, 40, 255});
			FillPolygon(img, {{14, 52}, {50, 52}, {58, 64}, {6, 64}}, {250, 130, 200, 255});	// skirt
			FillCircle(img, 32, 48, 3, WHITE);									// brooch
		});
		for (size_t i = 0; i < s.size(); i++)
			if (s[i].width == 0)
				throw std::logic_error("infobar image " + std::to_string(i) + " not painted");
		return s;
	}
}
