// The BG3D record parser. The file is untrusted: every count is checked
// against the bytes left and every index against what it indexes.
#include "3D/BG3DParse.h"

#include <bit>
#include <cstring>
#include <limits>
#include <memory>

namespace
{
	// GL enums of the pass-through upload path.
	enum : int32_t
	{
		GL_RED_ = 0x1903, GL_GREEN_ = 0x1904, GL_BLUE_ = 0x1905, GL_ALPHA_ = 0x1906,
		GL_LUMINANCE_ = 0x1909, GL_LUMINANCE_ALPHA_ = 0x190A, GL_BGR_ = 0x80E0, GL_BGRA_ = 0x80E1,
		GL_INTENSITY_ = 0x8049, GL_RGB5_ = 0x8050, GL_RGB8_ = 0x8051, GL_RGBA4_ = 0x8056, GL_RGBA8_ = 0x8058,
	};

	// Points and triangles as counted by the file must fit the game's int
	// counts and 32-bit block sizes (12 bytes per point or triangle).
	constexpr uint32_t MAX_ARRAY_ENTRIES = uint32_t(std::numeric_limits<int32_t>::max() / 12);

	class Reader
	{
	public:
		Reader(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

		size_t Position() const { return mPos; }
		size_t Remaining() const { return mSize - mPos; }

		bool U32(uint32_t* v)
		{
			if (Remaining() < 4)
				return false;
			const uint8_t* p = mData + mPos;
			*v = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
			mPos += 4;
			return true;
		}

		// n big-endian 32-bit words (floats or integers) into host order.
		template <typename T>
		bool Words(std::vector<T>* out, uint64_t n)
		{
			static_assert(sizeof(T) == 4);
			if (n > Remaining() / 4)
				return false;
			out->resize(size_t(n));
			const uint8_t* p = mData + mPos;
			for (size_t i = 0; i < size_t(n); i++, p += 4)
			{
				uint32_t v = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
				(*out)[i] = std::bit_cast<T>(v);
			}
			mPos += size_t(n) * 4;
			return true;
		}

		bool Bytes(std::vector<uint8_t>* out, uint64_t n)
		{
			if (n > Remaining())
				return false;
			out->assign(mData + mPos, mData + mPos + size_t(n));
			mPos += size_t(n);
			return true;
		}

		bool Skip(size_t n)
		{
			if (n > Remaining())
				return false;
			mPos += n;
			return true;
		}

	private:
		const uint8_t* mData;
		size_t mSize;
		size_t mPos = 0;
	};

	// A tree node whose address never changes while the tree grows, so the
	// group stack and the current geometry can point at nodes.
	struct ParseNode
	{
		bool isGroup = true;
		std::vector<std::unique_ptr<ParseNode>> members;
		BG3DGeometryRecord geometry;
	};

	struct Parser
	{
		Reader in;
		std::string* error;
		std::vector<BG3DMaterialRecord> materials;
		ParseNode root;
		ParseNode* currentGroup = &root;
		BG3DGeometryRecord* currentGeometry = nullptr;
		ParseNode* groupStack[BG3D_GROUP_STACK_SIZE] = {};
		int groupStackIndex = 0;

		Parser(const uint8_t* data, size_t size, std::string* e) : in(data, size), error(e) {}

		bool Fail(const char* message)
		{
			if (error)
				*error = message;
			return false;
		}

		bool Append(std::unique_ptr<ParseNode> node)
		{
			if (currentGroup->members.size() >= size_t(BG3D_MAX_GROUP_MEMBERS))
				return Fail("ParseBG3DFile: too many objects in one group (70 at most)");
			currentGroup->members.push_back(std::move(node));
			return true;
		}

		bool ReadMaterialFlags()
		{
			if (materials.size() >= size_t(BG3D_MAX_MATERIALS))
				return Fail("ReadMaterialFlags: more than 400 materials in the file");
			uint32_t flags;
			if (!in.U32(&flags))
				return Fail("ReadMaterialFlags: FSRead failed");
			materials.emplace_back();
			materials.back().flags = flags;
			return true;
		}

