#include "rig/Body.h"
#include "kit/Art.h"
#include "kit/Primitives.h"

#include <algorithm>
#include <cmath>

namespace Rig
{
	namespace
	{
		// Limbs stop this far short of their ends, so that a limb and the one
		// joined to it never share a position.
		constexpr float END_GAP = 0.05f;
	}

	Body::Body(uint32_t textureSeed) : mSeed(textureSeed) {}

	void Body::Add(Kit::Mesh part, int joint, Kit::Rgba color, bool accent)
	{
		Kit::SetColor(part, color);
		Kit::SetTag(part, joint);
		Kit::Append(accent ? mAccent : mMain, part);
	}

	Kit::Mesh AlongSegment(Kit::Mesh mesh, float length, Vec3 from, Vec3 to)
	{
		Vec3 d = to - from;
		float pitch = std::atan2(std::hypot(d.x, d.z), d.y);
		float yaw = std::atan2(d.x, d.z);
		Kit::Translate(mesh, {0, length / 2, 0});
		Kit::Rotate(mesh, {pitch, 0, 0});
		Kit::Rotate(mesh, {0, yaw, 0});
		Kit::Translate(mesh, from);
		return mesh;
	}

	void Body::Limb(Vec3 from, Vec3 to, float r0, float r1, int joint, Kit::Rgba color, int segments)
	{
		Vec3 d = to - from;
		float len = Kit::Length(d);
		Vec3 dir = d * (1.0f / len);
		Vec3 a = from + dir * END_GAP, b = to - dir * END_GAP;
		float inner = len - 2 * END_GAP;
		Add(AlongSegment(Kit::Cylinder(r0, r1, inner, segments, true, true), inner, a, b), joint, color);
	}

	void Body::Ball(Vec3 at, Vec3 size, int joint, Kit::Rgba color, int segments, int rings)
	{
		// A sphere's poles repeat once per segment: at most 9 keep them within
		// the loader's 10 vertices per position.
		Kit::Mesh m = Kit::Sphere(1, std::min(segments, 9), rings);
		Kit::Scale(m, size);
		Kit::Translate(m, at);
		Add(m, joint, color);
	}

	void Body::Block(Vec3 at, Vec3 size, int joint, Kit::Rgba color, float radius)
	{
		Kit::Mesh m = radius > 0 ? Kit::RoundedBox(size, radius, 1) : Kit::Box(size);
		Kit::Translate(m, at);
		Add(m, joint, color);
	}

	void Body::Spike(Vec3 at, Vec3 dir, float radius, float length, int joint, Kit::Rgba color, int segments)
	{
		// Open at the base (it sits in a body): no centre vertex for other parts to crowd.
		Kit::Mesh m = Kit::Cone(radius, length, std::min(segments, 9), false, false);
		Vec3 unit = Kit::Normalize(dir);
		Add(AlongSegment(m, length, at, at + unit * length), joint, color);
	}

	Kit::ModelFile Body::Build(const std::string& name) const
	{
		Kit::ModelFile file;
		Kit::ModelBuilder b(file);
		int surface = b.AddMaterial(Kit::Art::Opaque(Kit::Art::PlainSurface(64, mSeed)));
		Kit::Mesh main = mMain;
		Kit::BoxUV(main, 1.0f / 40);
		b.Add(main, surface);
		if (!mAccent.points.empty())
		{
			int accent = b.AddMaterial(Kit::Art::Opaque(Kit::Art::PlainSurface(32, mSeed + 1)));
			b.Add(mAccent, accent);
		}
		file.models.push_back(b.Build(name));
		return file;
	}
}
