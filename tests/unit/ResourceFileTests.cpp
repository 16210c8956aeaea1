#include "FilesTestSupport.h"
#include "Resources.h"
#include "ResourcesInternal.h"
#include "DataReaders.h"
#include "Memory.h"
#include "formats/ResourceForkWriter.h"
#include "formats/BigEndianWriter.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace FilesTestSupport;

namespace
{
	// ------------------------------------------------------------------
	// A sidecar assembled by hand, byte by byte from the published layout,
	// so that the writer and the reader cannot share a mistake unnoticed.
	// Resources: 'TEST' -5 (empty, no name), 'TEST' 128 "Hi" = "ABC",
	// 'abcd' 1000 = {1, 2}.

	void Put(std::vector<uint8_t>& v, std::initializer_list<int> bytes)
	{
		for (int b : bytes)
			v.push_back(uint8_t(b));
	}

	std::vector<uint8_t> HandMadeFork()
	{
		std::vector<uint8_t> f;
		Put(f, {0x00, 0x00, 0x01, 0x00});		// data offset 256
		Put(f, {0x00, 0x00, 0x01, 0x11});		// map offset 273
		Put(f, {0x00, 0x00, 0x00, 0x11});		// data length 17
		Put(f, {0x00, 0x00, 0x00, 0x55});		// map length 85
		f.resize(256, 0);						// reserved
		// data area
		Put(f, {0, 0, 0, 0});					// 'TEST' -5: empty
		Put(f, {0, 0, 0, 3, 'A', 'B', 'C'});	// 'TEST' 128
		Put(f, {0, 0, 0, 2, 1, 2});				// 'abcd' 1000
		// map
		Put(f, {0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x11, 0x00, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x55});
		Put(f, {0, 0, 0, 0, 0, 0, 0, 0});		// next map, file ref, attributes
		Put(f, {0x00, 0x1C});					// type list at 28
		Put(f, {0x00, 0x52});					// name list at 82
		Put(f, {0x00, 0x01});					// two types
		Put(f, {'T', 'E', 'S', 'T', 0x00, 0x01, 0x00, 0x12});	// two resources, references at 18
		Put(f, {'a', 'b', 'c', 'd', 0x00, 0x00, 0x00, 0x2A});	// one resource, references at 42
		Put(f, {0xFF, 0xFB, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0, 0, 0, 0});	// -5, no name, data 0
		Put(f, {0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0, 0, 0, 0});	// 128, name 0, data 4
		Put(f, {0x03, 0xE8, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x0B, 0, 0, 0, 0});	// 1000, no name, data 11
		Put(f, {0x02, 'H', 'i'});				// names
		return f;
	}

	std::vector<uint8_t> HandMadeSidecar()
	{
		std::vector<uint8_t> s;
		Put(s, {0x00, 0x05, 0x16, 0x07, 0x00, 0x02, 0x00, 0x00});
		s.resize(s.size() + 16, 0);
		Put(s, {0x00, 0x02});
		Put(s, {0, 0, 0, 9, 0, 0, 0, 0x32, 0, 0, 0, 0x20});		// Finder info at 50, 32 bytes
		Put(s, {0, 0, 0, 2, 0, 0, 0, 0x52, 0, 0, 0x01, 0x66});	// resource fork at 82, 358 bytes
		s.resize(s.size() + 32, 0);
		std::vector<uint8_t> fork = HandMadeFork();
		s.insert(s.end(), fork.begin(), fork.end());
		return s;
	}

	Bake::ResourceForkWriter HandMadeResourcesWithTheWriter()
	{
		Bake::ResourceForkWriter w;
		w.Add(FOUR_CC("abcd"), 1000, {1, 2});			// added out of order on purpose
		w.Add(FOUR_CC("TEST"), 128, {'A', 'B', 'C'}, "Hi");
		w.Add(FOUR_CC("TEST"), -5, {});
		return w;
	}

	std::string HandleText(Handle h)
	{
		return std::string(*h, size_t(GetHandleSize(h)));
	}

	// ------------------------------------------------------------------

	class ResourceFileTest : public FileLayerTest
	{
	protected:
		int16_t OpenSidecar(const std::string& name, const std::vector<uint8_t>& sidecar)
		{
			WriteBytes(dir / (name + ".rsrc"), sidecar);
			FSSpec spec = Spec((":" + name).c_str());
			return FSpOpenResFile(&spec, fsRdPerm);
		}

