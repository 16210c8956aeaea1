// Where the spiky objects' points are: the slime world's thorny pod and
// stalk (level models 26 and 27) end their spikes on these points, which the
// game tests a carrying bubble against. Shared by the game and the baker, so
// plain numbers only (model units, y up, the origin on the ground).
#pragma once

struct SpikePoint
{
	float x, y, z;
};

// A carrying bubble pops once the robot comes within SPIKE_POP_RANGE of one
// (on levels with LEVEL_RULE_SPIKES_POP_BUBBLES).
constexpr float SPIKE_POP_RANGE = 130.0f;
constexpr int SPIKY_BALL_MODEL = 26;
constexpr int SPIKY_STALK_MODEL = 27;
constexpr SpikePoint kSpikyBallCentre = {0, 150, 0};
constexpr SpikePoint kSpikyBallPoints[] = {
	{0, 265, 0}, {110, 150, 0}, {-110, 150, 0}, {0, 150, 110}, {0, 150, -110},
	{70, 215, 70}, {-70, 215, 70}, {70, 215, -70}, {-70, 215, -70},
};
constexpr SpikePoint kSpikyStalkPoints[] = {
	{0, 420, 0}, {70, 300, 0}, {-70, 250, 0}, {0, 200, 70}, {0, 340, -70},
};
