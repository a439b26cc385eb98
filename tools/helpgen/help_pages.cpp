/* Writing the help pages: one byte per style, markers around bold text and
   jumps, a line feed after each paragraph. */
#include "help_pages.h"

#include "help/pages_format.h"
#include "hlp_file.h"

namespace helpgen {
namespace {

char style_letter(ParagraphStyle style) {
  switch (style) {
    case ParagraphStyle::Title: return static_cast<char>(help_pages::Style::Title);
    case ParagraphStyle::Subheading: return static_cast<char>(help_pages::Style::Subheading);
    case ParagraphStyle::Item: return static_cast<char>(help_pages::Style::Item);
    case ParagraphStyle::Link: return static_cast<char>(help_pages::Style::Link);
    case ParagraphStyle::Body: break;
  }
  return static_cast<char>(help_pages::Style::Body);
}

bool plain(const std::string& s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

Result<bool> write_topic(const Topic& topic, ByteWriter& w) {
  w.u8(static_cast<std::uint8_t>(help_pages::TOPIC_START));
  w.text(topic.context);
  w.u8(static_cast<std::uint8_t>(help_pages::TOPIC_NAME_END));
  for (const Paragraph& p : topic.paragraphs) {
    w.u8(static_cast<std::uint8_t>(style_letter(p.style)));
    for (const Span& s : p.spans) {
      if (!plain(s.text) || s.text.empty()) {
        return Result<bool>::failure("topic " + topic.context + " holds an empty text or a control character");
      }
      if (s.kind == Span::Kind::Bold) w.u8(static_cast<std::uint8_t>(help_pages::BOLD_START));
      if (s.kind == Span::Kind::Jump) {
        w.u8(static_cast<std::uint8_t>(help_pages::JUMP_START));
        w.text(s.target);
        w.u8(static_cast<std::uint8_t>(help_pages::JUMP_LABEL));
      }
      w.text(s.text);
      if (s.kind == Span::Kind::Bold) w.u8(static_cast<std::uint8_t>(help_pages::BOLD_END));
      if (s.kind == Span::Kind::Jump) w.u8(static_cast<std::uint8_t>(help_pages::JUMP_END));
    }
    w.u8(static_cast<std::uint8_t>(help_pages::PARAGRAPH_END));
  }
  return Result<bool>::success(true);
}

}  // namespace

Result<Bytes> build_help_pages(const HelpDocument& doc) {
  Result<bool> valid = validate_document(doc);
  if (!valid.ok()) return Result<Bytes>::failure(valid.error);
  ByteWriter w;
  // The window opens on the first topic: the contents, wherever it stands.
  for (int pass = 0; pass < 2; ++pass) {
    for (const Topic& t : doc.topics) {
      if ((t.context == doc.contents) != (pass == 0)) continue;
      if (t.paragraphs.empty()) return Result<Bytes>::failure("topic " + t.context + " is empty");
      Result<bool> written = write_topic(t, w);
      if (!written.ok()) return Result<Bytes>::failure(written.error);
    }
  }
  return Result<Bytes>::success(w.take());
}

}  // namespace helpgen
