// Start-up and shutdown of the platform layer (files, sound channels, mixer).
#pragma once

void StartPlatformLayer();
void ShutdownPlatformLayer();
