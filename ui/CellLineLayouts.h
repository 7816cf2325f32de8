#pragma once
// What each calendar line shows, laid out once per text and kept for the
// window's life: a repaint of the same month draws without measuring.
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/CellLineText.h"

class CCellLineLayouts {
 public:
  // Draws the cp932 text in rect as DrawText with DT_END_ELLIPSIS |
  // DT_VCENTER would; font is the device context's font.
  void Draw(HDC dc, HFONT font, std::string_view text, const RECT& rect);
  // Forgets every layout.
  void Release();

 private:
  // A month holds at most 155 lines; far more texts than that means many
  // months were shown, and their layouts are laid out again when needed.
  static constexpr size_t kMostKept = 2048;

  std::unordered_map<std::string, EndEllipsisLayout> m_layouts;  // by width and text
  HFONT m_font = nullptr;                                        // not owned: what they were laid out with
};
