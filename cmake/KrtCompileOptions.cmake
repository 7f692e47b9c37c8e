# Warnings and sanitizers shared by every target of the project.
add_library(krt_compile_options INTERFACE)
target_compile_options(krt_compile_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
if(KRT_WERROR)
  target_compile_options(krt_compile_options INTERFACE -Werror)
endif()

if(KRT_SANITIZE)
  # vptr checks misfire on classes whose type information lives in a dlopen()ed module.
  set(KRT_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=undefined
      -fno-omit-frame-pointer)
  add_compile_options(${KRT_SANITIZE_FLAGS})
  add_link_options(${KRT_SANITIZE_FLAGS})
endif()

# krt_floor(<name> [DEPS <targets...>] [SOURCES_FROM <dir>])
# One folder of the component as a static library of its own. The component stands on floors
# (kernel → trading, ladder, valuation, chooser → the tools → frame) and a folder may use only
# what it names in DEPS. The linker holds every folder to that: each library is also linked
# once as a shared object against its DEPS alone, with undefined symbols refused, so a call
# upward or sideways fails the build instead of waiting to be found in review.
function(krt_floor name)
  cmake_parse_arguments(F "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src/krttools)
  target_link_libraries(${name} PUBLIC ${F_DEPS} krt_compile_options)

  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}_floor_check.cpp "// links ${name} against its floors only\n")
  add_library(${name}_floor_check SHARED ${CMAKE_CURRENT_BINARY_DIR}/${name}_floor_check.cpp)
  set_target_properties(${name}_floor_check PROPERTIES AUTOMOC OFF LIBRARY_OUTPUT_DIRECTORY
                        ${CMAKE_BINARY_DIR}/floor-check)
  target_link_libraries(${name}_floor_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>" ${F_DEPS})
  target_link_options(${name}_floor_check PRIVATE -Wl,--no-undefined)
endfunction()
