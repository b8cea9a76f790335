# tavrel_add_test(NAME [SERIAL] SOURCES a.cpp b.cpp LIBS lib1 lib2)
# SERIAL: its tests share the program folder's scratch files and run one at a time.
# Builds one GoogleTest executable (with a QApplication-aware main) and registers its
# tests with CTest. Test executables stay out of the program folder.
include(GoogleTest)

function(tavrel_add_test name)
  cmake_parse_arguments(T "SERIAL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
  target_link_libraries(${name} PRIVATE tavrel_test_main ${T_LIBS})
  tavrel_warnings(${name})
  target_compile_definitions(${name} PRIVATE
    TAVREL_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures"
    TAVREL_PROGRAM_DIR="${TAVREL_PROGRAM_DIR}")
  set(serial FALSE)
  if(T_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    # One variable only: a ';' inside ENVIRONMENT would split this name/value list.
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
               TIMEOUT 300
               RUN_SERIAL ${serial})
endfunction()
