# Where Windows and Linux differ, the platform adapter has a sibling file:
# X_win.cpp is the Windows counterpart of X.cpp in the same folder. On Windows
# it takes the place of X.cpp; on other systems it is left out.
#
#   file(GLOB sources CONFIGURE_DEPENDS *.cpp)
#   linkbench_platform_sources(sources)
function(linkbench_platform_sources var)
    set(kept)
    foreach(file IN LISTS ${var})
        string(REGEX REPLACE "\\.cpp$" "_win.cpp" counterpart "${file}")
        if(file MATCHES "_win\\.cpp$")
            if(WIN32)
                list(APPEND kept ${file})
            endif()
        elseif(NOT WIN32 OR NOT file MATCHES "\\.cpp$" OR NOT EXISTS "${counterpart}")
            list(APPEND kept ${file})
        endif()
    endforeach()
    set(${var} ${kept} PARENT_SCOPE)
endfunction()

# openpty() lives in libutil on Linux; Windows has neither.
if(WIN32)
    set(LINKBENCH_PTY_LIBRARY)
else()
    set(LINKBENCH_PTY_LIBRARY util)
endif()

# The folders that hold the DLLs a Windows program of ours loads besides the
# system's: Qt's bin folder and the MinGW runtime's, as the cross compiler
# finds libstdc++ and winpthread. The zip is packed from them and Wine runs the
# tests with them on its path.
function(linkbench_windows_dll_folders var)
    get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
    get_filename_component(qt_bin ${qt_core} DIRECTORY)
    set(folders ${qt_bin})
    foreach(dll libstdc++-6.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
        get_filename_component(found ${found} DIRECTORY)
        list(APPEND folders ${found})
    endforeach()
    set(${var} ${folders} PARENT_SCOPE)
endfunction()
