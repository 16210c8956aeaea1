#include "System/InputState.h"
#include "System/InputVirtual.h"

#include <algorithm>
#include <iterator>
#include <cmath>

// All zero at start, with the mouse ring asking to be emptied by the first update.
InputState gInputState = []
{
	InputState state{};
	state.mouseRing.resetRequested = true;
	return state;
}();

namespace
{
	constexpr float STICK_DEAD_ZONE = 10813.0f / 32767.0f;
	constexpr float STICK_SNAP_TOLERANCE = PI / 18.0f;		// 10 degrees

	constexpr int SCANCODE_RETURN = 40;
	constexpr int SCANCODE_LALT = 226;
	constexpr int SCANCODE_RALT = 230;

	inline bool IsDown(uint8_t state)
	{
		return state & 1;
	}
}

void MouseRing_Clear(MouseRing* ring)
{
	ring->first = 0;
	ring->count = 0;
	ring->sumX = 0;
	ring->sumY = 0;
}

static void MouseRing_DropOldest(MouseRing* ring)
{
	const MouseRing::Entry& e = ring->entries[ring->first];
	ring->sumX -= e.dx;
	ring->sumY -= e.dy;
	ring->first = (ring->first + 1) % MOUSE_RING_SIZE;
	ring->count--;
}

void MouseRing_Push(MouseRing* ring, uint32_t timestamp, int32_t dx, int32_t dy)
{
	if (ring->count == MOUSE_RING_SIZE)
		MouseRing_DropOldest(ring);
	int slot = (ring->first + ring->count) % MOUSE_RING_SIZE;
	ring->entries[slot] = {timestamp, dx, dy};
	ring->count++;
	ring->sumX += dx;
	ring->sumY += dy;
}

void MouseRing_Prune(MouseRing* ring, uint32_t now)
{
	uint32_t oldest = now - MOUSE_RING_WINDOW_MS;
	while (ring->count > 0 && ring->entries[ring->first].timestamp < oldest)
		MouseRing_DropOldest(ring);
}

uint8_t NextKeyState(uint8_t previous, bool downNow)
{
	switch (previous)
	{
		case KEYSTATE_HELD:
		case KEYSTATE_DOWN:
			return downNow ? KEYSTATE_HELD : KEYSTATE_UP;
		case KEYSTATE_SWALLOWED:
			return downNow ? KEYSTATE_SWALLOWED : KEYSTATE_OFF;
		default:
			return downNow ? KEYSTATE_DOWN : KEYSTATE_OFF;
	}
}

void AdvanceMouseStates(InputState* state, const InputSnapshot& snapshot)
{
	if (state->discardMouse)
	{
		MouseRing_Clear(&state->mouseRing);
		std::fill(std::begin(state->mouse), std::end(state->mouse), uint8_t(KEYSTATE_OFF));
	}
	else
	{
		for (int i = 1; i <= 28; i++)
			state->mouse[i] = NextKeyState(state->mouse[i], snapshot.mouseButtons & (1u << (i - 1)));
		state->mouse[MOUSE_WHEEL_UP] = NextKeyState(state->mouse[MOUSE_WHEEL_UP], snapshot.wheel > 0);
		state->mouse[MOUSE_WHEEL_DOWN] = NextKeyState(state->mouse[MOUSE_WHEEL_DOWN], snapshot.wheel < 0);
	}
	// A discard asked for between updates applies to exactly one update.
	state->discardMouse = false;
}

void AdvanceKeyboardStates(InputState* state, const InputSnapshot& snapshot)
{
	int n = std::clamp(snapshot.keys ? snapshot.numKeys : 0, 0, NUM_KEY_STATES);
	for (int i = 0; i < n; i++)
		state->keyboard[i] = NextKeyState(state->keyboard[i], snapshot.keys[i]);
	for (int i = n; i < NUM_KEY_STATES; i++)
		state->keyboard[i] = IsDown(state->keyboard[i]) ? KEYSTATE_UP : KEYSTATE_OFF;
	state->numKeys = n;
}

bool ConsumeFullscreenToggle(InputState* state)
{
	if (state->keyboard[SCANCODE_RETURN] != KEYSTATE_DOWN)
		return false;
	if (!IsDown(state->keyboard[SCANCODE_LALT]) && !IsDown(state->keyboard[SCANCODE_RALT]))
		return false;
	// Nobody else gets to see this Return press.
	state->keyboard[SCANCODE_RETURN] = KEYSTATE_SWALLOWED;
	return true;
}

bool IsBindingDown(const InputBinding& binding, bool remappable, const InputState& state, const InputSnapshot& snapshot)
{
	for (int16_t key : binding.key)
	{
		// Bindings come from a file: a negative or too large scancode is simply ignored.
		if (key > 0 && key < state.numKeys && IsDown(state.keyboard[key]))
			return true;
	}

	int button = binding.mouseButton;
	if (button > 0 && button < NUM_SUPPORTED_MOUSE_BUTTONS && IsDown(state.mouse[button]))
		return true;

	if (snapshot.controllerOpen)
	{
		int threshold = remappable ? REMAPPABLE_AXIS_THRESHOLD : FIXED_AXIS_THRESHOLD;
		for (const auto& pad : binding.pad)
		{
			switch (pad.type)
			{
				case PAD_BINDING_BUTTON:
					if (pad.id >= 0 && pad.id < NUM_PAD_BUTTONS && snapshot.padButtons[pad.id])
						return true;
					break;
				case PAD_BINDING_AXIS_POSITIVE:
					if (pad.id >= 0 && pad.id < NUM_PAD_AXES && snapshot.padAxes[pad.id] > threshold)
						return true;
					break;
				case PAD_BINDING_AXIS_NEGATIVE:
					if (pad.id >= 0 && pad.id < NUM_PAD_AXES && snapshot.padAxes[pad.id] < -threshold)
						return true;
					break;
				default:
					break;
			}
		}
	}
	return false;
}

