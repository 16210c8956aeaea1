// UpdateInput over real SDL events: pushed events and a virtual controller
// plugged in and out (no window needed).
#include "System/Input.h"
#include "System/InputState.h"
#include "System/InputVirtual.h"
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/Error.h"

#include <gtest/gtest.h>
#include <SDL.h>

#include <cstring>

namespace
{
	class InputSdlTest : public ::testing::Test
	{
	protected:
		PrefsType savedPrefs;

		void SetUp() override
		{
			ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
			savedPrefs = gGamePrefs;
			MakeDefaultPrefs(&gGamePrefs, 0);
			ResetInputState();
			SDL_PumpEvents();
			SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
			UpdateInput();
		}

		void TearDown() override
		{
			CloseController();
			for (SDL_JoystickID id : attached)
				DetachIfPresent(id);
			SetVirtualInputSource(nullptr, VIRTUAL_INPUT_ADD);
			SetInputObserver(nullptr);
			SDL_QuitSubSystem(SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER);
			ResetInputState();
			gGamePrefs = savedPrefs;
			gUserPrefersGamepad = false;
		}

		void Push(SDL_Event event)
		{
			ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
		}

		// A game controller made by SDL itself; returns its device's instance id.
		std::vector<SDL_JoystickID> attached;
		SDL_JoystickID AttachVirtualPad()
		{
			SDL_VirtualJoystickDesc desc;
			SDL_zero(desc);
			desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
			desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
			desc.naxes = SDL_CONTROLLER_AXIS_MAX;
			desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
			desc.name = "Zappatron Test Pad";
			int index = SDL_JoystickAttachVirtualEx(&desc);
			EXPECT_GE(index, 0) << SDL_GetError();
			SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
			attached.push_back(id);
			return id;
		}

		static int DeviceIndexOf(SDL_JoystickID id)
		{
			for (int i = 0; i < SDL_NumJoysticks(); i++)
			{
				if (SDL_JoystickGetDeviceInstanceID(i) == id)
					return i;
			}
			return -1;
		}

		static void DetachIfPresent(SDL_JoystickID id)
		{
			int index = DeviceIndexOf(id);
			if (index >= 0)
				SDL_JoystickDetachVirtual(index);
		}

		// Presses or releases a button (or moves an axis) of a virtual pad.
		static void SetPadButton(SDL_JoystickID id, SDL_GameControllerButton button, bool down)
		{
			SDL_GameController* pad = SDL_GameControllerFromInstanceID(id);
			ASSERT_NE(pad, nullptr);
			SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForButton(pad, button);
			ASSERT_EQ(bind.bindType, SDL_CONTROLLER_BINDTYPE_BUTTON);
			SDL_JoystickSetVirtualButton(SDL_GameControllerGetJoystick(pad), bind.value.button, down ? 1 : 0);
		}

		static void SetPadAxis(SDL_JoystickID id, SDL_GameControllerAxis axis, int16_t value)
		{
			SDL_GameController* pad = SDL_GameControllerFromInstanceID(id);
			ASSERT_NE(pad, nullptr);
			SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForAxis(pad, axis);
			ASSERT_EQ(bind.bindType, SDL_CONTROLLER_BINDTYPE_AXIS);
			SDL_JoystickSetVirtualAxis(SDL_GameControllerGetJoystick(pad), bind.value.axis, value);
		}
	};

	TEST_F(InputSdlTest, EveryTextEventOfAnUpdateIsKept)
	{
		SDL_Event text = {};
		text.type = SDL_TEXTINPUT;
		strcpy(text.text.text, "zap");
		Push(text);
		strcpy(text.text.text, "\xC3\xA9!");		// "é!"
		Push(text);
		UpdateInput();
		EXPECT_STREQ(gTextInputChars, "zap\xC3\xA9!");
		UpdateInput();
		EXPECT_STREQ(gTextInputChars, "") << "typed text lasts one update";

		// A flood of text in one update is kept up to the buffer's size, whole events only.
		strcpy(text.text.text, "0123456789");
		for (int i = 0; i < 20; i++)
			Push(text);
		UpdateInput();
		EXPECT_EQ(strlen(gTextInputChars), size_t(MAX_TEXT_INPUT_BYTES - 1) / 10 * 10);
	}

	// What the virtual device holds in the next update, and what the observer saw.
	VirtualInputFrame gScriptedFrame;
	std::vector<VirtualInputFrame> gObserved;

