// glimmets_art: writes the program's icon and sounds, and the resource-script
// fragment art.rc that lists them, into the folder named on the command line.
// The output depends on nothing but this code, so every build produces the
// same bytes.
//
// `glimmets_art picture FORM STONE_SIZE SIDE FILE [symbols]` writes instead the
// strip of the eleven pictures the program draws for that look (FORM round or
// square; slots: the blank, colours 1 to 6, burst frames 1 to 4; with
// "symbols", each colour with its symbol) as a binary PPM, for the end-to-end
// tests to compare with the screen.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "art/strip.h"
#include "tools/art/catalogue.h"

namespace {
bool write_text(const std::string& path, const std::string& text) {
  return write_file(path, Bytes(text.begin(), text.end()));
}

int write_resources(const std::string& folder_name) {
  const std::string folder = folder_name + "/";
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

bool parse_look(const std::string& form, const char* size, const char* side, StoneLook& look) {
  if (form != "round" && form != "square") return false;
  look.form = form == "round" ? StoneForm::round : StoneForm::square;
  look.stone_size = std::atoi(size);
  look.side = std::atoi(side);
  return look.side >= SMALLEST_SIDE && look.side <= LARGEST_SIDE;
}

int write_picture(const StoneLook& look, const std::string& path) {
  const int width = STRIP_SLOTS * look.side;
  std::vector<std::uint32_t> strip(static_cast<std::size_t>(width * look.side));
  draw_strip(look, strip.data());
  const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(look.side) + "\n255\n";
  Bytes out(header.begin(), header.end());
  for (std::uint32_t pixel : strip) {
    put_u8(out, pixel >> 16);
    put_u8(out, pixel >> 8);
    put_u8(out, pixel);
  }
  if (write_file(path, out)) return 0;
  std::fprintf(stderr, "glimmets_art: cannot write %s\n", path.c_str());
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) return write_resources(argv[1]);
  StoneLook look{};
  const bool symbols = argc == 7 && std::string(argv[6]) == "symbols";
  if ((argc == 6 || symbols) && std::string(argv[1]) == "picture" && parse_look(argv[2], argv[3], argv[4], look)) {
    look.symbols = symbols;
    return write_picture(look, argv[5]);
  }
  std::fprintf(stderr,
               "usage: glimmets_art OUTPUT_FOLDER\n"
               "       glimmets_art picture round|square STONE_SIZE SIDE(%d..%d) FILE.ppm [symbols]\n",
               SMALLEST_SIDE, LARGEST_SIDE);
  return 2;
}
