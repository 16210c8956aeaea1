// The four kinds of human the robot rescues: the farmer, the bee woman, the
// scientist and the lady in the skirt. One body plan, four outfits; the game
// shows them at scale 2. Animations: 0 stand, 1 walk, 2 beamed up, 3 teleport.
#include "skeletons/BakeSkeletons.h"
#include "3D/SkeletonTypes.h"
#include "kit/Primitives.h"
#include "rig/Humanoid.h"

#include <cmath>
#include <stdexcept>

namespace Skeletons
{
	using namespace Rig;
	using Kit::Hex;

	namespace
	{
		constexpr float TAU = 6.2831853f;

		Kit::Mesh Skirt(float top, float bottom, float height, int segments = 10)
		{
			return Kit::Cylinder(bottom, top, height, segments, false, true);
		}

		// A flat disc (hat brims).
		Kit::Mesh Disc(float radius, float thickness, int segments = 9)
		{
			return Kit::Cylinder(radius, radius, thickness, segments, true, false);
		}

		void DressFarmer(Body& body, const Humanoid& h)
		{
			// Dungarees: a bib over the shirt with two straps; a straw hat.
			const Vec3 chest = h.Pivot(ROLE_CHEST), head = h.Pivot(ROLE_HEAD);
			body.Block(chest + Vec3{0, 5, -5.8f}, {13, 11, 1.5f}, h[ROLE_CHEST], Hex(0x3B5BA5));
			for (float x : {-5.0f, 5.0f})
				body.Block(chest + Vec3{x, 14, -5.6f}, {2.2f, 9, 1.2f}, h[ROLE_CHEST], Hex(0x3B5BA5));
			Kit::Mesh brim = Disc(15, 1.2f);
			Kit::Translate(brim, head + Vec3{0, 14.5f, 0});
			body.Add(brim, h[ROLE_HEAD], Hex(0xE8C35A));
			Kit::Mesh crown = Kit::Cylinder(8.6f, 7, 7, 8);
			Kit::Translate(crown, head + Vec3{0, 18.8f, 0});
			body.Add(crown, h[ROLE_HEAD], Hex(0xD9AE44));
			body.Block(head + Vec3{0, 16.2f, 0}, {17.6f, 1.6f, 17.6f}, h[ROLE_HEAD], Hex(0xB0302A));		// hat band
		}

		void DressBeeWoman(Body& body, const Humanoid& h)
		{
			// A striped dress and a towering beehive of hair.
			const Vec3 pelvis = h.Pivot(ROLE_PELVIS), head = h.Pivot(ROLE_HEAD), chest = h.Pivot(ROLE_CHEST);
			Kit::Mesh skirt = Skirt(9.5f, 15, 18);
			Kit::Translate(skirt, pelvis + Vec3{0, -7, 0});
			body.Add(skirt, h[ROLE_PELVIS], Hex(0xF2C418));
			body.Block(pelvis + Vec3{0, 2.5f, 0}, {18.5f, 3, 12.5f}, h[ROLE_PELVIS], Hex(0x2A2320));
			body.Block(chest + Vec3{0, 4, 0}, {22.4f, 3, 11.4f}, h[ROLE_CHEST], Hex(0x2A2320));
			for (int k = 0; k < 3; k++)
				body.Ball(head + Vec3{0, 17.5f + 6.5f * float(k), 1.5f}, Vec3{8.8f, 6, 8.8f} * (1 - 0.14f * float(k)),
						h[ROLE_HEAD], Hex(0xE0A030));
			body.Ball(head + Vec3{0, 9, 3}, {8.6f, 7, 6.5f}, h[ROLE_HEAD], Hex(0xE0A030));
		}

		void DressScientist(Body& body, const Humanoid& h)
		{
			// A long lab coat, grey tufts around a bald crown and round glasses.
			const Vec3 pelvis = h.Pivot(ROLE_PELVIS), head = h.Pivot(ROLE_HEAD);
			Kit::Mesh tails = Skirt(9.8f, 12.5f, 20);
			Kit::Translate(tails, pelvis + Vec3{0, -8, 0});
			body.Add(tails, h[ROLE_PELVIS], Hex(0xF4F6F8));
			for (float x : {-7.5f, 7.5f})
				body.Ball(head + Vec3{x, 10, 1.5f}, {2.6f, 3.2f, 4.5f}, h[ROLE_HEAD], Hex(0xB8BCC4), 6, 3);
			for (float x : {-3.1f, 3.1f})
			{
				Kit::Mesh lens = Kit::Torus(2.2f, 0.45f, 8, 4);
				Kit::Rotate(lens, {1.5707963f, 0, 0});
				Kit::Translate(lens, head + Vec3{x, 10.6f, -8.1f});
				body.Add(lens, h[ROLE_HEAD], Hex(0x202028));
			}
			body.Block(head + Vec3{0, 10.6f, -8.4f}, {2, 0.6f, 0.6f}, h[ROLE_HEAD], Hex(0x202028));
		}

		void DressSkirtLady(Body& body, const Humanoid& h)
		{
			// A full red skirt, and brown hair in a bob with a bun.
			const Vec3 pelvis = h.Pivot(ROLE_PELVIS), head = h.Pivot(ROLE_HEAD);
			Kit::Mesh skirt = Skirt(9.6f, 17, 17, 12);
			Kit::Translate(skirt, pelvis + Vec3{0, -6.5f, 0});
			body.Add(skirt, h[ROLE_PELVIS], Hex(0xD8323C));
			body.Ball(head + Vec3{0, 11, 1.8f}, {9, 9.6f, 8.2f}, h[ROLE_HEAD], Hex(0x6B3A1E));
			body.Ball(head + Vec3{0, 20, 5}, {4, 4, 4}, h[ROLE_HEAD], Hex(0x6B3A1E), 6, 4);
		}

