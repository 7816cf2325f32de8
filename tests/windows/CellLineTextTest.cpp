// The calendar's line drawing against DrawText itself, pixel for pixel: a
// table of texts, each at the widths where a cut changes, in two fonts.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "ui/CellLineText.h"

namespace {

constexpr int kCanvasWidth = 420;
constexpr int kCanvasHeight = 48;
constexpr COLORREF kBackground = RGB(255, 255, 200);

// A 24-bit bitmap with the font selected, ready for transparent black text.
class CTextCanvas {
 public:
  explicit CTextCanvas(HFONT font) : m_dc(CreateCompatibleDC(nullptr)) {
    const BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), kCanvasWidth, kCanvasHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    m_oldFont = SelectObject(m_dc, font);
    SetBkMode(m_dc, TRANSPARENT);
    SetTextColor(m_dc, RGB(0, 0, 0));
  }
  CTextCanvas(const CTextCanvas&) = delete;
  CTextCanvas& operator=(const CTextCanvas&) = delete;
  ~CTextCanvas() {
    SelectObject(m_dc, m_oldFont);
    SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }

  HDC Dc() const { return m_dc; }
  void Clear() {
    SetBkColor(m_dc, kBackground);
    RECT all = {0, 0, kCanvasWidth, kCanvasHeight};
    ExtTextOutW(m_dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
  }
  std::vector<unsigned char> Pixels() const {
    GdiFlush();
    const size_t stride = (kCanvasWidth * 3 + 3) & ~size_t{3};
    const auto* bits = static_cast<const unsigned char*>(m_bits);
    return std::vector<unsigned char>(bits, bits + stride * kCanvasHeight);
  }
  int Width(const std::wstring& text) const {
    SIZE size = {};
    GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

 private:
  HDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_oldBitmap = nullptr;
  HGDIOBJ m_oldFont = nullptr;
  void* m_bits = nullptr;
};

const std::wstring kTexts[] = {
    L"a",
    L"打ち合わせ 10:00 会議室",
    std::wstring(100, L'x'),
    L"ｱｲｳｴｵｶｷｸｹｺ ﾐｰﾃｨﾝｸﾞ",
    L"WWWiiiWWWiii.,;",
    L"朝会\r",
    L"朝会\n",
    L"とても長い予定の説明がここに続いていきます\r",
    L"a&b の予定",
    L"&&& 二重",
    L"tab\there",
    L"line\rnext",
    L"\r",
};

// The widths where the cut changes, and their neighbours: no text, the
// whole row, and each start of the row with the ellipsis after it.
std::set<int> WidthsToTry(const CTextCanvas& canvas, const std::wstring& text) {
  std::set<int> widths = {0, 1, 66, 400};
  const int ellipsis = canvas.Width(L"...");
  for (size_t kept = 0; kept <= text.size(); ++kept) {
    const int whole = canvas.Width(text.substr(0, kept));
    for (int edge : {whole, whole + ellipsis}) {
      for (int width : {edge - 1, edge, edge + 1}) {
        if (width >= 0 && width < 400) widths.insert(width);
      }
    }
  }
  return widths;
}

void ExpectSameAsDrawText(HFONT font) {
  CTextCanvas ours(font);
  CTextCanvas drawText(font);
  for (const std::wstring& text : kTexts) {
    for (int width : WidthsToTry(ours, text)) {
      SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(text) << " width " << width);
      const RECT rect = {6, 4, 6 + width, 38};
      ours.Clear();
      DrawEndEllipsisText(ours.Dc(), text, rect);
      drawText.Clear();
      RECT bounds = rect;
      DrawTextW(drawText.Dc(), text.c_str(), static_cast<int>(text.size()), &bounds, DT_END_ELLIPSIS | DT_VCENTER);
      ASSERT_TRUE(ours.Pixels() == drawText.Pixels());
    }
  }
}

struct FontRecipe {
  const char* name;
  int height;
  int weight;
  BYTE outPrecision;
  BYTE quality;
  const wchar_t* face;
};

TEST(CellLineTextTest, DrawsWhatDrawTextDraws) {
  const FontRecipe fonts[] = {
      {"calendarLineFont", 10, FW_NORMAL, OUT_TT_PRECIS, PROOF_QUALITY, L""},
      {"largerProportionalFont", 18, FW_BOLD, OUT_DEFAULT_PRECIS, ANTIALIASED_QUALITY, L"ＭＳ Ｐゴシック"},
  };
  for (const FontRecipe& recipe : fonts) {
    SCOPED_TRACE(recipe.name);
    HFONT font = CreateFontW(recipe.height, 0, 0, 0, recipe.weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             recipe.outPrecision, CLIP_DEFAULT_PRECIS, recipe.quality, VARIABLE_PITCH, recipe.face);
    ASSERT_NE(nullptr, font);
    ExpectSameAsDrawText(font);
    DeleteObject(font);
  }
}

}  // namespace
