# VELMOKA_SANITIZE builds everything with AddressSanitizer and UndefinedBehaviorSanitizer; the
# first error of either ends the program. VELMOKA_FUZZ (clang only) adds the coverage hooks of
# libFuzzer and the fuzz targets in fuzz/.
option(VELMOKA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VELMOKA_FUZZ "Build the libFuzzer targets (needs clang and VELMOKA_SANITIZE)" OFF)

# What the tests of a sanitized build run with, and a Python that loads the module; empty
# otherwise.
set(VELMOKA_TEST_ENVIRONMENT "")
set(VELMOKA_PYTHON_PRELOAD "")
set(VELMOKA_PYTHON_ENVIRONMENT "")

if(VELMOKA_SANITIZE)
    set(sanitizers address,undefined,float-cast-overflow)
    add_compile_options(-fsanitize=${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=${sanitizers})
    set(VELMOKA_TEST_ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
        "UBSAN_OPTIONS=print_stacktrace=1")
    # Debian's python3 is built without the sanitizers: to load the sanitized Python module it
    # needs their runtime loaded first, with the C++ runtime whose exceptions the runtime
    # intercepts; its own allocations are not for the leak checker.
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
        OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++.so
        OUTPUT_VARIABLE cxx_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(VELMOKA_PYTHON_PRELOAD "${asan_runtime} ${cxx_runtime}")
    set(VELMOKA_PYTHON_ENVIRONMENT "LD_PRELOAD=${VELMOKA_PYTHON_PRELOAD}" "ASAN_OPTIONS=detect_leaks=0"
        "UBSAN_OPTIONS=print_stacktrace=1")
endif()

if(VELMOKA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT VELMOKA_SANITIZE)
        message(FATAL_ERROR "VELMOKA_FUZZ needs clang++ and VELMOKA_SANITIZE=ON")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
