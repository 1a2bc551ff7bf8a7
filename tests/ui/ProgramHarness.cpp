#include "ProgramHarness.h"

#include "catalogue/ParameterList.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QTest>

namespace {

const char* const kCom1 = "LINKBENCH_COM1";

} // namespace

QStringList RecordedBoxes::texts() const
{
    QStringList list;
    for (const MessageRequest& request : requests)
        list << request.text;
    return list;
}

ProgramHarness::ProgramHarness(const Setup& setup)
{
    std::unique_ptr<SerialLine> serial;
    if (setup.device.isEmpty() && !setup.realLine) {
        auto fakeLine = std::make_unique<FakeSerialLine>();
        fake = fakeLine.get();
        serial = std::move(fakeLine);
    } else {
        if (!setup.device.isEmpty()) {
            qputenv(kCom1, setup.device.toLocal8Bit());
            m_mappedCom1 = true;
        }
        auto realLine = std::make_unique<QtSerialLine>();
        line = realLine.get();
        serial = std::move(realLine);
    }
    boxes.unexpected = setup.boxesUnexpected;
    module = std::make_unique<TEXT>(std::move(serial), recordedServices(setup.programFolder));
    if (setup.startUp) {
        module->startUp();
        QApplication::setActiveWindow(&window());
        activated = QTest::qWaitForWindowActive(&window());
    }
}

ProgramHarness::~ProgramHarness()
{
    module.reset();
    if (m_mappedCom1)
        qunsetenv(kCom1);
}

PlatformServices ProgramHarness::recordedServices(const QString& programFolder)
{
    PlatformServices services;
    services.clock = [this] { return now; };
    services.messageBox = [this](QWidget*, const MessageRequest& request) {
        boxes.requests << request;
        if (boxes.unexpected) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + request.text),
                         __FILE__, __LINE__);
        }
        return boxes.answer;
    };
    services.saveDialog = [this](QWidget*, const SaveDialogRequest& request) {
        saveDialogs << request;
        return saveAnswer;
    };
    services.printer = [this] {
        ++printRequests;
        return printer();
    };
    services.openHelp = [this](QWidget*, const QString& path) { opened << path; };
    services.openUrl = [this](QWidget*, const QString& target) { opened << target; };
    services.programFolder = programFolder;
    return services;
}

void ProgramHarness::typeInto(QComboBox* box, const QString& typed)
{
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    box->lineEdit()->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(box->lineEdit(), typed);
}

void ProgramHarness::chooseFunction(int position)
{
    QTest::keyClick(window().Combo5, Qt::Key_Home);
    for (int i = 0; i < position; ++i)
        QTest::keyClick(window().Combo5, Qt::Key_Down);
}

void ProgramHarness::chooseParameter(const QString& code)
{
    QComboBox* list = window().Combo8;
    const int target = catalogue::parameterPosition(code);
    while (list->currentIndex() >= 0 && list->currentIndex() < target)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > target)
        QTest::keyClick(list, Qt::Key_Up);
}

void ProgramHarness::clickStart()
{
    QMenuBar* bar = window().menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window().Mnu开始).center());
}
