#include "gui/actions/frame_value.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <array>
#include <cstdint>

namespace tessaloom {
namespace {

constexpr int kLabelColumn = 0;
constexpr int kValueColumn = 1;

struct PropertyRow {
  const char* Label;
  const char* ValueKey;
};

constexpr std::array<PropertyRow, kPropertyRows> kRows{{
    {"Position X", "PosXValue"},
    {"Position Y", "PosYValue"},
    {"Size X", "SizeXValue"},
    {"Size Y", "SizeYValue"},
    {"Scale X", "ScaleXValue"},
    {"Scale Y", "ScaleYValue"},
    {"Direction", "DirectionValue"},
    {"Red", "RedValue"},
    {"Green", "GreenValue"},
    {"Blue", "BlueValue"},
    {"Alpha", "AlphaValue"},
    {"Extra X", "ExtraXValue"},
    {"Extra Y", "ExtraYValue"},
    {"Frame", "FrameValue"},
}};

// The values in the order of the rows.
std::array<std::int64_t, kPropertyRows> RowValues(const ActLayer& layer, const ActClip& clip) {
  return {layer.PosX,  layer.PosY,      layer.SizeX, layer.SizeY,  layer.ScaleX,
          layer.ScaleY, layer.Direction, layer.Red,   layer.Green,  layer.Blue,
          layer.Alpha,  clip.Extra.ExtraX, clip.Extra.ExtraY, layer.SpriteIndex};
}

}  // namespace

void AddPropertyRows(QTreeWidget& list) {
  list.setColumnCount(2);
  list.setHeaderLabels({QStringLiteral("Field"), QStringLiteral("Value")});
  list.setRootIsDecorated(false);
  list.header()->setSectionResizeMode(kLabelColumn, QHeaderView::ResizeToContents);
  for (const PropertyRow& row : kRows) {
    auto* item = new QTreeWidgetItem(&list);
    const QString label = QString::fromLatin1(row.Label);
    item->setText(kLabelColumn, label);
    item->setData(kLabelColumn, Qt::UserRole, label);
    item->setText(kValueColumn, QStringLiteral("0"));
    item->setData(kValueColumn, Qt::UserRole, QString::fromLatin1(row.ValueKey));
  }
}

void ShowLayerRows(QTreeWidget& list, const ActLayer& layer, const ActClip& clip) {
  const std::array<std::int64_t, kPropertyRows> values = RowValues(layer, clip);
  for (int i = 0; i < kPropertyRows; ++i)
    list.topLevelItem(i)->setText(kValueColumn, QString::number(values[static_cast<std::size_t>(i)]));
}

void ClearPropertyRows(QTreeWidget& list) {
  for (int i = 0; i < kPropertyRows; ++i) list.topLevelItem(i)->setText(kValueColumn, QStringLiteral("0"));
}

}  // namespace tessaloom
