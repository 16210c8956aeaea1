#include "kit/Preview.h"

#include <algorithm>
#include <cmath>

namespace Kit
{
	namespace
	{
		struct ColorF
		{
			float r, g, b, a;
		};

		ColorF ToF(Rgba c) { return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f}; }

		struct Target
		{
			int size;
			std::vector<ColorF> color;
			std::vector<float> depth;
		};

		bool IsBlended(const Material* m)
		{
			if (!m)
				return false;
			return m->diffuse[3] < 1.0f || (m->flags & MAT_ALWAYS_BLEND)
				|| (m->HasTexture() && m->format == TextureFormat::RGBA8);
		}

		ColorF SampleTexture(const Material& m, Vec2 uv)
		{
			const Image& t = m.texture;
			float u = uv.x, v = uv.y;
			if (m.flags & MAT_CLAMP_U)
				u = std::clamp(u, 0.0f, 0.9999f);
			if (m.flags & MAT_CLAMP_V)
				v = std::clamp(v, 0.0f, 0.9999f);
			int x = int(std::floor(u * t.width)), y = int(std::floor(v * t.height));
			ColorF c = ToF(t.Wrapped(x, y));
			if (m.format == TextureFormat::ARGB1555)
				c.a = c.a >= 0.5f ? 1.0f : 0.0f;
			return c;
		}

