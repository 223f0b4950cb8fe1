#include "Win32ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace platform {

namespace {

// One reference to a COM interface, released exactly once; move-only.
template <class Interface>
class ComPtr {
 public:
  explicit ComPtr(Interface* p) : p_(p) {}
  ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr& operator=(ComPtr&&) = delete;
  Interface* operator->() const { return p_; }

 private:
  Interface* p_;
};

class Win32PersistFile final : public PersistFile {
 public:
  explicit Win32PersistFile(ComPtr<IPersistFile> file) : file_(std::move(file)) {}

  ComResult Save(const std::string& name, bool remember) override {
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH) == 0)
      return HRESULT_FROM_WIN32(GetLastError());
    return file_->Save(wide, remember ? TRUE : FALSE);
  }

 private:
  ComPtr<IPersistFile> file_;
};

class Win32ShellLinkObject final : public ShellLinkObject {
 public:
  explicit Win32ShellLinkObject(ComPtr<IShellLinkA> link) : link_(std::move(link)) {}

  ComResult QueryPersistFile(std::unique_ptr<PersistFile>& file) override {
    IPersistFile* p = nullptr;
    const HRESULT result = link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&p));
    if (SUCCEEDED(result)) {
      ComPtr<IPersistFile> owned(p);
      file = std::make_unique<Win32PersistFile>(std::move(owned));
    }
    return result;
  }
  void SetDescription(const std::string& text) override { link_->SetDescription(text.c_str()); }
  void SetPath(const std::string& path) override { link_->SetPath(path.c_str()); }
  void SetWorkingDirectory(const std::string& dir) override { link_->SetWorkingDirectory(dir.c_str()); }
  void SetArguments(const std::string& args) override { link_->SetArguments(args.c_str()); }
  void SetShowCmd(std::int32_t showCmd) override { link_->SetShowCmd(showCmd); }
  void SetHotkey(std::uint16_t hotkey) override { link_->SetHotkey(hotkey); }
  void SetIconLocation(const std::string& file, std::int32_t index) override {
    link_->SetIconLocation(file.c_str(), index);
  }

 private:
  ComPtr<IShellLinkA> link_;
};

// COM lives in ole32, which brings a dozen more libraries into the process.
// It is loaded when the first shortcut is written, so that starting the setup
// and a run that ends earlier do not pay for it; the restricted DLL search
// takes it from the system folder.
struct Com {
  decltype(&CoInitialize) initialize = nullptr;
  decltype(&CoUninitialize) uninitialize = nullptr;
  decltype(&CoCreateInstance) createInstance = nullptr;
};

template <class Function>
void Bind(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Com& Ole32() {
  static const Com com = [] {
    Com c;
    if (HMODULE module = LoadLibraryA("ole32.dll")) {
      Bind(module, "CoInitialize", c.initialize);
      Bind(module, "CoUninitialize", c.uninitialize);
      Bind(module, "CoCreateInstance", c.createInstance);
    }
    return c;
  }();
  return com;
}

}  // namespace

ComResult Win32ShellLinkApi::Initialize() {
  return Ole32().initialize ? Ole32().initialize(nullptr) : CO_E_NOTINITIALIZED;
}

void Win32ShellLinkApi::Uninitialize() {
  if (Ole32().uninitialize) Ole32().uninitialize();
}

ComResult Win32ShellLinkApi::CreateShellLink(std::unique_ptr<ShellLinkObject>& link) {
  if (!Ole32().createInstance) return REGDB_E_CLASSNOTREG;
  IShellLinkA* p = nullptr;
  const HRESULT result = Ole32().createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                reinterpret_cast<void**>(&p));
  if (SUCCEEDED(result)) {
    ComPtr<IShellLinkA> owned(p);
    link = std::make_unique<Win32ShellLinkObject>(std::move(owned));
  }
  return result;
}

}  // namespace platform