	TEST_F(InputSdlTest, AVirtualDeviceHoldsNeedsLikeAKeyAndIsObserved)
	{
		SetVirtualInputSource([](VirtualInputFrame* f) { *f = gScriptedFrame; }, VIRTUAL_INPUT_ADD);
		SetInputObserver([](const VirtualInputFrame& f) { gObserved.push_back(f); });
		gObserved.clear();

		gScriptedFrame = {};
		gScriptedFrame.needsHeld = (uint64_t(1) << NEED_JUMP) | (uint64_t(1) << NEED_TEXT_SPACE);
		gScriptedFrame.steering = {0.25f, -2.0f};		// y out of range: clamped like a stick
		UpdateInput();
		EXPECT_TRUE(GetNewNeedState(NEED_JUMP));
		EXPECT_TRUE(GetNewNeedState(NEED_TEXT_SPACE)) << "needs past 31 fit the mask too";
		EXPECT_FLOAT_EQ(gAnalogSteering.x, 0.25f);
		EXPECT_FLOAT_EQ(gAnalogSteering.y, -1.0f);
		UpdateInput();
		EXPECT_TRUE(GetNeedState(NEED_JUMP));
		EXPECT_FALSE(GetNewNeedState(NEED_JUMP)) << "held, not pressed again";

		gScriptedFrame.needsHeld = uint64_t(1) << NEED_FORWARD;
		gScriptedFrame.steering = {0, 0};
		UpdateInput();
		EXPECT_FALSE(GetNeedState(NEED_JUMP));
		EXPECT_FLOAT_EQ(gAnalogSteering.y, -1.0f) << "a held forward need steers as a key does";

		ASSERT_EQ(gObserved.size(), 3u);
		EXPECT_EQ(gObserved[0].needsHeld, (uint64_t(1) << NEED_JUMP) | (uint64_t(1) << NEED_TEXT_SPACE));
		EXPECT_EQ(gObserved[2].needsHeld, uint64_t(1) << NEED_FORWARD);
		EXPECT_FLOAT_EQ(gObserved[2].steering.y, -1.0f);
		EXPECT_EQ(GetLastInputFrame().needsHeld, gObserved[2].needsHeld);
	}

	TEST_F(InputSdlTest, AnExclusiveVirtualDeviceShutsTheHardwareOutButNotQuitting)
	{
		SDL_JoystickID pad = AttachVirtualPad();
		UpdateInput();
		ASSERT_TRUE(IsControllerOpen());
		SetPadButton(pad, SDL_CONTROLLER_BUTTON_A, true);
		UpdateInput();
		ASSERT_TRUE(GetNeedState(NEED_JUMP));

		gScriptedFrame = {};
		gScriptedFrame.needsHeld = uint64_t(1) << NEED_PUNCH;
		gScriptedFrame.steering = {-0.5f, 0.5f};
		SetVirtualInputSource([](VirtualInputFrame* f) { *f = gScriptedFrame; }, VIRTUAL_INPUT_ONLY);
		UpdateInput();
		EXPECT_FALSE(GetNeedState(NEED_JUMP)) << "the pad's button is not seen";
		EXPECT_TRUE(GetNewNeedState(NEED_PUNCH));
		EXPECT_FLOAT_EQ(gAnalogSteering.x, -0.5f);
		EXPECT_FLOAT_EQ(gAnalogSteering.y, 0.5f);

		SDL_Event quit = {};
		quit.type = SDL_QUIT;
		Push(quit);
		EXPECT_THROW(UpdateInput(), Tamber::QuitRequest);
	}

	TEST_F(InputSdlTest, QuitEventRaisesTheQuitRequest)
	{
		SDL_Event quit = {};
		quit.type = SDL_QUIT;
		Push(quit);
		EXPECT_THROW(UpdateInput(), Tamber::QuitRequest);
	}

	TEST_F(InputSdlTest, WindowCloseRaisesTheQuitRequest)
	{
		SDL_Event close = {};
		close.type = SDL_WINDOWEVENT;
		close.window.event = SDL_WINDOWEVENT_CLOSE;
		Push(close);
		EXPECT_THROW(UpdateInput(), Tamber::QuitRequest);
	}

