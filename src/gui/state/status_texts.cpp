#include "gui/state/status_texts.h"

#include <algorithm>
#include <cmath>

namespace tessaloom {

QString SignedText(int value) {
  return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

QString SizeText(int width, int height) {
  return QStringLiteral("Size: %1 x %2").arg(width).arg(height);
}

QString LoadedPositionText(int current, int total) {
  const int digits = static_cast<int>(QString::number(total).size());
  return QStringLiteral("Frame : %1/%2").arg(current, digits, 10, QLatin1Char('0')).arg(SignedText(total));
}

QString FpsText(int tickMs) {
  constexpr int kFieldWidth = 4;
  const long rate = std::lround(1000.0 / std::max(1, tickMs));
  return QStringLiteral("FPS:%1").arg(rate, kFieldWidth);
}

QString ZoomText(int zoomStep) { return QString::number(zoomStep - 2) + QStringLiteral("x"); }

QString PaletteToolTip(Color color) {
  return SignedText(RedOf(color)) + QStringLiteral(",") + SignedText(GreenOf(color)) + QStringLiteral(",") +
         SignedText(BlueOf(color));
}

QString PixelText(const std::optional<ProbedPixel>& pixel) {
  if (!pixel) return {};
  const QString place = QStringLiteral("Pixel %1, %2: ").arg(pixel->X).arg(pixel->Y);
  const QString color = QStringLiteral("#") + QStringLiteral("%1").arg(pixel->Color & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
  if (pixel->Index < 0) return place + color + QStringLiteral(", alpha ") + QString::number(pixel->Color >> 24);
  return place + QStringLiteral("index ") + QString::number(pixel->Index) + QStringLiteral(", ") + color;
}

}  // namespace tessaloom
