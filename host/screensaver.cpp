// The saver window. Opening it (Run_ScreenSaver loads it) runs the load steps first — black
// surface, frame timer on, maximised, shown — and then the initialisation steps, which set the
// frame interval, start the songs and sound effects and place the text message. Every input
// that ends the saver goes through Form_QueryUnload, where the Windows 95 password is asked.
#include "host/screensaver.h"

#include "audio/sounds.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/password.h"
#include "platform/user32.h"
#include "runtime/conversions.h"
#include "runtime/product.h"
#include "runtime/random.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

namespace {

ScreenSaverForm* the_saver = nullptr;

// The seven letters that turn the bubbles into hearts, as virtual-key codes ("MERMAID").
// Slot 7 holds 0, which no key event carries, so every key after the full sequence closes.
rt::Array<rt::Integer, 7> KeySequence() {
  rt::Array<rt::Integer, 7> seq;
  seq(0) = 0x4D;  // M
  seq(1) = 0x45;  // E
  seq(2) = 0x52;  // R
  seq(3) = 0x4D;  // M
  seq(4) = 0x41;  // A
  seq(5) = 0x49;  // I
  seq(6) = 0x44;  // D
  seq(7) = 0;
  return seq;
}

}  // namespace

ScreenSaverForm& ScreenSaver() {
  if (!the_saver) the_saver = new ScreenSaverForm;  // lives until the process ends
  return *the_saver;
}

bool ScreenSaverExists() {
  return the_saver != nullptr;
}

ScreenSaverForm::ScreenSaverForm() {
  SetCaption(product::kTitle);
  SetBorderStyle(forms::BorderStyle::None);
  SetBackColor(win::RGB(0, 0, 0));
  SetScaleMode(forms::ScaleMode::Pixel);
  MusicTimer.SetEnabled(false);
  MusicTimer.SetInterval(10000);
  MusicTimer.OnTimer = [this] { MusicTimer_Timer(MusicTimer); };
  maintimer.SetEnabled(false);
  maintimer.SetInterval(1);
  maintimer.OnTimer = [this] { maintimer_Timer(); };
  ScreenLabel.SetVisible(false);
  ScreenLabel.SetAutoSize(true);
  ScreenLabel.SetAlignment(forms::Alignment::Center);
  ScreenLabel.SetBackColor(win::RGB(0, 0, 0));
  ScreenLabel.SetForeColor(win::RGB(128, 128, 255));
  ScreenLabel.SetFont(forms::Font{"Arial", 12, true});
  ScreenLabel.SetCaption("INSERT TEXT MESSAGE HERE");
}

void ScreenSaverForm::Form_Load() {
  rt::Trap("ScreenSaver/Form_Load", [&] {
    win::BitBlt(hDC(), 0, 0, ScreenWidth.Value(), ScreenHeight.Value(), 0, 0, 0,
                win::Rop::BLACKNESS);
    maintimer.SetEnabled(true);
    SetWindowState(forms::WindowState::Maximized);
    Show();
  });
}

void ScreenSaverForm::Form_Initialize() {
  rt::Trap("ScreenSaver/Form_Initialize", [&] {
    // The first use of a control brings the window up, so the load steps run before these.
    Load();
    maintimer.SetInterval(FrameInterval);
    Initialize_Songs(MusicTimer);
    Initialize_SoundFX();
    if (!MessageText.empty() && rt::IsTrue(MessageOn)) {
      ScreenLabel.SetCaption("  " + MessageText + "  ");
      ScreenLabel.SetLeft(ScreenWidth / 2 - ScreenLabel.Width() / 2);
      ScreenLabel.SetTop(ScreenHeight.AsDouble() - ScreenLabel.Height() - 40);
      ScreenLabel.SetVisible(true);
    }
  });
}

void ScreenSaverForm::Form_Click() {
  if (RunMode == 1) Unload();
}

void ScreenSaverForm::Form_DblClick() {
  if (RunMode == 1) Unload();
}

void ScreenSaverForm::Form_MouseMove(rt::Integer, rt::Integer, float, float) {
  if (!rt::IsTrue(ExitOnMouseMove) || RunMode != 1) return;
  if (MoveCount > 3) {
    Unload();
  } else {
    MoveCount += 1;
  }
}

void ScreenSaverForm::Form_KeyDown(rt::Integer keycode, rt::Integer) {
  // Kept as it always was: the context names the settings dialog's form.
  rt::Trap("Configuration/Form_Keydown", [&] {
    const auto sequence = KeySequence();
    int i = 0;
    while (rt::IsTrue(KeyProgress(i))) ++i;
    if (keycode == sequence(i)) {
      KeyProgress(i) = rt::kTrue;
      if (i == 6) BubblesIntoHearts();
    } else {
      Unload();
    }
  });
}

void ScreenSaverForm::Form_QueryUnload(rt::Integer& cancel, rt::Integer) {
  rt::Trap("ScreenSaver/Form_QueryUnload", [&] {
    if (RunMode == 1 && WinVersion == "95" && UsePassword == 1) {
      win::ShowCursor(true);
      if (win::VerifyScreenSavePwd(hWnd()) == 0) cancel = rt::kTrue;
      win::ShowCursor(false);
    }
  });
}

void ScreenSaverForm::Form_Unload(rt::Integer&) {
  X_Cleanup_And_End();
}

void BubblesIntoHearts() {
  if (!rt::IsTrue(BubblesLeft(1).Visible) || !rt::IsTrue(FileInstallCheck(DataDir + "a_heart.bmp")))
    return;
  for (auto* column : {&BubblesRight, &BubblesLeft}) {
    for (int i = 1; i <= 50; ++i) {
      Sprite& bubble = (*column)(i);
      bubble.Width = 15;
      bubble.Height = 14;
      bubble.StripOffset = 0;
      bubble.Frames = 8;
      rt::Randomize();
      bubble.Frame = RandomStartFrame(bubble.Frames);
    }
    (*column)(1).ImageFile = "a_heart.bmp";
    (*column)(1).Installed = rt::kTrue;
  }
  GenerateDC(BubblesLeft(1));
}
