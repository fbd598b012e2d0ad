# quorvia_module(<name> SOURCES ... DEPENDS ...)
# Declares a module library whose files are the current source folder (a
# module in a subfolder owns that subfolder).  Its folder and allowed
# dependencies are recorded, with its place in the order of declaration, so
# that the module_dependencies test can refuse an #include that crosses them.
function(quorvia_module name)
  cmake_parse_arguments(M "" "" "SOURCES;DEPENDS;SYSTEM_LIBS" ${ARGN})
  if(M_SOURCES)
    add_library(${name} STATIC ${M_SOURCES})
    set(scope PUBLIC)
  else()  # headers only
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} ${scope} ${M_DEPENDS} ${M_SYSTEM_LIBS})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  # The place in the order of declaration: a module may use only those
  # declared before it.
  get_property(place GLOBAL PROPERTY QUORVIA_MODULE_COUNT)
  if(NOT place)
    set(place 0)
  endif()
  math(EXPR next "${place} + 1")
  set_property(GLOBAL PROPERTY QUORVIA_MODULE_COUNT ${next})
  file(WRITE ${PROJECT_BINARY_DIR}/deps/${name}.txt "${folder}\n${place}\n${M_DEPENDS}")
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
  if(CMAKE_CROSSCOMPILING)
    # Under the emulator every case would start a Windows process of its
    # own, and listing them at build time would need it while building: one
    # run per program.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 120)
  endif()
endfunction()
