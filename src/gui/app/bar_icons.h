#pragma once
// The toolbar buttons' images and the program's icon, drawn in code so that the
// program needs no image files or icon theme.

#include <QIcon>
#include <QString>

namespace tessaloom {

// The image of the toolbar button with key `key` ("Open", "ZoomIn", "Play"...), or of
// an actions-tree node ("ActionNode", "ClipNode", "LayerNode").
QIcon BarIcon(const QString& key);

// The program's icon: a framed figure on the canvas colour.
QIcon AppIcon();

}  // namespace tessaloom
