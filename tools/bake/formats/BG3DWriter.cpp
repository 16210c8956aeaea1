#include "formats/BG3DWriter.h"
#include "formats/BigEndianWriter.h"
#include "kit/Preview.h"

#include <algorithm>

namespace Bake
{
	BG3DTexture EncodeBG3DTexture(const Kit::Image& image, Kit::TextureFormat format)
	{
		BG3DTexture t;
		t.pixels.reserve(image.pixels.size() * 4);
		switch (format)
		{
			case Kit::TextureFormat::ARGB1555:
				t.srcPixelFormat = BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV;
				t.dstPixelFormat = BG3D_GL_RGB5_A1;
				for (const Kit::Rgba& p : image.pixels)
				{
					uint16_t word = uint16_t((p.a >= 128 ? 0x8000 : 0) | (p.r >> 3) << 10 | (p.g >> 3) << 5 | (p.b >> 3));
					t.pixels.push_back(uint8_t(word >> 8));
					t.pixels.push_back(uint8_t(word));
				}
				break;
			case Kit::TextureFormat::RGB8:
			case Kit::TextureFormat::RGB8_TO_1555:
				t.srcPixelFormat = BG3D_GL_RGB;
				t.dstPixelFormat = format == Kit::TextureFormat::RGB8 ? BG3D_GL_RGB : BG3D_GL_RGB5_A1;
				for (const Kit::Rgba& p : image.pixels)
					t.pixels.insert(t.pixels.end(), {p.r, p.g, p.b});
				break;
			case Kit::TextureFormat::RGBA8:
				t.srcPixelFormat = BG3D_GL_RGBA;
				t.dstPixelFormat = BG3D_GL_RGBA;
				for (const Kit::Rgba& p : image.pixels)
					t.pixels.insert(t.pixels.end(), {p.r, p.g, p.b, p.a});
				break;
		}
		return t;
	}

	namespace
	{
		void WriteMaterial(BigEndianWriter& w, const Kit::Material& m)
		{
			w.U32(BG3D_TAG_MATERIALFLAGS);
			w.U32(m.flags);
			w.U32(BG3D_TAG_MATERIALDIFFUSECOLOR);
			for (float c : m.diffuse)
				w.F32(c);
			if (!m.HasTexture())
				return;
			BG3DTexture t = EncodeBG3DTexture(m.texture, m.format);
			w.U32(BG3D_TAG_TEXTUREMAP);
			w.U32(uint32_t(m.texture.width));
			w.U32(uint32_t(m.texture.height));
			w.S32(t.srcPixelFormat);
			w.S32(t.dstPixelFormat);
			w.U32(uint32_t(t.pixels.size()));
			w.Zeros(16);
			w.Bytes(t.pixels);
		}

		void WriteGeometry(BigEndianWriter& w, const Kit::Node& g)
		{
			const Kit::Mesh& mesh = g.mesh;
			w.U32(BG3D_TAG_GEOMETRY);
			w.U32(0);									// vertex array
			w.S32(g.material >= 0 ? 1 : 0);				// numMaterials
			w.U32(g.material >= 0 ? uint32_t(g.material) : 0);
			w.U32(0);
			w.U32(0);
			w.U32(0);
			w.U32(0);									// flags
			w.U32(uint32_t(mesh.points.size()));
			w.U32(uint32_t(mesh.triangles.size()));
			w.Zeros(16);

			w.U32(BG3D_TAG_VERTEXARRAY);
			for (const Kit::Vec3& p : mesh.points)
			{
				w.F32(p.x);
				w.F32(p.y);
				w.F32(p.z);
			}
			w.U32(BG3D_TAG_NORMALARRAY);
			for (const Kit::Vec3& n : mesh.normals)
			{
				w.F32(n.x);
				w.F32(n.y);
				w.F32(n.z);
			}
			w.U32(BG3D_TAG_UVARRAY);
			for (const Kit::Vec2& uv : mesh.uvs)
			{
				w.F32(uv.x);
				w.F32(uv.y);
			}
			w.U32(BG3D_TAG_COLORARRAY);
			for (const Kit::Rgba& c : mesh.colors)
				w.Bytes(&c, 4);
			w.U32(BG3D_TAG_TRIANGLEARRAY);
			for (const Kit::Triangle& t : mesh.triangles)
				for (uint32_t index : t)
					w.U32(index);
		}

		void WriteNode(BigEndianWriter& w, const Kit::Node& node)
		{
			if (node.kind == Kit::Node::Kind::GEOMETRY)
			{
				WriteGeometry(w, node);
				return;
			}
			w.U32(BG3D_TAG_GROUP);
			for (const Kit::Node& m : node.members)
				WriteNode(w, m);
			w.U32(BG3D_TAG_ENDGROUP);
		}
	}

	std::vector<uint8_t> WriteBG3D(const Kit::ModelFile& file)
	{
		Kit::Validate(file);
		BigEndianWriter w;
		w.U32(BG3D_MAGIC);
		w.Zeros(BG3D_HEADER_SIZE - 4);
		for (const Kit::Material& m : file.materials)
			WriteMaterial(w, m);
		for (const Kit::Node& model : file.models)
			WriteNode(w, model);
		w.U32(BG3D_TAG_ENDFILE);
		return w.Take();
	}

	void WriteBG3DFile(const Context& context, const std::string& relativePath, const Kit::ModelFile& file)
	{
		WriteDataFile(context, relativePath, WriteBG3D(file));
		if (Kit::PreviewsEnabled())
		{
			std::string name = relativePath;
			std::replace(name.begin(), name.end(), '/', '_');
			Kit::WritePreview(name, Kit::ModelContactSheet(file));
		}
	}
}
