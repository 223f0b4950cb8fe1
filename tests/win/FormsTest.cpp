// The form library under Wine: real windows, real message loops.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormsTestKit.h"
#include "engine/ProgressCounter.h"
#include "forms/Dialogs.h"
#include "forms/ExtCtrls.h"
#include "forms/StdCtrls.h"
#include "setup/ProgressBarControl.h"

using namespace forms;

namespace {

// Records the mouse messages that its parent routes to it.
class TProbe : public TGraphicControl {
 public:
  struct Seen {
    UINT msg;
    int x, y;
  };
  std::vector<Seen> seen;
  void WndProc(TMessage& message) override {
    seen.push_back({message.Msg, static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))});
    TGraphicControl::WndProc(message);
  }

 protected:
  void Paint() override {}
};

class TTestF : public TForm {
 public:
  TTestF();
  void Clicked(TObject* sender) { clicks.push_back(static_cast<TControl*>(sender)->Name()); }
  // A second handler: each row must call its own.
  void Pressed(TObject* sender) { clicks.push_back("pressed " + static_cast<TControl*>(sender)->Name()); }
  std::vector<std::string> clicks;
  int shows = 0;
  int queries = 0;
  bool allowClose = true;
  bool visibleInShow = true;
};

const FormDef kTestForm{"Testformular", 400, 300, bsSingle, biSystemMenu | biMinimize, clNavy};

constexpr ControlDef kTestRows[] = {
    Row<TPanel>("Panel1").At(10, 10, 200, 200).Flags(ffOuterLowered | ffInnerRaised).Color(clSilver),
    Row<TRadioButton>("RB1").In("Panel1").At(5, 5, 150, 17).Caption("Eins").Flags(ffChecked).On<&TTestF::Clicked>(),
    Row<TEdit>("Edit1").In("Panel1").At(5, 30, 100, 21).Caption("Gr\xFC\xDF" "e").Font("Arial", 13),
    Row<TRadioButton>("RB2").In("Panel1").At(5, 60, 150, 17).Caption("Zwei").On<&TTestF::Clicked>(),
    Row<TSpeedButton>("SB1").In("Panel1").At(5, 90, 80, 25).Caption("&OK").Flags(ffFlat).On<&TTestF::Clicked>(),
    Row<TProbe>("Probe").In("Panel1").At(100, 90, 50, 40).On<&TTestF::Clicked>(),
    Row<TLabel>("Label1").In("Panel1").At(5, 140, 10, 10).Caption("Beschriftung"),
    Row<TLabel>("Label2").In("Panel1").At(100, 160, 90, 10).Caption("rechts").Flags(ffRightJustify),
    Row<TPanel>("Panel2").At(220, 10, 170, 100),
    Row<TRadioButton>("RB3").In("Panel2").At(5, 5, 150, 17).Caption("Drei").On<&TTestF::Clicked>(),
    Row<TRadioButton>("RB4").In("Panel2").At(5, 30, 150, 17).Caption("Vier").On<&TTestF::Clicked>(),
    Row<TMemo>("Memo1").In("Panel2").At(5, 55, 150, 40).Caption("eins\r\nzwei\r\ndrei").Flags(ffReadOnly | ffVScroll),
    Row<TButton>("Button1").At(220, 150, 100, 25).Caption("&Schlie\xDF" "en").On<&TTestF::Pressed>(),
    Row<TProgressBar>("PB1").At(10, 250, 180, 12).Range(0, 350, 1),
};

TTestF::TTestF() : TForm(kTestForm) {
  Build(kTestRows);
  OnShow = [this](TObject*) {
    ++shows;
    visibleInShow = IsWindowVisible(Handle()) != FALSE;
  };
  OnCloseQuery = [this](TObject*, bool& canClose) {
    ++queries;
    canClose = allowClose;
  };
}

const FormDef kDialogForm{"Dialog", 200, 100, bsDialog, 0};

