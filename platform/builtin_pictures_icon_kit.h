// Drawing pieces shared by the settings dialog's 17x17 icons: lit bodies, eyes, outlines and
// the few creature shapes several icons use. For the platform's own picture sources only.
#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>
#include <map>
#include <string>

namespace forms::icons {

using IconDraw = std::function<void(QPainter&)>;

inline QColor Shade(const QColor& c, int factor) {
  return factor > 100 ? c.lighter(factor) : c.darker(200 - factor);
}

// A body lit from above: lighter at the top, darker underneath.
inline QBrush Lit(const QRectF& box, const QColor& c) {
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, Shade(c, 140));
  g.setColorAt(0.5, c);
  g.setColorAt(1, Shade(c, 60));
  return g;
}

inline void Eye(QPainter& p, QPointF at, double r = 0.9) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(at, r + 0.4, r + 0.4);
  p.setBrush(Qt::black);
  p.drawEllipse(at, r * 0.7, r * 0.7);
}

inline void Outline(QPainter& p, const QColor& c, double width = 0.6) {
  p.setPen(QPen(Shade(c, 45), width));
}

// A fish facing right: an oval body from (x0, cy) to x1, its half-height h, a forked tail.
inline void FishBody(QPainter& p, double x0, double x1, double cy, double h, const QColor& c) {
  QPainterPath tail;
  tail.moveTo(x0 + 1.5, cy);
  tail.lineTo(x0 - 2.2, cy - h * 0.9);
  tail.lineTo(x0 - 1.2, cy);
  tail.lineTo(x0 - 2.2, cy + h * 0.9);
  tail.closeSubpath();
  Outline(p, c);
  p.setBrush(Shade(c, 80));
  p.drawPath(tail);
  QPainterPath body;
  body.moveTo(x0, cy);
  body.cubicTo(x0 + (x1 - x0) * 0.3, cy - h * 1.3, x1 - 1.5, cy - h * 0.9, x1, cy);
  body.cubicTo(x1 - 1.5, cy + h * 0.9, x0 + (x1 - x0) * 0.3, cy + h * 1.3, x0, cy);
  p.setBrush(Lit(QRectF(x0, cy - h, x1 - x0, 2 * h), c));
  p.drawPath(body);
}

// A shark facing right: slender body, pointed snout, tall dorsal fin, tail upper lobe longer.
inline void SharkBody(QPainter& p, const QColor& back, const QColor& belly) {
  QPainterPath fin;
  fin.moveTo(7, 7.5);
  fin.lineTo(9.5, 3);
  fin.lineTo(10.5, 7.5);
  QPainterPath tail;
  tail.moveTo(3, 9);
  tail.lineTo(0.5, 4.5);
  tail.lineTo(1.5, 9.5);
  tail.lineTo(0.8, 12.5);
  tail.closeSubpath();
  QPainterPath body;
  body.moveTo(2, 9.3);
  body.cubicTo(6, 6, 12, 6.5, 16.5, 9);
  body.cubicTo(12, 12, 6, 12, 2, 9.3);
  Outline(p, back);
  p.setBrush(Shade(back, 85));
  p.drawPath(fin);
  p.drawPath(tail);
  QLinearGradient g(0, 6.5, 0, 12);
  g.setColorAt(0, Shade(back, 120));
  g.setColorAt(0.55, back);
  g.setColorAt(0.6, belly);
  g.setColorAt(1, belly);
  p.setBrush(g);
  p.drawPath(body);
}

inline void SeaHorse(QPainter& p, double x, double y, double s, const QColor& c) {
  p.save();
  p.translate(x, y);
  p.scale(s, s);
  QPainterPath body;
  body.moveTo(0, 0);  // crown
  body.cubicTo(3, -0.5, 3.5, 2, 2, 3);
  body.cubicTo(4, 5, 3.5, 8, 1.5, 10);
  body.cubicTo(0, 11.5, -1.5, 12, -0.5, 13.5);  // curled tail
  body.cubicTo(0.5, 14, 1, 13, 0, 12.8);
  body.cubicTo(-3, 12, -1, 9.5, -0.5, 8);
  body.cubicTo(-1.5, 6, -1.5, 4, 0, 2.5);
  body.lineTo(-3, 2);  // snout
  body.lineTo(-3, 1);
  body.closeSubpath();
  Outline(p, c, 0.7 / s);
  p.setBrush(Lit(QRectF(-3, 0, 7, 14), c));
  p.drawPath(body);
  p.restore();
  Eye(p, QPointF(x + 0.2 * s, y + 1.2 * s), 0.5);
}

inline void Bubble(QPainter& p, QPointF at, double r) {
  QRadialGradient g(at - QPointF(r * 0.4, r * 0.4), r * 1.3);
  g.setColorAt(0, QColor(255, 255, 255, 230));
  g.setColorAt(0.5, QColor(190, 230, 255, 120));
  g.setColorAt(1, QColor(120, 190, 240, 90));
  p.setPen(QPen(QColor(235, 250, 255), 0.6));
  p.setBrush(g);
  p.drawEllipse(at, r, r);
}

// The icons of the "More..." tab, by name.
void AddMoreTabIcons(std::map<std::string, IconDraw>& icons);

}  // namespace forms::icons
