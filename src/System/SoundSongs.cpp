// Songs: one at a time on the music channel, streamed from its file, looping
// unless told otherwise, paused while the music preference is off.
#include "System/DataFiles.h"
#include "System/SoundChannels.h"
#include "System/Error.h"
#include "System/Objects.h"
#include "System/Prefs.h"
#include "Files.h"

#include <exception>
#include <string>

static int gCurrentSong = -1;
static bool gSongPlaying = false;		// current and not paused

void ResetSongState()
{
	gCurrentSong = -1;
	gSongPlaying = false;
}

int GetCurrentSong()
{
	return gCurrentSong;
}

bool IsSongPlaying()
{
	return gSongPlaying;
}

static SCStatus MusicChannelStatus()
{
	SCStatus status{};
	if (gMusicChannel)
		GetChannelStatus(gMusicChannel, sizeof(status), &status);
	return status;
}

void PlaySong(int songNum, int flags)
{
	GAME_ASSERT_MESSAGE(songNum >= 0 && songNum < NUM_SONGS, "illegal song number");
	GAME_ASSERT_MESSAGE(gMusicChannel, "PlaySong: sound isn't started");

	if (songNum == gCurrentSong)
	{
		// Starting the current song again only resumes it.
		if (!gSongPlaying && gGamePrefs.music)
		{
			PauseFilePlay(gMusicChannel);
			gSongPlaying = true;
		}
		return;
	}

	KillSong();

	// A missing or damaged song stops the game with the file's name, as any
	// other damaged data file does.
	const char* path = kSongDefs[songNum].path;
	FSSpec spec;
	OSErr iErr = MakeDataFileSpec(path, &spec);
	int16_t refNum = -1;
	if (iErr == noErr)
		iErr = FSpOpenDF(&spec, fsRdPerm, &refNum);
	if (iErr != noErr)
		FatalAlert("Couldn't open the song file \"%s\" (error %d).", path, int(iErr));

	// Silent until it is known whether the song starts paused: the mixer may
	// run between the start and the pause.
	SendSoundCommand(gMusicChannel, volumeCmd, 0, MakeVolumeParam(0, 0));

	std::string damage;
	try
	{
		iErr = SndStartFilePlay(gMusicChannel, refNum, 0, 0, nullptr, nullptr, nullptr, true);
	}
	catch (const std::exception& e)		// the file reader's and codecs' refusals
	{
		damage = e.what();
	}
	FSClose(refNum);
	if (!damage.empty())
		FatalAlert("The song file \"%s\" is damaged: %s", path, damage.c_str());
	if (iErr != noErr)
		FatalAlert("The song file \"%s\" can't be played (error %d).", path, int(iErr));
	gCurrentSong = songNum;
	gSongPlaying = true;

	iErr = SendSoundCommand(gMusicChannel, tambLoopCmd, (flags & SONG_FLAG_PLAY_ONCE) ? 0 : 1);
	GAME_ASSERT_MESSAGE(!iErr, "PlaySong: SndDoImmediate (tamber loop extension) failed!");

	if ((flags & SONG_FLAG_START_PAUSED) || !gGamePrefs.music)
	{
		PauseFilePlay(gMusicChannel);
		gSongPlaying = false;
	}

	const uint32_t volume = uint32_t(kSongDefs[songNum].volume * float(FULL_CHANNEL_VOLUME));
	SendSoundCommand(gMusicChannel, volumeCmd, 0, MakeVolumeParam(volume, volume));
}

void KillSong()
{
	if (gCurrentSong == -1)
		return;
	if (gMusicChannel)
		StopFilePlay(gMusicChannel, true);
	gCurrentSong = -1;
	gSongPlaying = false;
}

void ToggleMusic()
{
	if (gGamePaused || !gMusicChannel)
		return;

	SCStatus status = MusicChannelStatus();
	if (bool(status.scChannelPaused) == bool(gGamePrefs.music))
		PauseFilePlay(gMusicChannel);

	// Keep the playing mark true to the channel, so starting the same song
	// again neither pauses a song that plays nor misses one that is paused.
	status = MusicChannelStatus();
	gSongPlaying = gCurrentSong != -1 && status.scChannelBusy && !status.scChannelPaused;
}
