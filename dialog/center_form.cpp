#include "dialog/center_form.h"

#include "runtime/errors.h"

// Only the position changes: both dialogs keep the size they were designed with.
void CenterForm(forms::Form& form) {
  rt::Trap("System/CenterForm", [&] {
    const double left = forms::Screen.Width() / 2.0 - form.Width() / 2;
    const double top = forms::Screen.Height() / 2.0 - form.Height() / 2;
    form.Move(left, top);
  });
}
