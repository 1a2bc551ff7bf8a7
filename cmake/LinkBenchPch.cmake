# Precompiled Qt headers: most of a compile here is parsing Qt's headers, so
# each library and test program parses the ones its sources share once.
# linkbench_precompile(<target> <set>...) takes the sets named: core, serial,
# widgets, charts, test.
option(LINKBENCH_PCH "Precompile the Qt headers each library and test program shares" ON)

set(LINKBENCH_PCH_core <QByteArray> <QDateTime> <QList> <QObject> <QString> <QStringList>
    <QTimer>)
set(LINKBENCH_PCH_serial <QSerialPort>)
set(LINKBENCH_PCH_widgets <QApplication> <QComboBox> <QHBoxLayout> <QLabel> <QVBoxLayout>
    <QWidget>)
set(LINKBENCH_PCH_charts <QChartView>)
set(LINKBENCH_PCH_test <QProcess> <QSignalSpy> <QTemporaryDir> <QTest>)

function(linkbench_precompile target)
    if(NOT LINKBENCH_PCH)
        return()
    endif()
    set(headers)
    foreach(set ${ARGN})
        list(APPEND headers ${LINKBENCH_PCH_${set}})
    endforeach()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# ccache caches compiles that use a precompiled header only when told that the
# header's time stamps and macros may be taken as they are; clang must also
# leave the time stamp out of the header it writes.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND LINKBENCH_PCH)
    add_compile_options(-Xclang -fno-pch-timestamp)
endif()
