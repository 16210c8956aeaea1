#include "System/SavedGameStandIn.h"

// Values of a new run until the player module sets them.
__attribute__((weak)) uint8_t gPlayerLives = 4;
__attribute__((weak)) float gPlayerHealth = 1.0f;
__attribute__((weak)) float gJumpJetFuel = 0.0f;
