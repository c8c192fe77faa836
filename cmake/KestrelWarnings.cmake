# Project-wide warning and sanitizer flags, applied through kestrel_target_defaults().
add_library(kestrel_options INTERFACE)
target_compile_options(kestrel_options INTERFACE -Wall -Wextra -Wshadow=local -Wno-unused-parameter)
if(KESTREL_WERROR)
  target_compile_options(kestrel_options INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  target_compile_options(kestrel_options INTERFACE -Wno-unused-private-field)
endif()

function(kestrel_target_defaults target)
  target_link_libraries(${target} PRIVATE kestrel_options)
endfunction()
