// Readers for the generated resource files, written independently of the
// generator so that the tests check the files as the resource compiler and
// the system will see them: the resource-script fragment, 8-bit wave files
// and the icon.
#ifndef GLIMMETS_TESTS_ART_FILES_H
#define GLIMMETS_TESTS_ART_FILES_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

std::string generated_path(const std::string& file);
Bytes read_bytes(const std::string& path);  // empty when missing
unsigned le16(const Bytes& b, std::size_t at);
std::uint32_t le32(const Bytes& b, std::size_t at);

struct ScriptEntry {
  std::string type;
  std::string file;
};

// The lines `ID TYPE "file"` of art.rc by id; comment lines are skipped.
// A repeated id is recorded in `duplicates`.
struct ResourceScript {
  std::map<int, ScriptEntry> entries;
  std::vector<int> duplicates;
};
ResourceScript read_resource_script();

struct Wave {
  bool valid = false;
  std::string problem;
  unsigned format = 0, channels = 0, bits = 0, block_align = 0;
  std::uint32_t rate = 0, byte_rate = 0;
  std::vector<int> samples;  // 0..255, silence at 128
};
Wave read_wave(const Bytes& file);

#endif
