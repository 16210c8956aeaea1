// libFuzzer harness: a terrain file (its resource fork's sidecar and its data
// fork) read as the game reads it. Input: a 4-byte big-endian sidecar length,
// the sidecar, then the data fork. Every input must either load or stop with
// the reader's fatal alert; nothing may read or write out of bounds.
#include "Terrain/TerrainFile.h"
#include "FuzzHeadless.h"
#include "System/Error.h"
#include "System/Game.h"
#include "DataReaders.h"
#include "FilesAppleDouble.h"
#include "Memory.h"
#include "ResourcesInternal.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

// The reader's fatal alerts are the game's own (they raise the quit request).
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	return FuzzMakeHeadless();
}

namespace
{
	const uint8_t* gSidecar = nullptr;
	Tamber::Resources::ResourceIndex gIndex;

	Handle GetResourceFromInput(OSType type, int16_t id)
	{
		auto byType = gIndex.find(type);
		if (byType == gIndex.end())
			return nullptr;
		auto byID = byType->second.find(id);
		if (byID == byType->second.end())
			return nullptr;
		const Tamber::Resources::ResourceMetadata& meta = byID->second;
		Handle h = NewHandle(int32_t(meta.size));
		memcpy(*h, gSidecar + meta.dataPosition, meta.size);
		return h;
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 4)
		return 0;
	uint32_t sidecarSize = PeekBEU32(data);
	if (sidecarSize > size - 4)
		return 0;
	gSidecar = data + 4;
	try
	{
		memstream in(gSidecar, sidecarSize);
		Tamber::Files::ForkRange fork = Tamber::Files::ReadAppleDoubleHeader(in, sidecarSize);
		gIndex = Tamber::Resources::ParseResourceFork(in, fork.offset, fork.length, 1);
	}
	catch (const std::runtime_error&)
	{
		return 0;		// not a resource fork: refused before the terrain reader sees it
	}

	// Half the inputs read as the Cloud level, whose textures treat black as clear.
	gCurrentLevel = (size & 1) ? 4 : 0;
	try
	{
		ReadTerrainTables({GetResourceFromInput, DisposeHandle}, "fuzz.ter");
		DecodeSuperTileTextures(data + 4 + sidecarSize, size - 4 - sidecarSize, "fuzz.ter");
		std::vector<uint16_t> bordered(SUPERTILE_BORDERED_SIZE * SUPERTILE_BORDERED_SIZE);
		for (int r = 0; r < gSuperTilesDeep; r++)
			for (int c = 0; c < gSuperTilesWide; c++)
				BuildBorderedSuperTileTexture(r, c, bordered.data());
		// A loaded terrain must be self-consistent.
		for (int r = 0; r < gMapTilesDeep; r++)
			for (int c = 0; c < gMapTilesWide; c++)
				if (gTileAttribIndexGrid[r][c] >= gNumTileAttributes)
					abort();
	}
	catch (const Tamber::QuitRequest&)
	{
	}
	DisposeTerrainFileTables();
	gIndex.clear();
	return 0;
}
