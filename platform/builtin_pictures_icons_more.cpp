// The 17x17 icons of the settings dialog's "More..." tab: the diver, the bubbles, the worm, the
// anchor, the snitch, the sign, the pillars, the eyes, the bottles and the diver's helmet.
#include <cmath>

#include "platform/builtin_pictures_icon_kit.h"

namespace forms::icons {

void AddMoreTabIcons(std::map<std::string, IconDraw>& icons) {
  const std::map<std::string, IconDraw> more = {
      {"icon_scubadiver",
       [](QPainter& p) {
         const QColor suit(30, 30, 40);
         p.setPen(QPen(suit, 1.8, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(3, 9), QPointF(11, 8.5));     // body
         p.drawLine(QPointF(3.5, 9), QPointF(0.8, 7.5));  // legs
         p.drawLine(QPointF(3.5, 9.3), QPointF(1, 11));
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(40, 170, 220));  // fins
         p.drawEllipse(QRectF(-0.5, 5.8, 1.8, 2.5));
         p.drawEllipse(QRectF(-0.3, 10.5, 1.8, 2.5));
         p.setBrush(Lit(QRectF(4, 5, 7, 3), QColor(240, 200, 30)));  // the yellow tank
         p.drawRoundedRect(QRectF(4, 5.3, 7, 2.4), 1.2, 1.2);
         p.setBrush(QColor(240, 190, 150));
         p.drawEllipse(QPointF(13, 8.3), 2.1, 2.1);  // head
         p.setBrush(QColor(90, 200, 240));
         p.drawRoundedRect(QRectF(13.3, 6.9, 2.5, 1.8), 0.6, 0.6);  // mask
         Bubble(p, QPointF(15, 3.5), 1);
         Bubble(p, QPointF(13.5, 1.5), 0.8);
       }},
      {"icon_bubbles",
       [](QPainter& p) {
         Bubble(p, QPointF(5, 12), 3.2);
         Bubble(p, QPointF(11.5, 9), 2.4);
         Bubble(p, QPointF(7, 5), 1.8);
         Bubble(p, QPointF(12.5, 3), 1.3);
         Bubble(p, QPointF(3.5, 2), 1);
       }},
      {"icon_worm",
       [](QPainter& p) {
         p.setPen(QPen(QColor(230, 230, 230), 0.6));
         p.drawLine(QPointF(10, 0), QPointF(10, 4));  // the line
         p.setPen(QPen(QColor(140, 140, 150), 1, Qt::SolidLine, Qt::RoundCap));
         p.setBrush(Qt::NoBrush);
         QPainterPath hook;
         hook.moveTo(10, 3.5);
         hook.lineTo(10, 13);
         hook.cubicTo(10, 16.5, 5, 16.5, 5, 13);
         hook.lineTo(6.2, 12);
         p.drawPath(hook);
         p.setPen(QPen(QColor(220, 110, 120), 2.2, Qt::SolidLine, Qt::RoundCap));
         QPainterPath worm;  // wound round the shank
         worm.moveTo(13.5, 6);
         worm.cubicTo(7, 6, 13, 9, 8, 9.5);
         worm.cubicTo(12, 11, 13, 13, 15, 11);
         p.drawPath(worm);
         p.setPen(QPen(QColor(255, 180, 190), 0.6));
         p.drawPath(worm);
       }},
      {"icon_anchor",
       [](QPainter& p) {
         const QColor iron(110, 115, 125);
         QPen pen(iron, 1.6, Qt::SolidLine, Qt::RoundCap);
         p.setPen(pen);
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(8.5, 2.3), 1.5, 1.5);         // ring
         p.drawLine(QPointF(8.5, 3.8), QPointF(8.5, 14.5));  // shank
         p.drawLine(QPointF(5, 6), QPointF(12, 6));          // stock
         QPainterPath arms;
         arms.moveTo(2.5, 10);
         arms.cubicTo(3, 14, 6, 15, 8.5, 15);
         arms.cubicTo(11, 15, 14, 14, 14.5, 10);
         p.drawPath(arms);
         p.setPen(Qt::NoPen);
         p.setBrush(iron);
         for (double side : {-1.0, 1.0}) {
           QPainterPath fluke;
           fluke.moveTo(8.5 + side * 6, 8.3);
           fluke.lineTo(8.5 + side * 4.6, 11);
           fluke.lineTo(8.5 + side * 7.4, 11);
           p.drawPath(fluke);
         }
         p.setPen(QPen(QColor(200, 170, 110), 0.8));  // a turn of rope
         p.drawArc(QRectF(6.5, 3.5, 4, 5), 30 * 16, 300 * 16);
       }},
      {"icon_mofiasnitch",
       [](QPainter& p) {  // a man in a pinstriped suit and a hat
         const QColor suit(45, 45, 55);
         p.setPen(Qt::NoPen);
         p.setBrush(Lit(QRectF(3.5, 7, 10, 10), suit));
         QPainterPath body;
         body.moveTo(3, 17);
         body.lineTo(4, 8.5);
         body.cubicTo(6, 7, 11, 7, 13, 8.5);
         body.lineTo(14, 17);
         body.closeSubpath();
         p.drawPath(body);
         p.setBrush(Qt::white);
         QPainterPath shirt;
         shirt.moveTo(7, 7.6);
         shirt.lineTo(8.5, 12);
         shirt.lineTo(10, 7.6);
         p.drawPath(shirt);
         p.setBrush(QColor(200, 20, 30));
         p.drawPolygon(QPolygonF(
             {QPointF(8.5, 8), QPointF(9.2, 11), QPointF(8.5, 12), QPointF(7.8, 11)}));  // tie
         p.setBrush(QColor(235, 185, 145));
         p.drawEllipse(QPointF(8.5, 5), 2.4, 2.6);  // face
         p.setBrush(QColor(30, 30, 30));
         p.drawRect(QRectF(4.8, 2.6, 7.4, 0.9));  // the hat's brim
         p.drawRoundedRect(QRectF(6.2, 0.3, 4.6, 2.8), 0.8, 0.8);
         p.setBrush(QColor(150, 30, 30));
         p.drawRect(QRectF(6.2, 2, 4.6, 0.7));
         p.setBrush(Qt::black);
         p.drawRect(QRectF(6.8, 4.3, 3.4, 0.9));  // dark glasses
       }},
      {"icon_marinasign",
       [](QPainter& p) {  // a white board hung from a post's cross arm, "NO FISHING" in red
         const QColor wood(150, 100, 50);
         p.setPen(Qt::NoPen);
         Outline(p, wood, 0.5);
         p.setBrush(Lit(QRectF(7.5, 1, 2, 16), wood));
         p.drawRect(QRectF(7.5, 1, 2, 16.5));  // the post
         p.drawRect(QRectF(1.5, 1, 14, 1.6));  // the cross arm
         p.setPen(QPen(QColor(200, 180, 130), 0.6));
         p.drawLine(QPointF(3.5, 2.5), QPointF(3.5, 5));  // ropes
         p.drawLine(QPointF(13.5, 2.5), QPointF(13.5, 5));
         Outline(p, wood, 1);
         p.setBrush(QColor(240, 230, 205));
         p.drawRect(QRectF(1.5, 4.5, 14, 8));
         // "NO" and, too small to spell out, a hint of "FISHING" under it, a pixel at a time
         const char* lettering[] = {"  #  #  #  ", "  ## # # # ", "  # ## # # ", "  #  #  #  ",
                                    "           ", "## # # # ##", "#  # ## # #"};
         for (int y = 0; y < 7; ++y) {
           for (int x = 0; lettering[y][x] != 0; ++x) {
             if (lettering[y][x] == '#') p.fillRect(QRect(3 + x, 5 + y, 1, 1), QColor(210, 25, 20));
           }
         }
       }},
      {"icon_pillars",
       [](QPainter& p) {  // two marble columns, one broken off
         const QColor stone(225, 220, 205);
         for (const auto& [x, top] : {std::pair{2.5, 2.0}, std::pair{10.0, 7.0}}) {
           QLinearGradient g(x, 0, x + 4.5, 0);
           g.setColorAt(0, Shade(stone, 120));
           g.setColorAt(1, Shade(stone, 70));
           Outline(p, stone, 0.5);
           p.setBrush(g);
           p.drawRect(QRectF(x, top + 1.2, 4.5, 14.5 - top));
           p.setPen(QPen(Shade(stone, 60), 0.4));
           p.drawLine(QPointF(x + 1.5, top + 2), QPointF(x + 1.5, 15.5));  // fluting
           p.drawLine(QPointF(x + 3, top + 2), QPointF(x + 3, 15.5));
           p.setPen(Qt::NoPen);
           p.setBrush(Shade(stone, 85));
           p.drawRect(QRectF(x - 1, 15.5, 6.5, 1.5));  // base
         }
         p.setBrush(Shade(stone, 85));
         p.drawRect(QRectF(1.5, 2, 6.5, 1.4));  // the standing one's capital
         p.setBrush(QColor(60, 120, 60, 200));
         p.drawEllipse(QRectF(10.5, 14, 4, 3));  // weed at the broken one's foot
       }},
      {"icon_eyes",
       [](QPainter& p) {  // two yellow cat's eyes, a faint shadow round them
         QRadialGradient dark(QPointF(8.5, 10.5), 8);
         dark.setColorAt(0, QColor(10, 20, 40, 150));
         dark.setColorAt(1, QColor(40, 110, 180, 0));
         p.setPen(Qt::NoPen);
         p.setBrush(dark);
         p.drawEllipse(QPointF(8.5, 10.5), 8.5, 4.5);
         for (double x : {4.8, 12.2}) {
           QRadialGradient glow(QPointF(x - 0.6, 9.8), 3.2);
           glow.setColorAt(0, QColor(255, 250, 150));
           glow.setColorAt(1, QColor(200, 150, 20));
           p.setBrush(glow);
           p.drawEllipse(QPointF(x, 10.5), 3, 2.4);
           p.setBrush(QColor(20, 12, 8));
           p.drawEllipse(QPointF(x + 0.3, 10.6), 0.55, 1.9);  // slit pupils
           p.setBrush(QColor(60, 40, 25));
           p.drawChord(QRectF(x - 3.2, 7.9, 6.4, 5), 0, 180 * 16);  // heavy upper lids
         }
       }},
      {"icon_bottles",
       [](QPainter& p) {  // a green bottle tumbling down, a bubble behind it
         Bubble(p, QPointF(3, 3), 1.2);
         p.save();
         p.translate(9, 9);
         p.rotate(30);
         const QColor glass(40, 150, 70);
         QPainterPath bottle;
         bottle.addRoundedRect(QRectF(-3, -2, 6, 9), 1.5, 1.5);
         bottle.addRect(QRectF(-1.2, -6.5, 2.4, 5));
         QLinearGradient g(-3, 0, 3, 0);
         g.setColorAt(0, QColor(120, 220, 140, 230));
         g.setColorAt(0.35, QColor(glass.red(), glass.green(), glass.blue(), 220));
         g.setColorAt(1, Shade(glass, 55));
         Outline(p, glass, 0.5);
         p.setBrush(g);
         p.drawPath(bottle.simplified());
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(170, 120, 70));
         p.drawRect(QRectF(-1.2, -8, 2.4, 1.7));  // cork
         p.setBrush(QColor(245, 240, 220));
         p.drawRect(QRectF(-2.5, 1, 5, 3));  // label
         p.restore();
       }},
      {"icon_diverhead",
       [](QPainter& p) {  // a brass diving helmet with its front window
         QRadialGradient brass(QPointF(6, 5), 10);
         brass.setColorAt(0, QColor(255, 230, 140));
         brass.setColorAt(0.5, QColor(210, 150, 50));
         brass.setColorAt(1, QColor(120, 70, 20));
         p.setPen(QPen(QColor(90, 55, 15), 0.6));
         p.setBrush(brass);
         p.drawRect(QRectF(2.5, 13, 12, 3.5));  // collar
         p.drawEllipse(QRectF(2, 1, 13, 13));
         p.setBrush(QColor(60, 60, 60));
         p.drawEllipse(QPointF(8.5, 7.8), 3.6, 3.6);  // window frame
         QRadialGradient glass(QPointF(7.5, 6.8), 3.5);
         glass.setColorAt(0, QColor(200, 240, 255));
         glass.setColorAt(1, QColor(40, 90, 130));
         p.setBrush(glass);
         p.drawEllipse(QPointF(8.5, 7.8), 2.7, 2.7);
         p.setPen(QPen(QColor(60, 60, 60), 0.6));
         p.drawLine(QPointF(8.5, 5.1), QPointF(8.5, 10.5));  // grille
         p.drawLine(QPointF(5.8, 7.8), QPointF(11.2, 7.8));
         p.setPen(Qt::NoPen);
         p.setBrush(QColor(90, 55, 15));
         for (double x : {3.8, 13.2}) p.drawEllipse(QPointF(x, 14.7), 0.7, 0.7);  // bolts
       }},
  };
  icons.insert(more.begin(), more.end());
}

}  // namespace forms::icons
