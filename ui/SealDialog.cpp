#include "ui/SealDialog.h"

#include <cstring>

#include "ui/res/resource.h"
#include "win/AccessibleName.h"
#include "win/FocusMark.h"
#include "win/Text.h"

namespace {

// Cell k is the k-th control; 1125 and 1127 are the spinner and the frame.
constexpr int g_SealCellIds[kSealsPerPage] = {IDC_SEAL_CELL0,  IDC_SEAL_CELL1,  IDC_SEAL_CELL2,  IDC_SEAL_CELL3,
                                              IDC_SEAL_CELL4,  IDC_SEAL_CELL5,  IDC_SEAL_CELL6,  IDC_SEAL_CELL7,
                                              IDC_SEAL_CELL8,  IDC_SEAL_CELL9,  IDC_SEAL_CELL10, IDC_SEAL_CELL11,
                                              IDC_SEAL_CELL12, IDC_SEAL_CELL13, IDC_SEAL_CELL14, IDC_SEAL_CELL15};

constexpr int kCellsPerRow = 4;
constexpr int kInitialDelayMs = 1000;
constexpr size_t kNameBufferSize = 128;
constexpr char kAlreadyOpenText[] = "既に使用されています。\nシールダイアログを表示できません。";

int CellOfControl(int id) {
  for (int cell = 0; cell < kSealsPerPage; ++cell) {
    if (g_SealCellIds[cell] == id) return cell;
  }
  return -1;
}

// The cell an arrow key leads to from a cell; the grid's edges hold.
int CellAfterArrow(int cell, WPARAM key) {
  const int row = cell / kCellsPerRow;
  const int column = cell % kCellsPerRow;
  const int lastRow = kSealsPerPage / kCellsPerRow - 1;
  switch (key) {
    case VK_LEFT:
      return column > 0 ? cell - 1 : cell;
    case VK_RIGHT:
      return column < kCellsPerRow - 1 ? cell + 1 : cell;
    case VK_UP:
      return row > 0 ? cell - kCellsPerRow : cell;
    default:
      return row < lastRow ? cell + kCellsPerRow : cell;
  }
}

bool IsRelayedMouseMessage(UINT message) {
  return message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP && message != WM_LBUTTONDBLCLK &&
         message != WM_RBUTTONDBLCLK;
}

}  // namespace

CSealDialog::CSealDialog(CWnd* parent) : CDialog(IDD_SEAL, parent) {}

CSealDialog::~CSealDialog() { FreeBitmaps(); }

CWnd* CSealDialog::OwnerForThisThread() const {
  CWnd* scheduleWnd = m_pScheduleWnd;
  return scheduleWnd != nullptr && scheduleWnd->IsOnCallingThread() ? scheduleWnd : nullptr;
}

INT_PTR CSealDialog::DoModal() {
  CWnd* owner = OwnerForThisThread();
  bool wasOpen = false;
  if (!m_open.compare_exchange_strong(wasOpen, true)) {
    MessageBoxW(owner ? owner->m_hWnd : nullptr, WidenCp932(kAlreadyOpenText).c_str(), L"Plannix", MB_OK | MB_ICONHAND);
    return IDCANCEL;
  }
  m_pParentWnd = owner;
  INT_PTR result = CDialog::DoModal();
  m_pParentWnd = nullptr;
  m_open = false;
  // A picker that could not open chose nothing; the caller must not store.
  if (result != IDOK) return IDCANCEL;
  return LookupSeal(m_nSealCode, kSealKeyCode, kSealFieldBitmapId);
}

void CSealDialog::DoDataExchange(CDataExchange*) {}

BOOL CSealDialog::PreTranslateMessage(MSG* msg) {
  if (IsRelayedMouseMessage(msg->message)) m_toolTip.RelayEvent(msg);
  if (PreTranslateKey(*msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

bool CSealDialog::PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || m_hWnd == nullptr || (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))) {
    return false;
  }
  const int focused = msg.hwnd != m_hWnd ? CellOfControl(::GetDlgCtrlID(msg.hwnd)) : -1;
  switch (msg.wParam) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      // From the cancel button the keys go into the cells where they left them.
      FocusCell(focused < 0 ? m_nKeyCell : CellAfterArrow(focused, msg.wParam));
      return true;
    case VK_RETURN:
    case VK_SPACE:
      if (focused < 0) return false;  // the cancel button's own
      ChooseCell(focused);
      return true;
    case VK_PRIOR:
    case VK_NEXT:
      TurnPage(msg.wParam == VK_NEXT ? -1 : 1);  // Page Down as the spinner's right arrow
      return true;
    default:
      return false;
  }
}

