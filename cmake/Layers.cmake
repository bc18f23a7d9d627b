# Each layer is one library whose headers are reachable only through an include root
# of its own: a folder in the build tree that links to the layer's source folders and
# nothing else. A target sees the roots of the layers it links, so an include that
# names a layer above it finds no file and fails to compile.
#
#   tessaloom_layer_includes(tessaloom_core core)
#   tessaloom_layer_includes(tessaloom_gui_state gui/state)
#
# makes `#include "core/render/image.h"` or `"gui/state/session.h"` work in the layer
# itself and in every layer that links it.
function(tessaloom_layer_includes target)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
