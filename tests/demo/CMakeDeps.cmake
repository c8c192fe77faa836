# The demo tests build a world in-process with the generator's library.
target_link_libraries(${target} PRIVATE kestreldemo)
# One test runs the launcher program itself on a demo world.
add_dependencies(${target} kestrel sw hw)