		int16_t OpenWritten(const std::string& name, const Bake::ResourceForkWriter& writer)
		{
			return OpenSidecar(name, writer.BuildSidecar());
		}

		// Expects a clean refusal of a damaged fork.
		void ExpectRejected(const std::vector<uint8_t>& sidecar, const char* what)
		{
			EXPECT_EQ(OpenSidecar("bad", sidecar), -1) << what;
			EXPECT_EQ(ResError(), mapReadErr) << what;
			EXPECT_EQ(Tamber::Files::GetNumOpenRefNums(), 1) << what;	// nothing left open
			EXPECT_EQ(CurResFile(), 0) << what;
		}
	};

	// Offsets inside a sidecar made by the writer (fork at 82).
	constexpr size_t FORK = 82;
	uint32_t ForkU32(const std::vector<uint8_t>& s, size_t at) { return PeekBEU32(&s[FORK + at]); }
	void PatchU16(std::vector<uint8_t>& s, size_t at, uint16_t v) { s[at] = uint8_t(v >> 8); s[at + 1] = uint8_t(v); }
	void PatchU32(std::vector<uint8_t>& s, size_t at, uint32_t v)
	{
		for (int i = 0; i < 4; i++)
			s[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
	}
	size_t MapStart(const std::vector<uint8_t>& s) { return FORK + ForkU32(s, 4); }
	size_t FirstReference(const std::vector<uint8_t>& s) { return MapStart(s) + 28 + PeekBEU16(&s[MapStart(s) + 30 + 6]); }
}

// ---------------------------------------------------------------------------
// Writer and reader against the hand-made bytes

TEST(ResourceForkWriter, MatchesTheHandMadeBytes)
{
	Bake::ResourceForkWriter writer = HandMadeResourcesWithTheWriter();
	EXPECT_EQ(writer.BuildFork(), HandMadeFork());
	EXPECT_EQ(writer.BuildSidecar(), HandMadeSidecar());
}

TEST(ResourceForkWriter, RefusesWhatTheFormatCannotHold)
{
	Bake::ResourceForkWriter writer;
	writer.Add(FOUR_CC("Hedr"), 1000, {});
	EXPECT_THROW(writer.Add(FOUR_CC("Hedr"), 1000, {}), std::invalid_argument);
	EXPECT_THROW(writer.Add(FOUR_CC("Hedr"), 1, {}, std::string(256, 'n')), std::invalid_argument);

	Bake::ResourceForkWriter huge;
	huge.Add(FOUR_CC("Big "), 1, std::vector<uint8_t>(0x1000000));
	huge.Add(FOUR_CC("Big "), 2, {1});		// would start past 24-bit offsets
	EXPECT_THROW(huge.BuildFork(), std::length_error);
}

TEST_F(ResourceFileTest, ReadsTheHandMadeFork)
{
	int16_t refNum = OpenSidecar("Hand.ter", HandMadeSidecar());
	ASSERT_GT(refNum, 0);
	EXPECT_EQ(CurResFile(), refNum);
	EXPECT_EQ(Count1Resources(FOUR_CC("TEST")), 2);
	EXPECT_EQ(Count1Resources(FOUR_CC("abcd")), 1);
	EXPECT_EQ(Count1Resources(FOUR_CC("none")), 0);

	Handle abc = GetResource(FOUR_CC("TEST"), 128);
	ASSERT_NE(abc, nullptr);
	EXPECT_EQ(HandleText(abc), "ABC");
	int16_t id = 0;
	OSType type = 0;
	char name[256] = "unset";
	GetResInfo(abc, &id, &type, name);
	EXPECT_EQ(ResError(), noErr);
	EXPECT_EQ(id, 128);
	EXPECT_EQ(type, FOUR_CC("TEST"));
	EXPECT_STREQ(name, "Hi");

	Handle empty = GetResource(FOUR_CC("TEST"), -5);
	ASSERT_NE(empty, nullptr);
	EXPECT_EQ(GetHandleSize(empty), 0);
	GetResInfo(empty, nullptr, nullptr, name);
	EXPECT_STREQ(name, "");

	Handle two = GetNamedResource(FOUR_CC("TEST"), "Hi");
	ASSERT_NE(two, nullptr);
	EXPECT_EQ(HandleText(two), "ABC");

	Handle bytes = Get1Resource(FOUR_CC("abcd"), 1000);
	ASSERT_NE(bytes, nullptr);
	EXPECT_EQ(std::vector<uint8_t>(*bytes, *bytes + 2), (std::vector<uint8_t>{1, 2}));

	for (Handle h : {abc, empty, two, bytes})
		ReleaseResource(h);
	CloseResFile(refNum);
	EXPECT_EQ(CurResFile(), 0);
}

TEST_F(ResourceFileTest, OtherSidecarLayoutsReadAlike)
{
	// Another AppleDouble writer's layout: a "real name" entry first, the fork
	// last, and a gap between them.
	std::vector<uint8_t> fork = HandMadeFork();
	Bake::BigEndianWriter w;
	w.U32(0x00051607);
	w.U32(0x00020000);
	w.Zeros(16);
	w.U16(2);
	w.U32(3);
	w.U32(50);
	w.U32(4);
	w.U32(2);
	w.U32(64);
	w.U32(uint32_t(fork.size()));
	w.Bytes("Hand", 4);
	w.Zeros(10);
	w.Bytes(fork);

	int16_t refNum = OpenSidecar("Other", w.Data());
	ASSERT_GT(refNum, 0);
	Handle h = GetResource(FOUR_CC("TEST"), 128);
	ASSERT_NE(h, nullptr);
	EXPECT_EQ(HandleText(h), "ABC");
	ReleaseResource(h);
	CloseResFile(refNum);
}

// ---------------------------------------------------------------------------
// Round trips and the resource chain

TEST_F(ResourceFileTest, TwoTypesOfThreeResourcesRoundTrip)
{
	Bake::ResourceForkWriter writer;
	for (int16_t i = 0; i < 3; i++)
	{
		writer.Add(FOUR_CC("Bone"), int16_t(1000 + i), std::vector<uint8_t>(size_t(10 * (i + 1)), uint8_t(i)), "bone " + std::to_string(i));
		writer.Add(FOUR_CC("KeyF"), int16_t(1000 + i * 100), std::vector<uint8_t>(size_t(7 + i), uint8_t(0x80 + i)));
	}
	int16_t refNum = OpenWritten("Farmer.skeleton", writer);
	ASSERT_GT(refNum, 0);

	for (int16_t i = 0; i < 3; i++)
	{
		Handle bone = GetResource(FOUR_CC("Bone"), int16_t(1000 + i));
		ASSERT_NE(bone, nullptr);
		EXPECT_EQ(GetHandleSize(bone), 10 * (i + 1));
		EXPECT_EQ(std::vector<uint8_t>(*bone, *bone + GetHandleSize(bone)), std::vector<uint8_t>(size_t(10 * (i + 1)), uint8_t(i)));
		char name[256];
		GetResInfo(bone, nullptr, nullptr, name);
		EXPECT_EQ(std::string(name), "bone " + std::to_string(i));

		Handle key = GetResource(FOUR_CC("KeyF"), int16_t(1000 + i * 100));
		ASSERT_NE(key, nullptr);
		EXPECT_EQ(GetHandleSize(key), 7 + i);
		EXPECT_EQ(uint8_t((*key)[0]), 0x80 + i);
		ReleaseResource(bone);
		ReleaseResource(key);
	}
	EXPECT_EQ(GetResource(FOUR_CC("KeyF"), 1001), nullptr);
	EXPECT_EQ(ResError(), resNotFound);
	CloseResFile(refNum);
}

TEST_F(ResourceFileTest, EachGetIsAFreshCopyThatOutlivesItsFile)
{
	Bake::ResourceForkWriter writer;
	writer.Add(FOUR_CC("Hedr"), 1000, {9, 8, 7});
	int16_t refNum = OpenWritten("a", writer);

	Handle first = GetResource(FOUR_CC("Hedr"), 1000);
	Handle second = GetResource(FOUR_CC("Hedr"), 1000);
	ASSERT_NE(first, nullptr);
	ASSERT_NE(second, nullptr);
	EXPECT_NE(first, second);
	EXPECT_NE(*first, *second);
	EXPECT_EQ(std::memcmp(*first, *second, 3), 0);
	(*first)[0] = 0;
	EXPECT_EQ((*second)[0], 9);		// no shared cache

	CloseResFile(refNum);
	EXPECT_EQ((*second)[2], 7);		// copies stay valid
	GetResInfo(second, nullptr, nullptr, nullptr);
	EXPECT_EQ(ResError(), resNotFound);	// but they are no longer a file's resource
	ReleaseResource(first);
	ReleaseResource(second);
}

TEST_F(ResourceFileTest, SearchRunsFromTheCurrentFileBackToTheFirst)
{
	Bake::ResourceForkWriter first, second;
	first.Add(FOUR_CC("Only"), 1, {'1'});
	first.Add(FOUR_CC("Both"), 1, {'a'});
	second.Add(FOUR_CC("Sec "), 2, {'2'});
	second.Add(FOUR_CC("Both"), 1, {'b'});
	int16_t a = OpenWritten("first", first);
	int16_t b = OpenWritten("second", second);
	EXPECT_EQ(CurResFile(), b);

	Handle h = GetResource(FOUR_CC("Only"), 1);		// the earlier file is the fallback
	ASSERT_NE(h, nullptr);
	ReleaseResource(h);
	EXPECT_EQ(Get1Resource(FOUR_CC("Only"), 1), nullptr);	// but not for the current-file-only call
	h = GetResource(FOUR_CC("Both"), 1);
	EXPECT_EQ(**h, 'b');			// the current file wins
	ReleaseResource(h);

	UseResFile(a);
	EXPECT_EQ(ResError(), noErr);
	EXPECT_EQ(GetResource(FOUR_CC("Sec "), 2), nullptr);		// files opened later are not searched
	EXPECT_EQ(ResError(), resNotFound);
	CloseResFile(a);
	CloseResFile(b);
	EXPECT_EQ(GetResource(FOUR_CC("Both"), 1), nullptr);
	EXPECT_EQ(ResError(), resNotFound);
}

TEST_F(ResourceFileTest, ClosingKeepsTheCurrentFileOnAnOpenFile)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1, {});
	int16_t a = OpenWritten("a", w);
	int16_t b = OpenWritten("b", w);
	int16_t c = OpenWritten("c", w);

	UseResFile(b);
	CloseResFile(a);			// files after it move down; b stays current
	EXPECT_EQ(CurResFile(), b);

	CloseResFile(c);			// a later file: no change
	EXPECT_EQ(CurResFile(), b);

	int16_t d = OpenWritten("d", w);
	EXPECT_EQ(CurResFile(), d);
	CloseResFile(d);			// the current and last file: the new last becomes current
	EXPECT_EQ(CurResFile(), b);
	CloseResFile(b);
	EXPECT_EQ(CurResFile(), 0);
	EXPECT_EQ(GetResource(FOUR_CC("Hedr"), 1), nullptr);
}

