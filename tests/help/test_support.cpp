/* The tests' own reader of the help file (see test_support.h). */
#include "test_support.h"

#include <stdexcept>

namespace help_test {

using helpgen::read_u16;
using helpgen::read_u32;

namespace {

InternalFile read_internal(const Bytes& file, std::uint32_t at) {
  InternalFile f;
  f.at = at;
  f.reserved = read_u32(file, at);
  f.used = read_u32(file, at + 4);
  if (at + 9 + f.used > file.size()) throw std::runtime_error("internal file runs past the end");
  f.payload.assign(file.begin() + at + 9, file.begin() + at + 9 + f.used);
  return f;
}

}  // namespace

std::vector<Bytes> leaf_entries(const Bytes& tree, std::size_t entry_size) {
  if (read_u16(tree, 0) != 0x293B) throw std::runtime_error("not a B+ tree");
  if (read_u16(tree, 32) != 1) throw std::runtime_error("expected a single-level tree");
  const std::size_t page = 38;
  const std::uint16_t count = read_u16(tree, page + 2);
  std::vector<Bytes> entries;
  std::size_t at = page + 8;
  for (std::uint16_t i = 0; i < count; ++i) {
    std::size_t size = entry_size;
    if (size == 0) {
      std::size_t end = at;
      while (tree.at(end) != 0) ++end;
      size = end - at + 1 + 4;
    }
    entries.emplace_back(tree.begin() + static_cast<long>(at), tree.begin() + static_cast<long>(at + size));
    at += size;
  }
  return entries;
}

HelpFileView read_help_file(const Bytes& file) {
  HelpFileView v;
  v.magic = read_u32(file, 0);
  v.directory_at = read_u32(file, 4);
  v.total_size = read_u32(file, 12);
  const InternalFile dir = read_internal(file, v.directory_at);
  for (const Bytes& e : leaf_entries(dir.payload, 0)) {
    const std::string name(e.begin(), e.end() - 5);
    v.directory_names.push_back(name);
    v.files[name] = read_internal(file, read_u32(e, e.size() - 4));
  }
  v.files["(directory)"] = dir;
  return v;
}

std::vector<TopicRecordView> walk_topic(const Bytes& topic) {
  std::vector<TopicRecordView> records;
  std::uint32_t pos = 12;
  while (pos != 0xFFFFFFFF) {
    const std::size_t at = (pos / 0x4000) * 4096 + pos % 0x4000;
    TopicRecordView r;
    r.topicpos = pos;
    r.size = read_u32(topic, at);
    r.ld2_size = read_u32(topic, at + 4);
    r.prev = read_u32(topic, at + 8);
    r.next = read_u32(topic, at + 12);
    r.ld1_end = read_u32(topic, at + 16);
    r.type = topic.at(at + 20);
    if (at + r.size > topic.size()) throw std::runtime_error("record runs past |TOPIC");
    r.ld1.assign(topic.begin() + static_cast<long>(at + 21), topic.begin() + static_cast<long>(at + r.ld1_end));
    r.ld2.assign(topic.begin() + static_cast<long>(at + r.ld1_end), topic.begin() + static_cast<long>(at + r.size));
    records.push_back(r);
    if (records.size() > 100000) throw std::runtime_error("record chain loops");
    pos = r.next;
  }
  return records;
}

helpgen::Span text(const std::string& s) { return {helpgen::Span::Kind::Text, s, {}}; }
helpgen::Span bold(const std::string& s) { return {helpgen::Span::Kind::Bold, s, {}}; }
helpgen::Span jump(const std::string& label, const std::string& target) {
  return {helpgen::Span::Kind::Jump, label, target};
}

helpgen::Paragraph body(std::vector<helpgen::Span> spans) {
  helpgen::Paragraph p;
  p.spans = std::move(spans);
  return p;
}

helpgen::HelpDocument filler_document(int topics, int paragraphs) {
  helpgen::HelpDocument doc;
  doc.title = "Test";
  doc.caption = "Test caption";
  doc.contents = "t0";
  for (int t = 0; t < topics; ++t) {
    helpgen::Topic topic;
    topic.context = "t" + std::to_string(t);
    topic.title = "Topic " + std::to_string(t);
    for (int p = 0; p < paragraphs; ++p) {
      topic.paragraphs.push_back(body({text("Filler paragraph " + std::to_string(p) +
                                             " of topic " + std::to_string(t) +
                                             ", long enough to fill the blocks quickly. "),
                                        jump("back", "t0")}));
    }
    doc.topics.push_back(topic);
  }
  return doc;
}

Bytes hex(const std::string& spaced_hex) {
  Bytes out;
  for (std::size_t i = 0; i < spaced_hex.size();) {
    if (spaced_hex[i] == ' ') { ++i; continue; }
    out.push_back(static_cast<std::uint8_t>(std::stoi(spaced_hex.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return out;
}

}  // namespace help_test
