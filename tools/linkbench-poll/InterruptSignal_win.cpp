#include "InterruptSignal.h"

#include <QMetaObject>

#include <atomic>
#include <windows.h>

namespace {

std::atomic<InterruptSignal*> g_instance = nullptr;

// Windows calls this on a thread of its own, so the Qt signal is queued to
// the object's thread rather than emitted here.
BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    if (InterruptSignal* instance = g_instance.load())
        QMetaObject::invokeMethod(instance, &InterruptSignal::interrupted, Qt::QueuedConnection);
    return TRUE;
}

} // namespace

InterruptSignal::InterruptSignal(QObject* parent) : QObject(parent)
{
    g_instance = this;
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

InterruptSignal::~InterruptSignal()
{
    ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    g_instance = nullptr;
}