void AdvanceNeedStates(InputState* state, const InputSnapshot& snapshot, const InputBinding remappable[NUM_REMAPPABLE_NEEDS],
		uint64_t virtualHeld)
{
	for (int need = 0; need < NUM_CONTROL_NEEDS; need++)
	{
		bool isRemappable = need < NUM_REMAPPABLE_NEEDS;
		const InputBinding& binding = isRemappable ? remappable[need] : kDefaultInputBindings[need];
		bool down = ((virtualHeld >> need) & 1) || IsBindingDown(binding, isRemappable, *state, snapshot);
		state->needs[need] = NextKeyState(state->needs[need], down);
	}
	state->controllerOpen = snapshot.controllerOpen;
	for (int i = 0; i < NUM_PAD_BUTTONS; i++)
		state->padButtons[i] = snapshot.controllerOpen && snapshot.padButtons[i];
	for (int i = 0; i < NUM_PAD_AXES; i++)
		state->padAxes[i] = snapshot.controllerOpen ? snapshot.padAxes[i] : 0;
}

float SnapAngle(float angle, float tolerance)
{
	if (std::fabs(angle) <= tolerance)
		return 0;
	if (std::fabs(angle - PI_HALF) <= tolerance)
		return PI_HALF;
	if (angle >= PI - tolerance || angle <= -PI + tolerance)
		return PI;
	if (std::fabs(angle + PI_HALF) <= tolerance)
		return -PI_HALF;
	return angle;
}

OGLVector2D ThumbStickVectorFromAxes(int16_t rawX, int16_t rawY)
{
	float x = rawX / 32767.0f;
	float y = rawY / 32767.0f;
	float lengthSquared = x * x + y * y;
	if (lengthSquared < STICK_DEAD_ZONE * STICK_DEAD_ZONE)
		return {0, 0};

	float magnitude = lengthSquared > 1.0f ? 1.0f : (std::sqrt(lengthSquared) - STICK_DEAD_ZONE) / (1.0f - STICK_DEAD_ZONE);
	float angle = SnapAngle(std::atan2(y, x), STICK_SNAP_TOLERANCE);

	// Snapped directions come out exact, without the float error of cos/sin at pi/2.
	if (angle == 0)
		return {magnitude, 0};
	if (angle == PI_HALF)
		return {0, magnitude};
	if (angle == -PI_HALF)
		return {0, -magnitude};
	if (angle == PI)
		return {-magnitude, 0};
	return {std::cos(angle) * magnitude, std::sin(angle) * magnitude};
}

AnalogOutputs ComputeAnalogOutputs(const InputState& state, int mouseSensitivity, bool mouseSteersRobot)
{
	AnalogOutputs out = {{0, 0}, 0};

	if (state.controllerOpen)
	{
		OGLVector2D stick = ThumbStickVectorFromAxes(state.padAxes[0], state.padAxes[1]);
		if (stick.x != 0 || stick.y != 0)
			out.steering = stick;
	}

	if (IsDown(state.needs[NEED_LEFT]))
		out.steering.x = -1;
	else if (IsDown(state.needs[NEED_RIGHT]))
		out.steering.x = 1;
	if (IsDown(state.needs[NEED_FORWARD]))
		out.steering.y = -1;
	else if (IsDown(state.needs[NEED_BACKWARD]))
		out.steering.y = 1;

	float s = float(mouseSensitivity) * 0.125f;
	float dx = float(state.mouseRing.sumX);
	float dy = float(state.mouseRing.sumY);
	if (mouseSteersRobot)
	{
		float mx = std::clamp(dx * s * 0.1f, -1.0f, 1.0f);
		float my = std::clamp(dy * s * 0.1f, -1.0f, 1.0f);
		if (std::fabs(mx) > std::fabs(out.steering.x))
			out.steering.x = mx;
		if (std::fabs(my) > std::fabs(out.steering.y))
			out.steering.y = my;
	}

	if (state.controllerOpen)
		out.cameraSwivel -= ThumbStickVectorFromAxes(state.padAxes[2], state.padAxes[3]).x;
	if (IsDown(state.needs[NEED_CAMERA_LEFT]))
		out.cameraSwivel -= 1;
	if (IsDown(state.needs[NEED_CAMERA_RIGHT]))
		out.cameraSwivel += 1;
	if (!mouseSteersRobot)
		out.cameraSwivel -= dx * s * 0.04f;

	return out;
}

void MergeVirtualAnalog(const VirtualInputFrame& frame, int mode, OGLVector2D* steering, float* cameraSwivel)
{
	auto clampUnit = [](float v) { return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f; };
	float x = clampUnit(frame.steering.x);
	float y = clampUnit(frame.steering.y);
	float swivel = clampUnit(frame.cameraSwivel);
	if (mode == VIRTUAL_INPUT_ONLY)
	{
		*steering = {x, y};
		*cameraSwivel = swivel;
		return;
	}
	if (std::fabs(x) > std::fabs(steering->x))
		steering->x = x;
	if (std::fabs(y) > std::fabs(steering->y))
		steering->y = y;
	if (std::fabs(swivel) > std::fabs(*cameraSwivel))
		*cameraSwivel = swivel;
}
