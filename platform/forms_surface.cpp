// The drawing surface of forms and picture boxes, and the widget that shows a form's surface.
// A form's frame arrives on its surface as a whole copy of the program's back buffer, which the
// surface takes as the picture to show (gdi.h) instead of copying it; on X the widget then puts
// those pixels on its own window, the one copy the frame takes on its way to the screen.
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/forms_qt.h"
#include "platform/x11_picture.h"
#include "platform/x11_windows.h"

namespace forms {

// ---- The drawing surface ----

Surface::~Surface() {
  if (dc_) win::DeleteDC(dc_);
}

namespace {
// A new bitmap is black already, and holds no pixels until they are asked for: a black form
// whose picture only ever shows the program's back buffer never has full-size pixels of its own.
void Fill(win::HDC dc, win::COLORREF color) {
  if (color == win::RGB(0, 0, 0)) return;
  const std::uint32_t word = (static_cast<std::uint32_t>(win::GetRValue(color)) << 16) |
                             (win::GetGValue(color) << 8) | win::GetBValue(color);
  std::uint32_t* pixels = win::MutablePixels32(dc);
  const std::size_t count =
      static_cast<std::size_t>(win::Stride32(dc)) * static_cast<std::size_t>(win::BitmapHeight(dc));
  std::fill(pixels, pixels + count, word);
}
}  // namespace

win::HDC Surface::Handle(int width, int height, win::COLORREF fill) {
  if (!dc_) {
    dc_ = win::CreateCompatibleDC(0);
    win::MakeWindowSurface(dc_);
    win::SelectObject(dc_,
                      win::CreateBitmap(std::max(width, 1), std::max(height, 1), 1, 32, nullptr));
    Fill(dc_, fill);
  }
  return dc_;
}

void Surface::Resize(int width, int height, win::COLORREF fill) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (!dc_ || (win::BitmapWidth(dc_) == width && win::BitmapHeight(dc_) == height)) return;
  // The handle stays the same, so a program that keeps hDC keeps drawing to the window.
  const win::HGDIOBJ old = win::SelectObject(dc_, win::CreateBitmap(width, height, 1, 32, nullptr));
  win::DeleteObject(old);
  Fill(dc_, fill);
}

QImage Surface::View() const {
  return QImage(reinterpret_cast<const uchar*>(win::Pixels32(dc_)), win::BitmapWidth(dc_),
                win::BitmapHeight(dc_), win::Stride32(dc_) * 4, QImage::Format_RGB32);
}

// ---- The form's picture ----

SurfaceWidget::SurfaceWidget(QWidget& form, Surface& surface) : QWidget(&form), surface_(surface) {
  // Every pixel is painted here, and the surface's words carry no alpha: an opaque widget is
  // drawn into an opaque image, where those words need no converting.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // Mouse events it ignores go on to the form, moves included only when it tracks them.
  setMouseTracking(true);
  setGeometry(form.rect());
  lower();
  if (win::x11::Available()) {
    // The controls above it get windows of their own too, which keep them above its pixels.
    setAttribute(Qt::WA_NativeWindow);
    puts_pixels_ = win::x11::TakesPictures(static_cast<win::HWND>(winId()));
    setAttribute(Qt::WA_PaintOnScreen, puts_pixels_);
  }
  show();
}

void SurfaceWidget::ShowSurface() {
  if (!puts_pixels_) {
    update();
  } else if (isVisible()) {
    win::x11::PutPicture(static_cast<win::HWND>(winId()), surface_.Handle(0, 0, 0), 0, 0, width(),
                         height());
  }
}

// Painting on screen puts the pixels by hand; otherwise Qt paints through its own buffer and
// never asks.
QPaintEngine* SurfaceWidget::paintEngine() const {
  return nullptr;
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
  if (!puts_pixels_) {
    QPainter(this).drawImage(0, 0, surface_.View());
    return;
  }
  for (const QRect& r : event->region()) {
    win::x11::PutPicture(static_cast<win::HWND>(winId()), surface_.Handle(0, 0, 0), r.x(), r.y(),
                         r.width(), r.height());
  }
}

}  // namespace forms
