# The process test runs the launcher program itself.
add_dependencies(${target} kestrel)
# The message coverage test scans the launcher sources for message numbers.
target_compile_definitions(${target} PRIVATE KESTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}/src")
