#include "PtyPair.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace {

QString systemReason(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyPair::PtyPair()
{
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        m_error = systemReason("openpty");
        return;
    }
    // Termios requests on the master act on the slave's settings: make the line
    // raw so that no byte is translated or echoed before the program opens it.
    termios raw{};
    if (::tcgetattr(master, &raw) != 0 ||
        (::cfmakeraw(&raw), ::tcsetattr(master, TCSANOW, &raw)) != 0 ||
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) != 0) {
        m_error = systemReason("master set-up");
        ::close(master);
        ::close(slave);
        return;
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    m_master = master;
    m_slave = slave;
    m_slaveName = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair()
{
    closeMaster();
    closeSlave();
}

bool PtyPair::writeToPeer(const QByteArray& bytes)
{
    if (m_master < 0)
        return false;
    qsizetype done = 0;
    const QDeadlineTimer deadline(2000);
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else if (!waitReady(QSocketNotifier::Write, int(deadline.remainingTime()))) {
            return false; // the program has not read its input for two seconds
        }
    }
    return true;
}

QByteArray PtyPair::readFromPeer(int timeoutMs)
{
    if (m_pending.isEmpty() && waitReadable(timeoutMs))
        m_pending += readAvailable();
    return std::exchange(m_pending, {});
}

QByteArray PtyPair::readExactly(int n, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_pending.size() < n && waitReadable(int(deadline.remainingTime())))
        m_pending += readAvailable();
    const QByteArray got = m_pending.left(n);
    m_pending.remove(0, got.size());
    return got;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void PtyPair::closeSlave()
{
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
}

QByteArray PtyPair::readAvailable()
{
    QByteArray got;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    return got;
}

bool PtyPair::waitReadable(int timeoutMs)
{
    return waitReady(QSocketNotifier::Read, timeoutMs);
}

bool PtyPair::waitReady(QSocketNotifier::Type type, int timeoutMs)
{
    if (m_master < 0)
        return false;
    const short wanted = type == QSocketNotifier::Read ? POLLIN : POLLOUT;
    pollfd p{m_master, wanted, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & wanted))
        return true;
    if (timeoutMs <= 0)
        return false;
    // Wait inside an event loop, woken by the master becoming ready, so the
    // program's notifications and timers run meanwhile and no delay is added.
    QEventLoop loop;
    QSocketNotifier ready(m_master, type);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&ready, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    loop.exec();
    return ::poll(&p, 1, 0) > 0 && (p.revents & wanted);
}
