/* The help format's B+ tree, in the only shape this generator needs: a
   header and a single leaf page. The internal directory, the topic-name
   index and the title index are all such trees. A tree whose entries do not
   fit one page is refused with a message: writing index pages is not worth
   it for a help file of a few dozen topics. */
#ifndef GLIMMETS_HELPGEN_BTREE_H
#define GLIMMETS_HELPGEN_BTREE_H

#include <cstdint>
#include <string>
#include <vector>

#include "byte_writer.h"
#include "result.h"

namespace helpgen {

struct BTreeShape {
  std::uint16_t flags;       // 0x0402 for the directory, 0x0002 otherwise
  std::uint16_t page_size;   // 1024 for the directory, 2048 otherwise
  std::string structure;     // "z4", "L4", "Lz"
  const char* what;          // named in the error when the tree does not fit
};

BTreeShape directory_tree();
BTreeShape context_tree();
BTreeShape title_tree();

constexpr std::size_t BTREE_HEADER_SIZE = 38;
constexpr std::size_t LEAF_HEADER_SIZE = 8;

// Writes the header and one leaf page holding the entries in the order
// given: the caller sorts them the way the viewer searches them.
Result<Bytes> write_btree(const BTreeShape& shape, const std::vector<Bytes>& entries);

}  // namespace helpgen

#endif
