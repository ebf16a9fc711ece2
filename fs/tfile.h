#pragma once
// The file objects: an abstract file, a disk file and an archive member.
#include <cstdint>
#include <cstdio>

struct TSPLArchive;
struct TSPLEntry;

class TFile {
 public:
  virtual ~TFile() = default;
  virtual void Close() {}
  virtual uint32_t Read(uint8_t* buffer, uint32_t count) = 0;
  virtual int Seek(int32_t offset, int origin) = 0;  // 0 on success
  virtual uint32_t GetSize() = 0;
  virtual uint32_t Tell() = 0;
  // Whether the bytes the file claims are there to read, near enough that loading it whole
  // takes no memory nothing backs. A disk file's size is what it holds.
  virtual bool Backed() { return true; }
};

class TStdFile : public TFile {
 public:
  explicit TStdFile(FILE* stream) : Stream(stream) {}
  ~TStdFile() override { Close(); }
  void Close() override;
  uint32_t Read(uint8_t* buffer, uint32_t count) override;
  int Seek(int32_t offset, int origin) override;
  uint32_t GetSize() override;
  uint32_t Tell() override;

 private:
  FILE* Stream;
};

class TSPLFile : public TFile {
 public:
  TSPLFile(TSPLArchive* archive, TSPLEntry* entry);
  uint32_t Read(uint8_t* buffer, uint32_t count) override;
  // Moves the position within the member; 1 (and no move) for a target beyond its end.
  int Seek(int32_t offset, int origin) override;
  uint32_t GetSize() override;
  uint32_t Tell() override { return Position; }
  // False for a member that runs far past the end of the archive file (SlackPastEnd).
  bool Backed() override;

 private:
  TSPLArchive* Archive;
  TSPLEntry* Entry;
  uint32_t Position = 0;
};
