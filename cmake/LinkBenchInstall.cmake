# How each LinkBench program is installed, one call per program, so that the
# package carries whatever programs are built:
#
#   linkbench_install_program(linkbench IN_APPDIR DESKTOP_ENTRY linkbench.desktop)
#   linkbench_install_program(linkbench-sim)
#
# IN_APPDIR puts the program into LINKBENCH_INSTALL_APPDIR, next to the help
# folder it looks for below its own folder, with a relative link in bin/ that
# Linux resolves when the program asks for its folder. Without it the program
# goes straight into bin/. DESKTOP_ENTRY installs that file (relative to the
# calling folder) into share/applications.
#
# On Windows every program goes into the one portable folder and nothing else
# is installed; the global property LINKBENCH_PROGRAMS lists them for the
# search of the DLLs they import (packaging/Windows.cmake).
function(linkbench_install_program target)
    cmake_parse_arguments(arg "IN_APPDIR" "DESKTOP_ENTRY" "" ${ARGN})
    set_property(GLOBAL APPEND PROPERTY LINKBENCH_PROGRAMS ${target})
    if(WIN32)
        install(TARGETS ${target} RUNTIME DESTINATION ${LINKBENCH_INSTALL_APPDIR})
        return()
    endif()
    if(NOT arg_IN_APPDIR)
        install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    else()
        install(TARGETS ${target} RUNTIME DESTINATION ${LINKBENCH_INSTALL_APPDIR})
        get_target_property(name ${target} OUTPUT_NAME)
        if(NOT name)
            set(name ${target})
        endif()
        file(RELATIVE_PATH link_target "/${CMAKE_INSTALL_BINDIR}"
             "/${LINKBENCH_INSTALL_APPDIR}/${name}")
        install(CODE "
            set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${name}\")
            get_filename_component(folder \"\${link}\" DIRECTORY)
            file(MAKE_DIRECTORY \"\${folder}\")
            file(REMOVE \"\${link}\")
            message(STATUS \"Installing: \${link} -> ${link_target}\")
            file(CREATE_LINK \"${link_target}\" \"\${link}\" SYMBOLIC)
        ")
    endif()
    if(arg_DESKTOP_ENTRY)
        install(FILES ${arg_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    endif()
endfunction()
