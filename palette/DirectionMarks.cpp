// The arrowheads that show the current path's direction on the artwork.
#include "palette/VPointDBox.h"

namespace tavrix {

// The palette already calls this wherever the marks must be drawn or erased; the drawing itself
// comes with the annotation layer.
void VPointDBox::UpdateDirectionMarks(bool /*show*/) {}

}  // namespace tavrix
