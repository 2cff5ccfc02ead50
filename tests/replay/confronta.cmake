cmake_minimum_required(VERSION 3.25)
# Runs trelva-replay on one script and compares its output line by line.
#   -DREPLAY=<binary> -DCOPIONE=<script> -DATTESO=<expected stdout>
#   [-DERRORI=<expected stderr>] [-DUSCITA=<expected exit code, default 0>]
if(NOT DEFINED USCITA)
  set(USCITA 0)
endif()
execute_process(COMMAND ${REPLAY}
  INPUT_FILE ${COPIONE}
  OUTPUT_VARIABLE uscito
  ERROR_VARIABLE errori
  RESULT_VARIABLE codice)

function(confronta nome atteso ottenuto)
  string(REPLACE "\n" ";" righe_attese "${atteso}")
  string(REPLACE "\n" ";" righe_ottenute "${ottenuto}")
  list(LENGTH righe_attese n_attese)
  list(LENGTH righe_ottenute n_ottenute)
  set(i 0)
  while(i LESS n_attese AND i LESS n_ottenute)
    list(GET righe_attese ${i} a)
    list(GET righe_ottenute ${i} o)
    if(NOT a STREQUAL o)
      math(EXPR riga "${i} + 1")
      message(FATAL_ERROR "${nome}, line ${riga}:\n  expected: ${a}\n  got:      ${o}")
    endif()
    math(EXPR i "${i} + 1")
  endwhile()
  if(NOT n_attese EQUAL n_ottenute)
    message(FATAL_ERROR "${nome}: expected ${n_attese} lines, got ${n_ottenute}\n${ottenuto}")
  endif()
endfunction()

file(READ ${ATTESO} atteso)
confronta("stdout" "${atteso}" "${uscito}")
if(DEFINED ERRORI)
  file(READ ${ERRORI} errori_attesi)
  confronta("stderr" "${errori_attesi}" "${errori}")
elseif(NOT errori STREQUAL "")
  message(FATAL_ERROR "unexpected output on stderr:\n${errori}")
endif()
if(NOT codice STREQUAL USCITA)
  message(FATAL_ERROR "exit code ${codice}, expected ${USCITA}")
endif()
