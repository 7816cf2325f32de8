#include "print/DiaryLayout.h"

#include <algorithm>

#include "data/SealTable.h"
#include "print/PageFrame.h"

namespace {

constexpr int kIndentMillimetres = 6;
constexpr int kSealMillimetres = 7;
constexpr int kGapMillimetres = 4;

// A block's rows with their heights; tops are given when placed.
std::vector<DiaryRow> BlockRows(const DiaryDay& day, size_t index, const DiaryFrame& frame, const PrintNames& names,
                                ITextMeasure& measure) {
  const int width = frame.rows.right - frame.rows.left;
  const int textLeft = frame.rows.left + frame.indent;
  const int textWidth = std::max(1, width - frame.indent);
  const int bodyHeight = measure.RowHeight(PrintFont::kBody);
  std::vector<DiaryRow> rows;
  // Under the heading, room for its rule.
  rows.push_back({DiaryRowKind::kHeading, index, frame.rows.left, 0,
                  measure.RowHeight(PrintFont::kHeading) + frame.gap / 2,
                  DayHeadingText(day.date, day.weekday, day.holiday, names, false)});
  if (HasShownSeals(day.record)) {
    rows.push_back({DiaryRowKind::kSeals, index, textLeft, 0, frame.sealSize + frame.sealSize / 4, ""});
  }
  bool lines = false;
  for (const char* line : day.record.szLine) {
    for (std::string& row : TextRows(line, textWidth, PrintFont::kBody, measure)) {
      rows.push_back({DiaryRowKind::kText, index, textLeft, 0, bodyHeight, std::move(row)});
      lines = true;
    }
  }
  std::vector<std::string> memo = TextRows(day.record.szMemo, textWidth, PrintFont::kBody, measure);
  // A row left free between the lines and the memo tells them apart.
  if (lines && !memo.empty()) rows.push_back({DiaryRowKind::kText, index, textLeft, 0, bodyHeight, ""});
  for (std::string& row : memo) rows.push_back({DiaryRowKind::kText, index, textLeft, 0, bodyHeight, std::move(row)});
  return rows;
}

int HeightOf(const std::vector<DiaryRow>& rows) {
  int height = 0;
  for (const DiaryRow& row : rows) height += row.height;
  return height;
}

class CPageFiller {
 public:
  CPageFiller(const DiaryFrame& frame, std::vector<DiaryPage>& pages) : m_frame(frame), m_pages(pages) {}

  bool PageIsEmpty() const { return m_pages.empty() || m_pages.back().rows.empty(); }
  int Room() const { return m_pages.empty() ? 0 : m_frame.rows.bottom - m_top; }
  void NewPage() {
    m_pages.emplace_back();
    m_top = m_frame.rows.top;
  }
  void Place(DiaryRow row) {
    row.top = m_top;
    m_top += row.height;
    m_pages.back().rows.push_back(std::move(row));
  }
  void Skip(int height) { m_top += height; }

 private:
  const DiaryFrame& m_frame;
  std::vector<DiaryPage>& m_pages;
  int m_top = 0;
};

}  // namespace

DiaryFrame DiaryFrameIn(const PixelRect& body, int dpi, int footerRowHeight) {
  const int gap = MillimetresToPixels(kGapMillimetres, dpi);
  const int footerTop = std::max(body.top, body.bottom - footerRowHeight);
  return {{body.left, body.top, body.right, std::max(body.top, footerTop - gap)},
          {body.left, footerTop, body.right, body.bottom},
          MillimetresToPixels(kIndentMillimetres, dpi),
          MillimetresToPixels(kSealMillimetres, dpi),
          gap};
}

bool HasShownSeals(const DayRecord& record) {
  for (SealCode code : record.nSeal) {
    const SealEntry* row = code != 0 ? FindSealRow(code, kSealKeyCode) : nullptr;
    if (row != nullptr && row->nBitmapId != kNoSealBitmapId) return true;
  }
  return false;
}

std::vector<DiaryPage> LayOutDiary(const std::vector<DiaryDay>& days, const DiaryFrame& frame, const PrintNames& names,
                                   ITextMeasure& measure) {
  std::vector<DiaryPage> pages;
  CPageFiller filler(frame, pages);
  for (size_t index = 0; index < days.size(); ++index) {
    std::vector<DiaryRow> block = BlockRows(days[index], index, frame, names, measure);
    const int gap = filler.PageIsEmpty() ? 0 : frame.gap;
    if (pages.empty()) {
      filler.NewPage();
    } else if (HeightOf(block) + gap > filler.Room()) {
      // Whole onto the next page; one longer than a page starts at the top of one too.
      if (!filler.PageIsEmpty()) filler.NewPage();
    } else {
      filler.Skip(gap);
    }
    const DiaryRow heading = block.front();
    for (size_t i = 0; i < block.size(); ++i) {
      if (i > 0 && block[i].height > filler.Room()) {
        filler.NewPage();
        DiaryRow continued = heading;
        continued.text = DayHeadingText(days[index].date, days[index].weekday, days[index].holiday, names, true);
        filler.Place(std::move(continued));
      }
      filler.Place(std::move(block[i]));
    }
  }
  return pages;
}
