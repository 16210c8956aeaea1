// Files of the Data folder, named by colon paths relative to it
// (":Terrain:EarthFarm.ter", ":system:font.sfl"). Every loader that opens a
// data file by name comes through here, so a path means the same thing
// everywhere and a missing file reports the same error code.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>
#include <vector>

struct FSSpec;

// The file's reference in the Data folder (gDataFolderSpec); fnfErr when it
// is not there (the reference is still filled, as FSMakeFSSpec does).
OSErr MakeDataFileSpec(const char* colonPath, FSSpec* spec);

// Whether the Data folder has that file (content that is optional, or still to be made).
bool DataFileExists(const char* colonPath);

// The whole data fork of a file; a short read counts as eofErr.
OSErr ReadDataFork(const FSSpec* spec, std::vector<uint8_t>* bytes);

// The whole data fork of a data file named by its colon path.
OSErr ReadDataFile(const char* colonPath, std::vector<uint8_t>* bytes);
