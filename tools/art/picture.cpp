// Encoding of a 16-colour picture as a Windows bitmap file.
#include "tools/art/picture.h"

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

std::uint32_t row_bytes(int side) {
  return (static_cast<std::uint32_t>(side) * 4 + 31) / 32 * 4;
}

void put_info_header(Bytes& out, int side) {
  put_u32(out, kInfoHeaderSize);
  put_u32(out, static_cast<std::uint32_t>(side));  // width
  put_u32(out, static_cast<std::uint32_t>(side));  // height, positive: rows bottom-up
  put_u16(out, 1);                                 // planes
  put_u16(out, 4);                                 // bits per pixel
  put_u32(out, 0);                                 // BI_RGB
  put_u32(out, row_bytes(side) * static_cast<std::uint32_t>(side));
  put_u32(out, kPixelsPerMetre);
  put_u32(out, kPixelsPerMetre);
  put_u32(out, 16);  // colours used
  put_u32(out, 0);   // all colours important
}

void put_rows(Bytes& out, const Picture& picture) {
  const std::uint32_t padded = row_bytes(picture.side);
  for (int y = picture.side - 1; y >= 0; --y) {
    const std::size_t row_start = out.size();
    for (int x = 0; x < picture.side; x += 2) {
      const unsigned high = picture.at(x, y) & 0x0Fu;
      const unsigned low = x + 1 < picture.side ? picture.at(x + 1, y) & 0x0Fu : 0u;
      put_u8(out, high << 4 | low);
    }
    while (out.size() - row_start < padded) put_u8(out, 0);
  }
}
}  // namespace

Bytes encode_bmp4(const Picture& picture) {
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
  const std::uint32_t total = offset + row_bytes(picture.side) * static_cast<std::uint32_t>(picture.side);
  Bytes out;
  out.reserve(total);
  put_u8(out, 'B');
  put_u8(out, 'M');
  put_u32(out, total);
  put_u32(out, 0);  // reserved
  put_u32(out, offset);
  put_info_header(out, picture.side);
  for (const Rgb8& c : picture.palette) {
    put_u8(out, c.b);
    put_u8(out, c.g);
    put_u8(out, c.r);
    put_u8(out, 0);
  }
  put_rows(out, picture);
  return out;
}
