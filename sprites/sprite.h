// The Sprite record: every picture item of the scene, its surfaces, position, cells and steps.
#pragma once

#include <string>

#include "runtime/checked.h"
#include "sprites/surface_ref.h"

// Every field starts at zero or empty, so that a record may be written naming only what it sets.
struct Sprite {
  rt::Long X{};                // left edge of the drawn cell on the back buffer
  rt::Long Y{};                // top edge; may be negative (above the screen)
  rt::Integer Height{};        // one cell
  rt::Integer Width{};         // one cell
  rt::Integer Frames{};        // cells in one direction strip
  rt::Integer Frame{};         // current cell, from 0
  SurfaceRef ImageDC{};        // the picture sheet; pure black is transparent
  SurfaceRef MaskDC{};         // its one-bit mask; white where the picture is black
  rt::Long StripOffset{};      // source-x offset of the direction strip (or a fixed offset)
  rt::Long StripOffsetY{};     // source-y offset; always 0
  rt::Integer Visible{};       // the user's on/off (truth value); a group's is element 1's
  rt::Integer DX{};            // horizontal step per tick; the sign is the direction
  rt::Integer DY{};            // vertical step per tick; positive is downwards
  rt::Integer FrameStep{};     // +1 or -1: direction of a back-and-forth loop
  std::string ImageFile{};     // picture file name in DataDir
  rt::Integer Choice{};        // the user's choice number (Background, CenterpieceSlot only)
  rt::Integer Installed{};     // truth value: the picture file exists
  std::string State{};         // the worm's state
  rt::Integer WobblePeriod{};  // school follower: ticks between flips of its DY
  rt::Integer WobbleCount{};   // school follower: its wobble counter
};
