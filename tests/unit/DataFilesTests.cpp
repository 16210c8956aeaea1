// Data files by colon path: the paths resolve inside the Data folder, reads
// return whole data forks, and missing files come back as error codes.
#include "FilesTestSupport.h"
#include "System/Boot.h"
#include "System/DataFiles.h"

#include <gtest/gtest.h>

using namespace FilesTestSupport;

namespace
{
	// The file layer over a temporary Data folder, as boot points it.
	class DataFilesTest : public FileLayerTest
	{
	protected:
		FSSpec savedDataFolderSpec = gDataFolderSpec;

		void SetUp() override
		{
			FileLayerTest::SetUp();
			gDataFolderSpec = Tamber::Files::HostPathToFSSpec(dir.path / "Skeletons");
		}
		void TearDown() override
		{
			gDataFolderSpec = savedDataFolderSpec;
			FileLayerTest::TearDown();
		}
	};
}

TEST_F(DataFilesTest, ColonPathsNameFilesUnderTheDataFolder)
{
	WriteBytes(dir.path / "Terrain" / "Test.ter", {1, 2, 3, 4, 5});
	WriteBytes(dir.path / "Terrain" / "Empty.ter", {});

	std::vector<uint8_t> bytes;
	ASSERT_EQ(ReadDataFile(":Terrain:Test.ter", &bytes), noErr);
	EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
	ASSERT_EQ(ReadDataFile(":terrain:test.ter", &bytes), noErr) << "names match without regard to case";
	EXPECT_EQ(bytes.size(), 5u);
	ASSERT_EQ(ReadDataFile(":Terrain:Empty.ter", &bytes), noErr);
	EXPECT_TRUE(bytes.empty());

	FSSpec spec;
	ASSERT_EQ(MakeDataFileSpec(":Terrain:Test.ter", &spec), noErr);
	std::vector<uint8_t> again;
	ASSERT_EQ(ReadDataFork(&spec, &again), noErr);
	EXPECT_EQ(again, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST_F(DataFilesTest, MissingFilesAndFoldersAreErrorsNotStops)
{
	WriteBytes(dir.path / "Terrain" / "Test.ter", {1});
	std::vector<uint8_t> bytes = {9};
	EXPECT_EQ(ReadDataFile(":Terrain:Missing.ter", &bytes), fnfErr);
	EXPECT_NE(ReadDataFile(":Nowhere:Test.ter", &bytes), noErr);
	FSSpec spec;
	EXPECT_EQ(MakeDataFileSpec(":Terrain:Missing.ter", &spec), fnfErr);
	EXPECT_NE(ReadDataFork(&spec, &bytes), noErr);
}
