# kestrel_layer(NAME FOLDER... [LINKS LIBRARY...]) builds the layer NAME of src/ as the
# static library kestrel_NAME from the .cpp and .h files directly in each FOLDER
# (relative to src/), linked to the layer declared just before it and to the LIBRARYs.
# Files that land in a folder join its layer at the next build. A layer whose folders
# hold no code yet is an interface library, so the stack stays whole.
set(KESTREL_LAYER_BELOW "")

function(kestrel_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LINKS")
  set(sources)
  foreach(folder ${arg_UNPARSED_ARGUMENTS})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")

  set(target kestrel_${name})
  if(compiled)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
    kestrel_target_defaults(${target})
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} ${scope} ${KESTREL_LAYER_BELOW} ${arg_LINKS})
  set(KESTREL_LAYER_BELOW ${target} PARENT_SCOPE)
endfunction()
