/* Line-by-line reading of the help markup into a HelpDocument. Each line is
   converted to cp1252 first, so a character the help file cannot hold is
   reported with its line number. */
#include "help_source.h"

#include "cp1252.h"

namespace helpgen {
namespace {

struct Pending {
  bool open = false;
  ParagraphStyle style = ParagraphStyle::Body;
  std::string text;
  int line = 0;
};

class SourceReader {
 public:
  Result<HelpDocument> run(std::string_view source);

 private:
  bool handle_line(const std::string& line);
  bool handle_directive(const std::string& line);
  bool start_topic(const std::string& rest);
  bool start_paragraph(ParagraphStyle style, const std::string& text);
  bool flush();
  bool parse_inline(const std::string& text, std::vector<Span>& spans);
  bool error(const std::string& message) {
    error_ = "line " + std::to_string(line_no_) + ": " + message;
    return false;
  }

  HelpDocument doc_;
  Pending pending_;
  std::string browse_;
  std::string error_;
  int line_no_ = 0;
};

bool starts_with(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

std::string trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  const std::size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

Result<HelpDocument> SourceReader::run(std::string_view source) {
  std::size_t at = 0;
  while (at <= source.size()) {
    std::size_t end = source.find('\n', at);
    if (end == std::string_view::npos) end = source.size();
    std::string raw(source.substr(at, end - at));
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    ++line_no_;
    Result<std::string> line = utf8_to_cp1252(raw);
    if (!line.ok()) return Result<HelpDocument>::failure("line " + std::to_string(line_no_) + ": " + line.error);
    if (!handle_line(*line.value)) return Result<HelpDocument>::failure(error_);
    at = end + 1;
  }
  if (!flush()) return Result<HelpDocument>::failure(error_);
  if (doc_.caption.empty()) doc_.caption = doc_.title;
  return Result<HelpDocument>::success(std::move(doc_));
}

bool SourceReader::handle_line(const std::string& line) {
  if (starts_with(line, "%")) return true;
  if (trim(line).empty()) return flush();
  if (starts_with(line, "@")) return flush() && handle_directive(line);
  if (starts_with(line, "=== ")) return flush() && start_topic(trim(line.substr(4)));
  if (starts_with(line, "== ")) return start_paragraph(ParagraphStyle::Subheading, line.substr(3)) && flush();
  if (starts_with(line, "-> ")) return start_paragraph(ParagraphStyle::Link, line.substr(3)) && flush();
  if (starts_with(line, "- ")) return start_paragraph(ParagraphStyle::Item, line.substr(2));
  if (!pending_.open) return start_paragraph(ParagraphStyle::Body, line);
  pending_.text += ' ';
  pending_.text += trim(line);
  return true;
}

bool SourceReader::handle_directive(const std::string& line) {
  const std::size_t space = line.find(' ');
  const std::string key = line.substr(0, space);
  const std::string value = space == std::string::npos ? "" : trim(line.substr(space + 1));
  if (key == "@browse") { browse_ = value; return true; }
  if (!doc_.topics.empty()) return error(key + " must come before the first topic");
  if (key == "@title") { doc_.title = value; return true; }
  if (key == "@caption") { doc_.caption = value; return true; }
  if (key == "@contents") { doc_.contents = value; return true; }
  return error("unknown directive " + key);
}

bool SourceReader::start_topic(const std::string& rest) {
  const std::size_t space = rest.find(' ');
  if (space == std::string::npos) return error("a topic needs a name and a title");
  Topic topic;
  topic.context = rest.substr(0, space);
  topic.title = trim(rest.substr(space + 1));
  topic.browse = browse_;
  Paragraph heading;
  heading.style = ParagraphStyle::Title;
  heading.spans.push_back({Span::Kind::Text, topic.title, {}});
  topic.paragraphs.push_back(heading);
  doc_.topics.push_back(std::move(topic));
  return true;
}

bool SourceReader::start_paragraph(ParagraphStyle style, const std::string& text) {
  if (!flush()) return false;
  if (doc_.topics.empty()) return error("text before the first topic");
  pending_ = Pending{true, style, trim(text), line_no_};
  return true;
}

bool SourceReader::flush() {
  if (!pending_.open) return true;
  Paragraph p;
  p.style = pending_.style;
  const int here = line_no_;
  line_no_ = pending_.line;
  const bool parsed = parse_inline(pending_.text, p.spans);
  line_no_ = here;
  pending_ = Pending{};
  if (!parsed) return false;
  if (p.spans.empty()) return error("empty paragraph");
  doc_.topics.back().paragraphs.push_back(std::move(p));
  return true;
}

bool SourceReader::parse_inline(const std::string& text, std::vector<Span>& spans) {
  std::string plain;
  const auto flush_plain = [&] {
    if (!plain.empty()) spans.push_back({Span::Kind::Text, plain, {}});
    plain.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      if (i + 1 == text.size()) return error("a backslash ends the paragraph");
      plain += text[++i];
    } else if (c == '*') {
      const std::size_t close = text.find('*', i + 1);
      if (close == std::string::npos || close == i + 1) return error("unclosed or empty *bold*");
      flush_plain();
      spans.push_back({Span::Kind::Bold, text.substr(i + 1, close - i - 1), {}});
      i = close;
    } else if (c == '[') {
      const std::size_t mid = text.find("](", i);
      const std::size_t close = mid == std::string::npos ? mid : text.find(')', mid);
      if (close == std::string::npos || mid == i + 1) return error("a jump is written [label](topic)");
      flush_plain();
      spans.push_back({Span::Kind::Jump, text.substr(i + 1, mid - i - 1), text.substr(mid + 2, close - mid - 2)});
      i = close;
    } else {
      plain += c;
    }
  }
  flush_plain();
  return true;
}

}  // namespace

Result<HelpDocument> parse_help_source(std::string_view utf8_source) {
  SourceReader reader;
  return reader.run(utf8_source);
}

}  // namespace helpgen
