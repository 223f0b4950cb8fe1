#include "FakeSystem.h"

#include <algorithm>
#include <cstring>

#include "platform/Errors.h"

using platform::KeyHandle;
using platform::ValueType;

namespace {

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::vector<std::string> Split(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path + '\\') {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string path;
  for (const auto& p : parts) path += (path.empty() ? "" : "\\") + p;
  return path;
}

}  // namespace

// ---- registry ---------------------------------------------------------------

std::string FakeRegistry::Path(RootKey root, const std::string& key) {
  auto parts = Split(Upper(key));
  parts.insert(parts.begin(), root == RootKey::LocalMachine ? "HKLM" : "HKCU");
  return Join(parts);
}

std::string FakeRegistry::PathOf(KeyHandle handle) const {
  if (handle == 1) return "HKCU";
  if (handle == 2) return "HKLM";
  auto it = handles_.find(handle);
  return it == handles_.end() ? std::string() : it->second;
}

void FakeRegistry::CreatePath(const std::string& path) {
  std::string prefix;
  for (const auto& part : Split(path)) {
    prefix += (prefix.empty() ? "" : "\\") + part;
    keys_[prefix];
  }
}

void FakeRegistry::PutString(RootKey root, const std::string& key, const std::string& name,
                             const std::string& value) {
  const auto path = Path(root, key);
  CreatePath(path);
  keys_[path][Upper(name)] = {ValueType::String, value};
}

void FakeRegistry::PutOther(RootKey root, const std::string& key, const std::string& name) {
  const auto path = Path(root, key);
  CreatePath(path);
  keys_[path][Upper(name)] = {ValueType::Other, std::string("\x01\0\0\0", 4)};
}

bool FakeRegistry::HasKey(RootKey root, const std::string& key) const { return keys_.count(Path(root, key)) > 0; }

std::optional<std::string> FakeRegistry::GetString(RootKey root, const std::string& key,
                                                   const std::string& name) const {
  auto k = keys_.find(Path(root, key));
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.find(Upper(name));
  if (v == k->second.end() || v->second.type != ValueType::String) return std::nullopt;
  return v->second.data;
}

void FakeRegistry::DenyCreate(RootKey root, const std::string& key) { denyCreate_.insert(Path(root, key)); }

void FakeRegistry::DenyWrite(RootKey root, const std::string& key) { denyWrite_.insert(Path(root, key)); }

KeyHandle FakeRegistry::Root(RootKey root) { return root == RootKey::LocalMachine ? 2 : 1; }

bool FakeRegistry::OpenKey(KeyHandle base, const std::string& subkey, bool create, KeyHandle& opened) {
  const std::string basePath = PathOf(base);
  if (basePath.empty()) return false;
  auto parts = Split(Upper(subkey));
  parts.insert(parts.begin(), basePath);
  const std::string path = Join(parts);
  if (!keys_.count(path)) {
    if (!create) return false;
    for (const auto& denied : denyCreate_)
      if (path == denied || path.rfind(denied + "\\", 0) == 0) return false;
    CreatePath(path);
  }
  opened = next_++;
  handles_[opened] = path;
  return true;
}

void FakeRegistry::CloseKey(KeyHandle key) { handles_.erase(key); }

ValueType FakeRegistry::QueryValue(KeyHandle key, const std::string& name, std::string& data) {
  auto k = keys_.find(PathOf(key));
  if (k == keys_.end()) return ValueType::Missing;
  auto v = k->second.find(Upper(name));
  if (v == k->second.end()) return ValueType::Missing;
  if (v->second.type != ValueType::Other) data = v->second.data;
  return v->second.type;
}

bool FakeRegistry::SetStringValue(KeyHandle key, const std::string& name, const std::string& value) {
  const std::string path = PathOf(key);
  auto k = keys_.find(path);
  if (k == keys_.end() || denyWrite_.count(path)) return false;
  k->second[Upper(name)] = {ValueType::String, value};
  return true;
}

// ---- files ------------------------------------------------------------------

struct FakeSystem::File {
  std::string data;
  std::optional<std::size_t> failReadAt;
  bool open = false;  // by a file stream or a block file being written: not shared
  int readers = 0;    // block files being read, shared among themselves
};

namespace {
// The system's error codes that the fake reports.
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
constexpr int kReadFault = 30;
constexpr int kSharingViolation = 32;
}  // namespace

