#include "ui/SealDialog.h"

#include <cstring>

#include "ui/res/resource.h"
#include "win/Text.h"

namespace {

// Cell k is the k-th control; 1125 and 1127 are the spinner and the frame.
constexpr int g_SealCellIds[kSealsPerPage] = {
    IDC_SEAL_CELL0, IDC_SEAL_CELL1, IDC_SEAL_CELL2,  IDC_SEAL_CELL3,  IDC_SEAL_CELL4,  IDC_SEAL_CELL5,
    IDC_SEAL_CELL6, IDC_SEAL_CELL7, IDC_SEAL_CELL8,  IDC_SEAL_CELL9,  IDC_SEAL_CELL10, IDC_SEAL_CELL11,
    IDC_SEAL_CELL12, IDC_SEAL_CELL13, IDC_SEAL_CELL14, IDC_SEAL_CELL15};

constexpr int kInitialDelayMs = 1000;
constexpr size_t kNameBufferSize = 128;
constexpr char kAlreadyOpenText[] = "既に使用されています。\nシールダイアログを表示できません。";

int CellOfControl(int id) {
  for (int cell = 0; cell < kSealsPerPage; ++cell) {
    if (g_SealCellIds[cell] == id) return cell;
  }
  return -1;
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
    MessageBoxW(owner ? owner->m_hWnd : nullptr, WidenCp932(kAlreadyOpenText).c_str(), L"Plannix",
                MB_OK | MB_ICONHAND);
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
  return CDialog::PreTranslateMessage(msg);
}

BOOL CSealDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FreeBitmaps();
  for (CBitmap*& bitmap : m_pBitmap) bitmap = new CBitmap;
  if (m_toolTip.Create(this, TTS_ALWAYSTIP)) m_toolTip.SetDelayTime(TTDT_INITIAL, kInitialDelayMs);
  m_nSealCode = 0;
  m_nPage = 0;
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
  }
}

void CSealDialog::TurnPage(int delta) {
  // The up-down's default range (100 to 0) gives the right arrow a negative delta.
  m_nPage = delta < 0 ? (m_nPage + 1) % kSealPages : (m_nPage + kSealPages - 1) % kSealPages;
  SetDlgItemText(IDC_SEAL_FRAME, g_SealPageTitles[m_nPage]);
  FillPage(m_nPage);
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
