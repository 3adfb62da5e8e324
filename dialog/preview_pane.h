// The preview pane's choice of animation routine for each tab, by the picture file name of the
// tab's preview record (compared whole and case-sensitively; an unknown name gets the last row).
#pragma once

#include <string>

#include "sprites/sprite.h"

using PaneRoutine = void (*)(Sprite& rec);

PaneRoutine SceneryRoutine(const std::string& image_file);
PaneRoutine PredatorRoutine(const std::string& image_file);
PaneRoutine FishRoutine(const std::string& image_file);
PaneRoutine OtherRoutine(const std::string& image_file);

// The bubbles' row: the pane shows bubbles 1 to 25, not the record it is given.
void BubblesInPane(Sprite& rec);
