// Resource files: typed, numbered resources read from a file's resource fork
// (an AppleDouble ".rsrc" sidecar). Open files form a chain searched from the
// current file back to the first opened. Every resource comes back as a fresh
// handle holding a copy of its bytes; the caller releases or detaches it.
#pragma once

#include "Files.h"
#include "PlatformTypes.h"

#include <cstdint>

// Opens and indexes a resource fork (read only) and makes it the current file.
// Returns its refNum, or -1 with ResError() telling why (unimpErr for write
// permission, fnfErr without a sidecar, ioErr, mapReadErr for a damaged fork).
int16_t FSpOpenResFile(const FSSpec* spec, int8_t permission);

void UseResFile(int16_t refNum);
void CloseResFile(int16_t refNum);

// refNum of the current resource file (0, the system's, when none is open).
int16_t CurResFile();

// Searches the current file, then the files opened before it.
Handle GetResource(OSType type, int16_t id);
Handle GetNamedResource(OSType type, const char* name);

// The current file only.
Handle Get1Resource(OSType type, int16_t id);
int16_t Count1Resources(OSType type);

// Type, ID and name (NUL-terminated, up to 255 bytes; any argument may be
// null) of a resource handle whose file is still open.
void GetResInfo(Handle resource, int16_t* id, OSType* type, char* name);

// Makes a resource handle plain memory owned by the caller.
void DetachResource(Handle resource);
void ReleaseResource(Handle resource);

OSErr ResError();