		bool ReadMaterialDiffuseColor()
		{
			if (materials.empty())
				return Fail("ReadMaterialDiffuseColor: gBG3D_CurrentMaterialObj == nil");
			std::vector<float> color;
			if (!in.Words(&color, 4))
				return Fail("ReadMaterialDiffuseColor: FSRead failed");
			std::memcpy(materials.back().diffuseColor, color.data(), sizeof(float) * 4);
			return true;
		}

		bool ReadMaterialTextureMap()
		{
			if (materials.empty())
				return Fail("ReadMaterialTextureMap: gBG3D_CurrentMaterialObj == nil");
			BG3DImage image;
			uint32_t srcFormat, dstFormat, bufferSize;
			if (!in.U32(&image.width) || !in.U32(&image.height) || !in.U32(&srcFormat) || !in.U32(&dstFormat)
				|| !in.U32(&bufferSize) || !in.Skip(16))
				return Fail("ReadMaterialTextureMap: FSRead failed");
			image.srcPixelFormat = int32_t(srcFormat);
			image.dstPixelFormat = int32_t(dstFormat);

			BG3DMaterialRecord& material = materials.back();
			if (material.images.size() >= size_t(BG3D_MAX_IMAGES))
				return Fail("ReadMaterialTextureMap: mipmap overflow!");
			if (image.width < 1 || image.height < 1
				|| image.width > uint32_t(BG3D_MAX_TEXTURE_SIZE) || image.height > uint32_t(BG3D_MAX_TEXTURE_SIZE))
				return Fail("ReadMaterialTextureMap: texture size out of range");
			int bytesPerPixel = BG3D_BytesPerPixel(image.srcPixelFormat, image.dstPixelFormat);
			if (bytesPerPixel == 0)
				return Fail("ReadMaterialTextureMap: unsupported pixel format");
			if (uint64_t(image.width) * image.height * uint64_t(bytesPerPixel) > bufferSize)
				return Fail("ReadMaterialTextureMap: pixel buffer is smaller than the image");
			if (!in.Bytes(&image.pixels, bufferSize))
				return Fail("ReadMaterialTextureMap: FSRead failed");

			if (image.srcPixelFormat == BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV)
				for (size_t i = 0; i + 1 < image.pixels.size(); i += 2)
					std::swap(image.pixels[i], image.pixels[i + 1]);

			material.images.push_back(std::move(image));
			return true;
		}

		bool ReadGroup()
		{
			if (groupStackIndex >= BG3D_GROUP_STACK_SIZE)
				return Fail("ReadGroup: gBG3D_GroupStackIndex overflow!");
			auto group = std::make_unique<ParseNode>();
			ParseNode* newGroup = group.get();
			if (!Append(std::move(group)))
				return false;
			groupStack[groupStackIndex++] = currentGroup;
			currentGroup = newGroup;
			return true;
		}

		bool EndGroup()
		{
			if (--groupStackIndex < 0)
				return Fail("EndGroup: stack is empty!");
			currentGroup = groupStack[groupStackIndex];
			return true;
		}

