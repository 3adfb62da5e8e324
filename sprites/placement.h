// Shared rules of the property tables beyond the declared placement rules: the two halves of a
// swimmer's position (the sea-horse school's leader takes a swimmer's X but a Y of its own),
// the cell layout every table sets, and a record's picture name with its file check.
#pragma once

#include <string>

#include "runtime/checked.h"
#include "sprites/sprite.h"

// A left edge inside the turn limits: floor(r * (RightLimit - width - LeftLimit + 1) + LeftLimit).
rt::Long RandomSwimX(rt::Integer width);
// A top edge inside the swimming band: floor(r * (BottomLimit - height + 1)).
rt::Long RandomSwimY(rt::Integer height);

// A single-row sheet's cell size and count, read from source x 0 and y 0.
void SetCells(Sprite& s, rt::Integer width, rt::Integer height, rt::Integer frames);

// Notes whether the record's picture file is installed in DataDir.
void CheckInstalled(Sprite& s);
// Names the record's picture and at once checks it.
void SetPicture(Sprite& s, const std::string& image_file);
