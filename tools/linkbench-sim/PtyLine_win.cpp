#include "PtyLine.h"

#include "SimTexts.h"

// Windows has no pseudo-terminals: there the simulator serves a real port
// (--device COMn), and open() says so.
namespace sim {

PtyLine::PtyLine(QObject* parent) : SimLine(parent) {}

PtyLine::~PtyLine() = default;

bool PtyLine::open(QString* error)
{
    *error = sim_texts::NoPtyHere;
    return false;
}

void PtyLine::write(const QByteArray&) {}

} // namespace sim
