/* The help file's small internal files and the final assembly. */
#include "hlp_file.h"

#include <algorithm>
#include <map>
#include <set>

#include "btree.h"
#include "context_hash.h"
#include "topic_writer.h"

namespace helpgen {
namespace {

constexpr std::size_t WINDOW_NAME_SIZE = 9;
constexpr std::size_t WINDOW_CAPTION_SIZE = 51;

template <class T>
Result<T> fail(std::string message) { return Result<T>::failure(std::move(message)); }

void system_record(ByteWriter& w, std::uint16_t type, const Bytes& data) {
  w.u16(type);
  w.u16(static_cast<std::uint16_t>(data.size()));
  w.bytes(data);
}

// The main window's description: only its name and caption are marked
// valid, so the viewer keeps its own position, size and colours.
Bytes window_record(const std::string& caption) {
  ByteWriter w;
  w.u16(0x0006);
  w.zeros(10);
  w.fixed_text("main", WINDOW_NAME_SIZE);
  w.fixed_text(caption, WINDOW_CAPTION_SIZE);
  w.zeros(18);
  return w.take();
}

Result<bool> validate_contexts(const HelpDocument& doc) {
  std::map<std::uint32_t, std::string> seen;
  for (const Topic& t : doc.topics) {
    if (!valid_context_name(t.context)) return fail<bool>("invalid topic name '" + t.context + "'");
    const auto [it, fresh] = seen.emplace(context_hash(t.context), t.context);
    if (!fresh) return fail<bool>("topic names " + it->second + " and " + t.context + " share a hash");
  }
  if (seen.count(context_hash(doc.contents)) == 0 || !valid_context_name(doc.contents)) {
    return fail<bool>("the contents topic '" + doc.contents + "' does not exist");
  }
  return Result<bool>::success(true);
}

Result<bool> validate_jumps(const HelpDocument& doc) {
  std::set<std::string> names;
  for (const Topic& t : doc.topics) names.insert(t.context);
  for (const Topic& t : doc.topics) {
    for (const Paragraph& p : t.paragraphs) {
      for (const Span& s : p.spans) {
        if (s.kind == Span::Kind::Jump && names.count(s.target) == 0) {
          return fail<bool>("topic " + t.context + " jumps to unknown topic '" + s.target + "'");
        }
      }
    }
  }
  return Result<bool>::success(true);
}

}  // namespace

Result<bool> validate_document(const HelpDocument& doc) {
  if (doc.topics.empty()) return fail<bool>("the help has no topic");
  if (doc.title.empty()) return fail<bool>("the help has no title");
  if (doc.caption.size() >= WINDOW_CAPTION_SIZE) {
    return fail<bool>("the caption is longer than " + std::to_string(WINDOW_CAPTION_SIZE - 1) + " characters");
  }
  Result<bool> contexts = validate_contexts(doc);
  if (!contexts.ok()) return contexts;
  return validate_jumps(doc);
}

Result<Bytes> system_file(const HelpDocument& doc, std::uint32_t contents_offset) {
  ByteWriter w;
  w.u16(0x036C);
  w.u16(33);  // minor version of the 4.0 compilers
  w.u16(1);
  w.u32(GENERATION_DATE);
  w.u16(0);   // uncompressed, 4 KiB topic blocks

  ByteWriter title;
  title.text_z(doc.title);
  system_record(w, SYSTEM_TITLE, title.data());
  ByteWriter contents;
  contents.u32(contents_offset);
  system_record(w, SYSTEM_CONTENTS, contents.data());
  // ANSI_CHARSET: the viewer then shows the text as cp1252 whatever the
  // user's locale, so accents survive under a Cyrillic locale.
  system_record(w, SYSTEM_CHARSET, Bytes{0, 0});
  system_record(w, SYSTEM_WINDOW, window_record(doc.caption));
  return Result<Bytes>::success(w.take());
}

Bytes font_file() {
  struct Descriptor { std::uint8_t attributes, half_points; };
  const Descriptor descriptors[] = {
      {0, 20},  // FONT_NORMAL: Arial 10
      {1, 28},  // FONT_TITLE: Arial 14 bold
      {1, 20},  // FONT_BOLD: Arial 10 bold
  };
  const std::uint16_t faces = 1;
  const std::uint16_t count = static_cast<std::uint16_t>(std::size(descriptors));
  ByteWriter w;
  w.u16(faces);
  w.u16(count);
  w.u16(8);
  w.u16(static_cast<std::uint16_t>(8 + 32 * faces));
  w.fixed_text("Arial", 32);
  for (const Descriptor& d : descriptors) {
    w.u8(d.attributes);
    w.u8(d.half_points);
    w.u8(3);     // swiss family
    w.u16(0);    // the one face name
    w.zeros(3);  // black text
    w.zeros(3);  // background
  }
  return w.take();
}

// The viewer searches this index by signed comparison of the hashes:
// sorting them unsigned would hide every topic whose hash has the top bit set.
Result<Bytes> context_file(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets) {
  std::vector<std::pair<std::int32_t, std::uint32_t>> index;
  for (std::size_t t = 0; t < doc.topics.size(); ++t) {
    index.emplace_back(static_cast<std::int32_t>(context_hash(doc.topics[t].context)), offsets[t]);
  }
  std::sort(index.begin(), index.end());
  std::vector<Bytes> entries;
  for (const auto& [hash, offset] : index) {
    ByteWriter e;
    e.i32(hash);
    e.u32(offset);
    entries.push_back(e.take());
  }
  return write_btree(context_tree(), entries);
}

Result<Bytes> title_file(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets) {
  std::vector<std::pair<std::uint32_t, std::string>> index;
  for (std::size_t t = 0; t < doc.topics.size(); ++t) index.emplace_back(offsets[t], doc.topics[t].title);
  std::sort(index.begin(), index.end());
  std::vector<Bytes> entries;
  for (const auto& [offset, title] : index) {
    ByteWriter e;
    e.u32(offset);
    e.text_z(title);
    entries.push_back(e.take());
  }
  return write_btree(title_tree(), entries);
}

Bytes context_map_file() { return Bytes{0, 0}; }

Bytes internal_file(const Bytes& payload) {
  ByteWriter w;
  // Reserved size equals used size plus this header: the viewer takes the
  // file's end from it, so no slack is allowed.
  w.u32(static_cast<std::uint32_t>(payload.size() + INTERNAL_HEADER_SIZE));
  w.u32(static_cast<std::uint32_t>(payload.size()));
  w.u8(0);
  w.bytes(payload);
  return w.take();
}

Result<Bytes> assemble(std::vector<std::pair<std::string, Bytes>> files) {
  // The viewer stops at the first name greater than the one it seeks, so the
  // directory must be in strcmp order (the '|' prefix is shared by all).
  std::sort(files.begin(), files.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  ByteWriter w;
  w.zeros(FILE_HEADER_SIZE);
  std::vector<Bytes> entries;
  for (const auto& [name, payload] : files) {
    ByteWriter e;
    e.text_z(name);
    e.u32(static_cast<std::uint32_t>(w.size()));
    entries.push_back(e.take());
    w.bytes(internal_file(payload));
  }
  Result<Bytes> directory = write_btree(directory_tree(), entries);
  if (!directory.ok()) return directory;
  const std::uint32_t directory_at = static_cast<std::uint32_t>(w.size());
  w.bytes(internal_file(*directory.value));

  w.patch_u32(0, HELP_MAGIC);
  w.patch_u32(4, directory_at);
  w.patch_u32(8, 0xFFFFFFFF);  // no free-space list
  w.patch_u32(12, static_cast<std::uint32_t>(w.size()));
  return Result<Bytes>::success(w.take());
}

Result<Bytes> build_help_file(const HelpDocument& doc) {
  Result<bool> valid = validate_document(doc);
  if (!valid.ok()) return fail<Bytes>(valid.error);
  Result<TopicFile> topics = write_topic_file(doc);
  if (!topics.ok()) return fail<Bytes>(topics.error);
  const std::vector<std::uint32_t>& offsets = topics.value->topic_offsets;

  std::uint32_t contents_offset = 0;
  for (std::size_t t = 0; t < doc.topics.size(); ++t) {
    if (doc.topics[t].context == doc.contents) contents_offset = offsets[t];
  }
  Result<Bytes> system = system_file(doc, contents_offset);
  Result<Bytes> context = context_file(doc, offsets);
  Result<Bytes> titles = title_file(doc, offsets);
  for (const Result<Bytes>* r : {&system, &context, &titles}) {
    if (!r->ok()) return *r;
  }
  return assemble({{"|SYSTEM", *system.value},
                   {"|TOPIC", std::move(topics.value->bytes)},
                   {"|FONT", font_file()},
                   {"|CONTEXT", *context.value},
                   {"|TTLBTREE", *titles.value},
                   {"|CTXOMAP", context_map_file()}});
}

}  // namespace helpgen
