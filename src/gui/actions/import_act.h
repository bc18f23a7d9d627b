#pragma once
// Actions > Import: asks for an action file and makes it the loaded one. A file that
// cannot be read is reported and the loaded file, if any, stays.

namespace tessaloom {

class ActionState;
class Dialog;
class Messages;

void ImportAct(ActionState& state, Dialog& dialog, Messages& messages);

}  // namespace tessaloom
