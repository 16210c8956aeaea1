#include "FilesTestSupport.h"
#include "DataReaders.h"
#include "formats/BigEndianWriter.h"
#include "System/Error.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace FilesTestSupport;

namespace
{
	std::vector<uint8_t> Bytes(std::initializer_list<int> list)
	{
		std::vector<uint8_t> v;
		for (int b : list)
			v.push_back(uint8_t(b));
		return v;
	}
}

// ---------------------------------------------------------------------------
// Structpack

TEST(DataReaderStructpack, BigEndianFieldsAreReversedAndBytesLeftAlone)
{
	// ">IiIIIbb": five 4-byte fields and two single bytes.
	std::vector<uint8_t> record = Bytes({0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFE, 0x12, 0x34, 0x56, 0x78,
		0, 0, 0x56, 0x22, 0x80, 0, 0, 0, 0xAA, 0xBB});
	EXPECT_EQ(ByteswapStructs(">IiIIIbb", 22, 1, record.data()), 22u);

	uint32_t u[5];
	std::memcpy(u, record.data(), 20);
	EXPECT_EQ(u[0], 1u);
	EXPECT_EQ(int32_t(u[1]), -2);
	EXPECT_EQ(u[2], 0x12345678u);
	EXPECT_EQ(u[3], 22050u);
	EXPECT_EQ(u[4], 0x80000000u);
	EXPECT_EQ(record[20], 0xAA);
	EXPECT_EQ(record[21], 0xBB);
}

TEST(DataReaderStructpack, LittleEndianFormatsChangeNothing)
{
	std::vector<uint8_t> header(18);
	for (size_t i = 0; i < header.size(); i++)
		header[i] = uint8_t(i * 7);
	std::vector<uint8_t> copy = header;
	EXPECT_EQ(ByteswapStructs("<8B4H2B", 18, 1, header.data()), 18u);
	EXPECT_EQ(header, copy);
}

TEST(DataReaderStructpack, RepeatCountsWhitespaceAndRecords)
{
	// "2H" is two 16-bit fields; the count applies to the next character only.
	EXPECT_EQ(StructpackSize(">2HI"), 8u);
	EXPECT_EQ(StructpackSize(">2H 2H\t\r\nI"), 12u);
	EXPECT_EQ(StructpackSize(">10x"), 10u);
	EXPECT_EQ(StructpackSize(">12B2H"), 16u);
	EXPECT_EQ(StructpackSize(">Qdq ILfil 2Hh ?Bbcx"), 24u + 20u + 6u + 5u);

	uint64_t v = 0x0102030405060708ull;
	ByteswapStructs(">Q", 8, 1, &v);
	EXPECT_EQ(v, 0x0807060504030201ull);

	// Three records of one float and one short pair.
	Bake::BigEndianWriter w;
	for (int i = 0; i < 3; i++)
	{
		w.F32(1.5f * float(i + 1));
		w.S16(int16_t(-i));
		w.U16(uint16_t(1000 + i));
	}
	std::vector<uint8_t> data = w.Take();
	EXPECT_EQ(ByteswapStructs(">f2h", 8, 3, data.data()), 24u);
	for (int i = 0; i < 3; i++)
	{
		float f;
		int16_t s[2];
		std::memcpy(&f, &data[size_t(i) * 8], 4);
		std::memcpy(s, &data[size_t(i) * 8 + 4], 4);
		EXPECT_EQ(f, 1.5f * float(i + 1));
		EXPECT_EQ(s[0], -i);
		EXPECT_EQ(s[1], 1000 + i);
	}
}

