/* The help pages the program carries inside itself, read back with the
   reader the help window uses: every jump leads to a topic, both languages
   are there, accents are cp1252 bytes, a dangling jump is refused, and a
   damaged run of bytes reads as nothing rather than as garbage. */
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "help_pages.h"
#include "help/pages_format.h"
#include "help_source.h"
#include "test_support.h"

using namespace helpgen;
namespace hp = help_pages;

namespace {

std::string game_pages() {
  std::ifstream in(GLIMMETS_HELP_SOURCE, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  Result<HelpDocument> doc = parse_help_source(s.str());
  EXPECT_TRUE(doc.ok()) << doc.error;
  if (!doc.ok()) return {};
  Result<Bytes> pages = build_help_pages(*doc.value);
  EXPECT_TRUE(pages.ok()) << pages.error;
  return pages.ok() ? std::string(pages.value->begin(), pages.value->end()) : std::string();
}

std::vector<hp::Topic> read_ok(const std::string& bytes) {
  std::vector<hp::Topic> topics;
  EXPECT_TRUE(hp::read_help_pages(bytes, topics));
  return topics;
}

std::string all_text(const hp::Topic& t) {
  std::string out;
  for (const hp::Paragraph& p : t.paragraphs) {
    for (const hp::Run& r : p.runs) out += std::string(r.text) + " ";
  }
  return out;
}

}  // namespace

TEST(HelpPages, GameHelpOpensOnTheContentsAndEveryJumpLeadsToATopic) {
  const std::string bytes = game_pages();
  const std::vector<hp::Topic> topics = read_ok(bytes);
  ASSERT_EQ(topics.size(), 17u);
  EXPECT_EQ(topics[0].name, "contents");
  int jumps = 0, french = 0, english = 0;
  for (const hp::Topic& t : topics) {
    EXPECT_EQ(t.paragraphs.front().style, hp::Style::Title) << t.name;
    french += t.name.size() > 3 && t.name.substr(t.name.size() - 3) == "_fr";
    english += t.name.size() > 3 && t.name.substr(t.name.size() - 3) == "_en";
    for (const hp::Paragraph& p : t.paragraphs) {
      for (const hp::Run& r : p.runs) {
        if (r.target.empty()) continue;
        ++jumps;
        EXPECT_GE(hp::find_topic(topics, r.target), 0) << t.name << " jumps to " << r.target;
        EXPECT_FALSE(r.text.empty());
      }
    }
  }
  EXPECT_EQ(french, 8);
  EXPECT_EQ(english, 8);
  EXPECT_GT(jumps, 16 + 16);  // the contents' list, a way back from each topic, and more
  // The same source always gives the same bytes: the build is reproducible.
  EXPECT_EQ(game_pages(), bytes);
}

TEST(HelpPages, FrenchTopicsKeepTheirAccentsAsCp1252AndEnglishTopicsTheirQuotes) {
  const std::string bytes = game_pages();
  const std::vector<hp::Topic> topics = read_ok(bytes);
  ASSERT_FALSE(topics.empty());
  const std::string settings_fr = all_text(topics[static_cast<std::size_t>(hp::find_topic(topics, "settings_fr"))]);
  for (const char* word : {"Les param\xE8tres du jeu", "Carr\xE9" "e", "\xC9" "chap", "r\xE9glages s\x92" "appliquent"}) {
    EXPECT_NE(settings_fr.find(word), std::string::npos) << word;
  }
  const std::string play_en = all_text(topics[static_cast<std::size_t>(hp::find_topic(topics, "play_en"))]);
  EXPECT_NE(play_en.find("\x93Round\x94"), std::string::npos);
  for (const hp::Topic& t : topics) EXPECT_EQ(all_text(t).find('\xC3'), std::string::npos) << t.name;
}

TEST(HelpPages, StylesBoldAndJumpsReadBackAsWritten) {
  HelpDocument doc = help_test::filler_document(2, 0);
  doc.contents = "t1";
  Paragraph item = help_test::body({help_test::text("un "), help_test::bold("gras"), help_test::text(" et "),
                                    help_test::jump("l\xE0", "t0")});
  item.style = ParagraphStyle::Item;
  doc.topics[0].paragraphs.push_back(item);
  doc.topics[1].paragraphs.push_back(help_test::body({help_test::text("x")}));
  Result<Bytes> pages = build_help_pages(doc);
  ASSERT_TRUE(pages.ok()) << pages.error;
  const std::string bytes(pages.value->begin(), pages.value->end());  // the topics are views into it
  const std::vector<hp::Topic> topics = read_ok(bytes);
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].name, "t1");  // the contents first, wherever it stands
  ASSERT_EQ(topics[1].paragraphs.size(), 1u);
  const hp::Paragraph& p = topics[1].paragraphs[0];
  EXPECT_EQ(p.style, hp::Style::Item);
  ASSERT_EQ(p.runs.size(), 4u);
  EXPECT_FALSE(p.runs[0].bold);
  EXPECT_TRUE(p.runs[1].bold);
  EXPECT_EQ(p.runs[1].text, "gras");
  EXPECT_EQ(p.runs[3].text, "l\xE0");
  EXPECT_EQ(p.runs[3].target, "t0");
}

TEST(HelpPages, RefusesADanglingJumpAndTextThatWouldReadAsMarkers) {
  HelpDocument dangling = help_test::filler_document(2, 1);
  dangling.topics[1].paragraphs[0].spans.push_back(help_test::jump("x", "nowhere"));
  Result<Bytes> r = build_help_pages(dangling);
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error.find("nowhere"), std::string::npos) << r.error;

  HelpDocument control = help_test::filler_document(1, 1);
  control.topics[0].paragraphs[0].spans.push_back(help_test::text("a\x05" "b"));
  EXPECT_FALSE(build_help_pages(control).ok());

  HelpDocument empty = help_test::filler_document(2, 1);
  empty.topics[1].paragraphs.clear();
  EXPECT_FALSE(build_help_pages(empty).ok());
}

TEST(HelpPages, DamagedBytesReadAsNothing) {
  std::vector<hp::Topic> topics;
  const std::string good = "\x01" "a\x02" "Ttitle\n" "Psee \x05" "a\x06" "here\x07.\n";
  EXPECT_TRUE(hp::read_help_pages(good, topics));
  EXPECT_EQ(topics.size(), 1u);
  for (const std::string& bad : {std::string(""), std::string("Ptext before a topic\n"),
                                good.substr(0, good.size() - 1),           // no end of paragraph
                                std::string("\x01" "a\x02" "Xunknown style\n"),
                                std::string("\x01" "a\x02" "P\x05" "a\x06" "open jump\n"),
                                std::string("\x01" "a\x02" "P\x05\x06" "no target\x07\n"),
                                std::string("\x01" "a\x02" "P\x03" "open bold\n"),
                                std::string("\x01" "a\x02"),                  // a topic without text
                                std::string("\x01\x02" "Tno name\n")}) {
    EXPECT_FALSE(hp::read_help_pages(bad, topics)) << bad;
    EXPECT_TRUE(topics.empty());
  }
}
