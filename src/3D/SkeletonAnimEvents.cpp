#include "3D/SkeletonAnimEvents.h"
#include "3D/Skeleton.h"
#include "Player/Player.h"
#include "System/Random.h"
#include "System/Sound.h"
#include "Terrain/Terrain.h"

bool DescribeAnimSoundEvent(const ObjNode* node, uint8_t value, AnimSoundEvent* out)
{
	*out = {};
	out->where = node->Coord;
	out->rate = NORMAL_CHANNEL_RATE;
	out->volume = 1;
	switch (value)
	{
		case ANIMSOUND_SWOOSH:
			out->effect = EFFECT_ONIONSWOOSH;
			out->rate = NORMAL_CHANNEL_RATE + RandomRange(0, 0x3FFF);
			return true;

		case ANIMSOUND_LEFT_FOOT:
		case ANIMSOUND_RIGHT_FOOT:
		{
			// The hero's feet: heard where the player is (the node itself when
			// there is no player, as in the skeleton viewer).
			if (gPlayerNode)
				out->where = gPlayerNode->Coord;
			if (gPlayerLevel.scale > 1.0f)
			{
				out->effect = EFFECT_GIANTFOOTSTEP;
				out->defaultParms = true;
				out->deformTerrain = true;
			}
			else
			{
				out->effect = value == ANIMSOUND_LEFT_FOOT ? EFFECT_LEFTFOOT : EFFECT_RIGHTFOOT;
				out->volume = 0.5f;
			}
			return true;
		}

		case ANIMSOUND_PITCHER_PUKE:
			out->effect = EFFECT_PITCHERPUKE;
			out->volume = 2;
			return true;

		case ANIMSOUND_FLYTRAP:
			out->effect = EFFECT_FLYTRAP;
			out->defaultParms = true;
			return true;

		default:
			return false;
	}
}

void PlayAnimSoundEvent(const ObjNode* node, uint8_t value)
{
	AnimSoundEvent sound;
	if (!DescribeAnimSoundEvent(node, value, &sound))
		return;
	// An effect whose bank is not loaded stays silent: a creature shown
	// outside its own level (a front-end screen, the skeleton viewer) must
	// not stop the game with its footsteps.
	if (IsSoundEffectLoaded(sound.effect))
	{
		if (sound.defaultParms)
			PlayEffect3D(sound.effect, &sound.where);
		else
			PlayEffect_Parms3D(sound.effect, &sound.where, sound.rate, sound.volume);
	}
	// Without a terrain (the skeleton viewer, tests) there is no ground to shake.
	if (sound.deformTerrain)
		MakeRingWaveDeformation(GIANT_FOOTSTEP_AMPLITUDE, 0, GIANT_FOOTSTEP_SPEED, GIANT_FOOTSTEP_FREQUENCY,
				GIANT_FOOTSTEP_WIDTH, GIANT_FOOTSTEP_DECAY, sound.where.x, sound.where.z);
}
