#pragma once
// The icon of a shortcut: the file that holds it and its index in that file.
#include <cstdint>
#include <string>

class TFileIcon {
 public:
  std::string FileName;       // an icon file, a program or a library
  std::int32_t IconIndex = 0;

  // Copies the source's file name, then its icon index.
  void Assign(const TFileIcon& source);
};
