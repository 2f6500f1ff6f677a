# The socket layers' byte parsers (SOCKS replies, line mode). They need nothing but the core
# library, so the fuzz targets build them without Qt or sockets.
if(NOT TARGET qex_net_parsers)
  add_library(qex_net_parsers STATIC
    ${CMAKE_CURRENT_LIST_DIR}/LineBuffer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SocksProtocol.cpp)
  target_include_directories(qex_net_parsers PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qex_net_parsers PUBLIC qex_platform_core)
endif()
