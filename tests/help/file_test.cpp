/* The assembled help file: header, internal files, directory order, the
   topic-name index and the |SYSTEM records the viewer depends on. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "btree.h"
#include "context_hash.h"
#include "hlp_file.h"
#include "test_support.h"
#include "topic_writer.h"

using namespace helpgen;

namespace {

Bytes build(const HelpDocument& doc) {
  Result<Bytes> r = build_help_file(doc);
  EXPECT_TRUE(r.ok()) << r.error;
  return r.ok() ? *r.value : Bytes{};
}

// Topics whose hashes are negative as signed numbers and others positive,
// in an order that is neither signed nor unsigned order.
HelpDocument mixed_hash_document() {
  HelpDocument doc = help_test::filler_document(3, 30);
  doc.topics[0].context = "contents";     // 0x25F4558A
  doc.topics[1].context = "scoring_fr";   // 0x8A204112, negative
  doc.topics[2].context = "keys";         // 0x00216034
  doc.contents = "keys";
  for (Topic& t : doc.topics) {
    for (Paragraph& p : t.paragraphs) {
      for (Span& s : p.spans) {
        if (s.kind == Span::Kind::Jump) s.target = "contents";
      }
    }
  }
  return doc;
}

struct SystemRecord {
  std::uint16_t type;
  Bytes data;
};

std::vector<SystemRecord> system_records(const Bytes& system) {
  std::vector<SystemRecord> out;
  for (std::size_t at = 12; at + 4 <= system.size();) {
    const std::uint16_t type = read_u16(system, at);
    const std::uint16_t size = read_u16(system, at + 2);
    out.push_back({type, Bytes(system.begin() + static_cast<long>(at + 4),
                               system.begin() + static_cast<long>(at + 4 + size))});
    at += 4 + size;
  }
  return out;
}

const SystemRecord* find_record(const std::vector<SystemRecord>& records, std::uint16_t type) {
  for (const SystemRecord& r : records) {
    if (r.type == type) return &r;
  }
  return nullptr;
}

}  // namespace

TEST(HelpFile, HeaderStatesTheExactSizeAndFindsTheDirectoryLast) {
  const Bytes file = build(help_test::filler_document(4, 20));
  help_test::HelpFileView v = help_test::read_help_file(file);
  EXPECT_EQ(v.magic, HELP_MAGIC);
  EXPECT_EQ(v.total_size, file.size());
  EXPECT_EQ(read_u32(file, 8), 0xFFFFFFFFu);
  for (const auto& [name, f] : v.files) {
    EXPECT_EQ(f.reserved, f.used + INTERNAL_HEADER_SIZE) << name;
    EXPECT_LE(f.at, v.directory_at) << name;
  }
  EXPECT_EQ(v.directory_at + v.files["(directory)"].reserved, file.size());
}

TEST(HelpFile, DirectoryIsInPlainByteOrder) {
  const Bytes file = build(help_test::filler_document(2, 2));
  const help_test::HelpFileView v = help_test::read_help_file(file);
  const std::vector<std::string> expected = {"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"};
  EXPECT_EQ(v.directory_names, expected);

  // Byte order puts capitals before small letters, unlike a case-blind sort.
  Result<Bytes> mixed = assemble({{"|bm0", Bytes{1}}, {"|TOPIC", Bytes{2}}, {"|Phrases", Bytes{3}}});
  ASSERT_TRUE(mixed.ok());
  const std::vector<std::string> mixed_expected = {"|Phrases", "|TOPIC", "|bm0"};
  EXPECT_EQ(help_test::read_help_file(*mixed.value).directory_names, mixed_expected);
}

TEST(HelpFile, ContextIndexIsSortedBySignedHashAndNamesEveryTopic) {
  const HelpDocument doc = mixed_hash_document();
  const Bytes file = build(doc);
  help_test::HelpFileView v = help_test::read_help_file(file);
  const Bytes& tree = v.files["|CONTEXT"].payload;
  EXPECT_EQ(read_u16(tree, 2), 0x0002);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&tree[6])), "L4");
  const std::vector<Bytes> entries = help_test::leaf_entries(tree, 8);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(read_u32(entries[0], 0), 0x8A204112u);  // negative first
  EXPECT_EQ(read_u32(entries[1], 0), 0x00216034u);
  EXPECT_EQ(read_u32(entries[2], 0), 0x25F4558Au);

  // Each entry's offset is the TOPICOFFSET of the topic of that name.
  Result<TopicFile> topics = write_topic_file(doc);
  ASSERT_TRUE(topics.ok());
  EXPECT_EQ(read_u32(entries[0], 4), topics.value->topic_offsets[1]);
  EXPECT_EQ(read_u32(entries[1], 4), topics.value->topic_offsets[2]);
  EXPECT_EQ(read_u32(entries[2], 4), topics.value->topic_offsets[0]);
  EXPECT_GE(topics.value->topic_offsets[2], 0x8000u);  // a topic beyond the first block
}

TEST(HelpFile, SystemRecordsCarryTitleContentsCharsetAndWindow) {
  const HelpDocument doc = mixed_hash_document();
  help_test::HelpFileView v = help_test::read_help_file(build(doc));
  const Bytes& system = v.files["|SYSTEM"].payload;
  EXPECT_EQ(read_u16(system, 0), 0x036C);
  EXPECT_EQ(read_u16(system, 2), 33);
  EXPECT_EQ(read_u32(system, 6), GENERATION_DATE);
  EXPECT_EQ(read_u16(system, 10), 0);  // uncompressed
  const std::vector<SystemRecord> records = system_records(system);

  const SystemRecord* title = find_record(records, SYSTEM_TITLE);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(std::string(title->data.begin(), title->data.end()), std::string("Test\0", 5));

  // The contents topic is the third one: record 3 must name it, not the first.
  const SystemRecord* contents = find_record(records, SYSTEM_CONTENTS);
  ASSERT_NE(contents, nullptr);
  Result<TopicFile> topics = write_topic_file(doc);
  EXPECT_EQ(read_u32(contents->data, 0), topics.value->topic_offsets[2]);

  const SystemRecord* charset = find_record(records, SYSTEM_CHARSET);
  ASSERT_NE(charset, nullptr);
  EXPECT_EQ(charset->data, (Bytes{0, 0}));

  const SystemRecord* window = find_record(records, SYSTEM_WINDOW);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->data.size(), WINDOW_RECORD_SIZE);
  EXPECT_EQ(read_u16(window->data, 0), 0x0006);
  EXPECT_STREQ(reinterpret_cast<const char*>(&window->data[12]), "main");
  EXPECT_STREQ(reinterpret_cast<const char*>(&window->data[21]), "Test caption");
  EXPECT_TRUE(std::all_of(window->data.begin() + 72, window->data.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(HelpFile, FontsAreTheThreeTheTextUses) {
  const Bytes font = font_file();
  EXPECT_EQ(read_u16(font, 0), 1);
  EXPECT_EQ(read_u16(font, 2), 3);
  EXPECT_EQ(read_u16(font, 6), 8 + 32);
  EXPECT_STREQ(reinterpret_cast<const char*>(&font[8]), "Arial");
  EXPECT_EQ(font.size(), 8u + 32 + 3 * 11);
  EXPECT_EQ(font[40 + 11 * FONT_TITLE], 1);       // bold
  EXPECT_EQ(font[40 + 11 * FONT_TITLE + 1], 28);  // 14 points
  EXPECT_EQ(font[40 + 11 * FONT_BOLD], 1);
  EXPECT_EQ(font[40 + 11 * FONT_NORMAL], 0);
}

TEST(HelpFile, TitleIndexListsTopicsByOffset) {
  help_test::HelpFileView v = help_test::read_help_file(build(help_test::filler_document(3, 30)));
  const Bytes& tree = v.files["|TTLBTREE"].payload;
  ASSERT_EQ(read_u16(tree, 40), 3);  // entries: an offset, then the title
  std::uint32_t previous = 0;
  std::size_t at = 38 + 8;
  for (int i = 0; i < 3; ++i) {
    const std::uint32_t offset = read_u32(tree, at);
    EXPECT_TRUE(i == 0 || offset > previous);
    previous = offset;
    const std::string title(reinterpret_cast<const char*>(&tree[at + 4]));
    EXPECT_EQ(title, "Topic " + std::to_string(i));
    at += 4 + title.size() + 1;
  }
}

TEST(BTree, OnePageExactlyWithItsFreeSpaceCounted) {
  Result<Bytes> r = write_btree(context_tree(), {Bytes(8, 1), Bytes(8, 2)});
  ASSERT_TRUE(r.ok());
  const Bytes& t = *r.value;
  EXPECT_EQ(t.size(), BTREE_HEADER_SIZE + 2048);
  EXPECT_EQ(read_u16(t, 0), 0x293B);
  EXPECT_EQ(read_u16(t, 4), 2048);
  EXPECT_EQ(read_u16(t, 30), 1);                // pages
  EXPECT_EQ(read_u32(t, 34), 2u);               // entries
  EXPECT_EQ(read_u16(t, 38), 2048 - 8 - 16);    // free bytes in the leaf
  EXPECT_EQ(read_u16(t, 40), 2);
  EXPECT_EQ(read_u16(t, 42), 0xFFFF);
  EXPECT_EQ(read_u16(t, 44), 0xFFFF);
}

TEST(BTree, ATreeThatDoesNotFitOnePageFailsLoudly) {
  EXPECT_TRUE(write_btree(context_tree(), std::vector<Bytes>(255, Bytes(8, 0))).ok());
  Result<Bytes> r = write_btree(context_tree(), std::vector<Bytes>(256, Bytes(8, 0)));
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error.find("|CONTEXT"), std::string::npos) << r.error;

  // A help with too many topics for the index is refused as a whole.
  Result<Bytes> file = build_help_file(help_test::filler_document(300, 1));
  EXPECT_FALSE(file.ok());
}

TEST(HelpFile, RefusesDocumentsTheViewerCouldNotFollow) {
  HelpDocument dangling = help_test::filler_document(2, 1);
  dangling.topics[1].paragraphs[0].spans.push_back(help_test::jump("x", "nowhere"));
  Result<Bytes> r = build_help_file(dangling);
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error.find("nowhere"), std::string::npos) << r.error;

  HelpDocument same_hash = help_test::filler_document(2, 1);
  same_hash.topics[1].context = "T0";  // differs from t0 only in case
  EXPECT_FALSE(build_help_file(same_hash).ok());

  HelpDocument no_contents = help_test::filler_document(2, 1);
  no_contents.contents = "missing";
  EXPECT_FALSE(build_help_file(no_contents).ok());

  HelpDocument long_caption = help_test::filler_document(1, 1);
  long_caption.caption = std::string(51, 'c');
  EXPECT_FALSE(build_help_file(long_caption).ok());
}

TEST(HelpFile, SameDocumentGivesSameBytes) {
  EXPECT_EQ(build(help_test::filler_document(3, 10)), build(help_test::filler_document(3, 10)));
}
