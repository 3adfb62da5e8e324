#include "scene_match.h"

#include <QColor>

namespace e2e {

QImage MediaPicture(const std::string& name) {
  return QImage(QString::fromStdString(std::string(FINBROOK_MEDIA_DIR) + "/" + name))
      .convertToFormat(QImage::Format_RGB32);
}

double CellMatch(const QImage& shot, const QImage& sheet, int cell_x, int width, int height, int x,
                 int y) {
  int opaque = 0, shown = 0;
  for (int dy = 0; dy < height; ++dy) {
    for (int dx = 0; dx < width; ++dx) {
      const QRgb p = sheet.pixel(cell_x + dx, dy) & 0xFFFFFF;
      if (p == 0) continue;
      const int sx = x + dx, sy = y + dy;
      if (sx < 0 || sy < 0 || sx >= shot.width() || sy >= shot.height()) continue;
      ++opaque;
      if ((shot.pixel(sx, sy) & 0xFFFFFF) == p) ++shown;
    }
  }
  return opaque == 0 ? 0.0 : static_cast<double>(shown) / opaque;
}

int BestCell(const QImage& shot, const QImage& sheet, int cells, int width, int height, int x,
             int y) {
  int best = 0;
  double best_match = -1;
  for (int c = 0; c < cells; ++c) {
    const double m = CellMatch(shot, sheet, c * width, width, height, x, y);
    if (m > best_match) {
      best_match = m;
      best = c;
    }
  }
  return best;
}

double BestCellMatch(const QImage& shot, const QImage& sheet, int cells, int width, int height,
                     int x, int y) {
  const int c = BestCell(shot, sheet, cells, width, height, x, y);
  return CellMatch(shot, sheet, c * width, width, height, x, y);
}

bool AllBlack(const QImage& shot) {
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if ((shot.pixel(x, y) & 0xFFFFFF) != 0) return false;
  return true;
}

}  // namespace e2e
