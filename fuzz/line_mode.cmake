include(${PROJECT_SOURCE_DIR}/net/SocketParsers.cmake)
qex_add_fuzzer(line_mode LIBS qex_net_parsers)
