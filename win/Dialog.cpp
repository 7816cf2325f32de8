#include "win/Dialog.h"

#include "win/Module.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (IsWindow()) {
    // The window's procedure must not reach a half-destroyed object.
    SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    ::DestroyWindow(m_hWnd);
  }
  m_hWnd = nullptr;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  m_templateId = templateId;
  m_pParentWnd = parent;
  PreInitDialog();
  HWND hwnd = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), parent ? parent->m_hWnd : nullptr,
                                 &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  m_modalResult = IDCANCEL;
  m_modalRunning = true;
  // As the system's modal run: the owner is disabled before the dialog exists,
  // so the dialog, not the owner, takes the activation when it is shown.
  if (owner != nullptr && IsWindowEnabled(owner)) {
    m_disabledOwner = owner;
    EnableWindow(owner, FALSE);
  }
  PreInitDialog();
  HWND hwnd = CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(m_templateId), owner, &CDialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
  if (hwnd == nullptr) {
    EnableModalOwner();
    m_modalRunning = false;
    return -1;
  }
  if (m_modalRunning) CenterOnOwner();
  RunModalLoop(hwnd);
  EnableModalOwner();
  if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
  if (m_hWnd == hwnd) m_hWnd = nullptr;
  if (owner != nullptr && ::IsWindow(owner)) SetActiveWindow(owner);
  m_modalRunning = false;
  return m_modalResult;
}

void CDialog::RunModalLoop(HWND hwnd) {
  bool shown = false;
  MSG msg;
  // A dialog destroyed from outside (its owner closed under it) ends the run.
  while (m_modalRunning && ::IsWindow(hwnd)) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // Shown when the queue first runs dry, as the system's modal run does:
      // what initialisation posted is handled first, then the window is
      // shown and painted at once, before this thread waits.
      if (!shown) {
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
        shown = true;
      }
      if (GetMessageW(&msg, nullptr, 0, 0) == -1) return;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      return;
    }
    if (PreTranslateMessage(&msg) || IsModelessDialogKey(hwnd, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool CDialog::IsModelessDialogKey(HWND modal, MSG& msg) {
  if (msg.hwnd == nullptr || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root == nullptr || root == modal || !IsWindowEnabled(root)) return false;
  wchar_t className[8] = {};
  if (GetClassNameW(root, className, 8) == 0 || lstrcmpW(className, L"#32770") != 0) return false;
  return IsDialogMessageW(root, &msg);
}

void CDialog::EnableModalOwner() {
  if (m_disabledOwner == nullptr) return;
  if (::IsWindow(m_disabledOwner)) EnableWindow(m_disabledOwner, TRUE);
  m_disabledOwner = nullptr;
}

void CDialog::EndDialog(int result) {
  if (m_modalRunning) {
    m_modalResult = result;
    m_modalRunning = false;
    // The owner is enabled before the dialog hides, so the activation goes back to it.
    EnableModalOwner();
    ::ShowWindow(m_hWnd, SW_HIDE);
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
  } else if (IsWindow()) {
    ::DestroyWindow(m_hWnd);
  }
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange dx;
  dx.m_hDlg = m_hWnd;
  dx.m_bSaveAndValidate = saveAndValidate;
  DoDataExchange(&dx);
  return true;
}

void CDialog::CenterOnOwner() {
  RECT window;
  GetWindowRect(m_hWnd, &window);
  RECT area;
  HWND owner = GetWindow(m_hWnd, GW_OWNER);
  if (owner == nullptr || !GetWindowRect(owner, &area) || IsIconic(owner)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  int width = window.right - window.left;
  int height = window.bottom - window.top;
  int x = area.left + ((area.right - area.left) - width) / 2;
  int y = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->m_hWnd = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
  } else {
    dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (dialog == nullptr) return FALSE;
  INT_PTR result = FALSE;
  // Nothing thrown may unwind through the window system's frames. A dialog
  // whose initialisation failed is not left half made.
  try {
    result = dialog->WindowProc(message, wParam, lParam);
  } catch (...) {
    if (message == WM_INITDIALOG) ::DestroyWindow(hwnd);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    if (dialog->m_hWnd == hwnd) dialog->m_hWnd = nullptr;
  }
  return result;
}

INT_PTR CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      UpdateData(false);
      return OnInitDialog();
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return TRUE;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return SetDialogResult(m_hWnd, result);
      break;
    }
    default:
      break;
  }
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) { return FALSE; }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CDialog::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (m_hWnd == nullptr) return FALSE;
  if (msg->hwnd != m_hWnd && !IsChild(m_hWnd, msg->hwnd)) return FALSE;
  return IsDialogMessageW(m_hWnd, msg);
}

void CDialog::PreInitDialog() {}

INT_PTR SetDialogResult(HWND hwnd, LRESULT result) {
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}