TEST_F(ResourceFileTest, DetachOnlyAppliesToResources)
{
	Handle plain = NewHandle(8);
	DetachResource(plain);
	EXPECT_EQ(ResError(), resNotFound);
	DisposeHandle(plain);

	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Atrb"), 1000, {1, 2, 3, 4});
	int16_t refNum = OpenWritten("t", w);
	Handle h = GetResource(FOUR_CC("Atrb"), 1000);
	DetachResource(h);
	EXPECT_EQ(ResError(), noErr);
	EXPECT_EQ(Tamber::GetBlockHeader(*h)->link, nullptr);
	DetachResource(h);
	EXPECT_EQ(ResError(), resNotFound);		// now plain memory
	CloseResFile(refNum);
	DisposeHandle(h);
}

// ---------------------------------------------------------------------------
// Refusals

TEST_F(ResourceFileTest, OpenFailuresAreErrorCodes)
{
	WriteText(dir / "plain", "data fork only");
	FSSpec spec = Spec(":plain");
	EXPECT_EQ(FSpOpenResFile(&spec, fsRdPerm), -1);
	EXPECT_EQ(ResError(), fnfErr);

	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1, {});
	w.WriteSidecarFile(dir / "forked");
	spec = Spec(":forked");
	EXPECT_EQ(FSpOpenResFile(&spec, fsRdWrPerm), -1);
	EXPECT_EQ(ResError(), unimpErr);
	EXPECT_EQ(FSpOpenResFile(&spec, fsWrPerm), -1);
	EXPECT_EQ(ResError(), unimpErr);
	EXPECT_EQ(Tamber::Files::GetNumOpenRefNums(), 1);
}

