// vodave's windows, created in their order of start-up and alive until the program ends.
#pragma once

#include "plotter/about_box.h"
#include "plotter/class_dialog.h"
#include "plotter/distribution_dialog.h"
#include "plotter/main_window.h"
#include "widgets/window_frame.h"

namespace vodave {

struct PlotterWindows {
  PlotterWindows() {
    Form1.SetDialogs(&AboutBox, &BtnRightDlg, &distrib);
    for (QWidget* dialog : {static_cast<QWidget*>(&AboutBox), static_cast<QWidget*>(&BtnRightDlg),
                            static_cast<QWidget*>(&distrib)})
      relakin::KeepFirstPlace(*dialog);
  }

  TForm1 Form1;
  TAboutBox AboutBox;
  TBtnRightDlg BtnRightDlg;
  Tdistrib distrib;
};

}  // namespace vodave
