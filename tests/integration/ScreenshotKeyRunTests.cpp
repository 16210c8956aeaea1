// The screenshot key in play, pressed through scripted input: each press
// writes a new PNG of the frame into the pictures folder user-dirs.dirs
// names, and the notice drawn over that frame is not in the picture.
#include "Process.h"
#include "PNGFile.h"
#include "3D/ScreenshotKey.h"
#include "3D/ScreenshotPaths.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <fstream>

namespace fs = std::filesystem;

namespace
{
	// With --fixed-step 30 the farm is in play well before frame 150. The
	// script's own shots are read after the notice is drawn on their frame;
	// the game sees a key the script holds from frame 150 on one of the frames
	// just after, so three are shot.
	const char* const kTwoPresses =
		"150 key F12\n"
		"150 shot DIR/frame150.png\n"
		"151 shot DIR/frame151.png\n"
		"152 shot DIR/frame152.png\n"
		"160 key F12\n"
		"175 quit\n";
	const char* const kScriptShots[] = {"frame150.png", "frame151.png", "frame152.png"};

	// Pixels in rows [y0, y1) that differ between two pictures of one size.
	int DifferingPixels(const ScreenImage& a, const ScreenImage& b, int y0, int y1)
	{
		int count = 0;
		for (int y = y0; y < y1; y++)
			for (int x = 0; x < a.width; x++)
				count += memcmp(PixelAt(a, x, y), PixelAt(b, x, y), 3) != 0;
		return count;
	}

	std::vector<fs::path> FilesIn(const fs::path& folder)
	{
		std::vector<fs::path> files;
		std::error_code ec;
		for (const auto& entry : fs::directory_iterator(folder, ec))
			files.push_back(entry.path());
		std::sort(files.begin(), files.end());
		return files;
	}
}

TEST(ScreenshotKeyRun, EachPressWritesANewPictureOfTheFrameIntoThePicturesFolder)
{
	if (!std::getenv("DISPLAY"))
		GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
	fs::path scratch = MakeScratchFolder("zapp-shotkey");
	fs::path home = scratch / "home";
	fs::create_directories(home / ".config");
	std::ofstream(home / ".config" / USER_DIRS_FILE_NAME) << "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n";

	std::string script = kTwoPresses;
	for (size_t at; (at = script.find("DIR")) != std::string::npos;)
		script.replace(at, 3, scratch.string());
	std::ofstream(scratch / "script.txt") << script;

	ProcessResult run = RunProcess({ZAPP_EXE, "--windowed", "--level", "0", "--fixed-step", "30", "--seed", "1",
			"--input-script", (scratch / "script.txt").string()},
			ZAPP_BUILD_DIR,
			{"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "LIBGL_ALWAYS_SOFTWARE=1",
			 "HOME=" + home.string(), "XDG_CONFIG_HOME=", "XDG_DATA_HOME=" + (scratch / "xdg").string()},
			240);
	ASSERT_EQ(run.exitCode, 0) << run.output;

	fs::path folder = home / "Pictures" / SCREENSHOT_PICTURES_SUBFOLDER;
	std::vector<fs::path> shots = FilesIn(folder);
	ASSERT_EQ(shots.size(), 2u) << run.output;
	for (const fs::path& shot : shots)
	{
		EXPECT_EQ(shot.extension(), ".png");
		EXPECT_NE(run.output.find("screenshot: " + shot.string()), std::string::npos) << run.output;
	}

	// The first press's picture (the game names it first) is one of the
	// script's frames as the scene drew it: above the centre it matches that
	// shot to the pixel. The script's shot also has the notice, which darkens a
	// band below the centre.
	const std::string said = "screenshot: ";
	size_t at = run.output.find(said);
	ASSERT_NE(at, std::string::npos);
	fs::path first = run.output.substr(at + said.size(), run.output.find('\n', at) - at - said.size());
	ScreenImage keyShot;
	ASSERT_TRUE(ReadPNGFile(first, &keyShot)) << first;
	int matches = 0;
	for (const char* name : kScriptShots)
	{
		ScreenImage frame;
		ASSERT_TRUE(ReadPNGFile(scratch / name, &frame)) << name;
		ASSERT_EQ(keyShot.width, frame.width);
		ASSERT_EQ(keyShot.height, frame.height);
		if (DifferingPixels(keyShot, frame, 0, frame.height / 2) != 0)
			continue;
		matches++;
		const int noticeRow = frame.height / 2 + int(SCREENSHOT_NOTICE_Y * float(frame.height) / 480.0f);
		int darker = 0;
		for (int x = 0; x < frame.width; x++)
		{
			const uint8_t* a = PixelAt(keyShot, x, noticeRow);
			const uint8_t* b = PixelAt(frame, x, noticeRow);
			darker += a[0] + a[1] + a[2] > b[0] + b[1] + b[2] + 30;
		}
		EXPECT_GT(darker, frame.width / 4) << name << ": the notice is drawn over the frame, not into the picture";
	}
	EXPECT_EQ(matches, 1) << "the key's picture is one frame the scene drew";

	RemoveScratchFolder(scratch);
}
