#pragma once
// The property list of the actions window: fourteen fixed rows, each a field label
// and the value of that field of the clicked layer, "0" until a layer is clicked.
// Each row keeps its label as its key and the key of its value ("PosXValue") in the
// value column.

#include "core/actions/act_data.h"

class QTreeWidget;

namespace tessaloom {

inline constexpr int kPropertyRows = 14;

// Sets up `list` as a two-column report with the headers "Field" and "Value" and the
// fourteen rows.
void AddPropertyRows(QTreeWidget& list);

// Shows the fields of `layer`; the rows "Extra X" and "Extra Y" show the extra point
// of `clip`, which the file stores per clip rather than per layer.
void ShowLayerRows(QTreeWidget& list, const ActLayer& layer, const ActClip& clip);

// Every value back to "0".
void ClearPropertyRows(QTreeWidget& list);

}  // namespace tessaloom