TEST(DataReaderStructpack, FormatErrors)
{
	using Arg = std::invalid_argument;
	uint8_t buffer[16] = {};
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs(nullptr, 4, 1, buffer); }), "can't unpack without a format");
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs("", 4, 1, buffer); }), "can't unpack without a format");
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs("I", 4, 1, buffer); }), "first format char must be endianness indicator");
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs(">Z", 1, 1, buffer); }), "unknown format char in structpack format");
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs(">HI", 8, 1, buffer); }), "illegal word alignment in structpack format");
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs(">BH", 4, 1, buffer); }), "illegal word alignment in structpack format");
	EXPECT_EQ(ThrownMessage<Arg>([&] { ByteswapStructs(">IH", 8, 1, buffer); }), "unexpected length after byteswap");
	EXPECT_EQ(StructpackSize(">IH"), 6u);		// a 4-byte field then a 2-byte one is fine
}

TEST(DataReaderStructpack, AFormatLongerThanTheRecordTouchesNothing)
{
	uint8_t buffer[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
	uint8_t copy[12];
	std::memcpy(copy, buffer, sizeof(buffer));
	EXPECT_THROW(ByteswapStructs(">III", 4, 1, buffer), std::invalid_argument);
	EXPECT_EQ(std::memcmp(buffer, copy, sizeof(buffer)), 0);
	EXPECT_THROW(ByteswapStructs(">I99999999999999999999I", 8, 1, buffer), std::invalid_argument);
	EXPECT_EQ(std::memcmp(buffer, copy, sizeof(buffer)), 0);
}

// The baker's packer reads the format on its own; both must agree, and both
// must agree with bytes written out by hand.
TEST(DataReaderStructpack, PackerAndReaderAgreeWithHandMadeBytes)
{
	struct Record
	{
		uint32_t a;
		int16_t b;
		uint8_t c, d;
		float e;
	} record{0x11223344, -2, 0xAB, 0xCD, 1.0f};
	static_assert(sizeof(Record) == 12);

	std::vector<uint8_t> packed = Bake::PackStructs(">Ih2Bf", &record, sizeof(record), 1);
	EXPECT_EQ(packed, Bytes({0x11, 0x22, 0x33, 0x44, 0xFF, 0xFE, 0xAB, 0xCD, 0x3F, 0x80, 0x00, 0x00}));

	Record back;
	std::memcpy(&back, packed.data(), sizeof(back));
	ByteswapStructs(">Ih2Bf", sizeof(back), 1, &back);
	EXPECT_EQ(back.a, record.a);
	EXPECT_EQ(back.b, record.b);
	EXPECT_EQ(back.c, record.c);
	EXPECT_EQ(back.d, record.d);
	EXPECT_EQ(back.e, record.e);

	EXPECT_EQ(Bake::PackStructs("<Ih2Bf", &record, sizeof(record), 1),
		std::vector<uint8_t>(reinterpret_cast<uint8_t*>(&record), reinterpret_cast<uint8_t*>(&record) + 12));
	EXPECT_THROW(Bake::PackStructs(">Ih2B", &record, sizeof(record), 1), std::invalid_argument);
	EXPECT_THROW(Bake::PackStructs(">hI", &record, 8, 1), std::invalid_argument);
}

TEST(DataReaderWriter, BigEndianWriterMatchesHandMadeBytes)
{
	Bake::BigEndianWriter w;
	w.U8(0x01);
	w.U16(0x0203);
	w.U24(0x040506);
	w.U32(0x0708090A);
	w.S16(-1);
	w.F32(-2.0f);
	w.PascalString("ab", 2);	// 3 bytes with the length: one fill byte
	w.PascalString("abc", 2);	// 4 bytes: no fill
	w.PascalString("abcd", 2);	// 5 bytes: one fill
	w.FixedPascalString("xy", 4);
	w.PatchU16(1, 0xBEEF);
	EXPECT_EQ(w.Data(), Bytes({0x01, 0xBE, 0xEF, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0xFF, 0xFF, 0xC0, 0x00, 0x00, 0x00,
		2, 'a', 'b', 0, 3, 'a', 'b', 'c', 4, 'a', 'b', 'c', 'd', 0, 2, 'x', 'y', 0, 0}));
	EXPECT_THROW(w.U24(0x1000000), std::out_of_range);
	EXPECT_THROW(w.PascalString(std::string(256, 'x')), std::length_error);
	EXPECT_THROW(w.FixedPascalString("toolong", 3), std::length_error);
}

// ---------------------------------------------------------------------------
// Swaps and codes

TEST(DataReaderSwaps, SingleValuesInPlace)
{
	uint8_t b16[2] = {0x12, 0x34};
	EXPECT_EQ(Byteswap16(b16), 0x1234);
	EXPECT_EQ(b16[0], 0x34);

	uint8_t b32[4] = {0xDE, 0xAD, 0xBE, 0xEF};
	EXPECT_EQ(Byteswap32(b32), 0xDEADBEEFu);
	uint8_t b64[8] = {1, 2, 3, 4, 5, 6, 7, 8};
	EXPECT_EQ(Byteswap64(b64), 0x0102030405060708ull);
	uint8_t f[4] = {0x42, 0x28, 0x00, 0x00};
	EXPECT_EQ(ByteswapFloat(f), 42.0f);

	uint8_t items[6] = {1, 2, 3, 4, 5, 6};
	EXPECT_EQ(ByteswapInts(3, 2, items), 6u);
	EXPECT_EQ(std::vector<uint8_t>(items, items + 6), Bytes({3, 2, 1, 6, 5, 4}));
}

TEST(DataReaderSwaps, FourCCStringKeepsOnlyThePrintableSet)
{
	EXPECT_EQ(FourCCString(FOUR_CC("snd "), '?'), "snd?");
	EXPECT_EQ(FourCCString(FOUR_CC("ima4")), "ima4");
	EXPECT_EQ(FourCCString(0x00FF7F41, '.'), "...A");

	const std::string allowed = "!#$%&'()+,-.;=@[]^_`{}";
	ASSERT_EQ(allowed.size(), 22u);
	for (char c : allowed)
		EXPECT_EQ(FourCCString(FourCharCode(uint8_t(c)) * 0x01010101u, '?'), std::string(4, c)) << c;
	for (char c : std::string(" \"*/:<>?\\|~"))
		EXPECT_EQ(FourCCString(FourCharCode(uint8_t(c)) * 0x01010101u, '#'), "####") << c;
}

// ---------------------------------------------------------------------------
// Streams

TEST(DataReaderStreams, PascalStringsAndTheirAlignment)
{
	std::vector<uint8_t> odd = Bytes({3, 'a', 'b', 'c', 'X'});
	memstream a(odd.data(), odd.size());
	EXPECT_EQ(ReadPascalString(a, 2), "abc");
	EXPECT_EQ(a.tellg(), 4);

	std::vector<uint8_t> even = Bytes({4, 'a', 'b', 'c', 'd', 0, 'X'});
	memstream b(even.data(), even.size());
	EXPECT_EQ(ReadPascalString(b, 2), "abcd");
	EXPECT_EQ(b.tellg(), 6);

	memstream c(even.data(), even.size());
	EXPECT_EQ(ReadPascalString(c, 1), "abcd");
	EXPECT_EQ(c.tellg(), 5);

	std::vector<uint8_t> cut = Bytes({9, 'a', 'b'});
	memstream d(cut.data(), cut.size());
	EXPECT_EQ(ThrownMessage<std::out_of_range>([&] { ReadPascalString(d, 1); }), "Read past end of stream!");
	memstream e(nullptr, 0);
	EXPECT_EQ(ThrownMessage<std::out_of_range>([&] { ReadPascalString(e, 1); }), "Read past end of stream!");
}

TEST(DataReaderStreams, FixedPascalStringsClampTheirLength)
{
	std::vector<uint8_t> field = Bytes({2, 'h', 'i', 'z', 'z', 'z', 7});
	memstream a(field.data(), field.size());
	EXPECT_EQ(ReadFixedPascalString(a, 5), "hi");
	EXPECT_EQ(a.tellg(), 6);		// the whole field is consumed

	std::vector<uint8_t> liar = Bytes({200, 'a', 'b', 'c', 'd', 'e', 'f'});
	memstream b(liar.data(), liar.size());
	EXPECT_EQ(ReadFixedPascalString(b, 4), "abcd");
	EXPECT_EQ(b.tellg(), 5);

	memstream c(liar.data(), 3);
	EXPECT_THROW(ReadFixedPascalString(c, 4), std::out_of_range);
}

TEST(DataReaderStreams, MemstreamSeeksWithinItsRange)
{
	std::vector<uint8_t> data = Bytes({0, 1, 2, 3, 4, 5, 6, 7});
	memstream in(data.data(), data.size());
	in.seekg(-3, std::ios::end);
	EXPECT_EQ(in.tellg(), 5);
	EXPECT_EQ(ReadBEU16(in), 0x0506);
	in.seekg(2);
	EXPECT_EQ(ReadBEU32(in), 0x02030405u);
	in.seekg(2, std::ios::cur);
	EXPECT_THROW(ReadBEU8(in), std::out_of_range);	// nothing past position 8

	in.clear();
	in.seekg(9);
	EXPECT_FALSE(in);					// beyond the end: refused
	in.clear();
	in.seekg(-1);
	EXPECT_FALSE(in);
	in.clear();
	in.seekg(0);
	uint8_t all[8];
	ReadBytes(in, all, 8);
	EXPECT_EQ(std::vector<uint8_t>(all, all + 8), data);
	EXPECT_THROW(ReadBytes(in, all, 1), std::out_of_range);
}

// ---------------------------------------------------------------------------
// Reads from open files

class DataReaderFileTest : public FileLayerTest
{
};

TEST_F(DataReaderFileTest, BigEndianFieldsFromAFile)
{
	Bake::BigEndianWriter w;
	w.S32(-123456);
	w.U32(0xF0000001);
	w.S16(-300);
	w.U16(65000);
	w.F32(0.25f);
	w.U8(0x7F);
	WriteBytes(dir / "fields", w.Data());

	int16_t refNum;
	FSSpec spec = Spec(":fields");
	ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &refNum), noErr);
	EXPECT_EQ(FSReadBELong(refNum), -123456);
	EXPECT_EQ(FSReadBEULong(refNum), 0xF0000001u);
	EXPECT_EQ(FSReadBEShort(refNum), -300);
	EXPECT_EQ(FSReadBEUShort(refNum), 65000);
	EXPECT_EQ(FSReadBEFloat(refNum), 0.25f);

	// One byte is left: a 2-byte read comes up short. With the game's handler
	// (installed at boot) that stops the program with one message naming the file.
	InstallPlatformErrorHandler();
	gLastFatalMessage.clear();
	EXPECT_THROW(FSReadBEShort(refNum), Tamber::QuitRequest);
	EXPECT_NE(gLastFatalMessage.find("FSReadBEShort"), std::string::npos) << gLastFatalMessage;
	EXPECT_NE(gLastFatalMessage.find("\"fields\""), std::string::npos) << gLastFatalMessage;
	FSClose(refNum);

	EXPECT_THROW(FSReadBELong(refNum), Tamber::QuitRequest);	// a closed file is no better
	EXPECT_NE(gLastFatalMessage.find("FSReadBELong"), std::string::npos) << gLastFatalMessage;
	gFatalErrorRaised = false;

	// Without a handler the layer throws its own error carrying the same message.
	Tamber::SetDataErrorHandler(nullptr);
	ASSERT_EQ(FSpOpenDF(&spec, fsRdPerm, &refNum), noErr);
	int32_t skip = 16;
	char rest[16];
	ASSERT_EQ(FSRead(refNum, &skip, rest), noErr);
	try
	{
		FSReadBEFloat(refNum);
		ADD_FAILURE() << "a short read returned";
	}
	catch (const Tamber::MalformedData& e)
	{
		EXPECT_NE(std::string(e.what()).find("FSReadBEFloat: \"fields\""), std::string::npos) << e.what();
	}
	FSClose(refNum);
	EXPECT_FALSE(gFatalErrorRaised);
	InstallPlatformErrorHandler();
}
