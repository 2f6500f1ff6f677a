qex_add_bench(http LIBS qex_net_http Qt6::Core)
target_sources(bench_http PRIVATE ${PROJECT_SOURCE_DIR}/tests/http/ScriptedServer.cpp)
