#include "gui/window/frame_commands.h"

#include <algorithm>

#include "core/convert/bmp_layout.h"
#include "core/convert/converter_bmp.h"
#include "gui/state/dialog.h"
#include "gui/state/messages.h"
#include "gui/state/session.h"
#include "gui/state/status_texts.h"
#include "gui/window/palette_commands.h"
#include "gui/window/palette_editing.h"

namespace tessaloom {
namespace {

// A bitmap that is not 8 bits is told with an OK button only, without an icon.
Message BitmapMessage(const Error& error) {
  const bool notIndexed = error.title == Converter_Bmp::kFormatTitle;
  return MessageFromError(error, notIndexed ? MessageIcon::None : MessageIcon::Exclamation);
}

}  // namespace

FrameCommands::FrameCommands(Session& session, PaletteCommands& palette, PaletteEditing& editing, Dialog& dialog,
                             Messages& messages)
    : m_session(session), m_palette(palette), m_editing(editing), m_dialog(dialog), m_messages(messages) {}

void FrameCommands::AddFrame() {
  const QString path = m_dialog.AskOpen(QStringLiteral("Import frame ...."), QStringLiteral("Bitmap 8 bits |*.bmp"));
  if (!path.isEmpty()) AddFrameFrom(path);
}

void FrameCommands::AddFrameFrom(const QString& path) {
  auto bitmap = Converter_Bmp::ReadBmp(FsPath(path));
  if (!bitmap) {
    m_messages.Show(BitmapMessage(bitmap.error()));
    return;
  }
  DocumentState& document = m_session.Document();
  // While a 32-bit colour frame is current the bitmap goes after the indexed frames.
  const int after = std::min(m_session.Playback().SpriteFrame(), document.FrameCount());
  const Status inserted = document.InsertBitmapFrame(after, std::move(*bitmap));
  if (!inserted) {
    m_messages.Show(MessageFromError(inserted.error()));
    return;
  }

  m_palette.LoadPalette();
  m_editing.ClearHistory();
  const SprFrame& added = document.Sprite().Frames[static_cast<std::size_t>(after)];
  document.SetToolTip(SizeText(added.Width, added.Height));
  m_session.EnableSpriteCommands();
}

void FrameCommands::DeleteFrame() {
  const int count = m_session.Document().FrameCount();
  const int number = m_session.Playback().SpriteFrame();
  if (m_session.Playback().SpriteFrameIsColourFrame()) {
    const QString text = QStringLiteral("Frame %1 is a 32-bit colour frame; only indexed frames can be deleted.");
    m_messages.Show(Message{.Text = text.arg(number),
                            .Title = QStringLiteral("Delete frame"),
                            .Icon = MessageIcon::Information});
    return;
  }
  if (number < 1 || number > count) return;
  const bool confirmed = m_messages.Ask(Message{.Text = QStringLiteral("Delete frame %1 of %2?").arg(number).arg(count),
                                                .Title = QStringLiteral("Delete frame"),
                                                .Icon = MessageIcon::Question});
  if (confirmed) m_session.Document().DeleteFrame(number);
}

void FrameCommands::MoveFrame(int by) {
  if (m_session.Playback().SpriteFrameIsColourFrame()) return;
  const int number = m_session.Playback().SpriteFrame();
  m_session.Document().MoveFrame(number, number + by);
}

}  // namespace tessaloom
