# The process test runs the launcher program itself; the first-start tests run the
# demo generator.
add_dependencies(${target} kestrel kestrel-demo)
# The message coverage test scans the launcher sources for message numbers.
target_compile_definitions(${target} PRIVATE KESTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}/src")
