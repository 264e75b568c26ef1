# Project-wide build helpers.

# Warnings for our own targets only; third-party headers come in as system
# includes and are not held to them.
function(metadraw_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(METADRAW_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12 warns wrongly about overlapping copies inside std::string when it
  # inlines string concatenation in optimised builds (GCC bug 105329).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# One static library per subsystem folder.
function(metadraw_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  metadraw_warnings(${name})
endfunction()

# A GoogleTest executable whose cases are registered with CTest under the
# label of the folder they test. GUI tests run on Qt's offscreen platform.
function(metadraw_add_gtest name)
  cmake_parse_arguments(ARG "QT_MAIN" "LABEL" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT_MAIN)
    target_link_libraries(${name} PRIVATE test_support_qt_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  metadraw_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS ${ARG_LABEL}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
endfunction()

# A libFuzzer target; built only with the fuzz preset.
function(metadraw_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  metadraw_warnings(${name})
endfunction()

# A Google Benchmark executable; built with the default preset, left out of
# the sanitizer and fuzz builds.
function(metadraw_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  metadraw_warnings(${name})
endfunction()
