#include "FilesTestSupport.h"
#include "Files.h"
#include "FilesIDAllocator.h"
#include "formats/BigEndianWriter.h"
#include "formats/ResourceForkWriter.h"
#include "Memory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace FilesTestSupport;
using Tamber::Files::GetDirectoryID;
using Tamber::Files::HostPathToFSSpec;

namespace
{
	using FilesTest = FileLayerTest;

	int16_t Open(const FSSpec& spec, int8_t permission)
	{
		int16_t refNum = -1;
		EXPECT_EQ(FSpOpenDF(&spec, permission, &refNum), noErr) << spec.name;
		return refNum;
	}

	// Lowers the file-size limit so the host refuses writes past it, as a full
	// disk would; SIGXFSZ is ignored meanwhile so the write just fails.
	struct FileSizeLimit
	{
		rlimit old{};
		void (*oldHandler)(int);

		explicit FileSizeLimit(rlim_t bytes)
		{
			oldHandler = std::signal(SIGXFSZ, SIG_IGN);
			getrlimit(RLIMIT_FSIZE, &old);
			rlimit limit = old;
			limit.rlim_cur = bytes;
			setrlimit(RLIMIT_FSIZE, &limit);
		}
		~FileSizeLimit()
		{
			setrlimit(RLIMIT_FSIZE, &old);
			std::signal(SIGXFSZ, oldHandler);
		}
	};
}

// ---------------------------------------------------------------------------
// Name resolution

TEST_F(FilesTest, ComponentsMatchWithoutRegardToAsciiCase)
{
	WriteText(dir / "Terrain" / "EarthFarm.ter", "x");

	FSSpec spec = Spec(":terrain:EARTHFARM.TER");
	EXPECT_STREQ(spec.name, "EarthFarm.ter");
	EXPECT_EQ(spec.vRefNum, 0);
	EXPECT_EQ(spec.parID, GetDirectoryID(dir / "Terrain"));
	EXPECT_EQ(Tamber::Files::FSSpecToHostPath(spec), dir / "Terrain" / "EarthFarm.ter");
}

TEST_F(FilesTest, ExactNameWinsThenTheSmallestName)
{
	WriteText(dir / "abc", "lower");
	WriteText(dir / "ABC", "upper");
	WriteText(dir / "Abc", "mixed");

	EXPECT_STREQ(Spec(":abc").name, "abc");
	EXPECT_STREQ(Spec(":aBC").name, "ABC");		// no exact match: "ABC" < "Abc" < "abc"
}

TEST_F(FilesTest, FolderComponentsOnlyMatchFolders)
{
	WriteText(dir / "models", "a file, not the folder");
	WriteText(dir / "Models" / "global.bg3d", "m");

	FSSpec spec = Spec(":MODELS:Global.BG3D");
	EXPECT_STREQ(spec.name, "global.bg3d");
	EXPECT_EQ(spec.parID, GetDirectoryID(dir / "Models"));
}

TEST_F(FilesTest, SidecarStandsForItsFile)
{
	Bake::ResourceForkWriter writer;
	writer.Add(FOUR_CC("Hedr"), 1000, {1, 2, 3});
	writer.WriteSidecarFile(dir / "Skeletons" / "Quog.skeleton");

	FSSpec spec = Spec(":skeletons:quog.SKELETON");
	EXPECT_STREQ(spec.name, "Quog.skeleton");

	int16_t refNum = 99;
	EXPECT_EQ(FSpOpenDF(&spec, fsRdPerm, &refNum), fnfErr);		// no data fork
	EXPECT_EQ(refNum, -1);
	EXPECT_EQ(FSpOpenRF(&spec, fsRdWrPerm, &refNum), unimpErr);	// forks are read only
	ASSERT_EQ(FSpOpenRF(&spec, fsRdPerm, &refNum), noErr);

	// Positions and sizes are the fork's own, not the sidecar's.
	std::vector<uint8_t> fork = writer.BuildFork();
	int32_t eof = 0, position = -1;
	EXPECT_EQ(GetEOF(refNum, &eof), noErr);
	EXPECT_EQ(eof, int32_t(fork.size()));
	EXPECT_EQ(GetFPos(refNum, &position), noErr);
	EXPECT_EQ(position, 0);
	uint8_t head[4];
	int32_t count = 4;
	EXPECT_EQ(FSRead(refNum, &count, head), noErr);
	EXPECT_EQ(std::vector<uint8_t>(head, head + 4), std::vector<uint8_t>(fork.begin(), fork.begin() + 4));
	EXPECT_EQ(SetFPos(refNum, fsFromLEOF, -2), noErr);
	count = 4;
	EXPECT_EQ(FSRead(refNum, &count, head), eofErr);	// the fork ends before the sidecar would
	EXPECT_EQ(count, 2);
	FSClose(refNum);
}

