#pragma once
// The control hierarchy: windowless graphic controls painted by their parent,
// windowed controls over Win32 classes, and the containers (forms, panels)
// that paint the former and route mouse messages to them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Graphics.h"

namespace forms {

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TCursor { crDefault, crHandPoint };

class TControl;
class TWinControl;
class TForm;
struct ControlDef;

// A row's handler: calls a member function of the form class that the row belongs to.
using FormHandler = void (*)(TForm* form, TObject* sender);

template <class>
struct HandlerClass;
template <class F>
struct HandlerClass<void (F::*)(TObject*)> {
  using type = F;
};

// A plain function per handler, so that layout tables stay constant data: a
// member pointer cast to the base class is not a constant expression, and a
// table that the program has to build at start-up is one more thing to get wrong.
template <auto H>
void CallHandler(TForm* form, TObject* sender) {
  using F = typename HandlerClass<decltype(H)>::type;
  (static_cast<F*>(form)->*H)(sender);
}

class TControl : public TObject {
 public:
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  ~TControl() override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  RECT ClientRect() const { return {0, 0, width_, height_}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  virtual bool Showing() const;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Whether a layout row without a colour gives the control its parent's colour.
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor) { parentColor_ = parentColor; }

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  TNotifyEvent OnClick;
  virtual void Click();

  // Marks the control's area for repainting.
  virtual void Invalidate();

  // Sends a message straight to the control's handler, as its parent routes mouse messages.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void WndProc(TMessage& message);

  // The mouse capture; a windowless control holds it through its parent window.
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  virtual bool IsWindowed() const { return false; }

  // The kind-specific settings of a layout row, applied before the control gets its parent.
  virtual void Load(const ControlDef& row);
  // After the control has its parent: the size that follows from the content.
  virtual void Loaded() {}
  // The event that a layout row's handler is bound to.
  virtual void AssignEvent(TNotifyEvent handler) { OnClick = std::move(handler); }
  // While a layout row is being applied; sizes that follow from the content wait for Loaded.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }

 protected:
  TControl() = default;
  virtual void BoundsChanged(const RECT& old);
  virtual void VisibleChanged() { Invalidate(); }
  virtual void EnabledChanged() { Invalidate(); }
  virtual void CaptionChanged() { Invalidate(); }
  virtual void FontChanged() { Invalidate(); }
  virtual void ColorChanged() { Invalidate(); }
  virtual void ParentChanged() { Invalidate(); }

 private:
  std::string name_;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool parentColor_ = true;
  bool loading_ = false;
  std::string caption_;
  TFont font_;
  TColor color_ = clBtnFace;
  TCursor cursor_ = crDefault;
};

// The control that holds the mouse capture: a windowed control, or the
// windowless control to which its parent routes every mouse message.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
 public:
  // Pressing the left button takes the capture; releasing it gives it back
  // and clicks when the release lies inside.
  void WndProc(TMessage& message) override;
  // Alt with the character: a control with that accelerator clicks; true when one did.
  virtual bool DialogChar(char) { return false; }
  // Paints into a device context whose origin is the control's top-left corner.
  void PaintTo(HDC dc);
  // The pointer moved onto or off the control.
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

 protected:
  // Valid while the control paints.
  TCanvas& Canvas() { return *canvas_; }
  virtual void Paint() = 0;
  virtual void MouseDown(int, int) {}
  virtual void MouseMove(int, int) {}
  virtual void MouseUp(int, int) {}

 private:
  TCanvas* canvas_ = nullptr;
  bool clicked_ = false;
};

// A control with a window. Subclasses create it over a system class
// (subclassed, so that its messages pass through WndProc) or over our own.
class TWinControl : public TControl {
 public:
  ~TWinControl() override;
  HWND Handle() const { return handle_; }
  bool IsWindowed() const override { return true; }
  bool Showing() const override;
  bool Focused() const;
  void SetFocus();
  // The text of the window, as the user may have changed it.
  std::string Text() const;
  void SetText(const std::string& text) { SetCaption(text); }
  int ClientWidth() const;
  int ClientHeight() const;

  const std::vector<TControl*>& Controls() const { return controls_; }
  // The topmost visible, enabled windowless child at a point of the client area.
  TGraphicControl* ControlAtPos(POINT point) const;

  void WndProc(TMessage& message) override;
  // A message that the parent hands back to the control that sent it
  // (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM); true when handled.
  virtual bool Reflect(TMessage&) { return false; }
  void Invalidate() override;

 protected:
  TWinControl() = default;
  // Creates the window when the control gets its parent.
  virtual void CreateWnd() = 0;
  // A child window of the parent; `ownClass` for classes whose procedure is ours.
  void CreateHandle(const char* className, DWORD style, DWORD exStyle, bool ownClass = false);
  void DefaultHandler(TMessage& message);
  // Colours for WM_CTLCOLOR*: the font colour on the control's colour.
  LRESULT ColorStatic(HDC dc) const;
  void SetStyleBit(DWORD bit, bool on);

  void BoundsChanged(const RECT& old) override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void CaptionChanged() override;
  void FontChanged() override;
  void ParentChanged() override;

  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;

 private:
  friend class TControl;
  friend class TCustomControl;
  WNDPROC defProc_ = nullptr;
  std::vector<TControl*> controls_;
};