		bool ReadNewGeometry()
		{
			uint32_t type, numMaterials, layers[4], flags, numPoints, numTriangles;
			if (!in.U32(&type) || !in.U32(&numMaterials) || !in.U32(&layers[0]) || !in.U32(&layers[1])
				|| !in.U32(&layers[2]) || !in.U32(&layers[3]) || !in.U32(&flags) || !in.U32(&numPoints)
				|| !in.U32(&numTriangles) || !in.Skip(16))
				return Fail("ReadNewGeometry: FSRead failed");
			if (type != 0)
				return Fail("ReadNewGeometry: unknown geo type");
			if (int32_t(numMaterials) < 0 || int32_t(numMaterials) > BG3D_MAX_GEOMETRY_LAYERS)
				return Fail("ReadNewGeometry: numMaterials out of range");
			for (uint32_t i = 0; i < numMaterials; i++)
				if (layers[i] >= materials.size())
					return Fail("ReadNewGeometry: material index out of range");
			if (numPoints > MAX_ARRAY_ENTRIES || numTriangles > MAX_ARRAY_ENTRIES)
				return Fail("ReadNewGeometry: too many points or triangles");

			auto node = std::make_unique<ParseNode>();
			node->isGroup = false;
			BG3DGeometryRecord& g = node->geometry;
			g.numMaterials = int(numMaterials);
			for (uint32_t i = 0; i < numMaterials; i++)
				g.layerMaterialNum[i] = layers[i];
			g.numPoints = numPoints;
			g.numTriangles = numTriangles;
			BG3DGeometryRecord* geometry = &node->geometry;
			if (!Append(std::move(node)))
				return false;
			currentGeometry = geometry;
			return true;
		}

		// One per-point array of the current geometry.
		template <typename T>
		bool ReadArray(std::vector<T>* array, bool* assigned, uint64_t count,
				const char* noGeometry, const char* twice, const char* shortRead)
		{
			if (!currentGeometry)
				return Fail(noGeometry);
			if (*assigned)
				return Fail(twice);
			bool ok;
			if constexpr (sizeof(T) == 1)
				ok = in.Bytes(array, count);
			else
				ok = in.Words(array, count);
			if (!ok)
				return Fail(shortRead);
			*assigned = true;
			return true;
		}

		bool ReadTriangleArray()
		{
			BG3DGeometryRecord* g = currentGeometry;
			if (!ReadArray(g ? &g->triangles : nullptr, g ? &g->hasTriangles : nullptr,
					g ? uint64_t(g->numTriangles) * 3 : 0, "ReadTriangleArray: no geometry",
					"ReadTriangleArray: triangles already assigned!", "ReadTriangleArray: FSRead failed"))
				return false;
			for (uint32_t index : g->triangles)
				if (index >= g->numPoints)
					return Fail("ReadTriangleArray: vertex index out of range");
			return true;
		}

		bool ReadRecord(uint32_t tag, bool* done)
		{
			BG3DGeometryRecord* g = currentGeometry;
			uint64_t n = g ? g->numPoints : 0;
			switch (tag)
			{
				case BG3D_TAG_MATERIALFLAGS:			return ReadMaterialFlags();
				case BG3D_TAG_MATERIALDIFFUSECOLOR:		return ReadMaterialDiffuseColor();
				case BG3D_TAG_TEXTUREMAP:				return ReadMaterialTextureMap();
				case BG3D_TAG_GROUP:					return ReadGroup();
				case BG3D_TAG_ENDGROUP:					return EndGroup();
				case BG3D_TAG_GEOMETRY:					return ReadNewGeometry();
				case BG3D_TAG_VERTEXARRAY:
					return ReadArray(g ? &g->points : nullptr, g ? &g->hasPoints : nullptr, n * 3,
							"ReadVertexArray: no geometry", "ReadVertexArray: points already assigned!",
							"ReadVertexArray: FSRead failed");
				case BG3D_TAG_NORMALARRAY:
					return ReadArray(g ? &g->normals : nullptr, g ? &g->hasNormals : nullptr, n * 3,
							"ReadNormalArray: no geometry", "ReadNormalArray: normals already assigned!",
							"ReadNormalArray: FSRead failed");
				case BG3D_TAG_UVARRAY:
					return ReadArray(g ? &g->uvs : nullptr, g ? &g->hasUVs : nullptr, n * 2,
							"ReadUVArray: no geometry", "ReadUVArray: uvs already assigned!",
							"ReadUVArray: FSRead failed");
				case BG3D_TAG_COLORARRAY:
					return ReadArray(g ? &g->colors : nullptr, g ? &g->hasColors : nullptr, n * 4,
							"ReadVertexColorArray: no geometry", "ReadVertexColorArray: colors already assigned!",
							"ReadVertexColorArray: FSRead failed");
				case BG3D_TAG_TRIANGLEARRAY:			return ReadTriangleArray();
				case BG3D_TAG_ENDFILE:
					*done = true;
					return true;
				default:
					return Fail("ParseBG3DFile: unrecognized tag");
			}
		}

