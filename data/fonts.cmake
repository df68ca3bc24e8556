# The two chess fonts of the desktop app, generated from Debian's DejaVu Sans
# and FreeSerif chess symbols (python3-fonttools, python3-pyclipper).
if(NOT KELVO_GUI)
  return()
endif()
set(KELVO_FONT_PYTHON /usr/bin/python3 CACHE FILEPATH "Python with fontTools and pyclipper, for tools/make_fonts.py")
set(KELVO_FONT_FILES ${KELVO_RUN_DIR}/CHEQ_TT0.TTF ${KELVO_RUN_DIR}/merida.ttf)
add_custom_command(
  OUTPUT ${KELVO_FONT_FILES}
  COMMAND ${KELVO_FONT_PYTHON} ${PROJECT_SOURCE_DIR}/tools/make_fonts.py ${KELVO_RUN_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_fonts.py
  COMMENT "Generating the chess fonts"
  VERBATIM)
add_custom_target(chess_fonts ALL DEPENDS ${KELVO_FONT_FILES})
