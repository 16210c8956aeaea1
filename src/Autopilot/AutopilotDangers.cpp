// Steering clear of dangers: a soft push, so the route still wins once the
// robot is past, and a stick bent rather than replaced.
#include "Autopilot/AutopilotDangers.h"
#include "Autopilot/Autopilot.h"

#include <algorithm>
#include <cmath>

namespace
{
	// How far a point is inside the danger's sector, 0 (clear) … 1 (at the centre's edge of the margin).
	float Depth(const AutopilotDanger& d, float rx, float rz, float dist)
	{
		float outer = d.radius + AUTOPILOT_DANGER_MARGIN;
		if (dist >= outer)
			return 0;
		float depth = std::min(1.0f, (outer - dist) / AUTOPILOT_DANGER_MARGIN);
		if (d.halfAngle >= 3.14159f || dist < 1)
			return depth;
		float ax = -std::sin(d.heading), az = -std::cos(d.heading);
		float cosOff = std::clamp((rx * ax + rz * az) / dist, -1.0f, 1.0f);
		float off = std::acos(cosOff);
		if (off <= d.halfAngle)
			return depth;
		float fade = 1 - (off - d.halfAngle) / AUTOPILOT_DANGER_ANGLE_SLACK;
		return fade > 0 ? depth * fade : 0;
	}
}

OGLVector2D AutopilotDangerPush(const std::vector<AutopilotDanger>& dangers, float x, float z)
{
	OGLVector2D push = {0, 0};
	for (const AutopilotDanger& d : dangers)
	{
		float rx = x - d.x, rz = z - d.z;
		float dist = std::hypot(rx, rz);
		float depth = Depth(d, rx, rz, dist);
		if (depth <= 0)
			continue;
		if (dist < 1)
		{
			// Right on it: out the way it does not face.
			rx = std::sin(d.heading);
			rz = std::cos(d.heading);
			dist = 1;
		}
		push.x += rx / dist * depth;
		push.y += rz / dist * depth;
	}
	return push;
}

void BendAwayFromDangers(const AutopilotView& view, float* wantX, float* wantZ)
{
	if (view.dangers.empty() || view.flying)
		return;
	float speed = std::hypot(*wantX, *wantZ);
	if (speed < 1)
		return;
	OGLVector2D push = AutopilotDangerPush(view.dangers, view.x, view.z);
	float pushLength = std::hypot(push.x, push.y);
	if (pushLength <= 0)
		return;
	float wx = *wantX / speed, wz = *wantZ / speed;
	// Slide round the danger rather than into it: drop the part of the way
	// that heads in (head-on, go round to one side), then lean out.
	float nx = push.x / pushLength, nz = push.y / pushLength;
	float inward = wx * nx + wz * nz;
	if (inward < 0)
	{
		wx -= inward * nx;
		wz -= inward * nz;
		if (std::hypot(wx, wz) < 0.3f)
		{
			wx = -nz;
			wz = nx;
		}
	}
	wx += push.x * AUTOPILOT_DANGER_WEIGHT;
	wz += push.y * AUTOPILOT_DANGER_WEIGHT;
	float len = std::hypot(wx, wz);
	if (len < 1e-3f)
		return;
	*wantX = wx / len * speed;
	*wantZ = wz / len * speed;
}
