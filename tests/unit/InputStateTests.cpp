// The input layer's device-state logic, driven by scripted device snapshots.
#include "System/InputState.h"
#include "System/Input.h"
#include "System/Prefs.h"
#include "System/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{
	// A scripted set of devices: what is held in one update.
	struct Devices
	{
		uint8_t keys[NUM_KEY_STATES] = {};
		int numKeys = NUM_KEY_STATES;
		uint32_t mouseButtons = 0;
		int wheel = 0;
		bool controllerOpen = false;
		bool padButtons[NUM_PAD_BUTTONS] = {};
		int16_t padAxes[NUM_PAD_AXES] = {};

		InputSnapshot Snapshot() const
		{
			InputSnapshot s{};
			s.keys = keys;
			s.numKeys = numKeys;
			s.mouseButtons = mouseButtons;
			s.wheel = wheel;
			s.controllerOpen = controllerOpen;
			std::memcpy(s.padButtons, padButtons, sizeof(padButtons));
			std::memcpy(s.padAxes, padAxes, sizeof(padAxes));
			return s;
		}
	};

	class InputStateTest : public ::testing::Test
	{
	protected:
		InputState state{};
		InputBinding bindings[NUM_REMAPPABLE_NEEDS];
		Devices devices;

		void SetUp() override
		{
			std::memcpy(bindings, kDefaultInputBindings, sizeof(bindings));
		}

		// One update in UpdateInput's order; returns whether full screen must flip.
		bool Update()
		{
			InputSnapshot s = devices.Snapshot();
			AdvanceMouseStates(&state, s);
			AdvanceKeyboardStates(&state, s);
			bool toggle = ConsumeFullscreenToggle(&state);
			AdvanceNeedStates(&state, s, bindings);
			return toggle;
		}
	};

	TEST_F(InputStateTest, HeldKeyReadsDownThenHeldThenUpThenOff)
	{
		devices.keys[44] = 1;		// space
		Update();
		EXPECT_EQ(state.keyboard[44], KEYSTATE_DOWN);
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_DOWN);
		EXPECT_EQ(state.needs[NEED_UI_CONFIRM], KEYSTATE_DOWN);
		Update();
		EXPECT_EQ(state.keyboard[44], KEYSTATE_HELD);
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_HELD);
		devices.keys[44] = 0;
		Update();
		EXPECT_EQ(state.keyboard[44], KEYSTATE_UP);
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_UP);
		Update();
		EXPECT_EQ(state.keyboard[44], KEYSTATE_OFF);
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_OFF);
	}

	TEST_F(InputStateTest, KeysBeyondTheReportedCountAreReleasedAndIgnored)
	{
		devices.keys[300] = 1;
		Update();
		EXPECT_EQ(state.keyboard[300], KEYSTATE_DOWN);

		devices.numKeys = 100;		// the key table shrank: 300 is no longer reported
		Update();
		EXPECT_EQ(state.keyboard[300], KEYSTATE_UP);
		Update();
		EXPECT_EQ(state.keyboard[300], KEYSTATE_OFF);

		// A binding to a key beyond the count never holds the need.
		bindings[NEED_SHOOT].key[0] = 150;
		devices.keys[150] = 1;
		devices.numKeys = 151;
		Update();
		EXPECT_EQ(state.needs[NEED_SHOOT], KEYSTATE_DOWN);
		devices.numKeys = 150;
		Update();
		EXPECT_EQ(state.needs[NEED_SHOOT], KEYSTATE_UP);
	}

	TEST_F(InputStateTest, AltReturnTogglesOnceAndReturnStaysUpUntilPressedAgain)
	{
		devices.keys[226] = 1;		// left alt
		Update();
		devices.keys[40] = 1;		// return
		EXPECT_TRUE(Update());
		EXPECT_EQ(state.keyboard[40], KEYSTATE_SWALLOWED);
		EXPECT_FALSE(state.needs[NEED_UI_CONFIRM] & 1) << "the menus must not see this Return";
		EXPECT_FALSE(state.needs[NEED_TEXT_DONE] & 1);

		// Held on: still swallowed, no second toggle.
		EXPECT_FALSE(Update());
		EXPECT_EQ(state.keyboard[40], KEYSTATE_SWALLOWED);

		// Released (alt too) and pressed again: an ordinary Return.
		devices.keys[40] = 0;
		devices.keys[226] = 0;
		Update();
		EXPECT_EQ(state.keyboard[40], KEYSTATE_OFF);
		devices.keys[40] = 1;
		EXPECT_FALSE(Update());
		EXPECT_EQ(state.needs[NEED_UI_CONFIRM], KEYSTATE_DOWN);
	}

	TEST_F(InputStateTest, MouseButtonsAndWheel)
	{
		devices.mouseButtons = 1u << 0;		// left
		devices.wheel = 2;
		Update();
		EXPECT_EQ(state.mouse[1], KEYSTATE_DOWN);
		EXPECT_EQ(state.mouse[MOUSE_WHEEL_UP], KEYSTATE_DOWN);
		EXPECT_EQ(state.mouse[MOUSE_WHEEL_DOWN], KEYSTATE_OFF);
		EXPECT_EQ(state.needs[NEED_SHOOT], KEYSTATE_DOWN);
		EXPECT_EQ(state.needs[NEED_PREV_WEAPON], KEYSTATE_DOWN);

		devices.wheel = -1;
		devices.mouseButtons = 1u << 27;	// button 28, the last one tracked
		Update();
		EXPECT_EQ(state.mouse[MOUSE_WHEEL_UP], KEYSTATE_UP);
		EXPECT_EQ(state.mouse[MOUSE_WHEEL_DOWN], KEYSTATE_DOWN);
		EXPECT_EQ(state.mouse[28], KEYSTATE_DOWN);
		EXPECT_EQ(state.needs[NEED_NEXT_WEAPON], KEYSTATE_DOWN);
		EXPECT_EQ(state.mouse[0], KEYSTATE_OFF) << "index 0 means no button";
	}

	TEST_F(InputStateTest, DiscardClearsTheMouseForExactlyOneUpdate)
	{
		devices.mouseButtons = 1u << 2;		// right button: jump
		Update();
		MouseRing_Push(&state.mouseRing, 1000, 5, 5);
		state.discardMouse = true;
		Update();
		EXPECT_EQ(state.mouse[3], KEYSTATE_OFF);
		EXPECT_EQ(state.mouseRing.count, 0);
		EXPECT_EQ(state.mouseRing.sumX, 0);
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_UP);
		EXPECT_FALSE(state.discardMouse);

		Update();		// the button is still held: a fresh press
		EXPECT_EQ(state.mouse[3], KEYSTATE_DOWN);
	}

	TEST_F(InputStateTest, BadBindingValuesFromAFileAreIgnored)
	{
		bindings[NEED_SHOOT] = {{-5, 9999}, 99, {{PAD_BINDING_BUTTON, 77}, {PAD_BINDING_AXIS_POSITIVE, 40}}, 0};
		bindings[NEED_JUMP] = {{0, 0}, -3, {{9, 1}, {0, 0}}, 0};
		std::memset(devices.keys, 1, sizeof(devices.keys));
		devices.mouseButtons = ~0u;
		devices.controllerOpen = true;
		std::fill(std::begin(devices.padButtons), std::end(devices.padButtons), true);
		std::fill(std::begin(devices.padAxes), std::end(devices.padAxes), int16_t(32767));
		Update();
		EXPECT_EQ(state.needs[NEED_SHOOT], KEYSTATE_OFF);
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_OFF);
	}

	TEST_F(InputStateTest, PadBindingsNeedAnOpenController)
	{
		devices.padButtons[0] = true;		// A
		Update();
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_OFF);
		devices.controllerOpen = true;
		Update();
		EXPECT_EQ(state.needs[NEED_JUMP], KEYSTATE_DOWN);
	}

	TEST_F(InputStateTest, AxisThresholdsDifferForRemappableAndFixedNeeds)
	{
		devices.controllerOpen = true;

		// Right trigger 40 % pulled: counts for shooting (a third is enough).
		devices.padAxes[5] = int16_t(0.40f * 32767);
		Update();
		EXPECT_TRUE(state.needs[NEED_SHOOT] & 1);
		devices.padAxes[5] = REMAPPABLE_AXIS_THRESHOLD;		// not above the threshold
		Update();
		EXPECT_FALSE(state.needs[NEED_SHOOT] & 1);

		// The menus need more than two thirds of the stick.
		devices.padAxes[1] = int16_t(0.60f * 32767);
		Update();
		EXPECT_FALSE(state.needs[NEED_UI_DOWN] & 1);
		devices.padAxes[1] = FIXED_AXIS_THRESHOLD + 1;
		Update();
		EXPECT_TRUE(state.needs[NEED_UI_DOWN] & 1);
		devices.padAxes[1] = -FIXED_AXIS_THRESHOLD - 1;
		Update();
		EXPECT_TRUE(state.needs[NEED_UI_UP] & 1);
		EXPECT_FALSE(state.needs[NEED_UI_DOWN] & 1);
	}

	TEST(InputMouseRingTest, KeepsSixtyFourEntriesAndRunningSums)
	{
		MouseRing ring{};
		for (int i = 0; i < 70; i++)
			MouseRing_Push(&ring, 1000, i, -i);
		EXPECT_EQ(ring.count, MOUSE_RING_SIZE);
		int expected = 0;
		for (int i = 6; i < 70; i++)
			expected += i;
		EXPECT_EQ(ring.sumX, expected);
		EXPECT_EQ(ring.sumY, -expected);
	}

	TEST(InputMouseRingTest, PrunesEntriesOlderThanTenMilliseconds)
	{
		MouseRing ring{};
		MouseRing_Push(&ring, 100, 1, 1);
		MouseRing_Push(&ring, 105, 2, 2);
		MouseRing_Push(&ring, 112, 4, 4);
		MouseRing_Prune(&ring, 115);		// drops below 105
		EXPECT_EQ(ring.count, 2);
		EXPECT_EQ(ring.sumX, 6);
		MouseRing_Prune(&ring, 200);
		EXPECT_EQ(ring.count, 0);
		EXPECT_EQ(ring.sumX, 0);
		EXPECT_EQ(ring.sumY, 0);
	}

	TEST(InputSnapAngleTest, SnapsWithinTheBandsOnly)
	{
		const float tol = PI / 18;
		EXPECT_EQ(SnapAngle(0.1f, tol), 0.0f);
		EXPECT_EQ(SnapAngle(-0.1f, tol), 0.0f);
		EXPECT_EQ(SnapAngle(PI / 2 + 0.15f, tol), PI / 2);
		EXPECT_EQ(SnapAngle(-PI / 2 - 0.15f, tol), -PI / 2);
		EXPECT_EQ(SnapAngle(PI - 0.1f, tol), PI);
		EXPECT_EQ(SnapAngle(-PI + 0.1f, tol), PI);
		EXPECT_FLOAT_EQ(SnapAngle(0.5f, tol), 0.5f);
		EXPECT_FLOAT_EQ(SnapAngle(-2.0f, tol), -2.0f);
	}

	TEST(InputThumbStickTest, DeadZoneMagnitudeAndSnapping)
	{
		// 20 % of the way: inside the dead zone.
		OGLVector2D v = ThumbStickVectorFromAxes(int16_t(0.2f * 32767), 0);
		EXPECT_EQ(v.x, 0.0f);
		EXPECT_EQ(v.y, 0.0f);

		// Full deflection straight right.
		v = ThumbStickVectorFromAxes(32767, 0);
		EXPECT_FLOAT_EQ(v.x, 1.0f);
		EXPECT_EQ(v.y, 0.0f);

		// 5 degrees off straight up at 80 %: exactly (0, -m).
		float a = -PI / 2 + 5 * PI / 180;
		v = ThumbStickVectorFromAxes(int16_t(std::cos(a) * 0.8f * 32767), int16_t(std::sin(a) * 0.8f * 32767));
		float d = 10813.0f / 32767.0f;
		EXPECT_EQ(v.x, 0.0f);
		EXPECT_NEAR(v.y, -(0.8f - d) / (1 - d), 1e-3f);

		// A diagonal is not snapped.
		v = ThumbStickVectorFromAxes(20000, 20000);
		EXPECT_NEAR(v.x, v.y, 1e-4f);
		EXPECT_GT(v.x, 0.5f);
	}

	class InputAnalogTest : public InputStateTest {};

	TEST_F(InputAnalogTest, DigitalNeedsOverrideTheStick)
	{
		devices.controllerOpen = true;
		devices.padAxes[0] = 32767;			// stick right
		Update();
		AnalogOutputs out = ComputeAnalogOutputs(state, 4, true);
		EXPECT_FLOAT_EQ(out.steering.x, 1.0f);

		devices.keys[80] = 1;				// left arrow
		devices.keys[82] = 1;				// up arrow
		devices.keys[81] = 1;				// down arrow too: forward wins
		Update();
		out = ComputeAnalogOutputs(state, 4, true);
		EXPECT_EQ(out.steering.x, -1.0f);
		EXPECT_EQ(out.steering.y, -1.0f);
	}

	TEST_F(InputAnalogTest, MouseSteersOrTurnsTheCamera)
	{
		Update();
		MouseRing_Push(&state.mouseRing, 0, 10, -4);
		// Sensitivity 4: s = 0.5; steering x = clamp(10 * 0.5 * 0.1) = 0.5.
		AnalogOutputs out = ComputeAnalogOutputs(state, 4, true);
		EXPECT_FLOAT_EQ(out.steering.x, 0.5f);
		EXPECT_FLOAT_EQ(out.steering.y, -0.2f);
		EXPECT_EQ(out.cameraSwivel, 0.0f);

		out = ComputeAnalogOutputs(state, 4, false);
		EXPECT_EQ(out.steering.x, 0.0f) << "with the camera option the mouse leaves steering alone";
		EXPECT_EQ(out.steering.y, 0.0f);
		EXPECT_FLOAT_EQ(out.cameraSwivel, -10 * 0.5f * 0.04f);

		out = ComputeAnalogOutputs(state, 0, true);
		EXPECT_EQ(out.steering.x, 0.0f) << "sensitivity 0 makes the mouse inert";

		// Large motion is clamped, and a bigger digital value is kept.
		MouseRing_Push(&state.mouseRing, 0, 1000, 0);
		out = ComputeAnalogOutputs(state, 7, true);
		EXPECT_EQ(out.steering.x, 1.0f);
	}

	TEST_F(InputAnalogTest, CameraSwivelFromNeedsAndRightStick)
	{
		devices.keys[54] = 1;		// comma: camera left
		Update();
		EXPECT_EQ(ComputeAnalogOutputs(state, 4, true).cameraSwivel, -1.0f);

		devices.keys[54] = 0;
		devices.keys[55] = 1;		// period: camera right
		devices.controllerOpen = true;
		devices.padAxes[2] = 32767;	// right stick pushed right turns the other way
		Update();
		EXPECT_NEAR(ComputeAnalogOutputs(state, 4, true).cameraSwivel, 0.0f, 1e-6f);
	}

	// The public queries over the module's own state.
	class InputQueryTest : public ::testing::Test
	{
	protected:
		void SetUp() override { ResetInputState(); }
		void TearDown() override { ResetInputState(); }
	};

	TEST_F(InputQueryTest, NeedQueriesAssertOnBadNumbers)
	{
		gInputState.needs[NEED_PAUSE] = KEYSTATE_DOWN;
		EXPECT_TRUE(GetNewNeedState(NEED_PAUSE));
		EXPECT_TRUE(GetNeedState(NEED_PAUSE));
		gInputState.needs[NEED_PAUSE] = KEYSTATE_SWALLOWED;
		EXPECT_FALSE(GetNeedState(NEED_PAUSE));

		EXPECT_THROW(GetNeedState(NUM_CONTROL_NEEDS), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("needID < NUM_CONTROL_NEEDS"), std::string::npos);
		EXPECT_THROW(GetNewNeedState(-1), Tamber::QuitRequest);
		EXPECT_FALSE(GetKeyState(-1));
		EXPECT_FALSE(GetKeyState(NUM_KEY_STATES));
	}

	TEST_F(InputQueryTest, FlushMouseButtonPressConsumesOnce)
	{
		gInputState.mouse[1] = KEYSTATE_DOWN;
		EXPECT_TRUE(FlushMouseButtonPress(1));
		EXPECT_EQ(gInputState.mouse[1], KEYSTATE_HELD);
		EXPECT_FALSE(FlushMouseButtonPress(1));
		EXPECT_THROW(FlushMouseButtonPress(NUM_SUPPORTED_MOUSE_BUTTONS), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("sdlButton < NUM_SUPPORTED_MOUSE_BUTTONS"), std::string::npos);
	}

	TEST_F(InputQueryTest, UserWantsOutOnConfirmBackStartOrClick)
	{
		EXPECT_FALSE(UserWantsOut());
		gInputState.needs[NEED_UI_BACK] = KEYSTATE_DOWN;
		EXPECT_TRUE(UserWantsOut());
		gInputState.needs[NEED_UI_BACK] = KEYSTATE_HELD;
		EXPECT_FALSE(UserWantsOut()) << "held is not a new acknowledgement";

		gInputState.mouse[1] = KEYSTATE_DOWN;
		EXPECT_TRUE(UserWantsOut());
		EXPECT_FALSE(UserWantsOut()) << "the click is consumed";
	}

	TEST_F(InputQueryTest, CheatKeysNeedAllThreeOfASet)
	{
		gInputState.keyboard[14] = KEYSTATE_HELD;	// K
		gInputState.keyboard[13] = KEYSTATE_HELD;	// J
		EXPECT_FALSE(AreCheatKeysDown());
		gInputState.keyboard[27] = KEYSTATE_DOWN;	// X
		EXPECT_TRUE(AreCheatKeysDown());

		ResetInputState();
		for (int key : {25, 20, 29})				// V Q Z
			gInputState.keyboard[key] = KEYSTATE_HELD;
		EXPECT_TRUE(AreCheatKeysDown());
	}
}
