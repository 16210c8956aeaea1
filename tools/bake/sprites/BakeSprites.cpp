// The sprite sets every level loads: "spheremap", "global", "infobar",
// "particle" and "fence".
#include "sprites/BakeSprites.h"
#include "Bake.h"
#include "System/ContentNumbers.h"
#include "formats/TGAWriter.h"

#include <stdexcept>
#include <string>

namespace
{
	void Write(const Bake::Context& context, const char* set, const std::vector<Kit::Image>& images, size_t expected)
	{
		if (images.size() != expected)
			throw std::logic_error(std::string("sprite set ") + set + " has " + std::to_string(images.size())
				+ " images, the game loads " + std::to_string(expected));
		Bake::WriteSpriteSet(context, set, images);
	}

	void BakeSphereMaps(const Bake::Context& c) { Write(c, SPRITE_SET_SPHEREMAPS, Sprites::SphereMaps(), NUM_SPHEREMAP_SPRITES); }
	void BakeGlobalSprites(const Bake::Context& c) { Write(c, SPRITE_SET_GLOBAL, Sprites::GlobalSet(), NUM_GLOBAL_SPRITES); }
	void BakeInfobar(const Bake::Context& c) { Write(c, SPRITE_SET_INFOBAR, Sprites::Infobar(), NUM_INFOBAR_SPRITES); }
	void BakeParticles(const Bake::Context& c) { Write(c, SPRITE_SET_PARTICLES, Sprites::Particles(), NUM_PARTICLE_SPRITES); }
	void BakeFences(const Bake::Context& c) { Write(c, SPRITE_SET_FENCES, Sprites::Fences(), NUM_FENCE_SPRITES); }
}

BAKE_STEP("sprites/spheremap", BakeSphereMaps);
BAKE_STEP("sprites/global", BakeGlobalSprites);
BAKE_STEP("sprites/infobar", BakeInfobar);
BAKE_STEP("sprites/particle", BakeParticles);
BAKE_STEP("sprites/fence", BakeFences);
