# The game opens the sound libraries when its music first needs them; linked
# to the program, they and their forty dependencies would be loaded before
# main() on every start. Fails when the program names one of them as needed.
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "NEEDED +lib(fluidsynth|pulse|asound)[^\n]*" linked "${headers}")
if(linked)
  message(FATAL_ERROR "The program links the sound libraries: ${linked}")
endif()
