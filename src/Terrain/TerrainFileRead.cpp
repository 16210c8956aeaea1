// Reading a terrain file from the data folder: its resource fork through the
// resource manager, its data fork whole.
#include "Terrain/TerrainFile.h"
#include "System/Error.h"
#include "Files.h"
#include "Resources.h"

#include <vector>

namespace
{
	// Assertion-style failures name the reader, as in the rest of reading.
	void Check(bool condition, const FSSpec* spec, const char* message)
	{
		if (!condition)
			FatalAlert("Assertion failed! ReadDataFromPlayfieldFile: %s (terrain file \"%s\")", message, spec->name);
	}

	// Closes the forks however the reading ends (a fatal check throws).
	struct ResFileCloser
	{
		int16_t refNum;
		~ResFileCloser() { if (refNum != -1) CloseResFile(refNum); }
	};
	struct DataForkCloser
	{
		int16_t refNum;
		~DataForkCloser() { if (refNum != -1) FSClose(refNum); }
	};

	Handle GetFromOpenFile(OSType type, int16_t id)
	{
		return Get1Resource(type, id);
	}
}

void ReadTerrainFileData(const FSSpec* spec)
{
	{
		ResFileCloser res{FSpOpenResFile(spec, fsRdPerm)};
		Check(res.refNum != -1, spec, "FSpOpenResFile failed");
		UseResFile(res.refNum);
		ReadTerrainTables({GetFromOpenFile, ReleaseResource}, spec->name);
	}

	std::vector<uint8_t> fork;
	{
		DataForkCloser data{-1};
		OSErr err = FSpOpenDF(spec, fsRdPerm, &data.refNum);
		Check(err == noErr, spec, "Couldn't open terrain data fork!");
		int32_t size = 0;
		GetEOF(data.refNum, &size);
		fork.resize(size_t(size));
		int32_t count = size;
		if (size > 0)
			FSRead(data.refNum, &count, fork.data());
		fork.resize(size_t(count));
	}
	DecodeSuperTileTextures(fork.data(), fork.size(), spec->name);
}

void ReadDataFromPlayfieldFile(const FSSpec* spec)
{
	ReadTerrainFileData(spec);
	CreateSuperTileMaterials();
}
