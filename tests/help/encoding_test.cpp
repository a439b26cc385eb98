/* Byte-level encodings of the help format: compressed integers, the context
   hash, cp1252 conversion, and whole text records checked against worked
   examples that the viewer is known to display. */
#include <gtest/gtest.h>

#include "byte_writer.h"
#include "context_hash.h"
#include "cp1252.h"
#include "test_support.h"
#include "topic_writer.h"

using namespace helpgen;
using help_test::hex;

namespace {

template <class F>
Bytes written(F f) {
  ByteWriter w;
  f(w);
  return w.data();
}

}  // namespace

TEST(CompressedIntegers, SwitchToTwoUnitsAtTheirBoundaries) {
  EXPECT_EQ(written([](ByteWriter& w) { w.cushort(127); }), hex("fe"));
  EXPECT_EQ(written([](ByteWriter& w) { w.cushort(128); }), hex("01 01"));
  EXPECT_EQ(written([](ByteWriter& w) { w.cushort(300); }), hex("59 02"));
  EXPECT_EQ(written([](ByteWriter& w) { w.csshort(-64); }), hex("00"));
  EXPECT_EQ(written([](ByteWriter& w) { w.csshort(63); }), hex("fe"));
  EXPECT_EQ(written([](ByteWriter& w) { w.csshort(64); }), hex("81 80"));    // 16448
  EXPECT_EQ(written([](ByteWriter& w) { w.csshort(-65); }), hex("7f 7f"));   // 16319
  EXPECT_EQ(written([](ByteWriter& w) { w.culong(32767); }), hex("fe ff"));
  EXPECT_EQ(written([](ByteWriter& w) { w.culong(32768); }), hex("01 00 01 00"));
  EXPECT_EQ(written([](ByteWriter& w) { w.cslong(-16384); }), hex("00 00"));
  EXPECT_EQ(written([](ByteWriter& w) { w.cslong(16383); }), hex("fe ff"));
  EXPECT_EQ(written([](ByteWriter& w) { w.cslong(16384); }), hex("01 80 00 08"));
}

TEST(CompressedIntegers, FixedTextIsPaddedAndRefusesWhatLeavesNoTerminator) {
  ByteWriter w;
  EXPECT_TRUE(w.fixed_text("main", 9));
  EXPECT_EQ(w.data(), hex("6d 61 69 6e 00 00 00 00 00"));
  EXPECT_FALSE(w.fixed_text("123456789", 9));
  EXPECT_EQ(w.size(), 9u);
}

TEST(ContextHash, MatchesTheKnownVectors) {
  EXPECT_EQ(context_hash("contents"), 0x25F4558Au);
  EXPECT_EQ(context_hash("rules"), 0x071B5CA7u);
  EXPECT_EQ(context_hash("keys"), 0x00216034u);
  EXPECT_EQ(context_hash("scoring_fr"), 0x8A204112u);
  EXPECT_EQ(context_hash("a"), 0x11u);
  EXPECT_EQ(context_hash("A1"), 0x2DCu);
  EXPECT_EQ(context_hash("RULES"), context_hash("rules"));
}

TEST(ContextHash, OnlyKnownCharactersMakeValidNames) {
  EXPECT_TRUE(valid_context_name("play_fr.2"));
  EXPECT_FALSE(valid_context_name(""));
  EXPECT_FALSE(valid_context_name("play-fr"));
  EXPECT_FALSE(valid_context_name("r\xE8gles"));
}

TEST(Cp1252, ConvertsFrenchAccentsAndTypography) {
  Result<std::string> r = utf8_to_cp1252(u8"é è ê ë à â ç ô ù û ï É « » € œ ’ × …");
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(*r.value, "\xE9 \xE8 \xEA \xEB \xE0 \xE2 \xE7 \xF4 \xF9 \xFB \xEF \xC9 \xAB \xBB \x80 \x9C \x92 \xD7 \x85");
}

TEST(Cp1252, FailsLoudlyOnWhatItCannotHold) {
  Result<std::string> arrow = utf8_to_cp1252(u8"a → b");
  ASSERT_FALSE(arrow.ok());
  EXPECT_NE(arrow.error.find("U+2192"), std::string::npos) << arrow.error;
  EXPECT_FALSE(utf8_to_cp1252("caf\xE9").ok());            // Latin-1 byte, not UTF-8
  EXPECT_FALSE(utf8_to_cp1252("\xC3").ok());               // cut sequence
  EXPECT_FALSE(utf8_to_cp1252("\xC0\xA9").ok());           // overlong form
  EXPECT_FALSE(utf8_to_cp1252("a\tb").ok());               // a tab would become a command
  EXPECT_FALSE(utf8_to_cp1252(u8"\u0081").ok());           // C1 control
  EXPECT_FALSE(utf8_to_cp1252(std::string("a\0b", 3)).ok());
}

// Worked examples: records known to display correctly.
TEST(TextRecord, HeadingMatchesTheWorkedExample) {
  ParagraphLayout heading;
  heading.font = FONT_TITLE;
  EncodedRecord r = encode_paragraph(help_test::body({help_test::text("Aide")}), heading);
  EXPECT_EQ(r.ld1, hex("16 80 0e 00 80 00 00 00 00 80 01 00 82 ff"));
  EXPECT_EQ(r.ld2, hex("00 41 69 64 65 00 00"));
}

TEST(TextRecord, JumpWithSpacingMatchesTheWorkedExample) {
  ParagraphLayout l;
  l.space_below = 12;
  l.left_indent = 20;
  EncodedRecord r = encode_paragraph(
      help_test::body({help_test::text("See "), help_test::jump("Rules", "rules"), help_test::text(".")}), l);
  EXPECT_EQ(r.ld1, hex("26 80 1e 00 80 00 00 14 00 98 a8 80 00 00 e3 a7 5c 1b 07 89 82 ff"));
  EXPECT_EQ(r.ld2, hex("00 53 65 65 20 00 52 75 6c 65 73 00 2e 00 00"));
}

// The viewer takes one string, then one command, in turn: every command,
// the closing 0x82 and 0xFF included, must have its own string.
TEST(TextRecord, EveryCommandHasExactlyOneStringBeforeIt) {
  EncodedRecord r = encode_paragraph(help_test::body(
      {help_test::bold("Astuce :"), help_test::text(" voir "), help_test::jump("ici", "t1"),
       help_test::jump("l\xE0", "t2"), help_test::text(" fin")}));
  std::size_t strings = 0;
  for (std::uint8_t b : r.ld2) strings += b == 0;
  // font, bold on, bold off, jump, end jump, jump, end jump, end paragraph, end
  EXPECT_EQ(strings, 9u);
  EXPECT_EQ(r.ld2.back(), 0);
  EXPECT_EQ(r.ld1.back(), CMD_END);
  EXPECT_EQ(r.ld1[r.ld1.size() - 2], CMD_END_PARAGRAPH);
  const std::string joined(r.ld2.begin(), r.ld2.end());
  EXPECT_NE(joined.find(std::string("l\xE0\0 fin\0\0", 9)), std::string::npos);
}

TEST(TextRecord, ListItemsGetABulletAndAnIndent) {
  Paragraph item = help_test::body({help_test::text("un")});
  item.style = ParagraphStyle::Item;
  EncodedRecord r = encode_paragraph(item);
  EXPECT_EQ(r.ld2, hex("00 95 20 75 6e 00 00"));
  EXPECT_GT(layout_of(ParagraphStyle::Item).left_indent, 0);
}
