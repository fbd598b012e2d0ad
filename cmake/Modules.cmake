# quorvia_module(<name> SOURCES ... DEPENDS ...)
# Declares a module library whose files are the current source folder (a
# module in a subfolder owns that subfolder).  Its folder and allowed
# dependencies are recorded so that the module_dependencies test can refuse
# an #include that crosses them.
function(quorvia_module name)
  cmake_parse_arguments(M "" "" "SOURCES;DEPENDS;SYSTEM_LIBS" ${ARGN})
  add_library(${name} STATIC ${M_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${M_DEPENDS} ${M_SYSTEM_LIBS})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  file(WRITE ${PROJECT_BINARY_DIR}/deps/${name}.txt "${folder}\n${M_DEPENDS}")
endfunction()

# quorvia_test(<name> SOURCES ... LIBS ... [DEFINITIONS ...]): one test
# program per feature.
function(quorvia_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEFINITIONS" ${ARGN})
  if(NOT QUORVIA_TESTS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE ${T_DEFINITIONS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 120)
endfunction()
