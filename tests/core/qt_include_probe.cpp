// Built with the core's include paths only; it must fail to compile.
#include <QtCore/QString>

int ProbeQtInclude() { return QString().size(); }
