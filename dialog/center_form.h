// CenterForm (module System): the two dialogs open in the middle of the screen.
#pragma once

#include "platform/forms.h"

void CenterForm(forms::Form& form);
