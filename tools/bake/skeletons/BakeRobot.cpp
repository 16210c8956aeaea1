// The robot hero: a chunky blue-and-white robot with a boxy head, a green
// visor, a red-tipped antenna and a jump-jet pack on its back.
#include "skeletons/BakeRobot.h"
#include "formats/BG3DWriter.h"
#include "models/BakeGlobalModels.h"
#include "kit/Art.h"
#include "kit/Preview.h"
#include "kit/Primitives.h"

namespace Robot
{
	using namespace Kit;

	const JointInfo JOINTS[NUM_JOINTS] =
	{
		{"pelvis", -1, {0, 76, 0}},
		{"left thigh", PELVIS, {-15, 74, 0}},
		{"left shin", LEFT_THIGH, {-15, 44, 0}},
		{"left foot", LEFT_SHIN, {-15, 14, 0}},
		{"right thigh", PELVIS, {15, 74, 0}},
		{"right shin", RIGHT_THIGH, {15, 44, 0}},
		{"right foot", RIGHT_SHIN, {15, 14, 0}},
		{"belly", PELVIS, {0, 86, 0}},
		{"chest", BELLY, {0, 100, 0}},
		{"head", CHEST, {0, 146, 0}},
		{"left upper arm", CHEST, {-38, 138, 0}},
		{"left forearm", LEFT_UPPER_ARM, {-41, 109, 0}},
		{"left hand", LEFT_FOREARM, {-43, 80, 0}},
		{"right upper arm", CHEST, {38, 138, 0}},
		{"right forearm", RIGHT_UPPER_ARM, {41, 109, 0}},
		{"right hand", RIGHT_FOREARM, {43, 80, 0}},
		{"jetpack", CHEST, {0, 118, 22}},
	};

	namespace
	{
		struct Parts
		{
			Mesh shell;		// painted plates (panel texture)
			Mesh metal;		// limbs and joints (plain texture)
		};

		Mesh Part(Mesh m, Vec3 at, Rgba color, int joint)
		{
			Translate(m, at);
			SetColor(m, color);
			SetTag(m, joint);
			return m;
		}

		// A limb segment between two points (a capsule or tapered tube).
		Mesh Limb(Vec3 from, Vec3 to, float r0, float r1, Rgba color, int joint)
		{
			Vec3 d = to - from;
			float len = Length(d);
			Mesh m = Cylinder(r0, r1, len, 8, true, true);
			// Stand it from `from` toward `to`: rotate y-axis onto d.
			float pitch = std::atan2(std::hypot(d.x, d.z), d.y);
			float yaw = std::atan2(d.x, d.z);
			Translate(m, {0, len / 2, 0});
			Rotate(m, {pitch, 0, 0});
			Rotate(m, {0, yaw, 0});
			return Part(m, from, color, joint);
		}

		void AddHead(Parts& p)
		{
			const int j = HEAD;
			Append(p.metal, Part(Cylinder(8, 9, 8, 8), {0, 148, 0}, Art::ROBOT_DARK, j));
			Append(p.shell, Part(RoundedBox({46, 36, 40}, 11, 1), {0, 170, -1}, Art::ROBOT_BLUE, j));
			// Face plate and visor on the front (-z).
			Append(p.shell, Part(Box({38, 22, 4}), {0, 168, -21.5f}, Art::ROBOT_WHITE, j));
			Append(p.metal, Part(Box({32, 9, 3}), {0, 171, -24.5f}, Art::ROBOT_VISOR, j));
			for (float s : {-1.0f, 1.0f})		// two bright eyes behind the visor glass
				Append(p.metal, Part(Box({6, 5, 1}), {s * 8, 171.5f, -26.5f}, {250, 255, 245, 255}, j));
			// Ear pods.
			for (float s : {-1.0f, 1.0f})
			{
				Mesh ear = Cylinder(6.5f, 5.5f, 6, 8, true, false);
				Rotate(ear, {0, 0, -s * Kit::PI / 2});
				Append(p.metal, Part(ear, {s * 25.5f, 170, 0}, Art::GOLD, j));
			}
			// Antenna with a red bulb.
			Append(p.metal, Part(Cylinder(1.4f, 1.1f, 16, 6, false), {9, 195, 4}, Art::ROBOT_GREY, j));
			Append(p.metal, Part(Flatten(Sphere(3.6f, 8, 4, false)), {9, 203, 4}, Art::ROBOT_ANTENNA, j));
		}

		void AddTorso(Parts& p)
		{
			// Pelvis and belly.
			Append(p.metal, Part(RoundedBox({40, 18, 28}, 6, 1), {0, 77, 0}, Art::ROBOT_DARK, PELVIS));
			Append(p.metal, Part(Cylinder(16, 18, 7, 8), {0, 89, 0}, Art::ROBOT_GREY, BELLY));
			Append(p.metal, Part(Cylinder(18, 16, 6, 8), {0, 95.5f, 0}, Art::ROBOT_DARK, BELLY));
			// Chest: a big blue barrel with a white front plate and a glowing core.
			Append(p.shell, Part(RoundedBox({66, 46, 42}, 10, 1), {0, 122, -1}, Art::ROBOT_BLUE, CHEST));
			Append(p.shell, Part(Box({42, 28, 6}), {0, 123, -21.5f}, Art::ROBOT_WHITE, CHEST));
			Mesh core = Cylinder(7.5f, 7.5f, 3, 8, true, false);
			Rotate(core, {Kit::PI / 2, 0, 0});
			Append(p.metal, Part(core, {0, 124, -25.5f}, Art::GOLD, CHEST));
			// Jump-jet pack on the back with two thrusters.
			Append(p.shell, Part(RoundedBox({40, 34, 14}, 5, 1), {0, 122, 27}, Art::ROBOT_WHITE, JETPACK));
			for (float s : {-1.0f, 1.0f})
			{
				Append(p.metal, Part(Cylinder(5, 5, 14, 8), {s * 11, 105, 29}, Art::ROBOT_DARK, JETPACK));
				Append(p.metal, Part(Cylinder(8, 5.5f, 7, 8, true, false), {s * 11, 95.5f, 29}, Art::FLARE_ORANGE, JETPACK));
			}
		}

