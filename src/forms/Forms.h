#pragma once
// Forms built from layout tables, and the application object that creates
// them and runs the message loop.
#include <cstddef>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "Controls.h"
#include "platform/Errors.h"

namespace forms {

enum TFormBorderStyle { bsSingle, bsDialog };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

enum TModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

// The window itself: caption, client size, frame, title-bar buttons, colour
// and the font that its controls take unless their row names another.
struct FormDef {
  const char* caption = "";
  int clientWidth = 0, clientHeight = 0;
  TFormBorderStyle border = bsSingle;
  unsigned icons = biSystemMenu | biMinimize | biMaximize;
  TColor color = clBtnFace;
  const char* fontName = "MS Sans Serif";
  int fontHeight = 11;
  TFontStyles fontStyle = 0;
  TColor fontColor = clWindowText;
};

using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A top-level window centred on the screen, owned by the application window.
class TForm : public TCustomControl {
 public:
  explicit TForm(const FormDef& def);
  ~TForm() override;

  // Creates the controls of a layout table, parents before their children.
  void Build(const ControlDef* rows, std::size_t count);
  template <std::size_t N>
  void Build(const ControlDef (&rows)[N]) {
    Build(rows, N);
  }
  // One row.
  TControl& Insert(const ControlDef& row);

  TControl* FindComponent(const std::string& name) const;
  // The control of that name and kind; raises platform::Error when there is none.
  template <class T>
  T& Control(const std::string& name) const {
    auto* control = dynamic_cast<T*>(FindComponent(name));
    if (!control) throw platform::Error("No control " + name + " of kind " + typeid(T).name());
    return *control;
  }

  // OnShow runs before the window appears.
  void SetVisible(bool visible) override;
  bool Showing() const override;
  // Shows the form and runs a message loop of its own, with the other windows
  // disabled, until a modal result is set and the close query allows it, or
  // until the application terminates. Returns the modal result.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // A modal form: modal result cancel. Otherwise: close query, hide, and the
  // main form's closing ends the program.
  void Close();
  bool CloseQuery();
  // Paints the whole window now.
  void Repaint();
  // The control that gets the focus when the form is shown.
  void SetActiveControl(TWinControl* control) { activeControl_ = control; }
  // Alt with a character: clicks the windowless control with that accelerator.
  bool DialogChar(char ch);

  TNotifyEvent OnShow;
  TCloseQueryEvent OnCloseQuery;

  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override {}
  void VisibleChanged() override {}

 private:
  void Bind(TControl& control, FormHandler handler);
  void RestoreFocus();

  std::vector<std::unique_ptr<TControl>> components_;
  TWinControl* activeControl_ = nullptr;
  HWND savedFocus_ = nullptr;
  bool modal_ = false;
  int modalResult_ = mrNone;
};

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The common controls; the program calls it first.
  void Initialize();
  // Creates a form and keeps it until the application goes; the first one
  // created this way becomes the main form.
  template <class T>
  void CreateForm(T*& reference) {
    auto form = std::make_unique<T>();
    reference = form.get();
    AddForm(std::move(form));
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and handles messages until the application terminates.
  void Run();
  // Posts the quit message; the loop that takes it ends, and so does the program.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Waits for one message and handles it, with the dialog keys of the form it is for.
  void HandleMessage();
  // Handles the waiting messages and returns.
  void ProcessMessages();

  // The hidden application window: owner of the forms, the shell's owner window.
  HWND Handle() const { return handle_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  // An error that a handler let through: shown in a message box, and the loop goes on.
  void ShowException(const std::string& message);

 private:
  void AddForm(std::unique_ptr<TForm> form);
  void Dispatch(MSG& msg);

  HWND handle_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  TForm* mainForm_ = nullptr;
  std::vector<std::unique_ptr<TForm>> forms_;
};

// The application object in use: the program's one, or a test's.
TApplication& Application();
// Puts another application object in place; returns the previous one (null: the program's own).
TApplication* SetApplication(TApplication* application);

}  // namespace forms
