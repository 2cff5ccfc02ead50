# trelva_fuzzer(<name> <seed folder> <include folder> <sources>...): a libFuzzer
# target for a reader that is plain C++. clang builds this one binary on the
# side, so it runs even when the rest of the project is built with another
# compiler; without clang there is no fuzzer and the readers' tests stand alone.
# The test runs it for 20 s from the seeds; new inputs go to a scratch corpus
# in the build tree, never into the sources.
find_program(TRELVA_CLANGXX NAMES clang++ clang++-14)

function(trelva_fuzzer name seeds include)
  if(NOT TRELVA_CLANGXX)
    return()
  endif()
  set(bin ${CMAKE_CURRENT_BINARY_DIR}/${name}_bin)
  file(GLOB headers ${include}/*.h)
  add_custom_command(OUTPUT ${bin}
    COMMAND ${TRELVA_CLANGXX} -std=c++20 -O1 -g
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
            -I${include} ${ARGN} -o ${bin}
    DEPENDS ${ARGN} ${headers}
    COMMENT "Building the ${name} fuzzer with clang"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${bin})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus_${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}
    COMMAND ${bin} ${corpus} ${seeds}
            -max_total_time=20 -timeout=5 -rss_limit_mb=1024 -max_len=4400 -print_final_stats=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 90 LABELS fuzz)
endfunction()
