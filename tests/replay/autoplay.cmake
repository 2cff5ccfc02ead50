cmake_minimum_required(VERSION 3.25)
# The autoplay statistic depends on the seed alone, and the lean driver that
# names the pressed backs itself plays exactly the games that the table's own
# hit test would.   -DREPLAY=<binary>
function(gioca risultato)
  execute_process(COMMAND ${REPLAY} --autoplay 20000 --seed 7 ${ARGN}
    OUTPUT_VARIABLE uscito ERROR_VARIABLE errori RESULT_VARIABLE codice)
  if(NOT codice EQUAL 0)
    message(FATAL_ERROR "autoplay ${ARGN} failed (${codice}): ${errori}")
  endif()
  if(NOT uscito MATCHES "^(games=20000 won=([0-9]+) rate=0\\.[0-9][0-9][0-9][0-9]) games_per_second=[0-9]+\n$")
    message(FATAL_ERROR "unexpected autoplay line: ${uscito}")
  endif()
  set(${risultato} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  set(${risultato}_vinte "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()

gioca(primo)
gioca(secondo)
gioca(esatto --exact)
if(NOT primo STREQUAL secondo)
  message(FATAL_ERROR "same seed, different figures: '${primo}' then '${secondo}'")
endif()
if(NOT primo STREQUAL esatto)
  message(FATAL_ERROR "lean driver '${primo}' but through the hit test '${esatto}'")
endif()
# About one deal in ten comes out; far off that, the strategy or the shuffle is broken.
if(primo_vinte LESS 1400 OR primo_vinte GREATER 2600)
  message(FATAL_ERROR "implausible win count: ${primo}")
endif()

execute_process(COMMAND ${REPLAY} --autoplay 10 OUTPUT_QUIET ERROR_QUIET RESULT_VARIABLE codice)
if(NOT codice EQUAL 2)
  message(FATAL_ERROR "autoplay without a seed should exit 2, got ${codice}")
endif()
