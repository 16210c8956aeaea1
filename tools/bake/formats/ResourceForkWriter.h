// Writes resource forks: typed, numbered (optionally named) resources in the
// resource-manager layout, wrapped in an AppleDouble (version 2) sidecar that
// sits beside its data file as "<file>.rsrc". Output is deterministic: types
// and IDs are written in ascending order whatever the order of Add.
#pragma once

#include "Bake.h"
#include "PlatformTypes.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Bake
{
	struct ResourceEntry
	{
		OSType type;
		int16_t id;
		std::string name;		// empty: no name
		uint8_t attributes;
		std::vector<uint8_t> data;
	};

	class ResourceForkWriter
	{
	public:
		// Throws std::invalid_argument for a type and ID given twice or a name
		// longer than 255 bytes.
		void Add(OSType type, int16_t id, std::vector<uint8_t> data, const std::string& name = "", uint8_t attributes = 0);

		// The raw resource fork. Throws std::length_error when the data area
		// outgrows 24-bit offsets or the map outgrows 16-bit ones.
		std::vector<uint8_t> BuildFork() const;

		// The fork inside an AppleDouble container (a Finder-info entry, then the fork).
		std::vector<uint8_t> BuildSidecar(OSType fileType = 0, OSType creator = 0) const;

		// Writes "<dataFile>.rsrc", creating its folder (the data file itself is the caller's).
		void WriteSidecar(const Context& context, const std::string& relativeDataPath) const;
		void WriteSidecarFile(const std::filesystem::path& dataFile) const;

		size_t Count() const { return mEntries.size(); }

	private:
		std::vector<ResourceEntry> mEntries;
	};

	// Wraps a raw resource fork in an AppleDouble version 2 container.
	std::vector<uint8_t> WrapAppleDouble(const std::vector<uint8_t>& fork, OSType fileType = 0, OSType creator = 0);
}
