#include "Graphics.h"

#include <map>
#include <tuple>

#include "platform/Errors.h"

namespace forms {

namespace {

// GDI objects shared for the process's life; released when it ends.
template <class Key, class Handle>
class ObjectCache {
 public:
  ~ObjectCache() {
    for (auto& entry : objects_) DeleteObject(entry.second);
  }
  template <class Make>
  Handle Get(const Key& key, Make make) {
    auto found = objects_.find(key);
    if (found != objects_.end()) return found->second;
    Handle handle = make();
    objects_.emplace(key, handle);
    return handle;
  }

 private:
  std::map<Key, Handle> objects_;
};

}  // namespace

COLORREF ColorToRGB(TColor color) {
  if (color & 0x80000000) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

HFONT TFont::Handle() const {
  static ObjectCache<std::tuple<std::string, int, unsigned>, HFONT> fonts;
  return fonts.Get(std::make_tuple(Name, Height, Style), [this] {
    LOGFONTA font{};
    // A negative height asks for the character height rather than the cell height.
    font.lfHeight = -Height;
    font.lfWeight = (Style & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (Style & fsItalic) ? 1 : 0;
    font.lfUnderline = (Style & fsUnderline) ? 1 : 0;
    font.lfStrikeOut = (Style & fsStrikeOut) ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    lstrcpynA(font.lfFaceName, Name.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&font);
  });
}

HBRUSH SolidBrush(TColor color) {
  static ObjectCache<COLORREF, HBRUSH> brushes;
  const COLORREF rgb = ColorToRGB(color);
  return brushes.Get(rgb, [rgb] { return CreateSolidBrush(rgb); });
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    if (handle_) DeleteObject(handle_);
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

Bitmap::~Bitmap() {
  if (handle_) DeleteObject(handle_);
}

Bitmap Bitmap::FromResource(const char* name) {
  auto handle = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!handle) throw platform::Error(std::string("Bitmap resource not found: ") + name);
  return Bitmap(handle);
}

int Bitmap::Width() const {
  BITMAP info{};
  return handle_ && GetObjectA(handle_, sizeof info, &info) ? info.bmWidth : 0;
}

int Bitmap::Height() const {
  BITMAP info{};
  return handle_ && GetObjectA(handle_, sizeof info, &info) ? info.bmHeight : 0;
}

void DrawTransparent(HDC dc, int x, int y, HBITMAP bitmap, int sourceX, int sourceY, int width, int height,
                     COLORREF transparent) {
  // A mask and three plain blits, so that the program needs no library beyond gdi32:
  // where the mask is white the destination stays, elsewhere the source replaces it.
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ oldSource = SelectObject(source, bitmap);
  HDC mask = CreateCompatibleDC(dc);
  HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(mask, maskBitmap);
  const COLORREF sourceBack = SetBkColor(source, transparent);
  BitBlt(mask, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
  SetBkColor(source, sourceBack);
  const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, width, height, source, sourceX, sourceY, SRCINVERT);
  BitBlt(dc, x, y, width, height, mask, 0, 0, SRCAND);
  BitBlt(dc, x, y, width, height, source, sourceX, sourceY, SRCINVERT);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  SelectObject(mask, oldMask);
  DeleteObject(maskBitmap);
  DeleteDC(mask);
  SelectObject(source, oldSource);
  DeleteDC(source);
}

TCanvas::TCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {
  SetBkMode(dc_, OPAQUE);
  SetBkColor(dc_, ColorToRGB(brushColor_));
}

TCanvas::~TCanvas() { RestoreDC(dc_, saved_); }

void TCanvas::SetFont(const TFont& font) {
  font_ = font;
  SelectObject(dc_, font.Handle());
  SetTextColor(dc_, ColorToRGB(font.Color));
}

void TCanvas::SetFontColor(TColor color) {
  font_.Color = color;
  SetTextColor(dc_, ColorToRGB(color));
}

void TCanvas::SetBrush(TColor color, TBrushStyle style) {
  brushColor_ = color;
  SetBkMode(dc_, style == bsClear ? TRANSPARENT : OPAQUE);
  SetBkColor(dc_, ColorToRGB(color));
}

void TCanvas::FillRect(const RECT& rect) { ::FillRect(dc_, &rect, SolidBrush(brushColor_)); }

void TCanvas::Frame3D(RECT& rect, TColor top, TColor bottom, int width) {
  for (; width > 0; --width) {
    const RECT lines[] = {
        {rect.left, rect.top, rect.right - 1, rect.top + 1},         // top
        {rect.left, rect.top, rect.left + 1, rect.bottom - 1},       // left
        {rect.left, rect.bottom - 1, rect.right, rect.bottom},       // bottom
        {rect.right - 1, rect.top, rect.right, rect.bottom},         // right
    };
    for (int i = 0; i < 4; ++i) ::FillRect(dc_, &lines[i], SolidBrush(i < 2 ? top : bottom));
    InflateRect(&rect, -1, -1);
  }
}

}  // namespace forms