class TDialogF : public TForm {
 public:
  TDialogF() : TForm(kDialogForm) {
    OnCloseQuery = [this](TObject*, bool& canClose) {
      ++queries;
      canClose = allowClose;
    };
  }
  int queries = 0;
  bool allowClose = false;
};

}  // namespace

TEST_F(FormsTest, ShowRunsTheShowEventBeforeTheWindowAppearsAndCloseAsksTheCloseQuery) {
  TTestF form;
  EXPECT_FALSE(form.Showing());
  form.Show();
  EXPECT_TRUE(form.Showing());
  EXPECT_EQ(form.shows, 1);
  EXPECT_FALSE(form.visibleInShow);
  form.Show();  // already shown: no second event
  EXPECT_EQ(form.shows, 1);

  form.allowClose = false;
  form.Close();
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);  // the title bar's close box
  EXPECT_TRUE(form.Showing());
  EXPECT_EQ(form.queries, 2);
  form.allowClose = true;
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Showing());
  EXPECT_TRUE(IsWindow(form.Handle()));  // hidden, not destroyed
  EXPECT_FALSE(app.Terminated());
}

TEST_F(FormsTest, ShowModalDisablesTheOtherWindowsUntilTheModalResultIsAllowed) {
  TTestF owner;
  owner.Show();
  TDialogF dialog;
  bool checked = false;
  Later([&] {
    EXPECT_TRUE(dialog.Showing());
    EXPECT_TRUE(dialog.Modal());
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);  // refused by the close query
  });
  Later([&] {
    EXPECT_TRUE(dialog.Showing());
    EXPECT_EQ(dialog.queries, 1);
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    dialog.allowClose = true;
    dialog.SetModalResult(mrOk);
    checked = true;
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_TRUE(checked);
  EXPECT_EQ(dialog.queries, 2);
  EXPECT_FALSE(dialog.Showing());
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

  // Close on a modal form gives the result cancel.
  Later([&] { dialog.Close(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

// Declining a licence: the dialog's handler terminates the application while
// the main form's show handler waits in the modal loop.
TEST_F(FormsTest, TerminateEndsTheModalLoopWithoutTheCloseQueryAndThenTheProgram) {
  TTestF* main = nullptr;
  TDialogF* dialog = nullptr;
  app.CreateForm(main);
  app.CreateForm(dialog);
  ASSERT_EQ(app.MainForm(), main);
  int result = -1;
  bool showGoesOn = false;
  main->OnShow = [&](TObject*) {
    result = dialog->ShowModal();
    showGoesOn = true;
  };
  Later([&] { app.Terminate(); });
  app.Run();
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(dialog->queries, 0);
  EXPECT_FALSE(dialog->Showing());
  EXPECT_TRUE(showGoesOn);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(FormsTest, ClosingTheMainFormEndsRunWhileOtherFormsOnlyHide) {
  TTestF* main = nullptr;
  TTestF* other = nullptr;
  app.CreateForm(main);
  app.CreateForm(other);
  bool stillRunning = false;
  Later([&] {
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Showing());
  });
  Later([&] {
    stillRunning = true;
    main->Close();
  });
  app.Run();
  EXPECT_TRUE(stillRunning);
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(main->Showing());
}

TEST_F(FormsTest, AnOptionButtonClicksOnlyWhenItBecomesSelectedOnePerParent) {
  TTestF form;
  form.Show();
  auto& rb1 = form.Control<TRadioButton>("RB1");
  auto& rb2 = form.Control<TRadioButton>("RB2");
  auto& rb3 = form.Control<TRadioButton>("RB3");
  EXPECT_TRUE(rb1.Checked());  // selected by the layout, without an event
  EXPECT_TRUE(form.clicks.empty());

  SendMessageA(rb1.Handle(), BM_CLICK, 0, 0);  // already selected
  EXPECT_TRUE(form.clicks.empty());
  SendMessageA(rb2.Handle(), BM_CLICK, 0, 0);
  SendMessageA(rb2.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.clicks, std::vector<std::string>{"RB2"});
  EXPECT_FALSE(rb1.Checked());
  EXPECT_EQ(SendMessageA(rb1.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(rb2.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageA(rb3.Handle(), BM_CLICK, 0, 0);  // another parent, another group
  EXPECT_TRUE(rb2.Checked());
  EXPECT_TRUE(rb3.Checked());
  rb1.SetChecked(true);
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"RB2", "RB3", "RB1"}));
  EXPECT_FALSE(rb2.Checked());
}

TEST_F(FormsTest, ASpeedButtonClicksByMouseAndAltAcceleratorWithoutTakingTheFocus) {
  TTestF form;
  form.Show();
  auto& edit = form.Control<TEdit>("Edit1");
  auto& button = form.Control<TSpeedButton>("SB1");
  HWND panel = form.Control<TPanel>("Panel1").Handle();
  edit.SetFocus();
  ASSERT_TRUE(edit.Focused());

  const int x = button.Left() + 10, y = button.Top() + 10;
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  EXPECT_EQ(GetCaptureControl(), &button);
  SendMessageA(panel, WM_LBUTTONUP, 0, At(x, y));
  EXPECT_EQ(form.clicks, std::vector<std::string>{"SB1"});
  EXPECT_TRUE(edit.Focused());

  // Released off the button: no click.
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  SendMessageA(panel, WM_LBUTTONUP, 0, At(x, y + 40));
  EXPECT_EQ(form.clicks.size(), 1u);

  // Alt+O through the message loop, as the keyboard sends it.
  PostMessageA(edit.Handle(), WM_SYSCHAR, 'o', 1 << 29);
  Pump();
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"SB1", "SB1"}));
  EXPECT_TRUE(edit.Focused());

  button.SetEnabled(false);
  PostMessageA(edit.Handle(), WM_SYSCHAR, 'o', 1 << 29);
  Pump();
  SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  SendMessageA(panel, WM_LBUTTONUP, 0, At(x, y));
  EXPECT_EQ(form.clicks.size(), 2u);
}

TEST_F(FormsTest, TheParentRoutesEveryMouseMessageToTheWindowlessCaptureControl) {
  TTestF form;
  form.Show();
  auto& probe = form.Control<TProbe>("Probe");
  auto& panel = form.Control<TPanel>("Panel1");
  HWND hwnd = panel.Handle();

  SendMessageA(hwnd, WM_MOUSEMOVE, 0, At(110, 100));
  ASSERT_EQ(probe.seen.size(), 1u);
  EXPECT_EQ(probe.seen[0].x, 10);
  EXPECT_EQ(probe.seen[0].y, 10);
  EXPECT_EQ(GetCapture(), nullptr);  // a move alone takes nothing

  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(110, 100));
  EXPECT_EQ(GetCapture(), hwnd);
  EXPECT_EQ(GetCaptureControl(), &probe);
  EXPECT_TRUE(probe.MouseCapture());
  // Over the speed button, and outside the panel: still the probe's, relative to it.
  SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(10, 100));
  SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, At(-30, 500));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, At(-30, 500));
  ASSERT_EQ(probe.seen.size(), 5u);
  EXPECT_EQ(probe.seen[2].x, -90);
  EXPECT_EQ(probe.seen[3].x, -130);
  EXPECT_EQ(probe.seen[3].y, 410);
  EXPECT_EQ(probe.seen[4].msg, static_cast<UINT>(WM_LBUTTONUP));
  EXPECT_TRUE(form.clicks.empty());  // released outside
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(GetCaptureControl(), nullptr);

  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(120, 110));
  SendMessageA(hwnd, WM_LBUTTONUP, 0, At(149, 129));
  EXPECT_EQ(form.clicks, std::vector<std::string>{"Probe"});

  // Another window taking the capture ends the probe's.
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(120, 110));
  SetCapture(form.Control<TEdit>("Edit1").Handle());
  EXPECT_EQ(GetCaptureControl(), &form.Control<TEdit>("Edit1"));
  ReleaseCapture();
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(FormsTest, APushButtonIsPressedByEnterSpaceAndItsAltAccelerator) {
  TTestF form;
  form.Show();
  auto& button = form.Control<TButton>("Button1");
  button.SetFocus();
  ASSERT_TRUE(button.Focused());
  PostMessageA(button.Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(form.clicks, std::vector<std::string>{"pressed Button1"});
  PostMessageA(button.Handle(), WM_KEYDOWN, VK_SPACE, 1);
  PostMessageA(button.Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  Pump();
  EXPECT_EQ(form.clicks.size(), 2u);
  form.Control<TEdit>("Edit1").SetFocus();
  PostMessageA(form.Control<TEdit>("Edit1").Handle(), WM_SYSCHAR, 's', 1 << 29);
  Pump();
  EXPECT_EQ(form.clicks.size(), 3u);
  // Enter on an edit presses nothing.
  form.Control<TEdit>("Edit1").SetFocus();
  PostMessageA(form.Control<TEdit>("Edit1").Handle(), WM_KEYDOWN, VK_RETURN, 1);
  Pump();
  EXPECT_EQ(form.clicks.size(), 3u);
}

TEST_F(FormsTest, TextsKeepTheirBytesAndFontsTheirPixelHeight) {
  TTestF form;
  auto& edit = form.Control<TEdit>("Edit1");
  EXPECT_EQ(edit.Text(), "Gr\xFC\xDF" "e");
  SetWindowTextA(edit.Handle(), "getippt");  // as if typed
  EXPECT_EQ(edit.Text(), "getippt");
  edit.SetText("Gr\xFC\xDF" "e");
  EXPECT_EQ(edit.Text(), "Gr\xFC\xDF" "e");
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit.Handle(), WM_GETFONT, 0, 0));
  LOGFONTA info{};
  ASSERT_TRUE(GetObjectA(font, sizeof info, &info));
  EXPECT_EQ(info.lfHeight, -13);
  EXPECT_STREQ(info.lfFaceName, "Arial");
  // Rows without a font take the form's.
  EXPECT_EQ(form.Control<TRadioButton>("RB1").Font().Name, "MS Sans Serif");
  EXPECT_EQ(form.Control<TRadioButton>("RB1").Font().Height, 11);
  EXPECT_THROW(form.Control<TEdit>("RB1"), platform::Error);
}

