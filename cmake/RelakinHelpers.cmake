# relakin_glob_library(NAME DIR [QT] LINKS ...)
# A static library of every .cpp directly in DIR. QT turns on moc/uic/rcc.
function(relakin_glob_library name dir)
  cmake_parse_arguments(ARG "QT" "" "LINKS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
  file(GLOB hdrs CONFIGURE_DEPENDS "${dir}/*.h")
  if(NOT srcs)
    set(stub "${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp")
    file(WRITE "${stub}" "// intentionally empty\n")
    set(srcs "${stub}")
  endif()
  add_library(${name} STATIC ${srcs} ${hdrs})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTOUIC ON AUTORCC ON)
  endif()
endfunction()

# relakin_sanitizer_defaults(TARGET)
# In the sanitizer build, gives a test program its sanitizer settings and leak suppressions.
function(relakin_sanitizer_defaults target)
  if(RELAKIN_SANITIZE)
    target_sources(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests/sanitizers/defaults.cpp")
    target_compile_definitions(${target} PRIVATE
      RELAKIN_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp")
  endif()
endfunction()

# relakin_add_tests(DIR LINKS ...)
# One test program per DIR/*_test.cpp (GoogleTest's main) and per DIR/*_guitest.cpp
# (our main, which starts a QApplication on the offscreen platform). Each test may run 120 s.
function(relakin_add_tests dir)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS "${dir}/*_test.cpp")
  foreach(src IN LISTS tests)
    get_filename_component(base "${src}" NAME_WE)
    add_executable(${base} "${src}")
    target_link_libraries(${base} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_include_directories(${base} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
    target_compile_definitions(${base} PRIVATE RELAKIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    relakin_sanitizer_defaults(${base})
    gtest_discover_tests(${base} WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 120)
  endforeach()
  file(GLOB guitests CONFIGURE_DEPENDS "${dir}/*_guitest.cpp")
  foreach(src IN LISTS guitests)
    get_filename_component(base "${src}" NAME_WE)
    add_executable(${base} "${src}" "${PROJECT_SOURCE_DIR}/tests/gui_main.cpp")
    set_target_properties(${base} PROPERTIES AUTOMOC ON)
    target_link_libraries(${base} PRIVATE ${ARG_LINKS} Qt6::Test GTest::gtest GTest::gmock)
    target_include_directories(${base} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
    target_compile_definitions(${base} PRIVATE RELAKIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    relakin_sanitizer_defaults(${base})
    gtest_discover_tests(${base} WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" DISCOVERY_TIMEOUT 120
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
  endforeach()
  # DIR/*_x11test.cpp: GUI tests for a real X server with a window manager, which ctest runs on
  # a desktop of their own (scripts/x11-session.sh: Xvfb with openbox; exit 77, skipped, when
  # those are not installed). Run straight, without an X server, they skip themselves.
  file(GLOB x11tests CONFIGURE_DEPENDS "${dir}/*_x11test.cpp")
  if(x11tests)
    # xcb-xtest: clicks and keys that the X server takes as the user's own, which the window
    # manager sees too.
    find_library(RELAKIN_XCB_LIBRARY xcb)
    find_library(RELAKIN_XCB_XTEST_LIBRARY xcb-xtest)
    find_path(RELAKIN_XCB_INCLUDE_DIR xcb/xcb.h)
    find_path(RELAKIN_XCB_XTEST_INCLUDE_DIR xcb/xtest.h)
    if(NOT RELAKIN_XCB_LIBRARY OR NOT RELAKIN_XCB_INCLUDE_DIR OR NOT RELAKIN_XCB_XTEST_LIBRARY
       OR NOT RELAKIN_XCB_XTEST_INCLUDE_DIR)
      message(STATUS "libxcb or xcb-xtest headers not found: the X server tests are not built")
      set(x11tests "")
    endif()
  endif()
  foreach(src IN LISTS x11tests)
    get_filename_component(base "${src}" NAME_WE)
    add_executable(${base} "${src}" "${PROJECT_SOURCE_DIR}/tests/gui_main.cpp")
    set_target_properties(${base} PROPERTIES AUTOMOC ON)
    target_link_libraries(${base} PRIVATE ${ARG_LINKS} Qt6::Test GTest::gtest GTest::gmock
      "${RELAKIN_XCB_LIBRARY}" "${RELAKIN_XCB_XTEST_LIBRARY}")
    target_include_directories(${base} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests"
      "${RELAKIN_XCB_INCLUDE_DIR}")
    target_compile_definitions(${base} PRIVATE RELAKIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
      RELAKIN_X11_TESTS)
    relakin_sanitizer_defaults(${base})
    add_test(NAME ${base} COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/x11-session.sh"
      "$<TARGET_FILE:${base}>" WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
    set_tests_properties(${base} PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)
  endforeach()
endfunction()