class FakeSystem::FakeStream final : public platform::Stream {
 public:
  FakeStream(FakeSystem& system, std::shared_ptr<File> file, bool writing)
      : system_(system), file_(std::move(file)), writing_(writing) {
    file_->open = true;
    ++system_.openStreams_;
  }
  ~FakeStream() override {
    file_->open = false;
    --system_.openStreams_;
  }

  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t available = position_ < file_->data.size() ? file_->data.size() - position_ : 0;
    const std::size_t n = std::min(count, available);
    if (file_->failReadAt && position_ + n > *file_->failReadAt) throw platform::StreamError("Stream read error");
    std::memcpy(buffer, file_->data.data() + position_, n);
    position_ += n;
    return n;
  }

  void Write(const void* buffer, std::size_t count) override {
    if (!writing_) throw platform::StreamError("Stream write error");
    std::size_t n = count;
    if (system_.space_) n = std::min<std::size_t>(n, static_cast<std::size_t>(std::max<std::int64_t>(*system_.space_, 0)));
    if (file_->data.size() < position_ + n) file_->data.resize(position_ + n);
    std::memcpy(&file_->data[position_], buffer, n);
    position_ += n;
    if (system_.space_) *system_.space_ -= static_cast<std::int64_t>(n);
    if (n != count) throw platform::StreamError("Stream write error");
  }

  std::int64_t Seek(std::int64_t offset, platform::SeekOrigin origin) override {
    std::int64_t base = 0;
    if (origin == platform::SeekOrigin::Current) base = static_cast<std::int64_t>(position_);
    if (origin == platform::SeekOrigin::End) base = static_cast<std::int64_t>(file_->data.size());
    if (base + offset < 0) throw platform::StreamError("Stream seek error");
    position_ = static_cast<std::size_t>(base + offset);
    return base + offset;
  }

 private:
  FakeSystem& system_;
  std::shared_ptr<File> file_;
  bool writing_;
  std::size_t position_ = 0;
};

class FakeSystem::FakeRawFile final : public platform::RawFile {
 public:
  FakeRawFile(FakeSystem& system, std::shared_ptr<File> file, bool writing)
      : system_(system), file_(std::move(file)), writing_(writing) {
    if (writing_)
      file_->open = true;
    else
      ++file_->readers;
    ++system_.openStreams_;
  }
  ~FakeRawFile() override { Close(); }

  int Read(void* buffer, std::size_t count, std::size_t& done) override {
    done = 0;
    if (writing_) return kAccessDenied;
    const std::size_t available = position_ < file_->data.size() ? file_->data.size() - position_ : 0;
    const std::size_t n = std::min(count, available);
    if (file_->failReadAt && position_ + n > *file_->failReadAt) return kReadFault;
    std::memcpy(buffer, file_->data.data() + position_, n);
    position_ += n;
    done = n;
    return 0;
  }

  // A full disk takes what fits and reports success, as the system does.
  int Write(const void* buffer, std::size_t count, std::size_t& done) override {
    done = 0;
    if (!writing_) return kAccessDenied;
    std::size_t n = count;
    if (system_.space_) n = std::min<std::size_t>(n, static_cast<std::size_t>(std::max<std::int64_t>(*system_.space_, 0)));
    if (file_->data.size() < position_ + n) file_->data.resize(position_ + n);
    std::memcpy(&file_->data[position_], buffer, n);
    position_ += n;
    if (system_.space_) *system_.space_ -= static_cast<std::int64_t>(n);
    done = n;
    return 0;
  }

  int AtEnd(bool& end) override {
    end = position_ >= file_->data.size();
    return 0;
  }

  int Close() override {
    if (closed_) return 0;
    closed_ = true;
    if (writing_)
      file_->open = false;
    else
      --file_->readers;
    --system_.openStreams_;
    return 0;
  }

 private:
  FakeSystem& system_;
  std::shared_ptr<File> file_;
  bool writing_;
  bool closed_ = false;
  std::size_t position_ = 0;
};

FakeSystem::FakeSystem() {
  dirs_.insert("C:");
  dirs_.insert("C:\\WINDOWS");
  dirs_.insert("C:\\WINDOWS\\SYSTEM");
}

