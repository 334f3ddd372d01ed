# Code page 936 (GBK) conversions over glibc iconv.
ff_add_library(ff_codepage SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/codepage.cpp)
ff_add_tests(ff_codepage_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/codepage_test.cpp
  DEPS ff_codepage)
