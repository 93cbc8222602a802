#include "core/cell_help.h"

namespace relakin {

std::string CellHelpText(int col, int row) {
  if (col == 1) {
    if (row == 1) return {};
    return "Editer l'identifiant de l'indiv.; pour indiquer début d'une pop. CTRL + click sur "
           "1ère col. de son premier ind.";
  }
  if (row == 1) return "Editer le nom du locus ";
  return "Editer génotype, 3 car. par allèle (N° max. 999) e.g. 010080; 000 si allèle manquant";
}

std::string ColumnHeadingHelpText(int col) {
  if (col == 1) return "Vous ne pouvez déplacer cette colonne ..";
  return "To move this column Drag it over the desired destination and release the mouse "
         "button.";
}

std::string RowHeadingHelpText(int row) {
  if (row == 1) return "Vous ne pouvez pas déplacer cette ligne ..";
  return "To move this row Drag it over the desired destination and release the mouse button.";
}

bool KeyStartsEditing(int virtualKey) {
  return virtualKey == kKeyF2 || virtualKey == kKeyEnter || (virtualKey >= 48 && virtualKey <= 105);
}

}  // namespace relakin
