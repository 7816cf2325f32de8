#include "ui/PrintDocuments.h"

#include <vector>

#include "data/SealTable.h"
#include "print/DiaryLayout.h"
#include "print/MonthPageLayout.h"
#include "ui/CalendarFonts.h"
#include "ui/CalendarPainter.h"
#include "ui/CellLineLayouts.h"
#include "ui/CellPictureCache.h"
#include "ui/GdiTextMeasure.h"
#include "ui/core/CellContent.h"
#include "win/Gdi.h"
#include "win/Text.h"

namespace {

constexpr ColorRef kPageTextColour = 0x00000000;
constexpr ColorRef kFooterColour = 0x00505050;
// The diary's fonts, as tall as these tenths of a millimetre.
constexpr int kHeadingFontTenths = 52;
constexpr int kBodyFontTenths = 42;
constexpr int kFooterFontTenths = 32;
constexpr char kPageFace[] = "ＭＳ Ｐゴシック";

// Paper's fonts are outlines: a device's own font may lack the Japanese letters.
const FontLook kPaperHeadingLook = {0, FW_BOLD, OUT_TT_PRECIS, PROOF_QUALITY, kPageFace};
const FontLook kPaperTextLook = {0, FW_NORMAL, OUT_TT_PRECIS, PROOF_QUALITY, kPageFace};

FontLook OnPaper(const FontLook& look) { return {look.height, look.weight, OUT_TT_PRECIS, PROOF_QUALITY, look.face}; }

int TenthsToPixels(int tenths, int dpi) { return (tenths * dpi * 10 + 1270) / 2540; }

void DrawCp932(HDC dc, int x, int y, const std::string& text) {
  const std::wstring wide = WidenCp932(text.c_str(), text.size());
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

class CSheetFacts : public ICalendarFacts {
 public:
  explicit CSheetFacts(const MonthSheetData& data) : m_data(data) {}
  std::wstring WeekdayName(int column) override { return m_data.weekdayNames[column]; }
  // Paper keeps the days' own colours, asked before the job began.
  ColorRef DayNumberColour(int day, int, const CalendarPalette&, bool) override { return m_data.dayColours[day]; }

 private:
  const MonthSheetData& m_data;
};

class CMonthDocument : public IPrintDocument {
 public:
  explicit CMonthDocument(std::shared_ptr<const MonthSheetData> data) : m_data(std::move(data)) {}

  size_t LayOut(HDC dc) override {
    m_layout = LayOutMonthPage(PageBody(PageFactsOf(dc)));
    CreateFontOfLookAtHeight(m_headingFont, OnPaper(kLabelFontLook), m_layout.headingFontHeight);
    CreateFontOfLook(m_dayFont, OnPaper(kDayFontLook), m_layout.grid.scale);
    CreateFontOfLook(m_lineFont, OnPaper(kLineFontLook), m_layout.grid.scale);
    m_lines.Release();
    return 1;
  }

  void DrawPage(HDC dc, size_t) override {
    SetBkMode(dc, TRANSPARENT);
    {
      CSelectObject font(dc, m_headingFont);
      SetTextColor(dc, kPageTextColour);
      const std::wstring heading = WidenCp932(m_data->heading.c_str());
      RECT band = {m_layout.heading.left, m_layout.heading.top, m_layout.heading.right, m_layout.heading.bottom};
      DrawTextW(dc, heading.c_str(), static_cast<int>(heading.size()), &band,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // Seals are enlarged once for the page, smoothly.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    m_pictures.BeginPaint(dc);
    const CalendarSheet sheet = {m_layout.grid,      CalendarSurface::kPaper,         &m_data->grid, &m_data->table, 0,
                                 m_data->themeIndex, ThemePalette(m_data->themeIndex)};
    CSheetFacts facts(*m_data);
    CCalendarPainter(m_pictures, m_lines).Paint(dc, sheet, {m_dayFont, m_lineFont}, facts);
  }

  std::wstring Title() const override { return L"Plannix " + WidenCp932(m_data->heading.c_str()); }
  bool Landscape() const override { return true; }

 private:
  std::shared_ptr<const MonthSheetData> m_data;
  MonthPageLayout m_layout = {};
  CFont m_headingFont;
  CFont m_dayFont;
  CFont m_lineFont;
  CCellPictureCache m_pictures;
  CCellLineLayouts m_lines;
};

class CDiaryDocument : public IPrintDocument {
 public:
  explicit CDiaryDocument(std::shared_ptr<const DiaryData> data) : m_data(std::move(data)) {}

  size_t LayOut(HDC dc) override {
    const PageFacts page = PageFactsOf(dc);
    CreateFontOfLookAtHeight(m_headingFont, kPaperHeadingLook, TenthsToPixels(kHeadingFontTenths, page.dpiY));
    CreateFontOfLookAtHeight(m_bodyFont, kPaperTextLook, TenthsToPixels(kBodyFontTenths, page.dpiY));
    CreateFontOfLookAtHeight(m_footerFont, kPaperTextLook, TenthsToPixels(kFooterFontTenths, page.dpiY));
    CGdiTextMeasure measure(dc, m_headingFont, m_bodyFont, m_footerFont);
    m_frame = DiaryFrameIn(PageBody(page), page.dpiY, measure.RowHeight(PrintFont::kFooter));
    m_headingHeight = measure.RowHeight(PrintFont::kHeading);
    m_pages = LayOutDiary(m_data->days, m_frame, m_data->names, measure);
    return m_pages.size();
  }

  void DrawPage(HDC dc, size_t index) override {
    if (index >= m_pages.size()) return;
    SetBkMode(dc, TRANSPARENT);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    m_pictures.BeginPaint(dc);
    for (const DiaryRow& row : m_pages[index].rows) {
      const DiaryDay& day = m_data->days[row.day];
      switch (row.kind) {
        case DiaryRowKind::kHeading:
          DrawHeading(dc, row, day);
          break;
        case DiaryRowKind::kSeals:
          DrawSeals(dc, row, day.record);
          break;
        case DiaryRowKind::kText: {
          CSelectObject font(dc, m_bodyFont);
          SetTextColor(dc, kPageTextColour);
          DrawCp932(dc, row.left, row.top, row.text);
          break;
        }
      }
    }
    DrawFooter(dc, index);
  }

  std::wstring Title() const override {
    return L"Plannix " + WidenCp932(RangeText(m_data->from, m_data->to, m_data->names).c_str());
  }
  bool Landscape() const override { return false; }

 private:
  void DrawHeading(HDC dc, const DiaryRow& row, const DiaryDay& day) {
    CSelectObject font(dc, m_headingFont);
    SetTextColor(dc, DayNumberColour(day.weekday, !day.holiday.empty(), false));
    DrawCp932(dc, row.left, row.top, row.text);
    // A rule under the heading, across the page.
    const int y = row.top + m_headingHeight + (row.height - m_headingHeight) / 2;
    CGdiObject<HPEN> pen(CreatePen(PS_SOLID, std::max(1, m_frame.gap / 12), kFooterColour));
    CSelectObject penSelection(dc, pen);
    MoveToEx(dc, m_frame.rows.left, y, nullptr);
    LineTo(dc, m_frame.rows.right, y);
  }

  void DrawSeals(HDC dc, const DiaryRow& row, const DayRecord& record) {
    CSelectObject font(dc, m_bodyFont);
    SetTextColor(dc, kPageTextColour);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    // The names stand beside the middle of their pictures.
    const int nameTop = row.top + (m_frame.sealSize - metrics.tmHeight) / 2;
    int x = row.left;
    for (SealCode code : record.nSeal) {
      const auto source = CellPictureSource(code, 1);
      const SealEntry* seal = FindSealRow(code, kSealKeyCode);
      if (!source || seal == nullptr || x >= m_frame.rows.right) continue;
      m_pictures.Draw(dc, *source, {x, row.top, x + m_frame.sealSize, row.top + m_frame.sealSize});
      x += m_frame.sealSize + m_frame.sealSize / 4;
      const std::wstring name = WidenCp932(seal->szName);
      TextOutW(dc, x, nameTop, name.c_str(), static_cast<int>(name.size()));
      SIZE size = {};
      GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
      x += size.cx + m_frame.sealSize / 2;
    }
  }

  void DrawFooter(HDC dc, size_t index) {
    CSelectObject font(dc, m_footerFont);
    SetTextColor(dc, kFooterColour);
    const std::wstring range = WidenCp932(RangeText(m_data->from, m_data->to, m_data->names).c_str());
    const std::wstring number = WidenCp932(PageNumberText(index + 1, m_pages.size()).c_str());
    RECT footer = {m_frame.footer.left, m_frame.footer.top, m_frame.footer.right, m_frame.footer.bottom};
    DrawTextW(dc, range.c_str(), static_cast<int>(range.size()), &footer, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(dc, number.c_str(), static_cast<int>(number.size()), &footer, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
  }

  std::shared_ptr<const DiaryData> m_data;
  DiaryFrame m_frame = {};
  int m_headingHeight = 0;
  std::vector<DiaryPage> m_pages;
  CFont m_headingFont;
  CFont m_bodyFont;
  CFont m_footerFont;
  CCellPictureCache m_pictures;
};

}  // namespace

std::unique_ptr<IPrintDocument> MakeMonthDocument(std::shared_ptr<const MonthSheetData> data) {
  return std::make_unique<CMonthDocument>(std::move(data));
}

std::unique_ptr<IPrintDocument> MakeDiaryDocument(std::shared_ptr<const DiaryData> data) {
  return std::make_unique<CDiaryDocument>(std::move(data));
}

PageFacts PageFactsOf(HDC dc) {
  return {GetDeviceCaps(dc, HORZRES),       GetDeviceCaps(dc, VERTRES),         GetDeviceCaps(dc, LOGPIXELSX),
          GetDeviceCaps(dc, LOGPIXELSY),    GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
          GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
}
