// The name a parameterized world suite gives each of its tests. GoogleTest
// runs the name generator of every suite when any test program starts, and
// CTest starts one program per test, so the name must come cheap: it is read
// from the level table's terrain file (":Terrain:EarthFarm.ter" names the
// world "EarthFarm", the name the baker writes it under) rather than from a
// world design built only to be named.
#pragma once

#include "System/LevelTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

inline std::string WorldTestName(int level)
{
	const char* path = kLevelDefs[level].terrainFile;
	const char* name = strrchr(path, ':');
	name = name ? name + 1 : path;
	const char* dot = strrchr(name, '.');
	return dot ? std::string(name, dot) : std::string(name);
}

inline std::string WorldTestParamName(const ::testing::TestParamInfo<int>& info)
{
	return WorldTestName(info.param);
}
