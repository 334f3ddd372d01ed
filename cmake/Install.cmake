# Installation and packaging.
#
# Two install components:
#   runtime      bin/font-fetch and its manual page (share/man/man1/font-fetch.1.gz)
#   development  the public headers under include/font-fetch/ (folder structure kept),
#                the static libraries under lib/font-fetch/ and the CMake package
#                lib/cmake/font-fetch/, so that another project can write
#                  find_package(font-fetch 0.1 REQUIRED)
#                  target_link_libraries(app PRIVATE font-fetch::core)
#
# CPack turns each component into a Debian package: "font-fetch" (runtime, its
# dependencies found by dpkg-shlibdeps) and "font-fetch-dev" (development, depending on
# the -dev packages the static libraries need at link time).

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(FF_INSTALL_INCLUDEDIR include/font-fetch)  # matches the libraries' INSTALL_INTERFACE
set(FF_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/font-fetch)
set(FF_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/font-fetch)

# The library part, in dependency order. The dialogue's own libraries (ff_console,
# ff_platform_console) serve only the program and are not installed.
set(FF_LIBRARY_TARGETS
  ff_text ff_codepage ff_automation ff_http_object ff_script_control ff_web ff_json)
set(FF_HEADER_FOLDERS text automation web json)

# ---- runtime ----------------------------------------------------------------------

install(TARGETS font-fetch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)

# Debian installs manual pages compressed; man reads either form.
find_program(FF_GZIP gzip)
set(FF_MAN_PAGE ${PROJECT_SOURCE_DIR}/font-fetch.1)
if(FF_GZIP)
  set(FF_MAN_PAGE_GZ ${PROJECT_BINARY_DIR}/font-fetch.1.gz)
  add_custom_command(OUTPUT ${FF_MAN_PAGE_GZ}
    COMMAND ${FF_GZIP} -9 -n -c ${FF_MAN_PAGE} > ${FF_MAN_PAGE_GZ}
    DEPENDS ${FF_MAN_PAGE}
    COMMENT "Compressing the manual page")
  add_custom_target(font-fetch-man ALL DEPENDS ${FF_MAN_PAGE_GZ})
  install(FILES ${FF_MAN_PAGE_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
else()
  install(FILES ${FF_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
endif()

# ---- development ------------------------------------------------------------------

# Every header of the library folders except test helpers: *_test.h, *_testing.h,
# test_*.h and the testing/ subfolders (not globbed).
foreach(folder IN LISTS FF_HEADER_FOLDERS)
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  list(FILTER headers EXCLUDE REGEX "/(test_[^/]*|[^/]*_test|[^/]*_testing)\\.h$")
  install(FILES ${headers}
    DESTINATION ${FF_INSTALL_INCLUDEDIR}/${folder} COMPONENT development)
endforeach()

add_library(ff_core INTERFACE)
set_target_properties(ff_core PROPERTIES EXPORT_NAME core)
add_library(font-fetch::core ALIAS ff_core)

target_link_libraries(ff_core INTERFACE ${FF_LIBRARY_TARGETS})
# The headers need C++20 of whoever includes them.
target_compile_features(ff_core INTERFACE cxx_std_20)
# Libraries built with sanitizers or fuzzer instrumentation need their runtimes where
# they are linked.
if(FONT_FETCH_SANITIZE)
  target_link_options(ff_core INTERFACE -fsanitize=${FONT_FETCH_SANITIZE})
endif()
if(FONT_FETCH_FUZZ)
  target_link_options(ff_core INTERFACE -fsanitize=fuzzer-no-link)
endif()

install(TARGETS ff_core ${FF_LIBRARY_TARGETS}
  EXPORT font-fetch-targets
  ARCHIVE DESTINATION ${FF_INSTALL_LIBDIR} COMPONENT development)
install(EXPORT font-fetch-targets
  NAMESPACE font-fetch::
  DESTINATION ${FF_INSTALL_CMAKEDIR}
  COMPONENT development)

configure_package_config_file(
  ${PROJECT_SOURCE_DIR}/cmake/font-fetchConfig.cmake.in
  ${PROJECT_BINARY_DIR}/font-fetchConfig.cmake
  INSTALL_DESTINATION ${FF_INSTALL_CMAKEDIR})
# Before 1.0 a minor release may change the interface.
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/font-fetchConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/font-fetchConfig.cmake
    ${PROJECT_BINARY_DIR}/font-fetchConfigVersion.cmake
  DESTINATION ${FF_INSTALL_CMAKEDIR}
  COMPONENT development)

# ---- Debian packages --------------------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME font-fetch)
set(CPACK_PACKAGE_VENDOR "font-fetch developers")
set(CPACK_PACKAGE_CONTACT "font-fetch developers <font-fetch@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Each package's description is its component's: the first line is the synopsis.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME font-fetch)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
  "fetches a font from a busy font-sharing website and saves it to the Desktop
font-fetch asks for a font's download link, requests it again while the website
answers with its waiting page, reports the website's error answers and saves the
font to the Desktop as 字体 plus the link's extension.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME font-fetch-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
  "libcurl4-openssl-dev | libcurl-dev, libjavascriptcoregtk-4.1-dev, pkg-config")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
  "font-fetch C++ library: HTTP requests and JSON documents
Static libraries, headers and the CMake package (find_package(font-fetch),
target font-fetch::core) of the font-fetch library: web_request, one HTTP
exchange with headers, cookies, proxies and time-outs, and JsonDocument, a
JSON value kept in an embedded JavaScript engine.")

include(CPack)
