# The default opening book: one PGN game per entry of the Spanish ECO
# classification installed by Debian's scid-data package. Generated, never
# committed: the data is the package's.
set(KELVO_ECO_FILE /usr/share/scid/data/scid_es.eco CACHE FILEPATH "ECO classification the opening book is made from")
find_program(KELVO_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(EXISTS ${KELVO_ECO_FILE} AND KELVO_PYTHON3)
  set(KELVO_BOOK_FILE ${KELVO_RUN_DIR}/aperturas.pgn CACHE INTERNAL "")
  add_custom_command(
    OUTPUT ${KELVO_BOOK_FILE}
    COMMAND ${KELVO_PYTHON3} ${PROJECT_SOURCE_DIR}/tools/make_book.py ${KELVO_ECO_FILE} ${KELVO_BOOK_FILE}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_book.py ${KELVO_ECO_FILE}
    COMMENT "Generating the opening book aperturas.pgn"
    VERBATIM)
  add_custom_target(opening_book ALL DEPENDS ${KELVO_BOOK_FILE})
else()
  set(KELVO_BOOK_FILE "" CACHE INTERNAL "")
  message(WARNING "${KELVO_ECO_FILE} or /usr/bin/python3 not found: no opening book is generated")
endif()
