#include "Automation/Timedemo.h"
#include "3D/OGL_Camera.h"
#include "Automation/OGL_LayerTiming.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>
#include <cstdio>
#include <functional>
#include <numeric>

static bool gTimedemoOn = false;
static std::vector<double> gFrameMs, gLogicMs, gCpuMs;
static uint64_t gFrameStart = 0, gDrawStart = 0;
static int gLastLevelFrame = -2;
static double gCpuStartSeconds = 0;			// process CPU (all threads) when the frame began

// The split of the frame by pass: set-up and clear before the first pass,
// each DrawPass, and the swap after the scene.
static constexpr int SPLIT_CLEAR = NUM_DRAW_PASSES, SPLIT_SWAP = NUM_DRAW_PASSES + 1, NUM_SPLITS = NUM_DRAW_PASSES + 2;
static const char* const kSplitNames[NUM_SPLITS] = {
	"terrain", "opaque objects", "skinned objects", "shadows", "translucent and particles", "sky",
	"water", "HUD and text", "clear and set-up", "swap",
};
static std::array<double, NUM_SPLITS> gSplitMs;
static int gSplitFrames = 0;
static long gFramesSeen = 0;
static bool gSplitting = false;				// this frame is a split frame
static int gSplitCurrent = SPLIT_CLEAR;
static uint64_t gSplitMark = 0;
static bool gSwapPending = false;

// Beside the time, what each split costs in pixels, counted by the driver:
// fragments rasterized (shaded, whether or not the depth test keeps them)
// and samples written. Optional: without the queries only the time shows.
static constexpr GLenum QUERY_FRAGMENTS_SHADED = 0x82F4;		// GL_FRAGMENT_SHADER_INVOCATIONS_ARB
static constexpr GLenum QUERY_SAMPLES_WRITTEN = 0x8914;		// GL_SAMPLES_PASSED
typedef void (*GenQueriesProc)(GLsizei, GLuint*);
typedef void (*QueryProc)(GLenum, GLuint);
typedef void (*EndQueryProc)(GLenum);
typedef void (*GetQueryObjectProc)(GLuint, GLenum, GLuint64*);
static GenQueriesProc gGenQueries = nullptr;
static QueryProc gBeginQuery = nullptr;
static EndQueryProc gEndQuery = nullptr;
static GetQueryObjectProc gGetQueryObjectui64v = nullptr;
static GLuint gQueries[2] = {0, 0};
static bool gQueriesActive = false;
static std::array<double, NUM_SPLITS> gSplitShaded, gSplitWritten;

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

	std::vector<double> logicSorted = logicMs;
	std::sort(logicSorted.begin(), logicSorted.end());
	if (!logicSorted.empty())
		s.logicP99Ms = logicSorted[std::min(logicSorted.size() - 1, logicSorted.size() * 99 / 100)];

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

