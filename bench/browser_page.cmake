qex_add_bench(browser_page LIBS qex_shell qex_listings qex_test_fixtures)
# The floor: a bare engine of the control's settings in a process of its own.
add_executable(bench_bare_page bare_page.cpp)
target_link_libraries(bench_bare_page PRIVATE qex_browser_helper)
set_target_properties(bench_bare_page PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(bench_browser_page bench_bare_page)
target_compile_definitions(bench_browser_page PRIVATE QEX_BARE_PAGE="$<TARGET_FILE:bench_bare_page>")
