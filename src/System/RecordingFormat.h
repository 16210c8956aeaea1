// The layout of an input recording, shared by the writer and the reader so the
// two can never disagree. Version 1 is a run from boot (--record / --replay /
// --timedemo); version 2 is one level of a person's game, kept as a replay.
//
// Everything is big-endian, like the game's other files. A header names the
// level the run starts on, the random seed and the fixed frame step, then one
// record per input update holds the needs held and the analog values as the
// raw bits of their floats (a replay must feed back exactly what was read).
// A checksum of everything before it closes the file, so damage anywhere is
// caught before a single frame is played.
//
//   offset size
//        0    4  magic 'ZREC'
//        4    2  version (RECORDING_VERSION)
//        6    2  level the run starts on (0..9)
//        8    4  random seed
//       12    4  fixed frame step, Hz (float bits; 15..500)
//       16    4  frame count
//       20    2  bytes per frame (RECORDING_FRAME_BYTES)
//       22    2  where the run ended: at a drawn frame (0) or inside an input update (1)
//       24   20  × count: needs held (u64), steering x, steering y, camera swivel (float bits)
//   end − 4    4  checksum (FNV-1a, 32 bits) of every byte before it
//
// Version 2 starts where a level starts, not at boot, and a person's frames
// are as long as the machine made them. The header's seed is 0 and its fixed
// step holds the frame step in effect as the level was made (seconds, float
// bits; the level's set-up may use it); after the header:
//       24   12  the random numbers' state as the level was made (3 × u32)
//       36    4  seconds the level was played (float bits), as the replays list shows them
//       40   68  the run as the level started: a saved game's file image
//                (System/SavedGame.h; its time is when the level was finished,
//                its level is RECORDING_LEVEL_RUN_SAVED_LEVEL: the header names the level)
//      108   24  × count: the version 1 frame, then the frame's step in seconds (float bits)
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t RECORDING_MAGIC = 0x5A524543;		// 'ZREC'
constexpr uint16_t RECORDING_VERSION = 1;
constexpr uint16_t RECORDING_VERSION_LEVEL_RUN = 2;
constexpr size_t RECORDING_HEADER_BYTES = 24;
constexpr size_t RECORDING_FRAME_BYTES = 20;
constexpr size_t RECORDING_LEVEL_RUN_HEADER_BYTES = 108;	// version 2: the header and what follows it
constexpr size_t RECORDING_LEVEL_RUN_STATE_AT = 40;			// the saved game's image
constexpr size_t RECORDING_LEVEL_RUN_STATE_BYTES = 68;		// SAVED_GAME_FILE_SIZE
constexpr size_t RECORDING_LEVEL_RUN_FRAME_BYTES = 24;
constexpr int16_t RECORDING_LEVEL_RUN_SAVED_LEVEL = 1;		// a level a saved game may name
constexpr size_t RECORDING_CHECKSUM_BYTES = 4;

// Where the recording run quit, so its replay quits at the same point: after
// drawing the frame that used the last record (--frames, a replay's own end),
// or in the input update after it (a window close, which the input layer
// turns into a quit before the update is recorded).
enum : uint16_t
{
	RECORDING_ENDS_AT_FRAME = 0,
	RECORDING_ENDS_AT_INPUT = 1,
};

// Limits a reader holds a file to (a longer run is not a recording of this game).
constexpr int RECORDING_NUM_LEVELS = 10;
constexpr float RECORDING_MIN_STEP_HZ = 15;
constexpr float RECORDING_MAX_STEP_HZ = 500;
constexpr uint32_t RECORDING_MAX_FRAMES = 50'000'000;	// about 19 days at 30 Hz
constexpr float RECORDING_MAX_FRAME_SECONDS = 1.0f;		// a version 2 frame's step: above 0, at most this

// FNV-1a over a byte range (the file's closing checksum).
inline uint32_t RecordingChecksum(const uint8_t* data, size_t size)
{
	uint32_t h = 0x811C9DC5u;
	for (size_t i = 0; i < size; i++)
		h = (h ^ data[i]) * 0x01000193u;
	return h;
}
