# Warnings for every target of the project, and the optional sanitizer build.
add_library(tavrix_warnings INTERFACE)
target_compile_options(tavrix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
if(TAVRIX_WERROR)
  target_compile_options(tavrix_warnings INTERFACE -Werror)
endif()

if(TAVRIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
