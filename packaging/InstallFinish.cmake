# The install steps that depend on where the program is installed, run by
# `cmake --install` after the files are copied.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(program_dir "${root}/${PENROOK_PROGRAM_DIR}")

# The launcher names the program where it was installed, whatever --prefix said.
set(PENROOK_EXEC "${CMAKE_INSTALL_PREFIX}/bin/penrook")
set(launcher "${root}/share/applications/${PENROOK_APP_ID}.desktop")
message(STATUS "Installing: ${launcher}")
configure_file("${PENROOK_SOURCE_DIR}/packaging/${PENROOK_APP_ID}.desktop.in" "${launcher}" @ONLY)

# The word database is made fresh by the converter, never copied from the build
# tree, whose exclusion list is the developer's. One already installed is only
# brought up to date when its words are older, and keeps its exclusion list.
message(STATUS "Installing: ${program_dir}/words.mdb")
execute_process(COMMAND "${PENROOK_WORDSDB}" --if-outdated ${PENROOK_WORD_SOURCES} --output "${program_dir}/words.mdb"
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "Could not make ${program_dir}/words.mdb")
endif()

# PREFIX/bin holds links to the program's own folder.
file(MAKE_DIRECTORY "${root}/bin")
foreach(program penrook penrook-wordsdb)
    message(STATUS "Installing: ${root}/bin/${program}")
    file(CREATE_LINK "../${PENROOK_PROGRAM_DIR}/${program}" "${root}/bin/${program}" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${root}/bin/${program}")
endforeach()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${launcher}" "${program_dir}/words.mdb")
