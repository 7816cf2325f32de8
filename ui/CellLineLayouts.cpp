#include "ui/CellLineLayouts.h"

#include "win/Text.h"

void CCellLineLayouts::Draw(HDC dc, HFONT font, std::string_view text, const RECT& rect) {
  if (font != m_font || m_layouts.size() >= kMostKept) {
    Release();
    m_font = font;
  }
  const int width = rect.right - rect.left;
  std::string key(reinterpret_cast<const char*>(&width), sizeof width);
  key.append(text);
  auto found = m_layouts.find(key);
  if (found == m_layouts.end()) {
    EndEllipsisLayout layout = LayOutEndEllipsisText(dc, WidenCp932(text.data(), text.size()), width);
    found = m_layouts.emplace(std::move(key), std::move(layout)).first;
  }
  DrawEndEllipsisLayout(dc, found->second, rect);
}

void CCellLineLayouts::Release() {
  m_layouts.clear();
  m_font = nullptr;
}
