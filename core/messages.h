// How the core speaks to the user without knowing about windows. The GUI implements it with
// message boxes; tests record what was said. Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace relakin {

class Messages {
 public:
  virtual ~Messages() = default;
  // A plain message box with an OK button.
  virtual void Show(const std::string& text) = 0;
  // A message dialog with the information icon and an OK button.
  virtual void Information(const std::string& text) = 0;
  // A message dialog with a warning icon and an OK button.
  virtual void Warning(const std::string& text) { Information(text); }
};

// Says nothing; for callers that have no one to tell.
class SilentMessages : public Messages {
 public:
  void Show(const std::string&) override {}
  void Information(const std::string&) override {}
};

// Keeps every text in order of arrival; for tests and for messages gathered during a run.
class RecordedMessages : public Messages {
 public:
  void Show(const std::string& text) override { texts.push_back(text); }
  void Information(const std::string& text) override { texts.push_back(text); }
  void Warning(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

}  // namespace relakin
