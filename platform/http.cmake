# The HTTP request object "WinHttp.WinHttpRequest.5.1" over libcurl, with the transfer
# progress hook it reports to and the spool that may take long bodies.
ff_add_library(ff_http_object
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/body_spool.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/curl_handle.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/http_exchange.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/http_request.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/http_response_reader.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/http_syntax.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/transfer_progress.cpp
  DEPS ff_automation ff_codepage PkgConfig::CURL)

# Test support any folder's tests may link: a loopback HTTP(S) server on a free port
# (platform/testing/loopback_server.h).
if(FONT_FETCH_BUILD_TESTS)
  add_library(ff_test_support INTERFACE)
  target_include_directories(ff_test_support INTERFACE ${PROJECT_SOURCE_DIR})
  target_link_libraries(ff_test_support INTERFACE PkgConfig::HTTPLIB Threads::Threads)
endif()

ff_add_tests(ff_http_object_test
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/http_request_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/http_response_reader_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/http_syntax_test.cpp
  DEPS ff_http_object ff_test_support)
