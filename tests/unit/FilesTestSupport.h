// Helpers shared by the file, resource, reader and atomic-write tests.
#pragma once

#include "Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace FilesTestSupport
{
	namespace fs = std::filesystem;

	// A fresh temporary folder, removed with everything in it at the end.
	struct TempDir
	{
		fs::path path;

		TempDir()
		{
			std::string pattern = (fs::temp_directory_path() / "zappfiles-XXXXXX").string();
			char* made = mkdtemp(pattern.data());
			if (!made)
				throw std::runtime_error("mkdtemp failed");
			path = fs::path(made);
		}
		~TempDir()
		{
			std::error_code ec;
			fs::remove_all(path, ec);
		}
		fs::path operator/(const std::string& name) const { return path / name; }
	};

	inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes)
	{
		fs::create_directories(path.parent_path());
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
	}

	inline void WriteText(const fs::path& path, const std::string& text)
	{
		WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
	}

	inline std::vector<uint8_t> ReadAll(const fs::path& path)
	{
		std::ifstream in(path, std::ios::binary);
		return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}

	// The one file in `folder` whose name starts with `prefix` ("" when there
	// is none or more than one): where a damaged file was set aside.
	inline fs::path OnlyFileStartingWith(const fs::path& folder, const std::string& prefix)
	{
		fs::path found;
		int count = 0;
		for (const fs::directory_entry& entry : fs::directory_iterator(folder))
			if (entry.path().filename().string().rfind(prefix, 0) == 0)
				found = entry.path(), count++;
		return count == 1 ? found : fs::path();
	}

	inline std::string ReadText(const fs::path& path)
	{
		std::vector<uint8_t> bytes = ReadAll(path);
		return std::string(bytes.begin(), bytes.end());
	}

	// The message of the exception f throws, which must be of type E.
	template <typename E, typename F>
	std::string ThrownMessage(F f)
	{
		try
		{
			f();
		}
		catch (const E& e)
		{
			return e.what();
		}
		catch (const std::exception& e)
		{
			ADD_FAILURE() << "threw an exception of another type: " << e.what();
			return {};
		}
		ADD_FAILURE() << "did not throw";
		return {};
	}

	// Sets (or with null, unsets) an environment variable for one scope.
	struct ScopedEnv
	{
		std::string name, old;
		bool had = false;
		ScopedEnv(const char* variable, const char* value) : name(variable)
		{
			const char* o = getenv(variable);
			had = o != nullptr;
			old = o ? o : "";
			value ? setenv(variable, value, 1) : unsetenv(variable);
		}
		~ScopedEnv() { had ? setenv(name.c_str(), old.c_str(), 1) : unsetenv(name.c_str()); }
		ScopedEnv(const ScopedEnv&) = delete;
		ScopedEnv& operator=(const ScopedEnv&) = delete;
	};

	// A test that starts the file layer afresh in its own temporary folder.
	class FileLayerTest : public ::testing::Test
	{
	protected:
		TempDir dir;
		int32_t dirID = 0;

		void SetUp() override
		{
			Tamber::Files::Init();
			dirID = Tamber::Files::GetDirectoryID(dir.path);
		}
		void TearDown() override
		{
			Tamber::Files::Shutdown();
		}

		FSSpec Spec(const char* path, OSErr expected = noErr)
		{
			FSSpec spec{};
			EXPECT_EQ(FSMakeFSSpec(0, dirID, path, &spec), expected) << path;
			return spec;
		}
	};
}
