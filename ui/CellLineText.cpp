#include "ui/CellLineText.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "ui/core/EndEllipsisRow.h"

namespace {

constexpr UINT kLineFormat = DT_END_ELLIPSIS | DT_VCENTER;
constexpr wchar_t kEllipsis[] = L"...";
// Enough characters to overrun a calendar line unless they are very narrow;
// measuring costs by the character.
constexpr size_t kFirstMeasured = 16;

// The widths of the first characters of row, each start with them, and
// then the ellipsis's: one measurement gives both.
bool MeasureStart(HDC dc, const std::wstring& row, size_t characters, std::vector<int>& partialWidths) {
  std::wstring measured = row.substr(0, characters);
  measured.append(kEllipsis);
  partialWidths.resize(measured.size());
  SIZE size;
  return GetTextExtentExPointW(dc, measured.c_str(), static_cast<int>(measured.size()), 0, nullptr,
                               partialWidths.data(), &size) != 0;
}

// The row as DrawText shows it in width: whole, or a start of it and the ellipsis.
std::optional<std::wstring> CutRow(HDC dc, std::wstring row, int width) {
  std::vector<int> partialWidths;
  size_t measured = std::min(row.size(), kFirstMeasured);
  if (!MeasureStart(dc, row, measured, partialWidths)) return std::nullopt;
  // A start that fits says nothing of the rest.
  if (measured < row.size() && partialWidths[measured - 1] <= width) {
    measured = row.size();
    if (!MeasureStart(dc, row, measured, partialWidths)) return std::nullopt;
  }
  const int ellipsisWidth = partialWidths.back() - partialWidths[measured - 1];
  const RowCut cut = CutRowToWidth(partialWidths.data(), measured, width, ellipsisWidth);
  if (!cut.ellipsis) return row;
  row.resize(cut.kept);
  row.append(kEllipsis);
  return row;
}

}  // namespace

EndEllipsisLayout LayOutEndEllipsisText(HDC dc, const std::wstring& text, int width) {
  const std::optional<size_t> rowLength = PlainRowLength(text);
  if (rowLength == size_t{0}) return {std::wstring(), false};
  std::optional<std::wstring> shown;
  if (rowLength) shown = CutRow(dc, text.substr(0, *rowLength), width);
  if (!shown) return {text, true};
  return {std::move(*shown), false};
}

void DrawEndEllipsisLayout(HDC dc, const EndEllipsisLayout& layout, const RECT& rect) {
  const int length = static_cast<int>(layout.shown.size());
  if (layout.byDrawText) {
    RECT bounds = rect;
    DrawTextW(dc, layout.shown.c_str(), length, &bounds, kLineFormat);
  } else if (length > 0) {
    ExtTextOutW(dc, rect.left, rect.top, ETO_CLIPPED, &rect, layout.shown.c_str(), length, nullptr);
  }
}

void DrawEndEllipsisText(HDC dc, const std::wstring& text, const RECT& rect) {
  DrawEndEllipsisLayout(dc, LayOutEndEllipsisText(dc, text, rect.right - rect.left), rect);
}
