/* The |TOPIC internal file: topics encoded as records (one topic header,
   then one text record per paragraph) laid out in 4096-byte blocks.

   Two kinds of address come out of the layout. A record's TOPICPOS says
   where its bytes are (block * 0x4000 + offset in the block); a topic's
   TOPICOFFSET says where it stands in the text (block * 0x8000 + the text
   length of the paragraphs before it in the block). Record links and block
   headers use the first, everything that names a topic uses the second.
   No record ever crosses a block boundary. */
#ifndef GLIMMETS_HELPGEN_TOPIC_WRITER_H
#define GLIMMETS_HELPGEN_TOPIC_WRITER_H

#include <cstdint>
#include <vector>

#include "byte_writer.h"
#include "help_document.h"
#include "result.h"

namespace helpgen {

constexpr std::size_t TOPIC_BLOCK_SIZE = 4096;
constexpr std::size_t TOPIC_BLOCK_HEADER = 12;
constexpr std::size_t TOPIC_BLOCK_DATA = TOPIC_BLOCK_SIZE - TOPIC_BLOCK_HEADER;
constexpr std::size_t RECORD_HEADER = 21;
constexpr std::uint8_t RECORD_TOPIC_HEADER = 0x02;
constexpr std::uint8_t RECORD_TEXT = 0x20;
constexpr std::uint32_t NO_LINK = 0xFFFFFFFF;

// Font descriptors selected by text records; the |FONT file defines them.
constexpr std::uint16_t FONT_NORMAL = 0;
constexpr std::uint16_t FONT_TITLE = 1;
constexpr std::uint16_t FONT_BOLD = 2;

// Paragraph commands.
constexpr std::uint8_t CMD_FONT = 0x80;
constexpr std::uint8_t CMD_END_PARAGRAPH = 0x82;
constexpr std::uint8_t CMD_JUMP = 0xE3;
constexpr std::uint8_t CMD_END_JUMP = 0x89;
constexpr std::uint8_t CMD_END = 0xFF;

struct EncodedRecord {
  std::uint8_t type = RECORD_TEXT;
  Bytes ld1;
  Bytes ld2;
  std::size_t size() const { return RECORD_HEADER + ld1.size() + ld2.size(); }
};

// How a paragraph style is set: its font and its spacing in the viewer's
// small units (8..20 reads as a short gap).
struct ParagraphLayout {
  std::uint16_t font = FONT_NORMAL;
  int space_above = 0;
  int space_below = 0;
  int left_indent = 0;
};
ParagraphLayout layout_of(ParagraphStyle style);

// One paragraph as a text record: LD1 holds the paragraph's layout and its
// commands, LD2 the strings, one before every command.
EncodedRecord encode_paragraph(const Paragraph& p, const ParagraphLayout& layout);
EncodedRecord encode_paragraph(const Paragraph& p);

struct PlacedRecord {
  std::uint8_t type = RECORD_TEXT;
  std::uint32_t topicpos = 0;
  std::uint32_t topicoffset = 0;
  std::size_t size = 0;
};

struct TopicFile {
  Bytes bytes;                                // whole blocks
  std::vector<std::uint32_t> topic_offsets;   // TOPICOFFSET of each topic, in document order
  std::vector<PlacedRecord> records;          // every record, terminal header included
};

// Encodes and lays out every topic of the document, followed by the empty
// terminal topic header. Fails when a paragraph is too long for one block
// or a topic has no paragraph (it would share its address with the next).
Result<TopicFile> write_topic_file(const HelpDocument& doc);

}  // namespace helpgen

#endif
