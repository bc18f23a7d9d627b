#pragma once
// The main window's operations that the commands and the other windows call.

namespace tessaloom {

class SprOperations {
 public:
  // Clears the canvas and draws frame `frame` (1-based) of the sprite; in action mode
  // clip `frame` (0-based) of the current action.
  virtual void DrawFrame(int frame) = 0;
  // Refills the palette window's cells from the sprite's palette, creating the
  // window hidden when it does not exist yet.
  virtual void LoadPalette() = 0;
  // Fills the canvas with its background colour and picture.
  virtual void ClearCanvas() = 0;
  // Shows a changed view setting at once: the current frame when the sprite has
  // frames, else the cleared canvas.
  virtual void Refresh() = 0;

 protected:
  ~SprOperations() = default;
};

}  // namespace tessaloom
