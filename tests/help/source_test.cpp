/* The help markup reader, and the game's own help source run through the
   whole generator: it must build, link every topic from the contents, and
   keep its French accents as cp1252 bytes. */
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "context_hash.h"
#include "help_source.h"
#include "hlp_file.h"
#include "test_support.h"

using namespace helpgen;

namespace {

HelpDocument parse_ok(const std::string& source) {
  Result<HelpDocument> r = parse_help_source(source);
  EXPECT_TRUE(r.ok()) << r.error;
  return r.ok() ? *r.value : HelpDocument{};
}

std::string parse_error(const std::string& source) {
  Result<HelpDocument> r = parse_help_source(source);
  EXPECT_FALSE(r.ok());
  return r.error;
}

std::string game_help_source() {
  std::ifstream in(GLIMMETS_HELP_SOURCE, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::set<std::string> jump_targets(const Topic& t) {
  std::set<std::string> out;
  for (const Paragraph& p : t.paragraphs) {
    for (const Span& s : p.spans) {
      if (s.kind == Span::Kind::Jump) out.insert(s.target);
    }
  }
  return out;
}

}  // namespace

TEST(HelpSource, ReadsTopicsParagraphsAndInlineMarkup) {
  const HelpDocument doc = parse_ok(
      "% comment\n@title Aide\n@contents c\n@browse fr\n"
      "=== c R\xC3\xA8gles\nUne ligne\r\net la suite, *gras* et [saut](c).\n\n"
      "== Sous-titre\n- un\n  deux\n- trois\n-> [Retour](c)\n\\*pas gras\\*\n");
  EXPECT_EQ(doc.title, "Aide");
  EXPECT_EQ(doc.caption, "Aide");  // the title stands in for a missing caption
  ASSERT_EQ(doc.topics.size(), 1u);
  const Topic& t = doc.topics[0];
  EXPECT_EQ(t.title, "R\xE8gles");
  EXPECT_EQ(t.browse, "fr");
  ASSERT_EQ(t.paragraphs.size(), 7u);
  EXPECT_EQ(t.paragraphs[0].style, ParagraphStyle::Title);
  const Paragraph& p = t.paragraphs[1];
  ASSERT_EQ(p.spans.size(), 5u);
  EXPECT_EQ(p.spans[0].text, "Une ligne et la suite, ");
  EXPECT_EQ(p.spans[1].kind, Span::Kind::Bold);
  EXPECT_EQ(p.spans[3].kind, Span::Kind::Jump);
  EXPECT_EQ(p.spans[3].text, "saut");
  EXPECT_EQ(p.spans[3].target, "c");
  EXPECT_EQ(t.paragraphs[2].style, ParagraphStyle::Subheading);
  EXPECT_EQ(t.paragraphs[3].style, ParagraphStyle::Item);
  EXPECT_EQ(t.paragraphs[3].spans[0].text, "un deux");
  EXPECT_EQ(t.paragraphs[4].spans[0].text, "trois");
  EXPECT_EQ(t.paragraphs[5].style, ParagraphStyle::Link);
  EXPECT_EQ(t.paragraphs[6].spans[0].text, "*pas gras*");
}

TEST(HelpSource, ErrorsNameTheLine) {
  EXPECT_NE(parse_error("=== a A\nok\n\nfl\xC3\xA8" "che \xE2\x86\x92\n").find("line 4"), std::string::npos);
  EXPECT_NE(parse_error("texte avant\n").find("line 1"), std::string::npos);
  EXPECT_NE(parse_error("=== a A\n\n*gras\n").find("line 3"), std::string::npos);
  EXPECT_NE(parse_error("=== a A\n[saut(a)\n").find("line 2"), std::string::npos);
  EXPECT_NE(parse_error("=== a A\n@title Trop tard\n").find("line 2"), std::string::npos);
  EXPECT_NE(parse_error("=== a A\nun\ttab\n").find("line 2"), std::string::npos);
  EXPECT_NE(parse_error("@colour red\n").find("line 1"), std::string::npos);
}

TEST(GameHelp, BuildsWithBothLanguagesReachableFromTheContents) {
  const HelpDocument doc = parse_ok(game_help_source());
  Result<Bytes> file = build_help_file(doc);
  ASSERT_TRUE(file.ok()) << file.error;

  const Topic* contents = nullptr;
  for (const Topic& t : doc.topics) {
    if (t.context == doc.contents) contents = &t;
  }
  ASSERT_NE(contents, nullptr);
  const std::set<std::string> listed = jump_targets(*contents);
  int french = 0, english = 0;
  for (const Topic& t : doc.topics) {
    if (&t == contents) continue;
    EXPECT_EQ(listed.count(t.context), 1u) << t.context << " is not in the contents";
    EXPECT_EQ(jump_targets(t).count(doc.contents), 1u) << t.context << " has no way back";
    french += t.browse == "fr";
    english += t.browse == "en";
  }
  EXPECT_EQ(french, 8);
  EXPECT_EQ(english, 8);
  EXPECT_EQ(doc.caption, "Glimmets");
}

TEST(GameHelp, FrenchTextKeepsItsAccentsAsCp1252) {
  const HelpDocument doc = parse_ok(game_help_source());
  std::string all;
  for (const Topic& t : doc.topics) {
    all += t.title;
    for (const Paragraph& p : t.paragraphs) {
      for (const Span& s : p.spans) all += s.text;
    }
  }
  for (const char* word : {"param\xE8tres", "r\xE9glages", "\xE0 c\xF4t\xE9", "fen\xEAtre", "Fran\xE7" "ais",
                           "\xC9" "chap", "\xAB Partie termin\xE9" "e \xBB", "\xD7 100"}) {
    EXPECT_NE(all.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(all.find("\xC3"), std::string::npos);  // no UTF-8 left over
}
