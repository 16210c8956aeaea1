// The modelling kit's geometry: primitives are closed where they should be,
// face outward, have unit normals that agree with their winding, and keep
// doing so through transforms and mirroring.
#include "kit/BlockLetters.h"
#include "kit/Mesh.h"
#include "kit/Model.h"
#include "kit/Parts.h"
#include "kit/Primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace Kit;

namespace
{
	// Signed volume by the divergence theorem: positive for a closed mesh
	// whose faces wind counter-clockwise seen from outside.
	double SignedVolume(const Mesh& m)
	{
		double v = 0;
		for (const Triangle& t : m.triangles)
		{
			Vec3 a = m.points[t[0]], b = m.points[t[1]], c = m.points[t[2]];
			v += Dot(a, Cross(b, c)) / 6.0;
		}
		return v;
	}

	// Every non-degenerate face's winding normal points the same way as its
	// vertex normals (within 90°).
	void ExpectWindingMatchesNormals(const Mesh& m, const char* what)
	{
		int bad = 0;
		for (const Triangle& t : m.triangles)
		{
			Vec3 a = m.points[t[0]], b = m.points[t[1]], c = m.points[t[2]];
			Vec3 face = Cross(b - a, c - a);
			if (Length(face) < 1e-6f)
				continue;
			Vec3 vn = m.normals[t[0]] + m.normals[t[1]] + m.normals[t[2]];
			if (Dot(face, vn) <= 0)
				bad++;
		}
		EXPECT_EQ(bad, 0) << what;
	}

	void ExpectSize(const Mesh& m, Vec3 size, float tolerance = 1e-3f)
	{
		Vec3 s = ComputeBounds(m).Size();
		EXPECT_NEAR(s.x, size.x, tolerance);
		EXPECT_NEAR(s.y, size.y, tolerance);
		EXPECT_NEAR(s.z, size.z, tolerance);
	}
}

TEST(KitPrimitives, ClosedShapesFaceOutwardWithTheRightVolume)
{
	struct Case
	{
		const char* name;
		Mesh mesh;
		double volume;		// analytic volume of the ideal shape
		double tolerance;	// relative, for faceting
	};
	const double pi = 3.14159265358979;
	Case cases[] =
	{
		{"box", Box({2, 4, 6}), 48, 1e-6},
		{"rounded box", RoundedBox({10, 10, 10}, 2, 3), 1000 - (8 - 4 * pi / 3) * 8 - 3 * 4 * (4 - pi) * 6, 0.03},
		{"cylinder", Cylinder(2, 2, 5, 32), pi * 4 * 5, 0.02},
		{"faceted cylinder", Cylinder(2, 2, 5, 32, true, false), pi * 4 * 5, 0.02},
		{"cone", Cone(3, 6, 32), pi * 9 * 6 / 3, 0.02},
		{"sphere", Sphere(4, 32, 16), 4 * pi * 64 / 3, 0.03},
		{"faceted sphere", Sphere(4, 32, 16, false), 4 * pi * 64 / 3, 0.03},
		{"capsule", Capsule(2, 10, 32, 8), pi * 4 * 6 + 4 * pi * 8 / 3, 0.03},
		{"torus", Torus(5, 1, 48, 16), 2 * pi * pi * 5 * 1, 0.03},
		{"extrusion", Extrude({{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}}, 2), 12, 1e-4},
		{"bevelled extrusion", Extrude(RegularPolygon(6, 3), 2, 0.3f), 0, 0},
	};
	for (Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		EXPECT_NO_THROW(Validate(c.mesh));
		ExpectWindingMatchesNormals(c.mesh, c.name);
		double v = SignedVolume(c.mesh);
		EXPECT_GT(v, 0) << "inside out";
		if (c.volume > 0)
		{
			EXPECT_NEAR(v, c.volume, c.volume * c.tolerance);
		}
	}
}

TEST(KitPrimitives, SizesAndPlacement)
{
	ExpectSize(Box({2, 4, 6}), {2, 4, 6});
	ExpectSize(RoundedBox({10, 6, 8}, 2, 2), {10, 6, 8});
	ExpectSize(Cylinder(2, 1, 5, 16), {4, 5, 4}, 0.02f);
	ExpectSize(Capsule(2, 10, 16, 4), {4, 10, 4}, 0.02f);
	// A radius larger than the box is clamped: still a box of that size.
	ExpectSize(RoundedBox({4, 4, 4}, 10, 2), {4, 4, 4}, 0.01f);
	Bounds b = ComputeBounds(Cylinder(1, 1, 4, 8));
	EXPECT_NEAR(b.min.y, -2, 1e-5f);
	EXPECT_NEAR(b.max.y, 2, 1e-5f);
}

