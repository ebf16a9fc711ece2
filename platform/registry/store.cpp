// Hive files: read whole, replaced whole. Two games may run at once, so every change is
// a read-modify-write under an advisory lock on "<file>.lock", and the new text reaches
// the file only through a rename, so no reader ever sees half a file.
#include "platform/registry/store.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/system/debug.h"

namespace reg::store {
namespace {

// Larger files are not read: no hive of this game comes near it.
constexpr off_t MaxFileSize = 16 << 20;

struct StoreLayer {
  int failAfter = -1;  // replacements to let through before one fails; -1: none fails
};
StoreLayer Layer;

bool ReadToEnd(int fd, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

enum class Contents { Missing, Text, Unreadable };

// The file's bytes; a file too large to be a hive reads as text that does not parse.
Contents ReadBytes(const std::string& file, std::string& bytes) {
  bytes.clear();
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? Contents::Missing : Contents::Unreadable;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return Contents::Unreadable;
  }
  if (st.st_size > MaxFileSize) {
    close(fd);
    bytes = "(too large)";
    return Contents::Text;
  }
  const bool ok = ReadToEnd(fd, bytes);
  close(fd);
  if (!ok) return Contents::Unreadable;
  return Contents::Text;
}

// Parses the bytes; false when something in them cannot be read: `doc` then holds what
// can (the empty hive when they are no hive at all).
bool ParseOrEmpty(const std::string& file, const std::string& bytes, file::Document& doc) {
  std::string error;
  if (bytes.empty()) {
    doc = file::Empty();
    return true;
  }
  if (!file::Parse(bytes, doc, error)) {
    doc = file::Empty();
    OutputDebugString((file + ": read as empty, " + error).c_str());
    return false;
  }
  if (doc.damage.empty()) return true;
  OutputDebugString((file + ": passed over " + doc.damage).c_str());
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// A new file with exactly these bytes, on disk before this returns.
bool WriteNewFile(const std::string& file, std::string_view bytes, int extraFlags) {
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | extraFlags, 0644);
  if (fd < 0) return false;
  const bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

// A file that did not parse goes to "<file>.bad", or ".bad.1", ".bad.2", ... when
// earlier ones are there: nothing the user had is ever thrown away.
bool KeepAside(const std::string& file) {
  std::string bytes;
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ReadToEnd(fd, bytes);
  close(fd);
  if (!ok) return false;
  for (int number = 0; number < 1000; ++number) {
    const std::string aside = file + ".bad" + (number ? "." + std::to_string(number) : "");
    if (WriteNewFile(aside, bytes, O_EXCL)) return true;
    if (errno != EEXIST) return false;
  }
  return false;
}

std::string Folder(const std::string& file) { return file.substr(0, file.find_last_of('/') + 1); }

// The rename itself is made durable by flushing the folder.
void SyncFolder(const std::string& file) {
  const int fd = open(Folder(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool Replace(const std::string& file, std::string_view text) {
  const std::string temporary = file + ".tmp";
  if (!WriteNewFile(temporary, text, O_TRUNC)) {
    unlink(temporary.c_str());
    return false;
  }
  if (Layer.failAfter >= 0 && Layer.failAfter-- == 0) return false;  // as a crash leaves it
  if (rename(temporary.c_str(), file.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncFolder(file);
  return true;
}

class HiveLock {
 public:
  explicit HiveLock(const std::string& file)
      : fd(open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
    while (fd >= 0 && flock(fd, LOCK_EX) != 0) {
      if (errno != EINTR) {
        close(fd);
        fd = -1;
      }
    }
  }
  ~HiveLock() {
    if (fd >= 0) close(fd);  // releases the lock
  }
  HiveLock(const HiveLock&) = delete;
  HiveLock& operator=(const HiveLock&) = delete;
  bool Held() const { return fd >= 0; }

 private:
  int fd;
};

}  // namespace

std::string HiveFile(const char* hiveName) {
  char* folder = SDL_GetPrefPath("HalvoTeam", "Nauvrel");
  if (!folder) return {};
  std::string file = std::string(folder) + hiveName + ".reg";
  SDL_free(folder);
  return file;
}

LONG Read(const std::string& file, file::Document& doc) {
  std::string bytes;
  const Contents contents = ReadBytes(file, bytes);
  if (contents == Contents::Unreadable) return ERROR_REGISTRY_IO_FAILED;
  ParseOrEmpty(file, bytes, doc);
  return ERROR_SUCCESS;
}

LONG Update(const std::string& file, const std::function<LONG(file::Document&)>& change) {
  const HiveLock lock(file);
  if (!lock.Held()) return ERROR_REGISTRY_IO_FAILED;
  std::string bytes;
  const Contents contents = ReadBytes(file, bytes);
  if (contents == Contents::Unreadable) return ERROR_REGISTRY_IO_FAILED;
  file::Document doc;
  const bool parsed = ParseOrEmpty(file, bytes, doc);
  const LONG result = change(doc);
  if (result != ERROR_SUCCESS) return result;
  if (!parsed && !KeepAside(file)) return ERROR_REGISTRY_IO_FAILED;
  return Replace(file, file::Serialize(doc)) ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

void FailReplaceBeforeRename(int after) { Layer.failAfter = after; }

}  // namespace reg::store
