#pragma once

// The program as its start-up module builds it, for every window test: on a
// fake serial line, or on the real serial line with COM1 mapped to a device
// (a pseudo-terminal the test plays the instrument on, or the simulator's).
// The clock is fixed; message boxes, the save dialog, the printer, the help
// viewer and the shell are recorded and answered without a hang.
//
//     ProgramHarness h;                          // fake line, started up
//     h.window().Mnu开始->trigger();
//     h.fake->deliver(onWire("<STX>00101+0123.400620<ETB>"));
//
//     ProgramHarness onPty({.device = pty.slaveName()});
//     ProgramHarness mapped({.realLine = true});  // COM1 as the settings map it

#include "FakeSerialLine.h"
#include "platform/QtSerialLine.h"
#include "ui/ComTest.h"
#include "ui/TextModule.h"
#include "widgets/PlatformServices.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QList>
#include <QPrinter>
#include <QStringList>
#include <QTest>
#include <memory>

struct RecordedBoxes
{
    QList<MessageRequest> requests;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    // Any box fails the running test: no exchange with a working line should raise one.
    bool unexpected = false;

    QStringList texts() const;
};

class ProgramHarness
{
public:
    struct Setup
    {
        QString device = {}; // empty: a fake line; otherwise COM1 opens this device
        bool realLine =
            false; // a real line even with no device: COMn opens what the port mapping finds
        bool startUp = true;        // false leaves the start-up steps to the test
        QString programFolder = {}; // where the save and help commands start from
        bool boxesUnexpected = false;
    };

    ProgramHarness() : ProgramHarness(Setup{}) {}
    explicit ProgramHarness(const Setup& setup);
    ~ProgramHarness();
    ProgramHarness(const ProgramHarness&) = delete;
    ProgramHarness& operator=(const ProgramHarness&) = delete;

    ComTest& window() { return module->window(); }
    ModuleVars& vars() { return module->vars(); }

    // Types `typed` into an editable box as the operator would: click into
    // it, select what it holds, type over it (Delete for an empty text).
    static void typeInto(QComboBox* box, const QString& typed);
    // Home, then Down to `position` on the function list: each step raises the
    // function handler.
    void chooseFunction(int position);
    // Down or Up on the parameter list from where it stands to `code` ("12").
    void chooseParameter(const QString& code);
    // Chooses "通讯(&S)" on the menu bar with the mouse.
    void clickStart();

    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(6, 3, 46));
    RecordedBoxes boxes;
    QList<SaveDialogRequest> saveDialogs;
    QString saveAnswer; // the path the operator chooses; empty cancels
    std::function<std::unique_ptr<QPrinter>()> printer = [] { return nullptr; };
    int printRequests = 0;
    QStringList opened; // help files and link targets asked for

    FakeSerialLine* fake = nullptr; // with a fake line; owned by the start-up module
    QtSerialLine* line = nullptr;   // with a device; owned by the start-up module
    std::unique_ptr<TEXT> module;
    bool activated = false;

private:
    PlatformServices recordedServices(const QString& programFolder);
    bool m_mappedCom1 = false;
};
