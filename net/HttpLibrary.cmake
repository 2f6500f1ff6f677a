# The HTTP client. Its request and response logic needs nothing but the core library, so the
# fuzz target and the unit tests can use it without sockets.
if(NOT TARGET qex_net_http)
  add_library(qex_net_http STATIC
    ${CMAKE_CURRENT_LIST_DIR}/HttpDate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpDocName.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpEncoding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpHeaderFields.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpLineBuffer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpRequestHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpResponse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpResponseReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpTarget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpUrl.cpp)
  target_include_directories(qex_net_http PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qex_net_http PUBLIC qex_platform_core)
endif()
