// Runs the game executable as a child process with a time limit.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProcessResult
{
	int exitCode = -1;		// -1 when killed by a signal or the time limit
	bool timedOut = false;
	std::string output;		// standard output and error, interleaved
};

// Starts `args[0]` in `workDir` with extra environment entries ("NAME=value").
// While it runs, `whileRunning` (if set) is called every 50 ms with the pid;
// returning true stops calling it.
ProcessResult RunProcess(const std::vector<std::string>& args, const std::string& workDir,
		const std::vector<std::string>& extraEnv, double timeLimitSeconds,
		bool (*whileRunning)(int pid, void* user) = nullptr, void* user = nullptr);

// A fresh folder for one test's files, with an empty "xdg" folder inside for
// the game's preferences: named after `prefix`, this process and the running
// test, so parallel runs never share one. Remove it with RemoveScratchFolder.
std::filesystem::path MakeScratchFolder(const std::string& prefix);
void RemoveScratchFolder(const std::filesystem::path& scratch);
