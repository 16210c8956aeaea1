// Crash-safe whole-file writes for everything the game saves (preferences,
// saved games, high scores): the new content goes to a temporary file in the
// same folder, is checked, flushed to disk and then renamed over the old file,
// so a crash or a full disk leaves either the old file or the new one, never
// a mixture. A failure is returned as an error code and the old file stays.
#pragma once

#include "Files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

OSErr WriteFileAtomically(const FSSpec& spec, const void* data, size_t size);

namespace Tamber::Files
{
	OSErr WriteHostFileAtomically(const std::filesystem::path& path, const void* data, size_t size);

	// True for the name of a temporary file the writer makes: "." + the target's
	// name + "." + six characters.
	bool IsAtomicWriteTemporaryName(const std::string& name);
	// Deletes such files in `folder`: a write killed before its rename leaves
	// one behind, and it never holds anything the game still needs. Only for
	// the game's own folder (nothing else writes there). Returns the count.
	int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

	// Test hook: when not negative, writes fail after this many bytes of a file
	// have gone out, as a full disk would make them (dskFulErr).
	extern int64_t gAtomicWriteFailAfterBytes;
}
