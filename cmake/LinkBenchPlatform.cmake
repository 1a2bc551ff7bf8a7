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
