#pragma once

// Shared by the window tests: the start-up module with a fake serial line, a
// fixed clock and message boxes that are recorded and answered without a hang.

#include "FakeSerialLine.h"
#include "platform/MessageBoxes.h"
#include "ui/ComTest.h"
#include "ui/TextModule.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QList>
#include <QPrinter>
#include <QTest>
#include <memory>

struct RecordedBoxes
{
    QList<MessageRequest> requests;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    MessageBoxFn function()
    {
        return [this](QWidget*, const MessageRequest& request) {
            requests << request;
            return answer;
        };
    }
    QStringList texts() const
    {
        QStringList list;
        for (const MessageRequest& request : requests)
            list << request.text;
        return list;
    }
};

class WindowHarness
{
public:
    // `startUp` false leaves the start-up steps to the test.
    explicit WindowHarness(bool startUp = true)
    {
        auto line = std::make_unique<FakeSerialLine>();
        fake = line.get();
        // Save, print, help and the links are recorded, never shown: a real
        // file dialog or printer would wait for an operator.
        TranscriptServices transcriptServices;
        transcriptServices.clock = [this] { return now; };
        transcriptServices.messageBox = boxes.function();
        transcriptServices.saveDialog = [this](QWidget*, const SaveDialogRequest& request) {
            saveDialogs << request.proposedName;
            return QString();
        };
        transcriptServices.printer = [this] {
            ++printRequests;
            return std::unique_ptr<QPrinter>();
        };
        InfoServices infoServices;
        infoServices.messageBox = boxes.function();
        infoServices.openHelp = [this](QWidget*, const QString& path) { opened << path; };
        infoServices.openUrl = [this](QWidget*, const QString& target) { opened << target; };
        text = std::make_unique<TEXT>(
            std::move(line), [this] { return now; }, boxes.function(), transcriptServices,
            infoServices);
        if (startUp) {
            text->startUp();
            QApplication::setActiveWindow(&window());
            activated = QTest::qWaitForWindowActive(&window());
        }
    }
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    ComTest& window() { return text->window(); }
    ModuleVars& vars() { return text->vars(); }

    // Types `typed` into an editable box as the operator would: click into
    // it, select what it holds, type over it.
    static void typeInto(QComboBox* box, const QString& typed)
    {
        QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
        box->lineEdit()->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
        else
            QTest::keyClicks(box->lineEdit(), typed);
    }

    QDateTime now = QDateTime(QDate(2026, 12, 7), QTime(6, 3, 46));
    RecordedBoxes boxes;
    QStringList saveDialogs; // proposed names the save command offered
    int printRequests = 0;
    QStringList opened;             // help files and link targets asked for
    FakeSerialLine* fake = nullptr; // owned by the start-up module
    std::unique_ptr<TEXT> text;
    bool activated = false;
};
