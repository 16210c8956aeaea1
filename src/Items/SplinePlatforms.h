// Spline platforms: solid level models that ride a loop high above the
// ground, carrying whoever stands on them round it.
#pragma once

#include <cstdint>

struct SplineItemType;

constexpr int SPLINE_PLATFORM_FIRST_MODEL = 21;		// level model of parm[0] = 0
constexpr float SPLINE_PLATFORM_SCALE = 2.0f;
constexpr float SPLINE_PLATFORM_LIFT = 500.0f;		// units above the ground
constexpr float SPLINE_PLATFORM_SPEED = 100.0f;		// loop points per second

// Spline item 40: level model 21 + parm[0].
bool AddSplinePlatform(int splineNum, SplineItemType* item);
