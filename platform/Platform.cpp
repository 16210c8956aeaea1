#include "Platform.h"
#include "Files.h"
#include "Sound.h"
#include "cmixer.h"

#include <cstdio>
#include <exception>

void StartPlatformLayer()
{
	Tamber::Files::Init();
	try
	{
		Tamber::Sound::Init();
	}
	catch (const std::exception& e)
	{
		// No audio device is no reason not to play: mix into nowhere.
		fprintf(stderr, "Warning: couldn't open the audio device (%s); the game runs without sound.\n", e.what());
		cmixer::InitHeadless();
	}
}

void ShutdownPlatformLayer()
{
	Tamber::Sound::Shutdown();
	Tamber::Files::Shutdown();
}
