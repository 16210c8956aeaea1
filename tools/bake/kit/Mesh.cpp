#include "kit/Mesh.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Kit
{
	uint32_t Mesh::AddVertex(Vec3 p, Vec3 n, Vec2 uv, Rgba color)
	{
		points.push_back(p);
		normals.push_back(n);
		uvs.push_back(uv);
		colors.push_back(color);
		tags.push_back(0);
		return uint32_t(points.size() - 1);
	}

	void Mesh::AddQuad(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
	{
		AddTriangle(a, b, c);
		AddTriangle(a, c, d);
	}

	void Bounds::Add(Vec3 p)
	{
		min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
		max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
		isEmpty = false;
	}

	void Bounds::Add(const Bounds& b)
	{
		if (b.isEmpty)
			return;
		Add(b.min);
		Add(b.max);
	}

	Bounds ComputeBounds(const Mesh& mesh)
	{
		Bounds b;
		for (const Vec3& p : mesh.points)
			b.Add(p);
		return b;
	}

	void Append(Mesh& dst, const Mesh& src)
	{
		uint32_t base = uint32_t(dst.points.size());
		dst.points.insert(dst.points.end(), src.points.begin(), src.points.end());
		dst.normals.insert(dst.normals.end(), src.normals.begin(), src.normals.end());
		dst.uvs.insert(dst.uvs.end(), src.uvs.begin(), src.uvs.end());
		dst.colors.insert(dst.colors.end(), src.colors.begin(), src.colors.end());
		dst.tags.insert(dst.tags.end(), src.tags.begin(), src.tags.end());
		for (const Triangle& t : src.triangles)
			dst.triangles.push_back({t[0] + base, t[1] + base, t[2] + base});
	}

	Mesh Merge(const std::vector<Mesh>& meshes)
	{
		Mesh out;
		for (const Mesh& m : meshes)
			Append(out, m);
		return out;
	}

	Mesh& Transform(Mesh& mesh, const Mat4& matrix)
	{
		for (Vec3& p : mesh.points)
			p = matrix.TransformPoint(p);
		for (Vec3& n : mesh.normals)
			n = matrix.TransformNormal(n);
		if (matrix.Determinant3() < 0)
			for (Triangle& t : mesh.triangles)
				std::swap(t[1], t[2]);
		return mesh;
	}

	Mesh& Translate(Mesh& mesh, Vec3 offset) { return Transform(mesh, Mat4::Translation(offset)); }
	Mesh& Scale(Mesh& mesh, Vec3 factors) { return Transform(mesh, Mat4::Scaling(factors)); }
	Mesh& Rotate(Mesh& mesh, Vec3 radians) { return Transform(mesh, Mat4::RotationXYZ(radians)); }

	Mesh& Mirror(Mesh& mesh, int axis)
	{
		Vec3 s{1, 1, 1};
		(axis == 0 ? s.x : axis == 1 ? s.y : s.z) = -1;
		return Scale(mesh, s);
	}

	Mesh Transformed(Mesh mesh, const Mat4& matrix)
	{
		Transform(mesh, matrix);
		return mesh;
	}

	Mesh& SetColor(Mesh& mesh, Rgba color)
	{
		std::fill(mesh.colors.begin(), mesh.colors.end(), color);
		return mesh;
	}

	Mesh& SetTag(Mesh& mesh, int tag)
	{
		std::fill(mesh.tags.begin(), mesh.tags.end(), tag);
		return mesh;
	}

	Mesh& GradientColor(Mesh& mesh, Rgba bottom, Rgba top)
	{
		Bounds b = ComputeBounds(mesh);
		float h = b.max.y - b.min.y;
		for (size_t i = 0; i < mesh.points.size(); i++)
			mesh.colors[i] = Mix(bottom, top, h > 0 ? (mesh.points[i].y - b.min.y) / h : 0.0f);
		return mesh;
	}

	Mesh& BakeSkyLight(Mesh& mesh, float strength)
	{
		for (size_t i = 0; i < mesh.points.size(); i++)
		{
			float up = mesh.normals[i].y;
			mesh.colors[i] = Shade(mesh.colors[i], 1.0f - strength + strength * (0.5f + 0.5f * up));
		}
		return mesh;
	}

	static float Component(Vec3 v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

	Mesh& PlanarUV(Mesh& mesh, int axis, float scale, Vec2 offset)
	{
		int ua = axis == 0 ? 2 : 0;
		int va = axis == 1 ? 2 : 1;
		for (size_t i = 0; i < mesh.points.size(); i++)
			mesh.uvs[i] = {Component(mesh.points[i], ua) * scale + offset.x, Component(mesh.points[i], va) * scale + offset.y};
		return mesh;
	}

	Mesh& BoxUV(Mesh& mesh, float scale)
	{
		for (size_t i = 0; i < mesh.points.size(); i++)
		{
			Vec3 n = mesh.normals[i], p = mesh.points[i];
			float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
			if (ax >= ay && ax >= az)
				mesh.uvs[i] = {p.z * scale, p.y * scale};
			else if (ay >= az)
				mesh.uvs[i] = {p.x * scale, p.z * scale};
			else
				mesh.uvs[i] = {p.x * scale, p.y * scale};
		}
		return mesh;
	}

	Mesh& CylinderUV(Mesh& mesh, float uRepeat, float vScale)
	{
		for (size_t i = 0; i < mesh.points.size(); i++)
		{
			Vec3 p = mesh.points[i];
			float angle = std::atan2(p.x, p.z);
			mesh.uvs[i] = {(angle / (2 * PI) + 0.5f) * uRepeat, p.y * vScale};
		}
		return mesh;
	}

	Mesh Flatten(const Mesh& mesh)
	{
		Mesh out;
		for (const Triangle& t : mesh.triangles)
		{
			Vec3 a = mesh.points[t[0]], b = mesh.points[t[1]], c = mesh.points[t[2]];
			Vec3 n = Normalize(Cross(b - a, c - a));
			for (uint32_t index : t)
			{
				uint32_t v = out.AddVertex(mesh.points[index], n, mesh.uvs[index], mesh.colors[index]);
				out.tags[v] = mesh.tags[index];
			}
			uint32_t base = uint32_t(out.points.size() - 3);
			out.AddTriangle(base, base + 1, base + 2);
		}
		return out;
	}

	Mesh& MakeDoubleSided(Mesh& mesh)
	{
		Mesh back = mesh;
		for (Vec3& n : back.normals)
			n = -n;
		for (Triangle& t : back.triangles)
			std::swap(t[1], t[2]);
		Append(mesh, back);
		return mesh;
	}

	void ComputeSmoothNormals(Mesh& mesh)
	{
		std::vector<Vec3> sum(mesh.points.size());
		for (const Triangle& t : mesh.triangles)
		{
			Vec3 a = mesh.points[t[0]], b = mesh.points[t[1]], c = mesh.points[t[2]];
			Vec3 n = Cross(b - a, c - a);		// area-weighted
			for (uint32_t index : t)
				sum[index] += n;
		}
		for (size_t i = 0; i < sum.size(); i++)
		{
			Vec3 n = Normalize(sum[i]);
			mesh.normals[i] = Length(n) > 0 ? n : Vec3{0, 1, 0};
		}
	}

	void Validate(const Mesh& mesh)
	{
		size_t n = mesh.points.size();
		if (mesh.normals.size() != n || mesh.uvs.size() != n || mesh.colors.size() != n || mesh.tags.size() != n)
			throw std::logic_error("mesh arrays differ in length");
		for (const Triangle& t : mesh.triangles)
			for (uint32_t index : t)
				if (index >= n)
					throw std::logic_error("triangle index " + std::to_string(index) + " out of range " + std::to_string(n));
		for (const Vec3& v : mesh.normals)
			if (std::fabs(Length(v) - 1.0f) > 1e-3f)
				throw std::logic_error("normal is not unit length");
		for (const Vec3& p : mesh.points)
			if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
				throw std::logic_error("point is not finite");
	}
}
