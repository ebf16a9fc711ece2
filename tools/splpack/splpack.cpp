// splpack: writes, lists and unpacks the game's archives.
//   splpack create OUT.spl DIR | list FILE.spl | extract FILE.spl DIR
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_tree.h"
#include "fs/spl_writer.h"
#include "fs/tfile.h"
#include "spl_records.h"

namespace fsys = std::filesystem;

namespace {

int Fail(const std::string& file, const std::string& what) {
  std::fprintf(stderr, "splpack: %s: %s\n", file.c_str(), what.c_str());
  return 1;
}

bool ReadWhole(const fsys::path& path, std::vector<uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteWhole(const fsys::path& path, const std::vector<uint8_t>& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(out.flush());
}

int Create(const std::string& archive, const std::string& dir) {
  std::error_code ec;
  if (!fsys::is_directory(dir, ec)) return Fail(dir, "not a directory");
  SplFiles files;
  for (auto it = fsys::recursive_directory_iterator(dir, ec); !ec && it != fsys::end(it);
       it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string path = fsys::relative(it->path(), dir, ec).generic_string();
    if (!ReadWhole(it->path(), files[path])) return Fail(it->path().string(), "cannot be read");
  }
  if (ec) return Fail(dir, ec.message());
  std::vector<uint8_t> bytes;
  std::string error;
  if (!WriteSplArchive(files, bytes, error)) return Fail(archive, error);
  if (!WriteWhole(archive, bytes)) return Fail(archive, "cannot be written");
  return 0;
}

// The game's own reader decides whether an archive is good.
bool Accepted(const std::string& archive, std::string& why) {
  FILE* stream = std::fopen(archive.c_str(), "rb");
  if (!stream) {
    why = "cannot be opened";
    return false;
  }
  TSPLDir* root = FS_ReadDir(stream);
  std::fclose(stream);
  if (!root) {
    why = "not a valid archive (bad or truncated directory)";
    return false;
  }
  FS_FreeDir(root);
  return true;
}

int List(const std::string& archive) {
  std::string why;
  if (!Accepted(archive, why)) return Fail(archive, why);
  std::vector<uint8_t> bytes;
  if (!ReadWhole(archive, bytes)) return Fail(archive, "cannot be read");
  for (const SplRecord& r : ListSplRecords(bytes))
    std::printf("%s\t%u\t%u\n", r.path.c_str(), r.size, r.offset);
  return 0;
}

// Every member a lookup can reach: in each directory the newest of equal names.
void Reachable(TSPLDir* dir, const std::string& prefix, std::vector<std::string>& out) {
  std::set<std::string> seen;
  for (TSPLEntry* e = dir->files; e; e = e->next)
    if (seen.insert(e->name).second) out.push_back(prefix + e->name);
  seen.clear();
  for (TSPLDir* d = dir->dirs; d; d = d->next)
    if (seen.insert(d->name).second) Reachable(d, prefix + d->name + "/", out);
}

bool SafeToWrite(const std::string& path) {
  for (const auto& part : fsys::path(path))
    if (part == ".." || part == "." || part.empty()) return false;
  return !path.empty() && path.front() != '/' && path.find('\\') == std::string::npos;
}

int Extract(const std::string& archive, const std::string& dir) {
  TFileSystem* files = FS_Init();
  if (!files || !FS_LoadSPL(files, archive.c_str())) {
    FS_Done(files);
    std::string why;
    Accepted(archive, why);
    return Fail(archive, why.empty() ? "cannot be loaded" : why);
  }
  std::vector<std::string> members;
  Reachable(files->archives->root, "", members);
  // Refuse before anything is written.
  for (const std::string& m : members) {
    auto file = FS_OpenInArchive(files->archives, files->archives->root, m.c_str());
    const char* wrong = !SafeToWrite(m) ? "would be written outside the folder"
                        : file && file->GetSize() > MaxFileSize ? "claims an absurd size"
                                                                : nullptr;
    if (wrong) {
      FS_Done(files);
      return Fail(archive, "member '" + m + "' " + wrong);
    }
  }
  int status = 0;
  for (const std::string& m : members) {
    auto file = FS_OpenInArchive(files->archives, files->archives->root, m.c_str());
    std::vector<uint8_t> data(file ? file->GetSize() : 0);
    if (!data.empty()) file->Read(data.data(), static_cast<uint32_t>(data.size()));
    const fsys::path target = fsys::path(dir) / m;
    std::error_code ec;
    fsys::create_directories(target.parent_path(), ec);
    if (ec || !WriteWhole(target, data)) {
      status = Fail(target.string(), "cannot be written");
      break;
    }
  }
  FS_Done(files);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "create") return Create(args[1], args[2]);
  if (args.size() == 2 && args[0] == "list") return List(args[1]);
  if (args.size() == 3 && args[0] == "extract") return Extract(args[1], args[2]);
  std::fprintf(stderr,
               "usage: splpack create OUT.spl DIR | list FILE.spl | extract FILE.spl DIR\n");
  return 1;
}
