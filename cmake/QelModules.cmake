# Helpers through which each folder under src/ and tests/ declares what it adds.
#
#   qel_sources(PORTABLE a.cpp ... WINDOWS b.cpp ...)
#       PORTABLE files include no Windows header: they go into qel_portable, which both presets build.
#       WINDOWS files go into qel_win, built only by the Windows preset.
#   qel_test(NAME n [PORTABLE] SOURCES ... [LIBS ...] [RESOURCES ...] [PROPERTIES prop value ...])
#       A GoogleTest program. PORTABLE tests run in both presets (natively with sanitizers on the
#       host, under Wine on Windows); the others only in the Windows preset. PROPERTIES are set on
#       every test case (RESOURCE_LOCK screen for tests that need the display to themselves, ...).
#   qel_fuzzer(NAME n SOURCES ... [SECONDS s] [SEEDS dir])
#       A libFuzzer target (host preset with clang only), registered as a test that runs for s seconds.

# Adds every folder under the given top-level folder that has a CMakeLists.txt.
macro(qel_add_folders parent)
  file(GLOB qel_folders LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/${parent}/*)
  foreach(qel_folder IN LISTS qel_folders)
    if(EXISTS ${qel_folder}/CMakeLists.txt)
      add_subdirectory(${qel_folder})
    endif()
  endforeach()
endmacro()

function(qel_sources)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WINDOWS" ${ARGN})
  foreach(f IN LISTS ARG_PORTABLE)
    set_property(GLOBAL APPEND PROPERTY QEL_PORTABLE_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
  foreach(f IN LISTS ARG_WINDOWS)
    set_property(GLOBAL APPEND PROPERTY QEL_WINDOWS_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${f})
  endforeach()
endfunction()

function(qel_test)
  cmake_parse_arguments(ARG "PORTABLE" "NAME" "SOURCES;LIBS;RESOURCES;PROPERTIES" ${ARGN})
  if(NOT ARG_PORTABLE AND NOT QEL_WINDOWS)
    return()
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES} ${ARG_RESOURCES})
  if(ARG_PORTABLE AND NOT QEL_WINDOWS)
    target_link_libraries(${ARG_NAME} PRIVATE qel_portable GTest::gtest_main GTest::gmock ${ARG_LIBS})
  else()
    target_link_libraries(${ARG_NAME} PRIVATE qel_win GTest::gtest_main GTest::gmock ${ARG_LIBS})
  endif()
  target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  # Where the tests find their data and the build's outputs (host paths; Wine sees them under Z:).
  target_compile_definitions(${ARG_NAME} PRIVATE QEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                             QEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${ARG_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${ARG_PROPERTIES})
endfunction()

function(qel_fuzzer)
  cmake_parse_arguments(ARG "" "NAME;SECONDS;SEEDS" "SOURCES" ${ARGN})
  if(QEL_WINDOWS OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 20)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_compile_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${ARG_NAME} PRIVATE qel_portable)
  target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}-corpus)
  set(seeds "")
  if(ARG_SEEDS)
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SEEDS})
  endif()
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${ARG_NAME}
    COMMAND $<TARGET_FILE:${ARG_NAME}> -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048
            -print_final_stats=1 ${corpus} ${seeds})
  set_tests_properties(${ARG_NAME} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()
