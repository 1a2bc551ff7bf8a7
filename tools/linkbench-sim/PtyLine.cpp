#include "PtyLine.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr int kReadRetryMs = 100;

} // namespace

PtyLine::PtyLine(QObject* parent) : SimLine(parent)
{
    m_readRetry.setSingleShot(true);
    m_readRetry.setInterval(kReadRetryMs);
    connect(&m_readRetry, &QTimer::timeout, this, [this] {
        m_readNotifier->setEnabled(true);
        onReadable();
    });
}

PtyLine::~PtyLine()
{
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool PtyLine::open(QString* error)
{
    termios raw{};
    cfmakeraw(&raw);
    raw.c_cflag |= CS8 | CSTOPB | CLOCAL | CREAD;
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    termios masterMode{};
    tcgetattr(m_master, &masterMode);
    cfmakeraw(&masterMode);
    tcsetattr(m_master, TCSANOW, &masterMode);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);

    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &PtyLine::onReadable);
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &PtyLine::flushPending);
    return true;
}

void PtyLine::onReadable()
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            // No slave open anywhere: wait for the tool instead of spinning.
            m_readNotifier->setEnabled(false);
            m_readRetry.start();
        }
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PtyLine::write(const QByteArray& bytes)
{
    m_pending.append(bytes);
    if (m_pending.size() > kMaxPending)
        m_pending.remove(0, m_pending.size() - kMaxPending);
    flushPending();
}

void PtyLine::flushPending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            m_writeNotifier->setEnabled(true);
            return;
        }
        // Nobody can hear it: the reply is lost, as on a line without a listener.
        emit problem(QString::fromLocal8Bit(std::strerror(errno)));
        m_pending.clear();
    }
    m_writeNotifier->setEnabled(false);
}

} // namespace sim
