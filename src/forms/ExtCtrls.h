#pragma once
// Panel, picture, speed button, progress bar and tool bar.
#include "Controls.h"

namespace forms {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A container with an outer and an inner one-pixel bevel.
class TPanel : public TCustomControl {
 public:
  TPanel() = default;
  TPanelBevel BevelOuter() const { return outer_; }
  TPanelBevel BevelInner() const { return inner_; }
  void SetBevels(TPanelBevel outer, TPanelBevel inner);
  void Load(const ControlDef& row) override;

 protected:
  void CreateWnd() override;
  void PaintWindow(TCanvas& canvas) override;

 private:
  TPanelBevel outer_ = bvRaised;
  TPanelBevel inner_ = bvNone;
  bool alignTop_ = false;
};

// A bitmap, drawn at the top left, centred, or stretched to the box.
class TImage : public TGraphicControl {
 public:
  TImage() = default;
  HBITMAP Picture() const { return picture_.Handle(); }
  void SetPicture(Bitmap picture);
  void Load(const ControlDef& row) override;

 protected:
  void Paint() override;

 private:
  Bitmap picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
};

// A windowless button: it never takes the keyboard focus. Its glyph holds
// side by side square images for the normal and the disabled state; the
// colour of its bottom-left pixel is transparent. Flat buttons show a
// border only while the pointer is over them.
class TSpeedButton : public TGraphicControl {
 public:
  TSpeedButton() = default;
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  void SetGlyph(Bitmap glyph);
  HBITMAP Glyph() const { return glyph_.Handle(); }
  int NumGlyphs() const;
  void Load(const ControlDef& row) override;
  bool DialogChar(char ch) override;
  void MouseEnter() override;
  void MouseLeave() override;

 protected:
  void Paint() override;
  void MouseDown(int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(int x, int y) override;

 private:
  Bitmap glyph_;
  bool flat_ = false;
  bool down_ = false;      // drawn pressed
  bool dragging_ = false;  // the button went down on us
  bool hot_ = false;       // the pointer is over it
};

// The real progress control.
class TProgressBar : public TWinControl {
 public:
  TProgressBar() = default;
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Step() const { return step_; }
  void SetRange(int min, int max);
  void SetStep(int step);
  // One step; past the maximum it starts over from the minimum, like the control.
  void StepIt();
  void StepBy(int delta);
  void SetPosition(int position);
  int Position() const;
  void Load(const ControlDef& row) override;

 protected:
  void CreateWnd() override;

 private:
  int min_ = 0, max_ = 100, step_ = 10;
};

// An empty tool bar: its etched top edge serves as a separator line.
class TToolBar : public TWinControl {
 public:
  TToolBar() = default;

 protected:
  void CreateWnd() override;
};

// Whether the caption's accelerator ('&' before it) is the character.
bool IsAccel(char ch, const std::string& caption);

}  // namespace forms
