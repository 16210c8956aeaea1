// libFuzzer harness for the TGA decoder: any bytes are refused cleanly or
// decode to exactly width × height pixels of the reported depth.
#include "3D/TGA.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	for (bool convert : {true, false})
	{
		TGAHeader header;
		std::vector<uint8_t> pixels;
		TGAError error;
		TGAStatus status = TGA_Decode(data, size, convert, &header, &pixels, &error);
		if (status == TGAStatus::MALFORMED && (!error.expression || !*error.expression))
			abort();
		if (status != TGAStatus::OK)
		{
			if (!pixels.empty())
				abort();
			continue;
		}
		size_t expected = size_t(header.width) * header.height * size_t(header.bpp / 8);
		if (pixels.size() != expected || header.width == 0 || header.height == 0)
			abort();
		if (convert && (header.bpp != 32 || header.imageType != TGA_IMAGETYPE_CONVERTED_RGBA))
			abort();
		if (!(header.imageDescriptor & TGA_DESCRIPTOR_TOPDOWN))
			abort();
	}
	return 0;
}
