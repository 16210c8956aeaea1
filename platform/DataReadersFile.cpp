// Big-endian reads from an open file reference.
#include "DataReaders.h"
#include "Files.h"
#include "FilesInternal.h"

#include <string>

namespace
{
	Tamber::DataErrorHandler gDataErrorHandler = nullptr;

	// A short read counts as a failed one: the value would be half garbage.
	OSErr ReadExactly(int16_t refNum, void* buffer, int32_t n)
	{
		int32_t count = n;
		OSErr err = FSRead(refNum, &count, buffer);
		if (err == noErr && count != n)
			err = eofErr;
		return err;
	}

	// Reads n bytes or reports the file as damaged, naming it.
	void ReadOrReport(int16_t refNum, void* buffer, int32_t n, const char* who)
	{
		OSErr err = ReadExactly(refNum, buffer, n);
		if (err == noErr)
			return;
		OSErr findErr = noErr;
		Tamber::Files::ForkHandle* fork = Tamber::Files::FindFork(refNum, findErr);
		std::string file = fork ? "\"" + fork->hostPath.filename().string() + "\""
				: "file reference " + std::to_string(refNum) + " (not open)";
		Tamber::ReportDataError(std::string(who) + ": " + file + " is damaged or cut short (error "
				+ std::to_string(err) + ")");
	}
}

void Tamber::SetDataErrorHandler(DataErrorHandler handler)
{
	gDataErrorHandler = handler;
}

void Tamber::ReportDataError(const std::string& message)
{
	if (gDataErrorHandler)
		gDataErrorHandler(message.c_str());
	throw MalformedData(message);
}

int32_t FSReadBELong(int16_t refNum)
{
	uint8_t b[4];
	ReadOrReport(refNum, b, 4, "FSReadBELong");
	return int32_t(PeekBEU32(b));
}

uint32_t FSReadBEULong(int16_t refNum)
{
	uint8_t b[4];
	ReadOrReport(refNum, b, 4, "FSReadBEULong");
	return PeekBEU32(b);
}

int16_t FSReadBEShort(int16_t refNum)
{
	uint8_t b[2];
	ReadOrReport(refNum, b, 2, "FSReadBEShort");
	return int16_t(PeekBEU16(b));
}

uint16_t FSReadBEUShort(int16_t refNum)
{
	uint8_t b[2];
	ReadOrReport(refNum, b, 2, "FSReadBEUShort");
	return PeekBEU16(b);
}

float FSReadBEFloat(int16_t refNum)
{
	uint8_t b[4];
	ReadOrReport(refNum, b, 4, "FSReadBEFloat");
	return std::bit_cast<float>(PeekBEU32(b));
}
