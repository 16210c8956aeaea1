#include "FilesTestSupport.h"
#include "AtomicWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace FilesTestSupport;

namespace
{
	class AtomicWriteTest : public FileLayerTest
	{
	protected:
		void TearDown() override
		{
			Tamber::Files::gAtomicWriteFailAfterBytes = -1;
			FileLayerTest::TearDown();
		}

		std::vector<std::string> FolderContents(const fs::path& folder)
		{
			std::vector<std::string> names;
			for (auto& entry : fs::directory_iterator(folder))
				names.push_back(entry.path().filename().string());
			std::sort(names.begin(), names.end());
			return names;
		}

		static std::vector<uint8_t> Pattern(size_t size, uint8_t seed)
		{
			std::vector<uint8_t> v(size);
			for (size_t i = 0; i < size; i++)
				v[i] = uint8_t(seed + i * 31);
			return v;
		}
	};
}

TEST_F(AtomicWriteTest, WritesANewFileAndLeavesNothingElse)
{
	fs::create_directory(dir / "Zappatron");
	FSSpec spec = Spec(":Zappatron:save_01.quogsave", fnfErr);
	std::vector<uint8_t> data = Pattern(32, 1);
	ASSERT_EQ(WriteFileAtomically(spec, data.data(), data.size()), noErr);
	EXPECT_EQ(ReadAll(dir / "Zappatron" / "save_01.quogsave"), data);
	EXPECT_EQ(FolderContents(dir / "Zappatron"), std::vector<std::string>{"save_01.quogsave"});

	ASSERT_EQ(WriteFileAtomically(spec, nullptr, 0), noErr);	// an empty file is a file too
	EXPECT_EQ(fs::file_size(dir / "Zappatron" / "save_01.quogsave"), 0u);
}

TEST_F(AtomicWriteTest, ReplacesTheOldFileAndKeepsItsMode)
{
	std::vector<uint8_t> old = Pattern(156, 2);
	WriteBytes(dir / "Preferences6", old);
	fs::permissions(dir / "Preferences6", fs::perms::owner_read | fs::perms::owner_write);

	std::vector<uint8_t> fresh = Pattern(156, 9);
	ASSERT_EQ(WriteFileAtomically(Spec(":Preferences6"), fresh.data(), fresh.size()), noErr);
	EXPECT_EQ(ReadAll(dir / "Preferences6"), fresh);
	EXPECT_EQ(fs::status(dir / "Preferences6").permissions() & fs::perms::all,
		fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(AtomicWriteTest, AFailureHalfwayLeavesTheOldFileByteIdentical)
{
	std::vector<uint8_t> old = Pattern(5000, 3);
	WriteBytes(dir / "HighScores2", old);
	std::vector<uint8_t> fresh = Pattern(8000, 4);

	Tamber::Files::gAtomicWriteFailAfterBytes = 4000;
	EXPECT_EQ(WriteFileAtomically(Spec(":HighScores2"), fresh.data(), fresh.size()), dskFulErr);
	EXPECT_EQ(ReadAll(dir / "HighScores2"), old);
	EXPECT_EQ(FolderContents(dir.path), std::vector<std::string>{"HighScores2"});	// no temporary file left

	Tamber::Files::gAtomicWriteFailAfterBytes = 0;
	EXPECT_EQ(WriteFileAtomically(Spec(":HighScores2"), fresh.data(), fresh.size()), dskFulErr);
	EXPECT_EQ(ReadAll(dir / "HighScores2"), old);

	Tamber::Files::gAtomicWriteFailAfterBytes = -1;
	EXPECT_EQ(WriteFileAtomically(Spec(":HighScores2"), fresh.data(), fresh.size()), noErr);
	EXPECT_EQ(ReadAll(dir / "HighScores2"), fresh);
}

// The same guarantee when the host itself refuses the write (here a
// file-size limit standing in for a full disk), not only through the hook.
TEST_F(AtomicWriteTest, AHostRefusalLeavesTheOldFile)
{
	std::vector<uint8_t> old = Pattern(100, 5);
	WriteBytes(dir / "save_02.quogsave", old);
	std::vector<uint8_t> fresh = Pattern(64 * 1024, 6);

	auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
	rlimit saved;
	getrlimit(RLIMIT_FSIZE, &saved);
	rlimit limit = saved;
	limit.rlim_cur = 2000;
	setrlimit(RLIMIT_FSIZE, &limit);
	OSErr err = WriteFileAtomically(Spec(":save_02.quogsave"), fresh.data(), fresh.size());
	setrlimit(RLIMIT_FSIZE, &saved);
	std::signal(SIGXFSZ, oldHandler);

	EXPECT_EQ(err, dskFulErr);
	EXPECT_EQ(ReadAll(dir / "save_02.quogsave"), old);
	EXPECT_EQ(FolderContents(dir.path), std::vector<std::string>{"save_02.quogsave"});
}

TEST_F(AtomicWriteTest, RefusesWhatItCannotWrite)
{
	uint8_t byte = 1;
	FSSpec inMissingFolder = Spec(":nowhere:file", fnfErr);
	EXPECT_EQ(WriteFileAtomically(inMissingFolder, &byte, 1), dirNFErr);
	EXPECT_FALSE(fs::exists(dir / "nowhere"));

	FSSpec spec = Spec(":file", fnfErr);
	FSSpec badVolume = spec;
	badVolume.vRefNum = 4;
	EXPECT_EQ(WriteFileAtomically(badVolume, &byte, 1), nsvErr);
	FSSpec badName = spec;
	std::strcpy(badName.name, "..");
	EXPECT_EQ(WriteFileAtomically(badName, &byte, 1), bdNamErr);
	FSSpec badFolder = spec;
	badFolder.parID = 4242;
	EXPECT_EQ(WriteFileAtomically(badFolder, &byte, 1), dirNFErr);
	EXPECT_EQ(WriteFileAtomically(spec, nullptr, 1), paramErr);

	fs::create_directory(dir / "folder");
	EXPECT_NE(WriteFileAtomically(Spec(":folder"), &byte, 1), noErr);	// a folder is in the way
	EXPECT_TRUE(fs::is_directory(dir / "folder"));
	EXPECT_EQ(FolderContents(dir.path), std::vector<std::string>{"folder"});
}
