// The preview window PreviewScreen: a six-cell picture loop inside the Display Properties window.
#pragma once

#include "platform/forms.h"

class PreviewScreenForm : public forms::Form {
 public:
  PreviewScreenForm();

  forms::Timer previewtimer{*this};

  void previewtimer_Timer();

 protected:
  void Form_Initialize() override;
  void Form_Load() override;
  void Form_Unload(rt::Integer& cancel) override;
};

// The one preview window of the process, created on first reference.
PreviewScreenForm& PreviewScreen();
