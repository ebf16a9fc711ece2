#include "fs/file_system.h"

#include <new>

#include "fs/spl_tree.h"
#include "fs/tfile.h"

TFileSystem* FS_Init() { return new (std::nothrow) TFileSystem; }

bool FS_LoadSPL(TFileSystem* fs, const char* path) {
  if (!fs || !path) return false;
  FILE* stream = std::fopen(path, "rb");
  if (!stream) return false;
  auto* archive = new (std::nothrow) TSPLArchive;
  if (!archive) {
    std::fclose(stream);
    return false;
  }
  archive->stream = stream;
  if (fseeko(stream, 0, SEEK_END) == 0) archive->length = static_cast<uint64_t>(ftello(stream));
  std::rewind(stream);
  archive->root = FS_ReadDir(stream);
  if (!archive->root) {
    std::fclose(stream);
    delete archive;
    return false;
  }
  archive->next = fs->archives;
  fs->archives = archive;
  return true;
}

std::unique_ptr<TStdFile> FS_OpenDisk(const char* path) {
  FILE* stream = path ? std::fopen(path, "rb") : nullptr;
  if (!stream) return nullptr;
  return std::make_unique<TStdFile>(stream);
}

std::unique_ptr<TFile> FS_Open(TFileSystem* fs, const char* path) {
  if (!path) return nullptr;
  for (TSPLArchive* archive = fs ? fs->archives : nullptr; archive; archive = archive->next)
    if (auto member = FS_OpenInArchive(archive, archive->root, path)) return member;
  return FS_OpenDisk(path);
}

GlobalBlock FS_ReadAll(TFile& file) {
  const uint32_t size = file.GetSize();
  if (size > MaxFileSize || !file.Backed()) return {};
  GlobalBlock block = GlobalBlock::Alloc(size);
  if (!block) return block;
  // What cannot be read stays zero.
  file.Read(block.Lock().data(), size);
  return block;
}

GlobalBlock sysLoadFile(const char* path) {
  std::unique_ptr<TFile> file = FS_Open(FileSystem.Files, path);
  if (!file) return {};
  return FS_ReadAll(*file);
}

void FS_Done(TFileSystem* fs) {
  if (!fs) return;
  for (TSPLArchive* archive = fs->archives; archive;) {
    TSPLArchive* next = archive->next;
    if (archive->stream) std::fclose(archive->stream);
    FS_FreeDir(archive->root);
    delete archive;
    archive = next;
  }
  delete fs;
}
