#include "ui/PrintPreviewDialog.h"

#include <algorithm>
#include <string>

#include "print/PrintTexts.h"
#include "ui/res/PrintResource.h"
#include "win/Text.h"

namespace {

constexpr COLORREF kDeskColour = RGB(128, 128, 128);
constexpr COLORREF kPaperColour = RGB(255, 255, 255);

}  // namespace

CPrintPreviewDialog::CPrintPreviewDialog(CWnd* parent, IPrintDocument& document, const PrinterChoice& printer)
    : CDialog(IDD_PRINT_PREVIEW, parent), m_document(document), m_printer(printer) {}

INT_PTR CPrintPreviewDialog::DoModal() {
  HDC printer = CreatePrinterDC(m_printer);
  if (printer == nullptr) return -1;
  m_facts = PageFactsOf(printer);
  m_pages = m_document.LayOut(printer);
  DeleteDC(printer);
  return CDialog::DoModal();
}

BOOL CPrintPreviewDialog::OnInitDialog() {
  ShowPage(0);
  return TRUE;
}

BOOL CPrintPreviewDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PREVIEW_PREVIOUS) {
    if (m_page > 0) ShowPage(m_page - 1);
    return TRUE;
  }
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PREVIEW_NEXT) {
    if (m_page + 1 < m_pages) ShowPage(m_page + 1);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

INT_PTR CPrintPreviewDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM && wParam == IDC_PREVIEW_PAGE) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

void CPrintPreviewDialog::ShowPage(size_t page) {
  m_page = page;
  const std::string number = m_pages == 0 ? "0 / 0" : PageNumberText(m_page + 1, m_pages);
  ::SetDlgItemTextW(m_hWnd, IDC_PREVIEW_PAGE_NUMBER, WidenCp932(number.c_str()).c_str());
  ::EnableWindow(GetDlgItem(IDC_PREVIEW_PREVIOUS), m_page > 0);
  ::EnableWindow(GetDlgItem(IDC_PREVIEW_NEXT), m_page + 1 < m_pages);
  DrawPicture();
  ::InvalidateRect(GetDlgItem(IDC_PREVIEW_PAGE), nullptr, FALSE);
}

void CPrintPreviewDialog::DrawPicture() {
  RECT frame;
  ::GetClientRect(GetDlgItem(IDC_PREVIEW_PAGE), &frame);
  // The whole paper, its printable area where the printer puts it.
  const int paperWidth = m_facts.paperWidth > 0 ? m_facts.paperWidth : m_facts.printableWidth;
  const int paperHeight = m_facts.paperHeight > 0 ? m_facts.paperHeight : m_facts.printableHeight;
  if (paperWidth <= 0 || paperHeight <= 0 || frame.right <= 4 || frame.bottom <= 4) return;
  const double fit =
      std::min(static_cast<double>(frame.right - 4) / paperWidth, static_cast<double>(frame.bottom - 4) / paperHeight);
  m_pictureSize = {std::max(1, static_cast<int>(paperWidth * fit)), std::max(1, static_cast<int>(paperHeight * fit))};
  HDC screen = ::GetDC(m_hWnd);
  m_picture.Attach(CreateCompatibleBitmap(screen, m_pictureSize.cx, m_pictureSize.cy));
  ::ReleaseDC(m_hWnd, screen);
  CMemoryDC dc(nullptr);
  if (dc == nullptr || m_picture == nullptr) return;
  CSelectObject selection(dc, m_picture);
  RECT all = {0, 0, m_pictureSize.cx, m_pictureSize.cy};
  FillSolidRect(dc, all, kPaperColour);
  if (m_page >= m_pages) return;
  const int saved = SaveDC(dc);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, paperWidth, paperHeight, nullptr);
  SetViewportExtEx(dc, m_pictureSize.cx, m_pictureSize.cy, nullptr);
  const int offsetX = m_facts.paperWidth > 0 ? m_facts.offsetX : 0;
  const int offsetY = m_facts.paperHeight > 0 ? m_facts.offsetY : 0;
  SetWindowOrgEx(dc, -offsetX, -offsetY, nullptr);
  m_document.DrawPage(dc, m_page);
  RestoreDC(dc, saved);
}

void CPrintPreviewDialog::DrawItem(const DRAWITEMSTRUCT& item) {
  FillSolidRect(item.hDC, item.rcItem, kDeskColour);
  if (m_picture == nullptr) return;
  const int x = (item.rcItem.right - item.rcItem.left - m_pictureSize.cx) / 2;
  const int y = (item.rcItem.bottom - item.rcItem.top - m_pictureSize.cy) / 2;
  CMemoryDC source(item.hDC);
  CSelectObject selection(source, m_picture);
  BitBlt(item.hDC, item.rcItem.left + x, item.rcItem.top + y, m_pictureSize.cx, m_pictureSize.cy, source, 0, 0,
         SRCCOPY);
}