TEST_F(FilesTest, MissingFileGivesFnfErrAndASpecThatCreatesIt)
{
	fs::create_directory(dir / "Zappatron");
	FSSpec spec = Spec(":Zappatron:Preferences6", fnfErr);
	EXPECT_STREQ(spec.name, "Preferences6");
	EXPECT_EQ(spec.parID, GetDirectoryID(dir / "Zappatron"));

	ASSERT_EQ(FSpCreate(&spec, FOUR_CC("Zapp"), FOUR_CC("Pref"), 0), noErr);
	int16_t refNum = Open(spec, fsWrPerm);
	int32_t count = 5;
	EXPECT_EQ(FSWrite(refNum, &count, "hello"), noErr);
	EXPECT_EQ(count, 5);
	EXPECT_EQ(FSClose(refNum), noErr);

	EXPECT_EQ(ReadText(dir / "Zappatron" / "Preferences6"), "hello");
	Spec(":zappatron:preferences6", noErr);
}

TEST_F(FilesTest, ColonsClimbAndNameFolders)
{
	WriteText(dir / "top.txt", "t");
	fs::create_directories(dir / "a" / "b");
	int32_t a = GetDirectoryID(dir / "a");
	int32_t b = GetDirectoryID(dir / "a" / "b");
	FSSpec spec{};

	EXPECT_EQ(FSMakeFSSpec(0, a, "::top.txt", &spec), noErr);
	EXPECT_EQ(spec.parID, dirID);
	EXPECT_EQ(FSMakeFSSpec(0, b, ":::top.txt", &spec), noErr);
	EXPECT_STREQ(spec.name, "top.txt");
	EXPECT_EQ(FSMakeFSSpec(0, dirID, ":a:b:", &spec), noErr);		// a trailing colon names the folder
	EXPECT_STREQ(spec.name, "b");
	EXPECT_EQ(spec.parID, a);
	EXPECT_EQ(FSMakeFSSpec(0, b, "::", &spec), noErr);
	EXPECT_STREQ(spec.name, "a");
	EXPECT_EQ(FSMakeFSSpec(0, dirID, ":A:B::top.txt", &spec), fnfErr);	// climbs back into a, which has no top.txt
	EXPECT_EQ(spec.parID, a);
}

TEST_F(FilesTest, PathPiecesCannotLeaveTheirFolderThroughHostSyntax)
{
	WriteText(dir / "secret", "s");
	fs::create_directory(dir / "data");
	int32_t data = GetDirectoryID(dir / "data");
	FSSpec spec{};

	EXPECT_EQ(FSMakeFSSpec(0, data, ":..:secret", &spec), bdNamErr);
	EXPECT_EQ(FSMakeFSSpec(0, data, ":../secret", &spec), bdNamErr);
	EXPECT_EQ(FSMakeFSSpec(0, data, "/etc/passwd", &spec), bdNamErr);
	EXPECT_EQ(FSMakeFSSpec(0, data, ":.:secret", &spec), bdNamErr);
}

