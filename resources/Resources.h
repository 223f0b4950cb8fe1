#pragma once
// Names of the setup program's resources, shared by setup.rc and the C++
// code. Named resources are strings for LoadBitmapA / FindResourceA; the icon
// has a number so that the shell shows it as the program's icon.

// The resource compiler takes names as bare words: quoted names would run
// together with the file name on the line before.
#ifdef RC_INVOKED
#define MIRVO_RES_NAME(name) name
#else
#define MIRVO_RES_NAME(name) #name
#endif

#define IDI_MAINICON 1

// Pictures, 24-bit: the product banner (200 x 50), the maker's logo
// (150 x 50) and the partner's logo (100 x 50).
#define RES_BANNER MIRVO_RES_NAME(BANNER)
#define RES_MAKERLOGO MIRVO_RES_NAME(MAKERLOGO)
#define RES_PARTNERLOGO MIRVO_RES_NAME(PARTNERLOGO)

// Button glyphs, 16 colours, 32 x 16: the normal and the disabled image side
// by side; the lower-left pixel's colour is transparent.
#define RES_GLYPH_OK MIRVO_RES_NAME(GLYPH_OK)
#define RES_GLYPH_CANCEL MIRVO_RES_NAME(GLYPH_CANCEL)
#define RES_GLYPH_INFO MIRVO_RES_NAME(GLYPH_INFO)

// The licence text, RCDATA: Windows-1252, CRLF line ends.
#define RES_LICENSE MIRVO_RES_NAME(LICENSE)

// The release, in the version resource and on the main window.
#define MIRVO_VERSION_NUMBERS 1, 80, 9, 0
#define MIRVO_VERSION_TEXT "1.80.9.0"
#define MIRVO_RELEASE_TEXT "1.80.9"
