// Recording files on disk: written whole with the atomic writer (a crash
// leaves the old file or the new one), read whole and checked before use.
#include "System/Recording.h"
#include "System/RecordingFormat.h"
#include "AtomicWrite.h"

#include <fstream>
#include <iterator>

bool WriteRecordingFile(const std::string& path, const InputRecording& recording, std::string* error)
{
	std::vector<uint8_t> image;
	EncodeRecording(recording, &image);
	OSErr err = Tamber::Files::WriteHostFileAtomically(path, image.data(), image.size());
	if (err != noErr)
	{
		*error = "recording " + path + ": can't write it (error " + std::to_string(err) + ")";
		return false;
	}
	return true;
}

bool ReadRecordingFile(const std::string& path, InputRecording* out, std::string* error)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
	{
		*error = "recording " + path + ": can't open it";
		return false;
	}
	std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	if (in.bad())
	{
		*error = "recording " + path + ": can't read it";
		return false;
	}
	std::string why;
	if (!DecodeRecording(image.data(), image.size(), out, &why))
	{
		*error = "recording " + path + ": " + why;
		return false;
	}
	return true;
}
