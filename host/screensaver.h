// The full-screen saver window ScreenSaver: the frame timer, the song timer, the text message
// and the inputs that end the saver.
#pragma once

#include <vector>

#include "platform/forms.h"
#include "runtime/array.h"
#include "runtime/checked.h"

struct Sprite;

class ScreenSaverForm : public forms::Form {
 public:
  ScreenSaverForm();

  forms::Timer MusicTimer{*this};
  forms::Timer maintimer{*this};
  forms::Label ScreenLabel{*this};

  // Mouse-move events counted so far; never reset.
  rt::Integer MoveCount;

  void maintimer_Timer();

 protected:
  void Form_Initialize() override;
  void Form_Load() override;
  void Form_Click() override;
  void Form_DblClick() override;
  void Form_MouseMove(rt::Integer button, rt::Integer shift, float x, float y) override;
  void Form_KeyDown(rt::Integer keycode, rt::Integer shift) override;
  void Form_QueryUnload(rt::Integer& cancel, rt::Integer unload_mode) override;
  void Form_Unload(rt::Integer& cancel) override;
};

// The one saver window of the process, created on first reference.
ScreenSaverForm& ScreenSaver();
bool ScreenSaverExists();

// Slot i turns true when the (i+1)-th key of the sequence has been typed; slot 7 never does.
inline rt::Array<rt::Integer, 7> KeyProgress;

// The bubbles become hearts (done once, at the seventh key of the sequence).
void BubblesIntoHearts();

// The saver's counter rule: TickCount first, each reset to 0 when it exceeds 1000 or 100.
void AdvanceSaverCounters();
// Steps 1 to 7 of a tick: counters, background, items, coral, clock values, centrepiece and
// front row, composed into BufferDC.
void ComposeFrame();
// The clock values from the local time of day.
void TakeClockValues();
// The build step of the saver's surfaces, before its window opens.
void LoadPics4ScreenSaver();
// The items' records in the order that step builds their surfaces.
std::vector<const Sprite*> ItemsInBuildOrder();
// The flags that gate the frame's drawing, row by row, back to front; an item that draws two
// records (the bottles, the bubble columns) gates two rows in a row.
std::vector<const Sprite*> ItemsInDrawOrder();
