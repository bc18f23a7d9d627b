#include "gui/widgets/frame_strip.h"

#include <QPainter>

#include "core/render/preview_drawing.h"
#include "core/sprite/palette.h"
#include "gui/state/session.h"
#include "gui/state/status_texts.h"

namespace tessaloom {
namespace {

constexpr int kCheckerSide = 6;
constexpr int kItemWidth = FrameListModel::kThumbnailSide + 16;
constexpr int kItemHeight = FrameListModel::kThumbnailSide + 36;

// An indexed frame as a picture, index 0 transparent; a 32-bit frame as it is.
QImage FramePicture(const SprDocument& sprite, int frameNumber) {
  const auto index = static_cast<std::size_t>(frameNumber - 1);
  if (index >= sprite.Frames.size()) {
    const SprRgbaFrame& frame = sprite.RgbaFrames[index - sprite.Frames.size()];
    QImage picture(frame.Width, frame.Height, QImage::Format_ARGB32);
    for (int y = 0; y < frame.Height; ++y)
      std::copy_n(frame.Pixels.data() + static_cast<std::size_t>(y) * frame.Width, frame.Width,
                  reinterpret_cast<QRgb*>(picture.scanLine(y)));
    return picture;
  }
  const SprFrame& frame = sprite.Frames[index];
  QImage picture(frame.Width, frame.Height, QImage::Format_Indexed8);
  QList<QRgb> colors(kPaletteEntries);
  for (int entry = 0; entry < kPaletteEntries; ++entry) {
    const Color color = Tool_Spr::PaletteColor(sprite.Header.Palette, static_cast<std::uint8_t>(entry));
    colors[entry] = entry == 0 ? qRgba(0, 0, 0, 0) : qRgb(RedOf(color), GreenOf(color), BlueOf(color));
  }
  picture.setColorTable(colors);
  const std::size_t stride = static_cast<std::size_t>(RowStride(frame.Width));
  for (int y = 0; y < frame.Height; ++y) {
    const std::size_t start = static_cast<std::size_t>(frame.Height - 1 - y) * stride;
    uchar* row = picture.scanLine(y);
    for (int x = 0; x < frame.Width; ++x) {
      const std::size_t at = start + static_cast<std::size_t>(x);
      row[x] = frame.Pixels.empty() ? 0 : frame.Pixels[std::min(at, frame.Pixels.size() - 1)];
    }
  }
  return picture;
}

}  // namespace

FrameListModel::FrameListModel(const Session& session, QObject* parent)
    : QAbstractListModel(parent), m_session(session) {}

int FrameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_session.Playback().FrameListCount();
}

QVariant FrameListModel::data(const QModelIndex& index, int role) const {
  const int number = index.row() + 1;
  if (role == Qt::DisplayRole) {
    const Preview::FrameSize size = Preview::SizeOfFrame(m_session.Document().Sprite(), number);
    return QStringLiteral("%1\n%2x%3").arg(number).arg(size.Width).arg(size.Height);
  }
  if (role == Qt::DecorationRole) {
    auto found = m_thumbnails.find(number);
    if (found == m_thumbnails.end()) found = m_thumbnails.insert(number, Thumbnail(number));
    return *found;
  }
  return {};
}

void FrameListModel::Reset() {
  beginResetModel();
  m_thumbnails.clear();
  endResetModel();
}

// Scaled to fit the square, whole pixels kept sharp, over a checkerboard.
QImage FrameListModel::Thumbnail(int frameNumber) const {
  QImage square(kThumbnailSide, kThumbnailSide, QImage::Format_ARGB32);
  QPainter painter(&square);
  for (int y = 0; y < kThumbnailSide; y += kCheckerSide)
    for (int x = 0; x < kThumbnailSide; x += kCheckerSide)
      painter.fillRect(x, y, kCheckerSide, kCheckerSide,
                       (x / kCheckerSide + y / kCheckerSide) % 2 ? QColor(153, 153, 153) : QColor(204, 204, 204));
  const QImage picture = FramePicture(m_session.Document().Sprite(), frameNumber);
  if (!picture.isNull()) {
    const QImage scaled = picture.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio, Qt::FastTransformation);
    painter.drawImage((kThumbnailSide - scaled.width()) / 2, (kThumbnailSide - scaled.height()) / 2, scaled);
  }
  return square;
}

FrameStrip::FrameStrip(const Session& session, QWidget* parent)
    : QListView(parent), m_session(session), m_model(session) {
  setObjectName(QStringLiteral("FrameStrip"));
  setModel(&m_model);
  setFlow(QListView::LeftToRight);
  setWrapping(false);
  setUniformItemSizes(true);
  setGridSize(QSize(kItemWidth, kItemHeight));
  setIconSize(QSize(FrameListModel::kThumbnailSide, FrameListModel::kThumbnailSide));
  setViewMode(QListView::IconMode);
  setMovement(QListView::Static);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFixedHeight(kItemHeight + 24);
  connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { emit frameChosen(index.row() + 1); });

  const DocumentState& document = session.Document();
  for (auto changed : {&DocumentState::loaded, &DocumentState::cleared, &DocumentState::paletteEdited})
    connect(&document, changed, this, &FrameStrip::ShowFrames);
  connect(&document, &DocumentState::framesEdited, this, &FrameStrip::ShowFrames);
  connect(&session.View(), &ViewState::previewModeChanged, this, &FrameStrip::ShowFrames);
  connect(&session.Playback(), &PlaybackState::positionChanged, this, &FrameStrip::SelectCurrent);
}

void FrameStrip::ShowFrames() {
  m_model.Reset();
  SelectCurrent();
}

void FrameStrip::SelectCurrent() {
  const QModelIndex current = m_model.index(m_session.Playback().SpriteFrame() - 1);
  if (!current.isValid()) return;
  setCurrentIndex(current);
  scrollTo(current);
}

}  // namespace tessaloom
