#include "Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

ProcessResult RunProcess(const std::vector<std::string>& args, const std::string& workDir,
		const std::vector<std::string>& extraEnv, double timeLimitSeconds,
		bool (*whileRunning)(int pid, void* user), void* user)
{
	ProcessResult result;
	int pipeFds[2];
	if (pipe(pipeFds) != 0)
		return result;

	pid_t pid = fork();
	if (pid == 0)
	{
		dup2(pipeFds[1], STDOUT_FILENO);
		dup2(pipeFds[1], STDERR_FILENO);
		close(pipeFds[0]);
		close(pipeFds[1]);
		if (!workDir.empty() && chdir(workDir.c_str()) != 0)
			_exit(127);
		for (const std::string& entry : extraEnv)
			putenv(strdup(entry.c_str()));
		std::vector<char*> argv;
		for (const std::string& a : args)
			argv.push_back(const_cast<char*>(a.c_str()));
		argv.push_back(nullptr);
		execv(argv[0], argv.data());
		_exit(127);
	}
	close(pipeFds[1]);
	fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);

	auto start = std::chrono::steady_clock::now();
	bool callbackDone = whileRunning == nullptr;
	int status = 0;
	for (;;)
	{
		char buffer[4096];
		ssize_t n;
		while ((n = read(pipeFds[0], buffer, sizeof(buffer))) > 0)
			result.output.append(buffer, size_t(n));

		pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
			break;

		double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
		if (elapsed > timeLimitSeconds)
		{
			kill(pid, SIGKILL);
			waitpid(pid, &status, 0);
			result.timedOut = true;
			break;
		}
		if (!callbackDone)
			callbackDone = whileRunning(pid, user);
		std::this_thread::sleep_for(std::chrono::milliseconds(50));
	}

	char buffer[4096];
	ssize_t n;
	while ((n = read(pipeFds[0], buffer, sizeof(buffer))) > 0)
		result.output.append(buffer, size_t(n));
	close(pipeFds[0]);

	if (!result.timedOut && WIFEXITED(status))
		result.exitCode = WEXITSTATUS(status);
	return result;
}

std::filesystem::path MakeScratchFolder(const std::string& prefix)
{
	std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
	std::replace(test.begin(), test.end(), '/', '_');		// parameterised tests: "Name/3"
	std::filesystem::path scratch = std::filesystem::temp_directory_path()
			/ (prefix + "-" + std::to_string(getpid()) + "-" + test);
	std::filesystem::remove_all(scratch);
	std::filesystem::create_directories(scratch / "xdg");
	return scratch;
}

void RemoveScratchFolder(const std::filesystem::path& scratch)
{
	if (!scratch.empty())
	{
		std::error_code ec;
		std::filesystem::remove_all(scratch, ec);
	}
}
