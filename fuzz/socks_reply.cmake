include(${PROJECT_SOURCE_DIR}/net/SocketParsers.cmake)
qex_add_fuzzer(socks_reply LIBS qex_net_parsers)
