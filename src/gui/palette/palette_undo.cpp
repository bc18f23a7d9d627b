#include "gui/palette/palette_undo.h"

#include <algorithm>

namespace tessaloom {

void PaletteUndo::Record(PaletteEdit edit) {
  if (m_count == kSlots) {
    std::shift_left(m_edits.begin(), m_edits.end(), 1);
    --m_count;
  }
  m_edits[static_cast<std::size_t>(m_count)] = edit;
  ++m_count;
  m_commandEnabled = true;
}

std::optional<PaletteEdit> PaletteUndo::TakeNewest() {
  if (m_count == 0) return std::nullopt;
  --m_count;
  if (m_count == 0) m_commandEnabled = false;
  return m_edits[static_cast<std::size_t>(m_count)];
}

}  // namespace tessaloom