void CSealDialog::FocusCell(int cell) {
  for (int other = 0; other < kSealsPerPage; ++other) {
    HWND control = GetDlgItem(g_SealCellIds[other]);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    ::SetWindowLongW(control, GWL_STYLE, other == cell ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  m_nKeyCell = cell;
  SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(g_SealCellIds[cell])), TRUE);
}

BOOL CSealDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FreeBitmaps();
  for (CBitmap*& bitmap : m_pBitmap) bitmap = new CBitmap;
  if (m_toolTip.Create(this, TTS_ALWAYSTIP)) m_toolTip.SetDelayTime(TTDT_INITIAL, kInitialDelayMs);
  m_nSealCode = 0;
  m_nPage = 0;
  m_nKeyCell = 0;
  for (int id : g_SealCellIds) MarkKeyboardFocus(GetDlgItem(id), m_toolTip);
  SetDlgItemText(IDC_SEAL_FRAME, g_SealPageTitles[0]);
  FillPage(0);
  SetWindowText("シール選択");
  return TRUE;
}

void CSealDialog::FillPage(int page) {
  if (page < 0 || page >= kSealPages) return;
  for (int cell = 0; cell < kSealsPerPage; ++cell) {
    const SealEntry& row = g_SealTable[page * kSealsPerPage + cell];
    HWND control = GetDlgItem(g_SealCellIds[cell]);
    CBitmap* bitmap = m_pBitmap[cell];
    HBITMAP picture = nullptr;
    if (bitmap != nullptr) {
      // Loading frees the previous page's picture; a failed load leaves the cell empty.
      bitmap->LoadBitmap(row.nBitmapId);
      picture = bitmap->GetSafeHandle();
    }
    ::SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    char name[kNameBufferSize];
    std::strncpy(name, row.szName, sizeof name - 1);
    name[sizeof name - 1] = '\0';
    m_toolTip.SetToolText(control, name);
    SetAccessibleName(control, WidenCp932(name), AccessibleRole::kPushButton);
  }
}

void CSealDialog::TurnPage(int delta) {
  // The up-down's default range (100 to 0) gives the right arrow a negative delta.
  m_nPage = delta < 0 ? (m_nPage + 1) % kSealPages : (m_nPage + kSealPages - 1) % kSealPages;
  SetDlgItemText(IDC_SEAL_FRAME, g_SealPageTitles[m_nPage]);
  FillPage(m_nPage);
  // A focused cell shows another seal now: its name with it.
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::GetParent(focus) == m_hWnd && CellOfControl(::GetDlgCtrlID(focus)) >= 0) {
    m_toolTip.ShowTrackedText(focus);
  }
}

void CSealDialog::ChooseCell(int cell) {
  m_nSealCode = g_SealTable[m_nPage * kSealsPerPage + cell].nCode;
  OnOK();
}

void CSealDialog::OnOK() { CDialog::OnOK(); }

void CSealDialog::OnCancel() { CDialog::OnCancel(); }

BOOL CSealDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  int cell = CellOfControl(LOWORD(wParam));
  if (cell >= 0) {
    if (HIWORD(wParam) != STN_CLICKED) return FALSE;
    ChooseCell(cell);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CSealDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header == nullptr || header->idFrom != IDC_SEAL_PAGE_SPIN || header->code != UDN_DELTAPOS) {
    return CDialog::OnNotify(wParam, lParam, result);
  }
  TurnPage(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta);
  *result = 0;
  return TRUE;
}

INT_PTR CSealDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY: {
      INT_PTR result = CDialog::WindowProc(message, wParam, lParam);
      // The tooltip is owned by the picker and goes with it.
      if (m_toolTip.IsWindow()) m_toolTip.DestroyWindow();
      m_toolTip.m_hWnd = nullptr;
      FreeBitmaps();
      return result;
    }
    default:
      return CDialog::WindowProc(message, wParam, lParam);
  }
}

void CSealDialog::FreeBitmaps() {
  for (CBitmap*& bitmap : m_pBitmap) {
    delete bitmap;
    bitmap = nullptr;
  }
}
