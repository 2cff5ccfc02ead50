# trelva_fuzzer(<unit> <include folder> <sources>...): a libFuzzer target for a
# reader that is plain C++, built from `<unit>_fuzz.cpp` with the reader's
# sources and run as `<folder>.<unit>_fuzz` from the seeds in `semi_<unit>`.
# clang builds this one binary on the side, so it runs even when the rest of
# the project is built with another compiler; without clang there is no
# fuzzer and the readers' tests stand alone. The test runs it for 20 s; new
# inputs go to a scratch corpus in the build tree, never into the sources.
find_program(TRELVA_CLANGXX NAMES clang++ clang++-14)

function(trelva_fuzzer unit include)
  if(NOT TRELVA_CLANGXX)
    return()
  endif()
  cmake_path(GET CMAKE_CURRENT_SOURCE_DIR FILENAME folder)
  set(name ${folder}_${unit}_fuzz)
  set(bin ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(sources ${CMAKE_CURRENT_SOURCE_DIR}/${unit}_fuzz.cpp ${ARGN})
  file(GLOB headers ${include}/*.h)
  add_custom_command(OUTPUT ${bin}
    COMMAND ${TRELVA_CLANGXX} -std=c++20 -O1 -g
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${include} ${sources} -o ${bin}
    DEPENDS ${sources} ${headers}
    COMMENT "Building the ${name} fuzzer with clang"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${bin})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus_${unit})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${folder}.${unit}_fuzz
    COMMAND ${bin} ${corpus} ${CMAKE_CURRENT_SOURCE_DIR}/semi_${unit}
            -max_total_time=20 -timeout=5 -rss_limit_mb=1024 -max_len=4400 -print_final_stats=1)
  set_tests_properties(${folder}.${unit}_fuzz PROPERTIES TIMEOUT 90 LABELS fuzz)
endfunction()
