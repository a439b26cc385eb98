// Little-endian field writers and whole-file output for the generators.
#include "tools/art/bytes.h"

#include <fstream>

void put_u8(Bytes& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
}

void put_u16(Bytes& out, unsigned value) {
  put_u8(out, value);
  put_u8(out, value >> 8);
}

void put_u32(Bytes& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFFu);
  put_u16(out, value >> 16);
}

void put_tag(Bytes& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) put_u8(out, static_cast<unsigned char>(tag[i]));
}

bool write_file(const std::string& path, const Bytes& data) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  return static_cast<bool>(file);
}
