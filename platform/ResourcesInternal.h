// The resource map parser and the per-file index behind the resource calls.
#pragma once

#include "PlatformTypes.h"

#include <cstdint>
#include <istream>
#include <map>
#include <string>

namespace Tamber::Resources
{
	struct ResourceMetadata
	{
		int16_t refNum;			// the open fork
		OSType type;
		int16_t id;
		uint8_t flags;			// attribute byte
		uint32_t size;			// the data's length prefix
		uint64_t dataPosition;	// in the fork's host stream, just after the length prefix
		std::string name;		// empty when none
	};

	// type -> ID -> metadata. Entries are never moved while the index lives, so
	// a resource handle's link may point at one.
	using ResourceIndex = std::map<OSType, std::map<int16_t, ResourceMetadata>>;

	// Indexes the resource fork that starts at forkBase in `in` and is forkLength
	// bytes long. Every offset, count and length is checked against the fork:
	// anything outside it throws Tamber::MalformedData. The format's own
	// refusals throw std::runtime_error ("FSpOpenResFile: Unexpected data offset",
	// "FSpOpenResFile: Compressed resources not supported yet").
	ResourceIndex ParseResourceFork(std::istream& in, uint64_t forkBase, uint64_t forkLength, int16_t refNum);

	// Forgets every open resource file without closing it (the file layer's shutdown).
	void ForgetAllResFiles();
}
