// Pictures to X windows with XShmPutImage from a segment that holds the bitmap's words for the
// rest of its life, so that a frame costs the X server one copy and us none; XPutImage from the
// words where the server shares no memory with us (another machine's server, or one without
// the extension).
#include "platform/x11_picture.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <memory>

#include "platform/gdi_raster.h"
#include "platform/x11_display.h"

// Xlib comes last: its macros (None, Bool, Status...) clash with other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace win::x11 {

namespace {

constexpr int kByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

// A bitmap's words in a shared segment, with the image that describes them to the server once
// it has attached the segment.
struct SharedWords : raster::Words::Keeper {
  XShmSegmentInfo segment{};
  XImage* image = nullptr;

  ~SharedWords() override {
    // At the very end the connection may already be gone; the server then lets go by itself.
    if (Display* dpy = QtDisplay(); dpy && image) XShmDetach(dpy, &segment);
    if (image) {
      image->data = nullptr;
      XDestroyImage(image);
    }
    if (segment.shmaddr) shmdt(segment.shmaddr);
  }
};

// Whether the server shares memory with us; known after the first try.
bool sharing_refused = false;

// A zeroed segment of count words, not yet known to the server; null when none is to be had.
std::unique_ptr<SharedWords> NewSegment(std::size_t count) {
  auto shared = std::make_unique<SharedWords>();
  shared->segment.shmid = shmget(IPC_PRIVATE, count * sizeof(std::uint32_t), IPC_CREAT | 0600);
  if (shared->segment.shmid < 0) return nullptr;
  void* address = shmat(shared->segment.shmid, nullptr, 0);
  // Marked for removal at once: the segment goes when both sides have let go, however we end.
  shmctl(shared->segment.shmid, IPC_RMID, nullptr);
  if (address == reinterpret_cast<void*>(-1)) return nullptr;
  shared->segment.shmaddr = static_cast<char*>(address);
  shared->segment.readOnly = True;
  return shared;
}

// Has the server attach the segment that holds the bitmap's words.
bool Attach(Display* dpy, SharedWords& shared, const raster::Bitmap& bitmap) {
  const int screen = DefaultScreen(dpy);
  XImage* image =
      XShmCreateImage(dpy, DefaultVisual(dpy, screen), DefaultDepth(dpy, screen), ZPixmap,
                      shared.segment.shmaddr, &shared.segment, bitmap.width, bitmap.height);
  if (!image) return false;
  const unsigned long errors = ErrorCount();
  const bool fits = image->bytes_per_line == bitmap.width * 4;
  if (fits) {
    XShmAttach(dpy, &shared.segment);
    XSync(dpy, False);
  }
  if (!fits || ErrorCount() != errors) {  // another machine's server, say
    image->data = nullptr;
    XDestroyImage(image);
    return false;
  }
  shared.image = image;
  return true;
}

// The bitmap's words in a segment the server has attached; null when it will not share.
SharedWords* Share(Display* dpy, raster::Bitmap& bitmap) {
  auto* shared = dynamic_cast<SharedWords*>(bitmap.words.keeper());
  if (shared && shared->image) return shared;
  if (sharing_refused) return nullptr;
  if (!shared && XShmQueryExtension(dpy)) {
    if (auto fresh = NewSegment(bitmap.words.size())) {
      shared = fresh.get();
      bitmap.words.MoveTo(reinterpret_cast<std::uint32_t*>(shared->segment.shmaddr),
                          std::move(fresh));
    }
  }
  sharing_refused = !shared || !Attach(dpy, *shared, bitmap);
  return sharing_refused ? nullptr : shared;
}

// Large bitmaps (the back buffer, the screen-sized pictures) are made in segments from the
// start, so that putting them on the screen never copies them; smaller ones move into one the
// first time they go there.
constexpr std::size_t kBornSharedFrom = (std::size_t{1} << 20) / sizeof(std::uint32_t);

}  // namespace

void ShareLargeBitmaps() {
  Display* dpy = QtDisplay();
  if (!dpy || !XShmQueryExtension(dpy)) return;
  raster::Words::SetSource(
      [](std::size_t count, std::unique_ptr<raster::Words::Keeper>& keeper) -> std::uint32_t* {
        auto shared = NewSegment(count);
        if (!shared) return nullptr;
        auto* words = reinterpret_cast<std::uint32_t*>(shared->segment.shmaddr);
        keeper = std::move(shared);
        return words;
      },
      kBornSharedFrom);
}

bool TakesPictures(HWND window) {
  Display* dpy = QtDisplay();
  XWindowAttributes attributes{};
  if (!dpy || !XGetWindowAttributes(dpy, static_cast<Window>(window), &attributes)) return false;
  const Visual* visual = attributes.visual;
  int formats = 0;
  XPixmapFormatValues* list = XListPixmapFormats(dpy, &formats);
  const bool words = std::any_of(list, list + formats, [](const XPixmapFormatValues& f) {
    return f.depth == 24 && f.bits_per_pixel == 32;
  });
  XFree(list);
  return words && attributes.depth == 24 && visual == DefaultVisual(dpy, DefaultScreen(dpy)) &&
         visual->c_class == TrueColor && visual->red_mask == 0xFF0000 &&
         visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
         ImageByteOrder(dpy) == kByteOrder;
}

void PutPicture(HWND window, HDC dc, int x, int y, int width, int height) {
  Display* dpy = QtDisplay();
  const raster::Dc* d = raster::FindDc(dc);
  if (!dpy || !d) return;
  raster::Bitmap& bitmap = raster::BitmapOf(*d);
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + width, bitmap.width), y1 = std::min(y + height, bitmap.height);
  if (!bitmap.Wide() || x0 >= x1 || y0 >= y1) return;
  const int screen = DefaultScreen(dpy);
  GC gc = DefaultGC(dpy, screen);
  if (!bitmap.words.Made()) {  // all black, and nothing to read
    XSetForeground(dpy, gc, 0);
    XFillRectangle(dpy, static_cast<Window>(window), gc, x0, y0, x1 - x0, y1 - y0);
    XFlush(dpy);
    return;
  }
  if (SharedWords* shared = Share(dpy, bitmap)) {
    XShmPutImage(dpy, static_cast<Window>(window), gc, shared->image, x0, y0, x0, y0, x1 - x0,
                 y1 - y0, False);
    XSync(dpy, False);
    return;
  }
  XImage* image = XCreateImage(dpy, DefaultVisual(dpy, screen), DefaultDepth(dpy, screen), ZPixmap,
                               0, reinterpret_cast<char*>(bitmap.words.data()), bitmap.width,
                               bitmap.height, 32, bitmap.width * 4);
  if (!image) return;
  image->byte_order = kByteOrder;
  XPutImage(dpy, static_cast<Window>(window), gc, image, x0, y0, x0, y0, x1 - x0, y1 - y0);
  image->data = nullptr;
  XDestroyImage(image);
  XFlush(dpy);
}

}  // namespace win::x11
