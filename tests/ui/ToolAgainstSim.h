#pragma once

// The real tool against the real linkbench-sim: the simulator binary on its own
// pseudo-terminal, and the window built by the start-up module with its real
// QtSerialLine on COM1 mapped to that pty. The clock is fixed, so the send
// stamp is known; any message box fails the running test, as no exchange with
// a working simulator should raise one.

#include "ProgramHarness.h"
#include "RunningSim.h"
#include "WireText.h"

#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace withsim {

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

// The program as its start-up module builds it, on the simulator's pty; any
// message box fails the running test.
class ToolOnSim : public ProgramHarness
{
public:
    explicit ToolOnSim(const QString& device)
        : ProgramHarness({.device = device, .boxesUnexpected = true})
    {
    }

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

    // "56000,n,8,2" is the last entry of the line-settings list.
    void chooseFastestLine() { QTest::keyClick(window().Combo3, Qt::Key_End); }
};

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
