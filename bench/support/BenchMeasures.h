#pragma once

#include <QByteArray>

// Figures the benchmarks share.

// This process's resident memory in KiB (VmRSS), -1 when it cannot be read.
long residentKiB();

// One exchange as a bare client makes it on a raw, blocking device `fd`:
// writes `frame` and reads until the reply's ETB, ACK or NAK. False when the
// write fails or nothing completes the reply within `timeoutMs` of quiet.
bool bareExchange(int fd, const QByteArray& frame, int timeoutMs = 3000);
