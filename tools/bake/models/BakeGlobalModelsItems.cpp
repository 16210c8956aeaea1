// Global items: the marker beacon, the power-up pod and its halves, the
// nova, dart and extra-life pick-ups, and the checkpoint.
#include "models/BakeGlobalModels.h"
#include "skeletons/BakeRobot.h"
#include "System/ContentNumbers.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

namespace GlobalModels
{
	using namespace Kit;

	namespace
	{
		Mesh At(Mesh m, Vec3 offset) { return Translate(m, offset); }
		Mesh Tint(Mesh m, Rgba c) { return SetColor(m, c); }

		// The pod's outline (radius, height); power-up lights sit on the two
		// bands at radius 16.8, heights 7 and 63.
		const std::vector<Vec2> kPodProfile =
		{
			{0, 0}, {19, 0}, {20.5f, 3}, {20.5f, 10}, {17.5f, 12.5f},
			{18.5f, 19}, {19.5f, 29}, {19, 39}, {17, 48}, {14, 55.5f},
			{15.5f, 57.5f}, {17, 60.5f}, {17, 65.5f}, {12.5f, 68}, {6, 70}, {0, 71},
		};

		// Colour of the pod at height y: gold bands, teal body getting lighter upward.
		Rgba PodColor(float y)
		{
			if (y <= 12 || y >= 56.5f)
				return Art::GOLD;
			return Mix({20, 170, 170, 255}, {120, 255, 230, 255}, (y - 12) / 44);
		}

		Image PodTexture()
		{
			Image img = Art::PlainSurface(64, 11);
			// Ribs around the body and the seam where it splits (u = 0 and 0.5).
			for (int i = 0; i < 8; i++)
				DrawLine(img, i * 8.0f + 0.5f, 0, i * 8.0f + 0.5f, 64, 1.0f, {190, 200, 205, 255});
			DrawLine(img, 0.5f, 0, 0.5f, 64, 2.0f, {60, 70, 80, 255});
			DrawLine(img, 32.5f, 0, 32.5f, 64, 2.0f, {60, 70, 80, 255});
			return img;
		}

		Mesh PodShell(float startAngle, float sweep)
		{
			LatheOptions o;
			o.segments = sweep < 2 * Kit::PI ? 8 : 16;
			o.startAngle = startAngle;
			o.sweep = sweep;
			Mesh m = Lathe(kPodProfile, o);
			for (size_t i = 0; i < m.points.size(); i++)
				m.colors[i] = PodColor(m.points[i].y);
			return m;
		}
	}

