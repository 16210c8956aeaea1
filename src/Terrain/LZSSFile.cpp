// LZSS streams read straight from an open file.
#include "Terrain/LZSS.h"
#include "Terrain/TerrainFile.h"
#include "System/Error.h"
#include "Files.h"
#include "Memory.h"

int32_t LZSS_Decode(int16_t fileRefNum, Ptr destination, int32_t compressedLength)
{
	if (compressedLength <= 0)
		return 0;
	// A length beyond the end of the file is a broken stream: read what is there.
	int32_t position = 0, end = 0;
	if (GetFPos(fileRefNum, &position) == noErr && GetEOF(fileRefNum, &end) == noErr && end - position < compressedLength)
		compressedLength = end > position ? end - position : 0;
	if (compressedLength <= 0)
		return 0;

	Ptr source = NewPtr(compressedLength);
	GAME_ASSERT_MESSAGE(source, "srcOriginalPtr");
	int32_t count = compressedLength;
	FSRead(fileRefNum, &count, source);		// a short read leaves a short stream, caught by the size check

	size_t produced = LZSS_DecodeBuffer(reinterpret_cast<uint8_t*>(source), size_t(count),
			reinterpret_cast<uint8_t*>(destination), SUPERTILE_TEXTURE_BYTES);
	DisposePtr(source);
	return int32_t(produced);
}
