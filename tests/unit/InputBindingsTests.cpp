// Names of keys and buttons, the remapping rules and the captures.
#include "System/InputBindings.h"
#include "3D/ScreenshotKey.h"
#include "System/InputState.h"
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/Strings.h"
#include "System/Error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{
	// A string table whose row n reads "Sn", so localized names can be told apart.
	std::string TestTable()
	{
		std::string file;
		for (int i = 0; i < NUM_NAMED_STRING_ROWS; i++)
			file += "S" + std::to_string(i) + "\n";
		return file;
	}

	class InputBindingsTest : public ::testing::Test
	{
	protected:
		PrefsType savedPrefs;
		bool savedPrefersGamepad;

		void SetUp() override
		{
			savedPrefs = gGamePrefs;
			savedPrefersGamepad = gUserPrefersGamepad;
			MakeDefaultPrefs(&gGamePrefs, 0);
			gUserPrefersGamepad = false;
			ResetInputState();
			std::string table = TestTable();
			LoadLocalizedStringsFromMemory(table.data(), table.size(), 0);
		}

		void TearDown() override
		{
			gGamePrefs = savedPrefs;
			gUserPrefersGamepad = savedPrefersGamepad;
			ResetInputState();
			DisposeLocalizedStrings();
		}

		InputBinding* Bindings() { return gGamePrefs.bindings; }
	};

	TEST_F(InputBindingsTest, ShortNamesReplaceEveryHashInUpperCase)
	{
		EXPECT_STREQ(GetShortNameForInputNeed("Press # to jump, # again to jet", NEED_JUMP),
					 "Press SPACE to jump, SPACE again to jet");
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_PUNCH), "ALT");
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_SHOOT), "CTRL");
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_NEXT_WEAPON), "SHIFT");

		Bindings()[NEED_PUNCH].key[0] = 230;
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_PUNCH), "ALTGR");
		Bindings()[NEED_PUNCH].key[0] = 227;
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_PUNCH), "COMMAND");

		// The first key in use, else "???".
		Bindings()[NEED_PUNCH].key[0] = 0;
		Bindings()[NEED_PUNCH].key[1] = 4;
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_PUNCH), "A");
		Bindings()[NEED_PUNCH].key[1] = 0;
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_PUNCH), "???");
	}

	TEST_F(InputBindingsTest, ShortNamesUsePadNamesAfterPadUse)
	{
		gUserPrefersGamepad = true;
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_JUMP), "A");
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_PREV_WEAPON), "LEFTSHOULDER");
		Bindings()[NEED_JUMP].pad[0] = {PAD_BINDING_NONE, 0};
		Bindings()[NEED_JUMP].pad[1] = {PAD_BINDING_AXIS_POSITIVE, 5};
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_JUMP), "RIGHTTRIGGER");
		Bindings()[NEED_JUMP].pad[1] = {PAD_BINDING_NONE, 0};
		EXPECT_STREQ(GetShortNameForInputNeed("#", NEED_JUMP), "???");
	}

	TEST_F(InputBindingsTest, ShortNameExpansionNeverOverflows)
	{
		// 255 '#' each expanding to a long name: cut at the buffer's end.
		Bindings()[NEED_JUMP].key[0] = 88;		// "Keypad Enter"
		std::string text(300, '#');
		const char* out = GetShortNameForInputNeed(text.c_str(), NEED_JUMP);
		EXPECT_EQ(strlen(out), 255u);
		EXPECT_EQ(std::string(out, 12), "KEYPAD ENTER");

		// Without '#' the input is cut at 255 characters.
		std::string plain(400, 'x');
		EXPECT_EQ(strlen(GetShortNameForInputNeed(plain.c_str(), NEED_JUMP)), 255u);
	}

	TEST_F(InputBindingsTest, ShortNameAssertsOutsideTheRemappableNeeds)
	{
		EXPECT_THROW(GetShortNameForInputNeed("#", NUM_REMAPPABLE_NEEDS), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("need < NUM_REMAPPABLE_NEEDS"), std::string::npos);
		EXPECT_THROW(GetShortNameForInputNeed("#", -1), Tamber::QuitRequest);
		EXPECT_NE(gLastFatalMessage.find("need >= 0"), std::string::npos);
	}

	TEST_F(InputBindingsTest, DisplayNamesOfRemappingRows)
	{
		EXPECT_EQ(GetKeyName(0), "S119");
		EXPECT_EQ(GetKeyName(54), "<");
		EXPECT_EQ(GetKeyName(44), "Space");
		EXPECT_EQ(GetKeyName(600), "???") << "a scancode from a bad file has no name";

		EXPECT_EQ(GetMouseButtonName(0), "S119");
		EXPECT_EQ(GetMouseButtonName(30), "S118");
		EXPECT_EQ(GetMouseButtonName(4), "S116 4");

		EXPECT_EQ(GetPadInputName(PAD_BINDING_BUTTON, 7), "Push LS");
		EXPECT_EQ(GetPadInputName(PAD_BINDING_BUTTON, 6), "start");
		EXPECT_EQ(GetPadInputName(PAD_BINDING_AXIS_POSITIVE, 1), "LS down");
		EXPECT_EQ(GetPadInputName(PAD_BINDING_AXIS_NEGATIVE, 1), "LS up");
		EXPECT_EQ(GetPadInputName(PAD_BINDING_AXIS_POSITIVE, 9), "???");
		EXPECT_EQ(GetPadInputName(7, 0), "???");

		EXPECT_EQ(GetMouseBindingName(NEED_SHOOT), "S113");
		EXPECT_EQ(GetPadBindingName(NEED_SHOOT, 1), "RT");
	}

	TEST_F(InputBindingsTest, AKeyTakenByAnotherNeedMoves)
	{
		// W is the second forward key; give it to jump.
		AssignKeyBinding(Bindings(), NEED_JUMP, 1, 26);
		EXPECT_EQ(Bindings()[NEED_JUMP].key[1], 26);
		EXPECT_EQ(Bindings()[NEED_FORWARD].key[1], 0);
		EXPECT_EQ(GetKeyBindingName(NEED_FORWARD, 1), "S119");
		EXPECT_EQ(Bindings()[NEED_FORWARD].key[0], 82) << "the other slot keeps its key";

		// Re-binding a slot to its own key keeps it.
		AssignKeyBinding(Bindings(), NEED_JUMP, 1, 26);
		EXPECT_EQ(Bindings()[NEED_JUMP].key[1], 26);
	}

	TEST_F(InputBindingsTest, MouseAndPadInputsMoveToo)
	{
		AssignMouseBinding(Bindings(), NEED_CENTER_CAMERA, 1);
		EXPECT_EQ(Bindings()[NEED_CENTER_CAMERA].mouseButton, 1);
		EXPECT_EQ(Bindings()[NEED_SHOOT].mouseButton, 0);

		AssignPadBinding(Bindings(), NEED_PUNCH, 1, PAD_BINDING_AXIS_POSITIVE, 5);
		EXPECT_EQ(Bindings()[NEED_PUNCH].pad[1].type, PAD_BINDING_AXIS_POSITIVE);
		EXPECT_EQ(Bindings()[NEED_SHOOT].pad[1].type, PAD_BINDING_NONE);
		EXPECT_EQ(Bindings()[NEED_SHOOT].pad[0].id, 2) << "X stays with shoot";
	}

	TEST_F(InputBindingsTest, ClearAndResetTouchOnlyTheirDevice)
	{
		ClearKeyBinding(Bindings(), NEED_JUMP, 0);
		ClearMouseBinding(Bindings(), NEED_JUMP);
		ClearPadBinding(Bindings(), NEED_JUMP, 0);
		EXPECT_EQ(Bindings()[NEED_JUMP].key[0], 0);
		EXPECT_EQ(Bindings()[NEED_JUMP].mouseButton, 0);
		EXPECT_EQ(Bindings()[NEED_JUMP].pad[0].type, PAD_BINDING_NONE);

		ResetMouseBindings(Bindings());
		EXPECT_EQ(Bindings()[NEED_JUMP].mouseButton, 3);
		EXPECT_EQ(Bindings()[NEED_JUMP].key[0], 0);
		EXPECT_EQ(Bindings()[NEED_JUMP].pad[0].type, PAD_BINDING_NONE);

		ResetKeyboardBindings(Bindings());
		EXPECT_EQ(Bindings()[NEED_JUMP].key[0], 44);
		EXPECT_EQ(Bindings()[NEED_JUMP].pad[0].type, PAD_BINDING_NONE);

		ResetPadBindings(Bindings());
		EXPECT_EQ(memcmp(Bindings(), kDefaultInputBindings, sizeof(gGamePrefs.bindings)), 0);
	}

	TEST_F(InputBindingsTest, KeyCaptureTakesTheFirstNewKeyButTheScreenshotKeyOrCancelsOnEscape)
	{
		EXPECT_EQ(PollKeyCapture(NEED_SHOOT, 0), CAPTURE_WAITING);
		gInputState.keyboard[4] = KEYSTATE_HELD;		// A held from before: not new
		EXPECT_EQ(PollKeyCapture(NEED_SHOOT, 0), CAPTURE_WAITING);
		gInputState.keyboard[SCREENSHOT_KEY] = KEYSTATE_DOWN;
		EXPECT_EQ(PollKeyCapture(NEED_SHOOT, 0), CAPTURE_WAITING);
		EXPECT_EQ(Bindings()[NEED_SHOOT].key[0], 224) << "the screenshot key is never bound";
		gInputState.keyboard[SCREENSHOT_KEY] = KEYSTATE_OFF;

		gInputState.keyboard[41] = KEYSTATE_DOWN;		// escape
		EXPECT_EQ(PollKeyCapture(NEED_SHOOT, 0), CAPTURE_CANCELLED);
		EXPECT_EQ(Bindings()[NEED_SHOOT].key[0], 224) << "cancelling leaves the slot as it was";

		gInputState.keyboard[41] = KEYSTATE_OFF;
		gInputState.keyboard[4] = KEYSTATE_DOWN;
		EXPECT_EQ(PollKeyCapture(NEED_SHOOT, 0), CAPTURE_DONE);
		EXPECT_EQ(Bindings()[NEED_SHOOT].key[0], 4);
		EXPECT_EQ(Bindings()[NEED_LEFT].key[1], 0) << "A was the second left key";
	}

	TEST_F(InputBindingsTest, MouseCaptureConsumesThePress)
	{
		gInputState.mouse[2] = KEYSTATE_DOWN;
		EXPECT_EQ(PollMouseCapture(NEED_JUMP), CAPTURE_DONE);
		EXPECT_EQ(Bindings()[NEED_JUMP].mouseButton, 2);
		EXPECT_EQ(Bindings()[NEED_PUNCH].mouseButton, 0);
		EXPECT_EQ(gInputState.mouse[2], KEYSTATE_HELD) << "later readers see it as merely held";

		gInputState.keyboard[41] = KEYSTATE_DOWN;
		gInputState.mouse[1] = KEYSTATE_DOWN;
		EXPECT_EQ(PollMouseCapture(NEED_JUMP), CAPTURE_CANCELLED);
	}

	TEST_F(InputBindingsTest, PadCaptureSkipsTheDpadAndTheSticks)
	{
		bool buttons[NUM_PAD_BUTTONS] = {};
		int16_t axes[NUM_PAD_AXES] = {};
		int type = -1, id = -1;

		buttons[11] = buttons[12] = buttons[13] = buttons[14] = true;	// d-pad
		axes[0] = axes[1] = axes[2] = axes[3] = 32767;					// sticks
		EXPECT_FALSE(FindPadCaptureInput(buttons, axes, &type, &id));

		axes[4] = PAD_CAPTURE_AXIS_THRESHOLD;		// not past the threshold
		EXPECT_FALSE(FindPadCaptureInput(buttons, axes, &type, &id));
		axes[4] = PAD_CAPTURE_AXIS_THRESHOLD + 1;
		ASSERT_TRUE(FindPadCaptureInput(buttons, axes, &type, &id));
		EXPECT_EQ(type, PAD_BINDING_AXIS_POSITIVE);
		EXPECT_EQ(id, 4);

		buttons[15] = true;			// a button wins over a trigger
		ASSERT_TRUE(FindPadCaptureInput(buttons, axes, &type, &id));
		EXPECT_EQ(type, PAD_BINDING_BUTTON);
		EXPECT_EQ(id, 15);
	}

	TEST_F(InputBindingsTest, PadCaptureNeedsAControllerAndStartCancels)
	{
		gInputState.padButtons[3] = true;	// Y
		EXPECT_EQ(PollPadCapture(NEED_JUMP, 1), CAPTURE_WAITING) << "no controller open";

		gInputState.controllerOpen = true;
		gInputState.padButtons[6] = true;	// start held
		EXPECT_EQ(PollPadCapture(NEED_JUMP, 1), CAPTURE_CANCELLED);

		gInputState.padButtons[6] = false;
		EXPECT_EQ(PollPadCapture(NEED_JUMP, 1), CAPTURE_DONE);
		EXPECT_EQ(Bindings()[NEED_JUMP].pad[1].type, PAD_BINDING_BUTTON);
		EXPECT_EQ(Bindings()[NEED_JUMP].pad[1].id, 3);
	}
}
