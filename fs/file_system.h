#pragma once
// The file system: loaded archives first, then the disk.
#include <memory>

#include "platform/memblock.h"

class TFile;
struct TFileSystem;

TFileSystem* FS_Init();
bool FS_LoadSPL(TFileSystem* fs, const char* path);
std::unique_ptr<TFile> FS_Open(TFileSystem* fs, const char* path);
GlobalBlock FS_ReadAll(TFile& file);
void FS_Done(TFileSystem* fs);

// The process's one file system, made by sysInit and released by sysReleaseAll.
struct FileSystemState {
  TFileSystem* Files = nullptr;
};
inline FileSystemState FileSystem;

// The whole file as a memory block, or an empty block.
GlobalBlock sysLoadFile(const char* path);
