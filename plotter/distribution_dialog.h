// The statistics dialog "Paramètres de la distribution": the figures of the last computation,
// its class table, and a button that prints the dialog's image.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "plotter/stats/histogram.h"

class QLineEdit;
class QPrinter;
class QTableWidget;

namespace vodave {

class Tdistrib : public QDialog {
  Q_OBJECT

 public:
  // Gives the printer that "Imprimer" prints on, or null when there is none.
  using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

  explicit Tdistrib(QWidget* parent = nullptr);

  // Refills the class table (at every drawing) and keeps the figures for ShowDistribution.
  void SetComputation(const ClassTable& table, const DistributionStats& stats);
  // Back to no computation: an empty class table of two rows.
  void Clear();
  // Fills the edits from the last computation and shows the dialog modally.
  void ShowDistribution();
  // Fills the edits from the last computation (blank when there is none).
  void FillEdits();

  // The default factory gives the system's default printer.
  void SetPrinterFactory(PrinterFactory factory);
  // Prints the dialog's image on `printer`, at its size on screen when the page allows it.
  // False when the printer cannot be started.
  bool PrintImage(QPrinter& printer);

 private:
  void BitBtn2Click();
  QLineEdit* AddEdit(const char* name);
  void SetClassRows(int rows);

  std::map<QString, QLineEdit*> edits_;
  QTableWidget* Grid1_;
  std::optional<DistributionStats> stats_;
  PrinterFactory printer_factory_;
};

}  // namespace vodave
