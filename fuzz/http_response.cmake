include(${PROJECT_SOURCE_DIR}/net/HttpLibrary.cmake)
qex_add_fuzzer(http_response LIBS qex_http_protocol qex_platform_core)