TEST_F(FilesTest, VolumeAndDirectoryChecks)
{
	FSSpec spec{};
	EXPECT_EQ(FSMakeFSSpec(1, dirID, ":x", &spec), nsvErr);
	EXPECT_EQ(FSMakeFSSpec(-1, dirID, ":x", &spec), nsvErr);
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { FSMakeFSSpec(0, 12345, ":x", &spec); }),
		"HostVolume::FSMakeFSSpec: directory ID not registered.");

	spec = Spec(":x", fnfErr);
	spec.vRefNum = 3;
	int16_t refNum;
	EXPECT_EQ(FSpOpenDF(&spec, fsRdPerm, &refNum), nsvErr);
	EXPECT_EQ(FSpCreate(&spec, 0, 0, 0), nsvErr);
	EXPECT_EQ(FSpDelete(&spec), nsvErr);
	EXPECT_EQ(DirCreate(7, dirID, "x", nullptr), nsvErr);
}

TEST_F(FilesTest, DirectoryIDsAreStableAndHostPathsBecomeSpecs)
{
	fs::create_directory(dir / "Data");
	int32_t id = GetDirectoryID(dir / "Data");
	EXPECT_EQ(GetDirectoryID(dir / "Data" / "."), id);
	EXPECT_EQ(GetDirectoryID(dir / "Data" / ""), id);
	EXPECT_NE(id, 0);

	FSSpec spec = HostPathToFSSpec(dir / "Data" / "Skeletons");
	EXPECT_EQ(spec.vRefNum, 0);
	EXPECT_EQ(spec.parID, id);
	EXPECT_STREQ(spec.name, "Skeletons");
}

TEST_F(FilesTest, LongNamesAreCutAtACharacterBoundary)
{
	std::string name;
	for (int i = 0; i < 150; i++)
		name += "\xC3\xA9";		// 300 bytes of two-byte characters
	FSSpec spec = HostPathToFSSpec(dir / name);
	EXPECT_EQ(std::strlen(spec.name), 254u);
	EXPECT_EQ(std::string(spec.name), name.substr(0, 254));
}

// ---------------------------------------------------------------------------
// Reference numbers

TEST(FilesIDAllocator, TrimsTrailingFreeIDsAndChecksItsNumbers)
{
	Tamber::Files::IDAllocator<int> ids;
	for (int i = 0; i < 4; i++)
		ids.Alloc();
	ids.Release(2);
	ids.Release(1);
	ids.Release(3);		// 3 is trailing and trimmed; 1 on top of the stack stops the trim
	EXPECT_EQ(ids.TableSize(), 3u);
	EXPECT_EQ(ids.Alloc(), 1);
	EXPECT_EQ(ids.Alloc(), 2);
	EXPECT_EQ(ids.Alloc(), 3);
	ids.Release(1);
	ids.Release(2);
	ids.Release(3);		// now each release trims the next: only the first entry is left
	EXPECT_EQ(ids.TableSize(), 1u);
	EXPECT_EQ(ids.MaxInUse(), 4);

	EXPECT_EQ(ThrownMessage<std::invalid_argument>([&] { ids.Release(3); }), "id isn't allocated");
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { ids[7]; }), "illegal refNum");
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { ids[-1]; }), "illegal refNum");
}

TEST(FilesIDAllocator, RefusesMoreThan0x7FFFInUse)
{
	Tamber::Files::IDAllocator<char> ids;
	for (int i = 0; i < 0x7FFF; i++)
		ids.Alloc();
	EXPECT_EQ(ThrownMessage<std::length_error>([&] { ids.Alloc(); }), "too many items allocated");
	ids.Release(100);
	EXPECT_EQ(ids.Alloc(), 100);
}

