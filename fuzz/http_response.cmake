include(${PROJECT_SOURCE_DIR}/net/HttpLibrary.cmake)
qex_add_fuzzer(http_response LIBS qex_net_http qex_platform_core)
