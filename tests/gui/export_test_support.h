#pragma once
// What the export tests share: a sprite whose frames show every padding case, the
// export commands run through the scripted dialog, and our files read back whole or
// decoded by Qt's image readers.

#include <QImage>
#include <QImageReader>

#include "common/file_io.h"
#include "support/frame_builder.h"
#include "window_fixture.h"

namespace tessaloom {

class ExportTest : public WindowTest {
 protected:
  // Three frames with the test palette: 3 x 2 of index 1, then 5 x 2 holding index 0
  // (the transparent one) and eight others, then 2 x 2 of index 3.
  static SprDocument ExportSprite() {
    SprDocument sprite;
    sprite.Header.Palette = TestPalette();
    sprite.Frames = {SolidFrame(3, 2, 1), FrameFromRows({{0, 1, 2, 3, 4}, {5, 6, 7, 8, 0}}), SolidFrame(2, 2, 3)};
    sprite.Header.FrameCount = 3;
    return sprite;
  }

  // Chooses the menu item `item`, the dialog answering `name` in the test folder with
  // filter entry `filterIndex`; returns the full path.
  QString Export(const char* item, const QString& name, int filterIndex) {
    const QString path = PathOf(name);
    m_dialog.AnswerFile(path, filterIndex);
    Action(item)->trigger();
    return path;
  }

  static std::vector<std::uint8_t> FileBytes(const QString& path) {
    auto bytes = ReadWholeFile(path.toStdString(), "test");
    EXPECT_TRUE(bytes.has_value()) << path.toStdString();
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
  }

  // The names in the test folder other than the sprites and the settings.
  std::vector<std::string> OutputNames() const {
    std::vector<std::string> names;
    for (const std::string& name : TempDir::ListNames(m_dir.Path())) {
      if (!name.ends_with(".spr") && !name.ends_with(".ini")) names.push_back(name);
    }
    return names;
  }
};

}  // namespace tessaloom
