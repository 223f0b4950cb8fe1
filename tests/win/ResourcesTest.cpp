// The program's resources, read back from this test program, which links the
// same resource object as setup.exe.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "resources/Links.h"
#include "resources/Resources.h"

namespace {

std::string ResourceBytes(const char* name, const char* type) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(self, found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return std::string(data, SizeofResource(self, found));
}

TEST(ResourcesTest, BitmapsHaveTheirSizesAndColourDepths) {
  struct Case { const char* name; LONG width, height; WORD bits; };
  const Case cases[] = {
      {RES_BANNER, 200, 50, 24},       {RES_MAKERLOGO, 150, 50, 24},
      {RES_PARTNERLOGO, 100, 50, 24},  {RES_GLYPH_OK, 32, 16, 4},
      {RES_GLYPH_CANCEL, 32, 16, 4},   {RES_GLYPH_INFO, 32, 16, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string raw = ResourceBytes(c.name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    ASSERT_GE(raw.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    memcpy(&header, raw.data(), sizeof header);
    EXPECT_EQ(header.biWidth, c.width);
    EXPECT_EQ(header.biHeight, c.height);  // positive: rows run bottom-up
    EXPECT_EQ(header.biBitCount, c.bits);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), c.name);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
    DeleteObject(bitmap);
  }
}

// A glyph button draws both images with one transparent colour, the lower-left
// pixel's; a motif that reached a corner would show a stray dot or a hole.
TEST(ResourcesTest, GlyphCornersAreTheTransparentColour) {
  for (const char* name : {RES_GLYPH_OK, RES_GLYPH_CANCEL, RES_GLYPH_INFO}) {
    SCOPED_TRACE(name);
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF transparent = GetPixel(dc, 0, 15);
    ASSERT_NE(transparent, CLR_INVALID);
    EXPECT_NE(GetPixel(dc, 8, 8), transparent);  // the motif covers the middle
    for (int x : {0, 15, 16, 31})
      for (int y : {0, 15}) EXPECT_EQ(GetPixel(dc, x, y), transparent) << x << "," << y;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

TEST(ResourcesTest, IconHasBothSizes) {
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINICON)), nullptr);
  // The group directory: a 6-byte header, then 14 bytes per image.
  const std::string group = ResourceBytes(MAKEINTRESOURCEA(IDI_MAINICON), MAKEINTRESOURCEA(14));
  ASSERT_GE(group.size(), 6u);
  const int count = static_cast<unsigned char>(group[4]);
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::set<int> sizes;
  for (int i = 0; i < count; ++i) sizes.insert(static_cast<unsigned char>(group[6 + 14 * i]));
  EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST(ResourcesTest, LicenceTextHasItsShape) {
  const std::string text = ResourceBytes(RES_LICENSE, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.rfind("Lizenzbedingungen\r\n", 0), 0u);
  ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
  std::set<std::string> lines;
  int count = 0;
  size_t longest = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    const std::string line = text.substr(at, end - at);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed in: " << line;
    lines.insert(line);
    longest = std::max(longest, line.size());
    ++count;
    at = end + 2;
  }
  EXPECT_EQ(count, 92);
  EXPECT_LE(longest, 60u);  // the memo is 433 px wide at 8 pt
  for (const char* heading : {"1. Nutzungsbedingungen", "2. Weitergabe", "3. Gew\xE4hrleistung und Haftung"})
    EXPECT_EQ(lines.count(heading), 1u) << heading;
}

TEST(ResourcesTest, VersionResourceNamesTheRelease) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  DWORD size = GetFileVersionInfoSizeA(path, nullptr);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(80, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 9));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

  struct Case { const char* key; const char* value; };
  const Case cases[] = {
      {"CompanyName", "Quandelwerk"}, {"ProductName", "Mirvo 98"},
      {"FileDescription", "Setup von Mirvo 98"}, {"FileVersion", "1.80.9.0"},
      {"ProductVersion", "1.80.9.0"},
  };
  for (const Case& c : cases) {
    char* value = nullptr;
    std::string key = std::string("\\StringFileInfo\\040704E4\\") + c.key;
    ASSERT_TRUE(VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << c.key;
    EXPECT_STREQ(value, c.value);
  }
}

TEST(ResourcesTest, ManifestAsksForAdministratorAndKeepsTheClassicControls) {
  const std::string manifest = ResourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
  EXPECT_NE(manifest.find("level=\"requireAdministrator\" uiAccess=\"false\""), std::string::npos);
  EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

// The link texts are autosized labels in Arial 19 px bold; wider than their
// stored boxes they would run into the texts beside them.
TEST(ResourcesTest, LinkTextsFitTheirLabels) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontA(-19, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = "";
  GetTextFaceA(dc, LF_FACESIZE, face);
  // Wine stands in Liberation Sans, which has Arial's widths.
  EXPECT_TRUE(std::string(face) == "Arial" || std::string(face) == "Liberation Sans") << face;
  struct Case { const char* text; LONG width; };
  for (const Case& c : {Case{links::kMakerHostLine, 170}, Case{links::kMakerPathLine, 75},
                        Case{links::kMailAddress, 168}}) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, c.text, -1, &r, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_GT(r.right, 0) << c.text;
    EXPECT_LE(r.right, c.width) << c.text;
  }
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);

  // The labels spell what a click opens, and every host is a reserved one.
  EXPECT_EQ(std::string(links::kMakerUrl), std::string("http://") + links::kMakerHostLine + links::kMakerPathLine);
  EXPECT_EQ(std::string(links::kMailUrl), std::string("mailto:") + links::kMailAddress);
  for (const char* url : {links::kMakerUrl, links::kPartnerUrl}) {
    std::string host = std::string(url).substr(7);
    host = host.substr(0, host.find('/'));
    EXPECT_EQ(host.substr(host.size() - 8), ".example") << url;
  }
  std::string mail = links::kMailAddress;
  EXPECT_EQ(mail.substr(mail.size() - 8), ".example");
}

}  // namespace
