// The picture set: every sheet's name, geometry and painter, shared by the creature and scene
// modules and walked by WritePictures.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mediagen/bmp_writer.h"
#include "mediagen/draw.h"

namespace mediagen {

struct Picture {
  std::string name;
  std::function<Image()> make;
};

using CellPainter = std::function<Image(int cell)>;

// One row of cells side by side; with a mask row, a second row under it holds each cell's mask
// (white where the cell is transparent, black where it is opaque).
Image MakeSheet(int w, int h, int cells, const CellPainter& paint, bool mask_row);
// A swimmer's two direction strips of `frames` cells. paint draws cell f facing left; the
// other strip is its mirror image.
Image MakeSwimSheet(int w, int h, int frames, const CellPainter& facing_left, bool first_faces_left,
                    bool mask_row);

// The phase of cell f in a loop of n cells, in radians.
inline double Phase(int f, int n) {
  return 2 * kPi * f / n;
}

void AddFishPictures(std::vector<Picture>& out);         // schools and small fish
void AddPredatorPictures(std::vector<Picture>& out);     // the large creatures
void AddCritterPictures(std::vector<Picture>& out);      // octopus, jellyfish, crab, clams ...
void AddOrnamentPictures(std::vector<Picture>& out);     // the More... items
void AddPeoplePictures(std::vector<Picture>& out);       // the scuba diver and the mermaids
void AddCentrefolkPictures(std::vector<Picture>& out);   // people standing in mid-scene
void AddCentrepiecePictures(std::vector<Picture>& out);  // chest, relic, watch
void AddBackgroundPictures(std::vector<Picture>& out);   // backgrounds and the palette
void AddForegroundPictures(std::vector<Picture>& out);   // coral strip and preview pictures

// Every picture of the media folder, in a fixed order.
std::vector<Picture> AllPictures();

// Scene pieces shared by the backgrounds, the coral strip and the preview pictures.
void PaintBackground(Canvas& c, int which);  // 1 to 4, at any canvas size (640 x 480 design)
void PaintCoral(Canvas& c, double scale, double dx, double dy);  // the 784 x 247 strip

}  // namespace mediagen
