#include "plotter/icons.h"

#include <QPainter>

namespace vodave {

QPixmap ProgramPixmap() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  const int heights[] = {8, 16, 26, 18, 10};
  for (int i = 0; i < 5; ++i) {
    p.setBrush(i == 2 ? QColor(255, 0, 0) : QColor(255, 255, 255));
    p.drawRect(2 + i * 6, 30 - heights[i], 5, heights[i]);
  }
  p.drawLine(1, 30, 31, 30);
  return pixmap;
}

QIcon ProgramIcon() { return QIcon(ProgramPixmap()); }

QIcon PrinterIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.drawRect(4, 1, 7, 5);  // paper going in
  p.setBrush(QColor(160, 160, 160));
  p.drawRect(1, 6, 13, 6);  // body
  p.setBrush(Qt::white);
  p.drawRect(4, 10, 7, 5);  // paper coming out
  p.setPen(QColor(0, 160, 0));
  p.drawPoint(12, 8);
  return QIcon(pixmap);
}

}  // namespace vodave
