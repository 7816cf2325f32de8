#pragma once
// The progress of a print job that takes a while: pages sent of all, and a
// button that cancels it. Shown without the activation, so the keyboard
// stays where the user is typing.
#include <functional>

#include "win/Dialog.h"

class CPrintProgressWindow : public CDialog {
 public:
  CPrintProgressWindow(CWnd* owner, std::function<void()> cancel);

  // Made and shown beside its owner the first time.
  bool Show();
  void SetProgress(size_t printed, size_t pages);

  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override;

 private:
  std::function<void()> m_cancel;
  bool m_cancelled = false;
};
