// splpack: writes, lists and unpacks the game's archives.
//   splpack create OUT.spl DIR     an archive of the tree under DIR
//   splpack list FILE.spl          PATH<TAB>SIZE<TAB>OFFSET for every file record, in file order;
//                                  in a path \\, \t, \n and \xHH stand for a backslash, a TAB, a
//                                  newline and any other control byte
//   splpack extract FILE.spl DIR   every member the game can reach, written under DIR
// Whether an archive is good is decided by the game's own reader (FS_ReadDir). Any failure
// ends with one line on standard error, "splpack: FILE: what is wrong", and status 1;
// nothing is written for an archive that is refused.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_records.h"
#include "fs/spl_tree.h"
#include "fs/spl_writer.h"
#include "fs/tfile.h"

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

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// ---- create ----------------------------------------------------------------------------

int Create(const std::string& archive, const std::string& dir) {
  std::error_code ec;
  if (!fsys::is_directory(dir, ec)) return Fail(dir, "not a directory");
  SplFiles files;
  std::set<std::string> directories;  // so that empty folders come back on extraction
  auto it = fsys::recursive_directory_iterator(dir, ec);
  if (ec) return Fail(dir, ec.message());
  for (; it != fsys::end(it); it.increment(ec)) {
    if (ec) return Fail(dir, ec.message());
    std::error_code kind;
    const fsys::path& here = it->path();
    const std::string path = here.lexically_relative(dir).generic_string();
    // A folder reached through a link is not followed, and the archive being written is
    // not put into itself when it lies inside the tree.
    if (it->is_symlink(kind) && it->is_directory(kind)) continue;
    if (it->is_directory(kind)) {
      directories.insert(path);
    } else if (it->is_regular_file(kind)) {
      if (fsys::equivalent(here, archive, kind)) continue;
      // Refused unread: the game would not load it.
      if (it->file_size(kind) > MaxFileSize)
        return Fail(dir, "'" + path + "' has more than 256 MiB");
      if (!ReadWhole(here, files[path])) return Fail(here.string(), "cannot be read");
    }  // sockets, pipes and devices are no files of a tree
  }
  if (ec) return Fail(dir, ec.message());
  std::vector<uint8_t> bytes;
  std::string error;
  if (!WriteSplArchive(files, directories, bytes, error)) return Fail(dir, error);
  if (!WriteWhole(archive, bytes)) return Fail(archive, "cannot be written");
  return 0;
}

// ---- list ------------------------------------------------------------------------------

