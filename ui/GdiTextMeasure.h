#pragma once
// Text measured as a device context draws it, for the page layout.
#include <string>
#include <string_view>
#include <vector>

#include "print/TextRows.h"
#include "win/WinHeaders.h"

class CGdiTextMeasure : public ITextMeasure {
 public:
  // The fonts are not owned; dc's selected font is put back after each measure.
  CGdiTextMeasure(HDC dc, HFONT heading, HFONT body, HFONT footer)
      : m_dc(dc), m_heading(heading), m_body(body), m_footer(footer) {}

  void CharacterExtents(std::string_view text, PrintFont font, std::vector<int>& extents) override;
  int RowHeight(PrintFont font) override;

 private:
  HFONT FontOf(PrintFont font) const;

  HDC m_dc;
  HFONT m_heading;
  HFONT m_body;
  HFONT m_footer;
};

// The UTF-16 of a cp932 text and, for each of its characters (as
// CharacterStarts counts them), the index of the last UTF-16 unit it became.
std::wstring WidenByCharacter(std::string_view text, std::vector<size_t>& lastUnits);
