#include "gui/actions/import_act.h"

#include <utility>

#include "gui/actions/action_state.h"
#include "core/actions/tool_act.h"
#include "gui/app/dialog.h"
#include "gui/app/fs_path.h"
#include "gui/app/messages.h"

namespace tessaloom {

void ImportAct(ActionState& state, Dialog& dialog, Messages& messages) {
  dialog.SetTitle(QStringLiteral("Import Actions ...."));
  dialog.SetFilter(QStringLiteral("Ragnarok Action File |*.act"));
  dialog.SetFileName(QString());
  dialog.ShowOpen();
  const QString path = dialog.FileName();
  if (path.isEmpty()) return;

  Result<ActData> read = Tool_Act::ReadActFile(FsPath(path));
  if (!read) {
    messages.Show(MessageFromError(read.error()));
    return;
  }
  state.ReplaceAct(std::move(*read));
}

}  // namespace tessaloom
