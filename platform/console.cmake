# The console, Desktop folder, whole-file write and path extension stand-ins.
ff_add_library(ff_platform_console
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/locale_encoding.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/line_reader.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/console_io.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/echo_off.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/desktop_folder.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ending_signal_cleanup.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/whole_file.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/queued_file.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/path_extension.cpp
  DEPS ff_codepage Threads::Threads)
ff_add_tests(ff_platform_console_test
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/path_extension_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/line_reader_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/desktop_folder_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/whole_file_test.cpp
  DEPS ff_platform_console)
