#include "TapLine.h"

namespace sim {

TapLine::TapLine(std::unique_ptr<SimLine> line, QObject* parent)
    : SimLine(parent), m_line(std::move(line))
{
    connect(m_line.get(), &SimLine::received, this, [this](const QByteArray& bytes) {
        m_tap.write(bytes);
        emit received(bytes);
    });
    connect(m_line.get(), &SimLine::problem, this, &SimLine::problem);
    connect(&m_tap, &SimLine::received, this, &TapLine::tapWritten);
}

bool TapLine::open(QString* error)
{
    return m_tap.open(error);
}

void TapLine::write(const QByteArray& bytes)
{
    m_line->write(bytes);
    m_tap.write(bytes);
}

} // namespace sim
