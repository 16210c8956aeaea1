// AppleDouble (version 2) sidecar header: finds the resource fork entry.
#pragma once

#include "ResourceForkFormat.h"

#include <cstdint>
#include <istream>

namespace Tamber::Files
{
	struct ForkRange
	{
		uint64_t offset;	// from the start of the sidecar
		uint64_t length;
	};

	// Reads the header from the start of `in` (a sidecar of fileSize bytes) and
	// leaves the stream at the start of the resource fork. Throws
	// Tamber::MalformedData: "No ADF magic" for anything but AppleDouble
	// version 2, "Didn't find entry ID=2 in ADF" without a resource fork entry,
	// and when the entry table or the fork lies outside the file. (Sidecars are
	// the game's own files: one that is not AppleDouble is a damaged one, and
	// is refused like any other, so the loader names it.)
	ForkRange ReadAppleDoubleHeader(std::istream& in, uint64_t fileSize);
}
