// The host's search request: the month files searched on the caller's
// thread, every line sent to the host's result window as it is found.
#include <cstring>
#include <memory>

#include "search/ScheduleSearch.h"
#include "sifter/FileSifter.h"
#include "ui/ScheduleDialog.h"

namespace {

constexpr intptr_t kEmptyQueryAnswer = 2;

class CResultWindowSink : public CSearchSink {
 public:
  explicit CResultWindowSink(SearchRequest& request)
      : m_request(request), m_resultWnd(request.pResultWnd ? request.pResultWnd->m_hWnd : nullptr) {}

  bool IsCancelled() override { return m_request.bCancel != 0; }

  // A result window that has gone loses the line; the search reads on.
  void SendLine(const char* line) override {
    if (m_resultWnd == nullptr || !IsWindow(m_resultWnd)) return;
    CString text(line);
    SendMessageW(m_resultWnd, WM_TOOL_SEARCHRESULT, reinterpret_cast<WPARAM>(&text), 0);
  }

 private:
  SearchRequest& m_request;
  HWND m_resultWnd;
};

}  // namespace

intptr_t CScheduleDialog::Search(SearchRequest* request, const char* text) try {
  if (request == nullptr) {
    if (text == nullptr || text[0] == '\0') return kEmptyQueryAnswer;
    if (std::strcmp(text, "CSealDialog") == 0) return reinterpret_cast<intptr_t>(&m_sealPicker);
    if (std::strcmp(text, "CSyncSetupDialog") == 0) return reinterpret_cast<intptr_t>(PrepareSyncSetup());
    return 0;
  }
  const char* directory = m_pHost ? m_pHost->GetDataDirectory(1, 0) : nullptr;
  // No data folder: no month files, and no other folder is searched.
  if (directory == nullptr) return 0;
  CString folder;
  folder.Format("%s\\%s\\", directory, m_toolName.c_str());

  std::unique_ptr<CFileSifter> sifter;
  FolderEntryLister listEntries = [&]() {
    sifter.reset(new CFileSifter(folder, 0));
    std::vector<std::string> entries;
    const CStringArray* files = sifter->GetFileList();
    if (files == nullptr) return entries;
    for (int i = 0; i < files->GetSize(); ++i) entries.push_back(files->GetAt(i).str());
    return entries;
  };
  CResultWindowSink sink(*request);
  RunScheduleSearch(request->nKind, text ? text : "", folder.str(), listEntries, sink);
  return 0;
} catch (...) {
  return 0;  // a search that failed answers as one that finished
}
