#pragma once
// The undo history of the palette's colour edits: the last ten, newest last, each the
// entry that was edited and the colour it had before. It belongs to the program, not
// to the palette window, so closing the window keeps it.

#include <array>
#include <optional>

#include "core/sprite/palette.h"

namespace tessaloom {

struct PaletteEdit {
  int Index = 0;
  Color Before = 0;  // the entry's true colour before the edit

  bool operator==(const PaletteEdit&) const = default;
};

class PaletteUndo {
 public:
  static constexpr int kSlots = 10;

  int Count() const { return m_count; }
  // Whether the Undo commands are enabled: a record enables them and the undo that
  // empties the history disables them. Clear leaves them as they are, so an undo
  // after a newly opened sprite or an added frame finds nothing to do.
  bool CommandEnabled() const { return m_commandEnabled; }

  // With ten edits held, the oldest drops out.
  void Record(PaletteEdit edit);
  // The newest edit, taken out of the history; none when it is empty.
  std::optional<PaletteEdit> TakeNewest();
  void Clear() { m_count = 0; }

 private:
  std::array<PaletteEdit, kSlots> m_edits{};
  int m_count = 0;
  bool m_commandEnabled = false;
};

}  // namespace tessaloom