TEST_F(ResourceFileTest, UseAndCloseCheckTheirNumbers)
{
	using Msg = std::runtime_error;
	EXPECT_EQ(ThrownMessage<Msg>([] { UseResFile(0); }), "UseResFile: Using the System file's resource fork is not implemented.");
	EXPECT_EQ(ThrownMessage<Msg>([] { UseResFile(-2); }), "UseResFile: Illegal refNum");
	EXPECT_EQ(ThrownMessage<Msg>([] { UseResFile(40); }), "UseResFile: Resource stream not open");
	EXPECT_EQ(ThrownMessage<Msg>([] { CloseResFile(0); }), "CloseResFile: Closing the System file's resource fork is not implemented.");
	EXPECT_EQ(ThrownMessage<Msg>([] { CloseResFile(-2); }), "CloseResFile: Illegal refNum");
	EXPECT_EQ(ThrownMessage<Msg>([] { CloseResFile(40); }), "CloseResFile: Resource stream not open");

	// An open data fork is not a resource file.
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1, {});
	int16_t res = OpenWritten("r", w);
	WriteText(dir / "d", "x");
	int16_t data;
	FSSpec spec = Spec(":d");
	ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &data), noErr);
	UseResFile(data);
	EXPECT_EQ(ResError(), rfNumErr);
	EXPECT_EQ(CurResFile(), res);
	CloseResFile(data);
	EXPECT_EQ(ResError(), rfNumErr);
	EXPECT_EQ(FSClose(data), noErr);	// still open: CloseResFile left it alone
	CloseResFile(res);
}

