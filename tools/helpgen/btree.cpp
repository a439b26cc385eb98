/* Single-leaf B+ tree writer. */
#include "btree.h"

namespace helpgen {

BTreeShape directory_tree() { return {0x0402, 1024, "z4", "internal directory"}; }
BTreeShape context_tree() { return {0x0002, 2048, "L4", "|CONTEXT"}; }
BTreeShape title_tree() { return {0x0002, 2048, "Lz", "|TTLBTREE"}; }

Result<Bytes> write_btree(const BTreeShape& shape, const std::vector<Bytes>& entries) {
  std::size_t used = 0;
  for (const Bytes& e : entries) used += e.size();
  const std::size_t room = shape.page_size - LEAF_HEADER_SIZE;
  if (used > room || entries.size() > 0xFFFF) {
    return Result<Bytes>::failure(std::string(shape.what) + ": " + std::to_string(entries.size()) +
                                  " entries take " + std::to_string(used) + " bytes, one page holds " +
                                  std::to_string(room));
  }
  ByteWriter w;
  w.u16(0x293B);
  w.u16(shape.flags);
  w.u16(shape.page_size);
  w.fixed_text(shape.structure, 16);
  w.u16(0);        // must be zero
  w.u16(0);        // page splits
  w.u16(0);        // root page
  w.u16(0xFFFF);   // no free page
  w.u16(1);        // total pages
  w.u16(1);        // levels: the root is the leaf
  w.u32(static_cast<std::uint32_t>(entries.size()));

  w.u16(static_cast<std::uint16_t>(room - used));
  w.u16(static_cast<std::uint16_t>(entries.size()));
  w.u16(0xFFFF);   // no previous leaf
  w.u16(0xFFFF);   // no next leaf
  for (const Bytes& e : entries) w.bytes(e);
  w.zeros(room - used);
  return Result<Bytes>::success(w.take());
}

}  // namespace helpgen
