// The settings dialog's built-in pictures: one small icon a preview button (the "More..." tab's
// in builtin_pictures_icons_more.cpp), the audition speaker, the About tab's banner and logo,
// and the preview buttons' pointer. Each is drawn on a QPainter with antialiasing; the shapes
// are made to read at their tiny sizes (a strong outline of the creature's silhouette, one or
// two marks that tell it apart).
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <map>

#include "platform/builtin_pictures_draw.h"
#include "platform/builtin_pictures_icon_kit.h"

namespace forms {

namespace {

using namespace icons;

const std::map<std::string, IconDraw>& Icons() {
  static const std::map<std::string, IconDraw> by_name = [] {
    std::map<std::string, IconDraw> all = {
        {"icon_whale",
         [](QPainter& p) {  // the square-headed sperm whale
           const QColor c(80, 90, 110);
           QPainterPath body;
           body.moveTo(1, 7);
           body.lineTo(3, 9.5);
           body.cubicTo(6, 13, 12, 13.5, 16, 12.5);
           body.lineTo(16, 6.5);
           body.cubicTo(12, 5, 7, 6, 3, 8.5);
           body.lineTo(1, 10.5);
           body.closeSubpath();
           Outline(p, c);
           p.setBrush(Lit(QRectF(1, 5, 15, 9), c));
           p.drawPath(body);
           p.setPen(QPen(QColor(200, 205, 215), 0.7));
           p.drawLine(QPointF(11, 12.6), QPointF(15.5, 12.3));  // the narrow jaw
           Eye(p, QPointF(12.5, 9.2), 0.6);
         }},
        {"icon_manatee",
         [](QPainter& p) {
           const QColor c(135, 125, 115);
           Outline(p, c);
           p.setBrush(Shade(c, 85));
           p.drawEllipse(QRectF(0.5, 6.5, 5, 5.5));  // the round paddle tail
           p.setBrush(Lit(QRectF(3, 5, 12, 8), c));
           p.drawEllipse(QRectF(3, 5, 11, 8));
           p.drawEllipse(QRectF(11.5, 6.8, 5, 4.5));  // the blunt snout
           p.setBrush(Shade(c, 75));
           p.drawEllipse(QRectF(9, 11, 3, 2.5));  // flipper
           p.setPen(QPen(Shade(c, 50), 0.5));
           p.drawPoint(QPointF(15.8, 9.5));
           Eye(p, QPointF(13.2, 7.9), 0.45);
         }},
        {"icon_orca",
         [](QPainter& p) {
           const QColor black(25, 25, 35);
           SharkBody(p, black, QColor(245, 245, 250));
           p.setPen(Qt::NoPen);
           p.setBrush(Qt::white);
           p.drawEllipse(QRectF(11, 7.2, 2.6, 1.3));  // the white eye patch
           p.setBrush(black);
           QPainterPath fin;  // a taller fin than a shark's
           fin.moveTo(7, 7.3);
           fin.lineTo(8.5, 1.5);
           fin.lineTo(10, 7.3);
           p.drawPath(fin);
         }},
        {"icon_octopus",
         [](QPainter& p) {
           const QColor c(205, 70, 45);
           p.setPen(QPen(Shade(c, 80), 1.5, Qt::SolidLine, Qt::RoundCap));
           p.setBrush(Qt::NoBrush);
           for (int i = 0; i < 5; ++i) {
             const double x = 3.5 + i * 2.5;
             const double bend = (i % 2 ? 1.8 : -1.8);
             QPainterPath arm;
             arm.moveTo(x, 8);
             arm.cubicTo(x + bend, 11, x - bend, 13, x + bend * 0.8, 15.5);
             p.drawPath(arm);
           }
           Outline(p, c);
           p.setBrush(Lit(QRectF(3, 1, 11, 9), c));
           p.drawEllipse(QRectF(3, 1, 11, 9.5));
           Eye(p, QPointF(6.5, 6.5), 0.8);
           Eye(p, QPointF(10.5, 6.5), 0.8);
         }},
        {"icon_hammerhead",
         [](QPainter& p) {
           const QColor c(120, 130, 140);
           SharkBody(p, c, QColor(225, 225, 225));
           // the hammer tilted across the nose, lit on top, wider than the body and dark-edged
           QPainterPath hammer;
           hammer.moveTo(11.4, 3.4);
           hammer.cubicTo(12.2, 1.6, 14.2, 2.4, 13.6, 4);
           hammer.lineTo(15.8, 13.4);
           hammer.cubicTo(16.2, 15.4, 14, 15.8, 13.6, 14.2);
           hammer.lineTo(12.4, 9.6);
           hammer.lineTo(11.2, 4.6);
           hammer.closeSubpath();
           p.setPen(QPen(Shade(c, 40), 0.7));
           p.setBrush(Lit(QRectF(11, 2.5, 5, 13), Shade(c, 120)));
           p.drawPath(hammer);
           Eye(p, QPointF(12.5, 3.3), 0.6);
           Eye(p, QPointF(14.8, 14.4), 0.65);
         }},
        {"icon_tuna",
         [](QPainter& p) {
           FishBody(p, 3, 16.5, 8.5, 3.6, QColor(60, 90, 150));
           p.setPen(Qt::NoPen);
           p.setBrush(QColor(250, 210, 40));
           for (int i = 0; i < 3; ++i) {  // the yellow finlets
             p.drawRect(QRectF(4 + i * 1.4, 5.4, 0.8, 0.9));
             p.drawRect(QRectF(4 + i * 1.4, 10.8, 0.8, 0.9));
           }
           p.setBrush(QColor(210, 220, 230, 170));
           p.drawEllipse(QRectF(7, 9, 8, 2.2));  // silver flank
           Eye(p, QPointF(13.7, 8), 0.6);
         }},
        {"icon_shark",
         [](QPainter& p) {
           SharkBody(p, QColor(50, 100, 200), QColor(235, 240, 250));
           Eye(p, QPointF(13.5, 8.3), 0.45);
         }},
        {"icon_swimmaid",
         [](QPainter& p) {
           const QColor tail(30, 160, 120);
           QPainterPath fish;
           fish.moveTo(9, 8);
           fish.cubicTo(6, 11, 4, 12, 2.5, 12);
           fish.lineTo(0.5, 10);
           fish.lineTo(1.2, 12.8);
           fish.lineTo(0.5, 15.5);
           fish.lineTo(3, 13.5);
           fish.cubicTo(6, 14, 9, 12, 11, 9.5);
           fish.closeSubpath();
           Outline(p, tail);
           p.setBrush(Lit(QRectF(0, 8, 11, 8), tail));
           p.drawPath(fish);
           const QColor skin(240, 190, 150);
           Outline(p, skin);
           p.setBrush(skin);
           p.drawEllipse(QRectF(8.5, 5.5, 4.5, 5));   // body
           p.drawEllipse(QRectF(11.5, 2, 4.5, 4.5));  // head
           p.setPen(Qt::NoPen);
           p.setBrush(QColor(220, 90, 30));  // red hair streaming back
           QPainterPath hair;
           hair.moveTo(16, 3.5);
           hair.cubicTo(14, 0.5, 10, 1.5, 8, 4.5);
           hair.cubicTo(10, 3.5, 12, 4, 12.5, 5.5);
           hair.closeSubpath();
           p.drawPath(hair);
           p.setBrush(QColor(150, 60, 180));
           p.drawEllipse(QRectF(10, 6.2, 1.6, 1.4));
           p.drawEllipse(QRectF(11.2, 6.6, 1.6, 1.4));
         }},
        {"icon_tigershark",
         [](QPainter& p) {
           SharkBody(p, QColor(130, 120, 95), QColor(230, 225, 210));
           p.setPen(QPen(QColor(60, 50, 35), 0.8));
           for (double x : {5.0, 7.5, 10.0, 12.5})
             p.drawLine(QPointF(x, 7.5), QPointF(x - 0.6, 9.6));
           Eye(p, QPointF(14, 8.4), 0.45);
         }},
        {"icon_dolphin",
         [](QPainter& p) {
           const QColor c(100, 140, 180);
           QPainterPath body;
           body.moveTo(1, 11);
           body.cubicTo(4, 5, 11, 4, 14, 7.5);
           body.lineTo(16.5, 8.3);  // beak
           body.lineTo(14, 9.3);
           body.cubicTo(10, 10, 6, 10.5, 2.5, 12.5);
           body.closeSubpath();
           QPainterPath fins;
           fins.moveTo(7.5, 5.8);
           fins.lineTo(7, 2.5);
           fins.lineTo(10, 5.5);
           fins.moveTo(2, 11.5);
           fins.lineTo(0.3, 14);
           fins.lineTo(3.5, 13);
           Outline(p, c);
           p.setBrush(Shade(c, 80));
           p.drawPath(fins);
           p.setBrush(Lit(QRectF(1, 4, 15, 9), c));
           p.drawPath(body);
           Eye(p, QPointF(12.3, 7.4), 0.45);
         }},
        {"icon_redfish",
         [](QPainter& p) {  // a fighting fish: small red body, great flowing fins and tail
           const QColor body(225, 30, 35), fin(175, 15, 55);
           QPainterPath tail;  // the veil, drooping behind
           tail.moveTo(8, 7.5);
           tail.cubicTo(4, 1.5, 0, 3, 0.5, 8);
           tail.cubicTo(0.5, 12, 2, 16.5, 5, 16);
           tail.cubicTo(6.5, 13, 7.5, 11, 8.5, 9.5);
           tail.closeSubpath();
           QPainterPath dorsal;
           dorsal.moveTo(12, 6.5);
           dorsal.cubicTo(10.5, 2.5, 8, 2, 6, 3.5);
           dorsal.lineTo(8.5, 7.5);
           dorsal.closeSubpath();
           QPainterPath anal;  // long and hanging
           anal.moveTo(13, 9.5);
           anal.cubicTo(11.5, 14, 9, 16.5, 6, 16.5);
           anal.lineTo(8, 9.5);
           anal.closeSubpath();
           Outline(p, fin);
           for (const QPainterPath& f : {tail, dorsal, anal}) {
             QLinearGradient g(10, 8, 2, 14);
             g.setColorAt(0, fin);
             g.setColorAt(1, Shade(fin, 130));
             p.setBrush(g);
             p.drawPath(f);
           }
           p.setPen(QPen(Shade(fin, 65), 0.5));  // rays
           for (const auto& [a, b] : {std::pair{QPointF(8, 8.5), QPointF(1.5, 5)},
                                      std::pair{QPointF(8, 8.5), QPointF(1.5, 11)},
                                      std::pair{QPointF(10, 10), QPointF(7, 15.5)}}) {
             p.drawLine(a, b);
           }
           Outline(p, body);
           p.setBrush(Lit(QRectF(8, 6.5, 8.5, 4), body));
           p.drawEllipse(QRectF(7.5, 6.3, 9, 4.2));
           Eye(p, QPointF(14.3, 7.9), 0.6);
         }},
        {"icon_crab",
         [](QPainter& p) {
           const QColor c(225, 90, 30);
           p.setPen(QPen(Shade(c, 70), 0.9, Qt::SolidLine, Qt::RoundCap));
           for (int side : {-1, 1}) {
             for (int i = 0; i < 3; ++i) {
               p.drawLine(QPointF(8.5 + side * 3, 11 + i * 0.8),
                          QPointF(8.5 + side * 7.5, 13 + i * 1.2));
             }
             p.drawLine(QPointF(8.5 + side * 3, 8.5), QPointF(8.5 + side * 5, 5.5));
             p.drawLine(QPointF(8.5 + side * 1.2, 8), QPointF(8.5 + side * 1.5, 5));  // stalks
           }
           Outline(p, c);
           p.setBrush(Lit(QRectF(3, 7, 11, 7), c));
           p.drawEllipse(QRectF(3, 7.5, 11, 6.5));
           for (int side : {-1, 1}) {  // claws
             p.drawEllipse(QPointF(8.5 + side * 5.7, 4.2), 2, 1.6);
             p.setPen(QPen(QColor(60, 140, 200), 0.6));
             p.drawLine(QPointF(8.5 + side * 5.7, 3), QPointF(8.5 + side * 5.2, 4.3));
             Outline(p, c);
           }
           Eye(p, QPointF(7.3, 4.8), 0.6);
           Eye(p, QPointF(9.7, 4.8), 0.6);
         }},
        {"icon_emperorfish",
         [](QPainter& p) {  // blue with yellow stripes along the body
           FishBody(p, 3, 16, 8.5, 5, QColor(30, 60, 170));
           p.save();
           QPainterPath clip;
           clip.addEllipse(QRectF(3.5, 4, 12, 9));
           p.setClipPath(clip);
           p.setPen(QPen(QColor(255, 220, 40), 0.8));
           for (int i = 0; i < 5; ++i)
             p.drawLine(QPointF(2, 3 + i * 2.4), QPointF(16, 5 + i * 2.4));
           p.restore();
           p.setPen(Qt::NoPen);
           p.setBrush(QColor(20, 20, 40));
           p.drawRect(QRectF(12.5, 5, 1.3, 7));  // the dark mask band
           Eye(p, QPointF(14, 7.7), 0.6);
         }},
        {"icon_clams",
         [](QPainter& p) {  // cream, fluted shells, hinge down, the blue mantle swelling out
           const QColor c(235, 225, 195);
           for (const auto& [at, w] :
                {std::pair{QPointF(5.5, 12), 4.8}, {QPointF(12.5, 14), 3.8}}) {
             QPainterPath mantle;
             mantle.moveTo(at + QPointF(-w * 0.8, 0));
             mantle.cubicTo(at + QPointF(-w * 0.7, -w * 1.1), at + QPointF(w * 0.7, -w * 1.1),
                            at + QPointF(w * 0.8, 0));
             mantle.closeSubpath();
             QLinearGradient vivid(at + QPointF(-w, 0), at + QPointF(w, 0));
             vivid.setColorAt(0, QColor(30, 215, 230));
             vivid.setColorAt(1, QColor(50, 80, 225));
             p.setPen(QPen(QColor(30, 40, 160), 0.6));
             p.setBrush(vivid);
             p.drawPath(mantle);
             QPainterPath shell;  // three round lobes along the rim, a bowl under them
             shell.moveTo(at + QPointF(-w, 0));
             for (int k = 0; k < 3; ++k) {
               const double x0 = -w + k * w * 2 / 3, x1 = x0 + w * 2 / 3;
               shell.cubicTo(at + QPointF(x0, -1.6), at + QPointF(x1, -1.6), at + QPointF(x1, 0));
             }
             shell.cubicTo(at + QPointF(w, w * 0.9), at + QPointF(-w, w * 0.9),
                           at + QPointF(-w, 0));
             Outline(p, c);
             p.setBrush(Lit(QRectF(at.x() - w, at.y() - 1.5, 2 * w, w), c));
             p.drawPath(shell);
             p.setPen(QPen(Shade(c, 65), 0.5));
             for (int k = 0; k < 2; ++k) {  // the grooves between the ribs
               const double x = -w + (k + 1) * w * 2 / 3;
               p.drawLine(at + QPointF(x, 0.2), at + QPointF(x * 0.4, w * 0.6));
             }
           }
           p.setPen(Qt::NoPen);
           p.setBrush(QColor(170, 255, 215));
           p.drawEllipse(QPointF(4.3, 9.8), 0.6, 0.6);  // spots on the mantle
           p.drawEllipse(QPointF(7, 9.2), 0.5, 0.5);
         }},
        {"icon_swimhorses",
         [](QPainter& p) {
           SeaHorse(p, 5, 1.5, 0.95, QColor(240, 140, 40));
           SeaHorse(p, 12.5, 2.5, 0.95, QColor(230, 110, 60));
         }},
        {"icon_seahorse",
         [](QPainter& p) {  // the pink sea horse holding on to its blade of sea grass
           QPainterPath grass;
           grass.moveTo(12, 17);
           grass.cubicTo(13, 12, 11, 6, 13.5, 0);
           p.setPen(QPen(QColor(60, 150, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
           p.setBrush(Qt::NoBrush);
           p.drawPath(grass);
           SeaHorse(p, 8.5, 1, 1.1, QColor(200, 90, 170));
         }},
        {"icon_yellowfish",
         [](QPainter& p) {  // a tang: a tall disc and a small pointed snout
           const QColor c(250, 215, 20);
           QPainterPath body;
           body.moveTo(3, 8.5);
           body.cubicTo(5, 0.5, 12, 1, 16.5, 8);
           body.cubicTo(12, 16, 5, 16.5, 3, 8.5);
           QPainterPath tail;
           tail.moveTo(3.5, 8.5);
           tail.lineTo(0.5, 5.5);
           tail.lineTo(0.5, 11.5);
           tail.closeSubpath();
           Outline(p, c);
           p.setBrush(Shade(c, 85));
           p.drawPath(tail);
           p.setBrush(Lit(QRectF(3, 2, 14, 13), c));
           p.drawPath(body);
           p.setPen(QPen(Qt::white, 0.7));
           p.drawPoint(QPointF(4.2, 8.5));  // the white spine by the tail
           Eye(p, QPointF(12.5, 6.5), 0.7);
         }},
        {"icon_jellyfish",
         [](QPainter& p) {
           const QColor c(240, 120, 200);
           p.setPen(QPen(QColor(250, 170, 220, 210), 0.8));
           for (int i = 0; i < 5; ++i) {
             const double x = 4.5 + i * 2;
             QPainterPath t;
             t.moveTo(x, 8);
             t.cubicTo(x - 1.2, 11, x + 1.2, 13, x - 0.5, 16.5);
             p.drawPath(t);
           }
           QPainterPath dome;
           dome.moveTo(2.5, 8.5);
           dome.cubicTo(2.5, 0.5, 14.5, 0.5, 14.5, 8.5);
           dome.cubicTo(12, 7.5, 5, 7.5, 2.5, 8.5);
           QRadialGradient g(QPointF(7, 3.5), 8);
           g.setColorAt(0, QColor(255, 230, 245, 240));
           g.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 210));
           Outline(p, c);
           p.setBrush(g);
           p.drawPath(dome);
         }},
        {"icon_bluedevils",
         [](QPainter& p) {  // two electric-blue damsels
           FishBody(p, 3, 11, 5, 2.6, QColor(20, 90, 255));
           FishBody(p, 8, 16, 11.5, 2.6, QColor(20, 110, 255));
           Eye(p, QPointF(9.3, 4.5), 0.5);
           Eye(p, QPointF(14.3, 11), 0.5);
         }},
        {"icon_angelfish",
         [](QPainter& p) {  // silver-blue with black bars, long sail fins above and below
           const QColor c(200, 212, 235);
           QPainterPath fins;
           fins.moveTo(12, 5);
           fins.lineTo(5, 0.5);
           fins.lineTo(6.5, 8.5);
           fins.lineTo(5, 16.5);
           fins.lineTo(12, 12);
           fins.closeSubpath();
           Outline(p, c);
           p.setBrush(Shade(c, 85));
           p.drawPath(fins);
           FishBody(p, 5, 16, 8.5, 4, c);
           p.setPen(QPen(QColor(30, 30, 30), 1));
           p.drawLine(QPointF(9, 4.5), QPointF(9, 12.5));
           p.drawLine(QPointF(12.8, 5.5), QPointF(12.8, 11.5));
           Eye(p, QPointF(14.3, 7.8), 0.55);
         }},
    };
    AddMoreTabIcons(all);
    return all;
  }();
  return by_name;
}

// The water behind every icon: light at the top, deeper below.
QImage Icon(const IconDraw& draw) {
  QImage image(17, 17, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient water(0, 0, 0, 17);
  water.setColorAt(0, QColor(150, 210, 240));
  water.setColorAt(1, QColor(40, 110, 180));
  p.fillRect(image.rect(), water);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return image;
}

}  // namespace

void AddDialogPictures(std::map<std::string, QImage>& pictures) {
  for (const auto& [name, draw] : Icons()) pictures[name] = Icon(draw);
  AddDialogArtwork(pictures);
}

}  // namespace forms
