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
    const auto w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
    const std::uint32_t stride = (w * 3 + 3) / 4 * 4, data = stride * h;
    // File header, then the info header: 1 plane of 24 bits, no compression, 72 dpi.
    const std::uint32_t header[] = {54 + data, 0,    54,   40,   w, h, 1 | 24 << 16,
                                    0,         data, 2835, 2835, 0, 0};
    std::string out = "BM";
    for (std::uint32_t v : header)
      for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(v >> shift);
    for (int y = height - 1; y >= 0; --y) {  // bottom row first, each blue, green, red
      for (int x = 0; x < width; ++x)
        for (int shift : {16, 8, 0}) out += static_cast<char>(pixel(x, y) >> shift);
      out.append(stride - w * 3, '\0');
    }
    std::ofstream(folder_ / name, std::ios::binary) << out;
  }

 private:
  fs::path root_;
  fs::path folder_;
  std::string saved_data_dir_;
};

}  // namespace testing_media
