// The game's sound effects, banks and songs.
// (Stand-in until this module is built: each call does the least that keeps
// the game flow running.)
#pragma once

void InitSoundTools();
void PlaySong(int songNum, bool loop);
void StopAllEffectChannels();
void DisposeSoundBank(int bankNum);
void ShutdownSound();
