// The numbers of the debug overlay (F8: off, stats, stats and collision boxes, wireframe).
#include "3D/OGL_DebugOverlay.h"
#include "3D/OGL_Overdraw.h"
#include "3D/OGL_Support.h"
#include "Effects/Particles.h"
#include "Effects/Shards.h"
#include "Effects/Sparkles.h"
#include "Enemies/Enemy.h"
#include "Player/Player.h"
#include "System/FrameTime.h"
#include "System/Game.h"
#include "System/LevelTable.h"
#include "System/Input.h"
#include "System/Objects.h"
#include "System/Pool.h"
#include "Memory.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <cmath>
#include <cstdio>

int gDebugMode = 0;
ObjNodeRef gDebugTextNode;
int32_t gVRAMEstimate = 0;

int OGL_NextDebugMode(int mode)
{
	mode++;
	return mode > DEBUG_MODE_OVERDRAW ? 0 : mode;
}

static const char* GLString(GLenum name)
{
	const GLubyte* s = glGetString(name);
	return s ? reinterpret_cast<const char*>(s) : "?";
}

OGLDebugCounters OGL_GatherDebugCounters()
{
	OGLDebugCounters c = {};
	c.inputX = gAnalogSteering.x;
	c.inputY = gAnalogSteering.y;
	if (const ObjNode* player = gPlayerNode)
	{
		c.hasPlayer = true;
		c.playerX = player->Coord.x;
		c.playerY = player->Coord.y;
		c.playerZ = player->Coord.z;
		c.playerOnGround = player->StatusBits & STATUS_BIT_ONGROUND;
		c.playerHasLink = player->LinkNode != nullptr;
	}
	c.enemies = gNumEnemies;
	c.enemyLimitReached = gMaxEnemies > 0 && gNumEnemies >= gMaxEnemies;
	// On the saucer level the player's node is the player's saucer.
	c.saucerExists = gPlayerNode && CurrentLevelDef().playerStart == PLAYER_START_FLYING_SAUCER;
	// The stores exist only while a level runs.
	c.shards = gShardPool ? Pool_Size(gShardPool) : 0;
	c.sparkles = gSparklePool ? Pool_Size(gSparklePool) : 0;
	c.particleGroups = gParticleGroupPool ? Pool_Size(gParticleGroupPool) : 0;
	return c;
}

std::string OGL_ComposeDebugText()
{
	const OGLDebugCounters counters = OGL_GatherDebugCounters();

	Tamber::MemoryStats heap = Tamber::GetMemoryStats();
	const char* driver = SDL_GetCurrentVideoDriver();
	const char* renderer = gGLContext ? GLString(GL_RENDERER) : "-";
	const char* version = gGLContext ? GLString(GL_VERSION) : "-";

	char text[1024];
	snprintf(text, sizeof(text),
			"fps:\t\t%d\ntris:\t\t%d\n\ninput x:\t%.3f\ninput y:\t%.3f\ninput a:\t%.0f\u00B0\n\n"
			"player x:\t%.3f\nplayer z:\t%.3f\nplayer y:\t%.3f\t%s%s\n\n"
			"nodes:\t%d\nenemies:\t%d%s%s\nshards:\t%d\nsparkles:\t%d\npgroups:\t%d\n\n"
			"heap:\t\t%dK, %dp\nvram:\t\t%dK\n\n\n\n\n\n\n\n\nZappatron %s, %s\n%s, OpenGL %s, %s",
			int(gFrameRate + 0.5f),
			gTrianglesThisFrame,
			counters.inputX, counters.inputY,
			std::atan2(counters.inputY, counters.inputX) * 180.0f / PI,
			counters.playerX, counters.playerZ, counters.playerY,
			counters.playerOnGround ? "G" : "", counters.playerHasLink ? "M" : "",
			gObjectCount,
			counters.enemies, counters.enemyLimitReached ? " (!!!)" : "", counters.saucerExists ? " [+ saucer]" : "",
			counters.shards, counters.sparkles, counters.particleGroups,
			int(heap.totalBytes / 1024), int(heap.liveBlocks),
			int(gVRAMEstimate / 1024),
			"4.0.1", SDL_GetRevision(),
			renderer, version, driver ? driver : "none");
	return text;
}
