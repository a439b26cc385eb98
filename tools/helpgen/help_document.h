/* What a help file says, independent of how it is encoded: topics made of
   paragraphs made of runs of plain text, bold text and jumps. All text here
   is already in cp1252 and free of control characters. */
#ifndef GLIMMETS_HELPGEN_HELP_DOCUMENT_H
#define GLIMMETS_HELPGEN_HELP_DOCUMENT_H

#include <string>
#include <vector>

namespace helpgen {

struct Span {
  enum class Kind { Text, Bold, Jump };
  Kind kind = Kind::Text;
  std::string text;
  std::string target;  // context name of a jump's topic
};

enum class ParagraphStyle {
  Title,       // the topic's heading, large and bold
  Subheading,  // a bold line inside a topic
  Body,        // running text
  Item,        // an indented list item
  Link,        // an indented line of its own holding jumps
};

struct Paragraph {
  ParagraphStyle style = ParagraphStyle::Body;
  std::vector<Span> spans;
};

struct Topic {
  std::string context;   // the name jumps use
  std::string title;
  std::string browse;    // topics sharing a non-empty name form a browse sequence
  std::vector<Paragraph> paragraphs;
};

struct HelpDocument {
  std::string title;            // the help file's title
  std::string caption;          // the viewer window's caption
  std::string contents;         // context name of the contents topic
  std::vector<Topic> topics;
};

}  // namespace helpgen

#endif
