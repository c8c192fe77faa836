# The dialog tests click and type through QTest.
target_link_libraries(${target} PRIVATE Qt6::Test)
