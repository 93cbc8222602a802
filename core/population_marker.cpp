#include "core/population_marker.h"

#include "core/codepage.h"
#include "core/population_table.h"
#include "core/quoted_text.h"

namespace relakin {

namespace {

std::string NameText(const Document& doc, std::size_t p) { return ExcerptOf(PopNameOf(doc, p)); }

void RemoveStart(Document& doc, int row, MarkerPrompts& prompts) {
  const std::uint16_t q = FindPopOfStartRow(doc, row);
  if (q < 2) return;
  const std::string question =
      "Supprimer cette pop. (ses indiv. feront partie de la pop " + NameText(doc, q - 1);
  if (!prompts.AskYesNo(question)) return;
  doc.Cells.SetCell(0, row, IndividualLabel(row));
  DeletePopName(doc, q);
}

void InsertStart(Document& doc, int row, MarkerPrompts& prompts, std::size_t capacity) {
  const PopsAround around = FindPopsAround(doc, row);
  const std::string question =
      around.next != 0 ? "Insérer une nouvelle pop entre " + NameText(doc, around.prev) + " et " +
                             NameText(doc, around.next)
                       : "Ajouter une nouvelle pop après " + NameText(doc, around.prev);
  if (!prompts.AskYesNo(question)) return;
  if (doc.NbPops >= capacity) {
    prompts.Show("Nombre de pop max. autorisé dans le tableur " + std::to_string(capacity) +
                 " populations !");
    return;
  }
  const std::string name = Utf8ToCp1252(prompts.AskPopulationName());
  doc.Cells.SetCell(0, row, PopStartLabel(row));
  InsertPopName(doc, name, around.next);
}

}  // namespace

void ToggleMarkerAt(Document& doc, int row, MarkerPrompts& prompts, std::size_t capacity) {
  if (HasPopMarker(doc.Cells.Cells(0, row))) {
    if (row != 2) RemoveStart(doc, row, prompts);
  } else {
    InsertStart(doc, row, prompts, capacity);
  }
  RenumberRows(doc);
}

}  // namespace relakin
