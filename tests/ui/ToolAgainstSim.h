#pragma once

// The real tool against the real linkbench-sim: the simulator binary on its own
// pseudo-terminal, and the window built by the start-up module with its real
// QtSerialLine on COM1 mapped to that pty. The clock is fixed, so the send
// stamp is known; any message box fails the running test, as no exchange with
// a working simulator should raise one.

#include "RunningSim.h"
#include "catalogue/ParameterList.h"
#include "platform/MessageBoxes.h"
#include "platform/QtSerialLine.h"
#include "ui/ComTest.h"
#include "ui/TextModule.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QHash>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace withsim {

inline const QByteArray kCom1 = QByteArrayLiteral("LINKBENCH_COM1");

// The stamp of every exchange, from the fixed clock below.
inline const QDateTime kNow(QDate(2026, 12, 7), QTime(6, 3, 46));
inline const QString kStamp = QStringLiteral(" ◆◆  测试时间:2026-12-7 6:03:46");

using SimProcess = RunningSim;

// What the operator does before choosing Start, from the window's defaults
// ("读PV(DC1)", address 001, channel 01, 9600,n,8,2). Selections are made with
// the keyboard on the lists and by typing into the editable boxes.
struct Operator
{
    int function = 0;         // position in the function list
    QString parameter = {};   // parameter code to move to ("12"), after the function's preselection
    QString value = {};       // typed into the value box when not empty
    QString address = {};     // typed into the address box when not empty
    int channelDowns = 0;     // Down presses on the channel list
    bool lastChannel = false; // End on the channel list ("90")
};

// The program as its start-up module builds it, on the simulator's pty.
class ToolOnSim
{
public:
    explicit ToolOnSim(const QString& device)
    {
        qputenv(kCom1.constData(), device.toLocal8Bit());
        auto serial = std::make_unique<QtSerialLine>();
        line = serial.get();
        module = std::make_unique<TEXT>(
            std::move(serial), [] { return kNow; },
            [this](QWidget*, const MessageRequest& request) {
                boxes << request.text;
                QTest::qFail(qPrintable(QStringLiteral("unexpected message box: ") + request.text),
                             __FILE__, __LINE__);
                return QMessageBox::Ok;
            });
        module->startUp();
        QApplication::setActiveWindow(&window());
        activated = QTest::qWaitForWindowActive(&window());
    }
    ~ToolOnSim()
    {
        module.reset();
        qunsetenv(kCom1.constData());
    }
    ToolOnSim(const ToolOnSim&) = delete;
    ToolOnSim& operator=(const ToolOnSim&) = delete;

    ComTest& window() { return module->window(); }
    ModuleVars& vars() { return module->vars(); }

    void act(const Operator& op)
    {
        ComTest& w = window();
        chooseFunction(op.function);
        if (!op.parameter.isEmpty())
            chooseParameter(op.parameter);
        for (int i = 0; i < op.channelDowns; ++i)
            QTest::keyClick(w.Combo7, Qt::Key_Down);
        if (op.lastChannel)
            QTest::keyClick(w.Combo7, Qt::Key_End);
        if (!op.value.isEmpty())
            typeInto(w.Combo9, op.value);
        if (!op.address.isEmpty())
            typeInto(w.Combo6, op.address);
    }

    // Home, then Down to `position`: each step raises the function handler.
    void chooseFunction(int position)
    {
        QTest::keyClick(window().Combo5, Qt::Key_Home);
        for (int i = 0; i < position; ++i)
            QTest::keyClick(window().Combo5, Qt::Key_Down);
    }

    // Down or Up on the parameter list from where it stands to `code`.
    void chooseParameter(const QString& code)
    {
        QComboBox* list = window().Combo8;
        const int target = catalogue::parameterPosition(code);
        while (list->currentIndex() >= 0 && list->currentIndex() < target)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > target)
            QTest::keyClick(list, Qt::Key_Up);
    }

    // "56000,n,8,2" is the last entry of the line-settings list.
    void chooseFastestLine() { QTest::keyClick(window().Combo3, Qt::Key_End); }

    // Chooses "通讯(&S)" on the menu bar with the mouse.
    void clickStart()
    {
        QMenuBar* bar = window().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window().Mnu开始).center());
    }

    static void typeInto(QComboBox* box, const QString& typed)
    {
        QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), typed);
    }

    QStringList boxes;
    QtSerialLine* line = nullptr; // owned by the start-up module
    std::unique_ptr<TEXT> module;
    bool activated = false;
};

// Control characters as the simulator's log names them: "<DC1>00101<ETX>";
// line ends, which no frame holds, as <CR> and <LF>.
inline QString visible(const QString& text)
{
    static const QHash<QChar, QString> names = {
        {QChar(0x02), QStringLiteral("<STX>")}, {QChar(0x03), QStringLiteral("<ETX>")},
        {QChar(0x06), QStringLiteral("<ACK>")}, {QChar(0x11), QStringLiteral("<DC1>")},
        {QChar(0x12), QStringLiteral("<DC2>")}, {QChar(0x13), QStringLiteral("<DC3>")},
        {QChar(0x14), QStringLiteral("<DC4>")}, {QChar(0x15), QStringLiteral("<NAK>")},
        {QChar(0x17), QStringLiteral("<ETB>")}, {QChar(0x1E), QStringLiteral("<RS>")},
        {QChar(0x1F), QStringLiteral("<US>")},  {QChar(0x0D), QStringLiteral("<CR>")},
        {QChar(0x0A), QStringLiteral("<LF>")},
    };
    QString shown;
    for (const QChar c : text)
        shown += names.value(c, QString(c));
    return shown;
}

// The character sum of `text` as a five-digit check field.
inline QString characterSum(const QString& text)
{
    int sum = 0;
    for (const QChar c : text)
        sum += c.unicode();
    return QStringLiteral("%1").arg(sum % 100000, 5, 10, QLatin1Char('0'));
}

} // namespace withsim

Q_DECLARE_METATYPE(withsim::Operator)
