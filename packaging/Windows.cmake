# The portable Windows folder: `cmake --install` fills it and `cpack` (run by
# scripts/windows) zips it as linkbench-<version>-windows-x64.zip. It holds the
# programs, the Qt DLLs and plugins they load, the MinGW runtime, Qt's Chinese
# translations, qt.conf and help\help.chm, and runs from wherever it is
# unpacked (a USB stick included).

# Plugins are loaded, not imported, so they are named here: the window system
# and the native style. The pictures are PNG, which Qt reads without a plugin.
set(plugins platforms Qt6::QWindowsIntegrationPlugin styles Qt6::QWindowsVistaStylePlugin)
set(installed_plugins)
while(plugins)
    list(POP_FRONT plugins folder plugin)
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${LINKBENCH_INSTALL_APPDIR}/${folder})
    list(APPEND installed_plugins $<TARGET_FILE:${plugin}>)
endwhile()

# Qt's translations of its own dialogs serve every platform: Debian's
# qt6-translations-l10n has them. qt_zh_CN is the catalogue that loads the
# module ones.
find_path(LINKBENCH_QT_TRANSLATIONS qtbase_zh_CN.qm PATHS /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT LINKBENCH_QT_TRANSLATIONS)
    message(FATAL_ERROR "Qt's Chinese translations are missing (apt-get install qt6-translations-l10n)")
endif()
install(FILES ${LINKBENCH_QT_TRANSLATIONS}/qt_zh_CN.qm ${LINKBENCH_QT_TRANSLATIONS}/qtbase_zh_CN.qm
              ${LINKBENCH_QT_TRANSLATIONS}/qtserialport_zh_CN.qm
        DESTINATION ${LINKBENCH_INSTALL_APPDIR}/translations)
# Without it Qt would look for its plugins and translations below the folder
# it was built for, not beside the programs.
install(FILES qt.conf DESTINATION ${LINKBENCH_INSTALL_APPDIR})

# The DLLs that the programs and plugins import, and the DLLs those import, as
# CMake reads them from the PE files with MinGW's objdump. They are looked for
# among Qt's own DLLs and MinGW's runtime; what Windows itself provides (the
# DLLs Wine carries as its own, and the "api-ms-win-" API sets the loader maps)
# stays out. A DLL found nowhere stops the install.
set(LINKBENCH_WINDOWS_SYSTEM_DLLS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Folder of the DLLs that Windows provides (Wine's own PE DLLs)")
# MinGW's objdump, which CMake found beside the compiler.
if(NOT CMAKE_OBJDUMP)
    message(FATAL_ERROR "No objdump for Windows programs (binutils-mingw-w64-x86-64)")
endif()
# CMake looks imports up by their lower-case names, as Windows would without
# regard to case; on Linux "qt6core.dll" does not find Qt6Core.dll. So the
# search goes through a folder of lower-case links, and each DLL found is
# installed under its own name.
linkbench_windows_dll_folders(dll_folders)
set(dll_links ${CMAKE_CURRENT_BINARY_DIR}/dll-search)
file(REMOVE_RECURSE ${dll_links})
file(MAKE_DIRECTORY ${dll_links})
foreach(folder ${dll_folders})
    file(GLOB dlls ${folder}/*.dll)
    foreach(dll ${dlls})
        get_filename_component(name ${dll} NAME)
        string(TOLOWER ${name} name)
        file(CREATE_LINK ${dll} ${dll_links}/${name} SYMBOLIC)
    endforeach()
endforeach()

get_property(programs GLOBAL PROPERTY LINKBENCH_PROGRAMS)
set(program_files)
foreach(program ${programs})
    list(APPEND program_files $<TARGET_FILE:${program}>)
endforeach()
install(CODE "
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    file(GET_RUNTIME_DEPENDENCIES
         EXECUTABLES ${program_files}
         MODULES ${installed_plugins}
         DIRECTORIES ${dll_links} ${LINKBENCH_WINDOWS_SYSTEM_DLLS}
         PRE_EXCLUDE_REGEXES \"^api-ms-\" \"^ext-ms-\"
         POST_EXCLUDE_REGEXES \"^${LINKBENCH_WINDOWS_SYSTEM_DLLS}/\"
         RESOLVED_DEPENDENCIES_VAR links
         UNRESOLVED_DEPENDENCIES_VAR missing)
    if(missing)
        message(FATAL_ERROR \"DLLs found nowhere: \${missing}\")
    endif()
    foreach(link \${links})
        file(REAL_PATH \${link} dll)
        set(folder \"\${CMAKE_INSTALL_PREFIX}/${LINKBENCH_INSTALL_APPDIR}\")
        file(INSTALL \${dll} DESTINATION \${folder})
        # MinGW's runtime comes with its debugging symbols (libstdc++ is 23 MB).
        if(CMAKE_INSTALL_DO_STRIP)
            get_filename_component(name \${dll} NAME)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${folder}/\${name})
        endif()
    endforeach()
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME linkbench)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(zip_name linkbench-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_FILE_NAME ${zip_name})
set(CPACK_STRIP_FILES ON)
include(CPack)

if(BUILD_TESTING)
    add_test(NAME tst_WindowsZip
             COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${PROJECT_BINARY_DIR}
                     -DZIP=${PROJECT_BINARY_DIR}/${zip_name}.zip
                     -DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/zip-check
                     -DOBJDUMP=${CMAKE_OBJDUMP}
                     -DSYSTEM_DLLS=${LINKBENCH_WINDOWS_SYSTEM_DLLS}
                     "-DPROGRAMS=${programs}"
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/CheckWindowsZip.cmake)
endif()
