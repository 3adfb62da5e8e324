// Finding the program's pictures in a screenshot: a cell of a sprite sheet from the media set
// is "shown" at a place when the screen holds its opaque pixels there.
#pragma once

#include <QImage>
#include <string>

namespace e2e {

// A picture of the media set, by file name.
QImage MediaPicture(const std::string& name);

// The share (0 to 1) of the cell's opaque (not pure black) pixels that the screenshot shows
// unchanged with the cell's top-left corner at (x, y).
double CellMatch(const QImage& shot, const QImage& sheet, int cell_x, int width, int height, int x,
                 int y);

// The best CellMatch over the cells 0 to cells - 1 of one row.
double BestCellMatch(const QImage& shot, const QImage& sheet, int cells, int width, int height,
                     int x, int y);

// The index of the best-matching cell.
int BestCell(const QImage& shot, const QImage& sheet, int cells, int width, int height, int x,
             int y);

// True when every pixel of the screenshot is pure black.
bool AllBlack(const QImage& shot);

}  // namespace e2e
