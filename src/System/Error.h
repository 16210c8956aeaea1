// Alerts, assertions and the orderly exits of the game.
#pragma once

#include <string>

// Non-fatal: hides the window, prints "ZAPPATRON ALERT: ...", shows a message
// box, then shows the window again and returns.
void ShowAlert(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Fatal: prints "ZAPPATRON FATAL ALERT: ...", shows a message box and raises
// the quit request. The process then exits with code 1.
[[noreturn]] void FatalAlert(const char* format, ...) __attribute__((format(printf, 1, 2)));
// At boot: the platform layer's reports of damaged data files become fatal
// alerts (their message names the file).
void InstallPlatformErrorHandler();

// Throws the quit request (Tamber::QuitRequest).
[[noreturn]] void RequestQuit();

// The orderly exit chosen from a menu: releases the run's resources once,
// then raises the quit request.
[[noreturn]] void QuitGame();

// Set by FatalAlert; main() turns it into exit code 1.
extern bool gFatalErrorRaised;
// Text of the most recent fatal alert (for tests and the exit report).
extern std::string gLastFatalMessage;

// When set (environment variable ZAPPATRON_HEADLESS), alerts only print:
// a message box under a virtual display would wait for ever.
bool IsHeadless();

#define GAME_ASSERT(condition) \
	do { if (!(condition)) FatalAlert("Assertion failed! %s:%d: %s", __func__, __LINE__, #condition); } while (0)

// An assertion whose reported expression is a message of its own.
#define GAME_ASSERT_MESSAGE(condition, message) \
	do { if (!(condition)) FatalAlert("Assertion failed! %s:%d: %s", __func__, __LINE__, message); } while (0)

