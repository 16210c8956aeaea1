#include "kit/KitMath.h"

#include <algorithm>

namespace Kit
{
	static uint8_t ToByte(float v)
	{
		return uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
	}

	Rgba RgbaF(float r, float g, float b, float a)
	{
		return {ToByte(r), ToByte(g), ToByte(b), ToByte(a)};
	}

	Rgba Hex(uint32_t rgb, uint8_t alpha)
	{
		return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), alpha};
	}

	Rgba Mix(Rgba a, Rgba b, float t)
	{
		t = std::clamp(t, 0.0f, 1.0f);
		auto lerp = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
		return {lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b), lerp(a.a, b.a)};
	}

	Rgba Shade(Rgba c, float factor)
	{
		auto scale = [factor](uint8_t v) { return uint8_t(std::clamp(std::lround(v * factor), 0L, 255L)); };
		return {scale(c.r), scale(c.g), scale(c.b), c.a};
	}

	Mat4 Mat4::Translation(Vec3 t)
	{
		Mat4 r;
		r.m[12] = t.x;
		r.m[13] = t.y;
		r.m[14] = t.z;
		return r;
	}

	Mat4 Mat4::Scaling(Vec3 s)
	{
		Mat4 r;
		r.m[0] = s.x;
		r.m[5] = s.y;
		r.m[10] = s.z;
		return r;
	}

	Mat4 Mat4::RotationX(float a)
	{
		Mat4 r;
		float c = std::cos(a), s = std::sin(a);
		r.m[5] = c;
		r.m[6] = s;
		r.m[9] = -s;
		r.m[10] = c;
		return r;
	}

	Mat4 Mat4::RotationY(float a)
	{
		Mat4 r;
		float c = std::cos(a), s = std::sin(a);
		r.m[0] = c;
		r.m[2] = -s;
		r.m[8] = s;
		r.m[10] = c;
		return r;
	}

	Mat4 Mat4::RotationZ(float a)
	{
		Mat4 r;
		float c = std::cos(a), s = std::sin(a);
		r.m[0] = c;
		r.m[1] = s;
		r.m[4] = -s;
		r.m[5] = c;
		return r;
	}

	Mat4 Mat4::RotationXYZ(Vec3 a)
	{
		return RotationZ(a.z) * RotationY(a.y) * RotationX(a.x);
	}

	Mat4 Mat4::operator*(const Mat4& o) const
	{
		Mat4 r;
		for (int col = 0; col < 4; col++)
			for (int row = 0; row < 4; row++)
			{
				float sum = 0;
				for (int k = 0; k < 4; k++)
					sum += m[k * 4 + row] * o.m[col * 4 + k];
				r.m[col * 4 + row] = sum;
			}
		return r;
	}

	Vec3 Mat4::TransformPoint(Vec3 p) const
	{
		return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
				m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
				m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
	}

	Vec3 Mat4::TransformVector(Vec3 v) const
	{
		return {m[0] * v.x + m[4] * v.y + m[8] * v.z,
				m[1] * v.x + m[5] * v.y + m[9] * v.z,
				m[2] * v.x + m[6] * v.y + m[10] * v.z};
	}

	float Mat4::Determinant3() const
	{
		return m[0] * (m[5] * m[10] - m[9] * m[6])
			 - m[4] * (m[1] * m[10] - m[9] * m[2])
			 + m[8] * (m[1] * m[6] - m[5] * m[2]);
	}

	Vec3 Mat4::TransformNormal(Vec3 n) const
	{
		// The cofactor matrix is the inverse transpose times the determinant,
		// so its sign follows the determinant's (mirrors flip it back).
		float c00 = m[5] * m[10] - m[9] * m[6], c01 = m[8] * m[6] - m[4] * m[10], c02 = m[4] * m[9] - m[8] * m[5];
		float c10 = m[9] * m[2] - m[1] * m[10], c11 = m[0] * m[10] - m[8] * m[2], c12 = m[8] * m[1] - m[0] * m[9];
		float c20 = m[1] * m[6] - m[5] * m[2], c21 = m[4] * m[2] - m[0] * m[6], c22 = m[0] * m[5] - m[4] * m[1];
		Vec3 r{c00 * n.x + c10 * n.y + c20 * n.z,
			   c01 * n.x + c11 * n.y + c21 * n.z,
			   c02 * n.x + c12 * n.y + c22 * n.z};
		if (Determinant3() < 0)
			r = -r;
		return Normalize(r);
	}
}
