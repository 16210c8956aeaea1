// Saves survive kill -9: a helper writes the preferences, a saved game and the
// high scores through the game's savers over and over and is killed with
// SIGKILL at random moments. After every kill each file is one generation's
// file exactly (never a mixture or a torn write), none is older than before
// and they are in the order written; now and then the game boots with them,
// says nothing is damaged and removes the temporary file a killed write left
// behind. ZAPP_SAVE_KILLS sets the number of kills (20 here;
// scripts/kill-saves.sh runs 200 and more).
#include "Process.h"
#include "SaveChurn.h"
#include "System/PrefsFile.h"
#include "AtomicWrite.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
	std::vector<uint8_t> ReadFile(const fs::path& path)
	{
		std::ifstream in(path, std::ios::binary);
		return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
	}

	// Starts the helper and kills it `micros` after it says it begins writing;
	// returns whether it was still running then (a helper that stopped on its
	// own has failed).
	bool RunAndKill(const fs::path& xdg, uint32_t firstGeneration, int micros)
	{
		int fds[2];
		if (pipe(fds) != 0)
			return false;
		pid_t pid = fork();
		if (pid == 0)
		{
			dup2(fds[1], STDOUT_FILENO);
			close(fds[0]);
			close(fds[1]);
			setenv("XDG_DATA_HOME", xdg.c_str(), 1);
			std::string first = std::to_string(firstGeneration);
			execl(ZAPP_SAVE_CHURN, ZAPP_SAVE_CHURN, first.c_str(), nullptr);
			_exit(127);
		}
		close(fds[1]);
		char said[16];
		bool started = read(fds[0], said, sizeof(said)) > 0;
		std::this_thread::sleep_for(std::chrono::microseconds(micros));
		bool wasRunning = started && waitpid(pid, nullptr, WNOHANG) == 0;
		kill(pid, SIGKILL);
		waitpid(pid, nullptr, 0);
		close(fds[0]);
		return wasRunning;
	}

	// The generation whose file `bytes` is, exactly; -1 for no file, and
	// -2 for a file that is no generation's.
	long PrefsGeneration(const std::vector<uint8_t>& bytes, bool exists)
	{
		if (!exists)
			return -1;
		PrefsType defaults, prefs, expected;
		MakeDefaultPrefs(&defaults, 0);
		if (DecodePrefsFile(bytes.data(), bytes.size(), defaults, &prefs) != PREFS_DECODE_OK)
			return -2;
		uint32_t g = ChurnPrefsGeneration(prefs);
		MakeChurnPrefs(g, &expected, defaults);
		uint8_t image[PREFS_FILE_SIZE];
		EncodePrefsFile(expected, image);
		return std::vector<uint8_t>(image, image + sizeof(image)) == bytes ? long(g) : -2;
	}

	long SaveGeneration(const std::vector<uint8_t>& bytes, bool exists)
	{
		if (!exists)
			return -1;
		SavedGameRecord r;
		if (DecodeSavedGame(bytes.data(), bytes.size(), &r) != SAVED_GAME_OK || bytes.size() != size_t(SAVED_GAME_FILE_SIZE))
			return -2;
		SavedGamePlayerState want = ChurnSaveState(uint32_t(r.score));
		SavedGamePlayerState got = SavedGameResumeState(r);
		bool same = got.currentLevel == want.currentLevel + 1 && got.lives == want.lives && got.health == want.health
			&& got.fuel == want.fuel;
		return same ? long(r.score) : -2;
	}

	long HighScoresGeneration(const std::vector<uint8_t>& bytes, bool exists)
	{
		if (!exists)
			return -1;
		HighScoreEntry table[NUM_HIGH_SCORES];
		if (!DecodeHighScores(bytes.data(), bytes.size(), table) || table[0].score < uint32_t(NUM_HIGH_SCORES))
			return -2;
		uint32_t g = table[0].score - uint32_t(NUM_HIGH_SCORES);
		HighScoreEntry expected[NUM_HIGH_SCORES];
		MakeChurnHighScores(g, expected);
		uint8_t image[HIGH_SCORES_FILE_SIZE];
		EncodeHighScores(expected, image);
		return std::vector<uint8_t>(image, image + sizeof(image)) == bytes ? long(g) : -2;
	}

	int CountTemporaries(const fs::path& folder)
	{
		int n = 0;
		for (const fs::directory_entry& entry : fs::directory_iterator(folder))
			n += Tamber::Files::IsAtomicWriteTemporaryName(entry.path().filename().string());
		return n;
	}
}

