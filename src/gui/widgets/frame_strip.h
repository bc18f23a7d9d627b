#pragma once
// The frame strip: a row of thumbnails of every frame of the sprite mode's frame list,
// each with its number and size. The current frame is selected and follows playback;
// clicking a thumbnail goes to that frame. Only the thumbnails in view are drawn, each
// once until the frames change, so a sprite of thousands of frames opens at once.

#include <QAbstractListModel>
#include <QHash>
#include <QImage>
#include <QListView>

namespace tessaloom {

class Session;

class FrameListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kThumbnailSide = 48;

  explicit FrameListModel(const Session& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // A thumbnail dragged between two others asks for its frame to be moved there; the
  // model itself changes only when the frames do.
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

  // The frames changed: every row is read again.
  void Reset();

 signals:
  // Frame `number` is to go to place `to` (both 1-based).
  void moveRequested(int number, int to);

 private:
  QImage Thumbnail(int frameNumber) const;

  const Session& m_session;
  mutable QHash<int, QImage> m_thumbnails;  // by frame number, made when first shown
};

class FrameStrip : public QListView {
  Q_OBJECT

 public:
  explicit FrameStrip(const Session& session, QWidget* parent = nullptr);

 signals:
  // The user clicked frame `frameNumber` (1-based).
  void frameChosen(int frameNumber);
  // The user dragged frame `number` to place `to` (both 1-based).
  void moveRequested(int number, int to);

 protected:
  // Only thumbnails of this strip are taken. One dropped between two others asks for
  // the move; the view never moves or removes thumbnails itself.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The frames or their colours changed, or which frames are listed.
  void ShowFrames();
  void SelectCurrent();

  const Session& m_session;
  FrameListModel m_model;
};

}  // namespace tessaloom
