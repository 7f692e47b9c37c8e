# The run layout mirrors the terminal's folders so relative paths such as ../cfg/X hold:
#   dist/bin  programs, libraries and skins (the working folder)
#   dist/cfg  configuration files
set(KRT_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(KRT_DIST_BIN ${KRT_DIST_DIR}/bin)
set(KRT_DIST_CFG ${KRT_DIST_DIR}/cfg)
file(MAKE_DIRECTORY ${KRT_DIST_BIN} ${KRT_DIST_CFG})

# Places a program or library in dist/bin, where the terminal and the tests expect it.
function(krt_install_to_dist target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${KRT_DIST_BIN}
    LIBRARY_OUTPUT_DIRECTORY ${KRT_DIST_BIN}
    BUILD_RPATH "$ORIGIN")
endfunction()

# Copies a tree of data files into the run layout at build time, keeping it current.
function(krt_copy_tree name source destination)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
  set(outputs)
  foreach(f ${files})
    add_custom_command(OUTPUT ${destination}/${f}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source}/${f} ${destination}/${f}
      DEPENDS ${source}/${f})
    list(APPEND outputs ${destination}/${f})
  endforeach()
  add_custom_target(${name} ALL DEPENDS ${outputs})
endfunction()
