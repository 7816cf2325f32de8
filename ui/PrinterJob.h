#pragma once
// A document sent to a printer through its device context, for the print
// thread: opened, laid out for the printer, each page begun and ended.
#include <memory>

#include "print/PrintRun.h"
#include "ui/PrintDocuments.h"
#include "ui/PrinterChoice.h"

class CPrinterJob : public IPrintJob {
 public:
  CPrinterJob(PrinterChoice printer, std::unique_ptr<IPrintDocument> document);
  ~CPrinterJob() override;
  CPrinterJob(const CPrinterJob&) = delete;
  CPrinterJob& operator=(const CPrinterJob&) = delete;

  bool Open() override;
  size_t PageCount() const override { return m_pages; }
  bool StartDocument() override;
  bool PrintPage(size_t index) override;
  bool EndDocument() override;
  void AbortDocument() override;

 private:
  PrinterChoice m_printer;
  std::unique_ptr<IPrintDocument> m_document;
  HDC m_dc = nullptr;
  size_t m_pages = 0;
  bool m_begun = false;  // a document is open on the printer
};
