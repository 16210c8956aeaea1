#include "kit/Primitives.h"

#include <algorithm>
#include <stdexcept>

namespace Kit
{
	namespace
	{
		struct FaceFrame
		{
			Vec3 normal, right, up;
		};

		// The six box faces with right × up = normal, so corners listed
		// (-r-u), (+r-u), (+r+u), (-r+u) run counter-clockwise from outside.
		const FaceFrame kFaces[6] =
		{
			{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
			{{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
			{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
			{{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
			{{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
			{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
		};

		float Along(Vec3 v, Vec3 axis) { return std::fabs(Dot(v, axis)); }
	}

	Mesh Box(Vec3 size)
	{
		Mesh m;
		Vec3 h = size * 0.5f;
		for (const FaceFrame& f : kFaces)
		{
			Vec3 c = f.normal * Along(h, f.normal);
			Vec3 r = f.right * Along(h, f.right);
			Vec3 u = f.up * Along(h, f.up);
			uint32_t a = m.AddVertex(c - r - u, f.normal, {0, 1});
			uint32_t b = m.AddVertex(c + r - u, f.normal, {1, 1});
			uint32_t cc = m.AddVertex(c + r + u, f.normal, {1, 0});
			uint32_t d = m.AddVertex(c - r + u, f.normal, {0, 0});
			m.AddQuad(a, b, cc, d);
		}
		return m;
	}

	Mesh RoundedBox(Vec3 size, float radius, int segments)
	{
		Vec3 h = size * 0.5f;
		radius = std::clamp(radius, 0.0f, 0.999f * std::min({h.x, h.y, h.z}));
		segments = std::max(segments, 1);
		Vec3 e = h - Vec3{radius, radius, radius};

		// Samples along one axis: the rounded band at each end, flat between.
		auto samples = [&](float half) {
			std::vector<float> s;
			float inner = half - radius;
			for (int k = 0; k <= segments; k++)
				s.push_back(-half + radius * float(k) / float(segments));
			for (int k = 0; k <= segments; k++)
				s.push_back(inner + radius * float(k) / float(segments));
			if (inner <= 0)		// no flat part: drop the duplicate middle sample
				s.erase(s.begin() + segments + 1);
			return s;
		};

		Mesh m;
		for (const FaceFrame& f : kFaces)
		{
			float hn = Along(h, f.normal), hr = Along(h, f.right), hu = Along(h, f.up);
			std::vector<float> su = samples(hr), sv = samples(hu);
			uint32_t base = uint32_t(m.points.size());
			for (size_t j = 0; j < sv.size(); j++)
				for (size_t i = 0; i < su.size(); i++)
				{
					Vec3 q = f.normal * hn + f.right * su[i] + f.up * sv[j];
					Vec3 c{std::clamp(q.x, -e.x, e.x), std::clamp(q.y, -e.y, e.y), std::clamp(q.z, -e.z, e.z)};
					Vec3 n = Normalize(q - c);
					if (Length(n) == 0)
						n = f.normal;
					Vec2 uv{(su[i] + hr) / (2 * hr), 1 - (sv[j] + hu) / (2 * hu)};
					m.AddVertex(c + n * radius, n, uv);
				}
			uint32_t cols = uint32_t(su.size());
			for (uint32_t j = 0; j + 1 < sv.size(); j++)
				for (uint32_t i = 0; i + 1 < cols; i++)
				{
					uint32_t a = base + j * cols + i;
					m.AddQuad(a, a + 1, a + cols + 1, a + cols);
				}
		}
		return m;
	}

	Mesh Lathe(const std::vector<Vec2>& profile, const LatheOptions& o)
	{
		if (profile.size() < 2)
			throw std::invalid_argument("Lathe: a profile needs two points");
		int S = std::max(o.segments, 3);
		size_t n = profile.size();

		// Outward normal of each profile segment in the (r, y) plane.
		std::vector<Vec2> segNormal(n - 1);
		std::vector<float> cumulative(n, 0);
		for (size_t j = 0; j + 1 < n; j++)
		{
			float dr = profile[j + 1].x - profile[j].x, dy = profile[j + 1].y - profile[j].y;
			float len = std::sqrt(dr * dr + dy * dy);
			segNormal[j] = len > 0 ? Vec2{dy / len, -dr / len} : Vec2{1, 0};
			cumulative[j + 1] = cumulative[j] + len;
		}
		float total = cumulative[n - 1] > 0 ? cumulative[n - 1] : 1;

		Mesh m;
		auto emitRow = [&](size_t j, Vec2 nrm) {
			uint32_t first = uint32_t(m.points.size());
			Vec2 p = profile[j];
			for (int i = 0; i <= S; i++)
			{
				float phi = o.startAngle + o.sweep * float(i) / float(S);
				float s = std::sin(phi), c = std::cos(phi);
				Vec3 normal = Normalize({nrm.x * s, nrm.y, nrm.x * c});
				if (Length(normal) == 0)
					normal = {0, 1, 0};
				m.AddVertex({p.x * s, p.y, p.x * c}, normal, {o.uRepeat * float(i) / float(S), cumulative[j] / total});
			}
			return first;
		};
		auto emitBand = [&](uint32_t rowA, uint32_t rowB, size_t j) {
			bool poleA = profile[j].x <= 1e-6f, poleB = profile[j + 1].x <= 1e-6f;
			if (poleA && poleB)
				return;
			for (uint32_t i = 0; i < uint32_t(S); i++)
			{
				uint32_t a = rowA + i, b = rowA + i + 1, c = rowB + i + 1, d = rowB + i;
				if (!poleA)
					m.AddTriangle(a, b, c);
				if (!poleB)
					m.AddTriangle(a, c, d);
			}
		};

		if (o.smoothAlong)
		{
			std::vector<uint32_t> rows(n);
			for (size_t j = 0; j < n; j++)
			{
				Vec2 sum{0, 0};
				if (j > 0) { sum.x += segNormal[j - 1].x; sum.y += segNormal[j - 1].y; }
				if (j + 1 < n) { sum.x += segNormal[j].x; sum.y += segNormal[j].y; }
				rows[j] = emitRow(j, sum);
			}
			for (size_t j = 0; j + 1 < n; j++)
				emitBand(rows[j], rows[j + 1], j);
		}
		else
		{
			for (size_t j = 0; j + 1 < n; j++)
			{
				uint32_t a = emitRow(j, segNormal[j]);
				uint32_t b = emitRow(j + 1, segNormal[j]);
				emitBand(a, b, j);
			}
		}

		auto cap = [&](Vec2 p, bool top) {
			if (p.x <= 1e-6f)
				return;
			Vec3 normal{0, top ? 1.0f : -1.0f, 0};
			uint32_t centre = m.AddVertex({0, p.y, 0}, normal, {0.5f, 0.5f});
			uint32_t first = uint32_t(m.points.size());
			for (int i = 0; i <= S; i++)
			{
				float phi = o.startAngle + o.sweep * float(i) / float(S);
				float s = std::sin(phi), c = std::cos(phi);
				m.AddVertex({p.x * s, p.y, p.x * c}, normal, {0.5f + 0.5f * s, 0.5f + 0.5f * c});
			}
			for (uint32_t i = 0; i < uint32_t(S); i++)
			{
				if (top)
					m.AddTriangle(centre, first + i, first + i + 1);
				else
					m.AddTriangle(centre, first + i + 1, first + i);
			}
		};
		if (o.capBottom)
			cap(profile.front(), false);
		if (o.capTop)
			cap(profile.back(), true);

		return o.smoothAround ? m : Flatten(m);
	}

	Mesh Cylinder(float bottom, float top, float height, int segments, bool caps, bool smooth)
	{
		LatheOptions o;
		o.segments = segments;
		o.smoothAround = smooth;
		o.capBottom = o.capTop = caps;
		return Lathe({{bottom, -height / 2}, {top, height / 2}}, o);
	}

	Mesh Cone(float radius, float height, int segments, bool cap, bool smooth)
	{
		return Cylinder(radius, 0, height, segments, cap, smooth);
	}

	Mesh Sphere(float radius, int segments, int rings, bool smooth)
	{
		rings = std::max(rings, 2);
		std::vector<Vec2> profile;
		for (int k = 0; k <= rings; k++)
		{
			float theta = -PI / 2 + PI * float(k) / float(rings);
			profile.push_back({k == 0 || k == rings ? 0.0f : radius * std::cos(theta), radius * std::sin(theta)});
		}
		LatheOptions o;
		o.segments = segments;
		o.smoothAround = smooth;
		o.smoothAlong = true;
		Mesh m = Lathe(profile, o);
		if (smooth)
			for (size_t i = 0; i < m.points.size(); i++)
				m.normals[i] = Normalize(m.points[i]);
		return m;
	}

	Mesh Capsule(float radius, float height, int segments, int rings, bool smooth)
	{
		rings = std::max(rings, 2);
		float half = std::max(height / 2 - radius, 0.0f);
		std::vector<Vec2> profile;
		for (int k = 0; k <= rings; k++)		// bottom cap, pole to equator
		{
			float theta = -PI / 2 + (PI / 2) * float(k) / float(rings);
			profile.push_back({k == 0 ? 0.0f : radius * std::cos(theta), -half + radius * std::sin(theta)});
		}
		for (int k = half > 0 ? 0 : 1; k <= rings; k++)		// top cap, equator to pole
		{
			float theta = (PI / 2) * float(k) / float(rings);
			profile.push_back({k == rings ? 0.0f : radius * std::cos(theta), half + radius * std::sin(theta)});
		}
		LatheOptions o;
		o.segments = segments;
		o.smoothAround = smooth;
		o.smoothAlong = true;
		Mesh m = Lathe(profile, o);
		if (smooth)
			for (size_t i = 0; i < m.points.size(); i++)
			{
				Vec3 p = m.points[i];
				Vec3 centre{0, std::clamp(p.y, -half, half), 0};
				m.normals[i] = Normalize(p - centre);
			}
		return m;
	}

	Mesh Torus(float major, float minor, int segments, int sides, bool smooth)
	{
		Mesh m;
		segments = std::max(segments, 3);
		sides = std::max(sides, 3);
		for (int j = 0; j <= sides; j++)
		{
			float theta = 2 * PI * float(j) / float(sides);
			for (int i = 0; i <= segments; i++)
			{
				float phi = 2 * PI * float(i) / float(segments);
				float ring = major + minor * std::cos(theta);
				Vec3 p{ring * std::sin(phi), minor * std::sin(theta), ring * std::cos(phi)};
				Vec3 n{std::cos(theta) * std::sin(phi), std::sin(theta), std::cos(theta) * std::cos(phi)};
				m.AddVertex(p, n, {float(i) / float(segments), float(j) / float(sides)});
			}
		}
		uint32_t cols = uint32_t(segments + 1);
		for (uint32_t j = 0; j < uint32_t(sides); j++)
			for (uint32_t i = 0; i < uint32_t(segments); i++)
			{
				uint32_t a = j * cols + i;
				m.AddQuad(a, a + 1, a + cols + 1, a + cols);
			}
		return smooth ? m : Flatten(m);
	}

	Mesh Ring(float inner, float outer, int segments)
	{
		Mesh m;
		segments = std::max(segments, 3);
		for (int i = 0; i <= segments; i++)
		{
			float phi = 2 * PI * float(i) / float(segments);
			float s = std::sin(phi), c = std::cos(phi);
			float u = float(i) / float(segments);
			m.AddVertex({inner * s, 0, inner * c}, {0, 1, 0}, {u, 1});
			m.AddVertex({outer * s, 0, outer * c}, {0, 1, 0}, {u, 0});
		}
		for (uint32_t i = 0; i < uint32_t(segments); i++)
		{
			uint32_t in0 = 2 * i, out0 = 2 * i + 1, in1 = 2 * i + 2, out1 = 2 * i + 3;
			m.AddTriangle(in0, out0, out1);
			m.AddTriangle(in0, out1, in1);
		}
		return m;
	}

	Mesh Quad(float width, float height)
	{
		Mesh m;
		float w = width / 2, h = height / 2;
		uint32_t a = m.AddVertex({-w, -h, 0}, {0, 0, 1}, {0, 1});
		uint32_t b = m.AddVertex({w, -h, 0}, {0, 0, 1}, {1, 1});
		uint32_t c = m.AddVertex({w, h, 0}, {0, 0, 1}, {1, 0});
		uint32_t d = m.AddVertex({-w, h, 0}, {0, 0, 1}, {0, 0});
		m.AddQuad(a, b, c, d);
		return m;
	}

	static float Cross2(Vec2 a, Vec2 b, Vec2 c)
	{
		return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
	}

	static bool InTriangle(Vec2 p, Vec2 a, Vec2 b, Vec2 c)
	{
		return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
	}

	std::vector<Triangle> Triangulate(const std::vector<Vec2>& polygon)
	{
		if (polygon.size() < 3)
			throw std::invalid_argument("Triangulate: fewer than 3 points");
		std::vector<uint32_t> remaining(polygon.size());
		for (uint32_t i = 0; i < remaining.size(); i++)
			remaining[i] = i;
		std::vector<Triangle> out;
		size_t guard = 0;
		while (remaining.size() > 3)
		{
			bool clipped = false;
			size_t count = remaining.size();
			for (size_t i = 0; i < count; i++)
			{
				uint32_t ia = remaining[(i + count - 1) % count], ib = remaining[i], ic = remaining[(i + 1) % count];
				Vec2 a = polygon[ia], b = polygon[ib], c = polygon[ic];
				float corner = Cross2(a, b, c);
				float scale = std::max(std::hypot(b.x - a.x, b.y - a.y) * std::hypot(c.x - b.x, c.y - b.y), 1e-12f);
				if (std::fabs(corner) <= 1e-6f * scale)
				{
					// A straight (or doubled-back) corner encloses nothing: drop it.
					remaining.erase(remaining.begin() + std::ptrdiff_t(i));
					clipped = true;
					break;
				}
				if (corner < 0)
					continue;		// reflex corner
				bool empty = true;
				for (uint32_t other : remaining)
					if (other != ia && other != ib && other != ic && InTriangle(polygon[other], a, b, c))
					{
						empty = false;
						break;
					}
				if (!empty)
					continue;
				out.push_back({ia, ib, ic});
				remaining.erase(remaining.begin() + std::ptrdiff_t(i));
				clipped = true;
				break;
			}
			if (!clipped || ++guard > polygon.size() * 2)
				throw std::invalid_argument("Triangulate: polygon is not simple or not counter-clockwise");
		}
		out.push_back({remaining[0], remaining[1], remaining[2]});
		return out;
	}

	Mesh FlatPolygon(const std::vector<Vec3>& outline, Vec3 normal, float uvScale)
	{
		normal = Normalize(normal);
		Vec3 helper = std::fabs(normal.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{0, 0, -1};
		Vec3 right = Normalize(Cross(helper, normal));
		Vec3 up = Cross(normal, right);
		std::vector<Vec2> flat;
		float area = 0;
		for (const Vec3& p : outline)
			flat.push_back({Dot(p, right), Dot(p, up)});
		for (size_t i = 0, j = flat.size() - 1; i < flat.size(); j = i++)
			area += flat[j].x * flat[i].y - flat[i].x * flat[j].y;
		std::vector<uint32_t> order(outline.size());
		for (uint32_t i = 0; i < order.size(); i++)
			order[i] = area >= 0 ? i : uint32_t(order.size() - 1 - i);
		std::vector<Vec2> ccw;
		for (uint32_t i : order)
			ccw.push_back(flat[i]);
		Mesh m;
		for (uint32_t i : order)
			m.AddVertex(outline[i], normal, {flat[i].x * uvScale, -flat[i].y * uvScale});
		for (const Triangle& t : Triangulate(ccw))
			m.AddTriangle(t[0], t[1], t[2]);
		return m;
	}

	// Moves each corner inward by `distance` along the mean of its two edge normals.
	static std::vector<Vec2> Inset(const std::vector<Vec2>& poly, float distance)
	{
		size_t n = poly.size();
		std::vector<Vec2> out(n);
		for (size_t i = 0; i < n; i++)
		{
			Vec2 prev = poly[(i + n - 1) % n], cur = poly[i], next = poly[(i + 1) % n];
			Vec3 e0 = Normalize({cur.x - prev.x, cur.y - prev.y, 0});
			Vec3 e1 = Normalize({next.x - cur.x, next.y - cur.y, 0});
			Vec3 inward = Normalize(Vec3{-e0.y, e0.x, 0} + Vec3{-e1.y, e1.x, 0});
			float cosHalf = std::max(Dot(inward, Vec3{-e1.y, e1.x, 0}), 0.3f);
			out[i] = {cur.x + inward.x * distance / cosHalf, cur.y + inward.y * distance / cosHalf};
		}
		return out;
	}

	Mesh Extrude(const std::vector<Vec2>& polygon, float depth, float bevel)
	{
		std::vector<Triangle> capTris = Triangulate(polygon);
		float hz = depth / 2;
		bevel = std::clamp(bevel, 0.0f, hz * 0.9f);
		std::vector<Vec2> capPoly = bevel > 0 ? Inset(polygon, bevel) : polygon;
		size_t n = polygon.size();

		Bounds b;
		for (Vec2 p : polygon)
			b.Add(Vec3{p.x, p.y, 0});
		Vec3 size = b.Size();
		auto capUV = [&](Vec2 p) {
			return Vec2{(p.x - b.min.x) / std::max(size.x, 1e-6f), 1 - (p.y - b.min.y) / std::max(size.y, 1e-6f)};
		};

		Mesh m;
		for (int side = 0; side < 2; side++)
		{
			float z = side == 0 ? hz : -hz;
			Vec3 normal{0, 0, side == 0 ? 1.0f : -1.0f};
			uint32_t base = uint32_t(m.points.size());
			for (Vec2 p : capPoly)
				m.AddVertex({p.x, p.y, z}, normal, capUV(p));
			for (const Triangle& t : capTris)
			{
				if (side == 0)
					m.AddTriangle(base + t[0], base + t[1], base + t[2]);
				else
					m.AddTriangle(base + t[0], base + t[2], base + t[1]);
			}
		}

		// Side walls: rings from back to front (with the chamfer rings when bevelled).
		std::vector<std::pair<const std::vector<Vec2>*, float>> rings;
		if (bevel > 0)
			rings = {{&capPoly, -hz}, {&polygon, -hz + bevel}, {&polygon, hz - bevel}, {&capPoly, hz}};
		else
			rings = {{&polygon, -hz}, {&polygon, hz}};
		Mesh sides;
		float perimeter = 0;
		for (size_t i = 0; i < n; i++)
		{
			Vec2 a = polygon[i], c = polygon[(i + 1) % n];
			perimeter += std::hypot(c.x - a.x, c.y - a.y);
		}
		for (size_t r = 0; r + 1 < rings.size(); r++)
		{
			const std::vector<Vec2>& p0 = *rings[r].first;
			const std::vector<Vec2>& p1 = *rings[r + 1].first;
			float z0 = rings[r].second, z1 = rings[r + 1].second;
			float u = 0;
			for (size_t i = 0; i < n; i++)
			{
				size_t j = (i + 1) % n;
				float len = std::hypot(polygon[j].x - polygon[i].x, polygon[j].y - polygon[i].y);
				float u0 = u / perimeter, u1 = (u + len) / perimeter;
				float v0 = (z0 + hz) / depth, v1 = (z1 + hz) / depth;
				uint32_t a = sides.AddVertex({p0[i].x, p0[i].y, z0}, {0, 0, 1}, {u0, v0});
				uint32_t bb = sides.AddVertex({p0[j].x, p0[j].y, z0}, {0, 0, 1}, {u1, v0});
				uint32_t c = sides.AddVertex({p1[j].x, p1[j].y, z1}, {0, 0, 1}, {u1, v1});
				uint32_t d = sides.AddVertex({p1[i].x, p1[i].y, z1}, {0, 0, 1}, {u0, v1});
				sides.AddQuad(a, bb, c, d);
				u += len;
			}
		}
		Append(m, Flatten(sides));
		return m;
	}

	std::vector<Vec2> RegularPolygon(int sides, float radius, float startAngle)
	{
		std::vector<Vec2> out;
		for (int i = 0; i < sides; i++)
		{
			float a = startAngle + 2 * PI * float(i) / float(sides);
			out.push_back({radius * std::cos(a), radius * std::sin(a)});
		}
		return out;
	}

	std::vector<Vec2> StarPolygon(int points, float outer, float inner, float startAngle)
	{
		std::vector<Vec2> out;
		for (int i = 0; i < points * 2; i++)
		{
			float a = startAngle + PI * float(i) / float(points);
			float r = (i % 2 == 0) ? outer : inner;
			out.push_back({r * std::cos(a), r * std::sin(a)});
		}
		return out;
	}

	std::vector<Vec2> RoundedRectPolygon(float width, float height, float radius, int cornerSteps)
	{
		float w = width / 2, h = height / 2;
		radius = std::clamp(radius, 0.0f, std::min(w, h) * 0.999f);
		cornerSteps = std::max(cornerSteps, 1);
		const Vec2 centres[4] = {{w - radius, -h + radius}, {w - radius, h - radius}, {-w + radius, h - radius}, {-w + radius, -h + radius}};
		std::vector<Vec2> out;
		for (int c = 0; c < 4; c++)
		{
			float start = -PI / 2 + c * PI / 2;
			for (int k = 0; k <= cornerSteps; k++)
			{
				float a = start + (PI / 2) * float(k) / float(cornerSteps);
				out.push_back({centres[c].x + radius * std::cos(a), centres[c].y + radius * std::sin(a)});
			}
		}
		return out;
	}
}
