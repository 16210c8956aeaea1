// ":Models:global.bg3d": the models every level and the main menu share.
#include "models/BakeGlobalModels.h"
#include "formats/BG3DWriter.h"
#include "System/ContentNumbers.h"

#include <stdexcept>
#include <string>

namespace GlobalModels
{
	Kit::ModelFile BuildGlobalModels()
	{
		Kit::ModelFile file;
		auto add = [&](int number, Kit::Node model) {
			if (int(file.models.size()) != number)
				throw std::logic_error("global model " + std::to_string(number) + " built out of order");
			file.models.push_back(std::move(model));
		};
		add(GLOBAL_MODEL_BEACON, Beacon(file));
		add(GLOBAL_MODEL_POWERUP_POD, PowerupPod(file));
		add(GLOBAL_MODEL_POD_HALF_LEFT, PodHalf(file, true));
		add(GLOBAL_MODEL_POD_HALF_RIGHT, PodHalf(file, false));
		add(GLOBAL_MODEL_RIGHT_HAND_OPEN, Hand(file, true, false));
		add(GLOBAL_MODEL_LEFT_HAND_OPEN, Hand(file, false, false));
		add(GLOBAL_MODEL_RIGHT_HAND_FIST, Hand(file, true, true));
		add(GLOBAL_MODEL_LEFT_HAND_FIST, Hand(file, false, true));
		add(GLOBAL_MODEL_HELD_STUNGUN, HeldWeapon(file, Weapon::STUNGUN));
		add(GLOBAL_MODEL_HELD_FREEZEGUN, HeldWeapon(file, Weapon::FREEZEGUN));
		add(GLOBAL_MODEL_HELD_ARCSHOT, HeldWeapon(file, Weapon::ARCSHOT));
		add(GLOBAL_MODEL_HELD_GROWTH, HeldWeapon(file, Weapon::GROWTH));
		add(GLOBAL_MODEL_HELD_FLARE, HeldWeapon(file, Weapon::FLARE));
		add(GLOBAL_MODEL_STUNGUN_PICKUP, WeaponPickup(file, Weapon::STUNGUN));
		add(GLOBAL_MODEL_NOVA_PICKUP, NovaPickup(file));
		add(GLOBAL_MODEL_FREEZEGUN_PICKUP, WeaponPickup(file, Weapon::FREEZEGUN));
		add(GLOBAL_MODEL_ARCSHOT_PICKUP, WeaponPickup(file, Weapon::ARCSHOT));
		add(GLOBAL_MODEL_FLARE_PICKUP, WeaponPickup(file, Weapon::FLARE));
		add(GLOBAL_MODEL_DART, Dart(file));
		add(GLOBAL_MODEL_EXTRA_LIFE, ExtraLife(file));
		add(GLOBAL_MODEL_STUN_SHOT, StunShot(file));
		add(GLOBAL_MODEL_FREEZE_SHOT, FreezeShot(file));
		add(GLOBAL_MODEL_ARC_SHOT, ArcShot(file));
		add(GLOBAL_MODEL_RAIDER_SAUCER, RaiderSaucer(file));
		add(GLOBAL_MODEL_RAIDER_SAUCER_RIM, RaiderSaucerRim(file));
		add(GLOBAL_MODEL_BEAM_OUTER, BeamCone(file, false));
		add(GLOBAL_MODEL_BEAM_INNER, BeamCone(file, true));
		add(GLOBAL_MODEL_EXIT_SAUCER, ExitSaucer(file));
		add(GLOBAL_MODEL_EXIT_SAUCER_HATCH, ExitSaucerHatch(file));
		add(GLOBAL_MODEL_TELEPORT_RING, TeleportRing(file));
		add(GLOBAL_MODEL_ZAP, Zap(file));
		add(GLOBAL_MODEL_CHECKPOINT_POST, CheckpointPost(file));
		add(GLOBAL_MODEL_CHECKPOINT_HEAD, CheckpointHead(file));
		add(GLOBAL_MODEL_SHUTTER_LEFT, Shutter(file, true));
		add(GLOBAL_MODEL_SHUTTER_RIGHT, Shutter(file, false));
		if (file.models.size() != NUM_GLOBAL_MODELS)
			throw std::logic_error("global model count differs from NUM_GLOBAL_MODELS");
		return file;
	}
}

namespace
{
	void BakeGlobalModels(const Bake::Context& context)
	{
		Bake::WriteBG3DFile(context, "Models/global.bg3d", GlobalModels::BuildGlobalModels());
	}
}

BAKE_STEP("models/global", BakeGlobalModels);
