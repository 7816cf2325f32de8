#include "ui/ScheduleDialog.h"

#include "data/FileSystem.h"
#include "ui/res/resource.h"
#include "win/Module.h"

namespace {

constexpr int32_t kScheduleToolFlag = 1;
constexpr int32_t kScheduleToolValue = 528;
constexpr char kScheduleToolName[] = "Plannix";

// The tool images come from the module known by its file name; a renamed
// module still finds its own pictures.
HINSTANCE ToolImageModule() {
  HMODULE module = GetModuleHandleW(L"Plannix.dll");
  return module != nullptr ? module : ResourceModule();
}

}  // namespace

CScheduleDialog::CScheduleDialog(CWnd* hostWnd)
    : CToolBase(IDD_SCHEDULE, hostWnd),
      m_session(SystemFileSystem(), kScheduleToolName, '\\'),
      m_setupDialog(nullptr),
      m_sealPicker(nullptr),
      m_repeatRun(SystemFileSystem(), m_session) {
  m_toolId = kToolId;
  m_toolName = kScheduleToolName;
  m_toolFlag = kScheduleToolFlag;
  m_toolValue = kScheduleToolValue;
  m_hToolImage = LoadBitmapW(ToolImageModule(), MAKEINTRESOURCEW(IDB_TOOL_IMAGE));
  m_hToolImage16 = LoadBitmapW(ToolImageModule(), MAKEINTRESOURCEW(IDB_TOOL_IMAGE16));
  // A write in the background that failed is told by the window, on its own thread.
  m_session.SetWriteFailureListener([this] {
    HWND window = m_hWnd;
    if (window != nullptr) ::PostMessageW(window, WM_TOOL_SAVEFAILED, 0, 0);
  });
  // What arrives in the file is taken in on the window's thread, after what is being typed.
  m_session.SetArrivalListener([this] {
    HWND window = m_hWnd;
    if (window != nullptr) ::PostMessageW(window, WM_TOOL_MONTHARRIVED, 0, 0);
  });
  m_session.SetKeptCopyListener([this] {
    HWND window = m_hWnd;
    if (window != nullptr) ::PostMessageW(window, WM_TOOL_MERGEKEPT, 0, 0);
  });
}

CScheduleDialog::~CScheduleDialog() {
  {
    std::lock_guard<std::mutex> lock(m_openLock);
    m_toolEnding = true;
  }
  m_reminders.Stop();
  CloseWindowOpenedMeanwhile();
  for (CBitmap*& bitmap : m_slotBitmaps) {
    delete bitmap;
    bitmap = nullptr;
  }
  delete m_coverBitmap;
  m_coverBitmap = nullptr;
}

const char* CScheduleDialog::GetTitle() { return "スケジュール"; }

UINT CScheduleDialog::GetTemplateId() { return IDD_SCHEDULE; }
