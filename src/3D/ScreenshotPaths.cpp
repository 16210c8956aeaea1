#include "3D/ScreenshotPaths.h"

#include <cstring>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
	bool IsBlank(char c) { return c == ' ' || c == '\t'; }

	// "/a/b/" and "/a/./b" as "/a/b".
	fs::path Normal(const fs::path& path)
	{
		fs::path normal = path.lexically_normal();
		if (!normal.has_filename() && normal != normal.root_path())
			normal = normal.parent_path();
		return normal;
	}

	// The folder one definition line names, or false when the line is not a
	// usable definition of `key` (another key, a comment, a bad value).
	bool ParseDefinition(const std::string& line, const char* key, const std::string& home, std::string* folder)
	{
		size_t i = 0;
		while (i < line.size() && IsBlank(line[i]))
			i++;
		const size_t keyLength = std::strlen(key);
		if (line.compare(i, keyLength, key) != 0)
			return false;
		i += keyLength;
		while (i < line.size() && IsBlank(line[i]))
			i++;
		if (i >= line.size() || line[i] != '=')
			return false;		// also a longer key that starts with this one
		i++;
		while (i < line.size() && IsBlank(line[i]))
			i++;
		if (i >= line.size() || line[i] != '"')
			return false;
		i++;

		std::string value;
		bool closed = false;
		for (; i < line.size(); i++)
		{
			if (line[i] == '\\' && i + 1 < line.size())
				value += line[++i];
			else if (line[i] == '"')
			{
				closed = true;
				break;
			}
			else
				value += line[i];
		}
		if (!closed)
			return false;

		constexpr char HOME_VARIABLE[] = "$HOME";
		constexpr size_t HOME_VARIABLE_LENGTH = sizeof(HOME_VARIABLE) - 1;
		fs::path path;
		if (value.compare(0, HOME_VARIABLE_LENGTH, HOME_VARIABLE) == 0
				&& (value.size() == HOME_VARIABLE_LENGTH || value[HOME_VARIABLE_LENGTH] == '/'))
		{
			if (home.empty() || home[0] != '/')
				return false;
			path = fs::path(home + value.substr(HOME_VARIABLE_LENGTH));
		}
		else if (!value.empty() && value[0] == '/')
			path = fs::path(value);
		else
			return false;		// relative, or a variable other than $HOME

		// A switched-off folder points at the home folder itself.
		fs::path normal = Normal(path);
		*folder = (!home.empty() && normal == Normal(home)) ? std::string() : normal.string();
		return true;
	}
}

std::string ScreenshotPaths_ConfigHome(const char* xdgConfigHome, const char* home)
{
	if (xdgConfigHome && xdgConfigHome[0] == '/')
		return xdgConfigHome;
	if (home && home[0] == '/')
		return (fs::path(home) / ".config").string();
	return {};
}

std::string ScreenshotPaths_PicturesDir(const std::string& userDirsText, const std::string& home)
{
	std::string folder;
	std::istringstream lines(userDirsText);
	std::string line, found;
	while (std::getline(lines, line))
	{
		if (ParseDefinition(line, USER_DIRS_PICTURES_KEY, home, &found))
			folder = found;		// the last definition wins
	}
	return folder;
}

std::string ScreenshotPaths_FileName(const std::tm& when, int attempt)
{
	// No colons: the names must survive being copied to any file system.
	char stamp[64];
	if (std::strftime(stamp, sizeof(stamp), "%Y-%m-%d %H-%M-%S", &when) == 0)
		stamp[0] = '\0';
	std::string name = std::string(SCREENSHOT_PICTURES_SUBFOLDER) + " " + stamp;
	if (attempt > 0)
		name += " (" + std::to_string(attempt + 1) + ")";
	return name + ".png";
}

std::string ScreenshotPaths_ForDisplay(const std::string& path, const std::string& home)
{
	std::string prefix = home;
	while (prefix.size() > 1 && prefix.back() == '/')
		prefix.pop_back();
	if (prefix.size() > 1 && path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0
			&& path[prefix.size()] == '/')
		return "~" + path.substr(prefix.size());
	return path;
}
