/* Encoding of paragraphs into text records and the block layout of |TOPIC.
   Layout runs in two passes: first every record is encoded with its final
   size (a topic header's fields are fixed-width), then positions are
   assigned, and only then are the headers' address fields filled in. */
#include "topic_writer.h"

#include "context_hash.h"

namespace helpgen {
namespace {

constexpr std::size_t TOPIC_HEADER_LD1 = 28;
constexpr std::uint16_t SPACE_ABOVE = 0x02;
constexpr std::uint16_t SPACE_BELOW = 0x04;
constexpr std::uint16_t LEFT_INDENT = 0x10;

// Collects the two streams of a text record. The viewer reads them in
// turn, a string then a command, so every command takes the pending string
// (often empty) with it.
class ParagraphStreams {
 public:
  void add_text(const std::string& s) { pending_ += s; }
  void command(std::uint8_t cmd) {
    strings_.text_z(pending_);
    pending_.clear();
    commands_.u8(cmd);
  }
  void font(std::uint16_t f) { command(CMD_FONT); commands_.u16(f); }
  void jump(std::uint32_t hash) { command(CMD_JUMP); commands_.u32(hash); }
  Bytes commands() const { return commands_.data(); }
  Bytes strings() const { return strings_.data(); }

 private:
  std::string pending_;
  ByteWriter commands_;
  ByteWriter strings_;
};

void write_spans(const Paragraph& p, std::uint16_t base_font, ParagraphStreams& s) {
  s.font(base_font);
  if (p.style == ParagraphStyle::Item) s.add_text("\x95 ");
  for (const Span& span : p.spans) {
    switch (span.kind) {
      case Span::Kind::Text:
        s.add_text(span.text);
        break;
      case Span::Kind::Bold:
        s.font(FONT_BOLD);
        s.add_text(span.text);
        s.font(base_font);
        break;
      case Span::Kind::Jump:
        s.jump(context_hash(span.target));
        s.add_text(span.text);
        s.command(CMD_END_JUMP);
        break;
    }
  }
  s.command(CMD_END_PARAGRAPH);
  s.command(CMD_END);
}

Bytes paragraph_format(const ParagraphLayout& l) {
  ByteWriter w;
  w.u8(0x00);
  w.u8(0x80);
  w.u16(0);
  std::uint16_t bits = 0;
  if (l.space_above != 0) bits |= SPACE_ABOVE;
  if (l.space_below != 0) bits |= SPACE_BELOW;
  if (l.left_indent != 0) bits |= LEFT_INDENT;
  w.u16(bits);
  // The values follow in the order of their bits.
  if (l.space_above != 0) w.csshort(l.space_above);
  if (l.space_below != 0) w.csshort(l.space_below);
  if (l.left_indent != 0) w.csshort(l.left_indent);
  return w.take();
}

EncodedRecord topic_header_record(const std::string& title) {
  EncodedRecord r;
  r.type = RECORD_TOPIC_HEADER;
  r.ld1.assign(TOPIC_HEADER_LD1, 0);
  ByteWriter t;
  t.text(title);
  r.ld2 = t.take();
  return r;
}

struct Plan {
  std::vector<EncodedRecord> records;
  std::vector<int> topic_of;           // topic index of each record; -1 for the terminal header
  std::vector<std::size_t> headers;    // record index of each topic's header, then the terminal's
};

Result<Plan> encode_topics(const HelpDocument& doc) {
  Plan plan;
  for (std::size_t t = 0; t < doc.topics.size(); ++t) {
    const Topic& topic = doc.topics[t];
    if (topic.paragraphs.empty()) {
      return Result<Plan>::failure("topic " + topic.context + " has no text");
    }
    plan.headers.push_back(plan.records.size());
    plan.records.push_back(topic_header_record(topic.title));
    plan.topic_of.push_back(static_cast<int>(t));
    for (const Paragraph& p : topic.paragraphs) {
      plan.records.push_back(encode_paragraph(p));
      plan.topic_of.push_back(static_cast<int>(t));
      if (plan.records.back().size() > TOPIC_BLOCK_DATA) {
        return Result<Plan>::failure("a paragraph of topic " + topic.context + " takes " +
                                     std::to_string(plan.records.back().size()) +
                                     " bytes, more than one block holds");
      }
    }
  }
  plan.headers.push_back(plan.records.size());
  plan.records.push_back(topic_header_record(""));
  plan.topic_of.push_back(-1);
  return Result<Plan>::success(std::move(plan));
}

// Assigns each record its block and addresses. A record that does not fit
// in what is left of a block starts the next one.
std::vector<PlacedRecord> place(const std::vector<EncodedRecord>& records) {
  std::vector<PlacedRecord> placed;
  std::uint32_t block = 0;
  std::size_t used = 0;
  std::uint32_t text_before = 0;
  for (const EncodedRecord& r : records) {
    if (used + r.size() > TOPIC_BLOCK_DATA) {
      ++block;
      used = 0;
      text_before = 0;
    }
    PlacedRecord p;
    p.type = r.type;
    p.size = r.size();
    p.topicpos = block * 0x4000u + static_cast<std::uint32_t>(TOPIC_BLOCK_HEADER + used);
    p.topicoffset = block * 0x8000u + text_before;
    if (r.type == RECORD_TEXT) text_before += static_cast<std::uint32_t>(r.ld2.size());
    used += r.size();
    placed.push_back(p);
  }
  return placed;
}

std::uint32_t browse_neighbour(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets,
                               std::size_t t, int step) {
  const std::string& seq = doc.topics[t].browse;
  if (seq.empty()) return NO_LINK;
  for (long i = static_cast<long>(t) + step; i >= 0 && i < static_cast<long>(doc.topics.size()); i += step) {
    if (doc.topics[static_cast<std::size_t>(i)].browse == seq) return offsets[static_cast<std::size_t>(i)];
  }
  return NO_LINK;
}

void fill_topic_headers(const HelpDocument& doc, Plan& plan, const std::vector<PlacedRecord>& placed,
                        const std::vector<std::uint32_t>& offsets) {
  for (std::size_t h = 0; h < plan.headers.size(); ++h) {
    const std::size_t at = plan.headers[h];
    const bool terminal = h + 1 == plan.headers.size();
    std::uint32_t text_size = 0;
    for (std::size_t r = at + 1; !terminal && r < plan.headers[h + 1]; ++r) {
      text_size += static_cast<std::uint32_t>(placed[r].size);
    }
    ByteWriter w;
    w.u32(text_size);
    w.u32(terminal ? NO_LINK : browse_neighbour(doc, offsets, h, -1));
    w.u32(terminal ? NO_LINK : browse_neighbour(doc, offsets, h, +1));
    w.u32(static_cast<std::uint32_t>(h));
    w.u32(NO_LINK);  // no non-scrolling region
    w.u32(terminal ? NO_LINK : placed[at + 1].topicpos);
    w.u32(terminal ? NO_LINK : placed[plan.headers[h + 1]].topicpos);
    plan.records[at].ld1 = w.take();
  }
}

void write_record(ByteWriter& w, const EncodedRecord& r, std::uint32_t prev, std::uint32_t next) {
  w.u32(static_cast<std::uint32_t>(r.size()));
  w.u32(static_cast<std::uint32_t>(r.ld2.size()));  // stored as is: no phrase compression
  w.u32(prev);
  w.u32(next);
  w.u32(static_cast<std::uint32_t>(RECORD_HEADER + r.ld1.size()));
  w.u8(r.type);
  w.bytes(r.ld1);
  w.bytes(r.ld2);
}

Bytes serialize(const Plan& plan, const std::vector<PlacedRecord>& placed) {
  ByteWriter w;
  std::uint32_t last_record = NO_LINK;
  std::uint32_t last_header = 0;
  std::size_t block_start = 0;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const bool new_block = i == 0 || placed[i].topicpos / 0x4000 != placed[i - 1].topicpos / 0x4000;
    if (new_block) {
      if (i != 0) w.zeros(block_start + TOPIC_BLOCK_SIZE - w.size());
      block_start = w.size();
      w.u32(last_record);
      w.u32(placed[i].topicpos);
      w.u32(last_header);
    }
    const std::uint32_t prev = i == 0 ? NO_LINK : placed[i - 1].topicpos;
    const std::uint32_t next = i + 1 == placed.size() ? NO_LINK : placed[i + 1].topicpos;
    write_record(w, plan.records[i], prev, next);
    last_record = placed[i].topicpos;
    if (placed[i].type == RECORD_TOPIC_HEADER) last_header = placed[i].topicpos;
  }
  w.zeros(block_start + TOPIC_BLOCK_SIZE - w.size());
  return w.take();
}

}  // namespace

