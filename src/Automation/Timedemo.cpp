#include "Automation/Timedemo.h"
#include "3D/OGL_Camera.h"
#include "Automation/OGL_LayerTiming.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <numeric>

static bool gTimedemoOn = false;
static std::vector<double> gFrameMs, gLogicMs;
static uint64_t gFrameStart = 0, gDrawStart = 0;
static int gLastLevelFrame = -2;

TimedemoSummary SummarizeTimedemo(const std::vector<double>& frameMs, const std::vector<double>& logicMs)
{
	TimedemoSummary s;
	s.frames = frameMs.size();
	if (frameMs.empty())
		return s;
	double total = std::accumulate(frameMs.begin(), frameMs.end(), 0.0);
	double logic = std::accumulate(logicMs.begin(), logicMs.end(), 0.0);
	s.averageFps = total > 0 ? double(s.frames) * 1000.0 / total : 0;
	s.logicMs = logic / double(s.frames);
	s.drawMs = (total - logic) / double(s.frames);

	std::vector<double> sorted = frameMs;
	std::sort(sorted.begin(), sorted.end());
	size_t n = sorted.size();
	s.medianMs = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) * 0.5;
	size_t slowest = std::max<size_t>(1, n / 100);
	s.onePercentLowMs = std::accumulate(sorted.end() - ptrdiff_t(slowest), sorted.end(), 0.0) / double(slowest);
	return s;
}

static double ElapsedMs(uint64_t from, uint64_t to)
{
	return double(to - from) * 1000.0 / double(SDL_GetPerformanceFrequency());
}

void StartTimedemo(size_t expectedFrames)
{
	gTimedemoOn = true;
	gFrameMs.clear();
	gLogicMs.clear();
	gFrameMs.reserve(expectedFrames);
	gLogicMs.reserve(expectedFrames);
	gLastLevelFrame = -2;
}

void TimedemoFrameBegins(int levelFrame)
{
	if (!gTimedemoOn)
		return;
	uint64_t now = SDL_GetPerformanceCounter();
	// Only a frame that followed the previous one in the same level counts.
	if (levelFrame == gLastLevelFrame + 1 && gDrawStart >= gFrameStart)
	{
		gFrameMs.push_back(ElapsedMs(gFrameStart, now));
		gLogicMs.push_back(ElapsedMs(gFrameStart, gDrawStart));
	}
	gLastLevelFrame = levelFrame;
	gFrameStart = now;
	gDrawStart = 0;
}

void TimedemoDrawBegins()
{
	if (gTimedemoOn)
		gDrawStart = SDL_GetPerformanceCounter();
}

void PrintTimedemoReport()
{
	if (!gTimedemoOn)
		return;
	TimedemoSummary s = SummarizeTimedemo(gFrameMs, gLogicMs);
	int x, y, width, height;
	OGL_GetViewport(&x, &y, &width, &height);
	printf("timedemo: %dx%d, %zu frames, %.1f fps average, median %.2f ms, 1%% low %.2f ms\n",
			width, height, s.frames, s.averageFps, s.medianMs, s.onePercentLowMs);
	double frameMs = s.logicMs + s.drawMs;
	double share = frameMs > 0 ? 100.0 / frameMs : 0;
	printf("timedemo: logic %.3f ms (%.0f%%), drawing %.3f ms (%.0f%%) per frame\n",
			s.logicMs, s.logicMs * share, s.drawMs, s.drawMs * share);
	double layerMs = OGL_TimeFullScreenLayers(TIMEDEMO_LAYERS);
	printf("timedemo: full-screen layer (textured, lit, fogged) %.3f ms; median frame = %.1f layers\n",
			layerMs, layerMs > 0 ? s.medianMs / layerMs : 0.0);
	fflush(stdout);
	gTimedemoOn = false;
}
