#include "rig/SampleRigs.h"
#include "kit/Primitives.h"

namespace Rig
{
	namespace
	{
		Kit::Mesh TaggedBox(Vec3 size, Vec3 centre, int joint)
		{
			Kit::Mesh m = Kit::Box(size);
			Kit::Translate(m, centre);
			Kit::SetTag(m, joint);
			return m;
		}

		Kit::ModelFile OneModel(const Kit::Mesh& mesh)
		{
			Kit::ModelFile file;
			Kit::ModelBuilder b(file);
			b.Add(mesh, b.AddMaterial(Kit::ColorMaterial()));
			file.models.push_back(b.Build("body"));
			return file;
		}
	}

	Skeleton SampleArm(const std::string& name)
	{
		Skeleton s;
		s.name = name;
		s.AddJoint("base", -1, {0, 0, 0});
		s.AddJoint("upper", 0, {0, 10, 0});
		s.AddJoint("fore", 1, {0, 30, 0});

		Kit::Mesh mesh = TaggedBox({10, 10, 10}, {0, 5, 0}, 0);
		Kit::Append(mesh, TaggedBox({4, 19.9f, 4}, {0, 20, 0}, 1));		// short of the base and the forearm
		Kit::Append(mesh, TaggedBox({4, 19.9f, 4}, {0, 40, 0}, 2));
		s.model = OneModel(mesh);

		AnimBuilder bend(s, "bend");
		bend.Key(0, Pose(), EASE_LINEAR)
			.Key(10, Pose().RotZ(2, 1.5707963f), EASE_LINEAR)
			.Key(20, Pose(), EASE_LINEAR)
			.Loop(20);
		AnimBuilder(s, "hold").Key(0, Pose().RotZ(1, 0.25f)).Stop(0);
		return s;
	}

	Skeleton SampleChain(const std::string& name, int numJoints)
	{
		Skeleton s;
		s.name = name;
		Kit::Mesh mesh;
		for (int j = 0; j < numJoints; j++)
		{
			s.AddJoint("segment " + std::to_string(j), j - 1, {0, 10.0f * float(j), 0});
			Kit::Append(mesh, TaggedBox({6, 9, 6}, {0, 10.0f * float(j) + 5, 0}, j));
		}
		s.model = OneModel(mesh);

		Pose curl;
		for (int j = 1; j < numJoints; j++)
			curl.Rot(j, {0.2f, 0.1f, 0.15f});
		AnimBuilder(s, "curl").Key(0, Pose()).Key(15, curl).Key(30, Pose()).Loop(30);
		return s;
	}
}
