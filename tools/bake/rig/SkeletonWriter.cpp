#include "rig/SkeletonWriter.h"
#include "formats/BG3DWriter.h"
#include "formats/BigEndianWriter.h"
#include "3D/SkeletonParse.h"
#include "PlatformTypes.h"

#include <cmath>
#include <set>
#include <stdexcept>
#include <string>

namespace Rig
{
	BoundMesh BindMesh(const Skeleton& s)
	{
		BoundMesh bound;
		std::vector<int> vertexJoint;		// joint of each vertex, in walk order
		std::vector<std::vector<int>> meshTags;
		std::string error;

		Kit::ForEachGeometry(s.model.models.at(0), [&](const Kit::Node& g) {
			const Kit::Mesh& m = g.mesh;
			std::vector<float> points, normals;
			for (size_t i = 0; i < m.points.size(); i++)
			{
				points.insert(points.end(), {m.points[i].x, m.points[i].y, m.points[i].z});
				normals.insert(normals.end(), {m.normals[i].x, m.normals[i].y, m.normals[i].z});
			}
			if (!bound.decomposition.AddMesh(points.data(), normals.data(), int(m.points.size()), &error))
			{
				// Name the position at fault: the first that this mesh crowds past the limit.
				std::vector<int> extra(bound.decomposition.points.size(), 0);
				for (const Kit::Vec3& v : m.points)
					for (size_t k = 0; k < bound.decomposition.points.size(); k++)
					{
						const float* q = bound.decomposition.points[k].realPoint;
						if (std::fabs(q[0] - v.x) < 0.001f && std::fabs(q[1] - v.y) < 0.001f && std::fabs(q[2] - v.z) < 0.001f
								&& bound.decomposition.points[k].numRefs + ++extra[k] > MAX_POINT_REFS + 1)
						{
							error += " (at " + std::to_string(v.x) + ", " + std::to_string(v.y) + ", " + std::to_string(v.z) + ")";
							goto named;
						}
					}
			named:
				throw std::logic_error("rig " + s.name + ": " + error);
			}
			meshTags.push_back(m.tags);
		});

		const size_t numJoints = s.joints.size();
		bound.bonePoints.assign(numJoints, {});
		std::vector<std::set<uint16_t>> normals(numJoints);
		for (size_t p = 0; p < bound.decomposition.points.size(); p++)
		{
			const DecomposedPointRecord& point = bound.decomposition.points[p];
			int joint = meshTags[point.whichTriMesh[0]][size_t(point.whichPoint[0])];
			for (int k = 1; k < point.numRefs; k++)
				if (meshTags[point.whichTriMesh[k]][size_t(point.whichPoint[k])] != joint)
					throw std::logic_error("rig " + s.name + ": the point at (" + std::to_string(point.realPoint[0]) + ", "
							+ std::to_string(point.realPoint[1]) + ", " + std::to_string(point.realPoint[2])
							+ ") is shared by joints " + s.joints[size_t(joint)].name + " and "
							+ s.joints[size_t(meshTags[point.whichTriMesh[k]][size_t(point.whichPoint[k])])].name);
			bound.pointJoint.push_back(joint);
			bound.bonePoints[size_t(joint)].push_back(uint16_t(p));
			for (int k = 0; k < point.numRefs; k++)
				normals[size_t(joint)].insert(uint16_t(point.whichNormal[k]));
		}
		for (const std::set<uint16_t>& set : normals)
			bound.boneNormals.emplace_back(set.begin(), set.end());
		return bound;
	}

	std::vector<uint8_t> MakeAliasRecord(const std::string& fileName)
	{
		constexpr size_t SIZE = 150;
		if (fileName.empty() || fileName.size() > 63)
			throw std::length_error("alias: file name of 1 to 63 characters");
		Bake::BigEndianWriter w;
		w.Zeros(4);							// user type
		w.U16(uint16_t(SIZE));
		w.U16(2);							// version
		w.U16(0);							// kind: a file
		w.FixedPascalString("Zappatron", 27);	// volume name (28 bytes)
		w.Zeros(4 + 2 + 2 + 4);				// volume date, signature, drive type, parent folder
		w.FixedPascalString(fileName, 63);	// target name (64 bytes)
		w.Zeros(SIZE - w.Size());			// file number, dates, type and creator: unused
		return w.Take();
	}

	namespace
	{
		void PutPoint(Bake::BigEndianWriter& w, float x, float y, float z)
		{
			w.F32(x);
			w.F32(y);
			w.F32(z);
		}

		struct ResourceList
		{
			std::vector<Bake::ResourceEntry> entries;
			void Add(OSType type, int16_t id, std::vector<uint8_t> data, const std::string& name = "")
			{
				entries.push_back({type, id, name, 0, std::move(data)});
			}
		};

		// Every record must come out at the size the game's parser steps by.
		std::vector<uint8_t> Records(Bake::BigEndianWriter& w, size_t count, size_t recordSize, const char* what)
		{
			if (w.Size() != count * recordSize)
				throw std::logic_error(std::string("skeleton file: ") + what + " records do not match the format's size");
			return w.Take();
		}

