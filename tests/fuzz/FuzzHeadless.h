// For harnesses whose code under test may raise the game's fatal alert: the
// alert then only prints (no message box) and its text goes nowhere (libFuzzer
// reports on stderr). Call from LLVMFuzzerInitialize.
#pragma once

#include <cstdio>
#include <cstdlib>

inline int FuzzMakeHeadless()
{
	setenv("ZAPPATRON_HEADLESS", "1", 1);
	return freopen("/dev/null", "w", stdout) ? 0 : 1;
}
