// The class labels under the histogram ("Cl. n° k", "Cl. réelle"): level while the widest of
// them fits the room a class has on the axis, turned upright (reading bottom to top) when it
// would not, so that every label reads whole however many classes there are (5 to 20) and
// whatever the window's width.
#pragma once

class QBarCategoryAxis;
class QChart;

namespace vodave {

// Sets `axis`'s label angle for its categories and the width of `chart`'s plot area. Call it
// when the categories change and when the plot area does.
void FitClassLabels(const QChart& chart, QBarCategoryAxis& axis);

}  // namespace vodave
