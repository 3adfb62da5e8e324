// The Display Properties preview: one 152x112 cell of "a_preview.bmp" every 190 ms, centred in
// the host's preview area on black. No scene, no sound: this mode only shows the loop.
#include "host/preview_screen.h"

#include "host/starter.h"
#include "runtime/conversions.h"
#include "sprites/animations.h"
#include "sprites/surfaces.h"

PreviewScreenForm& PreviewScreen() {
  static PreviewScreenForm* form = new PreviewScreenForm;  // lives until the process ends
  return *form;
}

PreviewScreenForm::PreviewScreenForm() {
  SetBorderStyle(forms::BorderStyle::None);
  SetBackColor(win::RGB(0, 0, 0));
  SetScaleMode(forms::ScaleMode::Pixel);
  previewtimer.SetEnabled(false);
  previewtimer.SetInterval(190);
  previewtimer.OnTimer = [this] { previewtimer_Timer(); };
}

void PreviewScreenForm::Form_Initialize() {
  rt::Trap("PreviewScreen/Form_Initialize", [] {
    PreviewSprite.StripOffset = 0;
    PreviewSprite.StripOffsetY = 0;
    PreviewSprite.Width = 152;
    PreviewSprite.Height = 112;
    PreviewSprite.Frame = 1;
    PreviewSprite.Frames = 6;
    PreviewSprite.X = rt::CLng((PreviewRect.Right - PreviewRect.Left) / 2 - 152 / 2.0);
    PreviewSprite.Y =
        rt::CLng((PreviewRect.Bottom - PreviewRect.Top) / 2 - PreviewSprite.Height / 2);
    PreviewSprite.ImageFile = "a_preview.bmp";
    GenerateDC(PreviewSprite);
  });
}

void PreviewScreenForm::Form_Load() {
  previewtimer.SetEnabled(true);
}

void PreviewScreenForm::previewtimer_Timer() {
  rt::Trap("PreviewScreen/PreviewTimer", [&] {
    PreviewSprite.Frame += 1;
    if (PreviewSprite.Frame == PreviewSprite.Frames) PreviewSprite.Frame = 0;
    const rt::Long src_x = PreviewSprite.Frame * PreviewSprite.Width + PreviewSprite.StripOffset;
    win::BitBlt(hDC(), PreviewSprite.X.Value(), PreviewSprite.Y.Value(),
                PreviewSprite.Width.Value(), PreviewSprite.Height.Value(), PreviewSprite.ImageDC,
                src_x.Value(), PreviewSprite.StripOffsetY.Value(), win::Rop::SRCCOPY);
    Refresh();
  });
}

void PreviewScreenForm::Form_Unload(rt::Integer&) {
  X_Cleanup_And_End();
}
