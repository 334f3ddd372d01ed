# The script control "MSScriptControl.ScriptControl" over JavaScriptCore, with the limits
# that bound what one call may spend.
ff_add_library(ff_script_control
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/js_engine.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/script_control.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/script_error_info.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/script_limits.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/script_value.cpp
  DEPS ff_automation ff_codepage PkgConfig::JSC)

ff_add_tests(ff_script_control_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/script_control_test.cpp
  DEPS ff_script_control)
