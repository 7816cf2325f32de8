#pragma once
// The seal picker: one page of the seal table at a time, 4 x 4 pictures.
#include "data/SealTable.h"
#include "win/Dialog.h"
#include "win/Gdi.h"
#include "win/ToolTip.h"

class CSealDialog : public CDialog {
 public:
  explicit CSealDialog(CWnd* parent);
  ~CSealDialog() override;

  // 2 when cancelled or already open; otherwise the chosen seal's bitmap id.
  INT_PTR DoModal() override;
  int GetSealCode() const { return m_nSealCode; }
  intptr_t LookupSeal(int value, int key, int field) const { return ::LookupSeal(value, key, field); }

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void FillPage(int page);

  CToolTipCtrl m_toolTip;
  int m_nPage = 0;
  int m_nSealCode = 0;
  CBitmap* m_pBitmap[kSealsPerPage] = {};
};
