#include "System/Sound.h"

void InitSoundTools()
{
}

void PlaySong(int /*songNum*/, bool /*loop*/)
{
}

void StopAllEffectChannels()
{
}

void DisposeSoundBank(int /*bankNum*/)
{
}

void ShutdownSound()
{
}

