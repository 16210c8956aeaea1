// The raider saucer and its rim, the exit saucer and its hatch, and the two
// shutters of the death transition.
#include "models/BakeGlobalModels.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

namespace GlobalModels
{
	using namespace Kit;

	namespace
	{
		Mesh Part(Mesh m, Vec3 at, Rgba color)
		{
			Translate(m, at);
			return SetColor(m, color);
		}

		// Colours a turned mesh by height through a list of (y, colour) stops.
		void ColorByHeight(Mesh& m, const std::vector<std::pair<float, Rgba>>& stops)
		{
			for (size_t i = 0; i < m.points.size(); i++)
			{
				float y = m.points[i].y;
				Rgba c = stops.front().second;
				for (size_t k = 0; k + 1 < stops.size(); k++)
					if (y >= stops[k].first && y <= stops[k + 1].first)
						c = Mix(stops[k].second, stops[k + 1].second,
							(y - stops[k].first) / std::max(stops[k + 1].first - stops[k].first, 1e-3f));
				if (y > stops.back().first)
					c = stops.back().second;
				m.colors[i] = c;
			}
		}

		// Exit saucer dimensions (model units; origin on the ground under its centre).
		const float EXIT_BOTTOM_RADIUS = 210;
		const float HATCH_HALF_WIDTH = 62;
		const float HATCH_BACK_Z = -60;			// the hatch's far edge when closed
	}

