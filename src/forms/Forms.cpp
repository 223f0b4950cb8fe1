#include "Forms.h"

#include <commctrl.h>

#include <algorithm>

#include "StdCtrls.h"

namespace forms {

namespace {

constexpr char kApplicationClass[] = "MirvoApplication";

TApplication* g_application = nullptr;

// The top-level windows of this thread that a modal form disables.
BOOL CALLBACK DisableWindow(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
  if (hwnd != state->first && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    state->second.push_back(hwnd);
  }
  return TRUE;
}

// Gives the disabled windows back even when the modal loop leaves by an exception.
class DisabledWindows {
 public:
  explicit DisabledWindows(HWND modal) : state_(modal, {}) {
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&state_));
  }
  ~DisabledWindows() {
    for (HWND hwnd : state_.second)
      if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }

 private:
  std::pair<HWND, std::vector<HWND>> state_;
};

}  // namespace

// ---- TForm

TForm::TForm(const FormDef& def) {
  TControl::SetVisible(false);
  SetColor(def.color);
  TFont font;
  font.Name = def.fontName;
  font.Height = def.fontHeight;
  font.Style = def.fontStyle;
  font.Color = def.fontColor;
  SetFont(font);
  SetCaption(def.caption);

  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (def.border == bsDialog) {
    style |= WS_POPUP | DS_MODALFRAME;
    exStyle |= WS_EX_DLGMODALFRAME;
    if (def.icons & biSystemMenu) style |= WS_SYSMENU;
  } else if (def.icons & biSystemMenu) {
    style |= WS_SYSMENU | ((def.icons & biMinimize) ? WS_MINIMIZEBOX : 0) |
             ((def.icons & biMaximize) ? WS_MAXIMIZEBOX : 0);
  }
  RECT frame{0, 0, def.clientWidth, def.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetBounds((GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height);

  CreateWindowExA(exStyle, ClassName(), def.caption, style, Left(), Top(), width, height, Application().Handle(),
                  nullptr, GetModuleHandleA(nullptr), static_cast<TWinControl*>(this));
  if (!handle_) throw platform::Error(std::string("Cannot create the window ") + def.caption);
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

TForm::~TForm() {
  while (!components_.empty()) components_.pop_back();  // children before their parents
}

void TForm::Build(const ControlDef* rows, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) Insert(rows[i]);
}

TControl& TForm::Insert(const ControlDef& row) {
  if (!row.create) throw platform::Error(std::string("Layout row without a kind: ") + row.name);
  if (FindComponent(row.name)) throw platform::Error(std::string("Two controls named ") + row.name);
  TWinControl* parent = row.parent ? &Control<TWinControl>(row.parent) : this;
  std::unique_ptr<TControl> control(row.create());
  control->SetLoading(true);
  control->SetName(row.name);
  TFont font = parent->Font();
  if (row.font.name) font.Name = row.font.name;
  if (row.font.height) font.Height = row.font.height;
  if (row.font.style >= 0) font.Style = static_cast<TFontStyles>(row.font.style);
  if (row.font.color != clDefault) font.Color = row.font.color;
  control->SetFont(font);
  if (row.color != clDefault)
    control->SetColor(row.color);
  else if (control->ParentColor())
    control->SetColor(parent->Color());
  control->SetBounds(row.left, row.top, row.width, row.height);
  if (row.caption) control->SetCaption(row.caption);
  if (row.handler) Bind(*control, row.handler);
  control->Load(row);
  control->SetParent(parent);
  control->SetLoading(false);
  control->Loaded();
  components_.push_back(std::move(control));
  return *components_.back();
}

void TForm::Bind(TControl& control, FormHandler handler) {
  control.AssignEvent([this, handler](TObject* sender) { handler(this, sender); });
}

TControl* TForm::FindComponent(const std::string& name) const {
  for (const auto& control : components_)
    if (control->Name() == name) return control.get();
  return nullptr;
}

void TForm::SetVisible(bool visible) {
  if (!visible) {
    TControl::SetVisible(false);
    ShowWindow(handle_, SW_HIDE);
    return;
  }
  if (!IsWindowVisible(handle_)) {
    savedFocus_ = nullptr;
    if (OnShow) OnShow(this);
    TControl::SetVisible(true);
    ShowWindow(handle_, SW_SHOWNORMAL);
  }
  SetForegroundWindow(handle_);
}

bool TForm::Showing() const { return handle_ && IsWindowVisible(handle_); }

int TForm::ShowModal() {
  if (modal_ || Showing() || !Enabled()) throw platform::Error("A visible window cannot be made modal: " + Caption());
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND previous = GetActiveWindow();
  modal_ = true;
  modalResult_ = mrNone;
  TApplication& application = Application();
  try {
    DisabledWindows disabled(handle_);
    Show();
    while (modalResult_ == mrNone) {
      // A terminating application ends the loop without asking the close query.
      if (!application.Terminated()) application.HandleMessage();
      if (application.Terminated())
        modalResult_ = mrCancel;
      else if (modalResult_ != mrNone && !CloseQuery())
        modalResult_ = mrNone;
    }
  } catch (...) {
    modal_ = false;
    Hide();
    throw;
  }
  // The other windows are enabled again before this one goes, so that the
  // activation returns to them and not to another program.
  Hide();
  modal_ = false;
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return modalResult_;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;  // the modal loop asks the close query
    return;
  }
  if (!CloseQuery()) return;
  Hide();
  if (Application().MainForm() == this) Application().Terminate();
}

void TForm::Repaint() {
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool TForm::DialogChar(char ch) {
  for (const auto& control : components_) {
    auto* graphic = dynamic_cast<TGraphicControl*>(control.get());
    if (graphic && graphic->DialogChar(ch)) return true;
  }
  return false;
}

void TForm::RestoreFocus() {
  auto usable = [this](HWND hwnd) {
    return hwnd && IsWindow(hwnd) && IsChild(handle_, hwnd) && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
  };
  HWND target = savedFocus_;
  if (!usable(target)) target = activeControl_ ? activeControl_->Handle() : nullptr;
  if (!usable(target)) target = GetNextDlgTabItem(handle_, nullptr, FALSE);
  ::SetFocus(usable(target) ? target : handle_);
}

void TForm::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      // Top-level windows do not keep their focused child; forms do, like dialogs.
      if (LOWORD(message.WParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle_, focus)) savedFocus_ = focus;
      } else if (!HIWORD(message.WParam)) {
        RestoreFocus();
      }
      return;
    case DM_GETDEFID: {
      // Enter presses the focused push button.
      HWND focus = GetFocus();
      if (focus && IsChild(handle_, focus) && dynamic_cast<TButton*>(FindControl(focus)))
        message.Result = MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
      return;
    }
    default:
      TCustomControl::WndProc(message);
  }
}

