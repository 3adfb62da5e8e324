// The message dialog messageentry: the one-line text message of the full-screen saver, written to
// the settings file as soon as the user applies it.
#pragma once

#include <optional>
#include <string>

#include "platform/forms.h"
#include "runtime/checked.h"

class MessageEntryForm : public forms::Form {
 public:
  MessageEntryForm();

  // Created in their tab order.
  forms::TextBox Text1{*this};
  forms::CommandButton Apply{*this};
  forms::Label textentry{*this};
  forms::CommandButton Cancel{*this};

  // The text last applied, none before the first Apply: a later loading shows it again, while
  // the settings value in memory stays as start-up read it.
  std::optional<std::string> applied_text;

  void apply_Click();
  void Cancel_Click();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyPress(rt::Integer& KeyAscii) override;
  void Form_QueryUnload(rt::Integer& cancel, rt::Integer unload_mode) override;
};

// The one message dialog of the process, created on first reference.
MessageEntryForm& messageentry();
