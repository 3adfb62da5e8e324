// WritePictures: builds every sheet of the media folder from code and writes it as a BMP file.
#include <algorithm>

#include "mediagen/media.h"
#include "mediagen/pictures.h"

namespace mediagen {

Image MakeSheet(int w, int h, int cells, const CellPainter& paint, bool mask_row) {
  Image sheet(w * cells, mask_row ? 2 * h : h);
  for (int i = 0; i < cells; ++i) Paste(sheet, paint(i), i * w, 0);
  if (mask_row) {
    const Pixel white{255, 255, 255};
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < sheet.width; ++x) {
        sheet.At(x, y + h) = sheet.At(x, y) == Pixel{} ? white : Pixel{};
      }
    }
  }
  return sheet;
}

Image MakeSwimSheet(int w, int h, int frames, const CellPainter& facing_left, bool first_faces_left,
                    bool mask_row) {
  return MakeSheet(
      w, h, 2 * frames,
      [&](int cell) {
        const bool first = cell < frames;
        const Image img = facing_left(cell % frames);
        return first == first_faces_left ? img : MirrorX(img);
      },
      mask_row);
}

std::vector<Picture> AllPictures() {
  std::vector<Picture> all;
  AddBackgroundPictures(all);
  AddForegroundPictures(all);
  AddFishPictures(all);
  AddPredatorPictures(all);
  AddCritterPictures(all);
  AddOrnamentPictures(all);
  AddPeoplePictures(all);
  AddCentrefolkPictures(all);
  AddCentrepiecePictures(all);
  return all;
}

void WritePictures(const std::filesystem::path& dir) {
  for (const Picture& p : AllPictures()) WriteBmp(dir / p.name, p.make());
}

}  // namespace mediagen