TEST(KitPrimitives, OpenAndPartialShapes)
{
	Mesh ring = Ring(1, 2, 12);
	Validate(ring);
	for (const Triangle& t : ring.triangles)		// a ring facing +y winds counter-clockwise from above
		EXPECT_GT(Cross(ring.points[t[1]] - ring.points[t[0]], ring.points[t[2]] - ring.points[t[0]]).y, 0);

	Mesh quad = Quad(2, 4);
	ExpectWindingMatchesNormals(quad, "quad");
	EXPECT_FLOAT_EQ(quad.uvs[3].y, 0);		// top left shows the image's top row

	LatheOptions half;
	half.segments = 8;
	half.sweep = PI;
	Mesh shell = Lathe({{0, 0}, {2, 1}, {0, 2}}, half);
	for (const Vec3& p : shell.points)
		EXPECT_GE(p.x, -1e-5f);
	ExpectWindingMatchesNormals(shell, "half lathe");
}

TEST(KitPrimitives, PolesNeverMakeDegenerateTriangles)
{
	Mesh s = Sphere(1, 8, 4);
	for (const Triangle& t : s.triangles)
	{
		Vec3 n = Cross(s.points[t[1]] - s.points[t[0]], s.points[t[2]] - s.points[t[0]]);
		EXPECT_GT(Length(n), 1e-6f);
	}
}

TEST(KitTransforms, MirrorAndNonUniformScaleKeepFacesOutward)
{
	Mesh m = Sphere(1, 16, 8);
	Scale(m, {3, 1, 0.5f});
	ExpectWindingMatchesNormals(m, "scaled sphere");
	EXPECT_GT(SignedVolume(m), 0);
	// Normals take the inverse transpose: on a sphere squashed along z, a
	// normal half-way between x and z leans toward z.
	Vec3 n = Mat4::Scaling({1, 1, 0.5f}).TransformNormal(Normalize({1, 0, 1}));
	EXPECT_GT(n.z, n.x);
	EXPECT_NEAR(Length(n), 1, 1e-5f);
	Mirror(m, 0);
	EXPECT_GT(SignedVolume(m), 0) << "mirroring must reverse the winding";
	ExpectWindingMatchesNormals(m, "mirrored sphere");

	Mesh box = Box({1, 1, 1});
	Translate(box, {5, 0, 0});
	Mirror(box, 0);
	Bounds b = ComputeBounds(box);
	EXPECT_NEAR(b.min.x, -5.5f, 1e-5f);
	EXPECT_NEAR(b.max.x, -4.5f, 1e-5f);
	EXPECT_GT(SignedVolume(box), 0);
}

TEST(KitTransforms, RotationOrderIsXThenYThenZ)
{
	// (0, 1, 0) turned a quarter about x lands on +z; then a quarter about y on +x.
	Vec3 p = Mat4::RotationXYZ({PI / 2, PI / 2, 0}).TransformPoint({0, 1, 0});
	EXPECT_NEAR(p.x, 1, 1e-5f);
	EXPECT_NEAR(p.y, 0, 1e-5f);
	EXPECT_NEAR(p.z, 0, 1e-5f);
	// Column order: translation in elements 12-14.
	Mat4 t = Mat4::Translation({1, 2, 3});
	EXPECT_EQ(t.m[12], 1);
	EXPECT_EQ(t.m[13], 2);
	EXPECT_EQ(t.m[14], 3);
}

TEST(KitMeshes, MergeFlattenAndDoubleSided)
{
	Mesh a = Box({1, 1, 1}), b = Sphere(1, 8, 4);
	SetTag(b, 7);
	Mesh m = Merge({a, b});
	EXPECT_EQ(m.points.size(), a.points.size() + b.points.size());
	EXPECT_EQ(m.triangles.size(), a.triangles.size() + b.triangles.size());
	Validate(m);
	EXPECT_EQ(m.tags.back(), 7);
	EXPECT_EQ(m.tags.front(), 0);

	Mesh flat = Flatten(b);
	EXPECT_EQ(flat.points.size(), b.triangles.size() * 3);
	for (const Triangle& t : flat.triangles)
	{
		Vec3 face = Normalize(Cross(flat.points[t[1]] - flat.points[t[0]], flat.points[t[2]] - flat.points[t[0]]));
		for (uint32_t i : t)
			EXPECT_NEAR(Dot(face, flat.normals[i]), 1, 1e-4f);
	}
	EXPECT_EQ(flat.tags[0], 7);

	Mesh q = Quad(1, 1);
	MakeDoubleSided(q);
	EXPECT_EQ(q.triangles.size(), 4u);
	ExpectWindingMatchesNormals(q, "double-sided quad");
}

