#include "fs/spl_writer.h"

#include <algorithm>
#include <memory>

#include "fs/file_system.h"
#include "fs/spl_tree.h"

namespace {

struct Node {
  std::map<std::string, std::unique_ptr<Node>> dirs;
  std::map<std::string, const std::vector<uint8_t>*> files;
};

constexpr size_t NameField = 255;
constexpr uint64_t Limit = 0x7FFFFFFF;

// Puts the file (or, without data, only the directories) of the path into the tree.
// Refuses whatever the game's reader would refuse: a name that does not fit its field (a
// name of 255 bytes fills it without a terminator, which the reader accepts), folders
// nested deeper than it reads, and a member larger than it loads.
bool Insert(Node& root, const std::string& path, const std::vector<uint8_t>* data,
            std::string& error) {
  Node* node = &root;
  size_t start = 0;
  for (int depth = 1;; ++depth) {
    const size_t slash = path.find('/', start);
    const std::string name = path.substr(start, slash == std::string::npos ? slash : slash - start);
    const bool isFile = slash == std::string::npos && data;
    const char* wrong = name.empty()                           ? "an empty name"
                        : name.size() > NameField              ? "a name longer than 255 bytes"
                        : name.find('\0') != std::string::npos ? "a zero byte in a name"
                        : !isFile && depth > MaxDirectoryDepth ? "folders nested deeper than 64"
                        : isFile && data->size() > MaxFileSize ? "more than 256 MiB"
                                                               : nullptr;
    if (wrong) {
      error = "'" + path + "' has " + wrong;
      return false;
    }
    if (isFile) {
      node->files[name] = data;
      return true;
    }
    auto& sub = node->dirs[name];
    if (!sub) sub = std::make_unique<Node>();
    node = sub.get();
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

void PutName(std::vector<uint8_t>& out, char tag, const std::string& name) {
  out.push_back(static_cast<uint8_t>(tag));
  const size_t at = out.size();
  out.resize(at + NameField, 0);
  std::copy_n(name.begin(), std::min(name.size(), NameField),
              out.begin() + static_cast<std::ptrdiff_t>(at));
}

void PutUint32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Records in name order (directories and files merged), with the places of the offsets.
void WriteRecords(const Node& node, const std::string& name, std::vector<uint8_t>& out,
                  std::vector<std::pair<size_t, const std::vector<uint8_t>*>>& members) {
  PutName(out, 'd', name);
  auto dir = node.dirs.begin();
  auto file = node.files.begin();
  while (dir != node.dirs.end() || file != node.files.end()) {
    const bool takeDir =
        file == node.files.end() || (dir != node.dirs.end() && dir->first < file->first);
    if (takeDir) {
      WriteRecords(*dir->second, dir->first, out, members);
      ++dir;
    } else {
      PutName(out, 'f', file->first);
      const size_t at = out.size();
      out.resize(at + 8, 0);
      PutUint32(out, at, static_cast<uint32_t>(file->second->size()));
      members.emplace_back(at + 4, file->second);
      ++file;
    }
  }
  out.push_back('e');
}

}  // namespace

bool WriteSplArchive(const SplFiles& files, std::vector<uint8_t>& out, std::string& error) {
  return WriteSplArchive(files, {}, out, error);
}

bool WriteSplArchive(const SplFiles& files, const std::set<std::string>& directories,
                     std::vector<uint8_t>& out, std::string& error) {
  Node root;
  for (const auto& [path, data] : files)
    if (!Insert(root, path, &data, error)) return false;
  for (const std::string& path : directories)
    if (!Insert(root, path, nullptr, error)) return false;
  out.clear();
  std::vector<std::pair<size_t, const std::vector<uint8_t>*>> members;
  WriteRecords(root, "", out, members);
  uint64_t total = out.size();
  for (const auto& m : members) total += m.second->size();
  if (total > Limit) {
    error = "the archive would reach 2 GiB";
    return false;
  }
  for (const auto& [offsetAt, data] : members) {
    PutUint32(out, offsetAt, static_cast<uint32_t>(out.size()));
    out.insert(out.end(), data->begin(), data->end());
  }
  return true;
}

std::vector<uint8_t> WriteSplArchive(const SplFiles& files) {
  std::vector<uint8_t> out;
  std::string error;
  if (!WriteSplArchive(files, out, error)) out.clear();
  return out;
}
