#include "gui/app/frame_commands.h"

#include "gui/app/dialog.h"
#include "gui/app/fs_path.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/spr_operations.h"
#include "gui/app/status_texts.h"
#include "core/convert/converter_bmp.h"
#include "gui/palette/palette_undo.h"

namespace tessaloom {
namespace {

SprFrame FrameOf(Converter_Bmp::BmpImage& bitmap) {
  SprFrame frame;
  frame.Width = bitmap.Width;
  frame.Height = bitmap.Height;
  frame.DataSize = static_cast<std::int32_t>(bitmap.Pixels.size());
  frame.Pixels = std::move(bitmap.Pixels);
  return frame;
}

}  // namespace

FrameCommands::FrameCommands(Session& session, SprOperations& window, Dialog& dialog, Messages& messages,
                             PaletteUndo& undo)
    : m_session(session), m_window(window), m_dialog(dialog), m_messages(messages), m_undo(undo) {}

void FrameCommands::AddFrame() {
  if (m_session.EditsHeldOff()) return;
  m_dialog.SetTitle(QStringLiteral("Import frame ...."));
  m_dialog.SetFilter(QStringLiteral("Bitmap 8 bits |*.bmp"));
  m_dialog.SetFileName(QString());
  m_dialog.ShowOpen();
  const QString path = m_dialog.FileName();
  if (path.isEmpty()) return;

  auto bitmap = Converter_Bmp::ReadBmp(FsPath(path));
  if (!bitmap) {
    m_messages.Show(MessageFromError(bitmap.error()));
    return;
  }
  const int after = m_session.FrameCount() == 0 ? 0 : m_session.SpriteFrame();
  const Status inserted = m_session.InsertFrame(after, FrameOf(*bitmap));
  if (!inserted) {
    m_messages.Show(MessageFromError(inserted.error()));
    return;
  }
  // The pixels are indices into the sprite's palette; only a sprite without one takes
  // the bitmap's colour table.
  if (m_session.Document().Header.Palette.empty()) m_session.ReplacePalette(std::move(bitmap->ColorTable));

  m_window.LoadPalette();
  m_undo.Clear();
  const SprFrame& added = m_session.Document().Frames[static_cast<std::size_t>(after)];
  m_session.SetCanvasToolTip(SizeText(added.Width, added.Height));
  m_window.Refresh();
  m_session.EnableSpriteCommands();
}

void FrameCommands::DeleteFrame() {
  if (m_session.EditsHeldOff() || m_session.FrameCount() == 0) return;
  const int number = m_session.SpriteFrame();
  if (number < 1 || number > m_session.FrameCount()) return;
  const bool confirmed = m_messages.Ask(Message{
      .Text = QStringLiteral("Delete frame %1 of %2?").arg(number).arg(m_session.FrameCount()),
      .Title = QStringLiteral("Delete frame"),
      .Icon = MessageIcon::Question});
  if (!confirmed) return;
  m_session.DeleteFrame(number);
  m_window.Refresh();
}

}  // namespace tessaloom