		std::vector<uint8_t> IndexList(const std::vector<uint16_t>& list)
		{
			Bake::BigEndianWriter w;
			for (uint16_t i : list)
				w.U16(i);
			return w.Take();
		}
	}

	std::vector<Bake::ResourceEntry> BuildSkeletonResourceList(const Skeleton& s)
	{
		Validate(s);
		const BoundMesh bound = BindMesh(s);
		ResourceList fork;

		Bake::BigEndianWriter header;
		header.U16(SKELETON_FILE_VERSION);
		header.U16(uint16_t(s.anims.size()));
		header.U16(uint16_t(s.joints.size()));
		fork.Add(SKELETON_RES_HEADER, SKELETON_RES_ID, Records(header, 1, SKELETON_HEADER_SIZE, "header"));
		fork.Add(SKELETON_RES_ALIAS, SKELETON_RES_ALIAS_ID, MakeAliasRecord(s.name + ".bg3d"));

		for (size_t j = 0; j < s.joints.size(); j++)
		{
			const int16_t id = JointResourceID(int(j));
			const Joint& joint = s.joints[j];
			Bake::BigEndianWriter bone;
			bone.S32(joint.parent);
			bone.FixedPascalString(joint.name.substr(0, 31), 31);	// 32 bytes the game skips
			PutPoint(bone, joint.pivot.x, joint.pivot.y, joint.pivot.z);
			bone.U16(uint16_t(bound.bonePoints[j].size()));
			bone.U16(uint16_t(bound.boneNormals[j].size()));
			fork.Add(SKELETON_RES_BONE, id, Records(bone, 1, SKELETON_BONE_SIZE, "bone"), joint.name.substr(0, 255));
			fork.Add(SKELETON_RES_BONE_POINTS, id, IndexList(bound.bonePoints[j]));
			fork.Add(SKELETON_RES_BONE_NORMALS, id, IndexList(bound.boneNormals[j]));
		}

		Bake::BigEndianWriter relative;
		for (size_t p = 0; p < bound.decomposition.points.size(); p++)
		{
			const float* real = bound.decomposition.points[p].realPoint;
			const Vec3 pivot = s.joints[size_t(bound.pointJoint[p])].pivot;
			PutPoint(relative, real[0] - pivot.x, real[1] - pivot.y, real[2] - pivot.z);
		}
		fork.Add(SKELETON_RES_REL_POINTS, SKELETON_RES_ID,
				Records(relative, bound.decomposition.points.size(), SKELETON_REL_POINT_SIZE, "relative point"));

		for (size_t a = 0; a < s.anims.size(); a++)
		{
			const Animation& anim = s.anims[a];
			const int16_t id = AnimResourceID(int(a));

			Bake::BigEndianWriter animHeader;
			animHeader.FixedPascalString(anim.name.substr(0, 31), 31);
			animHeader.U16(0);
			animHeader.U16(uint16_t(anim.events.size()));
			fork.Add(SKELETON_RES_ANIM_HEADER, id, Records(animHeader, 1, SKELETON_ANIM_HEADER_SIZE, "animation header"),
					anim.name.substr(0, 255));

			Bake::BigEndianWriter events;
			for (const Event& e : anim.events)
			{
				events.U16(e.tick);
				events.U8(e.type);
				events.U8(e.value);
			}
			fork.Add(SKELETON_RES_EVENTS, id, Records(events, anim.events.size(), SKELETON_EVENT_SIZE, "event"));

			Bake::BigEndianWriter counts;
			for (const std::vector<Key>& track : anim.keys)
				counts.U8(uint8_t(track.size()));
			fork.Add(SKELETON_RES_NUM_KEYFRAMES, id, counts.Take());

			for (size_t j = 0; j < anim.keys.size(); j++)
			{
				Bake::BigEndianWriter keys;
				for (const Key& k : anim.keys[j])
				{
					keys.S32(k.tick);
					keys.S32(k.ease);
					PutPoint(keys, k.coord.x, k.coord.y, k.coord.z);
					PutPoint(keys, k.rotation.x, k.rotation.y, k.rotation.z);
					PutPoint(keys, k.scale.x, k.scale.y, k.scale.z);
				}
				fork.Add(SKELETON_RES_KEYFRAMES, KeyframeResourceID(int(a), int(j)),
						Records(keys, anim.keys[j].size(), SKELETON_KEYFRAME_SIZE, "keyframe"));
			}
		}
		return fork.entries;
	}

	Bake::ResourceForkWriter MakeFork(const std::vector<Bake::ResourceEntry>& resources)
	{
		Bake::ResourceForkWriter fork;
		for (const Bake::ResourceEntry& r : resources)
			fork.Add(r.type, r.id, r.data, r.name, r.attributes);
		return fork;
	}

	Bake::ResourceForkWriter BuildSkeletonResources(const Skeleton& s)
	{
		return MakeFork(BuildSkeletonResourceList(s));
	}

	void WriteSkeleton(const Bake::Context& context, const Skeleton& s)
	{
		Bake::ResourceForkWriter fork = BuildSkeletonResources(s);
		if (s.writeModel)
			Bake::WriteBG3DFile(context, "Skeletons/" + s.name + ".bg3d", s.model);
		fork.WriteSidecar(context, "Skeletons/" + s.name + ".skeleton");
	}
}