static double ProcessCpuSeconds()
{
	timespec t = {};
	clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
	return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

static void SetUpQueries()
{
	if (gQueries[0])
		return;
	const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
	if (!extensions || !std::strstr(extensions, "GL_ARB_pipeline_statistics_query"))
		return;
	gGenQueries = reinterpret_cast<GenQueriesProc>(SDL_GL_GetProcAddress("glGenQueries"));
	gBeginQuery = reinterpret_cast<QueryProc>(SDL_GL_GetProcAddress("glBeginQuery"));
	gEndQuery = reinterpret_cast<EndQueryProc>(SDL_GL_GetProcAddress("glEndQuery"));
	gGetQueryObjectui64v = reinterpret_cast<GetQueryObjectProc>(SDL_GL_GetProcAddress("glGetQueryObjectui64v"));
	if (gGenQueries && gBeginQuery && gEndQuery && gGetQueryObjectui64v)
		gGenQueries(2, gQueries);
}

static void BeginSplitQueries()
{
	if (!gQueries[0])
		return;
	gBeginQuery(QUERY_FRAGMENTS_SHADED, gQueries[0]);
	gBeginQuery(QUERY_SAMPLES_WRITTEN, gQueries[1]);
	gQueriesActive = true;
}

// Waits for the renderer and charges the time (and pixels) since the last
// mark to the current split.
static void SplitMark()
{
	if (gQueriesActive)
	{
		gEndQuery(QUERY_FRAGMENTS_SHADED);
		gEndQuery(QUERY_SAMPLES_WRITTEN);
	}
	glFinish();
	uint64_t now = SDL_GetPerformanceCounter();
	gSplitMs[size_t(gSplitCurrent)] += ElapsedMs(gSplitMark, now);
	if (gQueriesActive)
	{
		GLuint64 shaded = 0, written = 0;
		gGetQueryObjectui64v(gQueries[0], GL_QUERY_RESULT, &shaded);
		gGetQueryObjectui64v(gQueries[1], GL_QUERY_RESULT, &written);
		gSplitShaded[size_t(gSplitCurrent)] += double(shaded);
		gSplitWritten[size_t(gSplitCurrent)] += double(written);
		gQueriesActive = false;
	}
	gSplitMark = SDL_GetPerformanceCounter();		// the query read-back is not the next pass's
}

void StartTimedemo(size_t expectedFrames)
{
	gTimedemoOn = true;
	gFrameMs.clear();
	gLogicMs.clear();
	gCpuMs.clear();
	gFrameMs.reserve(expectedFrames);
	gCpuMs.reserve(expectedFrames);
	gLogicMs.reserve(expectedFrames);
	gLastLevelFrame = -2;
	gSplitMs.fill(0);
	gSplitShaded.fill(0);
	gSplitWritten.fill(0);
	gSplitFrames = 0;
	gFramesSeen = 0;
	gSplitting = gSwapPending = false;
}

void TimedemoFrameBegins(int levelFrame)
{
	if (!gTimedemoOn)
		return;
	uint64_t now = SDL_GetPerformanceCounter();
	double cpu = ProcessCpuSeconds();
	// Only a frame that followed the previous one in the same level counts.
	bool follows = levelFrame == gLastLevelFrame + 1 && gDrawStart >= gFrameStart;
	if (follows && gSplitting && gSwapPending)
	{
		gSplitMs[SPLIT_SWAP] += ElapsedMs(gSplitMark, now);
		gSplitFrames++;
	}
	else if (follows && !gSplitting)
	{
		gFrameMs.push_back(ElapsedMs(gFrameStart, now));
		gLogicMs.push_back(ElapsedMs(gFrameStart, gDrawStart));
		gCpuMs.push_back((cpu - gCpuStartSeconds) * 1000.0);
	}
	gLastLevelFrame = levelFrame;
	gFrameStart = now;
	gCpuStartSeconds = cpu;
	gDrawStart = 0;
	gSplitting = ++gFramesSeen % TIMEDEMO_SPLIT_EVERY == 0;
	gSwapPending = false;
}

void TimedemoDrawBegins()
{
	if (!gTimedemoOn)
		return;
	gDrawStart = SDL_GetPerformanceCounter();
	if (gSplitting)
	{
		SetUpQueries();
		gSplitMark = gDrawStart;
		gSplitCurrent = SPLIT_CLEAR;
		BeginSplitQueries();
	}
}

void TimedemoDrawPassBegins(DrawPass pass)
{
	if (!gTimedemoOn || !gSplitting || gDrawStart == 0)
		return;
	SplitMark();
	gSplitCurrent = pass;
	BeginSplitQueries();
}

void TimedemoFrameDrawn()
{
	if (!gTimedemoOn || !gSplitting || gDrawStart == 0)
		return;
	SplitMark();
	gSplitCurrent = SPLIT_SWAP;
	gSwapPending = true;
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
	// CPU time (the game's and the renderer's threads together) barely grows on
	// a busy machine, where the wall-clock figures do.
	TimedemoSummary cpu = SummarizeTimedemo(gCpuMs, std::vector<double>(gCpuMs.size(), 0.0));
	printf("timedemo: logic p99 %.3f ms; CPU (all threads) median %.2f ms, 1%% low %.2f ms per frame\n",
			s.logicP99Ms, cpu.medianMs, cpu.onePercentLowMs);
	if (gSplitFrames > 0)
	{
		double splitTotal = 0;
		for (double ms : gSplitMs)
			splitTotal += ms;
		printf("timedemo: pass split over %d frames (each waits for the renderer between passes): %.2f ms a frame\n",
				gSplitFrames, splitTotal / gSplitFrames);
		// Pixels in screenfuls of the view.
		double screen = double(std::max(1, width * height)) * gSplitFrames;
		for (int i = 0; i < NUM_SPLITS; i++)
		{
			size_t k = size_t(i);
			printf("timedemo: pass %-26s %6.2f ms %4.0f%%", kSplitNames[i], gSplitMs[k] / gSplitFrames,
					splitTotal > 0 ? 100.0 * gSplitMs[k] / splitTotal : 0.0);
			if (gQueries[0] && i != SPLIT_SWAP)
				printf("   %5.2f screens shaded, %5.2f written", gSplitShaded[k] / screen, gSplitWritten[k] / screen);
			printf("\n");
		}
	}
	double layerMs = OGL_TimeFullScreenLayers(TIMEDEMO_LAYERS);
	printf("timedemo: full-screen layer (textured, lit, fogged) %.3f ms; median frame = %.1f layers\n",
			layerMs, layerMs > 0 ? s.medianMs / layerMs : 0.0);
	fflush(stdout);
	gTimedemoOn = false;
}
