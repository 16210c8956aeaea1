// Scripted input: parsing, and what a script holds down frame by frame.
#include "Automation/InputScript.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

TEST(InputScriptTests, PressesLastTheirFramesAndNeedsAndKeysMix)
{
	InputScript script;
	std::string error;
	ASSERT_TRUE(InputScript_Parse("# walk the menu\n"
								  "10 need UI_confirm\n"
								  "12 key Return 3   # held three frames\n"
								  "12 need jump 1\n"
								  "20 shot /tmp/a.png\n20 shot /tmp/b.png\n25 quit\n",
			&script, &error)) << error;

	uint64_t needs = 0;
	bool keys[NUM_KEY_STATES];
	InputScript_HeldAt(script, 9, &needs, keys);
	EXPECT_EQ(needs, 0u);
	InputScript_HeldAt(script, 11, &needs, keys);		// the default hold: frames 10 and 11
	EXPECT_EQ(needs, uint64_t(1) << NEED_UI_CONFIRM);
	InputScript_HeldAt(script, 12, &needs, keys);
	EXPECT_EQ(needs, uint64_t(1) << NEED_JUMP);
	EXPECT_TRUE(keys[SDL_SCANCODE_RETURN]);
	InputScript_HeldAt(script, 14, &needs, keys);
	EXPECT_EQ(needs, 0u);
	EXPECT_TRUE(keys[SDL_SCANCODE_RETURN]);
	InputScript_HeldAt(script, 15, &needs, keys);
	EXPECT_FALSE(keys[SDL_SCANCODE_RETURN]);

	EXPECT_EQ(InputScript_ShotsAt(script, 20), (std::vector<std::string>{"/tmp/a.png", "/tmp/b.png"}));
	EXPECT_TRUE(InputScript_ShotsAt(script, 21).empty());
	EXPECT_FALSE(InputScript_QuitsAt(script, 24));
	EXPECT_TRUE(InputScript_QuitsAt(script, 25));
}

TEST(InputScriptTests, MalformedLinesAreRefusedWithTheirLineNumber)
{
	const struct { const char* text; const char* says; } cases[] = {
		{"x need JUMP", "line 1: \"x\" is not a frame number"},
		{"\n5 need FLY", "line 2: \"FLY\" is not a need"},
		{"5 key NoSuchKey", "\"NoSuchKey\" is not a key name"},
		{"5 key A 0", "\"0\" is not a number of frames"},
		{"5 jump", "unknown command \"jump\""},
		{"5", "needs a command"},
		{"5 shot", "shot takes one file name"},
		{"5 quit now", "quit takes nothing more"},
		{"-1 quit", "is not a frame number"},
		// Found by the fuzzer: a frame past what a long holds made a press's end overflow.
		{"190888888888888888888888 quit", "is not a frame number"},
		{"1000000001 quit", "is not a frame number"},
		{"5 key A 9223372036854775807", "is not a number of frames"},
	};
	for (const auto& c : cases)
	{
		InputScript script;
		std::string error;
		EXPECT_FALSE(InputScript_Parse(c.text, &script, &error)) << c.text;
		EXPECT_NE(error.find(c.says), std::string::npos) << c.text << " -> " << error;
	}
}

TEST(InputScriptTests, NeedNamesMatchTheNeedsWhateverTheCase)
{
	EXPECT_EQ(InputScript_NeedFromName("FORWARD"), NEED_FORWARD);
	EXPECT_EQ(InputScript_NeedFromName("ui_back"), NEED_UI_BACK);
	EXPECT_EQ(InputScript_NeedFromName("PAUSE"), NEED_PAUSE);
	EXPECT_EQ(InputScript_NeedFromName("TEXT_SPACE"), NEED_TEXT_SPACE);
	EXPECT_EQ(InputScript_NeedFromName("NEED_PAUSE"), -1);
}
