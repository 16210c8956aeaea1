// Shots, tractor beams, the teleport ring and the brain alien's zap. Shots
// are long along z (the game aligns them with their flight).
#include "models/BakeGlobalModels.h"
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

		// Lays a y-axis shape along z.
		Mesh AlongZ(Mesh m) { return Rotate(m, {Kit::PI / 2, 0, 0}); }

		// A glowing shell around a solid core, both vertex-coloured.
		Node CoreAndGlow(ModelFile& file, const Mesh& core, const Mesh& glow, float glowAlpha, const char* name)
		{
			ModelBuilder b(file);
			int solid = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 101)));
			int halo = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 32, 4, false, 103), glowAlpha));
			b.Add(core, solid);
			b.Add(glow, halo);
			return b.Build(name);
		}
	}

	Node StunShot(ModelFile& file)
	{
		Mesh core = Part(AlongZ(Capsule(2.4f, 16, 8, 2)), {}, {255, 255, 210, 255});
		Mesh glow = Part(AlongZ(Capsule(5, 22, 10, 3)), {}, {110, 190, 255, 255});
		return CoreAndGlow(file, core, glow, 0.55f, "stun shot");
	}

	Node FreezeShot(ModelFile& file)
	{
		// A spiky ice crystal.
		Mesh core = Part(Flatten(Sphere(20, 6, 3, false)), {}, {200, 245, 255, 255});
		const Vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
		for (Vec3 a : axes)
		{
			Mesh spike = Cone(7, 34, 5, true, false);
			Translate(spike, {0, 30, 0});
			// Point the cone's +y along the axis.
			Rotate(spike, {std::atan2(std::hypot(a.x, a.z), a.y), 0, 0});
			Rotate(spike, {0, std::atan2(a.x, a.z), 0});
			Append(core, Part(spike, {}, Art::ICE_CYAN));
		}
		Mesh glow = Part(Sphere(34, 12, 6), {}, {170, 230, 255, 255});
		return CoreAndGlow(file, core, glow, 0.3f, "freeze shot");
	}

	Node ArcShot(ModelFile& file)
	{
		// A flat spinning star of energy around a bright core.
		Mesh blade = Extrude(StarPolygon(8, 30, 15), 4, 1.2f);
		Rotate(blade, {Kit::PI / 2, 0, 0});
		SetColor(blade, Art::ALIEN_PURPLE);
		Mesh core = Part(Sphere(10, 10, 6), {}, {220, 255, 180, 255});
		Append(core, blade);
		Mesh glow = Part(Torus(26, 6, 20, 6), {}, Art::ALIEN_GREEN);
		return CoreAndGlow(file, core, glow, 0.6f, "arc shot");
	}

	Node BeamCone(ModelFile& file, bool inner)
	{
		ModelBuilder b(file);
		// Streaks that scroll around the cone (u); bright under the saucer.
		int mat = b.AddMaterial(Art::Glowing(Art::GlowBands(128, 64, inner ? 6 : 4, true, inner ? 113u : 111u)));
		LatheOptions o;
		o.segments = 20;
		o.uRepeat = 2;
		float bottom = inner ? 150.0f : 300.0f, top = inner ? 28.0f : 60.0f;
		Mesh cone = Lathe({{bottom, -950}, {(bottom + top) * 0.5f, -475}, {top, 0}}, o);
		for (Vec2& uv : cone.uvs)
			uv.y = 1 - uv.y;		// v = 0 at the saucer
		SetColor(cone, {255, 255, 255, 255});
		b.Add(cone, mat);
		return b.Build(inner ? "beam (inner)" : "beam (outer)");
	}

	Node TeleportRing(ModelFile& file)
	{
		ModelBuilder b(file);
		int solid = b.AddMaterial(Art::Opaque(Art::PlainSurface(32, 121)));
		int band = b.AddMaterial(Art::Glowing(Art::GlowBands(64, 32, 8, false, 123), 0.7f));
		b.Add(Part(Torus(100, 5, 28, 6), {}, {170, 250, 255, 255}), solid);
		Mesh sheet = Cylinder(100, 100, 26, 28, false);
		MakeDoubleSided(sheet);
		b.Add(Part(sheet, {0, -14, 0}, {90, 220, 255, 255}), band);
		return b.Build("teleport ring");
	}

	Node Zap(ModelFile& file)
	{
		LatheOptions o;
		o.segments = 6;
		o.smoothAround = false;
		Mesh core = Lathe({{0, -50}, {7, -16}, {10, 0}, {7, 16}, {0, 50}}, o);
		core = Part(AlongZ(core), {}, {210, 255, 150, 255});
		Mesh glow = Lathe({{0, -58}, {14, -18}, {20, 0}, {14, 18}, {0, 58}}, LatheOptions{});
		glow = Part(AlongZ(glow), {}, Art::ALIEN_GREEN);
		return CoreAndGlow(file, core, glow, 0.5f, "zap");
	}
}
