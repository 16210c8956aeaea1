// Small vector and matrix types for the modelling kit. Conventions match the
// game: y is up, a model faces -z, matrices are 4x4 in OpenGL column order and
// Euler rotations apply x first, then y, then z.
#pragma once

#include <cmath>
#include <cstdint>

namespace Kit
{
	constexpr float PI = 3.14159265358979f;

	struct Vec2
	{
		float x = 0, y = 0;
	};

	struct Vec3
	{
		float x = 0, y = 0, z = 0;

		Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
		Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
		Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
		Vec3 operator-() const { return {-x, -y, -z}; }
		Vec3& operator+=(const Vec3& o) { x += o.x; y += o.y; z += o.z; return *this; }
	};

	inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
	inline Vec3 Cross(const Vec3& a, const Vec3& b)
	{
		return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
	}
	inline float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }
	// Unit vector; a zero vector stays zero.
	inline Vec3 Normalize(const Vec3& v)
	{
		float len = Length(v);
		return len > 1e-12f ? v * (1.0f / len) : Vec3{};
	}
	inline Vec3 Lerp(const Vec3& a, const Vec3& b, float t) { return a + (b - a) * t; }

	// Vertex colour: four bytes, as the model files store them.
	struct Rgba
	{
		uint8_t r = 255, g = 255, b = 255, a = 255;
		bool operator==(const Rgba&) const = default;
	};

	// Builds a colour from 0..1 floats (clamped).
	Rgba RgbaF(float r, float g, float b, float a = 1.0f);
	// Builds a colour from a 0xRRGGBB value.
	Rgba Hex(uint32_t rgb, uint8_t alpha = 255);
	// Linear mix of two colours, t in 0..1.
	Rgba Mix(Rgba a, Rgba b, float t);
	// Multiplies the colour channels by `factor` (alpha kept), clamped.
	Rgba Shade(Rgba c, float factor);

	struct Mat4
	{
		float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

		static Mat4 Translation(Vec3 t);
		static Mat4 Scaling(Vec3 s);
		static Mat4 RotationX(float radians);
		static Mat4 RotationY(float radians);
		static Mat4 RotationZ(float radians);
		// x first, then y, then z.
		static Mat4 RotationXYZ(Vec3 radians);

		// this × o: o is applied first.
		Mat4 operator*(const Mat4& o) const;
		Vec3 TransformPoint(Vec3 p) const;
		Vec3 TransformVector(Vec3 v) const;
		// Normals take the inverse transpose of the 3×3 part, renormalised.
		Vec3 TransformNormal(Vec3 n) const;
		float Determinant3() const;
	};
}
