// The fire-and-ice creatures' shared moves and effects.
#include "Enemies/FireIceCommon.h"
#include "Enemies/Enemy.h"
#include "3D/Skeleton.h"
#include "Effects/Particles.h"
#include "Player/Player.h"
#include "System/FrameTime.h"
#include "System/Random.h"
#include "System/Sound.h"

#include <SDL_opengl.h>
#include <cmath>

namespace FireIce
{
	namespace
	{
		constexpr int SPLASH_DROPS = 8;
		constexpr float SPLASH_SPEED = 300.0f;		// units per second out and up
	}

	int Anim(const ObjNode* creature)
	{
		return creature->Skeleton ? creature->Skeleton->AnimNum : 0;
	}

	void SwitchAnim(ObjNode* creature, int anim, float morphSpeed)
	{
		if (creature->Skeleton)
			MorphToSkeletonAnim(creature->Skeleton, anim, morphSpeed);
	}

	void FinishMove(ObjNode* creature, uint32_t mask, bool useBoundingBox)
	{
		EnemyGravityAndMove();
		EnemyGroundStep(creature, mask, useBoundingBox);
		UpdateEnemy(creature);
	}

	void KnockBack(ObjNode* creature, float speed, float lift)
	{
		if (creature->CType == INVALID_NODE_FLAG || !gPlayerNode)
			return;
		float r = gPlayerNode->Rot.y;
		creature->Delta = {-std::sin(r) * speed, lift, -std::cos(r) * speed};
		if (gCurrentMoveNode == creature)
			gObjDelta = creature->Delta;
		creature->StatusBits &= ~STATUS_BIT_ONGROUND;
	}

	bool RobotIsTarget()
	{
		return IsRobotInPlay() && !gPlayerLevel.isDead && gPlayerLevel.invincibleTimer <= 0;
	}

	void ResizeCreature(ObjNode* creature, float scale)
	{
		float old = creature->Scale.x;
		creature->Scale = {scale, scale, scale};
		// A skeleton's box is in world units: it follows the size at once,
		// before the next skinning pass recomputes it.
		if (creature->Skeleton && old > 0)
		{
			float k = scale / old;
			creature->BBox.min = {creature->BBox.min.x * k, creature->BBox.min.y * k, creature->BBox.min.z * k};
			creature->BBox.max = {creature->BBox.max.x * k, creature->BBox.max.y * k, creature->BBox.max.z * k};
		}
		UpdateObjectTransforms(creature);
		CreateCollisionBoxFromBoundingBox_Update(creature, 1, 1);
	}

	void PlayEffectAt(int effect, const OGLPoint3D& where, float rate, float volume)
	{
		if (IsSoundEffectLoaded(effect))
			PlayEffect_Parms3D(effect, &where, uint32_t(float(NORMAL_CHANNEL_RATE) * rate), volume);
	}

	void SplashAt(const OGLPoint3D& where, uint8_t texture)
	{
		NewParticleGroupDefType def = {};
		def.magicNum = RandomNumber();
		def.type = PARTICLE_TYPE_FALLINGSPARKS;
		def.flags = PARTICLE_FLAGS_BOUNCE;
		def.gravity = 1200;
		def.baseScale = 12;
		def.decayRate = 0.5f;
		def.fadeRate = 1.5f;
		def.particleTextureNum = texture;
		def.srcBlend = GL_SRC_ALPHA;
		def.dstBlend = GL_ONE_MINUS_SRC_ALPHA;
		int16_t group = NewParticleGroup(&def);
		if (group < 0)
			return;
		for (int i = 0; i < SPLASH_DROPS; i++)
		{
			float a = RandomFloat() * PI2;
			OGLVector3D delta = {std::sin(a) * SPLASH_SPEED, SPLASH_SPEED + RandomFloat() * SPLASH_SPEED, std::cos(a) * SPLASH_SPEED};
			NewParticleDefType p = {group, &where, &delta, 1.0f + RandomFloat(), RandomFloat() * PI2, 0, 1};
			if (AddParticleToGroup(&p))
				break;
		}
	}
}
