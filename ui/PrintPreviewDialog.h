#pragma once
// The pages about to print, drawn by the print's own code: laid out for
// the printer, then drawn scaled into the window, page by page.
#include <cstddef>

#include "ui/PrintDocuments.h"
#include "ui/PrinterChoice.h"
#include "win/Dialog.h"
#include "win/Gdi.h"

class CPrintPreviewDialog : public CDialog {
 public:
  CPrintPreviewDialog(CWnd* parent, IPrintDocument& document, const PrinterChoice& printer);

  // -1 when the printer could not be asked of its page.
  INT_PTR DoModal() override;

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  size_t PageCount() const { return m_pages; }
  size_t ShownPage() const { return m_page; }

 private:
  void ShowPage(size_t page);
  // The page drawn into m_picture, as large as fits the page control.
  void DrawPicture();
  void DrawItem(const DRAWITEMSTRUCT& item);

  IPrintDocument& m_document;      // not owned
  const PrinterChoice& m_printer;  // not owned
  PageFacts m_facts = {};
  size_t m_pages = 0;
  size_t m_page = 0;
  CBitmap m_picture;
  SIZE m_pictureSize = {};
};
