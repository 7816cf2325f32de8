#include "ui/PrinterJob.h"

CPrinterJob::CPrinterJob(PrinterChoice printer, std::unique_ptr<IPrintDocument> document)
    : m_printer(std::move(printer)), m_document(std::move(document)) {}

CPrinterJob::~CPrinterJob() {
  if (m_begun) AbortDoc(m_dc);
  if (m_dc != nullptr) DeleteDC(m_dc);
}

bool CPrinterJob::Open() {
  m_dc = CreatePrinterDC(m_printer);
  if (m_dc == nullptr) return false;
  m_pages = m_document->LayOut(m_dc);
  return true;
}

bool CPrinterJob::StartDocument() {
  const std::wstring title = m_document->Title();
  DOCINFOW info = {};
  info.cbSize = sizeof info;
  info.lpszDocName = title.c_str();
  m_begun = StartDocW(m_dc, &info) > 0;
  return m_begun;
}

bool CPrinterJob::PrintPage(size_t index) {
  if (StartPage(m_dc) <= 0) return false;
  m_document->DrawPage(m_dc, index);
  return EndPage(m_dc) > 0;
}

bool CPrinterJob::EndDocument() {
  if (EndDoc(m_dc) <= 0) return false;
  m_begun = false;
  return true;
}

void CPrinterJob::AbortDocument() {
  if (m_begun) AbortDoc(m_dc);
  m_begun = false;
}
