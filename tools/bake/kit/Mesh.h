// A triangle mesh of the modelling kit: per-vertex positions, normals,
// texture coordinates, colours and an optional integer tag (the rig uses it
// to bind vertices to joints), and counter-clockwise triangles.
#pragma once

#include "kit/KitMath.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Kit
{
	using Triangle = std::array<uint32_t, 3>;

	struct Mesh
	{
		std::vector<Vec3> points;
		std::vector<Vec3> normals;		// one per point
		std::vector<Vec2> uvs;			// one per point
		std::vector<Rgba> colors;		// one per point
		std::vector<int> tags;			// one per point
		std::vector<Triangle> triangles;

		size_t VertexCount() const { return points.size(); }
		// Appends a vertex (tag 0) and returns its index.
		uint32_t AddVertex(Vec3 p, Vec3 n, Vec2 uv, Rgba color = {});
		void AddTriangle(uint32_t a, uint32_t b, uint32_t c) { triangles.push_back({a, b, c}); }
		// Two triangles a-b-c, a-c-d.
		void AddQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
	};

	struct Bounds
	{
		Vec3 min{1e8f, 1e8f, 1e8f};
		Vec3 max{-1e8f, -1e8f, -1e8f};
		bool isEmpty = true;

		void Add(Vec3 p);
		void Add(const Bounds& b);
		Vec3 Size() const { return isEmpty ? Vec3{} : max - min; }
		Vec3 Center() const { return isEmpty ? Vec3{} : (min + max) * 0.5f; }
	};

	Bounds ComputeBounds(const Mesh& mesh);

	// Appends `src` to `dst` (indices shifted).
	void Append(Mesh& dst, const Mesh& src);
	Mesh Merge(const std::vector<Mesh>& meshes);

	// Transforms in place. A mirroring matrix (negative determinant) also
	// reverses the winding so the faces still face outward.
	Mesh& Transform(Mesh& mesh, const Mat4& matrix);
	Mesh& Translate(Mesh& mesh, Vec3 offset);
	Mesh& Scale(Mesh& mesh, Vec3 factors);
	Mesh& Rotate(Mesh& mesh, Vec3 radians);		// x, then y, then z
	// Mirror across the plane through the origin normal to axis 0 (x), 1 (y) or 2 (z).
	Mesh& Mirror(Mesh& mesh, int axis);

	// Returns a transformed copy.
	Mesh Transformed(Mesh mesh, const Mat4& matrix);

	Mesh& SetColor(Mesh& mesh, Rgba color);
	Mesh& SetTag(Mesh& mesh, int tag);
	// Colour by height: `bottom` at the mesh's lowest point to `top` at its highest.
	Mesh& GradientColor(Mesh& mesh, Rgba bottom, Rgba top);
	// Darkens downward-facing vertices (by up to `strength`): a cheap baked
	// sky light for unlit objects such as glowing beams and overlays.
	Mesh& BakeSkyLight(Mesh& mesh, float strength = 0.35f);

	// Texture coordinates by projection: planar along an axis (0 x, 1 y, 2 z),
	// `scale` texture repeats per unit.
	Mesh& PlanarUV(Mesh& mesh, int axis, float scale, Vec2 offset = {});
	// Box mapping: each vertex projected along its normal's dominant axis.
	Mesh& BoxUV(Mesh& mesh, float scale);
	// Cylindrical mapping around y: u = angle / 2π × uRepeat, v = y × vScale.
	Mesh& CylinderUV(Mesh& mesh, float uRepeat, float vScale);

	// Splits every triangle into its own vertices with the face normal:
	// faceted low-poly shading.
	Mesh Flatten(const Mesh& mesh);
	// Adds the reversed faces (for thin panels seen from both sides).
	Mesh& MakeDoubleSided(Mesh& mesh);

	// Mean of the face normals around each point: smooth shading.
	void ComputeSmoothNormals(Mesh& mesh);

	// Sanity: every index in range, every array the right length, every
	// normal unit length. Throws std::logic_error describing the fault.
	void Validate(const Mesh& mesh);
}
