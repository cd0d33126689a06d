# Precompiled headers: the heavy headers that a target's files share (the C++ library, GoogleTest,
# Qt, windows.h) are parsed once per target instead of once per file, which roughly halves the
# time the test command spends compiling on two cores. Off, every file parses its own includes,
# which is how a missing include shows.
option(LOADERGUI_PCH "Precompile each target's shared heavy headers" ON)
function(loadergui_precompile target)
  if(LOADERGUI_PCH)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()
