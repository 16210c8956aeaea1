// The host volume: directory IDs over host folders and name resolution.
#include "FilesInternal.h"
#include "FilesAppleDouble.h"
#include "DataReaders.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace fs = std::filesystem;

namespace Tamber::Files
{
	namespace
	{
		constexpr const char* SIDECAR_EXTENSION = ".rsrc";

		std::string UpperASCII(std::string s)
		{
			for (char& c : s)
				if (c >= 'a' && c <= 'z')
					c = char(c - 'a' + 'A');
			return s;
		}

		bool EndsWith(const std::string& s, const std::string& suffix)
		{
			return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
		}

		// Absolute and lexically normal, without a trailing separator, so equal
		// folders give equal strings.
		fs::path CanonicalForm(const fs::path& hostPath)
		{
			std::error_code ec;
			fs::path p = fs::absolute(hostPath, ec);
			if (ec)
				p = hostPath;
			p = p.lexically_normal();
			if (!p.has_filename() && p.has_relative_path())
				p = p.parent_path();
			return p;
		}
	}

	bool IsPlainFileName(const std::string& name)
	{
		return !name.empty() && name != "." && name != ".."
			&& name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
	}

	void SetSpecName(FSSpec& spec, const std::string& name)
	{
		size_t n = name.size();
		if (n > 255)
		{
			n = 255;
			while (n > 0 && (uint8_t(name[n]) & 0xC0) == 0x80)	// don't split a UTF-8 sequence
				n--;
		}
		std::memcpy(spec.name, name.data(), n);
		spec.name[n] = '\0';
	}

	fs::path LookUpComponent(const fs::path& dir, const std::string& component, bool isFolder, bool& found)
	{
		std::error_code ec;
		fs::path direct = dir / component;
		if (fs::exists(fs::symlink_status(direct, ec)))
		{
			found = true;
			return direct;
		}

		found = false;
		if (!fs::is_directory(dir, ec))
			return direct;

		// Case-insensitive scan. When several names match, a real file beats a
		// sidecar, then the smallest name wins, so the choice never depends on
		// the order in which the host lists the folder.
		const std::string wanted = UpperASCII(component);
		std::string best;
		bool bestIsSidecar = true;
		for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
		{
			std::error_code typeError;
			bool isDirectory = it->is_directory(typeError);
			if (isFolder && !isDirectory)
				continue;
			std::string name = it->path().filename().string();
			bool isSidecar = false;
			if (!isDirectory && it->is_regular_file(typeError) && EndsWith(name, SIDECAR_EXTENSION))
			{
				name.resize(name.size() - std::strlen(SIDECAR_EXTENSION));
				isSidecar = true;
			}
			if (UpperASCII(name) != wanted)
				continue;
			if (!found || (bestIsSidecar && !isSidecar) || (bestIsSidecar == isSidecar && name < best))
			{
				best = name;
				bestIsSidecar = isSidecar;
				found = true;
			}
		}
		return found ? dir / best : direct;
	}

	// -----------------------------------------------------------------------

	HostForkHandle::HostForkHandle(const fs::path& path, int8_t permission)
	{
		std::ios::openmode mode = std::ios::binary;
		if (permission & fsRdPerm)
			mode |= std::ios::in;
		if (permission & fsWrPerm)
			mode |= std::ios::out;
		mStream.open(path, mode);
	}

	// -----------------------------------------------------------------------

	HostVolume::HostVolume(int16_t vRefNum)
		: mVRefNum(vRefNum)
	{
		fs::path cwd = fs::current_path();	// throws "current_path()" when the host can't tell
		GetDirectoryID(cwd);
	}

	int32_t HostVolume::GetDirectoryID(const fs::path& hostPath)
	{
		fs::path p = CanonicalForm(hostPath);
		std::error_code ec;
		fs::file_status status = fs::status(p, ec);
		if (fs::exists(status) && !fs::is_directory(status))
			std::cerr << "Warning: GetDirectoryID should only be used on directories! " << p.string() << "\n";

		auto it = mDirectoryIndex.find(p.string());
		if (it != mDirectoryIndex.end())
			return it->second;
		int32_t id = int32_t(mDirectories.size());
		mDirectories.push_back(p);
		mDirectoryIndex.emplace(p.string(), id);
		return id;
	}

	const fs::path& HostVolume::GetDirectoryPath(int32_t dirID) const
	{
		if (dirID < 0 || size_t(dirID) >= mDirectories.size())
			throw std::runtime_error("HostVolume::FSMakeFSSpec: directory ID not registered.");
		return mDirectories[size_t(dirID)];
	}

	fs::path HostVolume::GetHostPath(const FSSpec& spec) const
	{
		std::string name(spec.name, strnlen(spec.name, sizeof(spec.name)));
		return (GetDirectoryPath(spec.parID) / name).lexically_normal();
	}

	FSSpec HostVolume::MakeSpec(const fs::path& hostPath)
	{
		fs::path p = CanonicalForm(hostPath);
		FSSpec spec{};
		spec.vRefNum = mVRefNum;
		spec.parID = GetDirectoryID(p.parent_path());
		SetSpecName(spec, p.filename().string());
		return spec;
	}