TEST_F(FormsTest, LabelsSizeThemselvesToTheirCaption) {
  TTestF form;
  auto& label = form.Control<TLabel>("Label1");
  const int narrow = label.Width();
  EXPECT_GT(narrow, 10);  // sized when loaded
  EXPECT_GT(label.Height(), 10);
  label.SetCaption("Beschriftung mit mehr Text");
  EXPECT_GT(label.Width(), narrow);
  const int height = label.Height();
  label.SetCaption("");  // measured as one blank: the height stays
  EXPECT_EQ(label.Height(), height);
  EXPECT_GT(label.Width(), 0);
  EXPECT_LT(label.Width(), 6);

  auto& right = form.Control<TLabel>("Label2");
  const int rightEdge = right.Left() + right.Width();
  EXPECT_EQ(rightEdge, 190);
  right.SetCaption("viel weiter rechts");
  EXPECT_EQ(right.Left() + right.Width(), rightEdge);
}

TEST_F(FormsTest, APanelDrawsItsBevelsAroundItsColour) {
  TTestF form;
  auto& panel = form.Control<TPanel>("Panel1");
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, panel.Width(), panel.Height());
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(panel.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const int r = panel.Width() - 1, b = panel.Height() - 1;
  // Outer lowered: dark top left, light bottom right; inner raised: the reverse.
  EXPECT_EQ(GetPixel(dc, 0, 50), shadow);
  EXPECT_EQ(GetPixel(dc, 50, 0), shadow);
  EXPECT_EQ(GetPixel(dc, r, 50), light);
  EXPECT_EQ(GetPixel(dc, 50, b), light);
  EXPECT_EQ(GetPixel(dc, 1, 50), light);
  EXPECT_EQ(GetPixel(dc, r - 1, 50), shadow);
  EXPECT_EQ(GetPixel(dc, 50, b - 1), shadow);
  EXPECT_EQ(GetPixel(dc, 180, 180), RGB(0xC0, 0xC0, 0xC0));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(FormsTest, TheProgressBarCountsThroughTheInstallSeam) {
  TTestF form;
  ProgressBarControl bar(form.Control<TProgressBar>("PB1"));
  ProgressCounter model(0, 350, 1);
  ProgressBar* both[] = {&bar, &model};
  for (ProgressBar* p : both) {
    p->StepBy(10);
    for (int i = 0; i < 345; ++i) p->StepIt();
  }
  EXPECT_EQ(bar.Position(), model.Position());
  bar.SetPosition(350);
  EXPECT_EQ(bar.Position(), 350);
  bar.StepBy(-20);
  EXPECT_EQ(bar.Position(), 330);
}

TEST_F(FormsTest, MessageDialogsSpeakGermanAndReturnTheButtonPressed) {
  app.SetTitle("Setup");
  struct Seen {
    std::string caption, yes, no, ok;
  } seen;
  static Seen* target = nullptr;
  static int press = 0;
  target = &seen;
  // Looks at the box from inside its own loop, then presses a button.
  auto inspect = [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    char text[64] = "";
    if (!box || !GetClassNameA(box, text, sizeof text) || lstrcmpA(text, "#32770") != 0) return;
    KillTimer(hwnd, id);
    GetWindowTextA(box, text, sizeof text);
    target->caption = text;
    GetDlgItemTextA(box, IDYES, text, sizeof text);
    target->yes = GetDlgItem(box, IDYES) ? text : "";
    GetDlgItemTextA(box, IDNO, text, sizeof text);
    target->no = GetDlgItem(box, IDNO) ? text : "";
    target->ok = GetDlgItem(box, IDOK) ? "OK" : "";
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(press), reinterpret_cast<LPARAM>(GetDlgItem(box, press)));
  };
  press = IDNO;
  SetTimer(nullptr, 0, 50, inspect);
  EXPECT_EQ(MessageDlg("Wollen Sie wirklich abbrechen?", mtWarning, mbYes | mbNo), mrNo);
  EXPECT_EQ(seen.caption, "Warnung");
  EXPECT_EQ(seen.yes, "&Ja");
  EXPECT_EQ(seen.no, "&Nein");
  press = IDYES;
  SetTimer(nullptr, 0, 50, inspect);
  EXPECT_EQ(MessageDlg("Noch einmal?", mtWarning, mbYes | mbNo), mrYes);

  seen = Seen{};
  press = IDOK;
  SetTimer(nullptr, 0, 50, inspect);
  ShowMessage("Registry Fehler! 010");
  EXPECT_EQ(seen.caption, "Setup");
  EXPECT_EQ(seen.ok, "OK");
  EXPECT_EQ(seen.yes, "");
}

TEST_F(FormsTest, AMemoLeavesTabAndEscapeToTheWindow) {
  TTestF form;
  form.Show();
  auto& memo = form.Control<TMemo>("Memo1");
  memo.SetFocus();
  ASSERT_TRUE(memo.Focused());
  // Left to the edit control, Escape would close the memo's parent panel.
  PostMessageA(memo.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
  Pump();
  EXPECT_TRUE(IsWindow(form.Control<TPanel>("Panel2").Handle()));
  EXPECT_TRUE(form.Showing());
  EXPECT_TRUE(memo.Focused());
  PostMessageA(memo.Handle(), WM_KEYDOWN, VK_TAB, 1);
  Pump();
  EXPECT_FALSE(memo.Focused());
  EXPECT_EQ(memo.Text(), "eins\r\nzwei\r\ndrei");
}