	Node RaiderSaucer(ModelFile& file)
	{
		ModelBuilder b(file);
		int hull = b.AddMaterial(Art::Opaque(Art::MetalPanels(128, 4, 131)));
		int glass = b.AddMaterial(Art::Glowing(Art::PlainSurface(32, 133), 0.55f));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 135)));

		LatheOptions o;
		o.segments = 24;
		o.uRepeat = 4;
		Mesh body = Lathe({{0, 0}, {40, 2}, {62, 14}, {110, 24}, {200, 40}, {262, 54}, {272, 61}, {262, 68},
			{210, 82}, {150, 96}, {118, 102}, {0, 104}}, o);
		ColorByHeight(body, {{0, {80, 255, 120, 255}}, {14, {80, 255, 120, 255}}, {16, {70, 62, 96, 255}},
			{58, {150, 140, 185, 255}}, {64, {220, 210, 240, 255}}, {104, {120, 110, 150, 255}}});
		b.Add(body, hull);

		// A ring of lights under the rim and a little green pilot inside the dome.
		for (int i = 0; i < 12; i++)
		{
			float a = i * 2 * Kit::PI / 12;
			b.Add(Part(Sphere(9, 8, 4), {236 * std::sin(a), 48, 236 * std::cos(a)}, {255, 230, 80, 255}), plain);
		}
		b.Add(Part(Sphere(30, 12, 8), {0, 128, 0}, Art::ALIEN_GREEN), plain);
		for (float s : {-1.0f, 1.0f})
			b.Add(Part(Sphere(9, 8, 5), {s * 13, 134, -24}, {20, 20, 30, 255}), plain);

		LatheOptions d;
		d.segments = 20;
		d.smoothAlong = true;
		Mesh dome = Lathe({{112, 100}, {108, 126}, {90, 154}, {58, 174}, {0, 182}}, d);
		SetColor(dome, {150, 255, 200, 255});
		b.Add(dome, glass);
		return b.Build("raider saucer");
	}

	Node RaiderSaucerRim(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 141)));
		// Sits around the hull's equator (the game raises it 2 units more); the
		// rim lights shine at radius 290.
		const float y = 58;
		b.Add(Part(Torus(290, 9, 40, 6), {0, y, 0}, {110, 100, 140, 255}), mat);
		for (int i = 0; i < 8; i++)
		{
			float a = i * 2 * Kit::PI / 8;
			Vec3 p{290 * std::sin(a), y, 290 * std::cos(a)};
			b.Add(Part(Flatten(Sphere(17, 8, 4, false)), p, i % 2 ? Rgba{255, 140, 30, 255} : Rgba{255, 220, 60, 255}), mat);
			// Spokes from the pods in to the hull.
			Mesh spoke = Box({6, 5, 30});
			Translate(spoke, {0, 0, 270});
			Rotate(spoke, {0, a, 0});
			b.Add(Part(spoke, {0, y, 0}, {80, 72, 104, 255}), mat);
		}
		return b.Build("raider saucer rim");
	}

	Node ExitSaucer(ModelFile& file)
	{
		ModelBuilder b(file);
		int hull = b.AddMaterial(Art::Opaque(Art::MetalPanels(128, 4, 151)));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 153)));
		int glass = b.AddMaterial(Art::Opaque(Art::GlowBands(64, 64, 3, false, 155)));
		const float floorY = EXIT_SAUCER_FLOOR_Y;
		const float hingeZ = EXIT_SAUCER_HATCH_HINGE_Z;

		// Hull: sloped underside, a yellow rim band, a white upper deck.
		LatheOptions o;
		o.segments = 28;
		o.uRepeat = 6;
		o.startAngle = Kit::PI / 28;		// no seam under the hatch
		Mesh body = Lathe({{EXIT_BOTTOM_RADIUS, floorY}, {330, 140}, {380, 160}, {382, 176}, {330, 200},
			{240, 226}, {180, 238}}, o);
		ColorByHeight(body, {{floorY, {150, 156, 170, 255}}, {156, Art::ROBOT_WHITE}, {159, Art::GOLD},
			{177, Art::GOLD}, {180, Art::ROBOT_WHITE}, {238, {210, 216, 228, 255}}});
		b.Add(body, hull);

		// Flat underside with the doorway cut into its front edge.
		std::vector<Vec3> bottom;
		float edgeZ = -std::sqrt(EXIT_BOTTOM_RADIUS * EXIT_BOTTOM_RADIUS - HATCH_HALF_WIDTH * HATCH_HALF_WIDTH);
		float gapAngle = std::atan2(HATCH_HALF_WIDTH, -edgeZ);
		const int steps = 28;
		for (int i = 0; i <= steps; i++)
		{
			float a = Kit::PI + gapAngle + (2 * Kit::PI - 2 * gapAngle) * float(i) / steps;
			bottom.push_back({EXIT_BOTTOM_RADIUS * std::sin(a), floorY, EXIT_BOTTOM_RADIUS * std::cos(a)});
		}
		bottom.push_back({-HATCH_HALF_WIDTH, floorY, HATCH_BACK_Z});
		bottom.push_back({HATCH_HALF_WIDTH, floorY, HATCH_BACK_Z});
		Mesh under = FlatPolygon(bottom, {0, -1, 0}, 1.0f / 60);
		SetColor(under, {120, 126, 140, 255});
		b.Add(under, hull);
		// A glowing ring on the underside.
		Mesh glow = Ring(150, 165, 28);
		Rotate(glow, {Kit::PI, 0, 0});
		b.Add(Part(glow, {0, floorY - 0.5f, 0}, {120, 220, 255, 255}), plain);

		// The lit cabin seen through the open doorway (faces point inward).
		Mesh cabin = Box({2 * HATCH_HALF_WIDTH, 120, HATCH_BACK_Z - hingeZ});
		for (Vec3& n : cabin.normals)
			n = -n;
		for (Triangle& t : cabin.triangles)
			std::swap(t[1], t[2]);
		GradientColor(cabin, {255, 230, 160, 255}, {255, 250, 220, 255});
		b.Add(Part(cabin, {0, floorY + 60, (HATCH_BACK_Z + hingeZ) / 2}, {255, 235, 180, 255}), plain);

		// Glass dome.
		LatheOptions d;
		d.segments = 24;
		d.smoothAlong = true;
		d.uRepeat = 3;
		Mesh dome = Lathe({{182, 236}, {170, 285}, {134, 330}, {76, 358}, {0, 368}}, d);
		SetColor(dome, {140, 200, 255, 255});
		b.Add(dome, glass);

		// Running lights around the rim band, alternating yellow and blue.
		for (int i = 0; i < 16; i++)
		{
			float a = (i + 0.5f) * 2 * Kit::PI / 16;
			b.Add(Part(Sphere(8, 8, 4), {383 * std::sin(a), 168, 383 * std::cos(a)},
				i % 2 ? Rgba{80, 180, 255, 255} : Rgba{255, 230, 80, 255}), plain);
		}

		// Three landing legs, clear of the doorway at the front.
		for (int i = 0; i < 3; i++)
		{
			float a = i * 2 * Kit::PI / 3;
			Vec3 top{250 * std::sin(a), 120, 250 * std::cos(a)};
			Vec3 foot{320 * std::sin(a), 12, 320 * std::cos(a)};
			Vec3 dir = foot - top;
			float len = Length(dir);
			Mesh strut = Cylinder(11, 9, len, 8);
			Translate(strut, {0, -len / 2, 0});
			Rotate(strut, {-std::atan2(std::hypot(dir.x, dir.z), -dir.y), 0, 0});
			Rotate(strut, {0, std::atan2(dir.x, dir.z), 0});
			b.Add(Part(strut, top, Art::ROBOT_GREY), plain);
			b.Add(Part(Cylinder(30, 34, 10, 10), foot + Vec3{0, -7, 0}, Art::ROBOT_DARK), plain);
		}
		return b.Build("exit saucer");
	}

	Node ExitSaucerHatch(ModelFile& file)
	{
		ModelBuilder b(file);
		int metal = b.AddMaterial(Art::Opaque(Art::MetalPanels(64, 2, 161)));
		Image tread = Art::Treads(64, 8);
		for (int y = 0; y < 64; y++)		// hazard stripes along the ramp's sides
			for (int x = 0; x < 64; x++)
				if (x < 7 || x > 56)
					tread.At(x, y) = ((x + y) / 6) % 2 ? Art::HAZARD_BLACK : Art::HAZARD_YELLOW;
		int ramp = b.AddMaterial(Art::Opaque(tread));

		// Hinge at the origin; closed, the hatch reaches back along +z in the floor.
		float length = HATCH_BACK_Z - EXIT_SAUCER_HATCH_HINGE_Z;
		b.Add(Part(Box({2 * HATCH_HALF_WIDTH - 2, 6, length}), {0, -3, length / 2}, {200, 205, 215, 255}), metal);
		// The underside becomes the ramp's walking surface when it opens.
		Mesh surface = Quad(2 * HATCH_HALF_WIDTH - 4, length - 2);
		Rotate(surface, {Kit::PI / 2, 0, 0});
		for (Vec2& uv : surface.uvs)
			uv.y *= 3;
		b.Add(Part(surface, {0, -6.2f, length / 2}, {255, 255, 255, 255}), ramp);
		return b.Build("exit saucer hatch");
	}

	Node Shutter(ModelFile& file, bool left)
	{
		// Steel blast door: ribbed plates, hazard stripes along the closing
		// edge (u = 1) and half an emblem that meets its partner's.
		Image img(256, 256);
		Panels(img, {120, 128, 146, 255}, 1, 4, 2.5f, true, left ? 171u : 173u);
		Grunge(img, 0.2f, 4, 175);
		for (int y = 0; y < 256; y++)
			for (int x = 216; x < 256; x++)
				img.At(x, y) = ((x + y) / 12) % 2 ? Art::HAZARD_BLACK : Art::HAZARD_YELLOW;
		FillRect(img, 210, 0, 217, 256, {60, 64, 76, 255});
		FillCircle(img, 256, 128, 58, {40, 44, 56, 255});
		FillCircle(img, 256, 128, 50, Art::ROBOT_BLUE);
		FillRing(img, 256, 128, 36, 42, Art::ROBOT_WHITE);
		FillPolygon(img, {{256, 92}, {236, 132}, {250, 132}, {240, 164}, {256, 124}, {244, 124}}, Art::GOLD);

		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(img, MAT_CLAMP_U | MAT_CLAMP_V));
		Mesh panel = Quad(SHUTTER_WIDTH, 2 * SHUTTER_HALF_HEIGHT);
		Translate(panel, {-SHUTTER_WIDTH / 2, 0, 0});
		if (!left)
			Mirror(panel, 0);
		// Drawn with a mirroring scale in screen space: keep both faces.
		MakeDoubleSided(panel);
		b.Add(panel, mat);
		return b.Build(left ? "left shutter" : "right shutter");
	}
}
