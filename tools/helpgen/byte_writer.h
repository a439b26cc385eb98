/* A growing little-endian byte buffer for the help file, with the format's
   compressed integers (one or two units depending on the value) and fixed,
   NUL-padded text fields. Every part of the file is built in one of these
   before it is placed. */
#ifndef GLIMMETS_HELPGEN_BYTE_WRITER_H
#define GLIMMETS_HELPGEN_BYTE_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace helpgen {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
 public:
  void u8(std::uint8_t v);
  void u16(std::uint16_t v);
  void u32(std::uint32_t v);
  void i32(std::int32_t v);
  void bytes(const Bytes& b);
  void text(std::string_view s);            // the characters, no terminator
  void text_z(std::string_view s);          // the characters and a NUL
  void zeros(std::size_t n);
  // Writes s NUL-padded to exactly width bytes; false (nothing written)
  // when s does not leave room for at least one NUL.
  bool fixed_text(std::string_view s, std::size_t width);

  // Compressed integers. Callers keep the values within the ranges the
  // format can hold: cushort < 32768, csshort within -16384..16383,
  // culong < 2^31, cslong within -67108864..2^31-67108865.
  void cushort(std::uint32_t v);
  void csshort(std::int32_t v);
  void culong(std::uint32_t v);
  void cslong(std::int32_t v);

  void patch_u32(std::size_t at, std::uint32_t v);
  std::size_t size() const { return data_.size(); }
  const Bytes& data() const { return data_; }
  Bytes take() { return std::move(data_); }

 private:
  Bytes data_;
};

// Reading back, for the file's own consistency checks and the tests.
std::uint16_t read_u16(const Bytes& b, std::size_t at);
std::uint32_t read_u32(const Bytes& b, std::size_t at);

}  // namespace helpgen

#endif
