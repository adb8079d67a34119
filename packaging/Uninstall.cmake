# Removes what `make install` installed, as its install manifest lists it.
#   cmake -DMANIFEST=build/install_manifest.txt -P packaging/Uninstall.cmake
#
# A words.mdb that holds an exclusion list or chosen synonyms is the user's and stays; so does every
# file the program wrote itself, and the user's data folder is never looked at.
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (run make install first).")
endif()
file(STRINGS "${MANIFEST}" installed)
set(folders "")
foreach(file IN LISTS installed)
    if(NOT EXISTS "${file}" AND NOT IS_SYMLINK "${file}")
        continue()
    endif()
    get_filename_component(name "${file}" NAME)
    if(name STREQUAL "words.mdb")
        execute_process(COMMAND sqlite3 "${file}" "select count(*) from Tbl_Exclude"
                        OUTPUT_VARIABLE excluded OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
        if(failed OR NOT excluded STREQUAL "0")
            message(STATUS "Kept ${file}: it holds your exclusion list.")
            continue()
        endif()
        # Files from before the chosen synonyms have no table of them.
        execute_process(COMMAND sqlite3 "${file}" "select count(*) from Tbl_Choices"
                        OUTPUT_VARIABLE chosen OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_VARIABLE why
                        RESULT_VARIABLE failed)
        if((failed AND NOT why MATCHES "no such table") OR (NOT failed AND NOT chosen STREQUAL "0"))
            message(STATUS "Kept ${file}: it holds your chosen synonyms.")
            continue()
        endif()
    endif()
    message(STATUS "Removing ${file}")
    file(REMOVE "${file}")
    get_filename_component(folder "${file}" DIRECTORY)
    list(APPEND folders "${folder}")
endforeach()
# The program's own folder goes when nothing is left in it.
list(REMOVE_DUPLICATES folders)
foreach(folder IN LISTS folders)
    if(folder MATCHES "/penrook$")
        file(GLOB left "${folder}/*")
        if(NOT left)
            file(REMOVE_RECURSE "${folder}")
        endif()
    endif()
endforeach()
