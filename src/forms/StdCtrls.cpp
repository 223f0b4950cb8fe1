#include "StdCtrls.h"

namespace forms {

namespace {

UINT AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

// ---- TLabel

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize == autoSize_) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (show == showAccelChar_) return;
  showAccelChar_ = show;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TLabel::Load(const ControlDef& row) {
  TGraphicControl::Load(row);
  if (row.flags & ffTransparent) transparent_ = true;
  if (row.flags & ffWordWrap) wordWrap_ = true;
  if (row.flags & ffCenter) alignment_ = taCenter;
  if (row.flags & ffRightJustify) alignment_ = taRightJustify;
  if (row.flags & ffNoAccelChar) showAccelChar_ = false;
  if (row.flags & ffFixedSize) autoSize_ = false;
}

void TLabel::CaptionChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::Paint() {
  TCanvas& canvas = Canvas();
  RECT rect = ClientRect();
  if (!transparent_) {
    canvas.SetBrush(Color());
    canvas.FillRect(rect);
  }
  canvas.SetBrush(Color(), bsClear);
  UINT flags = DT_EXPANDTABS | AlignmentFlag(alignment_) | (wordWrap_ ? DT_WORDBREAK : 0);
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  const std::string& text = Caption();
  if (Enabled()) {
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
    return;
  }
  // Disabled text looks engraved: a light copy below right, the shadow on top.
  OffsetRect(&rect, 1, 1);
  canvas.SetFontColor(clBtnHighlight);
  DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
  OffsetRect(&rect, -1, -1);
  canvas.SetFontColor(clBtnShadow);
  DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  std::string text = Caption();
  // Nothing to measure would give no height: measure a blank instead.
  if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
  UINT flags = DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  RECT rect = ClientRect();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - rect.right;
  SetBounds(left, Top(), rect.right, rect.bottom);
}

// ---- TEdit

TEdit::TEdit() {
  SetParentColor(false);
  SetColor(clWindow);
}

void TEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  if (handle_) SendMessageA(handle_, EM_SETREADONLY, readOnly, 0);
}

void TEdit::Load(const ControlDef& row) {
  TWinControl::Load(row);
  readOnly_ = (row.flags & ffReadOnly) != 0;
  border_ = (row.flags & ffNoBorder) == 0;
}

void TEdit::CreateWnd() {
  CreateHandle("EDIT", WS_TABSTOP | ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0),
               border_ ? WS_EX_CLIENTEDGE : 0);
}

bool TEdit::Reflect(TMessage& message) {
  // A read-only edit asks with WM_CTLCOLORSTATIC; it keeps its own colour all the same.
  if (message.Msg != WM_CTLCOLOREDIT && message.Msg != WM_CTLCOLORSTATIC) return false;
  message.Result = ColorStatic(reinterpret_cast<HDC>(message.WParam));
  return true;
}

// ---- TMemo

TMemo::TMemo() {
  SetParentColor(false);
  SetColor(clWindow);
}

void TMemo::Load(const ControlDef& row) {
  TWinControl::Load(row);
  readOnly_ = (row.flags & ffReadOnly) != 0;
  border_ = (row.flags & ffNoBorder) == 0;
  scrollBar_ = (row.flags & ffVScroll) != 0;
}

void TMemo::CreateWnd() {
  CreateHandle("EDIT",
               WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | (readOnly_ ? ES_READONLY : 0) |
                   (scrollBar_ ? WS_VSCROLL : 0),
               border_ ? WS_EX_CLIENTEDGE : 0);
}

bool TMemo::Reflect(TMessage& message) {
  if (message.Msg != WM_CTLCOLOREDIT && message.Msg != WM_CTLCOLORSTATIC) return false;
  message.Result = ColorStatic(reinterpret_cast<HDC>(message.WParam));
  return true;
}

void TMemo::WndProc(TMessage& message) {
  DefaultHandler(message);
  if (message.Msg == WM_GETDLGCODE && message.LParam) {
    // Tab moves on and Escape goes to the window, as in the other controls;
    // left to the edit, Tab would stay and Escape would close the parent.
    const auto* msg = reinterpret_cast<const MSG*>(message.LParam);
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE))
      message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  }
}

// ---- TStaticText

void TStaticText::Load(const ControlDef& row) {
  TWinControl::Load(row);
  if (row.flags & ffBorderSingle) border_ = sbsSingle;
  if (row.flags & ffBorderSunken) border_ = sbsSunken;
}

void TStaticText::CreateWnd() {
  CreateHandle("STATIC", SS_LEFT | (border_ == sbsSingle ? WS_BORDER : 0) | (border_ == sbsSunken ? SS_SUNKEN : 0), 0);
}

bool TStaticText::Reflect(TMessage& message) {
  if (message.Msg != WM_CTLCOLORSTATIC) return false;
  message.Result = ColorStatic(reinterpret_cast<HDC>(message.WParam));
  return true;
}

void TStaticText::CaptionChanged() {
  TWinControl::CaptionChanged();
  AdjustBounds();
}

void TStaticText::FontChanged() {
  TWinControl::FontChanged();
  AdjustBounds();
}

void TStaticText::AdjustBounds() {
  // Only a text set at run time resizes it; the layout's size stands until then.
  if (!handle_ || Loading()) return;
  const std::string& text = Caption();
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SetBounds(Left(), Top(), size.cx + 4 * GetSystemMetrics(SM_CXBORDER),
            size.cy + 4 * GetSystemMetrics(SM_CYBORDER));
}

// ---- TRadioButton

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (handle_) {
    SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SetStyleBit(WS_TABSTOP, checked);  // Tab reaches a group at its selected button
  }
  if (!checked) return;
  if (Parent()) {
    for (TControl* sibling : Parent()->Controls()) {
      auto* other = dynamic_cast<TRadioButton*>(sibling);
      if (other && other != this) other->SetChecked(false);
    }
  }
  Click();
}

void TRadioButton::Load(const ControlDef& row) {
  TWinControl::Load(row);
  checked_ = (row.flags & ffChecked) != 0;  // the layout's selection raises no event
}

void TRadioButton::CreateWnd() {
  CreateHandle("BUTTON", BS_RADIOBUTTON | (checked_ ? WS_TABSTOP : 0), 0);
  SendMessageA(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TRadioButton::Reflect(TMessage& message) {
  if (message.Msg == WM_CTLCOLORSTATIC || message.Msg == WM_CTLCOLORBTN) {
    message.Result = ColorStatic(reinterpret_cast<HDC>(message.WParam));
    return true;
  }
  // The button reports a click also when it is selected already, and when
  // the keyboard moves the focus onto it; only a new selection counts.
  if (message.Msg == WM_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
    SetChecked(true);
    return true;
  }
  return false;
}

// ---- TButton

void TButton::CreateWnd() { CreateHandle("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0); }

bool TButton::Reflect(TMessage& message) {
  if (message.Msg != WM_COMMAND || HIWORD(message.WParam) != BN_CLICKED) return false;
  Click();
  return true;
}

void TButton::WndProc(TMessage& message) {
  // The focused button is drawn and treated as the default one.
  if (message.Msg == WM_SETFOCUS) SendMessageA(handle_, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  if (message.Msg == WM_KILLFOCUS) SendMessageA(handle_, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  DefaultHandler(message);
}

}  // namespace forms
