#pragma once

#include <QTest>

// The test classes of one folder share one executable, which runs the class
// of the file its first argument names (tst_Name for tst_Name.cpp); CTest still
// runs each as its own test in its own process. A test file ends with one of these instead of
// QTEST_MAIN:
//
//     LINKBENCH_TEST_MAIN(tst_ComTestStartUp)          // with a QApplication
//     LINKBENCH_TEST_GUILESS_MAIN(tst_PollProcess)     // with a QCoreApplication
//     LINKBENCH_TEST_APPLESS_MAIN(tst_CommandFrame)    // with none
namespace linkbench {

using TestRun = int (*)(int argc, char* argv[]);

// Registers the class of the test file at `sourcePath` under the file's name.
bool registerTest(const char* sourcePath, TestRun run);

} // namespace linkbench

#define LINKBENCH_TEST_WRAPPER(TestObject, ...)                                                    \
    static int linkbenchRun_##TestObject(int argc, char* argv[])                                   \
    {                                                                                              \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                         \
        __VA_ARGS__                                                                                \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }                                                                                              \
    [[maybe_unused]] static const bool linkbenchRegistered_##TestObject =                          \
        linkbench::registerTest(__FILE__, linkbenchRun_##TestObject);

#define LINKBENCH_TEST_MAIN(TestObject) LINKBENCH_TEST_WRAPPER(TestObject, QTEST_MAIN_SETUP())
#define LINKBENCH_TEST_GUILESS_MAIN(TestObject)                                                    \
    LINKBENCH_TEST_WRAPPER(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
#define LINKBENCH_TEST_APPLESS_MAIN(TestObject) LINKBENCH_TEST_WRAPPER(TestObject)