// The wrapper of a window of ours, or null.
TWinControl* FindControl(HWND hwnd);

// A window of our own class that contains other controls: it paints its
// background and its windowless children, routes the mouse to them (the
// captured one first), shows their cursors and reflects notifications.
class TCustomControl : public TWinControl {
 public:
  ~TCustomControl() override;
  void WndProc(TMessage& message) override;
  // Background, frame and windowless children into a device context (also WM_PRINTCLIENT).
  void PaintControls(HDC dc, const RECT& area);

 protected:
  TCustomControl();
  // Background and frame.
  virtual void PaintWindow(TCanvas& canvas);
  static const char* ClassName();

 private:
  friend class TControl;
  void Paint();
  bool RouteMouse(TMessage& message);
  void SetHovered(TGraphicControl* control);
  TGraphicControl* hovered_ = nullptr;
  bool tracking_ = false;
};

// Bits of a layout row's flags; each applies to the kinds named.
enum : unsigned {
  ffHidden = 1u << 0,         // any: not visible at first
  ffDisabled = 1u << 1,       // any
  ffHandCursor = 1u << 2,     // windowless: the hand cursor of links
  ffReadOnly = 1u << 3,       // edit, memo
  ffChecked = 1u << 4,        // option button: selected at first (no click event)
  ffFlat = 1u << 5,           // speed button
  ffAlignTop = 1u << 6,       // panel: stuck to the top edge, as wide as its parent
  ffTransparent = 1u << 7,    // label: no background
  ffWordWrap = 1u << 8,       // label
  ffCenter = 1u << 9,         // label: centred text; picture: centred bitmap
  ffRightJustify = 1u << 10,  // label
  ffNoAccelChar = 1u << 11,   // label: '&' is an ordinary character
  ffFixedSize = 1u << 12,     // label: no automatic sizing
  ffAutoSize = 1u << 13,      // picture: sized to its bitmap
  ffStretch = 1u << 14,       // picture: bitmap stretched to the box
  ffVScroll = 1u << 15,       // memo: vertical scroll bar
  ffNoBorder = 1u << 16,      // edit, memo
  ffBorderSingle = 1u << 17,  // static text
  ffBorderSunken = 1u << 18,  // static text
  ffOuterNone = 1u << 19,     // panel: no outer bevel (the default is raised)
  ffOuterLowered = 1u << 20,  // panel
  ffInnerLowered = 1u << 21,  // panel (the default is no inner bevel)
  ffInnerRaised = 1u << 22,   // panel
};

// What a layout row says of a font; every part left out comes from the parent's font.
struct FontDef {
  const char* name = nullptr;
  int height = 0;
  int style = -1;
  TColor color = clDefault;
};

template <class T>
TControl* NewControl() {
  return new T;
}

// One row of a window's layout table: made with Row<Kind>("Name") and the
// chained setters below, so that a table reads like the stored layout.
struct ControlDef {
  const char* name = "";
  TControl* (*create)() = nullptr;
  const char* parent = nullptr;  // null: the form itself
  int left = 0, top = 0, width = 0, height = 0;
  const char* caption = nullptr;  // caption or text; memo lines separated by "\r\n"
  FontDef font;
  TColor color = clDefault;
  unsigned flags = 0;
  const char* picture = nullptr;  // bitmap resource: picture, glyph
  int style = 0;                  // kind-specific value, such as a label's 3-D effect
  int min = 0, max = 100, step = 10;  // progress bar
  FormHandler handler = nullptr;

  constexpr ControlDef In(const char* p) const { auto d = *this; d.parent = p; return d; }
  constexpr ControlDef At(int l, int t, int w, int h) const {
    auto d = *this;
    d.left = l, d.top = t, d.width = w, d.height = h;
    return d;
  }
  constexpr ControlDef Caption(const char* c) const { auto d = *this; d.caption = c; return d; }
  constexpr ControlDef Font(const char* face, int height, int style = 0) const {
    auto d = *this;
    d.font.name = face, d.font.height = height, d.font.style = style;
    return d;
  }
  constexpr ControlDef FontStyle(int s) const { auto d = *this; d.font.style = s; return d; }
  constexpr ControlDef FontColor(TColor c) const { auto d = *this; d.font.color = c; return d; }
  constexpr ControlDef Color(TColor c) const { auto d = *this; d.color = c; return d; }
  constexpr ControlDef Flags(unsigned f) const { auto d = *this; d.flags |= f; return d; }
  constexpr ControlDef Picture(const char* p) const { auto d = *this; d.picture = p; return d; }
  constexpr ControlDef Style(int s) const { auto d = *this; d.style = s; return d; }
  constexpr ControlDef Range(int lo, int hi, int st) const {
    auto d = *this;
    d.min = lo, d.max = hi, d.step = st;
    return d;
  }
  // The row's handler, a member function of the form: .On<&TMyF::Button1Click>().
  template <auto H>
  constexpr ControlDef On() const {
    auto d = *this;
    d.handler = &CallHandler<H>;
    return d;
  }
};

template <class T>
constexpr ControlDef Row(const char* name) {
  ControlDef d;
  d.name = name;
  d.create = &NewControl<T>;
  return d;
}

}  // namespace forms
