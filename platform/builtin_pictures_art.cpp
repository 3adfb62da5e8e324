// The settings dialog's larger pictures: the audition speaker, the About tab's banner and logo,
// and the pointer shown over the preview buttons.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "platform/builtin_pictures_draw.h"
#include "runtime/product.h"

namespace forms {

namespace {

// Drawn on nothing, so the dialog's face shows around it.
QImage Speaker() {
  QImage image(17, 16, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath cone;
  cone.moveTo(1.5, 5.5);
  cone.lineTo(4.5, 5.5);
  cone.lineTo(8.5, 2);
  cone.lineTo(8.5, 14);
  cone.lineTo(4.5, 10.5);
  cone.lineTo(1.5, 10.5);
  cone.closeSubpath();
  QLinearGradient g(0, 2, 0, 14);
  g.setColorAt(0, QColor(110, 110, 120));
  g.setColorAt(1, QColor(20, 20, 30));
  p.setPen(QPen(QColor(10, 10, 10), 0.7));
  p.setBrush(g);
  p.drawPath(cone);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 90, 200), 1.1, Qt::SolidLine, Qt::RoundCap));
  for (int wave = 0; wave < 3; ++wave) {  // sound going out
    const double r = 2.2 + wave * 2.2;
    p.drawArc(QRectF(8.5 - r, 8 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
  }
  return image;
}

QFont TitleFont(int pixels, bool bold) {
  QFont font("Liberation Serif");
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

void SmallFish(QPainter& p, QPointF at, double size, const QColor& c, bool right) {
  p.save();
  p.translate(at);
  p.scale(right ? size : -size, size);
  QPainterPath fish;
  fish.moveTo(-4, 0);
  fish.cubicTo(-2, -2.5, 2, -2.5, 4, 0);
  fish.cubicTo(2, 2.5, -2, 2.5, -4, 0);
  fish.moveTo(-3.5, 0);
  fish.lineTo(-6, -2);
  fish.lineTo(-6, 2);
  fish.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(fish);
  p.restore();
}

QImage Banner() {
  QImage image(201, 66, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sea(0, 0, 0, 66);
  sea.setColorAt(0, QColor(60, 170, 220));
  sea.setColorAt(0.6, QColor(15, 70, 140));
  sea.setColorAt(1, QColor(5, 30, 70));
  p.fillRect(image.rect(), sea);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 5; ++i) {  // light falling through the surface
    QLinearGradient ray(0, 0, 0, 60);
    ray.setColorAt(0, QColor(255, 255, 255, 70));
    ray.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(ray);
    const double x = 20 + i * 40;
    p.drawPolygon(
        QPolygonF({QPointF(x, 0), QPointF(x + 12, 0), QPointF(x - 8, 62), QPointF(x - 24, 62)}));
  }
  QPainterPath sand;
  sand.moveTo(0, 66);
  sand.lineTo(0, 58);
  sand.cubicTo(50, 52, 90, 62, 140, 56);
  sand.cubicTo(170, 53, 190, 57, 201, 55);
  sand.lineTo(201, 66);
  QLinearGradient sand_light(0, 52, 0, 66);
  sand_light.setColorAt(0, QColor(220, 195, 140));
  sand_light.setColorAt(1, QColor(150, 120, 70));
  p.setBrush(sand_light);
  p.drawPath(sand);
  p.setBrush(Qt::NoBrush);
  for (const auto& [x, h, c] :
       {std::tuple{12.0, 28.0, QColor(40, 150, 70)}, std::tuple{20.0, 20.0, QColor(70, 170, 60)},
        std::tuple{183.0, 30.0, QColor(40, 140, 80)},
        std::tuple{191.0, 18.0, QColor(90, 170, 60)}}) {
    QPainterPath weed;  // swaying weed
    weed.moveTo(x, 60);
    weed.cubicTo(x - 5, 60 - h / 3, x + 5, 60 - 2 * h / 3, x, 60 - h);
    p.setPen(QPen(c, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(weed);
  }
  p.setPen(Qt::NoPen);
  SmallFish(p, QPointF(40, 48), 1.4, QColor(250, 200, 40), true);
  SmallFish(p, QPointF(160, 44), 1.2, QColor(240, 110, 60), false);
  SmallFish(p, QPointF(150, 52), 0.9, QColor(240, 110, 60), false);
  for (const auto& [x, y, r] : {std::tuple{172.0, 12.0, 2.5}, std::tuple{176.0, 22.0, 1.8},
                                std::tuple{170.0, 31.0, 1.3}, std::tuple{30.0, 14.0, 1.6}}) {
    p.setPen(QPen(QColor(230, 250, 255, 200), 0.8));
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawEllipse(QPointF(x, y), r, r);
  }
  p.setFont(TitleFont(22, true));
  const QRect title(0, 8, 201, 34);
  p.setPen(QColor(0, 20, 50, 160));
  p.drawText(title.translated(2, 2), Qt::AlignCenter, product::kName);
  QLinearGradient gold(0, 14, 0, 36);
  gold.setColorAt(0, QColor(255, 245, 190));
  gold.setColorAt(1, QColor(235, 170, 40));
  p.setPen(QPen(QBrush(gold), 1));
  p.drawText(title, Qt::AlignCenter, product::kName);
  return image;
}

QImage Logo() {
  QImage image(144, 16, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, 144, 0);
  band.setColorAt(0, QColor(10, 50, 110));
  band.setColorAt(1, QColor(30, 130, 190));
  p.fillRect(image.rect(), band);
  SmallFish(p, QPointF(10, 8), 1.1, QColor(250, 200, 40), true);
  QFont font("Liberation Sans");
  font.setPixelSize(11);
  font.setBold(true);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(20, 0, 124, 16), Qt::AlignVCenter | Qt::AlignLeft, "SOLMERE FINBROOK");
  return image;
}

// A pointing hand, white with a dark outline, its fingertip the hotspot.
QImage Pointer() {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath hand;
  hand.moveTo(7, 1.5);  // the index finger, pointing up
  hand.cubicTo(8.5, 1, 9.5, 1.5, 9.5, 3);
  hand.lineTo(9.5, 10);
  hand.cubicTo(10.5, 9, 12.5, 9, 13, 10.5);
  hand.cubicTo(14, 9.5, 16, 9.5, 16.5, 11);
  hand.cubicTo(17.5, 10, 19.5, 10.5, 19.5, 12.5);
  hand.lineTo(19.5, 17);
  hand.cubicTo(19.5, 20, 18, 21.5, 17, 23);  // the palm down to the wrist
  hand.lineTo(9, 23);
  hand.cubicTo(7, 20.5, 4, 17.5, 2.5, 14.5);
  hand.cubicTo(2, 13, 3.5, 12, 5, 13.5);  // the thumb
  hand.lineTo(6.5, 15);
  hand.lineTo(6.5, 3);
  hand.cubicTo(6.5, 2, 6.5, 1.5, 7, 1.5);
  QLinearGradient skin(2, 0, 20, 0);
  skin.setColorAt(0, Qt::white);
  skin.setColorAt(1, QColor(215, 215, 225));
  p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(skin);
  p.drawPath(hand);
  p.setPen(QPen(QColor(80, 80, 90), 0.7));
  for (double x : {13.0, 16.5}) p.drawLine(QPointF(x, 11), QPointF(x, 14.5));  // knuckles
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 100, 190));  // the cuff
  p.drawRoundedRect(QRectF(8.5, 23, 9, 3.5), 1, 1);
  p.end();
  image.setOffset(QPoint(8, 1));
  return image;
}

}  // namespace

void AddDialogArtwork(std::map<std::string, QImage>& pictures) {
  pictures["speaker"] = Speaker();
  pictures["banner"] = Banner();
  pictures["logo"] = Logo();
  pictures["pointer"] = Pointer();
}

}  // namespace forms
