# The HTTP client. Its protocol logic (URLs, the request header, the response reader) needs
# nothing but the core library, so the fuzz target uses it without sockets or Qt; the component
# itself drives the socket of qex_net.
if(NOT TARGET qex_http_protocol)
  add_library(qex_http_protocol STATIC
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
  target_include_directories(qex_http_protocol PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qex_http_protocol PUBLIC qex_platform_core)
endif()
if(NOT TARGET qex_net_http AND TARGET qex_net)
  add_library(qex_net_http STATIC
    ${CMAKE_CURRENT_LIST_DIR}/HttpBodyWriter.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpClient.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpClientEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpClientRequest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpClientResponse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpTransferWatch.cpp)
  target_include_directories(qex_net_http PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(qex_net_http PUBLIC qex_http_protocol qex_net qex_platform_messages)
  target_include_directories(qex_net_http PRIVATE $<TARGET_PROPERTY:Qt6::Widgets,INTERFACE_INCLUDE_DIRECTORIES>)
  qex_qt_pch(qex_net_http)
endif()
