#pragma once
// Archives record by record, for layouts that no writer of ours makes: any order, equal
// names, names with odd bytes, sizes and offsets of any value, cuts anywhere; and the
// bytes read back with the game's reader and with the archive tool's record walk.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fs/file_system.h"
#include "fs/spl_records.h"
#include "fs/spl_tree.h"
#include "fs/tfile.h"

struct RawArchive {
  std::vector<uint8_t> b;
  // Members whose data Build() appends behind the records: where their offset stands.
  std::vector<std::pair<size_t, std::string>> pending;

  RawArchive& Dir(const std::string& name) { return Named('d', name); }
  RawArchive& End() {
    b.push_back('e');
    return *this;
  }
  RawArchive& File(const std::string& name, uint32_t size, uint32_t offset) {
    Named('f', name);
    Put(size);
    Put(offset);
    return *this;
  }
  // A file record whose data Build() places behind everything written so far; it claims
  // `size` bytes, by default as many as `data` holds.
  RawArchive& File(const std::string& name, const std::string& data, int64_t size = -1) {
    File(name, static_cast<uint32_t>(size < 0 ? data.size() : size), 0);
    pending.emplace_back(b.size() - 4, data);
    return *this;
  }
  // The name field holds the name's bytes, then zeros up to 255 (or is cut at 255).
  RawArchive& Named(char tag, const std::string& name) {
    b.push_back(static_cast<uint8_t>(tag));
    const size_t at = b.size();
    b.resize(at + 255, 0);
    name.copy(reinterpret_cast<char*>(b.data() + at), 255);
    return *this;
  }
  void Put(uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  // The records with the pending members' data behind them, offsets filled in.
  std::vector<uint8_t> Build() const {
    std::vector<uint8_t> out = b;
    for (const auto& [at, data] : pending) {
      const auto offset = static_cast<uint32_t>(out.size());
      for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(offset >> (8 * i));
      out.insert(out.end(), data.begin(), data.end());
    }
    return out;
  }
};

// The bytes as an archive stream, read by the game's reader and by the record walk.
struct Judged {
  std::vector<uint8_t> bytes;
  TSPLArchive archive;
  bool listed = false;
  std::vector<SplRecord> records;
  explicit Judged(std::vector<uint8_t> data) : bytes(std::move(data)) {
    if (bytes.empty()) bytes.reserve(1);  // fmemopen wants a buffer even for no bytes
    archive.stream = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!archive.stream) return;
    archive.root = FS_ReadDir(archive.stream);
    std::fseek(archive.stream, 0, SEEK_SET);
    listed = ListSplRecords(archive.stream, records);
  }
  ~Judged() {
    FS_FreeDir(archive.root);
    if (archive.stream) std::fclose(archive.stream);
  }
  bool accepted() const { return archive.root != nullptr; }
  std::string Read(const char* path) {
    auto file = FS_OpenInArchive(&archive, archive.root, path);
    if (!file) return "<none>";
    std::string out(file->GetSize(), '\0');
    out.resize(file->Read(reinterpret_cast<uint8_t*>(out.data()), file->GetSize()));
    return out;
  }
};