// ---- TApplication

TApplication::TApplication() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  title_ = path;
  title_ = title_.substr(title_.find_last_of("\\/") + 1);
  title_ = title_.substr(0, title_.find_last_of('.'));

  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kApplicationClass;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TApplication::~TApplication() {
  while (!forms_.empty()) forms_.pop_back();
  if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize() {
  // Loaded, not imported: a program's imports are resolved before its first
  // line runs, when the DLL search still looks beside the program; by now the
  // program has restricted it to the system folder.
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  static const InitFn init = [] {
    HMODULE comctl = LoadLibraryA("comctl32.dll");
    return comctl ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")))
                  : nullptr;
  }();
  if (!init) throw platform::Error("Die Standardsteuerelemente des Systems fehlen.");
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  init(&icc);
}

void TApplication::AddForm(std::unique_ptr<TForm> form) {
  if (!mainForm_) mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::Run() {
  try {
    if (mainForm_) mainForm_->Show();
  } catch (const std::exception& e) {
    ShowException(e.what());
  }
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  SetWindowTextA(handle_, title.c_str());
}

void TApplication::ShowException(const std::string& message) {
  MessageBoxA(GetActiveWindow(), message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::Dispatch(MSG& msg) {
  try {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (dynamic_cast<TForm*>(FindControl(root))) {
      auto* form = static_cast<TForm*>(FindControl(root));
      // Windowless buttons have no window for the dialog manager to find.
      if (msg.message == WM_SYSCHAR && form->DialogChar(static_cast<char>(msg.wParam))) return;
      if (IsDialogMessageA(root, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  } catch (const std::exception& e) {
    ShowException(e.what());
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return;
  }
  Dispatch(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return;
    }
    Dispatch(msg);
  }
}

TApplication& Application() {
  if (g_application) return *g_application;
  static TApplication program;
  return program;
}

TApplication* SetApplication(TApplication* application) {
  TApplication* previous = g_application;
  g_application = application;
  return previous;
}

}  // namespace forms
