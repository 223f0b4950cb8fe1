#pragma once
// Label, single-line edit, memo, static text, option button and push button.
#include "Controls.h"

namespace forms {

// A windowless text: sized to its caption, '&' marks an underlined accelerator.
class TLabel : public TGraphicControl {
 public:
  TLabel() = default;
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  void Load(const ControlDef& row) override;
  void Loaded() override { AdjustBounds(); }

 protected:
  void Paint() override;
  void CaptionChanged() override;
  void FontChanged() override;
  // The caption measured with the label's font; keeps the right edge of a right-justified label.
  void AdjustBounds();

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool transparent_ = false;
};

class TEdit : public TWinControl {
 public:
  TEdit();
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  void Load(const ControlDef& row) override;
  bool Reflect(TMessage& message) override;

 protected:
  void CreateWnd() override;

 private:
  bool readOnly_ = false;
  bool border_ = true;
};

// Multi-line text that wraps at the right edge; Tab and Escape leave it to the dialog keys.
class TMemo : public TWinControl {
 public:
  TMemo();
  void Load(const ControlDef& row) override;
  bool Reflect(TMessage& message) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;

 private:
  bool readOnly_ = false;
  bool border_ = true;
  bool scrollBar_ = false;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

// A text in a window of its own; grows to its caption when that changes.
class TStaticText : public TWinControl {
 public:
  TStaticText() = default;
  TStaticBorderStyle BorderStyle() const { return border_; }
  void Load(const ControlDef& row) override;
  bool Reflect(TMessage& message) override;

 protected:
  void CreateWnd() override;
  void CaptionChanged() override;
  void FontChanged() override;

 private:
  void AdjustBounds();
  TStaticBorderStyle border_ = sbsNone;
};

// An option button: one group per parent. The click event comes only when
// the button becomes selected, by the user or by SetChecked(true).
class TRadioButton : public TWinControl {
 public:
  TRadioButton() = default;
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Load(const ControlDef& row) override;
  bool Reflect(TMessage& message) override;

 protected:
  void CreateWnd() override;

 private:
  bool checked_ = false;
};

// A push button; the focused one is the default button, so Enter presses it.
class TButton : public TWinControl {
 public:
  TButton() = default;
  bool Reflect(TMessage& message) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;
};

}  // namespace forms
