// The skeleton viewer's switch: which type and animation a command line asks for.
#include "Automation/SkeletonViewer.h"
#include "3D/SkeletonTypes.h"
#include "Automation/Automation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
	bool Parse(std::vector<std::string> args, AutomationOptions* options, std::string* error)
	{
		args.insert(args.begin(), "zappatron");
		std::vector<char*> argv;
		for (std::string& a : args)
			argv.push_back(a.data());
		return ParseAutomationFlags(int(argv.size()), argv.data(), options, error);
	}
}

TEST(SkeletonViewerSwitch, TypesAreNumbersOrFileNamesInAnyCase)
{
	EXPECT_EQ(SkeletonViewer_ParseType("0"), SKELETON_TYPE_QUOG);
	EXPECT_EQ(SkeletonViewer_ParseType("25"), SKELETON_TYPE_ELITEBRAINALIEN);
	EXPECT_EQ(SkeletonViewer_ParseType("farmer"), SKELETON_TYPE_FARMER);
	EXPECT_EQ(SkeletonViewer_ParseType("BRAINALIEN"), SKELETON_TYPE_BRAINALIEN);
	EXPECT_EQ(SkeletonViewer_ParseType("EliteBrainAlien"), SKELETON_TYPE_ELITEBRAINALIEN);

	EXPECT_EQ(SkeletonViewer_ParseType("26"), -1);
	EXPECT_EQ(SkeletonViewer_ParseType("-1"), -1);
	EXPECT_EQ(SkeletonViewer_ParseType("Brain"), -1) << "a prefix is not a name";
	EXPECT_EQ(SkeletonViewer_ParseType("Quogs"), -1);
	EXPECT_EQ(SkeletonViewer_ParseType(""), -1);
}

TEST(SkeletonViewerSwitch, TheSwitchTakesATypeAndAnAnimation)
{
	AutomationOptions options;
	std::string error;
	ASSERT_TRUE(Parse({"--view-skeleton", "Quog", "4", "--frames", "10"}, &options, &error)) << error;
	EXPECT_EQ(options.viewSkeletonType, SKELETON_TYPE_QUOG);
	EXPECT_EQ(options.viewSkeletonAnim, 4);
	EXPECT_EQ(options.frames, 10) << "the switches after it are still read";

	ASSERT_TRUE(Parse({}, &options, &error));
	EXPECT_EQ(options.viewSkeletonType, -1) << "no viewer unless asked";

	EXPECT_FALSE(Parse({"--view-skeleton", "Nobody", "0"}, &options, &error));
	EXPECT_NE(error.find("--view-skeleton"), std::string::npos);
	EXPECT_FALSE(Parse({"--view-skeleton", "3", "40"}, &options, &error)) << "animations stop at 39";
	EXPECT_FALSE(Parse({"--view-skeleton", "3"}, &options, &error)) << "the animation is required";
}
