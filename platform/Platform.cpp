#include "Platform.h"
#include "Files.h"

void StartPlatformLayer()
{
	Tamber::Files::Init();
	// The sound channels and the audio device start here as their modules arrive.
}

void ShutdownPlatformLayer()
{
	Tamber::Files::Shutdown();
}
