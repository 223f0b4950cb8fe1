// The three-dimensional label: what it draws, pixel by pixel, and how it
// handles the mouse capture.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FormsTestKit.h"
#include "components/Mylabel.h"
#include "forms/ExtCtrls.h"

using namespace forms;

namespace {

class TLabelF : public TForm {
 public:
  TLabelF();
};

const FormDef kLabelForm{"Beschriftungen", 460, 460, bsDialog, 0};

constexpr ControlDef kLabelRows[] = {
    Row<TPanel>("Panel1").At(0, 0, 460, 460).Flags(ffOuterNone).Color(clTeal),
    Row<TmyLabel3d>("myLabel3d1")
        .In("Panel1")
        .At(20, 20, 10, 10)
        .Caption("Hallo Welt")
        .Font("Arial", 19, fsBold)
        .FontColor(clNavy)
        .Style(Raised3d),
};

TLabelF::TLabelF() : TForm(kLabelForm) { Build(kLabelRows); }

struct Copy {
  int dx, dy;
  TColor color;
};

using Pixels = std::vector<std::uint32_t>;

// A 32-bit image of the panel's size to draw into.
class Image {
 public:
  Image(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Image() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  Pixels Read() const {
    GdiFlush();
    auto* p = static_cast<const std::uint32_t*>(bits_);
    return Pixels(p, p + width_ * height_);
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  void* bits_ = nullptr;
};

class MylabelTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = std::make_unique<TLabelF>();
    panel = &form->Control<TPanel>("Panel1");
    label = &form->Control<TmyLabel3d>("myLabel3d1");
  }
  void TearDown() override {
    form.reset();
    FormsTest::TearDown();
  }

  // What the label draws, through its parent's painting.
  Pixels Render() const {
    Image image(panel->Width(), panel->Height());
    SendMessageA(panel->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    return image.Read();
  }
  // What it should draw: the copies, then the text, clipped to the label.
  Pixels Expected(const std::vector<Copy>& copies, TColor textColor, UINT flags, const char* fill = nullptr,
                  TColor fillColor = clBlack) const {
    Image image(panel->Width(), panel->Height());
    HDC dc = image.Dc();
    const RECT all{0, 0, panel->Width(), panel->Height()};
    FillRect(dc, &all, SolidBrush(clTeal));
    const RECT bounds = label->BoundsRect();
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    if (fill) FillRect(dc, &bounds, SolidBrush(fillColor));
    SelectObject(dc, label->Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    const std::string& text = label->Caption();
    for (const Copy& copy : copies) {
      RECT moved = bounds;
      OffsetRect(&moved, copy.dx, copy.dy);
      SetTextColor(dc, ColorToRGB(copy.color));
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &moved, flags);
    }
    RECT rect = bounds;
    SetTextColor(dc, ColorToRGB(textColor));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    return image.Read();
  }
  static int Differences(const Pixels& a, const Pixels& b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
    return n;
  }
  void Validate() { ValidateRect(panel->Handle(), nullptr); }
  bool Invalidated() const { return GetUpdateRect(panel->Handle(), nullptr, FALSE) != FALSE; }
  void Move(int x, int y) { SendMessageA(panel->Handle(), WM_MOUSEMOVE, 0, At(label->Left() + x, label->Top() + y)); }

  static constexpr UINT kFlags = DT_EXPANDTABS | DT_WORDBREAK | DT_LEFT;
  std::unique_ptr<TLabelF> form;
  TPanel* panel = nullptr;
  TmyLabel3d* label = nullptr;
};

}  // namespace

TEST_F(MylabelTest, StartsTransparentWithTheDefaultShadesAndOffsets) {
  TmyLabel3d fresh;
  EXPECT_TRUE(fresh.Transparent());
  EXPECT_FALSE(fresh.ParentColor());
  EXPECT_TRUE(fresh.AutoSize());
  EXPECT_TRUE(fresh.ShowAccelChar());
  EXPECT_EQ(fresh.Alignment(), taLeftJustify);
  EXPECT_EQ(fresh.AStyle3D(), Normal3d);
  EXPECT_EQ(fresh.AShadeRightBottom(), 8421504u);
  EXPECT_EQ(fresh.AShadeLeftTop(), 16777215u);
  EXPECT_EQ(fresh.AHShadeOffSet(), 5);
  EXPECT_EQ(fresh.AVShadeOffSet(), -5);
  EXPECT_FALSE(fresh.AShadeLTSet());
  EXPECT_FALSE(fresh.OnMouseOut);
  EXPECT_EQ(label->AStyle3D(), Raised3d);  // from the layout row
}

TEST_F(MylabelTest, DrawsEachCopyAtItsOffsetInItsColourUnderTheText) {
  const struct Case {
    const char* name;
    T3DEffect effect;
    bool enabled;
    TColor leftTop, rightBottom;
    int h, v;
    std::vector<Copy> copies;
    TColor text;
  } cases[] = {
      {"normal", Normal3d, true, clWhite, clGray, 5, -5, {}, clNavy},
      {"raised", Raised3d, true, clWhite, clGray, 5, -5, {{1, 1, clGray}, {-1, -1, clWhite}}, clNavy},
      {"recessed", Resit3d, true, clWhite, clGray, 5, -5, {{1, 1, clWhite}, {-1, -1, clGray}}, clNavy},
      {"shadowed", Shadowed3d, true, clWhite, clGray, 5, -5, {{5, -5, clGray}}, clNavy},
      {"raised in own shades", Raised3d, true, clRed, clBlue, 5, -5, {{1, 1, clBlue}, {-1, -1, clRed}}, clNavy},
      {"recessed in own shades", Resit3d, true, clRed, clBlue, 5, -5, {{1, 1, clRed}, {-1, -1, clBlue}}, clNavy},
      {"shadow moved", Shadowed3d, true, clRed, clBlue, -3, 4, {{-3, 4, clBlue}}, clNavy},
      {"raised, disabled", Raised3d, false, clWhite, clGray, 5, -5, {{1, 1, clGray}, {-1, -1, clWhite}}, clGrayText},
      {"normal, disabled", Normal3d, false, clWhite, clGray, 5, -5, {}, clGrayText},
  };
  const Pixels textOnly = Expected({}, clNavy, kFlags);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    label->SetAStyle3D(c.effect);
    label->SetEnabled(c.enabled);
    label->SetAShadeLeftTop(c.leftTop);
    label->SetAShadeRightBottom(c.rightBottom);
    label->SetAHShadeOffSet(c.h);
    label->SetAVShadeOffSet(c.v);
    const Pixels expected = Expected(c.copies, c.text, kFlags);
    // The cases must tell their copies from the plain text, or they prove nothing.
    if (!c.copies.empty() || c.text != clNavy) {
      EXPECT_GT(Differences(expected, textOnly), 20);
    }
    EXPECT_EQ(Differences(Render(), expected), 0);
  }
}