	Node Beacon(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::HazardStripes(64, 4)));
		int plain = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 3)));
		// Tripod feet, a hazard-striped post, an orange cone and a glowing lamp.
		for (int i = 0; i < 3; i++)
		{
			Mesh leg = Tint(Box({4, 22, 4}), Art::ROBOT_DARK);
			Rotate(leg, {-0.55f, 0, 0});
			Translate(leg, {0, 9, 7});
			Rotate(leg, {0, i * 2 * Kit::PI / 3, 0});
			b.Add(leg, plain);
		}
		b.Add(At(Cylinder(4, 4, 34, 8), {0, 33, 0}), mat);
		b.Add(At(Tint(Cone(11, 16, 8, true, false), Art::FLARE_ORANGE), {0, 57, 0}), plain);
		b.Add(At(Tint(Sphere(6, 10, 6), {255, 255, 200, 255}), {0, 67, 0}), plain);
		return b.Build("beacon");
	}

	Node PowerupPod(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(PodTexture()));
		b.Add(PodShell(0, 2 * Kit::PI), mat);
		return b.Build("power-up pod");
	}

	Node PodHalf(ModelFile& file, bool left)
	{
		ModelBuilder b(file);
		int shell = b.AddMaterial(Art::Opaque(PodTexture()));
		int inside = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 5)));
		// Left half: x < 0 (angles π … 2π); right half: x > 0.
		b.Add(PodShell(left ? Kit::PI : 0, Kit::PI), shell);

		// The broken face in the x = 0 plane, looking toward the other half.
		std::vector<Vec3> outline;
		for (const Vec2& p : kPodProfile)
			outline.push_back({0, p.y, p.x});
		for (size_t i = kPodProfile.size(); i-- > 0;)
			if (kPodProfile[i].x > 0)
				outline.push_back({0, kPodProfile[i].y, -kPodProfile[i].x});
		Mesh face = FlatPolygon(outline, {left ? 1.0f : -1.0f, 0, 0});
		for (size_t i = 0; i < face.points.size(); i++)
		{
			// Dark inside with a hot core where the prize sat.
			float d = Length(Vec3{0, face.points[i].y - 35, face.points[i].z}) / 30;
			face.colors[i] = Mix({255, 240, 120, 255}, {30, 60, 70, 255}, d);
		}
		b.Add(face, inside);
		return b.Build(left ? "pod half (left)" : "pod half (right)");
	}

	Node NovaPickup(ModelFile& file)
	{
		ModelBuilder b(file);
		int core = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 21)));
		// A crackling energy orb in two gyroscope rings on a small pedestal.
		Mesh orb = Sphere(11, 14, 8);
		GradientColor(orb, {120, 200, 255, 255}, {240, 250, 255, 255});
		b.Add(At(orb, {0, 30, 0}), core);
		Mesh ring1 = Tint(Torus(17, 1.8f, 20, 6), {60, 140, 255, 255});
		Rotate(ring1, {Kit::PI / 2, 0, 0.4f});
		b.Add(At(ring1, {0, 30, 0}), core);
		Mesh ring2 = Tint(Torus(17, 1.8f, 20, 6), {255, 230, 90, 255});
		Rotate(ring2, {Kit::PI / 2, 0, -0.4f});
		Rotate(ring2, {0, Kit::PI / 2, 0});
		b.Add(At(ring2, {0, 30, 0}), core);
		b.Add(At(Tint(Cylinder(9, 12, 6, 8, true, false), Art::ROBOT_DARK), {0, 3, 0}), core);
		b.Add(At(Tint(Cylinder(3, 4, 12, 6, true, false), Art::ROBOT_GREY), {0, 12, 0}), core);
		return b.Build("nova pick-up");
	}

	Node Dart(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 31)));
		// Point toward -z (the way it flies), fins at the back.
		Mesh shaft = Tint(Cylinder(3, 3, 80, 8), {200, 205, 215, 255});
		Rotate(shaft, {Kit::PI / 2, 0, 0});
		b.Add(shaft, mat);
		Mesh band = Tint(Cylinder(4, 4, 8, 8), Art::HEALTH_RED);
		Rotate(band, {Kit::PI / 2, 0, 0});
		b.Add(At(band, {0, 0, -20}), mat);
		Mesh tip = Tint(Cone(5, 26, 8, true, false), Art::GOLD);
		Rotate(tip, {-Kit::PI / 2, 0, 0});
		b.Add(At(tip, {0, 0, -53}), mat);
		for (int i = 0; i < 4; i++)
		{
			Mesh fin = Tint(Extrude({{0, 0}, {22, 0}, {24, 16}, {16, 16}}, 2.0f), Art::HEALTH_RED);
			// Fin outline in the x-y plane, swept back along +z.
			Rotate(fin, {0, -Kit::PI / 2, 0});
			Translate(fin, {0, 2, 24});
			Rotate(fin, {0, 0, i * Kit::PI / 2 + Kit::PI / 4});
			b.Add(fin, mat);
		}
		return b.Build("dart");
	}

	Node ExtraLife(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 41)));
		// The robot's own head on a golden collar: one more robot.
		Mesh head = Robot::HeadMesh();
		Bounds hb = ComputeBounds(head);
		Translate(head, {-hb.Center().x, -hb.min.y + 6, -hb.Center().z});
		b.Add(head, mat);
		b.Add(At(Tint(Cylinder(14, 16, 6, 12, true, false), Art::GOLD), {0, 3, 0}), mat);
		return b.Build("extra life");
	}

	Node CheckpointPost(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 51)));
		b.Add(At(Tint(Cylinder(7, 7.5f, 2.2f, 6, true, false), Art::ROBOT_DARK), {0, 1.1f, 0}), mat);
		b.Add(At(Tint(Cylinder(4, 6, 1.6f, 6, true, false), Art::HAZARD_YELLOW), {0, 3, 0}), mat);
		// Candy-striped pole up to the lamp head.
		const int bands = 6;
		float y0 = 3.8f, y1 = 17;
		for (int i = 0; i < bands; i++)
		{
			float h = (y1 - y0) / bands;
			Mesh band = Tint(Cylinder(1.4f, 1.4f, h, 8), i % 2 ? Art::ROBOT_WHITE : Art::HEALTH_RED);
			b.Add(At(band, {0, y0 + h * (i + 0.5f), 0}), mat);
		}
		b.Add(At(Tint(Cylinder(2.6f, 2.2f, 1.6f, 8), Art::GOLD), {0, 17.4f, 0}), mat);
		return b.Build("checkpoint post");
	}

	Node CheckpointHead(ModelFile& file)
	{
		ModelBuilder b(file);
		int mat = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 61)));
		const float y = CHECKPOINT_LAMP_Y;
		b.Add(At(Tint(Cylinder(8.8f, 8.2f, 1.6f, 12), Art::ROBOT_DARK), {0, y - 2.2f, 0}), mat);
		// Three lamps where the lit checkpoint's sparkles shine.
		const Vec3 lamps[3] = {{-7.4f, y, -0.25f}, {4.125f, y, -6.68f}, {4.188f, y, 5.43f}};
		for (Vec3 p : lamps)
		{
			b.Add(At(Tint(Cylinder(1.6f, 1.6f, 1.2f, 6), Art::ROBOT_GREY), p - Vec3{0, 1.3f, 0}), mat);
			b.Add(At(Tint(Sphere(2.1f, 8, 5), {255, 240, 150, 255}), p), mat);
		}
		// A flag on a mast: a checkpoint reads as a checkpoint.
		b.Add(At(Tint(Cylinder(0.6f, 0.5f, 16, 6), Art::ROBOT_WHITE), {0, y + 6, 0}), mat);
		b.Add(At(Tint(Sphere(1.1f, 8, 4), Art::GOLD), {0, y + 14.2f, 0}), mat);
		Mesh flag = Tint(Extrude({{0, 0}, {11, 3.2f}, {0, 6.4f}}, 0.5f), {60, 220, 90, 255});
		b.Add(At(flag, {0.4f, y + 6.8f, 0}), mat);
		return b.Build("checkpoint head");
	}
}
