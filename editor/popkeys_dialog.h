// "Edition des noms des populations :": one row per population with its name (editable, at
// most 20 letters, digits or blanks typed), its first individual and its size. Made for one
// command. The grid is filled each time the dialog is shown, so names typed before switching
// to another window stay. OK stores the names in the document; Close stores nothing.
#pragma once

#include <QDialog>

#include "core/document.h"

class QPushButton;
class QTableWidget;

namespace relakin {

class PopKeysDialog : public QDialog {
  Q_OBJECT

 public:
  // `doc` must outlive the dialog.
  explicit PopKeysDialog(Document& doc, QWidget* parent = nullptr);

  QTableWidget* grid() const { return grid_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* closeButton() const { return close_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fill();
  void store();

  Document& doc_;
  QTableWidget* grid_;
  QPushButton* ok_;
  QPushButton* close_;
};

}  // namespace relakin
