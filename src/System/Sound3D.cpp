// Effects placed in the world: the listener that follows the camera, volume by
// distance, panning by direction, and looping effects that follow their nodes.
#include "System/SoundChannels.h"
#include "System/Error.h"
#include "3D/OGL_Camera.h"

#include <algorithm>
#include <cmath>

constexpr float EAR_AHEAD_OF_CAMERA = 300.0f;
constexpr float DISTANCE_FALLOFF = 0.004f;		// volume 1 / (d × this) beyond the reference distance
constexpr int MIN_AUDIBLE_VOLUME = 5;			// this or less is silence
constexpr float DIRECTION_EPSILON = 0.0001f;

static OGLPoint3D gEarCoord = {0, 0, 0};
static OGLVector3D gEyeVector = {0, 0, 0};

void UpdateListenerLocation(const OGLCameraPlacement& camera)
{
	OGLVector3D v = {camera.to.x - camera.from.x, camera.to.y - camera.from.y, camera.to.z - camera.from.z};
	if (std::fabs(v.x) < DIRECTION_EPSILON && std::fabs(v.y) < DIRECTION_EPSILON && std::fabs(v.z) < DIRECTION_EPSILON)
		gEyeVector = {0, 0, 0};
	else
		OGLVector3D_Normalize(&v, &gEyeVector);

	gEarCoord = {camera.from.x + gEyeVector.x * EAR_AHEAD_OF_CAMERA,
				 camera.from.y + gEyeVector.y * EAR_AHEAD_OF_CAMERA,
				 camera.from.z + gEyeVector.z * EAR_AHEAD_OF_CAMERA};
}

OGLPoint3D GetListenerEarCoord()
{
	return gEarCoord;
}

// A unit vector in the ground plane, or zero when (x, z) is too short to have a direction.
static OGLVector2D GroundDirection(float x, float z)
{
	if (std::fabs(x) < DIRECTION_EPSILON && std::fabs(z) < DIRECTION_EPSILON)
		return {0, 0};
	float length = std::sqrt(x * x + z * z);
	return {x / length, z / length};
}

void Calc3DEffectVolume(int effectNum, const OGLPoint3D* where, float volAdjust,
		uint32_t* leftVolOut, uint32_t* rightVolOut)
{
	GAME_ASSERT_MESSAGE(effectNum >= 0 && effectNum < NUM_EFFECTS, "illegal effect number");

	const float dist = OGLPoint3D_Distance(where, &gEarCoord) - kEffectDefs[effectNum].refDistance;
	float v = 1.0f;
	if (dist > 0.0001f)
		v = std::min(1.0f, 1.0f / (dist * DISTANCE_FALLOFF));

	const int volume = int(v * float(FULL_CHANNEL_VOLUME) * volAdjust);
	if (volume <= MIN_AUDIBLE_VOLUME)
	{
		*leftVolOut = *rightVolOut = 0;
		return;
	}

	const OGLVector2D a = GroundDirection(where->x - gEarCoord.x, where->z - gEarCoord.z);
	const OGLVector2D b = GroundDirection(gEyeVector.x, gEyeVector.z);
	const float dot = std::clamp(a.x * b.x + a.y * b.y, -1.0f, 1.0f);
	// Without a direction in the ground plane (a sound at the ear, a camera
	// looking straight up or down) there is no side to pan to: centred.
	const bool hasSide = (a.x != 0 || a.y != 0) && (b.x != 0 || b.y != 0);
	const float pan = hasSide ? std::clamp(1.0f - std::fabs(dot), 0.0f, 1.0f) * float(volume) : 0.0f;
	const float cross = a.x * b.y - a.y * b.x;

	float left, right;
	if (cross > 0)
	{
		left = float(volume) + pan;
		right = float(volume) - pan;
	}
	else
	{
		left = float(volume) - pan;
		right = float(volume) + pan;
	}
	*leftVolOut = uint32_t(std::max(left, 0.0f));
	*rightVolOut = uint32_t(std::max(right, 0.0f));
}

int16_t PlayEffect3D(int effectNum, const OGLPoint3D* where)
{
	return PlayEffect_Parms3D(effectNum, where, NORMAL_CHANNEL_RATE, 1.0f);
}

int16_t PlayEffect_Parms3D(int effectNum, const OGLPoint3D* where, uint32_t rateMultiplier, float volumeAdjust)
{
	uint32_t left, right;
	Calc3DEffectVolume(effectNum, where, volumeAdjust, &left, &right);
	if (left == 0 && right == 0)
		return -1;

	int16_t channel = PlayEffect_Parms(effectNum, left, right, rateMultiplier);
	if (channel >= 0)
		gChannelInfo[channel].volumeAdjust = volumeAdjust;
	return channel;
}

void Update3DSoundChannel(int effectNum, int16_t* channel, const OGLPoint3D* where)
{
	if (*channel == -1)
		return;
	if (!IsValidEffectChannel(*channel))
	{
		*channel = -1;
		return;
	}

	const EffectChannelInfo& info = gChannelInfo[*channel];
	if (info.effectNum != effectNum)
	{
		// Our sound ended and another effect took the channel: that one is
		// not ours to stop. Only let go of the channel.
		*channel = -1;
		return;
	}

	uint32_t left, right;
	Calc3DEffectVolume(effectNum, where, info.volumeAdjust, &left, &right);
	if (left == 0 && right == 0)
	{
		StopAChannel(channel);
		return;
	}
	ChangeChannelVolume(*channel, int32_t(left), int32_t(right));
}
