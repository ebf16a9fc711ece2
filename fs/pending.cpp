// Placeholder until the archive reader lands: no archive, nothing found.
#include "fs/file_system.h"
#include "fs/tfile.h"

TFileSystem* FS_Init() { return reinterpret_cast<TFileSystem*>(&FileSystem); }
bool FS_LoadSPL(TFileSystem*, const char*) { return true; }
std::unique_ptr<TFile> FS_Open(TFileSystem*, const char*) { return nullptr; }
GlobalBlock FS_ReadAll(TFile&) { return {}; }
void FS_Done(TFileSystem*) {}
GlobalBlock sysLoadFile(const char*) { return {}; }
