// For the suites that lay texts out with the game's own font metrics: the
// metrics from the baked Data folder, default settings and a clean input
// state, all put back afterwards (the strings in the first language again).
#pragma once

#include "BakedData.h"
#include "3D/TextMesh.h"
#include "System/Boot.h"
#include "System/DataFiles.h"
#include "System/Input.h"
#include "System/Prefs.h"
#include "System/PrefsFile.h"
#include "System/Strings.h"
#include "Files.h"

#include <gtest/gtest.h>

namespace FontMetricsTestSupport
{
	// Below this share of its row's scale a text reads as fine print.
	constexpr float MIN_READABLE_SHRINK = 0.6f;

	struct FontMetricsTest : ::testing::Test
	{
		FSSpec savedDataFolder;
		PrefsType savedPrefs;

		void SetUp() override
		{
			Tamber::Files::Init();
			savedDataFolder = gDataFolderSpec;
			savedPrefs = gGamePrefs;
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(BakedData::Folder() / "Skeletons");
			MakeDefaultPrefs(&gGamePrefs, 0);
			ResetInputState();
			TextMesh_LoadMetrics();
			ASSERT_TRUE(TextMesh_MetricsLoaded());
		}
		void TearDown() override
		{
			TextMesh_DisposeMetrics();
			LoadLocalizedStrings(0);
			gGamePrefs = savedPrefs;
			gDataFolderSpec = savedDataFolder;
			Tamber::Files::Shutdown();
		}
	};
}
