cmake_policy(VERSION 3.25)
# The module check on small trees of its own: each case must be refused
# with its message, and the sound tree accepted.  Run by the
# module_dependencies_check test with -DCHECK=<CheckModuleDeps.cmake> -DWORK=<folder>.

# module(name folder place deps...): a module's record, as Modules.cmake writes it.
function(module name folder place)
  list(JOIN ARGN ";" deps)
  file(WRITE ${WORK}/deps/${name}.txt "${folder}\n${place}\n${deps}")
endfunction()

function(source path text)
  file(WRITE ${WORK}/src/${path} "${text}\n")
endfunction()

set(failures "")
# expect(description pattern): runs the check; an empty pattern wants it to pass.
function(expect what pattern)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK}/src -DDEPS_DIR=${WORK}/deps -P ${CHECK}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(pattern STREQUAL "")
    if(NOT result EQUAL 0)
      list(APPEND failures "${what}: refused: ${err}")
    endif()
  elseif(result EQUAL 0 OR NOT err MATCHES "${pattern}")
    list(APPEND failures "${what}: not refused with \"${pattern}\": ${err}")
  endif()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

function(fresh)
  file(REMOVE_RECURSE ${WORK})
  file(MAKE_DIRECTORY ${WORK}/deps ${WORK}/src/low ${WORK}/src/high ${WORK}/src/high/nested ${WORK}/src/other)
  module(low low 0)
  module(other other 1 low)
  module(high high 2 low other)
  module(nested high/nested 3 high low)
  source(low/utf16.h "#pragma once")
  source(high/a.cpp "#include \"low/utf16.h\"")
endfunction()

fresh()
expect("a sound tree" "")

fresh()
source(other/b.cpp "#include \"high/a2b.h\"")
source(high/a2b.h "#pragma once")
expect("a header whose name has a digit" "other may not include high/a2b.h")

fresh()
module(low low 0 other)
expect("a dependency declared later" "low depends on other, which is declared after it")

fresh()
module(late late 4 high)
module(nested high/nested 5 high late)
expect("a nested module above its parent" "nested \\(in high's folder\\) depends on late")

file(REMOVE_RECURSE ${WORK})
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