	OSErr HostVolume::FSMakeFSSpec(int32_t dirID, const char* path, FSSpec* spec)
	{
		fs::path current = GetDirectoryPath(dirID);
		std::error_code ec;
		bool found = fs::exists(current, ec);

		std::string rest = path ? path : "";
		if (!rest.empty() && rest[0] == ':')
			rest.erase(0, 1);

		// Split at ':'; every piece but the last names a folder. A trailing ':'
		// leaves no file piece: the path then names the folder itself.
		std::vector<std::string> pieces;
		size_t start = 0;
		for (;;)
		{
			size_t colon = rest.find(':', start);
			pieces.push_back(rest.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
			if (colon == std::string::npos)
				break;
			start = colon + 1;
		}
		bool trailingColon = !rest.empty() && pieces.back().empty();
		if (trailingColon)
			pieces.pop_back();

		for (size_t i = 0; i < pieces.size(); i++)
		{
			const std::string& piece = pieces[i];
			bool isFolder = trailingColon || i + 1 < pieces.size();
			if (piece.empty())
			{
				if (isFolder)		// "::" climbs one folder and keeps the result so far
					current = current.parent_path();
				continue;
			}
			// A piece must stay one name inside its folder: "/" or ".." in a
			// path built from data would reach anywhere on the host.
			if (!IsPlainFileName(piece))
				return bdNamErr;
			current = LookUpComponent(current, piece, isFolder, found);
		}

		fs::path item = CanonicalForm(current);
		spec->vRefNum = mVRefNum;
		spec->parID = GetDirectoryID(item.parent_path());
		SetSpecName(*spec, item.filename().string());
		return found ? noErr : fnfErr;
	}

	OSErr HostVolume::OpenFork(const FSSpec& spec, int forkType, int8_t permission, std::unique_ptr<ForkHandle>& fork)
	{
		if (permission == fsCurPerm || (forkType == FORK_RESOURCE && (permission & fsWrPerm)))
			return unimpErr;
		if (!IsPlainFileName(std::string(spec.name, strnlen(spec.name, sizeof(spec.name)))))
			return bdNamErr;

		fs::path path = GetHostPath(spec);
		if (forkType == FORK_RESOURCE)
			path += SIDECAR_EXTENSION;

		std::error_code ec;
		fs::file_status status = fs::status(path, ec);
		if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory)
			throw fs::filesystem_error("status", path, ec);
		if (!fs::is_regular_file(status))
			return fnfErr;

		auto handle = std::make_unique<HostForkHandle>(path, permission);
		handle->forkType = forkType;
		handle->permission = permission;
		handle->spec = spec;
		handle->hostPath = path;
		if (!handle->IsOpen())
		{
			fork.reset();
			return ioErr;
		}

		if (forkType == FORK_RESOURCE)
		{
			uint64_t fileSize = fs::file_size(path, ec);
			if (ec)
				return ioErr;
			try
			{
				ForkRange range = ReadAppleDoubleHeader(handle->GetStream(), fileSize);
				handle->forkBase = range.offset;
				handle->forkLength = range.length;
				handle->bounded = true;
			}
			catch (const MalformedData& e)
			{
				std::cerr << "OpenFork: " << path.string() << ": " << e.what() << "\n";
				return mapReadErr;
			}
			catch (const std::out_of_range& e)		// the file shrank under us
			{
				std::cerr << "OpenFork: " << path.string() << ": " << e.what() << "\n";
				return mapReadErr;
			}
		}

		fork = std::move(handle);
		return noErr;
	}

	OSErr HostVolume::FSpCreate(const FSSpec& spec)
	{
		if (!IsPlainFileName(std::string(spec.name, strnlen(spec.name, sizeof(spec.name)))))
			return bdNamErr;
		fs::path path = GetHostPath(spec);
		errno = 0;
		std::ofstream out(path, std::ios::binary | std::ios::trunc);
		if (!out.is_open())
			return errno ? ErrnoToOSErr(errno) : OSErr(ioErr);
		out.close();
		return out.fail() ? ioErr : noErr;
	}

	OSErr HostVolume::FSpDelete(const FSSpec& spec)
	{
		if (!IsPlainFileName(std::string(spec.name, strnlen(spec.name, sizeof(spec.name)))))
			return bdNamErr;
		fs::path path = GetHostPath(spec);
		std::error_code ec;
		bool removed = fs::remove(path, ec);
		if (ec)
			throw fs::filesystem_error("remove", path, ec);
		return removed ? noErr : fnfErr;
	}

	OSErr HostVolume::DirCreate(int32_t parentDirID, const char* name, int32_t* createdDirID)
	{
		try
		{
			std::string folderName = name ? name : "";
			if (!IsPlainFileName(folderName) || folderName.find(':') != std::string::npos)
				return bdNamErr;
			fs::path path = (GetDirectoryPath(parentDirID) / folderName).lexically_normal();

			std::error_code ec;
			fs::file_status status = fs::status(path, ec);
			if (fs::is_directory(status))
				return noErr;
			if (fs::exists(status))
			{
				std::cerr << "DirCreate" << ": a file with the same name already exists: " << path.string() << "\n";
				return bdNamErr;
			}
			fs::create_directory(path);		// throws "create_directory"
			if (createdDirID)
				*createdDirID = GetDirectoryID(path);
			return noErr;
		}
		catch (const std::exception& e)
		{
			std::cerr << "DirCreate" << " threw " << e.what() << "\n";
			return ioErr;
		}
	}
}
