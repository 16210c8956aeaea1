// Player state a saved game holds that no other module declares yet. The
// definitions are weak: the player module's own definitions take over.
#pragma once

#include <cstdint>

extern uint8_t gPlayerLives;
extern float gPlayerHealth;
extern float gJumpJetFuel;
