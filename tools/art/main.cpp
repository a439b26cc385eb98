// glimmets_art: writes the program's icon, stone pictures and sounds, and
// the resource-script fragment art.rc that lists them, into the folder
// named on the command line. The output depends on nothing but this code,
// so every build produces the same bytes.
#include <cstdio>
#include <string>

#include "tools/art/catalogue.h"

namespace {
bool write_text(const std::string& path, const std::string& text) {
  return write_file(path, Bytes(text.begin(), text.end()));
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: glimmets_art OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  const std::vector<ArtResource> resources = art_catalogue();
  for (const ArtResource& r : resources) {
    if (!write_file(folder + r.file, r.make())) {
      std::fprintf(stderr, "glimmets_art: cannot write %s%s\n", folder.c_str(), r.file.c_str());
      return 1;
    }
  }
  if (!write_text(folder + "art.rc", resource_script(resources))) {
    std::fprintf(stderr, "glimmets_art: cannot write %sart.rc\n", folder.c_str());
    return 1;
  }
  return 0;
}
