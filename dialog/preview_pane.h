// The preview pane's choice of animation routine for a tab's preview record, by the record's
// picture file name: the Scenery tab knows the centrepieces' pictures, each item tab its own
// items' pictures (compared whole and case-sensitively); any other name gets the still loop.
#pragma once

#include <string>

#include "sprites/catalogue.h"

PaneRoutine PaneRoutineFor(int tab, const std::string& image_file);
