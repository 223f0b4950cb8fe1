#pragma once
// Helpers for tests of forms: a fresh application object per test, actions
// queued to run inside the message loops the test starts, and a watchdog
// that ends a loop that would otherwise wait forever.
#include <windows.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "forms/Forms.h"

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = forms::SetApplication(&app);
    app.Initialize();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &FormsTest::LaterProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MirvoTestLater";
    RegisterClassA(&wc);
    later_ = CreateWindowExA(0, "MirvoTestLater", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, this);
    SetWindowLongPtrA(later_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Nothing of this test may wait longer than this.
    SetTimer(later_, 1, 20000, nullptr);
  }
  void TearDown() override {
    DestroyWindow(later_);
    // Leaves nothing, not even a quit message, to the next test.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    forms::SetApplication(previous_);
  }

  // Runs `action` from the message loop, after the actions queued before it.
  void Later(std::function<void()> action) {
    actions_.push_back(std::move(action));
    PostMessageA(later_, WM_APP, 0, 0);
  }
  // Handles what is waiting, without blocking.
  void Pump() { app.ProcessMessages(); }

  forms::TApplication app;

 private:
  static LRESULT CALLBACK LaterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FormsTest*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == WM_APP && !self->actions_.empty()) {
      auto action = std::move(self->actions_.front());
      self->actions_.pop_front();
      action();
      return 0;
    }
    if (self && msg == WM_TIMER) {
      KillTimer(hwnd, 1);
      ADD_FAILURE() << "a message loop did not end";
      self->app.Terminate();
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  forms::TApplication* previous_ = nullptr;
  HWND later_ = nullptr;
  std::deque<std::function<void()>> actions_;
};

// A mouse message's position as the parent window receives it.
inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
