// The baked Data folder the tests read. Baking the game's content takes
// seconds (tens of seconds under the sanitizers) and CTest runs every test in
// a process of its own, so a suite that baked for itself would bake again for
// each of its tests. Instead one folder serves the whole test run: the build
// names it in ZAPP_TEST_DATA_DEFAULT (its own Data folder, one given at
// configure time, or one baked once per run by a set-up test; see
// tests/CMakeLists.txt), and the ZAPP_TEST_DATA environment variable can name
// another. Tests only read it; a test that adds or changes files works in a
// folder of its own. When the folder is missing (a test program started by
// hand before the set-up test ran), everything is baked once into a temporary
// folder. Tests of the bake itself (determinism) still bake for themselves.
#pragma once

#include "Bake.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <unistd.h>

namespace BakedData
{
	namespace fs = std::filesystem;

	// A file every complete bake writes; its absence means the folder is not one.
	inline constexpr const char* MARKER_FILE = "Skeletons/Quog.bg3d";

	// Bakes every step into a private folder, removed when the program ends.
	struct PrivateBake
	{
		fs::path dir;

		PrivateBake()
		{
			dir = fs::temp_directory_path() / ("zapp-testdata-" + std::to_string(::getpid()));
			fs::remove_all(dir);
			Bake::RunSteps(Bake::Context{dir});
		}
		~PrivateBake()
		{
			std::error_code ec;
			fs::remove_all(dir, ec);
		}
	};

	// The shared Data folder; throws when ZAPP_TEST_DATA names something that
	// is not a baked Data folder (a mistyped path should be loud).
	inline const fs::path& Folder()
	{
		static const fs::path folder = []
		{
			std::error_code ec;
			const char* named = std::getenv("ZAPP_TEST_DATA");
			if (named && *named)
			{
				fs::path dir(named);
				if (!fs::is_regular_file(dir / MARKER_FILE, ec))
					throw std::runtime_error("ZAPP_TEST_DATA=" + dir.string() + " is not a baked Data folder (no "
							+ MARKER_FILE + ")");
				return dir;
			}
			fs::path dir(ZAPP_TEST_DATA_DEFAULT);
			if (fs::is_regular_file(dir / MARKER_FILE, ec))
				return dir;
			fprintf(stderr, "no baked Data folder at %s: baking one for this process\n", dir.c_str());
			static PrivateBake bake;
			return bake.dir;
		}();
		return folder;
	}
}
