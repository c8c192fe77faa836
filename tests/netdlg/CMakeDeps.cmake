# The games dialog tests click the dialogs with Qt Test, load the real sw.so and talk
# to a kestrel-peer master and game servers on 127.0.0.1.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_dependencies(${target} sw hw)
target_link_libraries(${target} PRIVATE Qt6::Test kestrelpeer)
target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/browser)
