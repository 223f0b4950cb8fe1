#pragma once
// A fresh folder under the temporary folder for one test, removed with all
// it holds when the test ends; the process's current directory is put back.
#include <windows.h>

#include <string>

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    previous_ = current;
    path_ = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
    Remove(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchDir() {
    SetCurrentDirectoryA(previous_.c_str());
    Remove(path_);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  // A folder below it, made with its parents; returns its full path.
  std::string MakeDir(const std::string& relative) const {
    std::string path = path_;
    size_t start = 0;
    while (start <= relative.size()) {
      size_t end = relative.find('\\', start);
      if (end == std::string::npos) end = relative.size();
      path += "\\" + relative.substr(start, end - start);
      CreateDirectoryA(path.c_str(), nullptr);
      start = end + 1;
    }
    return path;
  }

  static void Remove(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = dir + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(path);
        else
          DeleteFileA(path.c_str());
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
  }

 private:
  std::string path_;
  std::string previous_;
};
