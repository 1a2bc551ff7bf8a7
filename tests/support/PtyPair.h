#pragma once

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

// A pseudo-terminal pair standing in for an instrument on a serial line.
//
// The program under test opens slaveName() like a serial device; the test plays
// the instrument on the master side. The master is raw (no echo, no line
// editing, every byte passed as it is) and non-blocking. The pair also keeps
// its own descriptor of the slave open (slaveFd()), so that the program may
// close and reopen the device without the master seeing a hang-up, and so
// that a test can read the slave's line settings with tcgetattr().
//
// Waiting functions run a Qt event loop (a QCoreApplication must exist), so
// the program side (port notifications, timers) runs while the test waits and
// no polling delay is added. Nothing here blocks beyond the timeout given.
// All descriptors are close-on-exec: a program the test starts with QProcess
// holds none of them, so closeMaster() really takes the instrument away.
//
//     PtyPair pty;
//     qputenv("LINKBENCH_COM1", pty.slaveName().toLocal8Bit());
//     ... program opens COM1 and writes a command ...
//     QCOMPARE(pty.readExactly(7, 1000), QByteArray("\x11" "00101\x03"));
//     pty.writeToPeer("\x02...\x17");
class PtyPair
{
public:
    PtyPair();  // on failure isValid() is false and errorText() says why
    ~PtyPair(); // closes whatever is still open
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool isValid() const { return m_master >= 0; }
    QString errorText() const { return m_error; }

    // The device path the program opens, e.g. "/dev/pts/3".
    QString slaveName() const { return m_slaveName; }
    // The pair's own descriptor of the slave (for tcgetattr), -1 once closed.
    int slaveFd() const { return m_slave; }

    // Sends bytes to the program, as the instrument would. Returns false if
    // not all of them could be written (master closed, a write error, or the
    // program not reading a large burst within two seconds).
    bool writeToPeer(const QByteArray& bytes);

    // What the program has written and the test has not read yet: waits up to
    // timeoutMs for the first byte, then returns everything that has arrived
    // (empty if nothing came).
    QByteArray readFromPeer(int timeoutMs);
    // The next n bytes the program wrote, or fewer if timeoutMs passes first
    // (the caller compares). Bytes beyond n are kept for the next read.
    QByteArray readExactly(int n, int timeoutMs);

    // Closes the master: the instrument goes away. The program's open device
    // starts failing; the slave path disappears from /dev/pts.
    void closeMaster();
    // Closes the pair's own slave descriptor (the program's stays as it is).
    void closeSlave();

private:
    QByteArray readAvailable();
    bool waitReadable(int timeoutMs);
    bool waitReady(QSocketNotifier::Type type, int timeoutMs);

    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
    QString m_error;
    QByteArray m_pending; // read from the master, not yet handed to the test
};
