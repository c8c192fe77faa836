target_link_libraries(${target} PRIVATE kestrelquery kestrelpeer)
# One test runs the built program.
add_dependencies(${target} kestrel-query)
