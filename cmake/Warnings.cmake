# Every target of ours compiles with the same strict warnings.
function(tessaloom_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
endfunction()
