// A one-line account of the player for automated runs.
#pragma once

#include <string>

// "PLAYER anim=A onground=G feet=F ground=H window=X,Y hidden=V" (window
// coordinates in pixels of the view, y downward), or "PLAYER none".
std::string DescribePlayerForAutomation();

// "lives=L health=H fuel=F score=S weapons=T:N,T:N…" (the inventory's filled
// slots in order), what a saved game carries, for tests that save and load.
std::string DescribeRunForAutomation();
