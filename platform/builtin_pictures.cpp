#include "platform/builtin_pictures.h"

#include "platform/builtin_pictures_draw.h"
#include "platform/forms_qt.h"
#include "platform/unsupported.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <map>

namespace forms {

namespace {

// The error report's 32x33 sign on the dialog's white band: a beetle on a warning triangle.
QImage DrawBugReportPicture() {
  QImage image(32, 33, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  QPainterPath triangle;
  triangle.moveTo(16, 1.5);
  triangle.lineTo(30.5, 30.5);
  triangle.lineTo(1.5, 30.5);
  triangle.closeSubpath();
  p.setPen(QPen(QColor(120, 80, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(255, 204, 0));
  p.drawPath(triangle);

  // Legs first, so the shell covers their roots.
  p.setPen(QPen(QColor(40, 30, 20), 1.2, Qt::SolidLine, Qt::RoundCap));
  for (int side : {-1, 1}) {
    for (int row = 0; row < 3; ++row) {
      const double y = 18 + row * 3.5;
      p.drawLine(QPointF(16 + side * 3, y), QPointF(16 + side * 8.5, y + (row - 1) * 1.5 + 1));
    }
    p.drawLine(QPointF(16 + side * 1.5, 13), QPointF(16 + side * 4.5, 9.5));  // feelers
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 30, 20));
  p.drawEllipse(QPointF(16, 14.5), 3, 2.5);  // head
  p.setBrush(QColor(190, 30, 30));
  p.drawEllipse(QRectF(10.5, 15.5, 11, 12));  // shell
  p.setPen(QPen(QColor(40, 30, 20), 1));
  p.drawLine(QPointF(16, 16), QPointF(16, 27.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 30, 20));
  for (const QPointF spot :
       {QPointF(13.5, 19.5), QPointF(18.5, 19.5), QPointF(13.5, 24), QPointF(18.5, 24)}) {
    p.drawEllipse(spot, 1.2, 1.2);
  }
  return image;
}

BuiltinPicture FromImage(const QImage& drawn) {
  const bool has_alpha = drawn.hasAlphaChannel();
  const QImage image =
      drawn.convertToFormat(has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  BuiltinPicture picture;
  picture.width = image.width();
  picture.height = image.height();
  picture.hotspot_x = drawn.offset().x();
  picture.hotspot_y = drawn.offset().y();
  const auto count = static_cast<std::size_t>(picture.width) * picture.height;
  picture.pixels.reserve(count);
  if (has_alpha) picture.alpha.reserve(count);
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      picture.pixels.push_back(row[x] & 0x00FFFFFF);
      if (has_alpha) picture.alpha.push_back(static_cast<std::uint8_t>(row[x] >> 24));
    }
  }
  return picture;
}

const std::map<std::string, BuiltinPicture>& Pictures() {
  static const std::map<std::string, BuiltinPicture> pictures = [] {
    EnsureApplication();  // the banner and the logo draw text, which needs the fonts
    std::map<std::string, QImage> drawn = {{kBugReportPicture, DrawBugReportPicture()}};
    AddDialogPictures(drawn);
    std::map<std::string, BuiltinPicture> converted;
    for (const auto& [name, image] : drawn) converted[name] = FromImage(image);
    return converted;
  }();
  return pictures;
}

}  // namespace

const BuiltinPicture& FindBuiltinPicture(const std::string& name) {
  const auto found = Pictures().find(name);
  if (found == Pictures().end()) {
    win::Unsupported("FindBuiltinPicture", "a built-in picture named \"" + name + "\"");
  }
  return found->second;
}

std::vector<std::string> BuiltinPictureNames() {
  std::vector<std::string> names;
  for (const auto& entry : Pictures()) names.push_back(entry.first);
  return names;
}

}  // namespace forms
