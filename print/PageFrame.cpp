#include "print/PageFrame.h"

#include <algorithm>

namespace {

constexpr int kMillimetresPerTenInches = 254;

}  // namespace

int MillimetresToPixels(int millimetres, int dpi) {
  return static_cast<int>((static_cast<long long>(millimetres) * dpi * 10 + kMillimetresPerTenInches / 2) /
                          kMillimetresPerTenInches);
}

PixelRect PageBody(const PageFacts& page, int marginMillimetres) {
  const int marginX = MillimetresToPixels(marginMillimetres, page.dpiX);
  const int marginY = MillimetresToPixels(marginMillimetres, page.dpiY);
  // A device that names no paper prints all of it.
  const int paperWidth = page.paperWidth > 0 ? page.paperWidth : page.printableWidth;
  const int paperHeight = page.paperHeight > 0 ? page.paperHeight : page.printableHeight;
  const int offsetX = page.paperWidth > 0 ? page.offsetX : 0;
  const int offsetY = page.paperHeight > 0 ? page.offsetY : 0;
  return {std::max(0, marginX - offsetX), std::max(0, marginY - offsetY),
          std::min(page.printableWidth, paperWidth - marginX - offsetX),
          std::min(page.printableHeight, paperHeight - marginY - offsetY)};
}
