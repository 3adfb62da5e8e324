// The real frame of the full-screen saver at 1920x1080 with the default settings and the media
// set. BM_MemcpyThreeFrames (frame_bench.cpp) runs beside it in the same program: the frame is
// meant to cost no more than twice those three copies.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "bench/private_folder.h"
#include "host/screensaver.h"
#include "host/starter.h"
#include "host/system.h"
#include "platform/gdi.h"
#include "sprites/animations.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Start-up as the saver does it, against a Windows directory that holds only the media set, so
// that the default settings apply.
void StartSaverScene() {
  static bool started = false;
  if (started) return;
  started = true;
  static const PrivateFolder private_windir;  // the Windows directory
  const auto& windir = private_windir.path;
  std::filesystem::create_directories(windir / "Quorvane");
  std::filesystem::create_directory_symlink(FINBROOK_MEDIA_DIR,
                                            windir / "Quorvane" / "Solmere Finbrook");
  setenv("FINBROOK_WINDIR", windir.c_str(), 1);
  GetDiectories();
  MeasureScreen(kWidth * 15.0f, kHeight * 15.0f, 15.0f, 15.0f);
  X_GetData();
  Properties_Fish();
  Properties_Predator();
  Properties_Other();
  Properties_Scenery();
  RunMode = 1;
  LoadPics4ScreenSaver();
}

// The window's drawing surface: 32 bits, screen-sized, taking the frame to show rather than a
// copy of it, as a form's surface does.
win::HDC WindowSurface() {
  static win::HDC dc = 0;
  if (!dc) {
    dc = win::CreateCompatibleDC(0);
    win::MakeWindowSurface(dc);
    win::SelectObject(dc, win::CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
  }
  return dc;
}

void BM_SaverFrame(benchmark::State& state) {
  StartSaverScene();
  const win::HDC window = WindowSurface();
  for (auto _ : state) {
    ComposeFrame();
    win::BitBlt(window, 0, 0, kWidth, kHeight, BufferDC(), 0, 0, win::Rop::SRCCOPY);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SaverFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
