# The menu tests click the main menu with Qt Test, load the real sw.so and join
# kestrel-peer game servers.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_dependencies(${target} sw hw)
target_link_libraries(${target} PRIVATE Qt6::Test kestrelpeer)