TEST_F(FilesTest, RefNumsReuseTheMostRecentlyReleasedAndNeverZero)
{
	WriteText(dir / "a", "a");
	WriteText(dir / "b", "b");
	WriteText(dir / "c", "c");
	int16_t a = Open(Spec(":a"), fsRdPerm);
	int16_t b = Open(Spec(":b"), fsRdPerm);
	int16_t c = Open(Spec(":c"), fsRdPerm);
	EXPECT_EQ(a, 1);
	EXPECT_EQ(b, 2);
	EXPECT_EQ(c, 3);

	FSClose(a);
	FSClose(b);
	EXPECT_EQ(Open(Spec(":a"), fsRdPerm), b);
	EXPECT_EQ(Open(Spec(":b"), fsRdPerm), a);
	EXPECT_EQ(Tamber::Files::GetNumOpenRefNums(), 4);	// the system's 0 and three files

	int16_t refNum = 5;
	FSSpec missing = Spec(":nothing", fnfErr);
	EXPECT_EQ(FSpOpenDF(&missing, fsRdPerm, &refNum), fnfErr);
	EXPECT_EQ(refNum, -1);
	EXPECT_EQ(Tamber::Files::GetNumOpenRefNums(), 4);	// the failed open gave its number back
}

// ---------------------------------------------------------------------------
// Reading and writing

TEST_F(FilesTest, ShortReadReturnsEofErrWithTheCountRead)
{
	WriteText(dir / "ten", "0123456789");
	int16_t refNum = Open(Spec(":ten"), fsRdPerm);

	char buffer[16] = {};
	int32_t count = 16;
	EXPECT_EQ(FSRead(refNum, &count, buffer), eofErr);
	EXPECT_EQ(count, 10);
	EXPECT_EQ(std::string(buffer, 10), "0123456789");

	count = 4;
	EXPECT_EQ(FSRead(refNum, &count, buffer), eofErr);
	EXPECT_EQ(count, 0);

	// The file is still usable after hitting its end.
	EXPECT_EQ(SetFPos(refNum, fsFromStart, 6), noErr);
	count = 4;
	EXPECT_EQ(FSRead(refNum, &count, buffer), noErr);
	EXPECT_EQ(std::string(buffer, 4), "6789");
	FSClose(refNum);
}

TEST_F(FilesTest, PositionAndEndOfFile)
{
	WriteText(dir / "f", "abcdefgh");
	int16_t refNum = Open(Spec(":f"), fsRdPerm);
	char buffer[8];
	int32_t count = 3;
	FSRead(refNum, &count, buffer);

	int32_t eof = 0, position = 0;
	EXPECT_EQ(GetEOF(refNum, &eof), noErr);
	EXPECT_EQ(eof, 8);
	EXPECT_EQ(GetFPos(refNum, &position), noErr);
	EXPECT_EQ(position, 3);		// measuring the size did not move the mark

	EXPECT_EQ(SetFPos(refNum, fsFromLEOF, -2), noErr);
	GetFPos(refNum, &position);
	EXPECT_EQ(position, 6);
	EXPECT_EQ(SetFPos(refNum, fsFromMark, -1), noErr);
	GetFPos(refNum, &position);
	EXPECT_EQ(position, 5);
	EXPECT_EQ(SetFPos(refNum, fsFromStart, -1), posErr);
	EXPECT_EQ(SetFPos(refNum, fsFromStart, 20), eofErr);
	GetFPos(refNum, &position);
	EXPECT_EQ(position, 8);
	FSClose(refNum);
}

TEST_F(FilesTest, ReadWritePermissionKeepsTheOldTail)
{
	WriteText(dir / "f", "0123456789");
	int16_t refNum = Open(Spec(":f"), fsRdWrPerm);
	int32_t count = 2;
	EXPECT_EQ(FSWrite(refNum, &count, "ab"), noErr);
	char buffer[3];
	count = 3;
	EXPECT_EQ(FSRead(refNum, &count, buffer), noErr);	// reading after writing goes on from the mark
	EXPECT_EQ(std::string(buffer, 3), "234");
	EXPECT_EQ(FSClose(refNum), noErr);
	EXPECT_EQ(ReadText(dir / "f"), "ab23456789");
}

