# linkmoor_add_test(NAME SOURCES ... LIBS ... [GUI])
# Builds a GoogleTest program and registers its cases with CTest. GUI tests get
# a main that selects the offscreen platform; both mains clear the proxy settings.
function(linkmoor_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} linkmoor_gui_test_main GTest::gtest Qt6::Widgets Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} linkmoor_test_main GTest::gtest Threads::Threads)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES ENVIRONMENT "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
endfunction()

# The core libraries must not reach Qt, directly or through what they link.
function(linkmoor_check_no_qt)
  foreach(target ${ARGN})
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(libs)
      foreach(lib ${libs})
        if(lib MATCHES "^Qt")
          message(FATAL_ERROR "${target} links ${lib}: the core libraries stay free of Qt")
        endif()
      endforeach()
    endif()
  endforeach()
endfunction()
