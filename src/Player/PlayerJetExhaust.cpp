// The jump jet's exhaust: while the jet fires, flame spurts down from the
// soles of both feet and smoke billows up behind it. Made in the game's
// logic (it draws from the game's random stream in every run alike).
#include "Player/PlayerInternal.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "System/FrameTime.h"
#include "System/Random.h"

#include <SDL_opengl.h>		// blending enums of the particle groups

namespace
{
	constexpr float PUFF_INTERVAL = 0.03f;				// seconds between puffs
	constexpr OGLPoint3D SOLE_ON_FOOT = {0, -14, -5};	// under the ankle, in the foot joint's space
	constexpr int FEET[2] = {PLAYER_JOINT_LEFT_FOOT, PLAYER_JOINT_RIGHT_FOOT};

	// Flame: hot, shot down and gone in a quarter of a second.
	constexpr float FLAME_SCALE = 45.0f;				// particle size at gPlayerLevel.scale 1
	constexpr float FLAME_SPEED = 550.0f;				// units per second, downward
	constexpr float FLAME_SPREAD = 120.0f;				// ± units per second sideways
	constexpr float FLAME_FADE = 4.0f;					// opacity per second
	constexpr float FLAME_SHRINK = 2.0f;				// scale per second
	// Smoke: slower, swelling as it drifts up and away.
	constexpr float SMOKE_SCALE = 50.0f;
	constexpr float SMOKE_SPEED = 250.0f;
	constexpr float SMOKE_SPREAD = 160.0f;
	constexpr float SMOKE_LIFT = 250.0f;				// upward pull, units per second²
	constexpr float SMOKE_FADE = 0.9f;
	constexpr float SMOKE_GROWTH = 1.2f;
	constexpr float TRAIL_SHARE = 0.3f;					// of the robot's own motion the exhaust keeps

	struct ExhaustGroup
	{
		int16_t group = -1;
		uint32_t magic = 0;
	};

	struct JetExhaust
	{
		ExhaustGroup flame, smoke;
		float timer = 0;
	} gJetExhaust;

	// The group, made again once the old one has emptied and gone.
	int16_t GroupFor(ExhaustGroup& g, uint8_t texture, float gravity, float baseScale, float decay, float fade,
			uint32_t dstBlend)
	{
		if (g.group >= 0 && VerifyParticleGroupMagicNum(g.group, g.magic))
			return g.group;
		NewParticleGroupDefType def = {};
		def.magicNum = g.magic = RandomNumber();
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.gravity = gravity;
		def.baseScale = baseScale;
		def.decayRate = decay;
		def.fadeRate = fade;
		def.particleTextureNum = texture;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = dstBlend;
		g.group = NewParticleGroup(&def);
		return g.group;
	}

	void Puff(int16_t group, const OGLPoint3D& where, const OGLVector3D& delta, float scale, float alpha)
	{
		const float spin = RandomFloat() * PI2;
		NewParticleDefType def = {group, &where, &delta, scale, spin, RandomFloatSigned() * 4, alpha};
		AddParticleToGroup(&def);
	}
}

void PuffJetExhaust(ObjNode* robot)
{
	if (!robot->Skeleton)
		return;
	gJetExhaust.timer -= gFrameTime;
	if (gJetExhaust.timer > 0)
		return;
	gJetExhaust.timer = PUFF_INTERVAL;

	const float size = gPlayerLevel.scale;
	const int16_t flame = GroupFor(gJetExhaust.flame, PARTICLE_SPRITE_FLAME, 0, FLAME_SCALE * size, FLAME_SHRINK,
			FLAME_FADE, GL_ONE);
	const int16_t smoke = GroupFor(gJetExhaust.smoke, PARTICLE_SPRITE_SMOKE_GREY, -SMOKE_LIFT, SMOKE_SCALE * size,
			-SMOKE_GROWTH, SMOKE_FADE, GL_ONE_MINUS_SRC_ALPHA);
	const OGLVector3D trail = robot->Delta * TRAIL_SHARE;
	for (int foot : FEET)
	{
		OGLPoint3D sole;
		FindCoordOnJoint(robot, foot, &SOLE_ON_FOOT, &sole);
		if (flame >= 0)
			Puff(flame, sole, trail + OGLVector3D{RandomFloatSigned() * FLAME_SPREAD, -FLAME_SPEED * size,
					RandomFloatSigned() * FLAME_SPREAD}, 1.0f + RandomFloat() * 0.4f, 1.0f);
		if (smoke >= 0)
			Puff(smoke, sole, trail + OGLVector3D{RandomFloatSigned() * SMOKE_SPREAD, -SMOKE_SPEED * size,
					RandomFloatSigned() * SMOKE_SPREAD}, 0.8f + RandomFloat() * 0.4f, 0.8f);
	}
}