TEST_F(FilesTest, WriteOnlyPermissionEmptiesTheFile)
{
	WriteText(dir / "f", "0123456789");
	int16_t refNum = Open(Spec(":f"), fsWrPerm);
	int32_t eof = -1;
	GetEOF(refNum, &eof);
	EXPECT_EQ(eof, 0);
	char buffer[4];
	int32_t count = 4;
	EXPECT_EQ(FSRead(refNum, &count, buffer), ioErr);	// no read permission
	FSClose(refNum);
}

TEST_F(FilesTest, CallErrorsInTheirOrder)
{
	WriteText(dir / "f", "data");
	FSSpec spec = Spec(":f");
	int16_t refNum;
	EXPECT_EQ(FSpOpenDF(&spec, fsCurPerm, &refNum), unimpErr);
	refNum = Open(spec, fsRdPerm);

	char buffer[4];
	int32_t count = -1;
	EXPECT_EQ(FSRead(refNum, &count, buffer), paramErr);
	count = -1;
	EXPECT_EQ(FSRead(999, &count, buffer), paramErr);		// the count is checked first
	count = 4;
	EXPECT_EQ(FSRead(999, &count, buffer), rfNumErr);
	EXPECT_EQ(FSRead(-2, &count, buffer), rfNumErr);
	EXPECT_EQ(FSRead(0, &count, buffer), fnOpnErr);		// the system's number has no open fork
	EXPECT_EQ(FSWrite(refNum, &count, "abcd"), wrPermErr);
	EXPECT_EQ(FSClose(0), fnOpnErr);
	EXPECT_EQ(FSClose(refNum), noErr);
	EXPECT_EQ(FSClose(refNum), rfNumErr);
	EXPECT_EQ(GetEOF(refNum, nullptr), rfNumErr);
}

TEST_F(FilesTest, HostWriteFailuresAreReported)
{
	FSSpec spec = Spec(":big", fnfErr);
	ASSERT_EQ(FSpCreate(&spec, 0, 0, 0), noErr);
	int16_t refNum = Open(spec, fsWrPerm);

	std::vector<char> block(64 * 1024, 'x');
	int32_t count = int32_t(block.size());
	OSErr err;
	{
		FileSizeLimit limit(1000);
		err = FSWrite(refNum, &count, block.data());
	}
	EXPECT_EQ(err, dskFulErr);
	FSClose(refNum);
}

TEST_F(FilesTest, CreateAndDeleteReportTheirFailures)
{
	FSSpec inMissingFolder = Spec(":nowhere:file", fnfErr);
	EXPECT_NE(FSpCreate(&inMissingFolder, 0, 0, 0), noErr);

	fs::create_directory(dir / "folder");
	FSSpec folder = Spec(":folder");
	EXPECT_NE(FSpCreate(&folder, 0, 0, 0), noErr);		// a folder is in the way

	WriteText(dir / "f", "old");
	FSSpec spec = Spec(":f");
	EXPECT_EQ(FSpCreate(&spec, 0, 0, 0), noErr);
	EXPECT_EQ(fs::file_size(dir / "f"), 0u);			// created over: emptied
	EXPECT_EQ(FSpDelete(&spec), noErr);
	EXPECT_EQ(FSpDelete(&spec), fnfErr);
}

// ---------------------------------------------------------------------------
// Folders

