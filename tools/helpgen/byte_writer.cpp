/* Little-endian writing and the compressed integers of the help format. */
#include "byte_writer.h"

namespace helpgen {

void ByteWriter::u8(std::uint8_t v) { data_.push_back(v); }

void ByteWriter::u16(std::uint16_t v) {
  data_.push_back(static_cast<std::uint8_t>(v & 0xFFu));
  data_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v) {
  u16(static_cast<std::uint16_t>(v & 0xFFFFu));
  u16(static_cast<std::uint16_t>(v >> 16));
}

void ByteWriter::i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }

void ByteWriter::bytes(const Bytes& b) { data_.insert(data_.end(), b.begin(), b.end()); }

void ByteWriter::text(std::string_view s) {
  for (char c : s) data_.push_back(static_cast<std::uint8_t>(c));
}

void ByteWriter::text_z(std::string_view s) {
  text(s);
  data_.push_back(0);
}

void ByteWriter::zeros(std::size_t n) { data_.insert(data_.end(), n, 0); }

bool ByteWriter::fixed_text(std::string_view s, std::size_t width) {
  if (s.size() >= width) return false;
  text(s);
  zeros(width - s.size());
  return true;
}

// Small values take one unit with the low bit clear; larger ones two units,
// the low bit of the first set.
void ByteWriter::cushort(std::uint32_t v) {
  if (v < 128) {
    u8(static_cast<std::uint8_t>(v * 2));
  } else {
    u8(static_cast<std::uint8_t>((v % 128) * 2 + 1));
    u8(static_cast<std::uint8_t>(v / 128));
  }
}

void ByteWriter::csshort(std::int32_t v) {
  if (v >= -64 && v < 64) {
    cushort(static_cast<std::uint32_t>(v + 64));
  } else {
    cushort(static_cast<std::uint32_t>(v + 16384));
  }
}

void ByteWriter::culong(std::uint32_t v) {
  if (v < 32768) {
    u16(static_cast<std::uint16_t>(v * 2));
  } else {
    u16(static_cast<std::uint16_t>((v % 32768) * 2 + 1));
    u16(static_cast<std::uint16_t>(v / 32768));
  }
}

void ByteWriter::cslong(std::int32_t v) {
  if (v >= -16384 && v < 16384) {
    culong(static_cast<std::uint32_t>(v + 16384));
  } else {
    culong(static_cast<std::uint32_t>(v + 67108864));
  }
}

void ByteWriter::patch_u32(std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    data_.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFFu);
  }
}

std::uint16_t read_u16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t read_u32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(read_u16(b, at)) |
         (static_cast<std::uint32_t>(read_u16(b, at + 2)) << 16);
}

}  // namespace helpgen
