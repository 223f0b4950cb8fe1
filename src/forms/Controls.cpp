#include "Controls.h"

#include <windowsx.h>

#include <algorithm>

#include "Forms.h"
#include "platform/Errors.h"

namespace forms {

namespace {

constexpr char kControlProp[] = "MirvoControl";
constexpr char kContainerClass[] = "MirvoContainer";

// The windowless control to which its parent, holding the system capture, routes the mouse.
TControl* g_captureControl = nullptr;

int g_nextId = 100;  // above IDOK and IDCANCEL, which the dialog manager sends on Enter and Escape

bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK && msg != WM_MOUSEWHEEL;
}

}  // namespace

// ---- TControl

TControl::~TControl() {
  if (g_captureControl == this) {
    g_captureControl = nullptr;
    ReleaseCapture();
  }
  if (parent_) {
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    if (auto* container = dynamic_cast<TCustomControl*>(parent_)) {
      if (container->hovered_ == this) container->hovered_ = nullptr;
    }
  }
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) throw platform::Error("A control cannot change its parent: " + name_);
  parent_ = parent;
  parent->controls_.push_back(this);
  ParentChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const RECT old = BoundsRect();
  left_ = left, top_ = top, width_ = width, height_ = height;
  BoundsChanged(old);
}

void TControl::BoundsChanged(const RECT& old) {
  if (parent_ && parent_->Handle() && visible_) InvalidateRect(parent_->Handle(), &old, TRUE);
  Invalidate();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) Invalidate();
  visible_ = visible;
  VisibleChanged();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetCaption(const std::string& caption) {
  // A window's text may have been typed over since: set it all the same.
  if (caption == caption_ && !IsWindowed()) return;
  caption_ = caption;
  CaptionChanged();
}

void TControl::SetFont(const TFont& font) {
  if (font == font_) return;
  font_ = font;
  FontChanged();
}

void TControl::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  if (visible_ && parent_ && parent_->Handle()) {
    const RECT bounds = BoundsRect();
    InvalidateRect(parent_->Handle(), &bounds, TRUE);
  }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage&) {}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool capture) {
  if (capture)
    SetCaptureControl(this);
  else if (MouseCapture())
    SetCaptureControl(nullptr);
}

void TControl::Load(const ControlDef& row) {
  if (row.flags & ffHidden) visible_ = false;
  if (row.flags & ffDisabled) enabled_ = false;
  if (row.flags & ffHandCursor) cursor_ = crHandPoint;
}

TControl* GetCaptureControl() {
  TWinControl* window = FindControl(GetCapture());
  if (window && g_captureControl && g_captureControl->Parent() == window) return g_captureControl;
  return window;
}

void SetCaptureControl(TControl* control) {
  ReleaseCapture();
  g_captureControl = nullptr;
  if (!control) return;
  if (control->IsWindowed()) {
    SetCapture(static_cast<TWinControl*>(control)->Handle());
    return;
  }
  // A windowless control captures through its parent window; without one it cannot.
  if (!control->Parent() || !control->Parent()->Handle()) return;
  g_captureControl = control;
  SetCapture(control->Parent()->Handle());
}

// ---- TGraphicControl

void TGraphicControl::WndProc(TMessage& message) {
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetMouseCapture(true);
      clicked_ = true;
      MouseDown(x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(x, y);
      break;
    case WM_LBUTTONUP: {
      SetMouseCapture(false);
      MouseUp(x, y);
      const RECT client = ClientRect();
      if (clicked_) {
        clicked_ = false;
        if (PtInRect(&client, POINT{x, y})) Click();
      }
      break;
    }
    default:
      TControl::WndProc(message);
  }
}

void TGraphicControl::PaintTo(HDC dc) {
  TCanvas canvas(dc);
  canvas.SetFont(Font());
  canvas_ = &canvas;
  try {
    Paint();
  } catch (...) {
    canvas_ = nullptr;
    throw;
  }
  canvas_ = nullptr;
}

// ---- TWinControl

