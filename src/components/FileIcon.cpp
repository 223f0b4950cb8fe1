#include "FileIcon.h"

void TFileIcon::Assign(const TFileIcon& source) {
  FileName = source.FileName;
  IconIndex = source.IconIndex;
}
