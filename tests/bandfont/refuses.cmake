# trelva-bandfont refuses a missing, cut-short or damaged source font, saying
# so, and leaves no soundfont behind (not even an older one); the build step
# around it reports the refusal and goes on.
set(out ${WORK}/latrelva.sf2)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(refused source expected)
  file(WRITE ${out} "an older cut")
  execute_process(COMMAND ${TOOL} ${source} ${out} 22050 ${SONGS}/Guapparia.mid
                  RESULT_VARIABLE result ERROR_VARIABLE why OUTPUT_QUIET)
  if(result EQUAL 0 OR NOT why MATCHES "${expected}" OR EXISTS ${out})
    message(FATAL_ERROR "${source}: exit ${result}, \"${why}\", left behind: ${out}")
  endif()
endfunction()

refused(${WORK}/absent.sf2 "absent.sf2: no such soundfont")
# A header that claims some 2 GB.
file(WRITE ${WORK}/claims.sf2 "RIFFzzzzsfbkLISTzzzzINFOifil")
refused(${WORK}/claims.sf2 "claims.sf2: not a whole SoundFont 2 file")
file(WRITE ${WORK}/text.sf2 "not a soundfont at all")
refused(${WORK}/text.sf2 "text.sf2: not a whole SoundFont 2 file")
if(EXISTS ${SOURCE})
  # The real font, its first megabyte only.
  execute_process(COMMAND head -c 1048576 ${SOURCE} OUTPUT_FILE ${WORK}/cut-short.sf2)
  refused(${WORK}/cut-short.sf2 "cut-short.sf2: not a whole SoundFont 2 file")
endif()

file(WRITE ${out} "an older cut")
execute_process(COMMAND ${CMAKE_COMMAND} -DTOOL=${TOOL} -DSOURCE=${WORK}/claims.sf2 -DOUTPUT=${out} -DRATE=22050
                        -DSONGS=${SONGS} -DSTAMP=${WORK}/stamp -P ${CUT}
                RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE warned)
# CMake wraps a warning's long lines, wherever the build tree's path ends them.
string(REGEX REPLACE "[ \t\n]+" " " warned "${warned}")
if(NOT result EQUAL 0 OR NOT warned MATCHES "claims.sf2: not.*system's soundfonts" OR EXISTS ${out}
   OR NOT EXISTS ${WORK}/stamp)
  message(FATAL_ERROR "the build step stopped or kept a soundfont: exit ${result}, \"${warned}\"")
endif()
