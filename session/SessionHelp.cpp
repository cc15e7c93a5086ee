// What `help` prints: the session language in brief.
#include "session/Session.h"

namespace tavrix::app {

const char* SessionHelpText() {
  return R"(Paths and anchors count from 0; artwork points have v growing upwards. ITEM is a
palette item's name (pointXField) or its id; 'print' shows the names.
  open FILE.svg | save [FILE.svg]          a drawing: its paths become the document's paths
  document [pt|in|mm|cm|pc|px|Q]           a new empty document
  path [closed] X Y [in X Y] [out X Y] [corner] ; ...   add a path
  select P I | select-handle P I [in|out] | select-paths P... | deselect
  units UNIT | increment POINTS
  delete P | delete-anchor P I | insert-anchor P I ANCHOR | close-document
  drag anchor P I H V | drag handle P I in|out H V   the host's Direct Selection tool
  nudge left|right|up|down [shift]         the arrow keys: the keyboard increment (Shift: ten)
  menu                                     open the palette (Window > Tool Palettes > Tavrix)
  window show|hide|collapse|expand | window move H V | window dock "GROUP" CODE
  type ITEM TEXT | click ITEM | cmd-click ITEM | flyout N
  spin ITEM up|down [shift] [ctrl] [hold N]  N repeats of a held arrow, 1 to 200
  undo | redo | restart
  fail OPERATION [SKIP]                    the call of a host operation after SKIP more answers
                                           'PARM' once (AIPath.GetPathClosed)
  zoom F | scroll LEFT TOP | redraw
  print [json]                             the palette as a person sees it, or as JSON
  render FILE.png [palette|artwork|both] [flyout]   a picture of what a person sees
  expect ...                               see the README for every expectation
  help | quit
)";
}

}  // namespace tavrix::app