TWinControl* FindControl(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

TWinControl::~TWinControl() {
  if (!handle_) return;
  // Let the window die with its own class's procedure, without us.
  RemovePropA(handle_, kControlProp);
  if (defProc_) SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defProc_));
  DestroyWindow(handle_);
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

std::string TWinControl::Text() const {
  if (!handle_) return Caption();
  std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(handle_, &text[0], static_cast<int>(text.size()))));
  return text;
}

int TWinControl::ClientWidth() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  return handle_ ? r.right : Width();
}

int TWinControl::ClientHeight() const {
  RECT r{};
  if (handle_) GetClientRect(handle_, &r);
  return handle_ ? r.bottom : Height();
}

TGraphicControl* TWinControl::ControlAtPos(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* control = dynamic_cast<TGraphicControl*>(*it);
    if (!control || !control->Visible() || !control->Enabled()) continue;
    const RECT bounds = control->BoundsRect();
    if (PtInRect(&bounds, point)) return control;
  }
  return nullptr;
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::CreateHandle(const char* className, DWORD style, DWORD exStyle, bool ownClass) {
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) style |= WS_VISIBLE;
  if (!Enabled()) style |= WS_DISABLED;
  HWND parent = Parent() ? Parent()->Handle() : nullptr;
  handle_ = CreateWindowExA(exStyle, className, Caption().c_str(), style, Left(), Top(), Width(), Height(), parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(g_nextId++)), GetModuleHandleA(nullptr),
                            this);
  if (!handle_) throw platform::Error("Cannot create the window of " + Name());
  if (!ownClass) {
    SetPropA(handle_, kControlProp, this);
    defProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StaticProc)));
  }
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

LRESULT CALLBACK TWinControl::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = FindControl(hwnd);
  if (!control) {
    if (msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    control->handle_ = hwnd;
    SetPropA(hwnd, kControlProp, control);
  }
  TMessage message{msg, wParam, lParam, 0};
  try {
    control->WndProc(message);
  } catch (const std::exception& e) {
    Application().ShowException(e.what());
  } catch (...) {
    Application().ShowException("Unbekannter Fehler");
  }
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kControlProp);
    control->handle_ = nullptr;
  }
  return message.Result;
}

void TWinControl::WndProc(TMessage& message) { DefaultHandler(message); }

void TWinControl::DefaultHandler(TMessage& message) {
  message.Result = defProc_ ? CallWindowProcA(defProc_, handle_, message.Msg, message.WParam, message.LParam)
                            : DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

LRESULT TWinControl::ColorStatic(HDC dc) const {
  SetTextColor(dc, ColorToRGB(Font().Color));
  SetBkColor(dc, ColorToRGB(Color()));
  return reinterpret_cast<LRESULT>(SolidBrush(Color()));
}

void TWinControl::SetStyleBit(DWORD bit, bool on) {
  if (!handle_) return;
  const LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
  SetWindowLongPtrA(handle_, GWL_STYLE, on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit)));
}

