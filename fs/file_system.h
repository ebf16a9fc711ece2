#pragma once
// The file system: loaded archives first, then the disk.
#include <cstdio>
#include <memory>

#include "platform/system/system.h"

class TFile;
class TStdFile;
struct TSPLDir;

struct TSPLArchive {
  FILE* stream = nullptr;   // owned
  uint64_t length = 0;      // of the archive file when it was loaded
  TSPLDir* root = nullptr;  // owned
  TSPLArchive* next = nullptr;
};

struct TFileSystem {
  TSPLArchive* archives = nullptr;  // the archive loaded last stands first
};

// Files larger than this are refused: sizes come from the archive, and no file of the
// game comes near it.
constexpr uint32_t MaxFileSize = 256u << 20;
// A member may run past the end of its archive file, its missing bytes reading as zeros,
// but not by more than this and more than the part of it the file holds: a few bytes of
// records must not make the game take gigabytes.
constexpr uint64_t SlackPastEnd = 64u << 10;

TFileSystem* FS_Init();
bool FS_LoadSPL(TFileSystem* fs, const char* path);
std::unique_ptr<TFile> FS_Open(TFileSystem* fs, const char* path);
std::unique_ptr<TStdFile> FS_OpenDisk(const char* path);
GlobalBlock FS_ReadAll(TFile& file);
void FS_Done(TFileSystem* fs);

// The process's one file system, made by sysInit and released by sysReleaseAll.
struct FileSystemState {
  TFileSystem* Files = nullptr;
};
inline FileSystemState FileSystem;

// The whole file as a memory block, or an empty block.
GlobalBlock sysLoadFile(const char* path);
