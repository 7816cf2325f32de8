#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "data/SealTable.h"

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

std::vector<uint8_t> ReadPicture(const std::string& name) {
  std::ifstream stream(std::string(PLANNIX_SOURCE_DIR) + "/ui/res/pictures/" + name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

uint32_t Le16(const std::vector<uint8_t>& bytes, size_t at) { return bytes[at] | bytes[at + 1] << 8; }

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

// The fields of a BITMAPINFOHEADER that a resource compiler and LoadBitmap care about.
struct InfoHeader {
  uint32_t size;
  int32_t width;
  int32_t height;
  uint32_t planes;
  uint32_t bitCount;
  uint32_t compression;
  uint32_t coloursUsed;
};

InfoHeader ReadInfoHeader(const std::vector<uint8_t>& bytes, size_t at) {
  return {Le32(bytes, at),      static_cast<int32_t>(Le32(bytes, at + 4)), static_cast<int32_t>(Le32(bytes, at + 8)),
          Le16(bytes, at + 12), Le16(bytes, at + 14),                      Le32(bytes, at + 16),
          Le32(bytes, at + 32)};
}

struct PictureCase {
  int id;
  const char* prefix;
  int width;
  int height;
  uint32_t bitCount;
};

std::vector<PictureCase> AllBitmaps() {
  std::vector<PictureCase> cases;
  cases.push_back({155, "seal_", 32, 32, 4});
  for (int id = 156; id <= 177; ++id) cases.push_back({id, "seal_", 32, 32, 24});
  for (int id = 217; id <= 239; ++id) cases.push_back({id, "seal_", 32, 32, 24});
  for (int id : {179, 180, 181, 242}) cases.push_back({id, "cover_", 170, 210, 8});
  cases.push_back({1001, "tool_", 32, 32, 8});
  cases.push_back({1002, "tool_", 32, 32, 4});
  return cases;
}

std::string FileName(const PictureCase& c) { return c.prefix + std::to_string(c.id) + ".bmp"; }

TEST(PicturesTest, EveryBitmapHasItsSizeDepthAndNoCompression) {
  for (const PictureCase& c : AllBitmaps()) {
    const std::string name = FileName(c);
    const std::vector<uint8_t> bytes = ReadPicture(name);
    ASSERT_GE(bytes.size(), kFileHeaderSize + kInfoHeaderSize) << name;
    EXPECT_EQ('B', bytes[0]) << name;
    EXPECT_EQ('M', bytes[1]) << name;
    EXPECT_EQ(bytes.size(), Le32(bytes, 2)) << name << ": size field";

    const InfoHeader info = ReadInfoHeader(bytes, kFileHeaderSize);
    EXPECT_EQ(kInfoHeaderSize, info.size) << name;
    EXPECT_EQ(c.width, info.width) << name;
    EXPECT_EQ(c.height, info.height) << name << ": bottom-up rows";
    EXPECT_EQ(1u, info.planes) << name;
    EXPECT_EQ(c.bitCount, info.bitCount) << name;
    EXPECT_EQ(kBiRgb, info.compression) << name;

    const uint32_t tableEntries = c.bitCount == 24 ? 0 : (info.coloursUsed ? info.coloursUsed : 1u << c.bitCount);
    EXPECT_LE(tableEntries, c.bitCount == 24 ? 0u : 1u << c.bitCount) << name;
    const size_t pixelOffset = Le32(bytes, 10);
    EXPECT_EQ(kFileHeaderSize + kInfoHeaderSize + 4 * tableEntries, pixelOffset) << name;
    const size_t stride = (c.width * c.bitCount + 31) / 32 * 4;
    EXPECT_EQ(pixelOffset + stride * c.height, bytes.size()) << name << ": pixel rows";
  }
}

TEST(PicturesTest, EverySealOfTheTableHasAPicture) {
  std::set<int> sealPictures;
  for (const PictureCase& c : AllBitmaps()) {
    if (std::string(c.prefix) == "seal_") sealPictures.insert(c.id);
  }
  std::set<int> tableIds;
  for (const SealEntry& row : g_SealTable) tableIds.insert(row.nBitmapId);
  EXPECT_EQ(tableIds, sealPictures);
}

TEST(PicturesTest, IconHoldsA16AndA32PixelImage) {
  const std::vector<uint8_t> bytes = ReadPicture("plannix.ico");
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(0u, Le16(bytes, 0));
  EXPECT_EQ(1u, Le16(bytes, 2)) << "resource type icon";
  ASSERT_EQ(2u, Le16(bytes, 4));

  std::set<int> sizes;
  for (size_t entry = 0; entry < 2; ++entry) {
    const size_t at = 6 + 16 * entry;
    ASSERT_GE(bytes.size(), at + 16);
    const int width = bytes[at];
    const int height = bytes[at + 1];
    EXPECT_EQ(width, height);
    sizes.insert(width);

    const uint32_t imageSize = Le32(bytes, at + 8);
    const uint32_t imageOffset = Le32(bytes, at + 12);
    ASSERT_LE(static_cast<size_t>(imageOffset) + imageSize, bytes.size()) << width;
    ASSERT_GE(imageSize, kInfoHeaderSize) << width;
    const InfoHeader info = ReadInfoHeader(bytes, imageOffset);
    EXPECT_EQ(width, info.width);
    EXPECT_EQ(2 * height, info.height) << "colour rows and mask rows";
    EXPECT_EQ(kBiRgb, info.compression);
    const size_t colourBytes = static_cast<size_t>(width) * height * info.bitCount / 8;
    const size_t maskBytes = static_cast<size_t>((width + 31) / 32 * 4) * height;
    EXPECT_EQ(kInfoHeaderSize + colourBytes + maskBytes, imageSize) << width;
  }
  EXPECT_EQ((std::set<int>{16, 32}), sizes);
}

}  // namespace