	TEST_F(InputSdlTest, WheelCountsAsButtonsUnlessFocusChanges)
	{
		SDL_Event wheel = {};
		wheel.type = SDL_MOUSEWHEEL;
		wheel.wheel.y = 1;
		Push(wheel);
		UpdateInput();
		EXPECT_TRUE(GetNewNeedState(NEED_PREV_WEAPON));

		SDL_Event focus = {};
		focus.type = SDL_WINDOWEVENT;
		focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
		Push(focus);
		wheel.wheel.y = -3;
		Push(wheel);
		UpdateInput();
		EXPECT_FALSE(GetNeedState(NEED_NEXT_WEAPON)) << "wheel motion after a focus change is ignored";
		EXPECT_FALSE(GetNeedState(NEED_PREV_WEAPON));

		Push(wheel);
		UpdateInput();
		EXPECT_TRUE(GetNewNeedState(NEED_NEXT_WEAPON)) << "the discard lasts one update";
	}

	TEST_F(InputSdlTest, MouseMotionAndTheLastDeviceUsed)
	{
		SDL_Event motion = {};
		motion.type = SDL_MOUSEMOTION;
		motion.motion.xrel = 4;
		Push(motion);
		UpdateInput();
		EXPECT_TRUE(gMouseMovedThisUpdate);
		UpdateInput();
		EXPECT_FALSE(gMouseMovedThisUpdate);

		SDL_Event button = {};
		button.type = SDL_CONTROLLERBUTTONDOWN;
		Push(button);
		UpdateInput();
		EXPECT_TRUE(gUserPrefersGamepad);

		SDL_Event key = {};
		key.type = SDL_KEYDOWN;
		key.key.keysym.scancode = SDL_SCANCODE_A;
		Push(key);
		UpdateInput();
		EXPECT_FALSE(gUserPrefersGamepad);
	}

	TEST_F(InputSdlTest, ControllerPluggedInDuringPlayWorksAtOnce)
	{
		EXPECT_FALSE(IsControllerOpen());
		SDL_JoystickID pad = AttachVirtualPad();
		UpdateInput();		// the device-added event opens it
		ASSERT_TRUE(IsControllerOpen());
		EXPECT_STREQ(GetControllerName(), "Zappatron Test Pad");

		SetPadButton(pad, SDL_CONTROLLER_BUTTON_A, true);
		UpdateInput();
		EXPECT_TRUE(GetNewNeedState(NEED_JUMP));
		EXPECT_TRUE(GetNewNeedState(NEED_UI_CONFIRM));
		SetPadButton(pad, SDL_CONTROLLER_BUTTON_A, false);

		// A 40 % trigger pull shoots; menus want more than two thirds of a stick.
		SetPadAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, int16_t(0.4 * 32767));
		SetPadAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, int16_t(0.6 * 32767));
		UpdateInput();
		EXPECT_TRUE(GetNeedState(NEED_SHOOT));
		EXPECT_FALSE(GetNeedState(NEED_UI_DOWN));
		EXPECT_GT(gAnalogSteering.y, 0.3f) << "the stick steers";
		SetPadAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, int16_t(0.8 * 32767));
		UpdateInput();
		EXPECT_TRUE(GetNeedState(NEED_UI_DOWN));

		// Rumble on a pad that can't rumble does nothing harmful.
		Rumble(1.0f, 50);
	}

	TEST_F(InputSdlTest, RemovingTheOpenPadSwitchesToAnotherOne)
	{
		SDL_JoystickID first = AttachVirtualPad();
		UpdateInput();
		ASSERT_TRUE(IsControllerOpen());
		SDL_JoystickID second = AttachVirtualPad();
		UpdateInput();

		// Unplugging the pad that isn't used leaves the open one alone.
		SDL_JoystickDetachVirtual(DeviceIndexOf(second));
		UpdateInput();
		ASSERT_TRUE(IsControllerOpen());
		SetPadButton(first, SDL_CONTROLLER_BUTTON_B, true);
		UpdateInput();
		EXPECT_TRUE(GetNewNeedState(NEED_PUNCH));

		SDL_JoystickID third = AttachVirtualPad();
		UpdateInput();
		SDL_JoystickDetachVirtual(DeviceIndexOf(first));
		UpdateInput();
		ASSERT_TRUE(IsControllerOpen()) << "the remaining pad takes over";
		SetPadButton(third, SDL_CONTROLLER_BUTTON_Y, true);
		UpdateInput();
		EXPECT_TRUE(GetNewNeedState(NEED_TEXT_SPACE));

		SDL_JoystickDetachVirtual(DeviceIndexOf(third));
		UpdateInput();
		EXPECT_FALSE(IsControllerOpen());
		EXPECT_FALSE(GetNeedState(NEED_TEXT_SPACE)) << "pad needs drop when the pad goes";
	}
}
