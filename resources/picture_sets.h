// The sets of pictures the panel shows, each drawn in a file of its own.
#pragma once

#include "resources/picture_output.h"

// The status strip's icons, on and off, and the battery's levels.
void WriteStatusIcons(Output& out);
// The pictures of every model: the lead warnings, the unconnected meter,
// the missing cable and the blank.
void WriteCommonPictures(Output& out);
// A connection diagram for each model and function; false when a function
// of the tables has no drawing.
bool WriteDiagrams(Output& out);
