#include "ExtCtrls.h"

#include <commctrl.h>

namespace forms {

// ---- TPanel

void TPanel::SetBevels(TPanelBevel outer, TPanelBevel inner) {
  outer_ = outer;
  inner_ = inner;
  Invalidate();
}

void TPanel::Load(const ControlDef& row) {
  TCustomControl::Load(row);
  if (row.flags & ffOuterNone) outer_ = bvNone;
  if (row.flags & ffOuterLowered) outer_ = bvLowered;
  if (row.flags & ffInnerLowered) inner_ = bvLowered;
  if (row.flags & ffInnerRaised) inner_ = bvRaised;
  alignTop_ = (row.flags & ffAlignTop) != 0;
}

void TPanel::CreateWnd() {
  if (alignTop_) {
    // Below the panels that were stuck to the top before it, across the whole parent.
    int top = 0;
    for (TControl* sibling : Parent()->Controls()) {
      auto* panel = dynamic_cast<TPanel*>(sibling);
      if (panel == this) break;
      if (panel && panel->alignTop_ && panel->Visible()) top = panel->Top() + panel->Height();
    }
    SetBounds(0, top, Parent()->ClientWidth(), Height());
  }
  // CONTROLPARENT: Tab and the accelerators reach the controls inside.
  CreateHandle(ClassName(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, true);
}

void TPanel::PaintWindow(TCanvas& canvas) {
  TCustomControl::PaintWindow(canvas);
  RECT rect = ClientRect();
  for (TPanelBevel bevel : {outer_, inner_}) {
    if (bevel == bvNone) continue;
    const bool raised = bevel == bvRaised;
    canvas.Frame3D(rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, 1);
  }
}

// ---- TImage

void TImage::SetPicture(Bitmap picture) {
  picture_ = std::move(picture);
  if (autoSize_ && picture_) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::Load(const ControlDef& row) {
  TGraphicControl::Load(row);
  autoSize_ = (row.flags & ffAutoSize) != 0;
  center_ = (row.flags & ffCenter) != 0;
  stretch_ = (row.flags & ffStretch) != 0;
  if (row.picture) SetPicture(Bitmap::FromResource(row.picture));
}

void TImage::Paint() {
  if (!picture_) return;
  HDC dc = Canvas().Handle();
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, picture_.Handle());
  const int w = picture_.Width(), h = picture_.Height();
  if (stretch_) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, Width(), Height(), source, 0, 0, w, h, SRCCOPY);
  } else {
    const int x = center_ ? (Width() - w) / 2 : 0;
    const int y = center_ ? (Height() - h) / 2 : 0;
    BitBlt(dc, x, y, w, h, source, 0, 0, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

// ---- TSpeedButton

bool IsAccel(char ch, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {  // "&&" is a plain ampersand
      ++i;
      continue;
    }
    char a[2] = {caption[i + 1], 0}, b[2] = {ch, 0};
    CharUpperA(a);
    CharUpperA(b);
    return a[0] == b[0];
  }
  return false;
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetGlyph(Bitmap glyph) {
  glyph_ = std::move(glyph);
  Invalidate();
}

int TSpeedButton::NumGlyphs() const {
  const int w = glyph_.Width(), h = glyph_.Height();
  if (!h || w % h) return 1;
  const int n = w / h;
  return n < 1 ? 1 : (n > 4 ? 4 : n);
}

void TSpeedButton::Load(const ControlDef& row) {
  TGraphicControl::Load(row);
  flat_ = (row.flags & ffFlat) != 0;
  if (row.picture) SetGlyph(Bitmap::FromResource(row.picture));
}

bool TSpeedButton::DialogChar(char ch) {
  if (!IsAccel(ch, Caption()) || !Enabled() || !Showing()) return false;
  Click();
  return true;
}

void TSpeedButton::MouseEnter() {
  hot_ = true;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::MouseLeave() {
  hot_ = false;
  if (flat_ && Enabled()) Invalidate();
}

void TSpeedButton::MouseDown(int, int) {
  dragging_ = true;
  down_ = true;
  Invalidate();
}

void TSpeedButton::MouseMove(int x, int y) {
  if (!dragging_) return;
  const RECT client = ClientRect();
  const bool inside = PtInRect(&client, POINT{x, y}) != FALSE;
  if (inside != down_) {
    down_ = inside;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(int, int) {
  dragging_ = false;
  down_ = false;
  Invalidate();
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  HDC dc = canvas.Handle();
  RECT rect = ClientRect();
  if (!flat_) {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (down_ ? DFCS_PUSHED : 0));
  } else if (down_ || (hot_ && Enabled())) {
    DrawEdge(dc, &rect, down_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }

  // Glyph and caption side by side, centred together, four pixels apart.
  const std::string& text = Caption();
  RECT textRect{0, 0, 0, 0};
  if (!text.empty()) DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_CALCRECT | DT_SINGLELINE);
  const int glyphW = glyph_ ? glyph_.Width() / NumGlyphs() : 0;
  const int glyphH = glyph_ ? glyph_.Height() : 0;
  const int spacing = glyphW && !text.empty() ? 4 : 0;
  const int shift = down_ ? 1 : 0;
  const int left = (Width() - (glyphW + spacing + textRect.right)) / 2 + shift;
  if (glyph_) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, glyph_.Handle());
    const COLORREF transparent = GetPixel(source, 0, glyph_.Height() - 1);
    SelectObject(source, old);
    DeleteDC(source);
    const int image = !Enabled() && NumGlyphs() > 1 ? 1 : 0;
    DrawTransparent(dc, left, (Height() - glyphH + 1) / 2 + shift, glyph_.Handle(), image * glyphW, 0, glyphW, glyphH,
                    transparent);
  }
  if (text.empty()) return;
  RECT r{left + glyphW + spacing, 0, 0, 0};
  r.top = (Height() - textRect.bottom + 1) / 2 + shift;
  r.right = r.left + textRect.right;
  r.bottom = r.top + textRect.bottom;
  canvas.SetBrush(Color(), bsClear);
  if (!Enabled()) {
    OffsetRect(&r, 1, 1);
    canvas.SetFontColor(clBtnHighlight);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE);
    OffsetRect(&r, -1, -1);
    canvas.SetFontColor(clBtnShadow);
  }
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE);
}

// ---- TProgressBar

void TProgressBar::SetRange(int min, int max) {
  min_ = min;
  max_ = max;
  if (handle_) SendMessageA(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void TProgressBar::SetStep(int step) {
  step_ = step;
  if (handle_) SendMessageA(handle_, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

// The install runs on this thread: each change is painted at once.
void TProgressBar::StepIt() {
  SendMessageA(handle_, PBM_STEPIT, 0, 0);
  UpdateWindow(handle_);
}

void TProgressBar::StepBy(int delta) {
  SendMessageA(handle_, PBM_DELTAPOS, static_cast<WPARAM>(delta), 0);
  UpdateWindow(handle_);
}

void TProgressBar::SetPosition(int position) {
  SendMessageA(handle_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  UpdateWindow(handle_);
}

int TProgressBar::Position() const { return static_cast<int>(SendMessageA(handle_, PBM_GETPOS, 0, 0)); }

void TProgressBar::Load(const ControlDef& row) {
  TWinControl::Load(row);
  min_ = row.min;
  max_ = row.max;
  step_ = row.step;
}

void TProgressBar::CreateWnd() {
  CreateHandle(PROGRESS_CLASSA, 0, 0);
  SendMessageA(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(handle_, PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

// ---- TToolBar

void TToolBar::CreateWnd() {
  // Without CCS_NODIVIDER the bar draws its etched top edge; it keeps the layout's size.
  CreateHandle(TOOLBARCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | TBSTYLE_FLAT, 0);
  SendMessageA(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

}  // namespace forms