		void AddLeg(Parts& p, float s)
		{
			int thigh = s < 0 ? LEFT_THIGH : RIGHT_THIGH;
			int shin = s < 0 ? LEFT_SHIN : RIGHT_SHIN;
			int foot = s < 0 ? LEFT_FOOT : RIGHT_FOOT;
			float x = 15 * s;
			Append(p.metal, Part(Sphere(8.5f, 6, 3), {x, 74, 0}, Art::ROBOT_DARK, thigh));
			Append(p.metal, Part(Capsule(7.5f, 30, 8, 2), {x, 60, 0}, Art::ROBOT_GREY, thigh));
			Append(p.metal, Part(Sphere(7.5f, 6, 3), {x, 44, 0}, Art::ROBOT_DARK, shin));
			Append(p.metal, Part(Cylinder(9.5f, 7.5f, 24, 8), {x, 27, 0}, Art::ROBOT_GREY, shin));
			Append(p.shell, Part(Box({15, 18, 6}), {x, 30, -8}, Art::ROBOT_BLUE, shin));
			// Chunky boots reaching forward, on dark soles.
			Append(p.shell, Part(RoundedBox({21, 14, 34}, 6, 1), {x, 10, -5}, Art::ROBOT_BLUE, foot));
			Append(p.metal, Part(Box({22, 4, 35}), {x, 2, -5}, Art::ROBOT_DARK, foot));
		}

		void AddArm(Parts& p, float s)
		{
			int upper = s < 0 ? LEFT_UPPER_ARM : RIGHT_UPPER_ARM;
			int fore = s < 0 ? LEFT_FOREARM : RIGHT_FOREARM;
			Append(p.shell, Part(Sphere(11.5f, 8, 5), {38 * s, 139, 0}, Art::ROBOT_BLUE, upper));
			Append(p.metal, Limb({39.5f * s, 130, 0}, {40.5f * s, 114, 0}, 6.5f, 6, Art::ROBOT_GREY, upper));
			Append(p.metal, Part(Sphere(7, 6, 3), {41 * s, 109, 0}, Art::ROBOT_DARK, fore));
			Append(p.shell, Limb({41.5f * s, 103, 0}, {43 * s, 82, 0}, 7, 8.5f, Art::ROBOT_WHITE, fore));
		}
	}

	Mesh HeadMesh()
	{
		Parts p;
		AddHead(p);
		Append(p.shell, p.metal);
		return p.shell;
	}

	static Node BuildBodyInto(ModelFile& file)
	{
		Parts p;
		AddHead(p);
		AddTorso(p);
		for (float s : {-1.0f, 1.0f})
		{
			AddLeg(p, s);
			AddArm(p, s);
		}
		BoxUV(p.shell, 1.0f / 40);

		ModelBuilder b(file);
		int shell = b.AddMaterial(Art::Opaque(Art::MetalPanels(128, 2, 71)));
		int metal = b.AddMaterial(Art::Opaque(Art::PlainSurface(64, 73)));
		b.Add(p.shell, shell);
		b.Add(p.metal, metal);
		return b.Build("robot");
	}

	ModelFile BuildBody()
	{
		ModelFile file;
		file.models.push_back(BuildBodyInto(file));
		return file;
	}

	// The robot as the game shows it: the body with a hand on the left wrist
	// and the stun gun in the right, from the front and from the back.
	static ModelFile Assembled()
	{
		ModelFile file;
		Node body = BuildBodyInto(file);
		Node left = GlobalModels::Hand(file, false, false);
		Node right = GlobalModels::HeldWeapon(file, GlobalModels::Weapon::STUNGUN);
		for (Node& m : left.members)
			Translate(m.mesh, JOINTS[LEFT_HAND].pivot);
		for (Node& m : right.members)
			Translate(m.mesh, JOINTS[RIGHT_HAND].pivot);
		Node whole = MakeGroup({body, left, right}, "assembled robot");
		Node back = whole;
		for (Node& part : back.members)
			for (Node& m : part.members)
				Rotate(m.mesh, {0, Kit::PI, 0});
		file.models = {whole, back};
		return file;
	}
}

namespace
{
	void BakeRobotBody(const Bake::Context& context)
	{
		Bake::WriteBG3DFile(context, "Skeletons/Quog.bg3d", Robot::BuildBody());
		if (Kit::PreviewsEnabled())
			Kit::WritePreview("Skeletons_Quog_assembled", Kit::ModelContactSheet(Robot::Assembled(), 512, 2));
	}
}

BAKE_STEP("skeletons/quog-mesh", BakeRobotBody);
