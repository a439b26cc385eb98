// The resource-script fragment and the generator behind it: art.rc names
// every sound and the icon once under its id and type, each file
// it names exists, the icon holds its two images, and the generator gives
// the same bytes on every run and reports a folder it cannot write to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

#include "resources/resource_ids.h"
#include "tests/art/art_files.h"

namespace {
std::set<int> expected_ids(const std::string& type) {
  std::set<int> ids;
  if (type == "ICON") ids.insert(IDI_GLIMMETS);
  if (type == "WAVE") {
    for (int n = 0; n < 6; ++n) ids.insert(IDW_SOUND_BASE + n);
  }
  return ids;
}

std::string run_generator(const std::string& folder) {
  return std::string("\"") + GLIMMETS_ART_TOOL + "\" \"" + folder + "\" 2>/dev/null";
}
}  // namespace

TEST(ResourceScript, ListsEveryResourceOnceWithItsTypeAndAnExistingFile) {
  const ResourceScript script = read_resource_script();
  EXPECT_TRUE(script.duplicates.empty());
  std::map<std::string, std::set<int>> found;
  for (const auto& [id, entry] : script.entries) {
    found[entry.type].insert(id);
    EXPECT_FALSE(read_bytes(generated_path(entry.file)).empty()) << entry.file;
    EXPECT_EQ(entry.file.find('/'), std::string::npos) << "file names are relative to the generated folder";
  }
  for (const char* type : {"ICON", "WAVE"}) EXPECT_EQ(found[type], expected_ids(type)) << type;
  EXPECT_EQ(found.size(), 2u) << "no other resource types: the program draws its stones";
}

TEST(Icon, HoldsA32And16PixelImageWithAlphaAndAMatchingMask) {
  const Bytes ico = read_bytes(generated_path("glimmets.ico"));
  ASSERT_GE(ico.size(), 6u + 2 * 16);
  EXPECT_EQ(le16(ico, 0), 0u);
  EXPECT_EQ(le16(ico, 2), 1u);
  ASSERT_EQ(le16(ico, 4), 2u);
  for (int image = 0; image < 2; ++image) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(image);
    const int side = image == 0 ? 32 : 16;
    EXPECT_EQ(ico[entry], side);
    const std::size_t offset = le32(ico, entry + 12);
    ASSERT_LE(offset + le32(ico, entry + 8), ico.size());
    EXPECT_EQ(le32(ico, offset + 4), static_cast<std::uint32_t>(side));
    EXPECT_EQ(le32(ico, offset + 8), static_cast<std::uint32_t>(2 * side)) << "height counts the mask";
    ASSERT_EQ(le16(ico, offset + 14), 32u);
    const std::size_t pixels = offset + 40, mask = pixels + static_cast<std::size_t>(side * side * 4);
    const std::size_t mask_row = (static_cast<std::size_t>(side) + 31) / 32 * 4;
    int opaque = 0, clear = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const int alpha = ico[pixels + static_cast<std::size_t>((y * side + x) * 4 + 3)];
        const bool masked = ico[mask + static_cast<std::size_t>(y) * mask_row + static_cast<std::size_t>(x / 8)] & (0x80 >> (x % 8));
        EXPECT_EQ(masked, alpha < 128) << "side " << side << " at " << x << "," << y;
        opaque += alpha == 255;
        clear += alpha == 0;
      }
    }
    EXPECT_GT(opaque, side * side / 3) << "the stones fill a good part of the icon";
    EXPECT_GT(clear, side) << "the corners are transparent";
  }
}

TEST(Generator, WritesTheSameBytesOnEveryRunAndFailsOnAFolderItCannotWrite) {
  namespace fs = std::filesystem;
  const fs::path again = fs::temp_directory_path() / ("glimmets_art_again_" + std::to_string(::getpid()));
  fs::create_directories(again);
  ASSERT_EQ(std::system(run_generator(again.string()).c_str()), 0);
  int compared = 0;
  for (const auto& file : fs::directory_iterator(again)) {
    const std::string name = file.path().filename().string();
    EXPECT_EQ(read_bytes(file.path().string()), read_bytes(generated_path(name))) << name << " differs between runs";
    ++compared;
  }
  EXPECT_EQ(compared, 1 + 6 + 1);
  fs::remove_all(again);
  EXPECT_NE(std::system(run_generator((again / "missing" / "folder").string()).c_str()), 0);
}
