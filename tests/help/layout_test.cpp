/* The block layout of |TOPIC and its two kinds of address, checked on a
   document large enough to fill several 4096-byte blocks, by walking the
   written bytes the way the viewer does. */
#include <gtest/gtest.h>

#include "hlp_file.h"
#include "test_support.h"
#include "topic_writer.h"

using namespace helpgen;
using help_test::TopicRecordView;

namespace {

struct Walked {
  TopicFile file;
  std::vector<TopicRecordView> records;
};

Walked lay_out(const HelpDocument& doc) {
  Result<TopicFile> r = write_topic_file(doc);
  EXPECT_TRUE(r.ok()) << r.error;
  Walked w{*r.value, help_test::walk_topic(r.value->bytes)};
  return w;
}

std::uint32_t block_of(std::uint32_t topicpos) { return topicpos / 0x4000; }

}  // namespace

TEST(TopicLayout, SpansSeveralWholeBlocksWithNoRecordAcrossABoundary) {
  Walked w = lay_out(help_test::filler_document(6, 20));
  ASSERT_EQ(w.file.bytes.size() % TOPIC_BLOCK_SIZE, 0u);
  ASSERT_GE(w.file.bytes.size() / TOPIC_BLOCK_SIZE, 3u);
  EXPECT_EQ(w.records.size(), 6u * 21 + 1);
  EXPECT_EQ(w.records.front().topicpos, 12u);
  for (const TopicRecordView& r : w.records) {
    const std::uint32_t in_block = r.topicpos % 0x4000;
    EXPECT_GE(in_block, TOPIC_BLOCK_HEADER);
    EXPECT_LE(in_block + r.size, TOPIC_BLOCK_SIZE) << "record at " << r.topicpos;
    EXPECT_EQ(r.size, r.ld1_end + r.ld2_size);
  }
}

TEST(TopicLayout, RecordsAreChainedBothWaysByTopicpos) {
  Walked w = lay_out(help_test::filler_document(4, 25));
  EXPECT_EQ(w.records.front().prev, NO_LINK);
  EXPECT_EQ(w.records.back().next, NO_LINK);
  for (std::size_t i = 1; i < w.records.size(); ++i) {
    EXPECT_EQ(w.records[i].prev, w.records[i - 1].topicpos);
  }
}

TEST(TopicLayout, BlockHeadersPointAtTheRightRecords) {
  Walked w = lay_out(help_test::filler_document(6, 20));
  const Bytes& b = w.file.bytes;
  std::uint32_t last = NO_LINK, last_header = 0;
  std::uint32_t block = 0;
  for (const TopicRecordView& r : w.records) {
    if (r.topicpos == 12 || block_of(r.topicpos) != block) {
      block = block_of(r.topicpos);
      const std::size_t at = block * TOPIC_BLOCK_SIZE;
      EXPECT_EQ(read_u32(b, at), last) << "block " << block;
      EXPECT_EQ(read_u32(b, at + 4), r.topicpos) << "block " << block;
      EXPECT_EQ(read_u32(b, at + 8), last_header) << "block " << block;
    }
    last = r.topicpos;
    if (r.type == RECORD_TOPIC_HEADER) last_header = r.topicpos;
  }
}

// TOPICOFFSET counts text, not bytes: block * 0x8000 plus the text length
// of the paragraphs before it in its block. Recomputed here from the bytes.
TEST(TopicLayout, TopicOffsetsCountTextWhileTopicposCountsBytes) {
  Walked w = lay_out(help_test::filler_document(6, 20));
  std::vector<std::uint32_t> offsets;
  std::uint32_t block = 0, text_before = 0;
  bool some_topic_after_the_first_block = false;
  for (const TopicRecordView& r : w.records) {
    if (block_of(r.topicpos) != block) { block = block_of(r.topicpos); text_before = 0; }
    if (r.type == RECORD_TOPIC_HEADER) {
      offsets.push_back(block * 0x8000 + text_before);
      if (block > 0) some_topic_after_the_first_block = true;
    }
    if (r.type == RECORD_TEXT) text_before += r.ld2_size;
  }
  offsets.pop_back();  // the terminal header names no topic
  EXPECT_EQ(offsets, w.file.topic_offsets);
  EXPECT_TRUE(some_topic_after_the_first_block);
  for (std::size_t t = 1; t < offsets.size(); ++t) EXPECT_NE(offsets[t], offsets[t - 1]);
}

TEST(TopicLayout, TopicHeadersLinkTheirTextAndTheNextHeader) {
  HelpDocument doc = help_test::filler_document(5, 22);
  doc.topics[1].browse = doc.topics[2].browse = doc.topics[4].browse = "fr";
  Walked w = lay_out(doc);
  std::vector<const TopicRecordView*> headers;
  for (const TopicRecordView& r : w.records) {
    if (r.type == RECORD_TOPIC_HEADER) headers.push_back(&r);
  }
  ASSERT_EQ(headers.size(), 6u);
  const std::vector<std::uint32_t>& off = w.file.topic_offsets;
  for (std::size_t h = 0; h < 5; ++h) {
    const Bytes& ld1 = headers[h]->ld1;
    ASSERT_EQ(ld1.size(), 28u);
    EXPECT_EQ(read_u32(ld1, 12), h);                                  // topic number
    EXPECT_EQ(read_u32(ld1, 16), NO_LINK);                            // no non-scrolling region
    EXPECT_EQ(read_u32(ld1, 20), headers[h]->next);                   // first text record
    EXPECT_EQ(read_u32(ld1, 24), headers[h + 1]->topicpos);           // next topic header
  }
  EXPECT_EQ(read_u32(headers[1]->ld1, 4), NO_LINK);
  EXPECT_EQ(read_u32(headers[1]->ld1, 8), off[2]);
  EXPECT_EQ(read_u32(headers[2]->ld1, 4), off[1]);
  EXPECT_EQ(read_u32(headers[2]->ld1, 8), off[4]);
  EXPECT_EQ(read_u32(headers[4]->ld1, 8), NO_LINK);
  EXPECT_EQ(read_u32(headers[0]->ld1, 8), NO_LINK);                   // not in a sequence
  EXPECT_EQ(read_u32(headers[5]->ld1, 24), NO_LINK);                  // terminal header
  EXPECT_TRUE(headers[5]->ld2.empty());
}

TEST(TopicLayout, RefusesWhatCannotBeLaidOut) {
  HelpDocument empty_topic = help_test::filler_document(2, 1);
  empty_topic.topics[1].paragraphs.clear();
  EXPECT_FALSE(write_topic_file(empty_topic).ok());

  HelpDocument huge = help_test::filler_document(1, 1);
  huge.topics[0].paragraphs.push_back(help_test::body({help_test::text(std::string(4100, 'x'))}));
  Result<TopicFile> r = write_topic_file(huge);
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error.find("t0"), std::string::npos) << r.error;
}
