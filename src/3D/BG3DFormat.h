// The BG3D model file format: a 20-byte header ("BG3D" and 16 bytes nobody
// reads), then big-endian records, each opened by one of the tags below.
// The game's parser and the baker's writer both take their numbers from here,
// so the two cannot drift apart. Header only, no dependencies.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t BG3D_MAGIC = 0x42473344;			// "BG3D", the header's first 4 bytes

enum : uint32_t
{
	BG3D_TAG_MATERIALFLAGS = 0,
	BG3D_TAG_MATERIALDIFFUSECOLOR = 1,
	BG3D_TAG_TEXTUREMAP = 2,
	BG3D_TAG_GROUP = 3,
	BG3D_TAG_ENDGROUP = 4,
	BG3D_TAG_GEOMETRY = 5,
	BG3D_TAG_VERTEXARRAY = 6,
	BG3D_TAG_NORMALARRAY = 7,
	BG3D_TAG_UVARRAY = 8,
	BG3D_TAG_COLORARRAY = 9,
	BG3D_TAG_TRIANGLEARRAY = 10,
	BG3D_TAG_ENDFILE = 11,
};

// Record sizes in bytes (after the tag).
constexpr size_t BG3D_HEADER_SIZE = 20;
constexpr size_t BG3D_TEXTURE_HEADER_SIZE = 36;
constexpr size_t BG3D_GEOMETRY_HEADER_SIZE = 52;

// Material flag bits as stored (the game's materials use the same bits).
enum : uint32_t
{
	BG3D_MATERIAL_FLAG_TEXTURED = 0x01,
	BG3D_MATERIAL_FLAG_ALWAYS_BLEND = 0x02,
	BG3D_MATERIAL_FLAG_CLAMP_U = 0x04,
	BG3D_MATERIAL_FLAG_CLAMP_V = 0x08,
	BG3D_MATERIAL_FLAG_MULTITEXTURE = 0x10,
};

// OpenGL enum values that texture headers hold.
constexpr int32_t BG3D_GL_RGB = 0x1907;
constexpr int32_t BG3D_GL_RGBA = 0x1908;
constexpr int32_t BG3D_GL_RGB5_A1 = 0x8057;
constexpr int32_t BG3D_GL_UNSIGNED_SHORT_1_5_5_5_REV = 0x8366;

// What the game's loader accepts: a file beyond these is refused.
constexpr int BG3D_MAX_MATERIALS = 400;			// per file
constexpr int BG3D_MAX_MODELS = 100;			// top-level members of a file
constexpr int BG3D_MAX_GROUP_MEMBERS = 70;		// what a group holds
constexpr int BG3D_GROUP_STACK_SIZE = 49;		// nesting depth
constexpr int BG3D_MAX_IMAGES = 6;				// per material
constexpr int BG3D_MAX_GEOMETRY_LAYERS = 2;		// materials per geometry
constexpr int BG3D_MAX_TEXTURE_SIZE = 8192;		// width or height
