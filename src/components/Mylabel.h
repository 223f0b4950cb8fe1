#pragma once
// TmyLabel3d: a label that draws its caption raised, recessed or with a drop
// shadow, and reports when the mouse pointer leaves it.
#include <cstdint>

#include "forms/StdCtrls.h"

enum T3DEffect : std::uint8_t { Normal3d = 0, Resit3d = 1, Raised3d = 2, Shadowed3d = 3 };

class TmyLabel3d : public forms::TLabel {
 public:
  TmyLabel3d();

  // Fired, with the label as sender, when the pointer has left the label and
  // the label has given up the mouse capture.
  forms::TNotifyEvent OnMouseOut;

  T3DEffect AStyle3D() const { return style3D_; }
  void SetAStyle3D(T3DEffect value);
  // The dark shade: lower-right copy of Raised3d, upper-left of Resit3d, the shadow.
  forms::TColor AShadeRightBottom() const { return shadeRightBottom_; }
  void SetAShadeRightBottom(forms::TColor value);
  // The light shade: upper-left copy of Raised3d, lower-right of Resit3d.
  forms::TColor AShadeLeftTop() const { return shadeLeftTop_; }
  void SetAShadeLeftTop(forms::TColor value);
  // Offset of the shadow in pixels: positive moves it right, or down.
  int AHShadeOffSet() const { return hShadeOffSet_; }
  void SetAHShadeOffSet(int value);
  int AVShadeOffSet() const { return vShadeOffSet_; }
  void SetAVShadeOffSet(int value);
  // While true the light shade is held at white; the colour before is kept and comes back.
  bool AShadeLTSet() const { return shadeLTSet_; }
  void SetAShadeLTSet(bool value);

  // A layout row's style is the effect.
  void Load(const forms::ControlDef& row) override;
  void WndProc(forms::TMessage& message) override;

 protected:
  void Paint() override;

 private:
  void DrawCaption3d(RECT rect, std::uint16_t flags);

  T3DEffect style3D_ = Normal3d;
  forms::TColor shadeRightBottom_ = forms::clGray;
  forms::TColor shadeLeftTop_ = forms::clWhite;
  forms::TColor savedShadeLeftTop_ = forms::clWhite;
  int hShadeOffSet_ = 5;
  int vShadeOffSet_ = -5;  // above the text
  bool shadeLTSet_ = false;
};
