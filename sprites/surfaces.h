// Picture surfaces of module System: building them from the media folder, releasing them, the
// file check, and the two transparent draws of one cell that every animation routine performs.
#pragma once

#include <string>

#include "runtime/checked.h"
#include "sprites/sprite.h"

void GenerateDC(Sprite& rec);
void RemoveDC(Sprite& rec);
void GenerateColorDC();
void GenerateBackgroundDC();
void GenerateForegroundDC();
rt::Integer FileInstallCheck(const std::string& path);  // truth value
std::string TrimPath(const std::string& path);

// The transparent draw of one cell of r with the surfaces of s (r itself, or element 1 of r's
// group) at (x, y) into BufferDC: mask AND, then picture OR. The source x is checked 16-bit
// Frame * Width plus the 32-bit StripOffset; an overflow raises error 6 in the caller.
void DrawSpriteCell(const Sprite& r, const Sprite& s, rt::Long x, rt::Long y);
// The same for sheets that carry a mask row under the picture row.
void DrawMaskRowCell(const Sprite& r, const Sprite& s, rt::Long x, rt::Long y);