ParagraphLayout layout_of(ParagraphStyle style) {
  switch (style) {
    case ParagraphStyle::Title: return {FONT_TITLE, 0, 14, 0};
    case ParagraphStyle::Subheading: return {FONT_BOLD, 10, 6, 0};
    case ParagraphStyle::Item: return {FONT_NORMAL, 0, 8, 20};
    case ParagraphStyle::Link: return {FONT_NORMAL, 6, 8, 20};
    case ParagraphStyle::Body: break;
  }
  return {FONT_NORMAL, 0, 10, 0};
}

EncodedRecord encode_paragraph(const Paragraph& p) { return encode_paragraph(p, layout_of(p.style)); }

EncodedRecord encode_paragraph(const Paragraph& p, const ParagraphLayout& layout) {
  ParagraphStreams streams;
  write_spans(p, layout.font, streams);
  Bytes rest = paragraph_format(layout);
  const Bytes commands = streams.commands();
  rest.insert(rest.end(), commands.begin(), commands.end());

  EncodedRecord r;
  r.type = RECORD_TEXT;
  r.ld2 = streams.strings();
  ByteWriter ld1;
  ld1.cslong(static_cast<std::int32_t>(rest.size()));
  ld1.cushort(static_cast<std::uint32_t>(r.ld2.size()));
  ld1.bytes(rest);
  r.ld1 = ld1.take();
  return r;
}

Result<TopicFile> write_topic_file(const HelpDocument& doc) {
  Result<Plan> planned = encode_topics(doc);
  if (!planned.ok()) return Result<TopicFile>::failure(planned.error);
  Plan& plan = *planned.value;

  TopicFile out;
  out.records = place(plan.records);
  for (std::size_t t = 0; t < doc.topics.size(); ++t) {
    out.topic_offsets.push_back(out.records[plan.headers[t]].topicoffset);
  }
  fill_topic_headers(doc, plan, out.records, out.topic_offsets);
  out.bytes = serialize(plan, out.records);
  return Result<TopicFile>::success(std::move(out));
}

}  // namespace helpgen
