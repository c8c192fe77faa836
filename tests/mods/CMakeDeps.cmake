target_link_libraries(${target} PRIVATE kestrelpeer kestrelquery)
target_compile_definitions(${target} PRIVATE KESTREL_MODS_SITES="${CMAKE_CURRENT_SOURCE_DIR}/mods/loopback_sites.py")
