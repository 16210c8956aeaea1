#include "kit/Model.h"

#include <stdexcept>

namespace Kit
{
	Material ColorMaterial(float alpha, uint32_t flags)
	{
		Material m;
		m.flags = flags;
		m.diffuse[3] = alpha;
		return m;
	}

	Material TextureMaterial(Image texture, TextureFormat format, uint32_t extraFlags)
	{
		Material m;
		m.flags = MAT_TEXTURED | extraFlags;
		m.texture = std::move(texture);
		m.format = format;
		return m;
	}

	Node MakeGroup(std::vector<Node> members, std::string name)
	{
		Node n;
		n.kind = Node::Kind::GROUP;
		n.members = std::move(members);
		n.name = std::move(name);
		return n;
	}

	Node MakeGeometry(Mesh mesh, int material)
	{
		Node n;
		n.kind = Node::Kind::GEOMETRY;
		n.mesh = std::move(mesh);
		n.material = material;
		return n;
	}

	void ForEachGeometry(const Node& node, const std::function<void(const Node&)>& fn)
	{
		if (node.kind == Node::Kind::GEOMETRY)
			fn(node);
		else
			for (const Node& m : node.members)
				ForEachGeometry(m, fn);
	}

	Bounds ComputeBounds(const Node& node)
	{
		Bounds b;
		ForEachGeometry(node, [&](const Node& g) { b.Add(ComputeBounds(g.mesh)); });
		return b;
	}

	int CountGeometries(const Node& node)
	{
		int n = 0;
		ForEachGeometry(node, [&](const Node&) { n++; });
		return n;
	}

	int CountTriangles(const Node& node)
	{
		int n = 0;
		ForEachGeometry(node, [&](const Node& g) { n += int(g.mesh.triangles.size()); });
		return n;
	}

	int ModelFile::AddMaterial(Material m)
	{
		materials.push_back(std::move(m));
		return int(materials.size() - 1);
	}

	void ModelBuilder::Add(const Mesh& mesh, int material)
	{
		for (size_t i = 0; i < mOrder.size(); i++)
			if (mOrder[i] == material)
			{
				Append(mMeshes[i], mesh);
				return;
			}
		mOrder.push_back(material);
		mMeshes.push_back(mesh);
	}

	Node ModelBuilder::Build(std::string name) const
	{
		std::vector<Node> geometries;
		for (size_t i = 0; i < mOrder.size(); i++)
			geometries.push_back(MakeGeometry(mMeshes[i], mOrder[i]));
		return MakeGroup(std::move(geometries), std::move(name));
	}

	static bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

	static void ValidateNode(const ModelFile& file, const Node& node, int depth, const std::string& where)
	{
		if (node.kind == Node::Kind::GEOMETRY)
		{
			if (node.material < -1 || node.material >= int(file.materials.size()))
				throw std::logic_error(where + ": material index out of range");
			if (node.mesh.triangles.empty())
				throw std::logic_error(where + ": geometry without triangles");
			try
			{
				Validate(node.mesh);
			}
			catch (const std::logic_error& e)
			{
				throw std::logic_error(where + ": " + e.what());
			}
			return;
		}
		if (depth > MAX_GROUP_DEPTH)
			throw std::logic_error(where + ": groups nested too deeply");
		if (node.members.size() > size_t(MAX_GROUP_MEMBERS))
			throw std::logic_error(where + ": more than 70 members in a group");
		for (const Node& m : node.members)
			ValidateNode(file, m, depth + 1, where);
	}

	void Validate(const ModelFile& file)
	{
		if (file.materials.size() > size_t(MAX_MATERIALS_PER_FILE))
			throw std::logic_error("model file has more than 400 materials");
		if (file.models.size() > size_t(MAX_MODELS_PER_FILE))
			throw std::logic_error("model file has more than 100 models");
		for (const Material& m : file.materials)
		{
			if (m.HasTexture() != ((m.flags & MAT_TEXTURED) != 0))
				throw std::logic_error("material texture and textured flag disagree");
			if (m.HasTexture() && (!IsPowerOfTwo(m.texture.width) || !IsPowerOfTwo(m.texture.height)))
				throw std::logic_error("texture size is not a power of two");
		}
		for (size_t i = 0; i < file.models.size(); i++)
		{
			const Node& model = file.models[i];
			std::string where = "model " + std::to_string(i) + (model.name.empty() ? "" : " (" + model.name + ")");
			ValidateNode(file, model, 1, where);
		}
	}
}
