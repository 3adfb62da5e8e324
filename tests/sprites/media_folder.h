// A media folder of its own for a test: FINBROOK_WINDIR points at a fresh temporary Windows
// directory and DataDir at the media folder inside it, so tests write the few small pictures
// they need and never depend on the media set.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "host/system.h"
#include "platform/gdi.h"

namespace testing_media {

namespace fs = std::filesystem;

inline const std::string kDataDir = "C:\\WINDOWS\\Quorvane\\Solmere Finbrook\\";

class MediaFolder {
 public:
  MediaFolder() {
    std::string pattern = (fs::temp_directory_path() / "finbrook-media-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    folder_ = root_ / "Quorvane" / "Solmere Finbrook";
    fs::create_directories(folder_);
    setenv("FINBROOK_WINDIR", root_.c_str(), 1);
    saved_data_dir_ = DataDir;
    DataDir = kDataDir;
  }
  ~MediaFolder() {
    DataDir = saved_data_dir_;
    unsetenv("FINBROOK_WINDIR");
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  MediaFolder(const MediaFolder&) = delete;
  MediaFolder& operator=(const MediaFolder&) = delete;

  fs::path Folder() const { return folder_; }

  // A file whose content does not matter (the file check only looks for it).
  void Touch(const std::string& name) const { std::ofstream(folder_ / name) << "x"; }
  void Remove(const std::string& name) const { fs::remove(folder_ / name); }

  // A 24-bit picture, pixel(x, y) with y counted from the top.
  void WritePicture(const std::string& name, int width, int height,
                    const std::function<win::COLORREF(int, int)>& pixel) const {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t data = static_cast<std::uint32_t>(stride) * height;
    std::vector<std::uint8_t> out;
    auto put16 = [&](std::uint32_t v) {
      out.push_back(v & 0xFF);
      out.push_back((v >> 8) & 0xFF);
    };
    auto put32 = [&](std::uint32_t v) {
      put16(v & 0xFFFF);
      put16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    put32(54 + data);
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));  // positive: bottom row first
    put16(1);
    put16(24);
    put32(0);
    put32(data);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = height - 1; y >= 0; --y) {
      for (int x = 0; x < width; ++x) {
        const win::COLORREF c = pixel(x, y);
        out.push_back(static_cast<std::uint8_t>(win::GetBValue(c)));
        out.push_back(static_cast<std::uint8_t>(win::GetGValue(c)));
        out.push_back(static_cast<std::uint8_t>(win::GetRValue(c)));
      }
      for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    std::ofstream(folder_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  }

 private:
  fs::path root_;
  fs::path folder_;
  std::string saved_data_dir_;
};

}  // namespace testing_media
