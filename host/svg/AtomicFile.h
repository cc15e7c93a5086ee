// Whole files in and out. A file is only ever replaced whole: the new text goes to a temporary
// file beside it, which is renamed over it once it is safely written.
#pragma once

#include <string>

namespace tavrix::svg {

// Throws SvgError "drawing.svg: cannot be read: <reason>".
std::string ReadWholeFile(const std::string& fileName);

// Throws SvgError "drawing.svg: not saved: <step>: <reason>"; the file is then as it was and no
// temporary file is left.
void ReplaceFile(const std::string& fileName, const std::string& text);

}  // namespace tavrix::svg
