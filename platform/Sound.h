// Sound channels and sampled-sound resources in the style of the older
// platform's sound services: channels that take immediate commands, 'snd '
// resources and their sound headers, and the platform's own pre-decoded sound
// handle ("po" "TAMB" and a SoundInfo, then native samples). Each channel
// plays through one mixer source (cmixer.h).
//
// The calls the game knows from the older platform are global; what this
// platform adds lives in Tamber::Sound.
#pragma once

#include "PlatformTypes.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Synthesisers and channel init flags.
enum : int16_t { sampledSynth = 5 };
enum : int32_t
{
	initNoInterp = 0x0004,		// no interpolation when resampling
	initMono = 0x0080,
	initStereo = 0x00C0,
};

// Sound error codes.
enum : OSErr
{
	badChannel = -205,
	badFormat = -206,
	badFileFormat = -208,
};

// Immediate commands (bit 15 of a command number is ignored).
enum : uint16_t
{
	nullCmd = 0,
	quietCmd = 3,
	flushCmd = 4,
	reInitCmd = 5,
	freqCmd = 42,
	ampCmd = 43,
	volumeCmd = 46,			// param2: left volume in the low 16 bits, right in the high 16 (256 = full)
	soundCmd = 80,
	bufferCmd = 81,			// param2: address of a sound header
	rateCmd = 82,
	rateMultiplierCmd = 86,	// param2: 16.16 fixed point
	// This platform's own commands.
	tambLoopCmd = 0x7001,	// param1: loop (non-zero) or play once
	tambPauseCmd = 0x7002,
	tambResumeCmd = 0x7003,
};

struct SndChannel
{
	SndChannel* prevChan;	// the layer's channel list
	SndChannel* nextChan;
	intptr_t userInfo;
	void* channelImpl;		// owned by the layer
};
static_assert(sizeof(SndChannel) == 32);
typedef SndChannel* SndChannelPtr;

struct SoundCommand
{
	uint16_t cmd;
	int16_t param1;
	int64_t param2;
};

// What GetChannelStatus fills (only the busy and paused bytes are used).
struct SCStatus
{
	int32_t scStartTime;
	int32_t scEndTime;
	int32_t scCurrentTime;
	uint8_t scChannelBusy;		// offset 12: playing or paused
	uint8_t scChannelDisposed;
	uint8_t scChannelPaused;	// offset 14
	uint8_t scUnused;
	uint32_t scChannelAttributes;
	int32_t scCPULoad;
};
static_assert(sizeof(SCStatus) == 24);

// Called on the audio thread, with the mixer's lock held, when a file played
// with SndStartFilePlay ends: it must not call back into the sound layer.
typedef void (*FilePlayCompletionProcPtr)(SndChannelPtr chan);

// Only sampledSynth is accepted (else unimpErr). Allocates the SndChannel when
// *chan is null.
OSErr CreateSoundChannel(SndChannelPtr* chan, int16_t synth, int32_t init, intptr_t userInfo);
OSErr DisposeSoundChannel(SndChannelPtr chan, bool quietNow = true);
OSErr SndDoImmediate(SndChannelPtr chan, const SoundCommand* cmd);
// `size` must be at least sizeof(SCStatus) (else paramErr).
OSErr GetChannelStatus(SndChannelPtr chan, int16_t size, SCStatus* status);

// Streams an AIFF or AIFF-C file (names ending ".aiff", ".aifc" or ".aif") on
// the channel. resNum must be 0 and selection null. Asynchronous calls return
// at once; synchronous ones wait for the end of the sound.
OSErr SndStartFilePlay(SndChannelPtr chan, int16_t fRefNum, int16_t resNum, int32_t bufferSize, void* buffer,
					   void* selection, FilePlayCompletionProcPtr completion, bool async);
OSErr PauseFilePlay(SndChannelPtr chan);		// toggles pause
OSErr StopFilePlay(SndChannelPtr chan, bool quietNow);

// Where the sound header is in an 'snd ' resource or a pre-decoded handle;
// badFormat when there is none. Structural faults the platform does not
// support throw std::runtime_error.
OSErr GetSoundHeaderOffset(Handle sndHandle, int32_t* offset);

namespace Tamber::Sound
{
	// A sound as this layer sees it. The layout is fixed: it is stored as is in
	// pre-decoded handles.
	struct SoundInfo
	{
		int32_t channels;
		int32_t frames;				// packets for compressed sound
		int32_t bitDepth;			// after decoding for compressed sound (the codec's AIFF depth in AIFF files)
		double sampleRate;			// Hz
		bool isCompressed;
		bool bigEndian;
		OSType format;				// 'raw ' (unsigned 8-bit), 'twos', 'sowt', 'NONE' or a codec
		char* dataStart;
		int32_t compressedLength;	// bytes at dataStart
		int32_t decompressedLength;	// bytes once decoded
		int32_t baseNote;
		int32_t loopStart;			// frames
		int32_t loopEnd;
		uint8_t reserved[4];
	};
	static_assert(sizeof(SoundInfo) == 64);
	static_assert(offsetof(SoundInfo, sampleRate) == 16 && offsetof(SoundInfo, isCompressed) == 24
				  && offsetof(SoundInfo, bigEndian) == 25 && offsetof(SoundInfo, format) == 28
				  && offsetof(SoundInfo, dataStart) == 32 && offsetof(SoundInfo, compressedLength) == 40
				  && offsetof(SoundInfo, decompressedLength) == 44 && offsetof(SoundInfo, baseNote) == 48
				  && offsetof(SoundInfo, loopStart) == 52 && offsetof(SoundInfo, loopEnd) == 56);

	constexpr int PRE_DECODED_HEADER_SIZE = 70;		// "po", "TAMB", SoundInfo

	// Reads the sound header at `header`. `available` is how many bytes are
	// readable from there (the header, then its samples); every length and
	// count is checked against it. Format faults throw std::runtime_error.
	void GetSoundInfo(const char* header, SoundInfo& info, size_t available);
	// The same when the extent is unknown (a header handed over in a command):
	// fields are still checked for sense, not against a size.
	void GetSoundInfo(const char* header, SoundInfo& info);

	// Builds a pre-decoded handle: room for info.compressedLength sample bytes,
	// copied from `samples` unless it is null.
	Handle MakePreDecodedSoundHandle(const SoundInfo& info, const void* samples);

	// Replaces the sound in *sndHandle by its pre-decoded form with native
	// 16-bit (or unsigned 8-bit) samples; *headerOffset becomes 2.
	void DecompressSoundHandle(Handle* sndHandle, int32_t* headerOffset);

	// The frequency of a MIDI note (equal temperament, note 69 = 440 Hz;
	// notes above 127 count as 440 Hz).
	double GetNoteFrequency(int note);

	// True for a name ending in ".aiff", ".aifc" or ".aif", in any case.
	bool IsAIFFFileName(const char* name);

	// SndStartFilePlay over a file already in memory (tests and tools).
	OSErr StartFilePlayFromMemory(SndChannelPtr chan, const char* fileName, std::span<const uint8_t> file,
								  FilePlayCompletionProcPtr completion, bool async);

	// Stops every channel whose samples lie in [begin, begin + size): call it
	// before freeing a sound that may still be playing in place.
	void QuietChannelsPlaying(const void* begin, size_t size);

	// Platform start-up opens the mixer on the audio device; shutdown disposes
	// every channel, then closes the mixer.
	void Init();
	void Shutdown();

	// Number of channels alive (for tests).
	int GetNumChannels();
}
