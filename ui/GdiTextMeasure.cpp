#include "ui/GdiTextMeasure.h"

#include "win/Gdi.h"
#include "win/Text.h"

std::wstring WidenByCharacter(std::string_view text, std::vector<size_t>& lastUnits) {
  const std::vector<size_t> starts = CharacterStarts(text);
  std::wstring wide;
  lastUnits.clear();
  for (size_t i = 0; i < starts.size(); ++i) {
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
    std::wstring unit = WidenCp932(text.data() + starts[i], end - starts[i]);
    // A character that converts to nothing still takes a place, so the counts agree.
    if (unit.empty()) unit = L"?";
    wide += unit;
    lastUnits.push_back(wide.size() - 1);
  }
  return wide;
}

void CGdiTextMeasure::CharacterExtents(std::string_view text, PrintFont font, std::vector<int>& extents) {
  std::vector<size_t> lastUnits;
  const std::wstring wide = WidenByCharacter(text, lastUnits);
  extents.assign(lastUnits.size(), 0);
  if (wide.empty()) return;
  std::vector<int> partial(wide.size(), 0);
  SIZE size;
  CSelectObject selection(m_dc, FontOf(font));
  if (!GetTextExtentExPointW(m_dc, wide.c_str(), static_cast<int>(wide.size()), 0, nullptr, partial.data(), &size)) {
    return;
  }
  for (size_t i = 0; i < lastUnits.size(); ++i) extents[i] = partial[lastUnits[i]];
}

int CGdiTextMeasure::RowHeight(PrintFont font) {
  CSelectObject selection(m_dc, FontOf(font));
  TEXTMETRICW metrics = {};
  if (!GetTextMetricsW(m_dc, &metrics)) return 1;
  return metrics.tmHeight + metrics.tmExternalLeading;
}

HFONT CGdiTextMeasure::FontOf(PrintFont font) const {
  switch (font) {
    case PrintFont::kHeading:
      return m_heading;
    case PrintFont::kFooter:
      return m_footer;
    default:
      return m_body;
  }
}