TEST(SaveKill, EveryFileIsWholeAfterAKillAndTheGameBootsWithIt)
{
	const char* setting = std::getenv("ZAPP_SAVE_KILLS");
	const int kills = setting ? std::atoi(setting) : 20;
	fs::path scratch = MakeScratchFolder("zapp-kill");
	fs::path xdg = scratch / "xdg", folder = xdg / "Zappatron";
	char slotName[32];
	GetSavedGameFileName(SAVE_CHURN_SLOT, slotName, sizeof(slotName));

	std::mt19937 random(uint32_t(std::random_device{}()));
	// From the first write's start to a few dozen writes in.
	std::uniform_int_distribution<int> when(0, 20000);
	long newest = -1, last[3] = {-1, -1, -1};
	int bootsChecked = 0, killedMidWrite = 0;
	for (int k = 0; k < kills; k++)
	{
		ASSERT_TRUE(RunAndKill(xdg, uint32_t(newest + 1), when(random))) << "the helper stopped by itself";
		if (!fs::exists(folder))
			continue;		// killed before it made its folder

		long p = PrefsGeneration(ReadFile(folder / "Preferences6"), fs::exists(folder / "Preferences6"));
		long s = SaveGeneration(ReadFile(folder / slotName), fs::exists(folder / slotName));
		long h = HighScoresGeneration(ReadFile(folder / HIGH_SCORES_FILE_NAME), fs::exists(folder / HIGH_SCORES_FILE_NAME));
		ASSERT_GE(p, -1) << "kill " << k << ": the preferences are no generation's file";
		ASSERT_GE(s, -1) << "kill " << k << ": the saved game is no generation's file";
		ASSERT_GE(h, -1) << "kill " << k << ": the high scores are no generation's file";
		// Each run writes preferences, save, scores in that order, generation
		// after generation, and starts past the newest generation on file.
		ASSERT_TRUE(p >= s && s >= h) << "kill " << k << ": generations " << p << " " << s << " " << h;
		ASSERT_TRUE(p >= last[0] && s >= last[1] && h >= last[2]) << "kill " << k << ": an older file came back";
		last[0] = p, last[1] = s, last[2] = h;
		newest = std::max(newest, p);
		killedMidWrite += CountTemporaries(folder) > 0;

		if (k % 5 == 4 || k == kills - 1)
		{
			bool hadTemporary = CountTemporaries(folder) > 0;
			ProcessResult r = RunProcess({ZAPP_EXE, "--no-draw", "--level", "0", "--fixed-step", "30", "--frames", "3"},
				ZAPP_BUILD_DIR, {"ZAPPATRON_HEADLESS=1", "SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + xdg.string()}, 120);
			EXPECT_EQ(r.exitCode, 0) << r.output;
			EXPECT_EQ(r.output.find("damaged"), std::string::npos) << r.output;
			EXPECT_EQ(CountTemporaries(folder), 0) << "boot removes what a killed write left" << (hadTemporary ? "" : " (none)");
			bootsChecked++;
		}
	}
	printf("%d kills, newest generation %ld, %d left a temporary file, %d boots checked\n", kills, newest,
		   killedMidWrite, bootsChecked);
	EXPECT_GT(newest, 0) << "the kills came late enough for files to be written";
	RemoveScratchFolder(scratch);
}
