// Every bad file, one clear message. Each case damages one file in a copy of
// the Data folder (truncated to half, zeroed, its first bytes flipped, or
// removed) and runs the game on it: a damaged data file stops the game with
// one fatal alert naming the file and exit code 1 (the controller mapping only
// warns, and the game plays on). The player's own files (preferences, a saved
// game, the high scores) damaged the same way, or filled with random bytes of
// the right size, never stop the game: it plays on with defaults, says once
// which file it set aside, and keeps that file under a new name.
#include "Process.h"
#include "Screens/HighScores.h"
#include "System/PrefsFile.h"
#include "System/SavedGame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace
{
	enum Damage { TRUNCATE, ZERO, FLIP, REMOVE, RANDOM };
	const char* const kDamageNames[] = {"truncated", "zeroed", "flipped", "removed", "random"};

	std::vector<uint8_t> ReadFile(const fs::path& path)
	{
		std::ifstream in(path, std::ios::binary);
		return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
	}

	void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes)
	{
		fs::remove(path);		// a link into the real Data folder: replaced, never written through
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	}

	// Damages `path` (a file of the copy) in place. A file that opens with a
	// free-text title line has its header flipped after that line.
	void DamageFile(const fs::path& path, Damage damage, bool titleLine = false)
	{
		std::vector<uint8_t> bytes = ReadFile(path);
		size_t header = 0;
		if (titleLine)
			header = size_t(std::find(bytes.begin(), bytes.end(), uint8_t('\n')) - bytes.begin()) + 1;
		switch (damage)
		{
			case TRUNCATE: bytes.resize(bytes.size() / 2); break;
			case ZERO: std::fill(bytes.begin(), bytes.end(), 0); break;
			case FLIP:		// the header, where a reader learns what follows
				for (size_t i = header; i < std::min<size_t>(bytes.size(), header + 16); i++)
					bytes[i] ^= 0xFF;
				break;
			case RANDOM:
			{
				std::mt19937 random(uint32_t(bytes.size()));
				for (uint8_t& b : bytes)
					b = uint8_t(random());
				break;
			}
			case REMOVE: fs::remove(path); return;
		}
		WriteFile(path, bytes);
	}

	// A copy of the Data folder whose files are links to the real ones (cheap),
	// and the game beside it, so the game finds the copy.
	fs::path MirrorGame(const fs::path& scratch)
	{
		const fs::path data = ZAPP_TEST_DATA_DEFAULT;
		for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data))
		{
			fs::path target = scratch / "Data" / fs::relative(entry.path(), data);
			if (entry.is_directory())
				fs::create_directories(target);
			else
				fs::create_symlink(entry.path(), target);
		}
		fs::path exe = scratch / "zappatron";
		std::error_code ec;
		fs::create_hard_link(ZAPP_EXE, exe, ec);
		if (ec)
			fs::copy_file(ZAPP_EXE, exe);
		return exe;
	}

	// The first file, in name order, of a folder of the Data folder.
	std::string FirstFileIn(const std::string& folder)
	{
		std::vector<std::string> names;
		for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(ZAPP_TEST_DATA_DEFAULT) / folder))
			names.push_back(entry.path().filename().string());
		std::sort(names.begin(), names.end());
		return names.empty() ? "" : folder + "/" + names.front();
	}

	int CountOf(const std::string& text, const std::string& what)
	{
		int n = 0;
		for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
			n++;
		return n;
	}

	// The runs that read a file: a level (no window), the same with the
	// autopilot (it reads the route), and a drawn level (sprites and the font
	// go to OpenGL). The level is loaded some frames in, after its intro.
	const std::vector<std::string> kLevelRun = {"--no-draw", "--level", "0", "--skip-fluff", "--fixed-step", "30", "--frames", "150"};
	const std::vector<std::string> kRouteRun = {"--no-draw", "--level", "0", "--skip-fluff", "--fixed-step", "30", "--frames", "150", "--autopilot"};
	const std::vector<std::string> kDrawnRun = {"--level", "0", "--skip-fluff", "--fixed-step", "30", "--frames", "150", "--windowed"};

	struct DataCase
	{
		const char* kind;
		std::string file;						// relative to the Data folder
		const std::vector<std::string>* run;
		bool warnsOnly;							// the game may warn and play on
		bool titleLine = false;					// opens with a line of free text
	};

	std::vector<DataCase> DataCases()
	{
		return {
			{"terrain", "Terrain/EarthFarm.ter", &kLevelRun, false},
			{"terrain resources", "Terrain/EarthFarm.ter.rsrc", &kLevelRun, false},
			{"level models", "Models/level1_farm.bg3d", &kLevelRun, false},
			{"global models", "Models/global.bg3d", &kLevelRun, false},
			{"skeleton models", "Skeletons/Farmer.bg3d", &kLevelRun, false},
			{"skeleton", "Skeletons/Farmer.skeleton.rsrc", &kLevelRun, false},
			{"sprite", "sprites/infobar/infobar000.tga", &kDrawnRun, false},
			{"font metrics", "System/font.sfl", &kDrawnRun, false, true},
			{"font atlas", "System/font1.tga", &kDrawnRun, false},
			{"strings", "System/strings.tsv", &kLevelRun, false},
			{"sound bank", FirstFileIn("audio/main.sounds"), &kLevelRun, false},
			{"song", "audio/FarmSong.aif", &kLevelRun, false},
			{"route", "Routes/Level0.route", &kRouteRun, false},
			{"controller mapping", "System/gamecontrollerdb.txt", &kLevelRun, true},
		};
	}

	struct BadFileTest : ::testing::Test
	{
		fs::path scratch;
		void SetUp() override
		{
			if (!std::getenv("DISPLAY"))
				GTEST_SKIP() << "needs an X display (the test script starts Xvfb)";
		}
		void TearDown() override { RemoveScratchFolder(scratch); }

		ProcessResult RunOn(const fs::path& exe, const std::vector<std::string>& args)
		{
			std::vector<std::string> all = {exe.string()};
			all.insert(all.end(), args.begin(), args.end());
			return RunProcess(all, scratch.string(), {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy",
				"LIBGL_ALWAYS_SOFTWARE=1", "XDG_DATA_HOME=" + (scratch / "xdg").string()}, 120);
		}
	};
}

