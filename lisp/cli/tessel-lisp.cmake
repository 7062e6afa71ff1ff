# tessel-lisp: the AutoLISP checks as a command-line program for scripts and
# CI, built from the pure lisp modules (not from the Win32 layer), natively
# and as a Windows console program. Included from both builds.
file(GLOB TESSEL_LISP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lisp/*.cpp)
list(FILTER TESSEL_LISP_SOURCES EXCLUDE REGEX "_win\\.cpp$")
add_executable(tessel-lisp ${CMAKE_SOURCE_DIR}/lisp/cli/tessel_lisp.cpp ${TESSEL_LISP_SOURCES})
target_compile_definitions(tessel-lisp PRIVATE TESSEL_VERSION="${PROJECT_VERSION}")
if(WIN32)
  target_link_options(tessel-lisp PRIVATE ${STATIC_RUNTIME} -mconsole)
else()
  add_test(NAME tessel_lisp_golden
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/cli/run.sh $<TARGET_FILE:tessel-lisp>)
endif()

# The AutoLISP benchmark (Windows; run under Wine by scripts/bench.sh).
if(WIN32)
  add_executable(tessel_bench_lisp ${CMAKE_SOURCE_DIR}/bench/lisp/bench_lisp.cpp ${RC_MAIN})
  add_dependencies(tessel_bench_lisp helptext)
  target_link_libraries(tessel_bench_lisp tessel_core)
  target_link_options(tessel_bench_lisp PRIVATE ${STATIC_RUNTIME} -mconsole)
endif()
