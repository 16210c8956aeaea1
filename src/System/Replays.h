// Replays for the player: every finished level of a person's game is kept as
// a recording (System/Recording.h, format version 2) in the Replays folder
// beside the preferences, and the main menu's Replays screen plays them back.
//
// The shelf is bounded: per level the REPLAYS_KEPT_RECENT newest runs and the
// fastest one stay, older ones are deleted as a new one is kept, so at most
// REPLAYS_MAX_FILES files are ever there. A file's name carries what the list
// shows (level, when it was played, the time it took), so the list is made
// without reading the files; a damaged file is only found, and refused with
// a message naming it, when it is chosen, and it is left on disk untouched.
#pragma once

#include "System/Recording.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int REPLAYS_KEPT_RECENT = 3;		// per level, besides its fastest run
constexpr int REPLAYS_NUM_LEVELS = 10;
constexpr int REPLAYS_MAX_FILES = REPLAYS_NUM_LEVELS * (REPLAYS_KEPT_RECENT + 1);
constexpr char REPLAYS_FOLDER_NAME[] = "Replays";
constexpr char REPLAY_FILE_SUFFIX[] = ".zreplay";

// One kept replay, as its file name tells it.
struct ReplayEntry
{
	std::string fileName;		// in the Replays folder
	int level = 0;
	int64_t playedAt = 0;		// seconds since 1970 (UTC), when the level was finished
	int tenths = 0;				// tenths of a second the level took
	bool best = false;			// the fastest kept run of its level (set by SortReplayShelf)
};

// "level3-20261211-171052-1234.zreplay": level, UTC date and time, tenths of
// a second. ParseReplayFileName refuses any other name (other files in the
// folder are not replays and are left alone).
std::string MakeReplayFileName(int level, int64_t playedAt, int tenths);
bool ParseReplayFileName(const std::string& fileName, ReplayEntry* entry);

// The files to delete so each level keeps its REPLAYS_KEPT_RECENT newest runs
// and its fastest (the older of two equal times goes first).
std::vector<std::string> ReplaysToDrop(const std::vector<ReplayEntry>& shelf);
// The list's order: by level, newest first within a level; marks each level's fastest.
void SortReplayShelf(std::vector<ReplayEntry>* shelf);

// The Replays folder's host path (created when missing); empty when the
// preferences folder can't be found.
std::string ReplaysFolderPath();
// The replays in the folder, sorted for the list.
std::vector<ReplayEntry> ListReplays(const std::string& folder);
// Writes `recording` as a new replay and deletes what the bound says must go.
// False with a message naming the file when it can't be written.
bool KeepReplay(const std::string& folder, const InputRecording& recording, int64_t playedAt, std::string* error);

// The game's side: a person's level is recorded from just before it is made
// to the end of its play loop (the play loop's own input updates and any
// pause menu's), and kept when it was finished, not lost or left.
void ReplaysLevelStarting();
void ReplaysLevelEnded();

// Reads a kept replay to play: false, with a message naming the file, when
// it can't be read, is damaged or is not a level's replay.
bool LoadKeptReplay(const std::string& path, std::string* error);
// Plays the replay LoadKeptReplay read (System/LevelShow.h) under the
// "Replay" caption until it ends or a key is pressed.
void PlayLoadedReplay();

// A row of the replays list: "<day> <month> <year> <hh:mm>\t<m:ss.t>[\t<best>]"
// in local time (`best` is the word marking the level's fastest run).
void FormatReplayRow(const ReplayEntry& entry, const char* best, char* text, size_t size);
