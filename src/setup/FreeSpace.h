#pragma once
// The main window's free-space display: which drive a target text names and
// how the free bytes read.
#include <cstdint>
#include <string>

// The drive number of the free-space query for a target text: 1 for "a" or
// "A" up to 26 for "z" or "Z". A text that does not begin with a letter (a
// network path, an empty text) names no drive: 0, the current drive, which
// the directory list has made the target's own.
int TargetDriveNumber(const std::string& target);

// "Freier Speicher auf Laufwerk " with the target's first character as typed
// and a colon; "?" stands in for the character of an empty text.
std::string FreeSpaceDriveCaption(const std::string& target);

// Bytes as whole megabytes (2 to the power 20), rounded to the nearest, an
// exact half to the even neighbour; a failed query (-1) reads 0.
std::int64_t BytesToMegabytes(std::int64_t bytes);

// The megabytes followed by " MB".
std::string FreeSpaceCaption(std::int64_t bytes);
