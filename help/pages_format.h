/* The help pages: every topic of the help in one compact run of cp1252
   bytes, carried inside the program as a resource and shown by the game's
   own help window. The generator (tools/helpgen/help_pages.h) writes them;
   the window and the tests read them back with read_help_pages below, so
   both sides share one definition of the format. Product code, in a room of
   its own that the program and the tool both include: plain C++, no system
   header, nothing else of the program.

     pages     := topic*                    the contents topic comes first
     topic     := 0x01 name 0x02 paragraph+
     paragraph := style run* '\n'           style: one of the letters of Style
     run       := text                      bytes 0x20 and above
                | 0x03 text 0x04            bold
                | 0x05 target 0x06 label 0x07   a jump to the topic `target`

   Text never holds a byte below 0x20, so the markers cannot be mistaken. */
#ifndef GLIMMETS_HELP_PAGES_FORMAT_H
#define GLIMMETS_HELP_PAGES_FORMAT_H

#include <string_view>
#include <vector>

namespace help_pages {

constexpr char TOPIC_START = '\x01';
constexpr char TOPIC_NAME_END = '\x02';
constexpr char BOLD_START = '\x03';
constexpr char BOLD_END = '\x04';
constexpr char JUMP_START = '\x05';
constexpr char JUMP_LABEL = '\x06';
constexpr char JUMP_END = '\x07';
constexpr char PARAGRAPH_END = '\n';

enum class Style : char {
    Title = 'T',       // the topic's heading
    Subheading = 'H',  // a bold line inside a topic
    Body = 'P',        // running text
    Item = 'I',        // a list item, shown with a bullet
    Link = 'L',        // an indented line of its own holding jumps
};

struct Run {
    bool bold = false;
    std::string_view text;
    std::string_view target;  // the topic a jump leads to; empty for plain or bold text
};

struct Paragraph {
    Style style = Style::Body;
    std::vector<Run> runs;
};

struct Topic {
    std::string_view name;
    std::vector<Paragraph> paragraphs;
};

inline bool is_style(char c) {
    return c == 'T' || c == 'H' || c == 'P' || c == 'I' || c == 'L';
}

// The bytes from `at` up to the first byte below 0x20; `at` then stands on it.
inline std::string_view take_text(std::string_view bytes, std::size_t& at) {
    const std::size_t start = at;
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) >= 0x20) ++at;
    return bytes.substr(start, at - start);
}

// Reads the runs of one paragraph up to its '\n'; false when malformed.
inline bool read_runs(std::string_view bytes, std::size_t& at, std::vector<Run>& runs) {
    while (at < bytes.size()) {
        const char c = bytes[at];
        if (c == PARAGRAPH_END) { ++at; return true; }
        Run run;
        if (c == BOLD_START) {
            ++at;
            run.bold = true;
            run.text = take_text(bytes, at);
            if (at >= bytes.size() || bytes[at++] != BOLD_END) return false;
        } else if (c == JUMP_START) {
            ++at;
            run.target = take_text(bytes, at);
            if (run.target.empty() || at >= bytes.size() || bytes[at++] != JUMP_LABEL) return false;
            run.text = take_text(bytes, at);
            if (at >= bytes.size() || bytes[at++] != JUMP_END) return false;
        } else {
            run.text = take_text(bytes, at);
            if (run.text.empty()) return false;  // a stray marker
        }
        runs.push_back(run);
    }
    return false;  // the last paragraph has no end
}

// Splits the pages into topics; false (and no topic) when the bytes are not
// well-formed pages, so a damaged resource shows nothing rather than garbage.
inline bool read_help_pages(std::string_view bytes, std::vector<Topic>& topics) {
    topics.clear();
    std::size_t at = 0;
    bool whole = true;
    while (whole && at < bytes.size()) {
        if (bytes[at] == TOPIC_START) {
            ++at;
            Topic topic;
            topic.name = take_text(bytes, at);
            whole = !topic.name.empty() && at < bytes.size() && bytes[at++] == TOPIC_NAME_END;
            topics.push_back(topic);
            continue;
        }
        Paragraph paragraph;
        paragraph.style = static_cast<Style>(bytes[at++]);
        whole = !topics.empty() && is_style(static_cast<char>(paragraph.style)) && read_runs(bytes, at, paragraph.runs);
        if (whole) topics.back().paragraphs.push_back(paragraph);
    }
    whole = whole && !topics.empty();
    for (const Topic& t : topics) whole = whole && !t.paragraphs.empty();
    if (!whole) topics.clear();
    return whole;
}

// The index of the topic of that name, or -1.
inline int find_topic(const std::vector<Topic>& topics, std::string_view name) {
    for (std::size_t i = 0; i < topics.size(); ++i)
        if (topics[i].name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace help_pages

#endif