void TWinControl::BoundsChanged(const RECT&) {
  if (handle_) MoveWindow(handle_, Left(), Top(), Width(), Height(), TRUE);
}

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOW : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::CaptionChanged() {
  if (handle_) SetWindowTextA(handle_, Caption().c_str());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

void TWinControl::ParentChanged() {
  if (!handle_ && Parent() && Parent()->Handle()) CreateWnd();
}

// ---- TCustomControl

const char* TCustomControl::ClassName() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &TWinControl::StaticProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The program's icon, resource 1, in the forms' title bars (the system's when there is none).
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = kContainerClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  return kContainerClass;
}

TCustomControl::TCustomControl() {
  SetParentColor(false);
  SetColor(clBtnFace);
}

TCustomControl::~TCustomControl() {
  if (g_captureControl && g_captureControl->Parent() == this) g_captureControl = nullptr;
}

void TCustomControl::PaintWindow(TCanvas& canvas) {
  canvas.SetBrush(Color());
  canvas.FillRect(ClientRect());
}

void TCustomControl::PaintControls(HDC dc, const RECT& area) {
  {
    TCanvas canvas(dc);
    PaintWindow(canvas);
  }
  for (TControl* child : Controls()) {
    auto* control = dynamic_cast<TGraphicControl*>(child);
    if (!control || !control->Visible()) continue;
    const RECT bounds = control->BoundsRect();
    RECT common;
    if (!IntersectRect(&common, &bounds, &area)) continue;
    const int saved = SaveDC(dc);
    // The platform clips a windowless control's painting to its bounds.
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    control->PaintTo(dc);
    RestoreDC(dc, saved);
  }
}

void TCustomControl::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  RECT client;
  GetClientRect(handle_, &client);
  // Drawn off screen first, so that hovering and pressing do not flicker.
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ old = SelectObject(buffer, bitmap);
  try {
    PaintControls(buffer, ps.rcPaint);
  } catch (...) {
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(handle_, &ps);
    throw;
  }
  BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left, ps.rcPaint.bottom - ps.rcPaint.top,
         buffer, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  SelectObject(buffer, old);
  DeleteObject(bitmap);
  DeleteDC(buffer);
  EndPaint(handle_, &ps);
}

void TCustomControl::SetHovered(TGraphicControl* control) {
  if (control == hovered_) return;
  TGraphicControl* old = hovered_;
  hovered_ = control;
  if (old) old->MouseLeave();
  if (control) control->MouseEnter();
}

bool TCustomControl::RouteMouse(TMessage& message) {
  const POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  TControl* target = nullptr;
  if (GetCapture() == handle_) {
    // Every mouse message goes to the capture control, wherever the pointer is.
    if (g_captureControl && g_captureControl->Parent() == this) target = g_captureControl;
  } else {
    target = ControlAtPos(point);
  }
  if (message.Msg == WM_MOUSEMOVE) {
    RECT client;
    GetClientRect(handle_, &client);
    SetHovered(PtInRect(&client, point) ? ControlAtPos(point) : nullptr);
    if (!tracking_) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
      tracking_ = TrackMouseEvent(&track) != FALSE;
    }
  }
  if (!target) return false;
  message.Result = target->Perform(message.Msg, message.WParam,
                                   MAKELPARAM(static_cast<WORD>(point.x - target->Left()),
                                              static_cast<WORD>(point.y - target->Top())));
  return true;
}

void TCustomControl::WndProc(TMessage& message) {
  if (IsMouseMessage(message.Msg)) {
    if (!RouteMouse(message)) DefaultHandler(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;  // painted with everything else in WM_PAINT
      return;
    case WM_PAINT:
      Paint();
      return;
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(handle_, &client);
      PaintControls(reinterpret_cast<HDC>(message.WParam), client);
      return;
    }
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (GetCapture() != handle_) SetHovered(nullptr);
      return;
    case WM_CAPTURECHANGED:
      if (g_captureControl && g_captureControl->Parent() == this) g_captureControl = nullptr;
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(message.WParam) == handle_ && LOWORD(message.LParam) == HTCLIENT) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(handle_, &point);
        TGraphicControl* control = ControlAtPos(point);
        if (control && control->Cursor() == crHandPoint) {
          ::SetCursor(LoadCursor(nullptr, IDC_HAND));
          message.Result = TRUE;
          return;
        }
      }
      break;
    case WM_CLOSE:
      return;  // a panel is not closed; a multi-line edit sends this on Escape
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_NOTIFY: {
      // Handed back to the control that sent it; WM_COMMAND from a menu or
      // the dialog manager's Enter and Escape comes without a window.
      HWND from = reinterpret_cast<HWND>(message.LParam);
      if (message.Msg == WM_DRAWITEM) from = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
      if (message.Msg == WM_NOTIFY) from = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
      TWinControl* control = FindControl(from);
      if (control && control != this && control->Reflect(message)) return;
      if (message.Msg == WM_COMMAND) return;
      break;
    }
    default:
      break;
  }
  DefaultHandler(message);
}

}  // namespace forms
