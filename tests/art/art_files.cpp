// Readers of the generated files for the art tests.
#include "tests/art/art_files.h"

#include <fstream>
#include <iterator>
#include <sstream>

std::string generated_path(const std::string& file) { return std::string(GLIMMETS_GENERATED_DIR) + "/" + file; }

Bytes read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned le16(const Bytes& b, std::size_t at) {
  if (at + 2 > b.size()) return 0;
  return static_cast<unsigned>(b[at] | b[at + 1] << 8);
}

std::uint32_t le32(const Bytes& b, std::size_t at) {
  if (at + 4 > b.size()) return 0;
  return le16(b, at) | static_cast<std::uint32_t>(le16(b, at + 2)) << 16;
}

ResourceScript read_resource_script() {
  ResourceScript script;
  std::ifstream in(generated_path("art.rc"));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    int id = 0;
    ScriptEntry entry;
    std::string quoted;
    if (!(fields >> id >> entry.type >> quoted)) continue;
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') continue;
    entry.file = quoted.substr(1, quoted.size() - 2);
    if (!script.entries.emplace(id, entry).second) script.duplicates.push_back(id);
  }
  return script;
}

namespace {
Wave wave_problem(Wave wave, const std::string& why) {
  wave.problem = why;
  return wave;
}
}  // namespace

Wave read_wave(const Bytes& file) {
  Wave wave;
  auto tag = [&](std::size_t at) {
    if (at + 4 > file.size()) return std::string();
    return std::string(reinterpret_cast<const char*>(file.data() + at), 4);
  };
  if (tag(0) != "RIFF" || tag(8) != "WAVE") return wave_problem(wave, "not a RIFF WAVE file");
  if (le32(file, 4) + 8 != file.size()) return wave_problem(wave, "RIFF size disagrees with the file");
  bool have_format = false, have_data = false;
  for (std::size_t at = 12; at + 8 <= file.size();) {
    const std::uint32_t size = le32(file, at + 4);
    const std::size_t body = at + 8;
    if (body + size > file.size()) return wave_problem(wave, "chunk cut short");
    if (tag(at) == "fmt " && size >= 16) {
      wave.format = le16(file, body);
      wave.channels = le16(file, body + 2);
      wave.rate = le32(file, body + 4);
      wave.byte_rate = le32(file, body + 8);
      wave.block_align = le16(file, body + 12);
      wave.bits = le16(file, body + 14);
      have_format = true;
    } else if (tag(at) == "data") {
      wave.samples.assign(file.begin() + static_cast<long>(body), file.begin() + static_cast<long>(body + size));
      have_data = true;
    }
    at = body + size + (size & 1u);
  }
  if (!have_format || !have_data) return wave_problem(wave, "fmt or data chunk missing");
  wave.valid = true;
  return wave;
}
