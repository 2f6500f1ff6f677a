qex_add_bench(alarm_startup LIBS qex_app qex_test_fixtures Qt6::Widgets)
add_dependencies(bench_alarm_startup qex bench_bare_window)
target_compile_definitions(bench_alarm_startup PRIVATE QEX_PROGRAM="$<TARGET_FILE:qex>"
  QEX_BARE_WINDOW="$<TARGET_FILE:bench_bare_window>")
