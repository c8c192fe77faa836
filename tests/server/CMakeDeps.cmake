# The create-server tests build a demo world in-process, click the dialogs with Qt
# Test, start the real ksds and the real sw.so, and look for the servers with the
# launcher's LAN discovery and kestrel-query.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_dependencies(${target} sw hw ksds kestrel-query)
target_link_libraries(${target} PRIVATE Qt6::Test kestreldemo kestrelksds kestrelquery)
