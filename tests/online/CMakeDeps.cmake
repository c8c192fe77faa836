# The session tests run the loopback online service of kestrel-peer in-process.
target_link_libraries(${target} PRIVATE kestrelpeer)
