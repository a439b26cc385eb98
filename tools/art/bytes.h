// Little-endian byte buffers and file output, shared by the writers of the
// bitmap, icon and wave files: every one of those formats is a run of
// little-endian fields followed by raw data.
#ifndef GLIMMETS_ART_BYTES_H
#define GLIMMETS_ART_BYTES_H

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

void put_u8(Bytes& out, unsigned value);
void put_u16(Bytes& out, unsigned value);
void put_u32(Bytes& out, std::uint32_t value);
void put_tag(Bytes& out, const char (&tag)[5]);

// Writes the whole buffer; false when the file cannot be created or written.
bool write_file(const std::string& path, const Bytes& data);

#endif
