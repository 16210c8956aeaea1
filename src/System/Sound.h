// The game's sound effects, banks and songs: 40 effect channels and one music
// channel, effects placed in 3D around the camera, looping effects that follow
// their nodes, and the songs of the levels and screens.
#pragma once

#include "System/Math.h"
#include "System/SoundTable.h"

#include <cstdint>

struct OGLCameraPlacement;
struct SndChannel;			// the platform's channel (Sound.h in platform/)

constexpr int MAX_EFFECT_CHANNELS = 40;
constexpr float EFFECTS_VOLUME = 0.3f;			// every effect is scaled by this; songs are not
constexpr uint32_t FULL_CHANNEL_VOLUME = 256;	// per side
constexpr uint32_t NORMAL_CHANNEL_RATE = 0x10000;	// 16.16 fixed point

// PlaySong flags.
constexpr int SONG_FLAG_PLAY_ONCE = 2;			// instead of looping
constexpr int SONG_FLAG_START_PAUSED = 4;

//
// Set-up and banks
//

// Creates the channels and loads the main bank. The audio device (or the
// headless mixer) must be running.
void InitSoundTools();
// Stops everything, kills the song, disposes the channels and frees every
// loaded effect.
void ShutdownSound();

void LoadSoundEffect(int effectNum);
void LoadSoundBank(int bankNum);
// Stops every effect channel, then frees the bank's loaded effects.
void DisposeSoundBank(int bankNum);
// Frees one effect; any channel still playing it is stopped first.
void DisposeSoundEffect(int effectNum);
bool IsSoundEffectLoaded(int effectNum);

//
// Effects. Volumes are 0..256 per side, rates 16.16 fixed point. Each call
// returns the effect channel used, or -1 when nothing plays.
//

int16_t PlayEffect(int effectNum);
int16_t PlayEffect_Parms(int effectNum, uint32_t leftVolume, uint32_t rightVolume, uint32_t rateMultiplier);
int16_t PlayEffect3D(int effectNum, const OGLPoint3D* where);
int16_t PlayEffect_Parms3D(int effectNum, const OGLPoint3D* where, uint32_t rateMultiplier, float volumeAdjust);

// For a looping effect that follows a node: new volumes from the node's
// position, or the channel stopped (and set to -1) once it is out of earshot
// or the channel has been taken by another effect.
void Update3DSoundChannel(int effectNum, int16_t* channel, const OGLPoint3D* where);

void StopAChannel(int16_t* channel);
void StopAChannelIfEffectNum(int16_t* channel, int effectNum);
void StopAllEffectChannels();
void ChangeChannelRate(int16_t channel, int32_t rateMultiplier);
void ChangeChannelVolume(int16_t channel, int32_t leftVolume, int32_t rightVolume);
// The pause menu pauses every channel (the music too) and resumes them.
void PauseAllChannels(bool pause);

// True while the channel is playing or paused.
bool IsEffectChannelBusy(int16_t channel);
// The platform channel behind an effect channel number (null when out of range).
SndChannel* GetEffectChannel(int16_t channel);
SndChannel* GetMusicChannel();

//
// 3D sound
//

// The ear sits 300 units in front of the camera, looking where it looks.
void UpdateListenerLocation(const OGLCameraPlacement& camera);
OGLPoint3D GetListenerEarCoord();

// Volumes for an effect at `where`: full inside the effect's reference
// distance, then falling with distance; panned by the direction of the sound
// in the ground plane (a sound fully to one side plays twice as loud on that
// side, silent on the other). Both are 0 when the sound is too faint to hear.
void Calc3DEffectVolume(int effectNum, const OGLPoint3D* where, float volAdjust,
		uint32_t* leftVolOut, uint32_t* rightVolOut);

//
// Songs
//

// Starts a song on the music channel (or resumes it when it is the current
// one). Flags: SONG_FLAG_PLAY_ONCE, SONG_FLAG_START_PAUSED. With the music
// preference off, the song starts paused.
void PlaySong(int songNum, int flags);
void KillSong();
// Pauses or resumes the song to match the music preference (not while the
// game is paused).
void ToggleMusic();
int GetCurrentSong();		// -1 when none
bool IsSongPlaying();		// current and not paused
