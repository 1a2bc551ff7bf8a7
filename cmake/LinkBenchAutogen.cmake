# With Ninja, CMake 3.25 reruns a target's moc step only when a file that step
# read last time has changed: a source file added since (a new tst_X.cpp found
# by a folder's glob) is compiled before its tst_X.moc exists, and an
# incremental build fails. When a target's list of sources differs from the
# one of the last configure, the step's stamp is removed here, so that it runs
# again before anything of the target is compiled.
#
#   linkbench_autogen_follows(<target> <sources>...)
function(linkbench_autogen_follows target)
    string(SHA1 listed "${ARGN}")
    if(NOT listed STREQUAL "${LINKBENCH_SOURCES_OF_${target}}")
        get_target_property(binary_dir ${target} BINARY_DIR)
        file(REMOVE ${binary_dir}/${target}_autogen/timestamp)
        set(LINKBENCH_SOURCES_OF_${target} ${listed} CACHE INTERNAL "")
    endif()
endfunction()
