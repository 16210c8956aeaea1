// The content baker: writes the game's whole Data folder from code.
// Each kind of content is one bake step in its own file, registered with
// BAKE_STEP; the steps run in name order so the output is deterministic.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Bake
{
	struct Context
	{
		std::filesystem::path dataDir;		// the Data folder being written
	};

	using StepFunction = void (*)(const Context&);

	// Registers a step; used through BAKE_STEP at file scope.
	struct StepRegistrar
	{
		StepRegistrar(const char* name, StepFunction function);
	};

	// Runs every registered step (or only those whose name contains `filter`).
	// Returns the number of steps run.
	int RunSteps(const Context& context, const std::string& filter = "");

	// Writes bytes to dataDir/relativePath, creating folders; throws on failure.
	void WriteDataFile(const Context& context, const std::string& relativePath, const std::vector<uint8_t>& bytes);
	void WriteDataFile(const Context& context, const std::string& relativePath, const std::string& text);

	// Where a file the game names by its colon path lies under the Data
	// folder: ":System:font.sfl" → "System/font.sfl".
	std::string DataFolderPath(const std::string& colonPath);
}

#define BAKE_STEP_JOIN2(a, b) a##b
#define BAKE_STEP_JOIN(a, b) BAKE_STEP_JOIN2(a, b)
#define BAKE_STEP(name, function) \
	static Bake::StepRegistrar BAKE_STEP_JOIN(gBakeStep_, __LINE__)(name, function)
