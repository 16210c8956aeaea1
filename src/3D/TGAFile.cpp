// Reading a TGA file of the data folder.
#include "3D/TGA.h"
#include "System/DataFiles.h"
#include "System/Error.h"
#include "Files.h"
#include "Memory.h"

#include <cstring>

OSErr ReadTGA(const FSSpec* spec, Ptr* pixels, TGAHeader* header, bool convertToRGBA)
{
	*pixels = nullptr;

	std::vector<uint8_t> file;
	OSErr err = ReadDataFork(spec, &file);
	if (err != noErr)
		return err;

	std::vector<uint8_t> image;
	TGAError error;
	switch (TGA_Decode(file.data(), file.size(), convertToRGBA, header, &image, &error))
	{
		case TGAStatus::OK:
			break;
		case TGAStatus::SHORT_HEADER:
			return eofErr;
		case TGAStatus::UNSUPPORTED_TYPE:
			return TGA_ERR_UNSUPPORTED_TYPE;
		case TGAStatus::MALFORMED:
			FatalAlert("Assertion failed! %s:%d: %s (in TGA file \"%s\")",
					error.function, error.line, error.expression, spec->name);
	}

	// At most TGA_MAX_DIMENSION² × 4 bytes: fits a block.
	Ptr block = NewPtr(int32_t(image.size()));
	if (!block)
		FatalAlert("ReadTGA: AllocPtr failed (\"%s\")", spec->name);
	std::memcpy(block, image.data(), image.size());
	*pixels = block;
	return noErr;
}
