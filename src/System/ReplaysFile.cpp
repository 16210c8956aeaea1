// The Replays folder on disk: listing it, keeping a new replay and deleting
// what the shelf's bound says must go. Files are written whole by the atomic
// writer, so a crash leaves the old shelf or the new one.
#include "System/Replays.h"
#include "System/PrefsFolder.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

std::string ReplaysFolderPath()
{
	FSSpec spec;
	if (!MakePrefsFolderSpec(REPLAYS_FOLDER_NAME, &spec))
		return {};
	fs::path folder = Tamber::Files::FSSpecToHostPath(spec);
	std::error_code ec;
	fs::create_directories(folder, ec);
	return fs::is_directory(folder, ec) ? folder.string() : std::string();
}

std::vector<ReplayEntry> ListReplays(const std::string& folder)
{
	std::vector<ReplayEntry> shelf;
	std::error_code ec;
	for (const fs::directory_entry& file : fs::directory_iterator(folder, ec))
	{
		ReplayEntry entry;
		if (file.is_regular_file(ec) && ParseReplayFileName(file.path().filename().string(), &entry))
			shelf.push_back(entry);
	}
	SortReplayShelf(&shelf);
	return shelf;
}

bool KeepReplay(const std::string& folder, const InputRecording& recording, int64_t playedAt, std::string* error)
{
	const int tenths = int(recording.playSeconds * 10.0f + 0.5f);
	const fs::path path = fs::path(folder) / MakeReplayFileName(recording.level, playedAt, tenths);
	if (!WriteRecordingFile(path.string(), recording, error))
		return false;
	for (const std::string& old : ReplaysToDrop(ListReplays(folder)))
	{
		std::error_code ec;
		if (!fs::remove(fs::path(folder) / old, ec) && ec)
			fprintf(stderr, "replays: can't delete %s: %s\n", old.c_str(), ec.message().c_str());
	}
	return true;
}