		void DrawGeometry(Target& target, const Mesh& mesh, const Material* material, const Mat4& view,
			float scale, Vec3 centre, bool blendedPass)
		{
			if (IsBlended(material) != blendedPass)
				return;
			const Vec3 light = Normalize({-0.45f, 0.75f, 0.55f});
			int S = target.size;
			std::vector<Vec3> screen(mesh.points.size());
			std::vector<Vec3> viewPts(mesh.points.size());
			for (size_t i = 0; i < mesh.points.size(); i++)
			{
				Vec3 p = view.TransformPoint(mesh.points[i]);
				viewPts[i] = p;
				screen[i] = {(p.x - centre.x) * scale + S / 2.0f, S / 2.0f - (p.y - centre.y) * scale, p.z};
			}
			for (const Triangle& t : mesh.triangles)
			{
				Vec3 n = Cross(viewPts[t[1]] - viewPts[t[0]], viewPts[t[2]] - viewPts[t[0]]);
				if (n.z <= 0)
					continue;		// facing away (or degenerate)
				n = Normalize(n);
				float light01 = 0.36f + 0.64f * std::max(0.0f, Dot(n, light));
				Vec3 a = screen[t[0]], b = screen[t[1]], c = screen[t[2]];
				float area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
				if (std::fabs(area) < 1e-6f)
					continue;
				int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
				int x1 = std::min(S - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
				int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
				int y1 = std::min(S - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
				for (int y = y0; y <= y1; y++)
					for (int x = x0; x <= x1; x++)
					{
						float px = x + 0.5f, py = y + 0.5f;
						float w0 = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / area;
						float w1 = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / area;
						float w2 = 1 - w0 - w1;
						if (w0 < 0 || w1 < 0 || w2 < 0)
							continue;
						float z = w0 * a.z + w1 * b.z + w2 * c.z;
						size_t pi = size_t(y) * size_t(S) + size_t(x);
						if (z < target.depth[pi])
							continue;
						ColorF vc0 = ToF(mesh.colors[t[0]]), vc1 = ToF(mesh.colors[t[1]]), vc2 = ToF(mesh.colors[t[2]]);
						ColorF col{w0 * vc0.r + w1 * vc1.r + w2 * vc2.r, w0 * vc0.g + w1 * vc1.g + w2 * vc2.g,
								   w0 * vc0.b + w1 * vc1.b + w2 * vc2.b, w0 * vc0.a + w1 * vc1.a + w2 * vc2.a};
						if (material)
						{
							col.r *= material->diffuse[0];
							col.g *= material->diffuse[1];
							col.b *= material->diffuse[2];
							col.a *= material->diffuse[3];
							if (material->HasTexture())
							{
								Vec2 uv{w0 * mesh.uvs[t[0]].x + w1 * mesh.uvs[t[1]].x + w2 * mesh.uvs[t[2]].x,
										w0 * mesh.uvs[t[0]].y + w1 * mesh.uvs[t[1]].y + w2 * mesh.uvs[t[2]].y};
								ColorF tex = SampleTexture(*material, uv);
								col.r *= tex.r;
								col.g *= tex.g;
								col.b *= tex.b;
								col.a *= tex.a;
							}
						}
						if (!blendedPass && col.a < 0.5f)
							continue;
						col.r *= light01;
						col.g *= light01;
						col.b *= light01;
						ColorF& d = target.color[pi];
						if (blendedPass)
						{
							float ca = std::clamp(col.a, 0.0f, 1.0f);
							d = {col.r * ca + d.r * (1 - ca), col.g * ca + d.g * (1 - ca), col.b * ca + d.b * (1 - ca),
								 ca + d.a * (1 - ca)};
						}
						else
						{
							d = {col.r, col.g, col.b, 1};
							target.depth[pi] = z;
						}
					}
			}
		}

		const char* const kDigits[10] =
		{
			"111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
			"111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111",
		};

		std::filesystem::path gPreviewDirectory;
		PreviewWriter gPreviewWriter;
	}

	Image RenderModel(const ModelFile& file, const Node& model, int size, const PreviewView& pv)
	{
		int S = size * 2;
		Target target{S, std::vector<ColorF>(size_t(S) * size_t(S), ColorF{0, 0, 0, 0}), std::vector<float>(size_t(S) * size_t(S), -1e30f)};
		Mat4 view = Mat4::RotationX(pv.pitch) * Mat4::RotationY(PI + pv.yaw);

		Bounds b;
		ForEachGeometry(model, [&](const Node& g) {
			for (const Vec3& p : g.mesh.points)
				b.Add(view.TransformPoint(p));
		});
		if (!b.isEmpty)
		{
			Vec3 extent = b.Size();
			float scale = 0.86f * S / std::max({extent.x, extent.y, 1e-3f});
			Vec3 centre = b.Center();
			for (int pass = 0; pass < 2; pass++)
				ForEachGeometry(model, [&](const Node& g) {
					const Material* m = g.material >= 0 ? &file.materials[size_t(g.material)] : nullptr;
					DrawGeometry(target, g.mesh, m, view, scale, centre, pass == 1);
				});
		}

		Image out(size, size);
		for (int y = 0; y < size; y++)
			for (int x = 0; x < size; x++)
			{
				ColorF sum{0, 0, 0, 0};
				for (int k = 0; k < 4; k++)
				{
					const ColorF& c = target.color[size_t(2 * y + k / 2) * size_t(S) + size_t(2 * x + k % 2)];
					sum.r += c.r * c.a;
					sum.g += c.g * c.a;
					sum.b += c.b * c.a;
					sum.a += c.a;
				}
				if (sum.a > 0)
					out.At(x, y) = RgbaF(sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 4);
			}
		return out;
	}

	void DrawNumber(Image& img, int x, int y, int number, int scale, Rgba color)
	{
		std::string text = std::to_string(number);
		for (char ch : text)
		{
			const char* bits = kDigits[ch - '0'];
			for (int row = 0; row < 5; row++)
				for (int col = 0; col < 3; col++)
					if (bits[row * 3 + col] == '1')
						FillRect(img, float(x + col * scale), float(y + row * scale), float(x + (col + 1) * scale),
							float(y + (row + 1) * scale), color);
			x += 4 * scale;
		}
	}

	static Image Sheet(int count, int tileSize, int columns, const std::function<void(Image&, int, int, int)>& drawTile)
	{
		columns = std::max(1, std::min(columns, count));
		int rows = std::max(1, (count + columns - 1) / columns);
		Image sheet(columns * tileSize, rows * tileSize, {40, 40, 48, 255});
		for (int i = 0; i < count; i++)
		{
			int tx = (i % columns) * tileSize, ty = (i / columns) * tileSize;
			drawTile(sheet, i, tx, ty);
			DrawLine(sheet, float(tx), float(ty), float(tx + tileSize), float(ty), 1, {20, 20, 24, 255});
			DrawLine(sheet, float(tx), float(ty), float(tx), float(ty + tileSize), 1, {20, 20, 24, 255});
			DrawNumber(sheet, tx + 5, ty + 5, i, 3, {255, 230, 90, 255});
		}
		return sheet;
	}

	Image ModelContactSheet(const ModelFile& file, int tileSize, int columns)
	{
		return Sheet(int(file.models.size()), tileSize, columns, [&](Image& sheet, int i, int tx, int ty) {
			Image tile = RenderModel(file, file.models[size_t(i)], tileSize);
			for (int y = 0; y < tileSize; y++)
				for (int x = 0; x < tileSize; x++)
				{
					float t = float(y) / tileSize;
					sheet.At(tx + x, ty + y) = Mix({96, 112, 140, 255}, {52, 56, 66, 255}, t);
					Plot(sheet, tx + x, ty + y, tile.At(x, y), 1.0f);
				}
		});
	}

	Image SpriteContactSheet(const std::vector<Image>& images, int tileSize, int columns)
	{
		return Sheet(int(images.size()), tileSize, columns, [&](Image& sheet, int i, int tx, int ty) {
			const Image& img = images[size_t(i)];
			for (int y = 0; y < tileSize; y++)
				for (int x = 0; x < tileSize; x++)
				{
					bool dark = ((x / 8) + (y / 8)) & 1;
					sheet.At(tx + x, ty + y) = dark ? Rgba{70, 70, 80, 255} : Rgba{110, 110, 120, 255};
					if (img.width == 0)
						continue;
					// Fit the image, keeping its aspect.
					float s = float(tileSize) / float(std::max(img.width, img.height));
					int sx = int(float(x) / s), sy = int(float(y) / s);
					if (sx < img.width && sy < img.height)
						Plot(sheet, tx + x, ty + y, img.At(sx, sy), 1.0f);
				}
		});
	}

	void SetPreviewOutput(const std::filesystem::path& directory, PreviewWriter writer)
	{
		gPreviewDirectory = directory;
		gPreviewWriter = std::move(writer);
	}

	bool PreviewsEnabled()
	{
		return !gPreviewDirectory.empty() && gPreviewWriter;
	}

	void WritePreview(const std::string& name, const Image& image)
	{
		if (!PreviewsEnabled())
			return;
		std::filesystem::create_directories(gPreviewDirectory);
		gPreviewWriter(gPreviewDirectory / name, image);
	}
}
