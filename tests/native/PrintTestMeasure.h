#pragma once
// Text measured as a fixed-pitch device would: 10 pixels a single-byte
// character, 20 a two-byte one; rows of fixed heights.
#include <string_view>
#include <vector>

#include "print/TextRows.h"

class CFixedPitchMeasure : public ITextMeasure {
 public:
  static constexpr int kNarrow = 10;
  static constexpr int kWide = 20;
  static constexpr int kHeadingRow = 30;
  static constexpr int kBodyRow = 20;
  static constexpr int kFooterRow = 16;

  void CharacterExtents(std::string_view text, PrintFont, std::vector<int>& extents) override {
    extents.clear();
    int width = 0;
    const std::vector<size_t> starts = CharacterStarts(text);
    for (size_t i = 0; i < starts.size(); ++i) {
      const size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
      width += end - starts[i] == 2 ? kWide : kNarrow;
      extents.push_back(width);
    }
    ++calls;
  }
  int RowHeight(PrintFont font) override {
    return font == PrintFont::kHeading ? kHeadingRow : font == PrintFont::kFooter ? kFooterRow : kBodyRow;
  }

  int calls = 0;
};
