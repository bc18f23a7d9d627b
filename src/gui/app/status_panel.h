#pragma once
// The sunken text panels of the windows' status bars.

#include <QLabel>
#include <QStatusBar>

namespace tessaloom {

// Adds a panel named `name` showing `text`; `stretch` shares out the bar's width.
QLabel* AddStatusPanel(QStatusBar& bar, const char* name, const QString& text = {}, int stretch = 1);

}  // namespace tessaloom
