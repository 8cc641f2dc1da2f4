# Libraries that the engine tests also run under the sanitizers are declared
# through this function: it builds the plain library and, when QUENBY_SANITIZE
# is on, a twin named <name>_san from the same sources with address and
# undefined-behaviour checking, linked against the _san twins of its
# dependencies. A sanitizer report aborts the test, so it fails the run.
set(QUENBY_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
# With QUENBY_FUZZ a third twin, <name>_fuzz, carries libFuzzer's coverage
# instrumentation and the same checks, for the targets under tests/fuzz.
set(QUENBY_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

function(quenby_twin name suffix flags sources include deps)
  add_library(${name}${suffix} STATIC ${sources})
  target_include_directories(${name}${suffix} PUBLIC ${include})
  target_compile_options(${name}${suffix} PUBLIC ${flags})
  target_link_options(${name}${suffix} PUBLIC ${flags})
  # Decided when the build is generated, not here: a dependency declared in
  # a folder read later still gets its twin linked (otherwise a sanitized
  # library would silently run unsanitized code beneath it).
  set(twin_deps)
  foreach(dep IN LISTS deps)
    if(dep MATCHES "::")
      list(APPEND twin_deps ${dep})
    else()
      list(APPEND twin_deps "$<IF:$<TARGET_EXISTS:${dep}${suffix}>,${dep}${suffix},${dep}>")
    endif()
  endforeach()
  target_link_libraries(${name}${suffix} PUBLIC ${twin_deps})
endfunction()

# NO_SANITIZE: no sanitized twin (code whose tests do not run sanitized,
# such as windows over the browser engine).
function(quenby_library name)
  cmake_parse_arguments(ARG "NO_SANITIZE" "" "SOURCES;PUBLIC_DEPS;INCLUDE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${ARG_INCLUDE})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS})
  if(QUENBY_SANITIZE AND QUENBY_TESTS AND NOT ARG_NO_SANITIZE)
    quenby_twin(${name} _san "${QUENBY_SAN_FLAGS}" "${ARG_SOURCES}" "${ARG_INCLUDE}" "${ARG_PUBLIC_DEPS}")
  endif()
  if(QUENBY_FUZZ)
    quenby_twin(${name} _fuzz "${QUENBY_FUZZ_FLAGS}" "${ARG_SOURCES}" "${ARG_INCLUDE}" "${ARG_PUBLIC_DEPS}")
  endif()
endfunction()

# A GoogleTest executable, and its sanitized twin when the libraries it uses
# have one.
function(quenby_test name)
  cmake_parse_arguments(ARG "SANITIZE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  if(ARG_SANITIZE AND QUENBY_SANITIZE)
    set(san_libs)
    foreach(lib IN LISTS ARG_LIBS)
      if(TARGET ${lib}_san)
        list(APPEND san_libs ${lib}_san)
      else()
        list(APPEND san_libs ${lib})
      endif()
    endforeach()
    add_executable(${name}_san ${ARG_SOURCES})
    target_compile_options(${name}_san PRIVATE ${QUENBY_SAN_FLAGS})
    target_link_options(${name}_san PRIVATE ${QUENBY_SAN_FLAGS})
    target_link_libraries(${name}_san PRIVATE ${san_libs} GTest::gtest GTest::gtest_main GTest::gmock)
    gtest_discover_tests(${name}_san TEST_SUFFIX .sanitized DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
endfunction()