TEST_F(ResourceFileTest, FormatRefusalsThrowAndReleaseTheFile)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1, {1});
	const std::vector<uint8_t> good = w.BuildSidecar();
	using Msg = std::runtime_error;

	std::vector<uint8_t> s = good;
	PatchU32(s, FORK, 300);
	EXPECT_EQ(ThrownMessage<Msg>([&] { OpenSidecar("x", s); }), "FSpOpenResFile: Unexpected data offset");

	s = good;
	s[FirstReference(s) + 4] = 0x01;		// compressed
	EXPECT_EQ(ThrownMessage<Msg>([&] { OpenSidecar("x", s); }), "FSpOpenResFile: Compressed resources not supported yet");

	// A sidecar that is not AppleDouble (a zeroed or overwritten header) or has
	// no fork entry is a damaged one: refused, not thrown past the loader that
	// names the file.
	s = good;
	s[1] = 0x06;
	ExpectRejected(s, "no AppleDouble magic");
	s = good;
	s[5] = 0x01;							// version 1
	ExpectRejected(s, "AppleDouble version 1");
	ExpectRejected(std::vector<uint8_t>(good.size(), 0), "zeroed");
	s = good;
	PatchU32(s, 26 + 12, 5);				// the fork entry is now some other entry
	ExpectRejected(s, "no resource fork entry");

	EXPECT_EQ(Tamber::Files::GetNumOpenRefNums(), 1);
	EXPECT_EQ(CurResFile(), 0);
}

TEST_F(ResourceFileTest, DamagedForksAreRejectedCleanly)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1000, {1, 2, 3, 4}, "header");
	w.Add(FOUR_CC("Hedr"), 1001, {5, 6});
	w.Add(FOUR_CC("YCrd"), 1000, std::vector<uint8_t>(40, 7));
	const std::vector<uint8_t> good = w.BuildSidecar();
	const size_t map = MapStart(good);
	const size_t forkLength = good.size() - FORK;
	const size_t ref = FirstReference(good);

	auto patched = [&](auto change) {
		std::vector<uint8_t> s = good;
		change(s);
		return s;
	};

	ExpectRejected(patched([&](auto& s) { PatchU32(s, FORK + 4, uint32_t(forkLength)); }), "map offset at the end");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, FORK + 4, 0xFFFFFF00); }), "map offset far past the end");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, FORK + 4, uint32_t(forkLength - 10)); }), "map header cut off");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, ref + 4, 0x00FFFFFF); }), "24-bit data offset past the end");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, FORK + 256, 0xFFFFFFF0); }), "length prefix past the end");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, FORK + 256, 0x7FFFFFFF); }), "length prefix near 2 GiB");
	ExpectRejected(patched([&](auto& s) { PatchU16(s, map + 30 + 4, 0xFFFE); }), "resource count overflow");
	ExpectRejected(patched([&](auto& s) { PatchU16(s, map + 28, 0x7FFF); }), "type count overflow");
	ExpectRejected(patched([&](auto& s) { PatchU16(s, map + 30 + 6, 0xFFF0); }), "reference list past the end");
	ExpectRejected(patched([&](auto& s) { PatchU16(s, ref + 2, 0xFFF0); }), "name offset out of range");
	ExpectRejected(patched([&](auto& s) { PatchU16(s, map + 26, 0xFFF0); }), "name list out of range");
	ExpectRejected(patched([&](auto& s) { s[map + PeekBEU16(&s[map + 26])] = 0xFF; }), "name runs past the end");
	ExpectRejected(patched([&](auto& s) { PatchU16(s, 24, 0xFFFF); }), "AppleDouble entry count overflow");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, 26 + 12 + 4, 0xFFFFFFF0); }), "fork offset past the end");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, 26 + 12 + 8, uint32_t(forkLength + 1)); }), "fork length past the end");
	ExpectRejected(patched([&](auto& s) { PatchU32(s, 26 + 12 + 8, 100); }), "fork shorter than its header and data");
}

