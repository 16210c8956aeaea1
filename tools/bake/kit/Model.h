// Models of the modelling kit: materials (colour, flags, a procedural
// texture), trees of groups and geometry, and the model file that holds the
// numbered top-level models. Mirrors what a BG3D file can express.
#pragma once

#include "3D/BG3DFormat.h"
#include "kit/Image.h"
#include "kit/Mesh.h"

#include <functional>
#include <string>
#include <vector>

namespace Kit
{
	// Material flag bits, as model files store them.
	enum : uint32_t
	{
		MAT_TEXTURED = BG3D_MATERIAL_FLAG_TEXTURED,
		MAT_ALWAYS_BLEND = BG3D_MATERIAL_FLAG_ALWAYS_BLEND,
		MAT_CLAMP_U = BG3D_MATERIAL_FLAG_CLAMP_U,
		MAT_CLAMP_V = BG3D_MATERIAL_FLAG_CLAMP_V,
		MAT_MULTITEXTURE = BG3D_MATERIAL_FLAG_MULTITEXTURE,
	};

	// How a texture's pixels are stored in the model file.
	enum class TextureFormat
	{
		ARGB1555,	// 16-bit words, alpha bit 15 (opaque or cut-out textures)
		RGB8,		// 24-bit, uploaded as is (opaque)
		RGB8_TO_1555,	// 24-bit, converted to 16-bit opaque by the loader
		RGBA8,		// 32-bit, uploaded as is (smooth alpha; the game always blends these)
	};

	struct Material
	{
		uint32_t flags = 0;
		float diffuse[4] = {1, 1, 1, 1};
		Image texture;						// empty: untextured
		TextureFormat format = TextureFormat::ARGB1555;

		bool HasTexture() const { return texture.width > 0; }
	};

	Material ColorMaterial(float alpha = 1.0f, uint32_t flags = 0);
	Material TextureMaterial(Image texture, TextureFormat format = TextureFormat::ARGB1555, uint32_t extraFlags = 0);

	struct Node
	{
		enum class Kind { GROUP, GEOMETRY };
		Kind kind = Kind::GROUP;
		std::string name;					// for previews and messages only
		std::vector<Node> members;			// groups
		Mesh mesh;							// geometry
		int material = -1;					// geometry: index into the file's materials, -1 none
	};

	Node MakeGroup(std::vector<Node> members, std::string name = "");
	Node MakeGeometry(Mesh mesh, int material);

	Bounds ComputeBounds(const Node& node);
	int CountGeometries(const Node& node);
	int CountTriangles(const Node& node);
	// Calls fn for every geometry under `node` in file order.
	void ForEachGeometry(const Node& node, const std::function<void(const Node&)>& fn);

	struct ModelFile
	{
		std::vector<Material> materials;
		std::vector<Node> models;			// model n = the n-th top-level member

		int AddMaterial(Material m);
	};

	// Collects meshes by material and makes one group with a geometry per
	// material (in first-use order): few draw calls per model.
	class ModelBuilder
	{
	public:
		explicit ModelBuilder(ModelFile& file) : mFile(file) {}
		// Adds a material to the file for this model; returns its index.
		int AddMaterial(Material m) { return mFile.AddMaterial(std::move(m)); }
		void Add(const Mesh& mesh, int material);
		Node Build(std::string name) const;

	private:
		ModelFile& mFile;
		std::vector<int> mOrder;
		std::vector<Mesh> mMeshes;
	};

	// Limits of the game's model registry and loader.
	constexpr int MAX_MATERIALS_PER_FILE = 400;
	constexpr int MAX_MODELS_PER_FILE = 100;
	constexpr int MAX_GROUP_MEMBERS = 70;
	constexpr int MAX_GROUP_DEPTH = 49;

	// Checks a file against the loader's limits and every mesh for sanity.
	// Throws std::logic_error naming the model at fault.
	void Validate(const ModelFile& file);
}
