#pragma once
// Whole files as strings: inputs a test writes, results it reads, and the fuzz seeds.
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);
// Writes the bytes, making the folders on the way.
void WriteFile(const std::filesystem::path& file, const std::string& bytes);
void WriteFile(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
// Every seed of tests/fuzz/corpus/`name`, as its file name and bytes.
std::vector<std::pair<std::string, std::string>> CorpusSeeds(const std::string& name);
