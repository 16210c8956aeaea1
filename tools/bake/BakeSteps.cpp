#include "Bake.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

namespace Bake
{
	static std::map<std::string, StepFunction>& Steps()
	{
		static std::map<std::string, StepFunction> steps;
		return steps;
	}

	StepRegistrar::StepRegistrar(const char* name, StepFunction function)
	{
		if (!Steps().emplace(name, function).second)
			throw std::logic_error(std::string("bake step registered twice: ") + name);
	}

	int RunSteps(const Context& context, const std::string& filter)
	{
		int count = 0;
		for (const auto& [name, function] : Steps())
		{
			if (!filter.empty() && name.find(filter) == std::string::npos)
				continue;
			function(context);
			count++;
		}
		return count;
	}

	void WriteDataFile(const Context& context, const std::string& relativePath, const std::vector<uint8_t>& bytes)
	{
		std::filesystem::path path = context.dataDir / relativePath;
		std::filesystem::create_directories(path.parent_path());
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
		out.close();
		if (!out)
			throw std::runtime_error("can't write " + path.string());
	}

	void WriteDataFile(const Context& context, const std::string& relativePath, const std::string& text)
	{
		WriteDataFile(context, relativePath, std::vector<uint8_t>(text.begin(), text.end()));
	}

	std::string DataFolderPath(const std::string& colonPath)
	{
		std::string path = colonPath;
		if (!path.empty() && path.front() == ':')
			path.erase(0, 1);
		std::replace(path.begin(), path.end(), ':', '/');
		return path;
	}
}
