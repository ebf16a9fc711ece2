#pragma once
// The archive's directory as it is held in memory: singly linked lists, newest record first.
#include <cstdint>
#include <cstdio>
#include <memory>

struct TSPLEntry {
  char name[256] = {};
  uint32_t offset = 0;
  uint32_t size = 0;
  TSPLEntry* next = nullptr;
};

struct TSPLDir {
  char name[256] = {};
  TSPLEntry* files = nullptr;
  TSPLDir* dirs = nullptr;
  TSPLDir* next = nullptr;
};

// Directories nested deeper than this are refused: the reader recurses once per level.
constexpr int MaxDirectoryDepth = 64;

// The directory whose record starts at the stream's position, or none.
TSPLDir* FS_ReadDir(FILE* stream);
void FS_FreeDir(TSPLDir* dir);

struct TSPLArchive;
class TSPLFile;
std::unique_ptr<TSPLFile> FS_OpenInArchive(TSPLArchive* archive, TSPLDir* dir, const char* path);