FakeSystem::Resolved FakeSystem::Resolve(const std::string& path) const {
  std::string drive = cwd_.substr(0, 2);
  std::string rest = path;
  std::vector<std::string> parts;
  const bool hasDrive = path.size() >= 2 && path[1] == ':';
  if (hasDrive) {
    drive = Upper(path.substr(0, 2));
    rest = path.substr(2);
  }
  const bool absolute = !rest.empty() && rest[0] == '\\';
  if (!absolute && drive == Upper(cwd_.substr(0, 2))) parts = Split(cwd_.substr(2));
  for (const auto& part : Split(rest)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  Resolved r;
  r.display = drive + "\\" + Join(parts);
  r.key = Upper(parts.empty() ? drive : drive + "\\" + Join(parts));
  if (!parts.empty()) {
    parts.pop_back();
    r.parentKey = Upper(parts.empty() ? drive : drive + "\\" + Join(parts));
  }
  return r;
}

bool FakeSystem::Writable(const Resolved& r) const {
  return !r.parentKey.empty() && dirs_.count(r.parentKey) && !readOnly_.count(r.parentKey);
}

void FakeSystem::AddDir(const std::string& dir) {
  const Resolved r = Resolve(dir);
  std::string prefix;
  for (const auto& part : Split(r.key)) {
    prefix += (prefix.empty() ? "" : "\\") + part;
    dirs_.insert(prefix);
  }
}

void FakeSystem::PutFile(const std::string& name, const std::string& data) {
  const Resolved r = Resolve(name);
  AddDir(r.parentKey);
  auto file = std::make_shared<File>();
  file->data = data;
  files_[r.key] = file;
}

bool FakeSystem::DirExists(const std::string& dir) const { return dirs_.count(Resolve(dir).key) > 0; }

bool FakeSystem::FileExists(const std::string& name) const { return files_.count(Resolve(name).key) > 0; }

std::string FakeSystem::FileData(const std::string& name) const {
  auto it = files_.find(Resolve(name).key);
  return it == files_.end() ? std::string() : it->second->data;
}

void FakeSystem::MakeReadOnly(const std::string& dir) { readOnly_.insert(Resolve(dir).key); }

void FakeSystem::FailReadAt(const std::string& name, std::size_t offset) {
  files_.at(Resolve(name).key)->failReadAt = offset;
}

bool FakeSystem::SetCurrentDir(const std::string& dir) {
  if (dir.empty()) return false;
  const Resolved r = Resolve(dir);
  if (!dirs_.count(r.key)) return false;
  cwd_ = r.display;
  return true;
}

bool FakeSystem::CreateDir(const std::string& dir) {
  if (dir.empty()) return false;
  const Resolved r = Resolve(dir);
  if (dirs_.count(r.key) || files_.count(r.key) || !Writable(r)) return false;
  dirs_.insert(r.key);
  return true;
}

std::unique_ptr<platform::Stream> FakeSystem::OpenFileStream(const std::string& name) {
  auto it = files_.find(Resolve(name).key);
  if (it == files_.end() || it->second->open || it->second->readers)
    throw platform::StreamError("Cannot open file \"" + name + "\"");
  return std::make_unique<FakeStream>(*this, it->second, false);
}

std::unique_ptr<platform::Stream> FakeSystem::CreateFileStream(const std::string& name) {
  const Resolved r = Resolve(name);
  auto it = files_.find(r.key);
  if (dirs_.count(r.key) || !Writable(r) || (it != files_.end() && (it->second->open || it->second->readers)))
    throw platform::StreamError("Cannot create file \"" + name + "\"");
  auto file = std::make_shared<File>();
  files_[r.key] = file;
  return std::make_unique<FakeStream>(*this, file, true);
}

int FakeSystem::OpenRawFile(const std::string& name, std::unique_ptr<platform::RawFile>& file) {
  const Resolved r = Resolve(name);
  if (r.parentKey.empty() || !dirs_.count(r.parentKey)) return kPathNotFound;
  if (dirs_.count(r.key)) return kAccessDenied;
  auto it = files_.find(r.key);
  if (it == files_.end()) return kFileNotFound;
  if (it->second->open) return kSharingViolation;
  file = std::make_unique<FakeRawFile>(*this, it->second, false);
  return 0;
}

int FakeSystem::CreateRawFile(const std::string& name, std::unique_ptr<platform::RawFile>& file) {
  const Resolved r = Resolve(name);
  if (r.parentKey.empty() || !dirs_.count(r.parentKey)) return kPathNotFound;
  if (dirs_.count(r.key) || readOnly_.count(r.parentKey)) return kAccessDenied;
  auto it = files_.find(r.key);
  if (it != files_.end() && (it->second->open || it->second->readers)) return kSharingViolation;
  auto created = std::make_shared<File>();
  files_[r.key] = created;
  file = std::make_unique<FakeRawFile>(*this, created, true);
  return 0;
}

std::int64_t FakeSystem::DiskFree(int drive) {
  auto it = diskFree_.find(drive);
  return it == diskFree_.end() ? -1 : it->second;
}