TEST_F(BadFileTest, EachDamagedDataFileStopsTheGameWithOneMessageNamingIt)
{
	int checked = 0;
	for (const DataCase& c : DataCases())
	{
		ASSERT_FALSE(c.file.empty()) << c.kind;
		ASSERT_TRUE(fs::exists(fs::path(ZAPP_TEST_DATA_DEFAULT) / c.file)) << c.kind << ": " << c.file;
		// A resource fork's sidecar is named by the file it belongs to.
		std::string name = fs::path(c.file).filename().string();
		if (name.ends_with(".rsrc"))
			name.resize(name.size() - 5);
		for (Damage damage : {TRUNCATE, ZERO, FLIP, REMOVE})
		{
			SCOPED_TRACE(std::string(c.kind) + " " + c.file + " " + kDamageNames[damage]);
			scratch = MakeScratchFolder("zapp-badfile");
			fs::path exe = MirrorGame(scratch);
			DamageFile(scratch / "Data" / c.file, damage, c.titleLine);
			ProcessResult r = RunOn(exe, *c.run);
			EXPECT_FALSE(r.timedOut);
			if (c.warnsOnly)
			{
				EXPECT_EQ(r.exitCode, 0) << r.output;
				EXPECT_EQ(CountOf(r.output, "FATAL ALERT"), 0) << r.output;
			}
			else
			{
				EXPECT_EQ(r.exitCode, 1) << r.output;
				EXPECT_EQ(CountOf(r.output, "ZAPPATRON FATAL ALERT"), 1) << r.output;
				size_t alert = r.output.find("ZAPPATRON FATAL ALERT");
				std::string line = alert == std::string::npos ? "" : r.output.substr(alert, r.output.find('\n', alert) - alert);
				EXPECT_NE(line.find(name), std::string::npos) << "the message names the file: " << line;
				EXPECT_EQ(r.output.find("Uncaught exception"), std::string::npos) << r.output;
			}
			RemoveScratchFolder(scratch);
			scratch.clear();
			checked++;
		}
	}
	printf("%d damaged data files checked\n", checked);
}

namespace
{
	struct UserFileCase
	{
		const char* kind;
		std::string file;						// in the game's folder of XDG_DATA_HOME
		std::vector<uint8_t> good;				// a good file of the kind
		std::vector<std::string> run;			// a run that reads it
		bool zerosAreValid = false;				// a zeroed file is a good one (a cleared table)
	};

