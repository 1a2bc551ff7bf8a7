# Builds the Debian package from the build folder into a scratch folder and
# checks it as a user would meet it: the control fields (dependencies), the
# files it holds, lintian's verdict, and the program unpacked from it listing
# the ports. Run by CTest as tst_DebianPackage.
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")

set(failures 0)
macro(fail text)
    message(SEND_ERROR "${text}")
    math(EXPR failures "${failures} + 1")
endmacro()

execute_process(COMMAND cpack -G DEB -B "${STAGE}" --config "${BUILD_DIR}/CPackConfig.cmake"
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
file(GLOB debs "${STAGE}/*.deb")
if(NOT result EQUAL 0 OR NOT debs)
    message(FATAL_ERROR "cpack failed:\n${out}\n${err}")
endif()
list(LENGTH debs count)
get_filename_component(deb_name "${debs}" NAME)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT count EQUAL 1 OR NOT deb_name STREQUAL "linkbench_${VERSION}_${arch}.deb")
    fail("expected one linkbench_${VERSION}_${arch}.deb, got: ${debs}")
endif()
set(deb "${debs}")
file(SIZE "${deb}" size)
message(STATUS "${deb_name}: ${size} bytes")

# The control fields: what the package needs and recommends.
foreach(field Package Version Architecture Depends Recommends Maintainer)
    execute_process(COMMAND dpkg-deb --field "${deb}" ${field} OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(control_${field} "${value}")
    message(STATUS "${field}: ${value}")
endforeach()
if(NOT control_Package STREQUAL "linkbench" OR NOT control_Version STREQUAL "${VERSION}")
    fail("package ${control_Package} ${control_Version}")
endif()
foreach(needed libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialport6 libqt6printsupport6
               libqt6charts6 qt6-qpa-plugins "fonts-arphic-uming | fonts-noto-cjk")
    string(FIND "${control_Depends}" "${needed}" at)
    if(at EQUAL -1)
        fail("Depends lacks ${needed}")
    endif()
endforeach()
string(FIND "${control_Recommends}" "xchm" at)
if(at EQUAL -1)
    fail("no CHM viewer among the recommended packages: ${control_Recommends}")
endif()

# The files: every path below, with the link in bin/ leading to the program.
execute_process(COMMAND dpkg-deb --contents "${deb}" OUTPUT_VARIABLE contents)
foreach(entry
        "./usr/lib/linkbench/linkbench"
        "./usr/bin/linkbench -> ../lib/linkbench/linkbench"
        "./usr/lib/linkbench/help/help.chm"
        "./usr/bin/linkbench-sim"
        "./usr/bin/linkbench-monitor"
        "./usr/share/applications/linkbench-monitor.desktop"
        "./usr/share/icons/hicolor/scalable/apps/linkbench-monitor.svg"
        "./usr/share/icons/hicolor/256x256/apps/linkbench-monitor.png"
        "./usr/share/applications/linkbench.desktop"
        "./usr/share/icons/hicolor/scalable/apps/linkbench.svg"
        "./usr/share/icons/hicolor/256x256/apps/linkbench.png"
        "./usr/share/doc/linkbench/copyright"
        "./usr/share/doc/linkbench/changelog.gz")
    string(FIND "${contents}" " ${entry}\n" at)
    if(at EQUAL -1)
        fail("the package lacks ${entry}")
    endif()
endforeach()
string(REGEX MATCHALL "root/root" owned_by_root "${contents}")
string(REGEX MATCHALL "\n" lines "${contents}")
list(LENGTH owned_by_root root_count)
list(LENGTH lines line_count)
if(NOT root_count EQUAL line_count)
    fail("files not owned by root:\n${contents}")
endif()

# lintian, where Debian's package of it is installed: no error.
find_program(LINTIAN lintian)
if(LINTIAN)
    execute_process(COMMAND "${LINTIAN}" --allow-root "${deb}" OUTPUT_VARIABLE verdict
                    ERROR_VARIABLE verdict)
    message(STATUS "lintian:\n${verdict}")
    string(REGEX MATCH "(^|\n)E: [^\n]*" error_line "${verdict}")
    if(error_line)
        fail("lintian reports errors:\n${verdict}")
    endif()
else()
    message(STATUS "lintian is not installed: not run")
endif()

# Unpacked into a throw-away root, the program runs and lists the ports. A
# display platform that does not exist makes sure it opens no window.
set(root "${STAGE}/root")
execute_process(COMMAND dpkg-deb -x "${deb}" "${root}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    fail("dpkg-deb -x failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=linkbench-no-display
                        LINKBENCH_COM2=/dev/linkbench-package-check
                        "${root}/usr/bin/linkbench" --list-ports
                OUTPUT_VARIABLE listing ERROR_VARIABLE complaints RESULT_VARIABLE result)
message(STATUS "installed linkbench --list-ports:\n${listing}${complaints}")
string(FIND "${listing}" "  COM2 → /dev/linkbench-package-check  [环境变量 environment LINKBENCH_COM2]"
       at)
if(NOT result EQUAL 0 OR at EQUAL -1)
    fail("the unpacked program did not list the ports (exit ${result})")
endif()

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} problem(s) in the package")
endif()
file(REMOVE_RECURSE "${STAGE}")
message(STATUS "the package is complete")
