# The engine tests load the real sw.so and hw.so and talk to kestrel-peer game
# servers; the engine's own text handling and save naming are compiled in for its
# unit tests.
add_dependencies(${target} sw hw)
target_link_libraries(${target} PRIVATE kestrelpeer)
target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/engine/CommandText.cpp ${PROJECT_SOURCE_DIR}/engine/ConsoleVariables.cpp
  ${PROJECT_SOURCE_DIR}/engine/GameSaves.cpp)
target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/engine)
