#include "editor/conversion_commands.h"

#include <QAction>
#include <QFile>

#include "editor/main_window.h"
#include "widgets/prompt_messages.h"

namespace relakin {

ConversionCommands::ConversionCommands(MainWindow& window) : QObject(&window), window_(window) {
  setObjectName("ConversionCommands");
  const struct {
    const char* action;
    ExportFormat format;
  } items[] = {{"Genpop1", ExportFormat::Genepop},
               {"Fstat1", ExportFormat::Fstat},
               {"BIOSYS1", ExportFormat::Biosys}};
  for (const auto& item : items) {
    connect(window.action(item.action), &QAction::triggered, this,
            [this, format = item.format] { run(format); });
  }
}

const char* ConversionCommands::filter(ExportFormat format) {
  switch (format) {
    case ExportFormat::Genepop:
      return "Fichiers GENEPOP(*.POP)|*.POP|Fichiers texte (*.TXT)|*.TXT";
    case ExportFormat::Fstat:
      return "Fichiers FSTAT (*.DAT)|*.DAT|Fichiers texte (*.TXT)|*.TXT";
    case ExportFormat::Biosys:
      return "Fichiers BIOSYS (*.BIO)|*.BIO|Fichiers texte (*.TXT)|*.TXT";
  }
  return "";
}

void ConversionCommands::run(ExportFormat format) {
  window_.runGuarded([this, format] {
    const FileDialogSpec saveDialog2{filter(format), false, true};
    const std::optional<QString> path = window_.prompts().saveFileName(&window_, saveDialog2);
    if (!path) return;
    PromptMessages messages(window_.prompts(), &window_);
    Export(format, window_.document(), QFile::encodeName(*path).toStdString(), messages);
  });
}

}  // namespace relakin
