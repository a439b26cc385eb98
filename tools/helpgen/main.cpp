/* helpgen: turns the help source (UTF-8 markup) into the program's help
   file and, when a third path is given, into the help pages the program
   carries inside itself. Usage: helpgen <source.txt> <output.hlp> [<pages>].
   Any fault in the source is printed with its line and the tool exits with
   status 1 without leaving a partial output behind. */
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "help_pages.h"
#include "help_source.h"
#include "hlp_file.h"

namespace {

bool read_file(const char* path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return static_cast<bool>(in) || in.eof();
}

// Writes beside the target, then renames, so a failed run never leaves a
// half-written help file for the build to copy.
bool write_file(const std::string& path, const helpgen::Bytes& bytes) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: helpgen <source.txt> <output.hlp> [<pages>]\n");
    return 2;
  }
  std::string source;
  if (!read_file(argv[1], source)) {
    std::fprintf(stderr, "helpgen: cannot read %s\n", argv[1]);
    return 1;
  }
  helpgen::Result<helpgen::HelpDocument> doc = helpgen::parse_help_source(source);
  if (!doc.ok()) {
    std::fprintf(stderr, "helpgen: %s: %s\n", argv[1], doc.error.c_str());
    return 1;
  }
  helpgen::Result<helpgen::Bytes> file = helpgen::build_help_file(*doc.value);
  if (!file.ok()) {
    std::fprintf(stderr, "helpgen: %s: %s\n", argv[1], file.error.c_str());
    return 1;
  }
  helpgen::Result<helpgen::Bytes> pages = helpgen::build_help_pages(*doc.value);
  if (!pages.ok()) {
    std::fprintf(stderr, "helpgen: %s: %s\n", argv[1], pages.error.c_str());
    return 1;
  }
  for (int out = 2; out < argc; ++out) {
    if (!write_file(argv[out], out == 2 ? *file.value : *pages.value)) {
      std::fprintf(stderr, "helpgen: cannot write %s\n", argv[out]);
      return 1;
    }
  }
  return 0;
}