		// Triangles can only be drawn from points and indices that exist.
		bool CheckDrawable(const ParseNode& node)
		{
			if (!node.isGroup)
			{
				const BG3DGeometryRecord& g = node.geometry;
				if (g.numTriangles > 0 && (!g.hasPoints || !g.hasTriangles))
					return Fail("ParseBG3DFile: geometry has triangles but no vertex or triangle array");
				return true;
			}
			for (const auto& m : node.members)
				if (!CheckDrawable(*m))
					return false;
			return true;
		}

		static void Move(ParseNode& from, BG3DNode* to)
		{
			to->isGroup = from.isGroup;
			to->geometry = std::move(from.geometry);
			to->members.resize(from.members.size());
			for (size_t i = 0; i < from.members.size(); i++)
				Move(*from.members[i], &to->members[i]);
		}

		bool Run(BG3DFileData* out)
		{
			uint32_t magic;
			if (!in.U32(&magic) || !in.Skip(BG3D_HEADER_SIZE - 4))
				return Fail("ReadBG3DHeader: FSRead failed");
			if (magic != BG3D_MAGIC)
				return Fail("ReadBG3DHeader: BG3D file has invalid header.");

			bool done = false;
			while (!done)
			{
				uint32_t tag;
				if (!in.U32(&tag))
					return Fail("ParseBG3DFile: the file ends before its end tag");
				if (!ReadRecord(tag, &done))
					return false;
			}
			if (!CheckDrawable(root))
				return false;
			if (root.members.size() > size_t(BG3D_MAX_MODELS))
				return Fail("ImportBG3D: more than 100 models in the file");

			out->materials = std::move(materials);
			Move(root, &out->root);
			return true;
		}
	};
}

int BG3D_BytesPerPixel(int32_t src, int32_t dst)
{
	if (src == BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV)
		return 2;
	if (src == BG3D_GL_RGB && dst == BG3D_GL_RGB5_A1)
		return 3;

	// Passed to OpenGL as stored, as unsigned bytes.
	switch (dst)
	{
		case 1: case 2: case 3: case 4:
		case GL_ALPHA_: case GL_LUMINANCE_: case GL_LUMINANCE_ALPHA_: case GL_INTENSITY_:
		case BG3D_GL_RGB: case BG3D_GL_RGBA: case BG3D_GL_RGB5_A1:
		case GL_RGB5_: case GL_RGB8_: case GL_RGBA4_: case GL_RGBA8_:
			break;
		default:
			return 0;
	}
	switch (src)
	{
		case BG3D_GL_RGBA: case GL_BGRA_:						return 4;
		case BG3D_GL_RGB: case GL_BGR_:							return 3;
		case GL_LUMINANCE_ALPHA_:								return 2;
		case GL_RED_: case GL_GREEN_: case GL_BLUE_: case GL_ALPHA_: case GL_LUMINANCE_:
			return 1;
		default:
			return 0;
	}
}

void BG3D_ConvertRGBTo1555(const uint8_t* rgb, size_t pixelCount, uint16_t* out)
{
	for (size_t i = 0; i < pixelCount; i++, rgb += 3)
		out[i] = uint16_t(0x8000 | (rgb[0] >> 3) << 10 | (rgb[1] >> 3) << 5 | (rgb[2] >> 3));
}

bool BG3D_ParseFile(const uint8_t* data, size_t size, BG3DFileData* out, std::string* error)
{
	*out = {};
	if (!data)
		size = 0;
	auto parser = std::make_unique<Parser>(data, size, error);
	return parser->Run(out);
}