TEST_F(FilesTest, DirCreate)
{
	int32_t created = -1;
	EXPECT_EQ(DirCreate(0, dirID, "Zappatron", &created), noErr);
	EXPECT_TRUE(fs::is_directory(dir / "Zappatron"));
	EXPECT_EQ(created, GetDirectoryID(dir / "Zappatron"));

	EXPECT_EQ(DirCreate(0, dirID, "Zappatron", nullptr), noErr);	// already there: fine

	WriteText(dir / "blocker", "x");
	EXPECT_EQ(DirCreate(0, dirID, "blocker", &created), bdNamErr);	// a file is in the way
	EXPECT_EQ(DirCreate(0, 9999, "x", &created), ioErr);			// unknown parent: caught, reported
	EXPECT_EQ(DirCreate(0, dirID, "..", &created), bdNamErr);
	EXPECT_EQ(DirCreate(0, dirID, "a/b", &created), bdNamErr);
}

class FindFolderTest : public FileLayerTest
{
protected:
	std::string oldXDG, oldHome;
	bool hadXDG = false, hadHome = false;

	void SetUp() override
	{
		FileLayerTest::SetUp();
		if (const char* v = getenv("XDG_DATA_HOME"))
			oldXDG = v, hadXDG = true;
		if (const char* v = getenv("HOME"))
			oldHome = v, hadHome = true;
	}
	void TearDown() override
	{
		hadXDG ? setenv("XDG_DATA_HOME", oldXDG.c_str(), 1) : unsetenv("XDG_DATA_HOME");
		hadHome ? setenv("HOME", oldHome.c_str(), 1) : unsetenv("HOME");
		FileLayerTest::TearDown();
	}
};

TEST_F(FindFolderTest, UsesTheXdgDataFolderAndCreatesIt)
{
	fs::path xdg = dir / "xdg" / "share";
	setenv("XDG_DATA_HOME", xdg.c_str(), 1);
	int16_t vRefNum = -1;
	int32_t folderID = -1;
	ASSERT_EQ(FindFolder(kOnSystemDisk, kPreferencesFolderType, true, &vRefNum, &folderID), noErr);
	EXPECT_TRUE(fs::is_directory(xdg));
	EXPECT_EQ(vRefNum, 0);
	EXPECT_EQ(folderID, GetDirectoryID(xdg));

	// The game's own folder and files go inside it.
	EXPECT_EQ(DirCreate(vRefNum, folderID, "Zappatron", nullptr), noErr);
	FSSpec spec{};
	EXPECT_EQ(FSMakeFSSpec(vRefNum, folderID, ":Zappatron:HighScores2", &spec), fnfErr);
	EXPECT_EQ(spec.parID, GetDirectoryID(xdg / "Zappatron"));
}

TEST_F(FindFolderTest, FallsBackToHomeWhenXdgIsUnsetOrRelative)
{
	setenv("XDG_DATA_HOME", "relative/path", 1);
	setenv("HOME", (dir / "home").c_str(), 1);
	int16_t vRefNum;
	int32_t folderID;
	ASSERT_EQ(FindFolder(kOnSystemDisk, kPreferencesFolderType, true, &vRefNum, &folderID), noErr);
	EXPECT_EQ(folderID, GetDirectoryID(dir / "home" / ".local" / "share"));
	EXPECT_TRUE(fs::is_directory(dir / "home" / ".local" / "share"));
}

TEST_F(FindFolderTest, Refusals)
{
	WriteText(dir / "notafolder", "x");
	setenv("XDG_DATA_HOME", (dir / "notafolder").c_str(), 1);
	int16_t vRefNum;
	int32_t folderID;
	EXPECT_EQ(FindFolder(kOnSystemDisk, kPreferencesFolderType, true, &vRefNum, &folderID), dupFNErr);
	EXPECT_EQ(FindFolder(kOnSystemDisk, FOUR_CC("desk"), true, &vRefNum, &folderID), fnfErr);
	EXPECT_EQ(ThrownMessage<std::runtime_error>([&] { FindFolder(0, kPreferencesFolderType, true, &vRefNum, &folderID); }),
		"FindFolder only supports kOnSystemDisk");
}

// ---------------------------------------------------------------------------
// Alias records

