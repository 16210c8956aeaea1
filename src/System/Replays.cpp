// The replay shelf's rules: file names, which runs stay and the list's order.
// No file is touched here (ReplaysFile.cpp does that).
#include "System/Replays.h"
#include "System/Strings.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

std::string MakeReplayFileName(int level, int64_t playedAt, int tenths)
{
	std::time_t t = std::time_t(playedAt);
	std::tm utc = {};
	gmtime_r(&t, &utc);
	char name[96];
	snprintf(name, sizeof name, "level%d-%04d%02d%02d-%02d%02d%02d-%d%s", level, utc.tm_year + 1900, utc.tm_mon + 1,
			utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, std::max(tenths, 0), REPLAY_FILE_SUFFIX);
	return name;
}

bool ParseReplayFileName(const std::string& fileName, ReplayEntry* entry)
{
	int level, year, month, day, hour, minute, second, tenths, used = 0;
	if (sscanf(fileName.c_str(), "level%d-%4d%2d%2d-%2d%2d%2d-%d%n", &level, &year, &month, &day, &hour, &minute,
				&second, &tenths, &used) != 8)
		return false;
	if (fileName.compare(size_t(used), std::string::npos, REPLAY_FILE_SUFFIX) != 0)
		return false;
	if (level < 0 || level >= REPLAYS_NUM_LEVELS || tenths < 0 || month < 1 || month > 12 || day < 1 || day > 31
			|| hour > 23 || minute > 59 || second > 60 || year < 1970)
		return false;
	// Written by MakeReplayFileName only: a name it would not write is not ours.
	std::tm utc = {};
	utc.tm_year = year - 1900;
	utc.tm_mon = month - 1;
	utc.tm_mday = day;
	utc.tm_hour = hour;
	utc.tm_min = minute;
	utc.tm_sec = second;
	const int64_t playedAt = int64_t(timegm(&utc));
	if (MakeReplayFileName(level, playedAt, tenths) != fileName)
		return false;
	*entry = ReplayEntry{};
	entry->fileName = fileName;
	entry->level = level;
	entry->playedAt = playedAt;
	entry->tenths = tenths;
	return true;
}

void FormatReplayRow(const ReplayEntry& entry, const char* best, char* text, size_t size)
{
	std::time_t when = std::time_t(entry.playedAt);
	std::tm local = {};
	localtime_r(&when, &local);
	const int minutes = entry.tenths / 600, seconds = entry.tenths / 10 % 60, tenths = entry.tenths % 10;
	snprintf(text, size, "%d %s %d %02d:%02d\t%d:%02d.%d%s%s", local.tm_mday, GetString(STR_MONTH_FIRST + local.tm_mon),
			local.tm_year + 1900, local.tm_hour, local.tm_min, minutes, seconds, tenths, entry.best ? "\t" : "",
			entry.best ? best : "");
}

namespace
{
	bool Newer(const ReplayEntry& a, const ReplayEntry& b)
	{
		return a.playedAt != b.playedAt ? a.playedAt > b.playedAt : a.fileName > b.fileName;
	}

	// The fastest of a level's runs; of equal times the older stays (it was first).
	const ReplayEntry* Fastest(const std::vector<const ReplayEntry*>& runs)
	{
		const ReplayEntry* best = nullptr;
		for (const ReplayEntry* run : runs)
			if (!best || run->tenths < best->tenths || (run->tenths == best->tenths && Newer(*best, *run)))
				best = run;
		return best;
	}
}

std::vector<std::string> ReplaysToDrop(const std::vector<ReplayEntry>& shelf)
{
	std::map<int, std::vector<const ReplayEntry*>> byLevel;
	for (const ReplayEntry& entry : shelf)
		byLevel[entry.level].push_back(&entry);
	std::vector<std::string> drop;
	for (auto& [level, runs] : byLevel)
	{
		std::sort(runs.begin(), runs.end(), [](const ReplayEntry* a, const ReplayEntry* b) { return Newer(*a, *b); });
		const ReplayEntry* best = Fastest(runs);
		for (size_t i = REPLAYS_KEPT_RECENT; i < runs.size(); i++)
			if (runs[i] != best)
				drop.push_back(runs[i]->fileName);
	}
	return drop;
}

void SortReplayShelf(std::vector<ReplayEntry>* shelf)
{
	std::sort(shelf->begin(), shelf->end(), [](const ReplayEntry& a, const ReplayEntry& b)
			{ return a.level != b.level ? a.level < b.level : Newer(a, b); });
	std::map<int, std::vector<const ReplayEntry*>> byLevel;
	for (ReplayEntry& entry : *shelf)
	{
		entry.best = false;
		byLevel[entry.level].push_back(&entry);
	}
	for (auto& [level, runs] : byLevel)
		const_cast<ReplayEntry*>(Fastest(runs))->best = true;
}
