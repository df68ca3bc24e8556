# Fails when a translation no longer matches the sources: a text marked for
# translation, changed or dropped since it was last brought up to date (build
# the target dovrel_app_lupdate, then translate what it adds).
#   cmake -DLUPDATE=lupdate -DGUI_DIR=gui -DWORK_DIR=scratch -P translations_current.cmake
file(GLOB_RECURSE sources ${GUI_DIR}/*.cpp ${GUI_DIR}/*.h)
list(JOIN sources "\n" listed)
file(WRITE ${WORK_DIR}/sources.lst "${listed}\n")
file(GLOB translations ${GUI_DIR}/translations/*.ts)
if(NOT translations)
  message(FATAL_ERROR "no translations in ${GUI_DIR}/translations")
endif()
foreach(committed ${translations})
  get_filename_component(name ${committed} NAME)
  set(updated ${WORK_DIR}/${name})
  configure_file(${committed} ${updated} COPYONLY)
  execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete -I ${GUI_DIR} @${WORK_DIR}/sources.lst
                          -ts ${updated}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "lupdate failed on ${name}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${committed} ${updated} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} does not match the sources; lupdate makes it ${updated}")
  endif()
endforeach()