// One line per record however odd its name: a TAB or a newline in it cannot be taken for
// the separators.
std::string Escaped(const std::string& path) {
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

int List(const std::string& archive) {
  FILE* stream = std::fopen(archive.c_str(), "rb");
  if (!stream) return Fail(archive, Reason("cannot be opened"));
  // The game's reader judges the archive; the records are then listed in file order.
  TSPLDir* root = FS_ReadDir(stream);
  std::vector<SplRecord> records;
  const bool listed =
      root && std::fseek(stream, 0, SEEK_SET) == 0 && ListSplRecords(stream, records);
  FS_FreeDir(root);
  std::fclose(stream);
  if (!root) return Fail(archive, "not a valid archive (bad, truncated or too deep a directory)");
  if (!listed) return Fail(archive, "changed while it was read");
  std::string out;
  for (const SplRecord& r : records)
    out += Escaped(r.path) + "\t" + std::to_string(r.size) + "\t" + std::to_string(r.offset) + "\n";
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
    return Fail("standard output", "cannot be written");
  return 0;
}

// ---- extract ---------------------------------------------------------------------------

struct Member {
  std::string path;
  TSPLEntry* entry;
};

// Every file and folder a lookup can reach: names that are not empty and hold no '/',
// and among equal names in one directory the one recorded last (the first in its list).
void Reachable(TSPLDir* dir, const std::string& prefix, std::vector<Member>& files,
               std::vector<std::string>& folders) {
  const auto usable = [](const char* name) { return *name && !std::strchr(name, '/'); };
  std::set<std::string> seen;
  for (TSPLEntry* e = dir->files; e; e = e->next)
    if (usable(e->name) && seen.insert(e->name).second) files.push_back({prefix + e->name, e});
  seen.clear();
  for (TSPLDir* d = dir->dirs; d; d = d->next)
    if (usable(d->name) && seen.insert(d->name).second) {
      folders.push_back(prefix + d->name);
      Reachable(d, prefix + d->name + "/", files, folders);
    }
}

// "." and ".." cannot be written as names of their own (and ".." would climb out of DIR).
const char* Unwritable(const std::string& path) {
  for (const auto& part : fsys::path(path))
    if (part == "." || part == "..") return "cannot be written: '.' and '..' are no names on disk";
  return nullptr;
}

int Extract(const std::string& archive, const std::string& dir) {
  TFileSystem* files = FS_Init();
  if (!files) return Fail(archive, "out of memory");
  errno = 0;
  if (!FS_LoadSPL(files, archive.c_str())) {
    FS_Done(files);
    std::error_code ec;
    if (!fsys::exists(archive, ec)) return Fail(archive, "cannot be opened: no such file");
    FILE* probe = std::fopen(archive.c_str(), "rb");
    if (!probe) return Fail(archive, Reason("cannot be opened"));
    std::fclose(probe);
    return Fail(archive, "not a valid archive (bad, truncated or too deep a directory)");
  }
  TSPLArchive* loaded = files->archives;
  std::vector<Member> members;
  std::vector<std::string> folders;
  Reachable(loaded->root, "", members, folders);

  // Everything is checked before anything is written.
  std::error_code ec;
  const uint64_t length = fsys::file_size(archive, ec);
  const std::set<std::string> folderSet(folders.begin(), folders.end());
  uint64_t zeroFill = 0;  // bytes claimed past the end of the archive file, all together
  const char* wrong = nullptr;
  std::string which;
  for (const Member& m : members) {
    const bool backed = TSPLFile(loaded, m.entry).Backed();
    const uint64_t end = uint64_t{m.entry->offset} + m.entry->size;
    zeroFill += end > length ? end - std::max<uint64_t>(length, m.entry->offset) : 0;
    wrong = Unwritable(m.path);
    wrong = wrong                         ? wrong
            : folderSet.count(m.path)     ? "is both a file and a folder"
            : m.entry->size > MaxFileSize ? "claims an absurd size (more than 256 MiB)"
            : !backed                     ? "runs far past the end of the archive"
            : zeroFill > MaxFileSize      ? "and the members before it claim more than "
                                            "256 MiB past the end of the archive"
                                          : nullptr;
    if (wrong) {
      which = m.path;
      break;
    }
  }
  for (const std::string& f : folders) {
    if (wrong) break;
    if ((wrong = Unwritable(f))) which = f;
  }
  if (wrong) {
    FS_Done(files);
    return Fail(archive, "member '" + which + "' " + wrong);
  }

  int status = 0;
  fsys::create_directories(dir, ec);
  if (ec) status = Fail(dir, "cannot be made: " + ec.message());
  for (const std::string& f : folders) {
    if (status) break;
    fsys::create_directories(fsys::path(dir) / f, ec);
    if (ec) status = Fail((fsys::path(dir) / f).string(), "cannot be made: " + ec.message());
  }
  for (const Member& m : members) {
    if (status) break;
    auto file = FS_OpenInArchive(loaded, loaded->root, m.path.c_str());
    // What the archive file lacks of a member's range stays zero, as for the game.
    std::vector<uint8_t> data(file ? file->GetSize() : 0);
    if (!data.empty()) file->Read(data.data(), static_cast<uint32_t>(data.size()));
    const fsys::path target = fsys::path(dir) / m.path;
    if (!WriteWhole(target, data)) status = Fail(target.string(), "cannot be written");
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
  std::fprintf(
      stderr,
      "splpack: usage: splpack create OUT.spl DIR | list FILE.spl | extract FILE.spl DIR\n"
      "  list prints PATH<TAB>SIZE<TAB>OFFSET a line; in PATH, \\\\ \\t \\n and \\xHH stand\n"
      "  for a backslash, a TAB, a newline and any other control byte\n");
  return 1;
}