TEST(KitMeshes, ValidateCatchesBrokenMeshes)
{
	Mesh m = Box({1, 1, 1});
	m.triangles.push_back({0, 1, 99});
	EXPECT_THROW(Validate(m), std::logic_error);
	Mesh n = Box({1, 1, 1});
	n.normals[0] = {0, 0, 0};
	EXPECT_THROW(Validate(n), std::logic_error);
	Mesh c = Box({1, 1, 1});
	c.colors.pop_back();
	EXPECT_THROW(Validate(c), std::logic_error);
}

TEST(KitTriangulate, ConcaveAndCollinearOutlines)
{
	// An L shape: area 4.
	std::vector<Vec2> l = {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 2}, {0, 2}};
	auto tris = Triangulate(l);
	EXPECT_EQ(tris.size(), l.size() - 2);
	double area = 0;
	for (const Triangle& t : tris)
	{
		Vec2 a = l[t[0]], b = l[t[1]], c = l[t[2]];
		double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
		EXPECT_GT(cross, 0) << "clockwise triangle";
		area += cross / 2;
	}
	EXPECT_NEAR(area, 4, 1e-5);

	// Collinear points along an edge are dropped, not a failure.
	std::vector<Vec2> square = {{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}};
	EXPECT_NO_THROW(Triangulate(square));

	EXPECT_THROW(Triangulate({{0, 0}, {1, 1}}), std::invalid_argument);
	// Clockwise outlines have no ears.
	EXPECT_THROW(Triangulate({{0, 0}, {0, 1}, {1, 1}, {1, 0}}), std::invalid_argument);
}

TEST(KitTriangulate, FlatPolygonFacesTheGivenNormal)
{
	std::vector<Vec3> outline = {{0, 0, 0}, {0, 0, 2}, {0, 2, 2}, {0, 2, 0}};
	for (Vec3 n : {Vec3{1, 0, 0}, Vec3{-1, 0, 0}})
	{
		Mesh m = FlatPolygon(outline, n);
		Validate(m);
		for (const Triangle& t : m.triangles)
			EXPECT_GT(Dot(Cross(m.points[t[1]] - m.points[t[0]], m.points[t[2]] - m.points[t[0]]), n), 0);
	}
}

TEST(KitModels, BuilderGroupsPartsByMaterialAndValidates)
{
	ModelFile file;
	ModelBuilder b(file);
	int red = b.AddMaterial(ColorMaterial());
	int blue = b.AddMaterial(ColorMaterial(0.5f));
	b.Add(Box({1, 1, 1}), red);
	b.Add(Sphere(1, 8, 4), blue);
	b.Add(Box({2, 2, 2}), red);
	file.models.push_back(b.Build("test"));
	ASSERT_EQ(file.models[0].members.size(), 2u);
	EXPECT_EQ(file.models[0].members[0].material, red);
	EXPECT_EQ(file.models[0].members[0].mesh.points.size(), 48u);
	EXPECT_EQ(CountGeometries(file.models[0]), 2);
	EXPECT_NO_THROW(Validate(file));
	Bounds bounds = ComputeBounds(file.models[0]);
	EXPECT_FLOAT_EQ(bounds.max.x, 1);

	file.models[0].members[1].material = 5;
	EXPECT_THROW(Validate(file), std::logic_error);
	file.models[0].members[1].material = blue;

	// The game's groups hold at most 70 members.
	Node wide = MakeGroup({});
	for (int i = 0; i < 71; i++)
		wide.members.push_back(MakeGeometry(Box({1, 1, 1}), red));
	file.models.push_back(wide);
	EXPECT_THROW(Validate(file), std::logic_error);
	file.models.back().members.pop_back();
	EXPECT_NO_THROW(Validate(file));

	// A textured flag without a texture (or the reverse) is a mistake.
	file.materials[0].flags |= MAT_TEXTURED;
	EXPECT_THROW(Validate(file), std::logic_error);
}

