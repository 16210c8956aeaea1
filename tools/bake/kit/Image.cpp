#include "kit/Image.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Kit
{
	Image::Image(int w, int h, Rgba fill) :
		width(w), height(h), pixels(size_t(w) * size_t(h), fill)
	{
	}

	const Rgba& Image::Wrapped(int x, int y) const
	{
		x %= width;
		y %= height;
		if (x < 0) x += width;
		if (y < 0) y += height;
		return At(x, y);
	}

	static uint8_t Clamp8(float v)
	{
		return uint8_t(std::clamp(std::lround(v), 0L, 255L));
	}

	void Plot(Image& img, int x, int y, Rgba c, float coverage, Blend mode)
	{
		if (x < 0 || y < 0 || x >= img.width || y >= img.height || coverage <= 0)
			return;
		coverage = std::min(coverage, 1.0f);
		Rgba& d = img.At(x, y);
		float a = c.a / 255.0f * coverage;
		switch (mode)
		{
			case Blend::OVER:
			{
				float da = d.a / 255.0f;
				float outA = a + da * (1 - a);
				if (outA <= 0)
				{
					d = {0, 0, 0, 0};
					return;
				}
				auto ch = [&](uint8_t s, uint8_t t) { return Clamp8((s * a + t * da * (1 - a)) / outA); };
				d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), Clamp8(outA * 255)};
				break;
			}
			case Blend::ADD:
				d = {Clamp8(d.r + c.r * a), Clamp8(d.g + c.g * a), Clamp8(d.b + c.b * a), std::max(d.a, Clamp8(a * 255))};
				break;
			case Blend::MULTIPLY:
			{
				auto ch = [&](uint8_t s, uint8_t t) { return Clamp8(t * (1 - a + a * s / 255.0f)); };
				d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), d.a};
				break;
			}
			case Blend::REPLACE:
			{
				auto ch = [&](uint8_t s, uint8_t t) { return Clamp8(t + (s - t) * coverage); };
				d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), ch(c.a, d.a)};
				break;
			}
			case Blend::ERASE:
				d.a = Clamp8(d.a * (1 - a));
				break;
		}
	}

	void Fill(Image& img, Rgba color)
	{
		std::fill(img.pixels.begin(), img.pixels.end(), color);
	}

	uint32_t Hash32(uint32_t x)
	{
		x ^= x >> 16;
		x *= 0x7FEB352Du;
		x ^= x >> 15;
		x *= 0x846CA68Bu;
		x ^= x >> 16;
		return x;
	}

	float HashFloat(uint32_t x)
	{
		return float(Hash32(x) & 0xFFFFFF) / float(0xFFFFFF);
	}

	static float Lattice(int x, int y, int period, uint32_t seed)
	{
		x %= period;
		y %= period;
		if (x < 0) x += period;
		if (y < 0) y += period;
		return HashFloat(uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ Hash32(seed));
	}

	float ValueNoise(float x, float y, int period, uint32_t seed)
	{
		period = std::max(period, 1);
		int x0 = int(std::floor(x)), y0 = int(std::floor(y));
		float fx = x - float(x0), fy = y - float(y0);
		float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
		float a = Lattice(x0, y0, period, seed), b = Lattice(x0 + 1, y0, period, seed);
		float c = Lattice(x0, y0 + 1, period, seed), d = Lattice(x0 + 1, y0 + 1, period, seed);
		float top = a + (b - a) * sx, bottom = c + (d - c) * sx;
		return top + (bottom - top) * sy;
	}

	float FractalNoise(float x, float y, int period, int octaves, uint32_t seed)
	{
		float sum = 0, weight = 0, amplitude = 1;
		for (int o = 0; o < octaves; o++)
		{
			int scale = 1 << o;
			sum += amplitude * ValueNoise(x * float(scale), y * float(scale), period * scale, seed + uint32_t(o) * 101u);
			weight += amplitude;
			amplitude *= 0.5f;
		}
		return sum / weight;
	}

	void Noise(Image& img, Rgba a, Rgba b, int cells, int octaves, uint32_t seed, float contrast)
	{
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				float n = FractalNoise(float(x) * cells / img.width, float(y) * cells / img.height, cells, octaves, seed);
				n = std::clamp(0.5f + (n - 0.5f) * contrast, 0.0f, 1.0f);
				img.At(x, y) = Mix(a, b, n);
			}
	}

	void Grunge(Image& img, float amount, int cells, uint32_t seed)
	{
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				float n = FractalNoise(float(x) * cells / img.width, float(y) * cells / img.height, cells, 3, seed);
				img.At(x, y) = Shade(img.At(x, y), 1 - amount + amount * n);
			}
	}

	// Anti-aliased square wave: fraction `duty` of each period is 1.
	static float Band(float t, float duty, float pixelsPerPeriod)
	{
		float f = t - std::floor(t);
		float d = std::min({f, 1 - f, std::fabs(f - duty)}) * pixelsPerPeriod;
		return f < duty ? std::min(1.0f, 0.5f + d) : std::max(0.0f, 0.5f - d);
	}

	void Stripes(Image& img, Rgba a, Rgba b, int count, bool vertical, float duty)
	{
		int span = vertical ? img.width : img.height;
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				float t = (float(vertical ? x : y) + 0.5f) * count / span;
				img.At(x, y) = Mix(b, a, Band(t, duty, float(span) / count));
			}
	}

	void DiagonalStripes(Image& img, Rgba a, Rgba b, int count, float duty)
	{
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				float t = (float(x + y) + 0.5f) * count / img.width;
				img.At(x, y) = Mix(b, a, Band(t, duty, float(img.width) / count));
			}
	}

	void Checker(Image& img, Rgba a, Rgba b, int cellsX, int cellsY)
	{
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				int cx = x * cellsX / img.width, cy = y * cellsY / img.height;
				img.At(x, y) = ((cx + cy) & 1) ? b : a;
			}
	}

	void VerticalGradient(Image& img, Rgba top, Rgba bottom)
	{
		for (int y = 0; y < img.height; y++)
		{
			Rgba c = Mix(top, bottom, img.height > 1 ? float(y) / float(img.height - 1) : 0);
			for (int x = 0; x < img.width; x++)
				img.At(x, y) = c;
		}
	}

	void HorizontalGradient(Image& img, Rgba left, Rgba right)
	{
		for (int x = 0; x < img.width; x++)
		{
			Rgba c = Mix(left, right, img.width > 1 ? float(x) / float(img.width - 1) : 0);
			for (int y = 0; y < img.height; y++)
				img.At(x, y) = c;
		}
	}

	void RadialGradient(Image& img, float cx, float cy, float radius, Rgba inner, Rgba outer)
	{
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / std::max(radius, 1e-3f);
				img.At(x, y) = Mix(inner, outer, d);
			}
	}

	void Panels(Image& img, Rgba base, int cols, int rows, float seam, bool rivets, uint32_t seed)
	{
		float pw = float(img.width) / cols, ph = float(img.height) / rows;
		Rgba light = Shade(base, 1.25f), dark = Shade(base, 0.55f);
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				int px = int(x / pw), py = int(y / ph);
				float lx = x + 0.5f - px * pw, ly = y + 0.5f - py * ph;
				// Each plate a slightly different shade.
				float tone = 0.92f + 0.16f * HashFloat(uint32_t(px * 31 + py * 977) ^ seed);
				Rgba c = Shade(base, tone);
				float toEdge = std::min({lx, ly, pw - lx, ph - ly});
				if (toEdge < seam)
					c = dark;
				else if (toEdge < seam + 1.5f)		// bevel: lit from the top left
					c = (toEdge == lx || toEdge == ly) ? Shade(light, tone) : Shade(base, tone * 0.75f);
				img.At(x, y) = c;
			}
		if (rivets)
			for (int py = 0; py < rows; py++)
				for (int px = 0; px < cols; px++)
				{
					float inset = seam + std::max(3.0f, std::min(pw, ph) * 0.12f);
					float r = std::max(1.2f, std::min(pw, ph) * 0.045f);
					const float corners[4][2] = {{inset, inset}, {pw - inset, inset}, {inset, ph - inset}, {pw - inset, ph - inset}};
					for (const auto& cxy : corners)
					{
						float cx = px * pw + cxy[0], cy = py * ph + cxy[1];
						FillCircle(img, cx + 0.6f, cy + 0.6f, r, dark);
						FillCircle(img, cx, cy, r, light);
					}
				}
	}

	void Bricks(Image& img, Rgba brick, Rgba mortar, int cols, int rows, float mortarWidth, uint32_t seed)
	{
		float bw = float(img.width) / cols, bh = float(img.height) / rows;
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				int row = int(y / bh);
				float shift = (row & 1) ? bw / 2 : 0;
				float fx = std::fmod(x + 0.5f + shift, float(img.width));
				int col = int(fx / bw);
				float lx = fx - col * bw, ly = y + 0.5f - row * bh;
				float toEdge = std::min({lx, ly, bw - lx, bh - ly});
				float tone = 0.85f + 0.3f * HashFloat(uint32_t(col * 131 + row * 7919) ^ seed);
				img.At(x, y) = toEdge < mortarWidth ? mortar : Shade(brick, tone);
			}
	}

	// Coverage of a pixel by a shape whose signed distance (negative inside) is d.
	static float Coverage(float d)
	{
		return std::clamp(0.5f - d, 0.0f, 1.0f);
	}

	template <typename SignedDistance>
	static void FillShape(Image& img, float x0, float y0, float x1, float y1, Rgba color, Blend mode, SignedDistance sd)
	{
		int ix0 = std::max(0, int(std::floor(x0)) - 1), iy0 = std::max(0, int(std::floor(y0)) - 1);
		int ix1 = std::min(img.width - 1, int(std::ceil(x1)) + 1), iy1 = std::min(img.height - 1, int(std::ceil(y1)) + 1);
		for (int y = iy0; y <= iy1; y++)
			for (int x = ix0; x <= ix1; x++)
				Plot(img, x, y, color, Coverage(sd(x + 0.5f, y + 0.5f)), mode);
	}

	void FillCircle(Image& img, float cx, float cy, float r, Rgba color, Blend mode)
	{
		FillShape(img, cx - r, cy - r, cx + r, cy + r, color, mode,
			[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; });
	}

	void FillRing(Image& img, float cx, float cy, float inner, float outer, Rgba color, Blend mode)
	{
		float mid = (inner + outer) / 2, half = (outer - inner) / 2;
		FillShape(img, cx - outer, cy - outer, cx + outer, cy + outer, color, mode,
			[=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - mid) - half; });
	}

	void FillRect(Image& img, float x0, float y0, float x1, float y1, Rgba color, Blend mode)
	{
		FillRoundedRect(img, x0, y0, x1, y1, 0, color, mode);
	}

	void FillRoundedRect(Image& img, float x0, float y0, float x1, float y1, float r, Rgba color, Blend mode)
	{
		float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
		float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
		r = std::min({r, hx, hy});
		FillShape(img, x0, y0, x1, y1, color, mode, [=](float x, float y) {
			float qx = std::fabs(x - cx) - hx + r, qy = std::fabs(y - cy) - hy + r;
			float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
			return outside + std::min(std::max(qx, qy), 0.0f) - r;
		});
	}

	static float SegmentDistance(float px, float py, float ax, float ay, float bx, float by)
	{
		float dx = bx - ax, dy = by - ay;
		float len2 = dx * dx + dy * dy;
		float t = len2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / len2, 0.0f, 1.0f) : 0;
		return std::hypot(px - ax - t * dx, py - ay - t * dy);
	}

	void FillPolygon(Image& img, const std::vector<Vec2>& pts, Rgba color, Blend mode)
	{
		if (pts.size() < 3)
			return;
		float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
		for (Vec2 p : pts)
		{
			x0 = std::min(x0, p.x); y0 = std::min(y0, p.y);
			x1 = std::max(x1, p.x); y1 = std::max(y1, p.y);
		}
		FillShape(img, x0, y0, x1, y1, color, mode, [&](float x, float y) {
			bool inside = false;
			float best = 1e9f;
			for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++)
			{
				Vec2 a = pts[i], b = pts[j];
				if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
					inside = !inside;
				best = std::min(best, SegmentDistance(x, y, a.x, a.y, b.x, b.y));
			}
			return inside ? -best : best;
		});
	}

	void DrawLine(Image& img, float x0, float y0, float x1, float y1, float width, Rgba color, Blend mode)
	{
		float h = width / 2;
		FillShape(img, std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h, color, mode,
			[=](float x, float y) { return SegmentDistance(x, y, x0, y0, x1, y1) - h; });
	}

	void FillStar(Image& img, float cx, float cy, int points, float outer, float inner, float rotation, Rgba color, Blend mode)
	{
		std::vector<Vec2> pts;
		for (int i = 0; i < points * 2; i++)
		{
			float a = rotation + PI * float(i) / float(points) - PI / 2;
			float r = (i % 2 == 0) ? outer : inner;
			pts.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
		}
		FillPolygon(img, pts, color, mode);
	}

	void Glow(Image& img, float cx, float cy, float radius, Rgba color, float power, Blend mode)
	{
		int x0 = std::max(0, int(cx - radius) - 1), x1 = std::min(img.width - 1, int(cx + radius) + 1);
		int y0 = std::max(0, int(cy - radius) - 1), y1 = std::min(img.height - 1, int(cy + radius) + 1);
		for (int y = y0; y <= y1; y++)
			for (int x = x0; x <= x1; x++)
			{
				float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
				if (d < 1)
					Plot(img, x, y, color, std::pow(1 - d, power), mode);
			}
	}

	void DrawImage(Image& dst, const Image& src, float x, float y, float w, float h, Rgba tint, Blend mode)
	{
		if (src.width == 0 || src.height == 0 || w <= 0 || h <= 0)
			return;
		int x0 = std::max(0, int(std::floor(x))), x1 = std::min(dst.width - 1, int(std::ceil(x + w)));
		int y0 = std::max(0, int(std::floor(y))), y1 = std::min(dst.height - 1, int(std::ceil(y + h)));
		auto texel = [&](int sx, int sy) {
			sx = std::clamp(sx, 0, src.width - 1);
			sy = std::clamp(sy, 0, src.height - 1);
			const Rgba& p = src.At(sx, sy);
			float a = p.a / 255.0f;
			return std::array<float, 4>{p.r * a, p.g * a, p.b * a, a};
		};
		for (int py = y0; py <= y1; py++)
			for (int px = x0; px <= x1; px++)
			{
				float u = (px + 0.5f - x) / w * src.width - 0.5f;
				float v = (py + 0.5f - y) / h * src.height - 0.5f;
				if (u < -0.5f || v < -0.5f || u > src.width - 0.5f || v > src.height - 0.5f)
					continue;
				int iu = int(std::floor(u)), iv = int(std::floor(v));
				float fu = u - iu, fv = v - iv;
				std::array<float, 4> c{};
				const std::array<float, 4> t00 = texel(iu, iv), t10 = texel(iu + 1, iv), t01 = texel(iu, iv + 1), t11 = texel(iu + 1, iv + 1);
				for (int k = 0; k < 4; k++)
					c[k] = (t00[k] * (1 - fu) + t10[k] * fu) * (1 - fv) + (t01[k] * (1 - fu) + t11[k] * fu) * fv;
				if (c[3] <= 0)
					continue;
				Rgba color{Clamp8(c[0] / c[3] * tint.r / 255), Clamp8(c[1] / c[3] * tint.g / 255),
						   Clamp8(c[2] / c[3] * tint.b / 255), 255};
				Plot(dst, px, py, color, c[3] * tint.a / 255.0f, mode);
			}
	}

	void BoxBlur(Image& img, int radius, bool wrap)
	{
		if (radius <= 0)
			return;
		for (int pass = 0; pass < 2; pass++)
		{
			Image src = img;
			bool horizontal = pass == 0;
			int len = horizontal ? img.width : img.height;
			for (int y = 0; y < img.height; y++)
				for (int x = 0; x < img.width; x++)
				{
					float sum[4] = {0, 0, 0, 0}, wsum = 0;
					for (int k = -radius; k <= radius; k++)
					{
						int sx = horizontal ? x + k : x, sy = horizontal ? y : y + k;
						int coord = horizontal ? sx : sy;
						if (!wrap && (coord < 0 || coord >= len))
							continue;
						const Rgba& p = src.Wrapped(sx, sy);
						float a = p.a / 255.0f;		// premultiplied, so clear pixels add no colour
						sum[0] += p.r * a; sum[1] += p.g * a; sum[2] += p.b * a; sum[3] += a;
						wsum += 1;
					}
					Rgba& d = img.At(x, y);
					if (sum[3] > 0)
						d = {Clamp8(sum[0] / sum[3]), Clamp8(sum[1] / sum[3]), Clamp8(sum[2] / sum[3]), Clamp8(255 * sum[3] / wsum)};
					else
						d = {0, 0, 0, 0};
				}
		}
	}

	void DropShadow(Image& img, float dx, float dy, int blur, Rgba color)
	{
		Image shadow(img.width, img.height);
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				int sx = int(std::lround(x - dx)), sy = int(std::lround(y - dy));
				if (sx >= 0 && sy >= 0 && sx < img.width && sy < img.height)
					shadow.At(x, y) = {color.r, color.g, color.b, uint8_t(img.At(sx, sy).a * color.a / 255)};
			}
		BoxBlur(shadow, blur);
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				Rgba top = img.At(x, y);
				img.At(x, y) = shadow.At(x, y);
				Plot(img, x, y, top, 1.0f);
			}
	}

	void Outline(Image& img, float width, Rgba color)
	{
		Image ring(img.width, img.height);
		int r = int(std::ceil(width));
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				float best = 0;
				for (int oy = -r; oy <= r; oy++)
					for (int ox = -r; ox <= r; ox++)
					{
						int sx = x + ox, sy = y + oy;
						if (sx < 0 || sy < 0 || sx >= img.width || sy >= img.height)
							continue;
						float d = std::hypot(float(ox), float(oy));
						float w = std::clamp(width + 0.5f - d, 0.0f, 1.0f);
						best = std::max(best, w * img.At(sx, sy).a / 255.0f);
					}
				ring.At(x, y) = {color.r, color.g, color.b, Clamp8(best * color.a)};
			}
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
			{
				Rgba top = img.At(x, y);
				img.At(x, y) = ring.At(x, y);
				Plot(img, x, y, top, 1.0f);
			}
	}

	void MapPixels(Image& img, const std::function<Rgba(int, int, Rgba)>& fn)
	{
		for (int y = 0; y < img.height; y++)
			for (int x = 0; x < img.width; x++)
				img.At(x, y) = fn(x, y, img.At(x, y));
	}
}
