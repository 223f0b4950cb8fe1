// Any file names and shell-folder paths through the shortcut component's
// normalising setters: no crash, and the rules hold for whatever comes in.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FakeSystem.h"
#include "components/ShellLnk.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string FilePart(const std::string& path) {
  const auto cut = path.find_last_of("\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool EndsInLnk(const std::string& name) {
  return name.size() >= 4 && Upper(name.substr(name.size() - 4)) == ".LNK" &&
         FilePart(name).size() > 4;
}

// Splits the input at NUL bytes: a folder path, then names and folder choices.
std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) fields.emplace_back();
    else fields.back() += static_cast<char>(data[i]);
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = Fields(data, size);
  ScopedFakeSystem sys;
  for (int f = 1; f < 11; ++f)
    sys->Reg().PutString(platform::RootKey::CurrentUser, kShellFolders, ShellFolderNames[f], fields[0]);
  TPBShellLink link;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    const std::string& field = fields[i];
    if (!field.empty() && static_cast<unsigned char>(field[0]) < 11 && field.size() == 1) {
      // A one-byte field picks a folder: the name moves there, without the ".lnk" rule.
      const std::string before = link.FileName();
      const auto folder = static_cast<TShellFolder>(field[0]);
      const bool changed = folder != link.ShellFolder();
      link.SetShellFolder(folder);
      if (changed && folder != sfNone && link.FileName() != fields[0] + "\\" + FilePart(before)) std::abort();
      if ((!changed || folder == sfNone) && link.FileName() != before) std::abort();
      continue;
    }
    const std::string before = link.FileName();
    link.SetFileName(field);
    const std::string& after = link.FileName();
    if (field == before) {
      if (after != before) std::abort();  // the same value changes nothing
    } else if (!after.empty() && !EndsInLnk(after)) {
      std::abort();  // a set name always ends in ".lnk" after a file part
    }
    if (link.ShellFolder() == sfNone && field != before && EndsInLnk(field) && after != field) std::abort();
  }
  return 0;
}
