# The process test runs the launcher program itself.
add_dependencies(${target} kestrel)