TEST_F(MylabelTest, AnOpaqueLabelFillsItsAreaFirst) {
  label->SetTransparent(false);
  label->SetColor(clYellow);
  const Pixels expected = Expected({{1, 1, clGray}, {-1, -1, clWhite}}, clNavy, kFlags, "fill", clYellow);
  EXPECT_EQ(Differences(Render(), expected), 0);
}

TEST_F(MylabelTest, DrawsWithTheFlagsOfItsAlignmentAlwaysWrappingAndFromTheTop) {
  label->SetAStyle3D(Normal3d);
  label->SetAutoSize(false);
  label->SetBounds(20, 20, 300, 120);
  label->SetAlignment(taCenter);
  EXPECT_EQ(Differences(Render(), Expected({}, clNavy, DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER)), 0);
  label->SetAlignment(taRightJustify);
  EXPECT_EQ(Differences(Render(), Expected({}, clNavy, DT_EXPANDTABS | DT_WORDBREAK | DT_RIGHT)), 0);

  // Wider than the label: it wraps at a blank although WordWrap is off.
  label->SetAlignment(taLeftJustify);
  label->SetCaption("Herzlich Willkommen beim Mirvo 98.2 - Installations-Programm");
  ASSERT_FALSE(label->WordWrap());
  const Pixels wrapped = Expected({}, clNavy, kFlags);
  EXPECT_GT(Differences(wrapped, Expected({}, clNavy, DT_EXPANDTABS | DT_LEFT)), 20);
  EXPECT_EQ(Differences(Render(), wrapped), 0);

  // Without the accelerator character the ampersand is drawn, in every copy.
  label->SetAStyle3D(Raised3d);
  label->SetCaption("&Weiter && fort");
  const std::vector<Copy> raised{{1, 1, clGray}, {-1, -1, clWhite}};
  EXPECT_EQ(Differences(Render(), Expected(raised, clNavy, kFlags)), 0);
  label->SetShowAccelChar(false);
  const Pixels plain = Expected(raised, clNavy, kFlags | DT_NOPREFIX);
  EXPECT_GT(Differences(plain, Expected(raised, clNavy, kFlags)), 20);
  EXPECT_EQ(Differences(Render(), plain), 0);
}

TEST_F(MylabelTest, DrawsNothingForAnEmptyCaptionAndAllOfALongOne) {
  label->SetCaption("");
  const Pixels background = Expected({}, clNavy, kFlags);
  EXPECT_EQ(Differences(Render(), background), 0);

  // Past 254 characters the label still draws the whole caption.
  std::string longCaption;
  for (int i = 0; i < 40; ++i) longCaption += "Wort" + std::to_string(i) + " ";
  longCaption += "SCHLUSS";
  ASSERT_GT(longCaption.size(), 254u);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 420, 300);
  label->SetCaption(longCaption);
  const Pixels whole = Expected({{1, 1, clGray}, {-1, -1, clWhite}}, clNavy, kFlags);
  EXPECT_EQ(Differences(Render(), whole), 0);
  label->SetCaption(longCaption.substr(0, 254));
  EXPECT_GT(Differences(Render(), whole), 20);
}

