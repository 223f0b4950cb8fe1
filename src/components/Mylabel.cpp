#include "Mylabel.h"

#include <windowsx.h>

#include <string>

using namespace forms;

TmyLabel3d::TmyLabel3d() {
  SetTransparent(true);
  SetParentColor(false);
}

void TmyLabel3d::SetAStyle3D(T3DEffect value) {
  if (value == style3D_) return;
  style3D_ = value;
  Invalidate();
}

void TmyLabel3d::SetAShadeRightBottom(TColor value) {
  if (value == shadeRightBottom_) return;
  shadeRightBottom_ = value;
  Invalidate();
}

void TmyLabel3d::SetAShadeLeftTop(TColor value) {
  if (value == shadeLeftTop_ || shadeLTSet_) return;
  shadeLeftTop_ = value;
  Invalidate();
}

void TmyLabel3d::SetAHShadeOffSet(int value) {
  if (value == hShadeOffSet_) return;
  hShadeOffSet_ = value;
  Invalidate();
}

void TmyLabel3d::SetAVShadeOffSet(int value) {
  if (value == vShadeOffSet_) return;
  vShadeOffSet_ = value;
  Invalidate();
}

void TmyLabel3d::SetAShadeLTSet(bool value) {
  if (value != shadeLTSet_) {
    shadeLTSet_ = value;
    if (value) {
      savedShadeLeftTop_ = shadeLeftTop_;
      shadeLeftTop_ = clWhite;
    } else {
      shadeLeftTop_ = savedShadeLeftTop_;
    }
  }
  Invalidate();  // also when nothing changed
}

void TmyLabel3d::Load(const ControlDef& row) {
  TLabel::Load(row);
  style3D_ = static_cast<T3DEffect>(row.style);
}

void TmyLabel3d::Paint() {
  if (!Transparent()) {
    Canvas().SetBrush(Color());
    Canvas().FillRect(ClientRect());
  }
  // Every copy and the text over them are drawn without a background.
  Canvas().SetBrush(Color(), bsClear);
  static const std::uint16_t kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};  // by TAlignment
  // Word breaking always, and always from the top: the label's own WordWrap and layout do not apply.
  DrawCaption3d(ClientRect(), static_cast<std::uint16_t>(DT_EXPANDTABS | DT_WORDBREAK | kAlignments[Alignment()]));
}

void TmyLabel3d::DrawCaption3d(RECT rect, std::uint16_t flags) {
  // The whole caption is drawn, however long.
  const std::string text = Caption();
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  TCanvas& canvas = Canvas();
  canvas.SetFont(Font());

  struct Copy {
    int dx, dy;
    TColor color;
  };
  Copy copies[2];
  int count = 0;
  switch (style3D_) {
    case Resit3d:
      copies[count++] = {1, 1, shadeLeftTop_};
      copies[count++] = {-1, -1, shadeRightBottom_};
      break;
    case Raised3d:
      copies[count++] = {1, 1, shadeRightBottom_};
      copies[count++] = {-1, -1, shadeLeftTop_};
      break;
    case Shadowed3d:
      copies[count++] = {hShadeOffSet_, vShadeOffSet_, shadeRightBottom_};
      break;
    case Normal3d:
      break;
  }
  for (int i = 0; i < count; ++i) {
    RECT moved = rect;
    OffsetRect(&moved, copies[i].dx, copies[i].dy);
    canvas.SetFontColor(copies[i].color);
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &moved, flags);
  }
  // Only the text itself shows that the label is disabled.
  canvas.SetFontColor(Enabled() ? Font().Color : clGrayText);
  DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void TmyLabel3d::WndProc(TMessage& message) {
  if (message.Msg != WM_MOUSEMOVE) {
    TLabel::WndProc(message);
    return;
  }
  // Holding the capture, the label sees the move that leaves it.
  if (!MouseCapture()) SetMouseCapture(true);
  if (!MouseCapture()) return;
  const int x = GET_X_LPARAM(message.LParam);
  const int y = GET_Y_LPARAM(message.LParam);
  // Width and Height themselves still count as inside.
  if (x >= 0 && x <= Width() && y >= 0 && y <= Height()) return;
  SetMouseCapture(false);
  if (OnMouseOut) OnMouseOut(this);
}
