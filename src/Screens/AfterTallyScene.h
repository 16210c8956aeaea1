// The scene some levels' tallies end with (LEVEL_RULE_SCENE_AFTER_TALLY in
// the level table): after the jungle, night falls on a clearing, the robot
// walks in, the ground heaves and the pitcher plant whose arena comes next
// rises out of it, snapping at the air, while a line says something hungry
// has woken. It runs on its own clock (sat through by the autopilot) and the
// player may cut it short after its first moment.
#pragma once

constexpr float JUNGLE_WAKES_SECONDS = 11.0f;		// the whole scene
constexpr float JUNGLE_WAKES_LOCK_SECONDS = 1.0f;	// before a press may end it

// Runs the scene for the current level when its row asks for one (nothing otherwise).
void DoAfterTallyScene();

// The scene's story as a clock, GL-free: where the robot is along its walk
// (0 off to the left .. 1 at its stop), how far the plant has risen out of
// the ground (0 under it .. 1 standing), and how hard the ground shakes (0..1),
// `t` seconds in.
struct JungleWakesBeat
{
	float robotWalk;
	float plantRise;
	float quake;
	bool plantSnaps;			// the plant is in its attack
};
JungleWakesBeat JungleWakesBeatAt(float t);
