#pragma once
// An in-memory double of the shell link object: it records every call in
// order, as one line each, and can fail CoInitialize, CoCreateInstance,
// QueryInterface or Save with a given result. Saved shortcuts are kept by
// file name with the values they were saved with.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ShellLinkApi.h"

class FakeShellLinks final : public platform::ShellLinkApi {
 public:
  struct Shortcut {
    std::string description, path, workingDir, arguments, iconFile;
    std::int32_t showCmd = 0, iconIndex = 0;
    std::uint16_t hotkey = 0;
  };

  platform::ComResult initializeResult = 0;
  platform::ComResult createResult = 0;
  platform::ComResult queryResult = 0;
  platform::ComResult saveResult = 0;

  std::vector<std::string> calls;
  std::map<std::string, Shortcut> saved;

  platform::ComResult Initialize() override {
    calls.push_back("CoInitialize");
    return initializeResult;
  }
  void Uninitialize() override { calls.push_back("CoUninitialize"); }
  platform::ComResult CreateShellLink(std::unique_ptr<platform::ShellLinkObject>& link) override {
    calls.push_back("CoCreateInstance");
    if (!platform::ComFailed(createResult)) link = std::make_unique<Link>(*this);
    return createResult;
  }

 private:
  class File final : public platform::PersistFile {
   public:
    File(FakeShellLinks& owner, std::shared_ptr<const Shortcut> values) : owner_(owner), values_(std::move(values)) {}
    ~File() override { owner_.calls.push_back("Release IPersistFile"); }
    platform::ComResult Save(const std::string& name, bool remember) override {
      owner_.calls.push_back("Save " + name + (remember ? " TRUE" : " FALSE"));
      if (!platform::ComFailed(owner_.saveResult)) owner_.saved[name] = *values_;
      return owner_.saveResult;
    }

   private:
    FakeShellLinks& owner_;
    std::shared_ptr<const Shortcut> values_;  // the object outlives either of its interfaces
  };

  class Link final : public platform::ShellLinkObject {
   public:
    explicit Link(FakeShellLinks& owner) : owner_(owner) {}
    ~Link() override { owner_.calls.push_back("Release IShellLinkA"); }
    platform::ComResult QueryPersistFile(std::unique_ptr<platform::PersistFile>& file) override {
      owner_.calls.push_back("QueryInterface IPersistFile");
      if (!platform::ComFailed(owner_.queryResult)) file = std::make_unique<File>(owner_, values_);
      return owner_.queryResult;
    }
    void SetDescription(const std::string& text) override {
      Record("SetDescription " + text);
      values_->description = text;
    }
    void SetPath(const std::string& path) override {
      Record("SetPath " + path);
      values_->path = path;
    }
    void SetWorkingDirectory(const std::string& dir) override {
      Record("SetWorkingDirectory " + dir);
      values_->workingDir = dir;
    }
    void SetArguments(const std::string& args) override {
      Record("SetArguments " + args);
      values_->arguments = args;
    }
    void SetShowCmd(std::int32_t showCmd) override {
      Record("SetShowCmd " + std::to_string(showCmd));
      values_->showCmd = showCmd;
    }
    void SetHotkey(std::uint16_t hotkey) override {
      Record("SetHotkey " + std::to_string(hotkey));
      values_->hotkey = hotkey;
    }
    void SetIconLocation(const std::string& file, std::int32_t index) override {
      Record("SetIconLocation " + file + "," + std::to_string(index));
      values_->iconFile = file;
      values_->iconIndex = index;
    }

   private:
    void Record(const std::string& call) { owner_.calls.push_back(call); }
    FakeShellLinks& owner_;
    std::shared_ptr<Shortcut> values_ = std::make_shared<Shortcut>();
  };
};

// Installs a FakeShellLinks for the lifetime of a test and takes it out again.
class ScopedFakeShellLinks {
 public:
  ScopedFakeShellLinks() : previous_(platform::SetShellLinks(&api_)) {}
  ~ScopedFakeShellLinks() { platform::SetShellLinks(previous_); }
  FakeShellLinks* operator->() { return &api_; }

 private:
  FakeShellLinks api_;
  platform::ShellLinkApi* previous_;
};
