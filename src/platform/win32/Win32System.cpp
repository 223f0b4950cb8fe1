#include "Win32System.h"

#include <windows.h>

#include <vector>

#include "platform/Errors.h"

namespace platform {

namespace {

HKEY ToHkey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }

std::string LastErrorText() {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      GetLastError(), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length ? std::string(text, length) : std::string();
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result;
}

// A file handle owned exactly once.
class FileStream final : public Stream {
 public:
  explicit FileStream(HANDLE handle) : handle_(handle) {}
  ~FileStream() override { CloseHandle(handle_); }

  std::size_t Read(void* buffer, std::size_t count) override {
    DWORD done = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr))
      throw StreamError("Stream read error. " + LastErrorText());
    return done;
  }

  void Write(const void* buffer, std::size_t count) override {
    DWORD done = 0;
    if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr) || done != count)
      throw StreamError("Stream write error");
  }

  std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override {
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance;
    LARGE_INTEGER position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle_, distance, &position, methods[static_cast<int>(origin)]))
      throw StreamError("Stream seek error. " + LastErrorText());
    return position.QuadPart;
  }

 private:
  HANDLE handle_;
};

// A file handle of the untyped block input/output, closed exactly once.
class Win32RawFile final : public RawFile {
 public:
  explicit Win32RawFile(HANDLE handle) : handle_(handle) {}
  ~Win32RawFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  int Read(void* buffer, std::size_t count, std::size_t& done) override {
    DWORD read = 0;
    const BOOL ok = ReadFile(handle_, buffer, static_cast<DWORD>(count), &read, nullptr);
    done = read;
    return ok ? 0 : static_cast<int>(GetLastError());
  }

  int Write(const void* buffer, std::size_t count, std::size_t& done) override {
    DWORD written = 0;
    const BOOL ok = WriteFile(handle_, buffer, static_cast<DWORD>(count), &written, nullptr);
    done = written;
    return ok ? 0 : static_cast<int>(GetLastError());
  }

  int AtEnd(bool& end) override {
    LARGE_INTEGER zero{};
    LARGE_INTEGER position;
    LARGE_INTEGER size;
    if (!SetFilePointerEx(handle_, zero, &position, FILE_CURRENT) || !GetFileSizeEx(handle_, &size))
      return static_cast<int>(GetLastError());
    end = position.QuadPart >= size.QuadPart;
    return 0;
  }

  int Close() override {
    const BOOL ok = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok ? 0 : static_cast<int>(GetLastError());
  }

 private:
  HANDLE handle_;
};

int OpenRaw(const std::string& name, DWORD access, DWORD share, DWORD disposition, std::unique_ptr<RawFile>& file) {
  HANDLE handle = CreateFileA(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  file = std::make_unique<Win32RawFile>(handle);
  return 0;
}

}  // namespace

KeyHandle Win32RegistryApi::Root(RootKey root) {
  return reinterpret_cast<KeyHandle>(root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
}

bool Win32RegistryApi::OpenKey(KeyHandle base, const std::string& subkey, bool create, KeyHandle& opened) {
  HKEY key = nullptr;
  LONG result;
  if (create) {
    DWORD disposition = 0;
    result = RegCreateKeyExA(ToHkey(base), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nullptr, &key, &disposition);
  } else {
    result = RegOpenKeyExA(ToHkey(base), subkey.c_str(), 0, KEY_ALL_ACCESS, &key);
  }
  if (result != ERROR_SUCCESS) return false;
  opened = reinterpret_cast<KeyHandle>(key);
  return true;
}

void Win32RegistryApi::CloseKey(KeyHandle key) { RegCloseKey(ToHkey(key)); }

ValueType Win32RegistryApi::QueryValue(KeyHandle key, const std::string& name, std::string& data) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return ValueType::Missing;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ValueType::Other;
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
      ERROR_SUCCESS)
    return ValueType::Missing;
  // The stored data need not be terminated; the text ends at the first NUL.
  data.assign(buffer.data());
  return type == REG_SZ ? ValueType::String : ValueType::ExpandString;
}

bool Win32RegistryApi::SetStringValue(KeyHandle key, const std::string& name, const std::string& value) {
  // REG_SZ sizes count the terminator.
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

std::string Win32System::GetCurrentDir() {
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  std::string dir(needed, '\0');
  const DWORD length = GetCurrentDirectoryA(needed, dir.data());
  dir.resize(length < needed ? length : 0);
  return dir;
}

bool Win32System::SetCurrentDir(const std::string& dir) { return SetCurrentDirectoryA(dir.c_str()) != 0; }

bool Win32System::CreateDir(const std::string& dir) { return CreateDirectoryA(dir.c_str(), nullptr) != 0; }

std::unique_ptr<Stream> Win32System::OpenFileStream(const std::string& name) {
  HANDLE handle =
      CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw StreamError("Cannot open file \"" + name + "\". " + LastErrorText());
  return std::make_unique<FileStream>(handle);
}

std::unique_ptr<Stream> Win32System::CreateFileStream(const std::string& name) {
  HANDLE handle = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw StreamError("Cannot create file \"" + name + "\". " + LastErrorText());
  return std::make_unique<FileStream>(handle);
}

// Reading only, so that the setup also runs from a CD-ROM, a write-protected
// disk or a read-only share.
int Win32System::OpenRawFile(const std::string& name, std::unique_ptr<RawFile>& file) {
  return OpenRaw(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, file);
}

int Win32System::CreateRawFile(const std::string& name, std::unique_ptr<RawFile>& file) {
  return OpenRaw(name, GENERIC_WRITE, 0, CREATE_ALWAYS, file);
}

// The shared Windows directory: on a terminal server GetWindowsDirectory may
// name a private one per user, which is no place for the uninstaller.
std::string Win32System::GetWindowsDir() {
  char dir[MAX_PATH + 1] = "";
  const UINT length = GetSystemWindowsDirectoryA(dir, sizeof dir);
  return (length == 0 || length >= sizeof dir) ? std::string() : std::string(dir, length);
}

std::int64_t Win32System::DiskFree(int drive) {
  if (drive < 0 || drive > 26) return -1;
  char root[] = "A:\\";
  root[0] = static_cast<char>('A' + drive - 1);
  ULARGE_INTEGER available;
  ULARGE_INTEGER total;
  ULARGE_INTEGER free;
  if (!GetDiskFreeSpaceExA(drive == 0 ? nullptr : root, &available, &total, &free)) return -1;
  return static_cast<std::int64_t>(free.QuadPart);
}

std::string Win32System::GetProgramsDir() {
  // Loaded when needed: the shell library is large, and only this rare path wants it.
  using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return std::string();
  const auto getFolderPath =
      reinterpret_cast<GetFolderPathFn>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathA")));
  char path[MAX_PATH] = "";
  const bool found = getFolderPath && getFolderPath(nullptr, 0x0002 /* CSIDL_PROGRAMS */, nullptr, 0, path) >= 0;
  FreeLibrary(shell);
  return found ? std::string(path) : std::string();
}

}  // namespace platform
