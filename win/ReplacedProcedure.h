#pragma once
// A control's window procedure with one of ours in front of it, whose
// state is kept in the control's own user data: a window property would be
// looked up on every message the control gets.
#include "win/WinHeaders.h"

// What every state begins with: the procedure that was there before.
struct ReplacedProcedure {
  WNDPROC original = nullptr;
};

template <typename State>
State* ReplacedState(HWND control) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

// Puts procedure in front of the control's own, with state, which is the
// control's from now on. False, and state freed, for no control or one
// whose user data is taken already.
template <typename State>
bool ReplaceProcedure(HWND control, WNDPROC procedure, State* state) {
  state->original = control != nullptr ? reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)) : nullptr;
  if (state->original == nullptr || GetWindowLongPtrW(control, GWLP_USERDATA) != 0) {
    delete state;
    return false;
  }
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  return true;
}

// At WM_NCDESTROY: the control's own procedure back and the state freed;
// the procedure to pass the message on to.
template <typename State>
WNDPROC RestoreProcedure(HWND control, State* state) {
  const WNDPROC original = state->original;
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  SetWindowLongPtrW(control, GWLP_USERDATA, 0);
  delete state;
  return original;
}
