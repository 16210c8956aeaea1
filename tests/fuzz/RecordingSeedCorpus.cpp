// Seeds the recording fuzzer with valid recordings (so it starts past the
// checksum): empty, short and long runs with needs and analog values, as runs
// from boot and as levels of a person's game (with their start and steps).
// Usage: fuzz_recording_seeds DIR
#include "System/Recording.h"
#include "System/RecordingFormat.h"
#include "System/SavedGame.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv)
{
	if (argc != 2)
	{
		fprintf(stderr, "usage: %s DIR\n", argv[0]);
		return 2;
	}
	std::filesystem::create_directories(argv[1]);
	const int lengths[] = {0, 1, 5, 60};
	for (int n : lengths)
	for (bool levelRun : {false, true})
	{
		InputRecording r;
		if (levelRun)
		{
			r.levelRun = true;
			r.startStep = 1.0f / 30;
			r.randomState[0] = uint32_t(n) + 1;
			r.playSeconds = float(n) / 30;
			SavedGameRecord run = {};
			run.version = SAVED_GAME_VERSION_WEAPONS;
			run.level = RECORDING_LEVEL_RUN_SAVED_LEVEL;
			run.lives = 3;
			run.health = 1;
			run.hasWeapons = true;
			run.currentWeapon = -1;
			for (WeaponSlot& slot : run.weapons)
				slot = {-1, 0};
			EncodeSavedGameFile(run, r.runImage.data());
		}
		r.level = n % 10;
		r.seed = uint32_t(n) * 2654435761u;
		r.fixedStepHz = n ? 30.0f : 500.0f;
		for (int i = 0; i < n; i++)
		{
			VirtualInputFrame f;
			f.needsHeld = 1ull << (i % 12);
			f.steering = {std::sin(float(i)), -0.5f};
			f.cameraSwivel = float(i % 3) - 1.0f;
			r.frames.push_back(f);
			if (levelRun)
				r.frameTimes.push_back(1.0f / float(20 + i % 40));
		}
		std::vector<uint8_t> image;
		EncodeRecording(r, &image);
		std::string path = std::string(argv[1]) + "/seed" + std::to_string(n) + (levelRun ? "-level" : "");
		std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
	}
	return 0;
}
