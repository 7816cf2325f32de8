// Every picture id is in the DLL with the size and depth the tool draws it at.
#include <gtest/gtest.h>

#include <vector>

#include "data/SealTable.h"
#include "tests/windows/PluginLoader.h"

namespace {

struct PictureCase {
  int id;
  int width;
  int height;
  int bitsPerPixel;
};

// LR_CREATEDIBSECTION keeps the file's own depth.
BITMAP LoadResourceBitmap(HMODULE module, int id) {
  BITMAP info = {};
  HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (image != nullptr) {
    GetObjectW(image, sizeof info, &info);
    DeleteObject(image);
  }
  return info;
}

TEST(PictureResourceTest, EverySealCoverAndToolImageLoadsFromTheDll) {
  CPluginLoader loader;
  ASSERT_NE(nullptr, loader.Module());
  std::vector<PictureCase> cases = {
      {179, 170, 210, 8}, {180, 170, 210, 8}, {181, 170, 210, 8}, {242, 170, 210, 8},
      {1001, 32, 32, 8},  {1002, 32, 32, 4},
  };
  for (const SealEntry& row : g_SealTable) {
    cases.push_back({row.nBitmapId, 32, 32, row.nBitmapId == kNoSealBitmapId ? 4 : 24});
  }
  for (const PictureCase& c : cases) {
    BITMAP info = LoadResourceBitmap(loader.Module(), c.id);
    EXPECT_EQ(c.width, info.bmWidth) << "bitmap " << c.id;
    EXPECT_EQ(c.height, info.bmHeight) << "bitmap " << c.id;
    EXPECT_EQ(c.bitsPerPixel, info.bmBitsPixel) << "bitmap " << c.id;
  }
}

}  // namespace
