// Builders of the models in ":Models:global.bg3d", one per model number of
// System/ContentNumbers.h. Each adds its own materials to the file (the game
// changes materials of some models at load, so models never share one) and
// returns the model's top-level group.
#pragma once

#include "kit/Model.h"

namespace GlobalModels
{
	// Items (BakeGlobalModelsItems.cpp).
	Kit::Node Beacon(Kit::ModelFile& file);
	Kit::Node PowerupPod(Kit::ModelFile& file);
	Kit::Node PodHalf(Kit::ModelFile& file, bool left);
	Kit::Node NovaPickup(Kit::ModelFile& file);
	Kit::Node Dart(Kit::ModelFile& file);
	Kit::Node ExtraLife(Kit::ModelFile& file);
	Kit::Node CheckpointPost(Kit::ModelFile& file);
	Kit::Node CheckpointHead(Kit::ModelFile& file);

	// The robot's hands and weapons (BakeGlobalModelsHands.cpp). Hands and
	// held weapons are in the wrist joint's space: the hand hangs down -y
	// with its front toward -z; held weapons include the gripping fist and
	// fire from (-1, -70, -22) along -y.
	Kit::Node Hand(Kit::ModelFile& file, bool right, bool fist);
	enum class Weapon { STUNGUN, FREEZEGUN, ARCSHOT, GROWTH, FLARE };
	Kit::Node HeldWeapon(Kit::ModelFile& file, Weapon weapon);
	// The same weapon lying level, barrel toward -z, centred.
	Kit::Node WeaponPickup(Kit::ModelFile& file, Weapon weapon);

	// Shots, beams and rings (BakeGlobalModelsEffects.cpp).
	Kit::Node StunShot(Kit::ModelFile& file);
	Kit::Node FreezeShot(Kit::ModelFile& file);
	Kit::Node ArcShot(Kit::ModelFile& file);
	Kit::Node BeamCone(Kit::ModelFile& file, bool inner);
	Kit::Node TeleportRing(Kit::ModelFile& file);
	Kit::Node Zap(Kit::ModelFile& file);

	// Saucers and the death shutters (BakeGlobalModelsSaucers.cpp).
	Kit::Node RaiderSaucer(Kit::ModelFile& file);
	Kit::Node RaiderSaucerRim(Kit::ModelFile& file);
	Kit::Node ExitSaucer(Kit::ModelFile& file);
	Kit::Node ExitSaucerHatch(Kit::ModelFile& file);
	Kit::Node Shutter(Kit::ModelFile& file, bool left);

	// Every model in file order.
	Kit::ModelFile BuildGlobalModels();
}
