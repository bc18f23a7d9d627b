#pragma once
// Changes to a sprite's frame list, shared by the main window and the command-line
// tool. Each keeps Header.FrameCount equal to the number of Frames.

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Tool_Spr {

inline constexpr const char* kAddFrameErrorTitle = "Add error";

// Inserts `frame` after the 1-based frame `after` (0 puts it first, as on an empty
// sprite), then numbers the last frame with the frame count. Refused when `after` is
// not a frame position or the sprite already has kMaxFrames frames.
Status InsertFrame(SprDocument& document, int after, SprFrame frame);

// Removes the frame at 0-based `index`; an index outside the frames changes nothing.
void DeleteFrame(SprDocument& document, int index);

// Moves the frame at 0-based `from` to 0-based `to`, the frames between shifting by
// one; an index outside the frames changes nothing.
void MoveFrame(SprDocument& document, int from, int to);

// The New command: no frames and no palette; Compressed is kept.
void ClearDocument(SprDocument& document);

}  // namespace tessaloom::Tool_Spr