namespace
{
	// An alias record (version 2) as the older platform stored it.
	Handle MakeAlias(const std::string& fileName, uint16_t version = 2, uint16_t kind = 0, int sizeFieldDelta = 0,
		int nameLengthOverride = -1)
	{
		Bake::BigEndianWriter w;
		w.U32(0);							// user type
		w.U16(uint16_t(114 + sizeFieldDelta));
		w.U16(version);
		w.U16(kind);
		w.FixedPascalString("Macintosh HD", 27);
		w.U32(0);							// volume creation date
		w.U16(FOUR_CC("BD  ") >> 16);		// volume signature
		w.U16(0);							// drive type
		w.U32(1234);						// parent directory ID
		size_t nameAt = w.Size();
		w.FixedPascalString(fileName.substr(0, 63), 63);
		if (nameLengthOverride >= 0)
		{
			std::vector<uint8_t> bytes = w.Take();
			bytes[nameAt] = uint8_t(nameLengthOverride);
			w.Bytes(bytes);
		}
		const std::vector<uint8_t>& bytes = w.Data();
		Handle h = NewHandle(int32_t(bytes.size()));
		std::memcpy(*h, bytes.data(), bytes.size());
		return h;
	}

	OSErr Resolve(const FSSpec& from, Handle alias, FSSpec& target)
	{
		bool changed = true;
		OSErr err = ResolveAlias(&from, alias, &target, &changed);
		EXPECT_FALSE(changed);
		DisposeHandle(alias);
		return err;
	}
}

TEST_F(FilesTest, AliasFindsItsTargetBesideTheFile)
{
	WriteText(dir / "Skeletons" / "Farmer.bg3d", "model");
	WriteText(dir / "Skeletons" / "Farmer.skeleton", "");
	FSSpec from = Spec(":Skeletons:Farmer.skeleton");
	FSSpec target{};
	ASSERT_EQ(Resolve(from, MakeAlias("farmer.BG3D"), target), noErr);
	EXPECT_STREQ(target.name, "Farmer.bg3d");
	EXPECT_EQ(target.parID, from.parID);
}

TEST_F(FilesTest, AliasRecordsOfTheWrongShapeAreRefused)
{
	FSSpec from = Spec(":x.skeleton", fnfErr);
	FSSpec target{};
	EXPECT_EQ(Resolve(from, MakeAlias("m", 3), target), unimpErr);
	EXPECT_EQ(Resolve(from, MakeAlias("m", 2, 3), target), unimpErr);
	EXPECT_EQ(Resolve(from, MakeAlias("m", 2, 0, 1), target), unimpErr);

	Handle small = NewHandleClear(113);
	EXPECT_EQ(Resolve(from, small, target), unimpErr);
	bool changed;
	EXPECT_EQ(ResolveAlias(&from, nullptr, &target, &changed), unimpErr);
}

TEST_F(FilesTest, AliasNamesCannotClimbOrNameAPath)
{
	fs::create_directory(dir / "Data");
	WriteText(dir / "outside.bg3d", "secret");
	FSSpec from = HostPathToFSSpec(dir / "Data" / "x.skeleton");
	FSSpec target{};
	for (const char* name : {"..", ".", "::outside.bg3d", ":..:outside.bg3d", "../outside.bg3d", "a:b", ""})
		EXPECT_EQ(Resolve(from, MakeAlias(name), target), bdNamErr) << name;

	// A length byte past the field is clamped to the field's 63 bytes.
	std::string longName(63, 'n');
	WriteText(dir / "Data" / longName, "m");
	EXPECT_EQ(Resolve(from, MakeAlias(longName, 2, 0, 0, 200), target), noErr);
	EXPECT_EQ(std::string(target.name), longName);

	// A NUL inside the name is refused rather than silently cutting it.
	std::string withNul = "ab";
	withNul += '\0';
	withNul += "cd";
	EXPECT_EQ(Resolve(from, MakeAlias(withNul), target), bdNamErr);
}
