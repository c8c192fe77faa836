# The demo tests build a world in-process with the generator's library.
target_link_libraries(${target} PRIVATE kestreldemo)
