# cmake -DSOURCE=dir -DDESTINATION=dir -P CopyIfAbsent.cmake
# Copies a folder once: a folder already there (which the user may have edited) stays.
if(NOT EXISTS "${DESTINATION}")
  file(COPY "${SOURCE}/" DESTINATION "${DESTINATION}")
endif()
