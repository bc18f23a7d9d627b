#include "gui/widgets/frame_strip.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

#include "core/render/preview_drawing.h"
#include "core/render/view_settings.h"
#include "core/sprite/palette.h"
#include "gui/state/session.h"
#include "gui/state/status_texts.h"

namespace tessaloom {
namespace {

constexpr int kCheckerSide = 6;
constexpr char kFrameMimeType[] = "application/x-tessaloom-frame";
constexpr int kItemWidth = FrameListModel::kThumbnailSide + 16;
constexpr int kItemHeight = FrameListModel::kThumbnailSide + 36;

// A drag is taken only when it carries one of the strip's thumbnails.
void AcceptThumbnail(QDragMoveEvent& event) {
  if (event.mimeData()->hasFormat(QString::fromLatin1(kFrameMimeType))) event.acceptProposedAction();
}

QColor QtColor(Color color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

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

Qt::ItemFlags FrameListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList FrameListModel::mimeTypes() const { return {QString::fromLatin1(kFrameMimeType)}; }

QMimeData* FrameListModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kFrameMimeType), QByteArray::number(indexes.first().row()));
  return data;
}

// `row` is the place the thumbnail was dropped before, -1 past the last one.
bool FrameListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex&) {
  if (action != Qt::MoveAction || !data->hasFormat(QString::fromLatin1(kFrameMimeType))) return false;
  bool isNumber = false;
  const int from = data->data(QString::fromLatin1(kFrameMimeType)).toInt(&isNumber);
  const int count = rowCount();
  if (!isNumber || from < 0 || from >= count) return false;
  const int before = row < 0 || row > count ? count : row;
  const int to = before > from ? before - 1 : before;  // the place once the frame has left its own
  if (to != from) emit moveRequested(from + 1, to + 1);
  return false;  // the frames are moved by the document, not by the view
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
                       QtColor((x / kCheckerSide + y / kCheckerSide) % 2 ? kCheckerDark : kCheckerLight));
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
  setUniformItemSizes(true);
  setGridSize(QSize(kItemWidth, kItemHeight));
  setIconSize(QSize(FrameListModel::kThumbnailSide, FrameListModel::kThumbnailSide));
  // Icon mode puts the text under the thumbnail; it sets wrapping, so this comes after.
  setViewMode(QListView::IconMode);
  setFlow(QListView::LeftToRight);
  setWrapping(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragDropMode(QAbstractItemView::InternalMove);
  setDefaultDropAction(Qt::MoveAction);
  setMovement(QListView::Snap);
  setFixedHeight(kItemHeight + 24);
  viewport()->setAcceptDrops(true);
  connect(this, &QListView::clicked, this, [this](const QModelIndex& index) { emit frameChosen(index.row() + 1); });
  connect(&m_model, &FrameListModel::moveRequested, this, &FrameStrip::moveRequested);

  const DocumentState& document = session.Document();
  for (auto changed : {&DocumentState::loaded, &DocumentState::cleared, &DocumentState::paletteEdited})
    connect(&document, changed, this, &FrameStrip::ShowFrames);
  connect(&document, &DocumentState::framesEdited, this, &FrameStrip::ShowFrames);
  connect(&session.View(), &ViewState::previewModeChanged, this, &FrameStrip::ShowFrames);
  connect(&session.Playback(), &PlaybackState::positionChanged, this, &FrameStrip::SelectCurrent);
}

void FrameStrip::dragEnterEvent(QDragEnterEvent* event) { AcceptThumbnail(*event); }

void FrameStrip::dragMoveEvent(QDragMoveEvent* event) { AcceptThumbnail(*event); }

void FrameStrip::dropEvent(QDropEvent* event) {
  const QPoint at = event->position().toPoint();
  const QModelIndex over = indexAt(at);
  // Before the thumbnail under the drop, or after it when dropped on its right half.
  const int row = over.isValid() ? over.row() + (at.x() > visualRect(over).center().x() ? 1 : 0) : -1;
  m_model.dropMimeData(event->mimeData(), Qt::MoveAction, row, 0, {});
  event->setDropAction(Qt::CopyAction);
  event->accept();
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
