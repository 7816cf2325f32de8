#pragma once
// The seal picker: one page of the seal table at a time, 4 x 4 pictures.
#include <atomic>

#include "data/SealTable.h"
#include "win/Dialog.h"
#include "win/Gdi.h"
#include "win/String.h"
#include "win/ToolTip.h"

// The frame title of each page, index = page.
extern const CString g_SealPageTitles[kSealPages];

class CSealDialog : public CDialog {
 public:
  explicit CSealDialog(CWnd* parent);
  ~CSealDialog() override;

  // 2 when cancelled or already open; otherwise the chosen seal's bitmap id.
  // Runs on the calling thread, the schedule window's or the host's.
  INT_PTR DoModal() override;
  int GetSealCode() const { return m_nSealCode; }
  intptr_t LookupSeal(int value, int key, int field) const { return ::LookupSeal(value, key, field); }
  // The window that owns the picker when it runs on that window's thread.
  void SetScheduleWindow(CWnd* scheduleWnd) { m_pScheduleWnd = scheduleWnd; }
  bool IsOpen() const { return m_open; }

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void FillPage(int page);
  void TurnPage(int delta);
  void ChooseCell(int cell);
  void FreeBitmaps();
  // The arrow keys move between the cells, Return or Space chooses the
  // focused one, Page Up and Page Down turn the page. True when taken.
  bool PreTranslateKey(const MSG& msg);
  // The cell gets the focus and is the one Tab comes back to.
  void FocusCell(int cell);

  CToolTipCtrl m_toolTip;
  int m_nPage = 0;
  int m_nSealCode = 0;
  int m_nKeyCell = 0;  // the cell the keys work on, the cells' one tab stop
  CBitmap* m_pBitmap[kSealsPerPage] = {};

 private:
  CWnd* OwnerForThisThread() const;

  std::atomic<CWnd*> m_pScheduleWnd{nullptr};  // not owned
  // Claimed by the one run that may open the window; the host and the
  // schedule window may ask from two threads at once.
  std::atomic<bool> m_open{false};
};
