#include "System/DataFiles.h"
#include "System/Boot.h"
#include "Files.h"

OSErr MakeDataFileSpec(const char* colonPath, FSSpec* spec)
{
	return FSMakeFSSpec(gDataFolderSpec.vRefNum, gDataFolderSpec.parID, colonPath, spec);
}

bool DataFileExists(const char* colonPath)
{
	FSSpec spec;
	return MakeDataFileSpec(colonPath, &spec) == noErr;
}

OSErr ReadDataFork(const FSSpec* spec, std::vector<uint8_t>* bytes)
{
	int16_t refNum = -1;
	OSErr err = FSpOpenDF(spec, fsRdPerm, &refNum);
	if (err != noErr)
		return err;
	int32_t size = 0;
	err = GetEOF(refNum, &size);
	if (err == noErr)
	{
		bytes->resize(size_t(size));
		int32_t count = size;
		err = FSRead(refNum, &count, bytes->data());
		if (err == noErr && count != size)
			err = eofErr;
	}
	FSClose(refNum);
	return err;
}

OSErr ReadDataFile(const char* colonPath, std::vector<uint8_t>* bytes)
{
	FSSpec spec;
	OSErr err = MakeDataFileSpec(colonPath, &spec);
	if (err != noErr)
		return err;
	return ReadDataFork(&spec, bytes);
}