	std::vector<UserFileCase> UserFileCases()
	{
		PrefsType prefs;
		MakeDefaultPrefs(&prefs, 0);
		std::vector<uint8_t> prefsImage(PREFS_FILE_SIZE);
		EncodePrefsFile(prefs, prefsImage.data());

		SavedGameRecord record = MakeSavedGameRecord({12000, 3, 2, 0.5f, 0.25f}, 1700000000);
		record.hasWeapons = true;
		record.currentWeapon = -1;
		for (WeaponSlot& slot : record.weapons)
			slot = {-1, 0};
		std::vector<uint8_t> saveImage(SAVED_GAME_FILE_SIZE);
		EncodeSavedGameFile(record, saveImage.data());
		char saveName[32];
		GetSavedGameFileName(5, saveName, sizeof(saveName));		// the showcase writes slots 0 and 3 itself

		HighScoreEntry table[NUM_HIGH_SCORES] = {};
		for (int i = 0; i < NUM_HIGH_SCORES; i++)
		{
			snprintf(table[i].name, sizeof(table[i].name), "PLAYER %d", i);
			table[i].score = uint32_t(15000 - 1000 * i);
		}
		std::vector<uint8_t> scoresImage(HIGH_SCORES_FILE_SIZE);
		EncodeHighScores(table, scoresImage.data());

		const std::vector<std::string> screen = {"--fixed-step", "30", "--frames", "60", "--windowed", "--show-screen"};
		auto with = [&](const char* name) { std::vector<std::string> v = screen; v.push_back(name); return v; };
		return {
			{"preferences", "Preferences6", prefsImage, kLevelRun},
			{"saved game", saveName, saveImage, with("load-slots")},
			{"high scores", HIGH_SCORES_FILE_NAME, scoresImage, with("high-scores"), true},
		};
	}
}

TEST_F(BadFileTest, DamagedPlayerFilesAreSetAsideNamedOnceAndTheGamePlaysOn)
{
	int checked = 0;
	for (const UserFileCase& c : UserFileCases())
	{
		for (Damage damage : {TRUNCATE, ZERO, FLIP, RANDOM, REMOVE})
		{
			SCOPED_TRACE(std::string(c.kind) + " " + kDamageNames[damage]);
			scratch = MakeScratchFolder("zapp-userfile");
			fs::path folder = scratch / "xdg" / "Zappatron";
			fs::create_directories(folder);
			WriteFile(folder / c.file, c.good);
			DamageFile(folder / c.file, damage);
			std::vector<uint8_t> damaged = ReadFile(folder / c.file);

			std::vector<std::string> args = {ZAPP_EXE};
			args.insert(args.end(), c.run.begin(), c.run.end());
			ProcessResult r = RunProcess(args, ZAPP_BUILD_DIR, {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy",
				"LIBGL_ALWAYS_SOFTWARE=1", "XDG_DATA_HOME=" + (scratch / "xdg").string()}, 120);
			EXPECT_EQ(r.exitCode, 0) << r.output;
			EXPECT_EQ(CountOf(r.output, "FATAL ALERT"), 0) << r.output;

			if (damage == REMOVE || (damage == ZERO && c.zerosAreValid))
			{
				EXPECT_EQ(r.output.find("damaged"), std::string::npos) << "no damage to report: " << r.output;
			}
			else
			{
				EXPECT_EQ(CountOf(r.output, "ZAPPATRON ALERT"), 1) << "said once: " << r.output;
				EXPECT_NE(r.output.find("\"" + c.file + "\" is damaged"), std::string::npos) << r.output;
				fs::path kept;
				for (const fs::directory_entry& entry : fs::directory_iterator(folder))
					if (entry.path().filename().string().rfind(c.file + ".damaged-", 0) == 0)
						kept = entry.path();
				ASSERT_FALSE(kept.empty()) << "kept for the player";
				EXPECT_EQ(ReadFile(kept), damaged);
				EXPECT_NE(r.output.find(kept.filename().string()), std::string::npos) << r.output;
			}
			RemoveScratchFolder(scratch);
			scratch.clear();
			checked++;
		}
	}
	printf("%d damaged player files checked\n", checked);
}