		struct Outfit
		{
			Look look;
			float scale;
			void (*dress)(Body&, const Humanoid&);
		};

		Outfit OutfitOf(int type)
		{
			Outfit o;
			o.scale = 1;
			switch (type)
			{
				case SKELETON_TYPE_FARMER:
					o.look.shirt = o.look.sleeve = Hex(0xC8402E);
					o.look.pants = Hex(0x3B5BA5);
					o.look.shoes = Hex(0x5A3A22);
					o.look.girth = 1.08f;
					o.dress = DressFarmer;
					break;
				case SKELETON_TYPE_BEEWOMAN:
					o.look.skin = Hex(0xF0C8A8);
					o.look.shirt = o.look.sleeve = Hex(0xF2C418);
					o.look.pants = Hex(0xF0C8A8);		// bare legs under the dress
					o.look.shoes = Hex(0x2A2320);
					o.look.girth = 0.9f;
					o.look.bareArms = true;
					o.scale = 0.97f;
					o.dress = DressBeeWoman;
					break;
				case SKELETON_TYPE_SCIENTIST:
					o.look.skin = Hex(0xE8B890);
					o.look.shirt = o.look.sleeve = Hex(0xF4F6F8);
					o.look.pants = Hex(0x4A4E5A);
					o.look.shoes = Hex(0x1E1E22);
					o.look.headSize = 1.08f;
					o.dress = DressScientist;
					break;
				case SKELETON_TYPE_SKIRTLADY:
					o.look.skin = Hex(0xD9A07A);
					o.look.shirt = o.look.sleeve = Hex(0xF090B8);
					o.look.pants = Hex(0xD9A07A);
					o.look.shoes = Hex(0xB01828);
					o.look.girth = 0.88f;
					o.look.bareArms = true;
					o.scale = 0.96f;
					o.dress = DressSkirtLady;
					break;
				default:
					throw std::logic_error("BuildHuman: not a human skeleton type");
			}
			return o;
		}
	}

	Rig::Skeleton BuildHuman(int type)
	{
		const Outfit outfit = OutfitOf(type);
		Skeleton s;
		s.name = SKELETON_FILE_NAMES[type];
		Proportions p;
		p.scale = outfit.scale;
		const Humanoid h = AddHumanoidJoints(s, p);

		Body body(200 + uint32_t(type));
		AddHumanoidParts(body, h, outfit.look);
		outfit.dress(body, h);
		s.model = body.Build(s.name);

		const Biped b = h.AsBiped();
		const Pose relaxed = Pose().RotZ(h[ROLE_LUPPER], -0.1f).RotZ(h[ROLE_RUPPER], 0.1f);

		// 0 stand: breathing, looking about.
		AddBipedIdle(AnimBuilder(s, HUMAN_ANIM_STAND, "stand"), b, 80, relaxed, 1.2f);

		// 1 walk: 40 ticks a cycle, matching 100 units a second at scale 2.
		Gait g;
		g.stride = 0.42f;
		g.knee = 0.85f;
		g.bob = 2.5f;
		g.armSwing = 0.38f;
		g.elbow = 0.25f;
		AddBipedWalk(AnimBuilder(s, HUMAN_ANIM_WALK, "walk"), b, g, 40, relaxed);

		// 2 carried up by the saucer's beam: arms up and waving, legs dangling.
		AddCycle(AnimBuilder(s, HUMAN_ANIM_BEAMED, "beamed"), 24, 4, [&](float ph) {
			float w = std::sin(TAU * ph);
			return Pose().Rot(h[ROLE_LUPPER], {0.3f, 0, -2.6f - 0.35f * w}).Rot(h[ROLE_RUPPER], {0.3f, 0, 2.6f - 0.35f * w})
				.RotZ(h[ROLE_LFORE], -0.4f * w).RotZ(h[ROLE_RFORE], -0.4f * w)
				.RotX(h[ROLE_LTHIGH], 0.25f * w).RotX(h[ROLE_RTHIGH], -0.25f * w)
				.RotX(h[ROLE_LSHIN], -0.5f).RotX(h[ROLE_RSHIN], -0.5f).RotX(h[ROLE_HEAD], 0.35f);
		}, EASE_INOUT);

		// 3 teleported away: hopping for joy, both hands waving over the head.
		AddCycle(AnimBuilder(s, HUMAN_ANIM_TELEPORT, "teleport"), 16, 4, [&](float ph) {
			float up = 0.5f - 0.5f * std::cos(TAU * ph), w = std::sin(TAU * ph);
			return Pose().Move(h[ROLE_PELVIS], {0, 5 * up - 2, 0})
				.Rot(h[ROLE_LUPPER], {0.2f, 0, -2.7f + 0.3f * w}).Rot(h[ROLE_RUPPER], {0.2f, 0, 2.7f + 0.3f * w})
				.RotZ(h[ROLE_LFORE], 0.3f * w).RotZ(h[ROLE_RFORE], 0.3f * w)
				.RotX(h[ROLE_LTHIGH], 0.3f * (1 - up)).RotX(h[ROLE_RTHIGH], 0.3f * (1 - up))
				.RotX(h[ROLE_LSHIN], -0.6f * (1 - up)).RotX(h[ROLE_RSHIN], -0.6f * (1 - up))
				.RotX(h[ROLE_LFOOT], 0.3f * (1 - up)).RotX(h[ROLE_RFOOT], 0.3f * (1 - up)).RotX(h[ROLE_HEAD], 0.2f);
		}, EASE_LINEAR);
		return s;
	}
}
