// Big-endian reads from an open file reference.
#include "DataReaders.h"
#include "Files.h"
#include "System/Error.h"

namespace
{
	// A short read counts as a failed one: the value would be half garbage.
	OSErr ReadExactly(int16_t refNum, void* buffer, int32_t n)
	{
		int32_t count = n;
		OSErr err = FSRead(refNum, &count, buffer);
		if (err == noErr && count != n)
			err = eofErr;
		return err;
	}
}

int32_t FSReadBELong(int16_t refNum)
{
	uint8_t b[4];
	OSErr err = ReadExactly(refNum, b, 4);
	GAME_ASSERT(err == noErr);
	return int32_t(PeekBEU32(b));
}

uint32_t FSReadBEULong(int16_t refNum)
{
	uint8_t b[4];
	OSErr err = ReadExactly(refNum, b, 4);
	GAME_ASSERT(err == noErr);
	return PeekBEU32(b);
}

int16_t FSReadBEShort(int16_t refNum)
{
	uint8_t b[2];
	OSErr err = ReadExactly(refNum, b, 2);
	GAME_ASSERT(err == noErr);
	return int16_t(PeekBEU16(b));
}

uint16_t FSReadBEUShort(int16_t refNum)
{
	uint8_t b[2];
	OSErr err = ReadExactly(refNum, b, 2);
	GAME_ASSERT(err == noErr);
	return PeekBEU16(b);
}

float FSReadBEFloat(int16_t refNum)
{
	uint8_t b[4];
	OSErr err = ReadExactly(refNum, b, 4);
	GAME_ASSERT(err == noErr);
	return std::bit_cast<float>(PeekBEU32(b));
}
