# program_translations(<target> <name> DESTINATION <dir> COMPONENT <component>)
#
# The program's translations (Qt Linguist). translations/<name>_LANG.ts in
# the calling folder become translations/<name>_LANG.qm in its build folder,
# beside the program, which finds them there when run from the build tree,
# and are installed into <dir>. First scripts/update-translations --check
# makes sure that every text of the files that translations/sources lists
# has a finished translation: a text without one fails the build (set
# TESSERA_TRANSLATIONS_CHECK to OFF to build with English texts left in
# place, as while merging work that adds texts).
#
# program_message_catalogues(<target> <name> DESTINATION <dir> COMPONENT <component>)
#
# The same translations for a program that links no Qt: lconvert turns each
# translations/<name>_LANG.ts into a gettext .po file and msgfmt (Debian's
# gettext) that into locale/LANG/LC_MESSAGES/<name>.mo in the calling
# folder's build folder, beside the program, installed as
# <dir>/LANG/LC_MESSAGES/<name>.mo. A Qt context becomes the message context
# "CONTEXT|" (lconvert adds the disambiguation after the bar). The check
# above runs first here too. Call it after program_translations.
option(TESSERA_TRANSLATIONS_CHECK
       "Fail the build when a text of a program has no finished translation" ON)
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
find_package(Gettext REQUIRED)

function(program_translations target name)
  cmake_parse_arguments(ARG "" "DESTINATION;COMPONENT" "" ${ARGN})
  set(folder ${CMAKE_CURRENT_SOURCE_DIR}/translations)
  file(GLOB ts_files CONFIGURE_DEPENDS ${folder}/${name}_*.ts)
  # What lupdate reads, so that an edit of any of it runs the check again.
  file(STRINGS ${folder}/sources entries)
  set(inputs ${folder}/sources)
  foreach(entry IN LISTS entries)
    set(path ${PROJECT_SOURCE_DIR}/${entry})
    if(IS_DIRECTORY ${path})
      file(GLOB_RECURSE found CONFIGURE_DEPENDS
           ${path}/*.cpp ${path}/*.h ${path}/*.ui ${path}/*.qrc)
      list(APPEND inputs ${found})
    else()
      list(APPEND inputs ${path})
    endif()
  endforeach()

  set(out ${CMAKE_CURRENT_BINARY_DIR}/translations)
  set(checked ${out}/${name}.checked)
  set_property(DIRECTORY PROPERTY TESSERA_TRANSLATIONS_CHECKED_${name} ${checked})
  if(TESSERA_TRANSLATIONS_CHECK)
    add_custom_command(OUTPUT ${checked}
      COMMAND ${CMAKE_COMMAND} -E env LUPDATE=$<TARGET_FILE:Qt6::lupdate>
              ${PROJECT_SOURCE_DIR}/scripts/update-translations --check ${name}
      COMMAND ${CMAKE_COMMAND} -E touch ${checked}
      DEPENDS ${inputs} ${ts_files} ${PROJECT_SOURCE_DIR}/scripts/update-translations
      COMMENT "Checking that every text of ${name} has a finished translation"
      VERBATIM)
  else()
    add_custom_command(OUTPUT ${checked}
      COMMAND ${CMAKE_COMMAND} -E touch ${checked} VERBATIM)
  endif()
  set(qm_files "")
  foreach(ts IN LISTS ts_files)
    get_filename_component(base ${ts} NAME_WE)
    set(qm ${out}/${base}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
      DEPENDS ${ts} ${checked} VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  add_custom_target(${name}_translations ALL DEPENDS ${qm_files})
  add_dependencies(${target} ${name}_translations)
  install(FILES ${qm_files} DESTINATION ${ARG_DESTINATION} COMPONENT ${ARG_COMPONENT})
endfunction()

function(program_message_catalogues target name)
  cmake_parse_arguments(ARG "" "DESTINATION;COMPONENT" "" ${ARGN})
  get_property(checked DIRECTORY PROPERTY TESSERA_TRANSLATIONS_CHECKED_${name})
  if(NOT checked)
    message(FATAL_ERROR "program_message_catalogues(${name}) needs program_translations first")
  endif()
  file(GLOB ts_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/${name}_*.ts)
  set(mo_files "")
  foreach(ts IN LISTS ts_files)
    get_filename_component(base ${ts} NAME_WE)
    string(REGEX REPLACE "^${name}_" "" language ${base})
    set(po ${CMAKE_CURRENT_BINARY_DIR}/translations/${base}.po)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/locale/${language}/LC_MESSAGES)
    set(mo ${folder}/${name}.mo)
    add_custom_command(OUTPUT ${mo}
      COMMAND Qt6::lconvert -no-obsolete -i ${ts} -o ${po}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${GETTEXT_MSGFMT_EXECUTABLE} -o ${mo} ${po}
      DEPENDS ${ts} ${checked}
      COMMENT "Building the message catalogue ${language}/LC_MESSAGES/${name}.mo"
      VERBATIM)
    list(APPEND mo_files ${mo})
    install(FILES ${mo} DESTINATION ${ARG_DESTINATION}/${language}/LC_MESSAGES
            COMPONENT ${ARG_COMPONENT})
  endforeach()
  add_custom_target(${name}_message_catalogues ALL DEPENDS ${mo_files})
  # The check's output belongs to the .qm files' target: built there first.
  add_dependencies(${name}_message_catalogues ${name}_translations)
  add_dependencies(${target} ${name}_message_catalogues)
endfunction()
