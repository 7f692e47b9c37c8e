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
