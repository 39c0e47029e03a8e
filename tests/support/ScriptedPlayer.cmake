# The scripted player needs no GoogleTest: the benchmarks play with it too, with or without the tests.
include_guard(GLOBAL)
add_library(brickwrath_scripted_player STATIC ${CMAKE_CURRENT_LIST_DIR}/ScriptedPlayer.cpp)
target_include_directories(brickwrath_scripted_player PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(brickwrath_scripted_player PUBLIC brickwrath_core PRIVATE brickwrath_warnings)