TEST(KitParts, StandingPartsSitOnTheirBaseAndPlacedOnesTakeOneColour)
{
	Bounds standing = ComputeBounds(Standing(Cylinder(3, 2, 10, 8), 10, 4));
	EXPECT_NEAR(standing.min.y, 4, 1e-5f);
	EXPECT_NEAR(standing.max.y, 14, 1e-5f);

	ModelFile file;
	ModelBuilder b(file);
	int material = b.AddMaterial(ColorMaterial());
	const Rgba red = {255, 0, 0, 255};
	AddPlaced(b, Box({2, 2, 2}), {10, 0, -5}, red, material);
	Node model = b.Build("placed");
	Bounds placed = ComputeBounds(model);
	EXPECT_NEAR(placed.Center().x, 10, 1e-5f);
	EXPECT_NEAR(placed.Center().z, -5, 1e-5f);
	ForEachGeometry(model, [&](const Node& g) {
		for (Rgba c : g.mesh.colors)
			EXPECT_TRUE(c.r == red.r && c.g == red.g && c.b == red.b && c.a == red.a);
	});

	// The orb is centred at its height, pale blue at its foot and white on top.
	Node orb = GlowingOrb(file, {.radius = 30, .height = 200}, "orb");
	Bounds orbBounds = ComputeBounds(orb);
	EXPECT_NEAR(orbBounds.Center().y, 200, 0.5f);
	EXPECT_NEAR(orbBounds.Size().y, 60, 0.5f);
	ForEachGeometry(orb, [&](const Node& g) {
		for (size_t i = 0; i < g.mesh.points.size(); i++)
		{
			if (g.mesh.points[i].y < orbBounds.min.y + 0.01f)
				EXPECT_EQ(g.mesh.colors[i].r, 120);
			if (g.mesh.points[i].y > orbBounds.max.y - 0.01f)
				EXPECT_EQ(g.mesh.colors[i].r, 255);
		}
	});
	file.models = {model, orb};
	EXPECT_NO_THROW(Validate(file));
}

namespace
{
	// Whether a front face (facing +z) of the mesh covers (x, y).
	bool FrontCovers(const Kit::Mesh& mesh, float x, float y)
	{
		for (const auto& t : mesh.triangles)
		{
			const Kit::Vec3 a = mesh.points[t[0]], b = mesh.points[t[1]], c = mesh.points[t[2]];
			if (mesh.normals[t[0]].z < 0.9f)
				continue;
			const float d1 = (x - b.x) * (a.y - b.y) - (a.x - b.x) * (y - b.y);
			const float d2 = (x - c.x) * (b.y - c.y) - (b.x - c.x) * (y - c.y);
			const float d3 = (x - a.x) * (c.y - a.y) - (c.x - a.x) * (y - a.y);
			if (!((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0)))
				return true;
		}
		return false;
	}
}

TEST(KitBlockLetters, LettersFillTheirCellsAroundTheirHolesAndUnknownOnesAreRefused)
{
	Kit::BlockTextStyle s;
	const Kit::Mesh o = Kit::BlockText("O", s);
	Kit::Validate(o);
	const Kit::Bounds box = Kit::ComputeBounds(o);
	EXPECT_NEAR(box.Size().x, s.width, 0.01f);
	EXPECT_NEAR(box.Size().y, s.height, 0.01f);
	EXPECT_NEAR(box.Size().z, s.depth, 0.01f);
	EXPECT_FALSE(FrontCovers(o, 0, 0)) << "the O's hole";
	EXPECT_TRUE(FrontCovers(o, -s.width / 2 + s.stroke / 2, 0)) << "its left side";

	const Kit::Mesh t = Kit::BlockText("T", s);
	EXPECT_TRUE(FrontCovers(t, -s.width / 2 + s.stroke / 2, s.height / 2 - s.stroke / 2)) << "the bar's left end";
	EXPECT_TRUE(FrontCovers(t, 0, -s.height / 4)) << "the stem";
	EXPECT_FALSE(FrontCovers(t, -s.width / 2 + s.stroke / 2, 0)) << "beside the stem";

	// A word is its letters side by side, centred.
	const Kit::Bounds word = Kit::ComputeBounds(Kit::BlockText("ZAPPATRON", s));
	EXPECT_NEAR(word.Size().x, Kit::BlockTextWidth("ZAPPATRON", s), 0.01f);
	EXPECT_NEAR(word.Center().x, 0, 0.01f);
	EXPECT_THROW(Kit::BlockText("Q", s), std::invalid_argument);
}