TEST_F(ResourceFileTest, EveryTruncationIsRejectedCleanly)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1000, {1, 2, 3, 4}, "header");
	w.Add(FOUR_CC("STgd"), 1000, std::vector<uint8_t>(64, 3));
	const std::vector<uint8_t> good = w.BuildSidecar();

	for (size_t length = 0; length < good.size(); length++)
	{
		std::vector<uint8_t> cut(good.begin(), good.begin() + ptrdiff_t(length));
		EXPECT_EQ(OpenSidecar("cut", cut), -1) << length;
		EXPECT_EQ(ResError(), mapReadErr) << length;
		ASSERT_EQ(Tamber::Files::GetNumOpenRefNums(), 1) << length;
	}
}

TEST_F(ResourceFileTest, AForkClosedBehindTheResourceLayerIsNotReadThroughItsReusedNumber)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1000, {1, 2, 3});
	int16_t refNum = OpenWritten("closed", w);
	FSClose(refNum);						// wrong, but it happens
	WriteText(dir / "other", "other data");
	int16_t other;
	FSSpec spec = Spec(":other");
	ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &other), noErr);
	ASSERT_EQ(other, refNum);				// the number is handed out again

	EXPECT_EQ(GetResource(FOUR_CC("Hedr"), 1000), nullptr);
	EXPECT_EQ(ResError(), rfNumErr);
	FSClose(other);
}

TEST_F(ResourceFileTest, AResourceCutOffAfterOpeningIsAnError)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Itms"), 1000, std::vector<uint8_t>(4000, 1));
	int16_t refNum = OpenWritten("shrinks", w);
	ASSERT_GT(refNum, 0);
	fs::resize_file(dir / "shrinks.rsrc", 1000);

	EXPECT_EQ(GetResource(FOUR_CC("Itms"), 1000), nullptr);
	EXPECT_EQ(ResError(), eofErr);
	CloseResFile(refNum);
}

// Every single-byte change of a fork either parses into resources that lie
// inside the fork, or is refused with an exception: never a crash or a hang.
TEST(ResourceForkParser, SurvivesEverySingleByteChange)
{
	Bake::ResourceForkWriter w;
	w.Add(FOUR_CC("Hedr"), 1000, {1, 2, 3, 4}, "header");
	w.Add(FOUR_CC("Hedr"), -3, {});
	w.Add(FOUR_CC("Fenc"), 1000, std::vector<uint8_t>(24, 5), "f");
	const std::vector<uint8_t> good = w.BuildFork();

	int parsed = 0, refused = 0;
	for (size_t at = 0; at < good.size(); at++)
		for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0x80), uint8_t(good[at] + 1)})
		{
			std::vector<uint8_t> fork = good;
			fork[at] = value;
			memstream in(fork.data(), fork.size());
			try
			{
				auto index = Tamber::Resources::ParseResourceFork(in, 0, fork.size(), 1);
				for (auto& [type, byID] : index)
					for (auto& [id, meta] : byID)
						ASSERT_LE(meta.dataPosition + meta.size, fork.size()) << at;
				parsed++;
			}
			catch (const std::runtime_error&)
			{
				refused++;
			}
		}
	EXPECT_GT(parsed, 0);
	EXPECT_GT(refused, 0);
}
