/* Helpers shared by the help generator's tests: a small reader of the help
   file that walks it the way the viewer does (file header, directory,
   internal files, B+ tree leaves, topic records), so the tests check the
   written bytes rather than the writer's own bookkeeping. */
#ifndef GLIMMETS_TESTS_HELP_TEST_SUPPORT_H
#define GLIMMETS_TESTS_HELP_TEST_SUPPORT_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "byte_writer.h"
#include "help_document.h"

namespace help_test {

using helpgen::Bytes;

struct InternalFile {
  std::uint32_t at = 0;       // offset of its 9-byte header in the help file
  std::uint32_t reserved = 0;
  std::uint32_t used = 0;
  Bytes payload;
};

struct HelpFileView {
  std::uint32_t magic = 0;
  std::uint32_t directory_at = 0;
  std::uint32_t total_size = 0;
  std::vector<std::string> directory_names;   // in stored order
  std::map<std::string, InternalFile> files;
};

// Parses the file header and the directory; throws on anything malformed.
HelpFileView read_help_file(const Bytes& file);

// The entries of a single-leaf B+ tree, each entry_size bytes long, or, for
// entry_size 0, NUL-terminated names followed by four bytes.
std::vector<Bytes> leaf_entries(const Bytes& tree, std::size_t entry_size);

struct TopicRecordView {
  std::uint32_t topicpos = 0;
  std::uint32_t size = 0;
  std::uint32_t ld2_size = 0;
  std::uint32_t prev = 0;
  std::uint32_t next = 0;
  std::uint32_t ld1_end = 0;   // 21 + len(LD1)
  std::uint8_t type = 0;
  Bytes ld1;
  Bytes ld2;
};

// Follows the record chain from TOPICPOS 12 through |TOPIC's blocks.
std::vector<TopicRecordView> walk_topic(const Bytes& topic_file);

// A document of n topics named t0, t1, ... each with `paragraphs` body
// paragraphs of filler text and a jump back to t0.
helpgen::HelpDocument filler_document(int topics, int paragraphs);

helpgen::Paragraph body(std::vector<helpgen::Span> spans);
helpgen::Span text(const std::string& s);
helpgen::Span bold(const std::string& s);
helpgen::Span jump(const std::string& label, const std::string& target);

Bytes hex(const std::string& spaced_hex);

}  // namespace help_test

#endif
