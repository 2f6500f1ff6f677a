qex_add_bench(startup LIBS qex_app qex_test_fixtures)
add_executable(bench_bare_window bare_window.cpp)
target_link_libraries(bench_bare_window PRIVATE qex_first_paint)
set_target_properties(bench_bare_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(bench_startup qex bench_bare_window)
target_compile_definitions(bench_startup PRIVATE QEX_PROGRAM="$<TARGET_FILE:qex>"
  QEX_BARE_WINDOW="$<TARGET_FILE:bench_bare_window>")
