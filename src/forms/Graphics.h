#pragma once
// Colours, fonts, bitmaps and the canvas that windowless controls paint on.
#include <windows.h>

#include <cstdint>
#include <string>

namespace forms {

// 0x00BBGGRR, or a system colour: its COLOR_ index with the top byte 0xFF.
// System colours are looked up when drawn, so they follow the user's scheme.
using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
// Not a colour: "the control's own default" in a layout row.
constexpr TColor clDefault = 0x20000000;

COLORREF ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = 11;  // character height in pixels
  TFontStyles Style = 0;
  TColor Color = clWindowText;

  // Shared by every font of the same face, height and style; lives as long as the process.
  HFONT Handle() const;
  bool operator==(const TFont& other) const {
    return Name == other.Name && Height == other.Height && Style == other.Style && Color == other.Color;
  }
  bool operator!=(const TFont& other) const { return !(*this == other); }
};

// A solid brush of the colour, shared like fonts.
HBRUSH SolidBrush(TColor color);

// A bitmap with one owner.
class Bitmap {
 public:
  Bitmap() = default;
  explicit Bitmap(HBITMAP handle) : handle_(handle) {}
  Bitmap(Bitmap&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  Bitmap& operator=(Bitmap&& other) noexcept;
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  ~Bitmap();

  // A bitmap resource of the program; raises platform::Error when it is missing.
  static Bitmap FromResource(const char* name);

  HBITMAP Handle() const { return handle_; }
  int Width() const;
  int Height() const;
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HBITMAP handle_ = nullptr;
};

// Copies a part of a bitmap, leaving out the pixels of the transparent colour.
void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, int sourceX, int sourceY, int width, int height,
                     COLORREF transparent);

enum TBrushStyle { bsSolid, bsClear };

// An HDC with the font and brush that the drawing code asks for. Restores the
// device context's state when it goes.
class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  const TFont& Font() const { return font_; }
  // Selects the font and sets the text colour to its colour.
  void SetFont(const TFont& font);
  void SetFontColor(TColor color);
  // A clear brush draws text without a background.
  void SetBrush(TColor color, TBrushStyle style = bsSolid);
  void FillRect(const RECT& rect);
  // A bevel line of the given width: top and left in `top`, bottom and right in `bottom`; shrinks rect.
  void Frame3D(RECT& rect, TColor top, TColor bottom, int width);

 private:
  HDC dc_;
  int saved_;
  TFont font_;
  TColor brushColor_ = clWhite;
};

}  // namespace forms
