#pragma once
// The settings dialog: colour theme, diary cover, Japanese names, and how
// long before its time a line is reminded of.
#include <atomic>
#include <functional>

#include "tool/ToolHost.h"
#include "win/Dialog.h"

class CScheduleSetupDialog : public CDialog {
 public:
  explicit CScheduleSetupDialog(CWnd* parent);

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Runs the dialog against the host's settings store; IDOK or IDCANCEL.
  // Owned by whichever of the two windows lives on the calling thread.
  virtual INT_PTR DoModalWithHost(CToolHost* host);
  void SetOwnerWindows(CWnd* scheduleWnd, CWnd* hostWnd);
  // What its カレンダー同期 button opens, owned by the settings dialog.
  void SetSyncSetup(std::function<void(CWnd* owner)> open) { m_openSyncSetup = std::move(open); }

  void PaintSample();
  void WriteSetting(const char* key, int value) const;

  int m_nBackColor = -1;
  int m_bDspDiaryCover = 0;
  int m_bDspLanguage = 0;
  // Minutes, or kRemindersOff; as opened, to write it only when it changed.
  int m_nRemindLead = 0;
  int m_nRemindLeadOpened = 0;
  RECT m_rcSample = {};
  CToolHost* m_pHost = nullptr;  // not owned

 private:
  CWnd* OwnerForThisThread() const;
  void FillReminderLeads();

  std::atomic<CWnd*> m_pScheduleWnd{nullptr};  // not owned
  std::atomic<CWnd*> m_pHostWnd{nullptr};      // not owned
  // One run at a time: the host's thread and the window's may both ask.
  std::atomic<bool> m_open{false};
  std::function<void(CWnd* owner)> m_openSyncSetup;
};