TEST_F(MylabelTest, ALightShadeSetAsideWhileHeldAtWhite) {
  label->SetAShadeLeftTop(clRed);
  label->SetAShadeLTSet(true);
  EXPECT_EQ(label->AShadeLeftTop(), clWhite);
  label->SetAShadeLeftTop(clBlue);
  EXPECT_EQ(label->AShadeLeftTop(), clWhite);
  label->SetAShadeLTSet(true);
  EXPECT_EQ(label->AShadeLeftTop(), clWhite);
  label->SetAShadeLTSet(false);
  EXPECT_EQ(label->AShadeLeftTop(), clRed);
  label->SetAShadeLeftTop(clBlue);
  EXPECT_EQ(label->AShadeLeftTop(), clBlue);
}

TEST_F(MylabelTest, SettersRepaintOnlyOnChangeExceptTheWhiteShadeSwitch) {
  form->Show();
  const struct {
    const char* name;
    std::function<void()> same, changed;
  } setters[] = {
      {"AStyle3D", [&] { label->SetAStyle3D(Raised3d); }, [&] { label->SetAStyle3D(Shadowed3d); }},
      {"AShadeRightBottom", [&] { label->SetAShadeRightBottom(clGray); }, [&] { label->SetAShadeRightBottom(clRed); }},
      {"AShadeLeftTop", [&] { label->SetAShadeLeftTop(clWhite); }, [&] { label->SetAShadeLeftTop(clRed); }},
      {"AHShadeOffSet", [&] { label->SetAHShadeOffSet(5); }, [&] { label->SetAHShadeOffSet(2); }},
      {"AVShadeOffSet", [&] { label->SetAVShadeOffSet(-5); }, [&] { label->SetAVShadeOffSet(2); }},
  };
  for (const auto& setter : setters) {
    SCOPED_TRACE(setter.name);
    Validate();
    setter.same();
    EXPECT_FALSE(Invalidated());
    setter.changed();
    EXPECT_TRUE(Invalidated());
  }
  Validate();
  label->SetAShadeLTSet(false);  // unchanged, and still repainted
  EXPECT_TRUE(Invalidated());
  Validate();
  label->SetAShadeLTSet(true);
  EXPECT_TRUE(Invalidated());
  Validate();
  label->SetAShadeLeftTop(clBlue);  // ignored while held at white
  EXPECT_FALSE(Invalidated());
}

TEST_F(MylabelTest, HoldsTheCaptureWhileThePointerIsOverItAndReportsLeavingOnce) {
  form->Show();
  int outs = 0;
  bool releasedFirst = false;
  label->OnMouseOut = [&](TObject* sender) {
    ++outs;
    releasedFirst = sender == label && GetCapture() == nullptr && GetCaptureControl() == nullptr;
  };
  const int w = label->Width(), h = label->Height();

  Move(5, 5);
  EXPECT_TRUE(label->MouseCapture());
  EXPECT_EQ(GetCapture(), panel->Handle());
  Move(w, 5);  // the column beyond the last one still counts as inside
  Move(5, h);
  EXPECT_TRUE(label->MouseCapture());
  EXPECT_EQ(outs, 0);
  Move(-1, 5);
  EXPECT_FALSE(label->MouseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(outs, 1);
  EXPECT_TRUE(releasedFirst);
  Move(-5, 5);  // no capture and not over the label: nothing more
  EXPECT_EQ(outs, 1);

  Move(5, 5);
  EXPECT_TRUE(label->MouseCapture());
  Move(5, -1);
  EXPECT_EQ(outs, 2);
  Move(5, 5);
  Move(w + 1, 5);
  EXPECT_EQ(outs, 3);

  label->OnMouseOut = nullptr;
  Move(5, 5);
  Move(5, h + 1);
  EXPECT_FALSE(label->MouseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MylabelTest, ALinkLabelStillClicksAfterHoldingTheCapture) {
  form->Show();
  int clicks = 0, outs = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  label->OnMouseOut = [&](TObject*) { ++outs; };
  Move(5, 5);
  ASSERT_TRUE(label->MouseCapture());
  SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(label->Left() + 6, label->Top() + 6));
  SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, At(label->Left() + 6, label->Top() + 6));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(outs, 0);
  EXPECT_FALSE(label->MouseCapture());  // the release gave it back
  Move(5, 5);
  EXPECT_TRUE(label->MouseCapture());  // and the next move takes it again
}
