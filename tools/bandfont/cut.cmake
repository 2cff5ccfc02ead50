# Runs trelva-bandfont on the songs; a failure is reported and the build goes
# on without the game's soundfont (the tool has removed any older one).
file(GLOB songs ${SONGS}/*.mid)
execute_process(COMMAND ${TOOL} ${SOURCE} ${OUTPUT} ${RATE} ${songs}
                RESULT_VARIABLE result ERROR_VARIABLE why)
if(NOT result EQUAL 0)
  string(STRIP "${why}" why)
  message(WARNING "${why}\nThe game will play the system's soundfonts instead.")
endif()
file(TOUCH ${STAMP})
