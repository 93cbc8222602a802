// The core's Messages said through the window's Prompts (UTF-8 texts).
#pragma once

#include "core/messages.h"
#include "widgets/prompts.h"

namespace relakin {

class PromptMessages : public Messages {
 public:
  // `prompts` and `parent` must outlive this object.
  PromptMessages(Prompts& prompts, QWidget* parent) : prompts_(prompts), parent_(parent) {}
  void Show(const std::string& text) override { say(QMessageBox::NoIcon, text); }
  void Information(const std::string& text) override { say(QMessageBox::Information, text); }
  void Warning(const std::string& text) override { say(QMessageBox::Warning, text); }

 private:
  void say(QMessageBox::Icon icon, const std::string& text) {
    prompts_.tell(parent_, icon, QString::fromStdString(text));
  }
  Prompts& prompts_;
  QWidget* parent_;
};

}  // namespace relakin
