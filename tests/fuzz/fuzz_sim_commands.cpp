// The simulator's command parser and its answers. The input is the byte
// stream the simulator receives from the tool's side of the line.
//
// Properties: every frame the stream cuts runs from DC1..DC4 through its one
// ETX and is no longer than the limit; no byte is counted twice (frames and
// dropped bytes never exceed what came in, and less than one frame's worth is
// pending); a frame that does not parse gets no answer; every answer is one of
// a reply with one STX at its start, one ETB at its end and its check field
// over the rest, a lone ACK, a lone NAK, or silence.
#include "CommandStream.h"
#include "FuzzCheck.h"
#include "InstrumentBus.h"
#include "wire/CommandFrame.h"
#include "wire/ControlChars.h"
#include "wire/ReplyFrame.h"

namespace {

bool isFunction(char c)
{
    return wire::functionOfCode(uchar(c)).has_value();
}

void checkAnswer(const sim::Answer& answer, bool parsed)
{
    if (!parsed)
        FUZZ_CHECK(answer.kind == sim::AnswerKind::Silent);
    switch (answer.kind) {
    case sim::AnswerKind::Reply: {
        const QByteArray& reply = answer.bytes;
        FUZZ_CHECK(reply.size() >= 7);
        FUZZ_CHECK(reply.count(char(ctl::STX)) == 1 && reply.startsWith(char(ctl::STX)));
        FUZZ_CHECK(reply.count(char(ctl::ETB)) == 1 && reply.endsWith(char(ctl::ETB)));
        FUZZ_CHECK(reply.sliced(reply.size() - 6, 5) ==
                   wire::checkFieldFor(reply.first(reply.size() - 6)));
        break;
    }
    case sim::AnswerKind::Ack:
        FUZZ_CHECK(answer.bytes == QByteArray(1, char(ctl::ACK)));
        break;
    case sim::AnswerKind::Nak:
        FUZZ_CHECK(answer.bytes == QByteArray(1, char(ctl::NAK)));
        break;
    case sim::AnswerKind::Silent:
        FUZZ_CHECK(answer.bytes.isEmpty());
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QDateTime kEpoch(QDate(2026, 12, 7), QTime(6, 3, 46));
    sim::InstrumentBus bus(sim::BusLayout{}, [] { return kEpoch; });
    sim::CommandStream stream;
    qint64 framed = 0;
    for (size_t i = 0; i < size; ++i) {
        const std::optional<QByteArray> frame = stream.push(char(data[i]));
        if (!frame)
            continue;
        framed += frame->size();
        FUZZ_CHECK(frame->size() >= 2 && frame->size() <= sim::CommandStream::kMaxFrameLength);
        FUZZ_CHECK(isFunction(frame->front()) && frame->endsWith(char(ctl::ETX)));
        FUZZ_CHECK(frame->count(char(ctl::ETX)) == 1);
        const bool parsed = wire::parseCommand(*frame).has_value();
        checkAnswer(bus.answer(*frame, (data[i] & 1) != 0), parsed);
    }
    const qint64 accounted = framed + stream.droppedBytes();
    FUZZ_CHECK(accounted <= qint64(size));
    FUZZ_CHECK(qint64(size) - accounted <= sim::CommandStream::kMaxFrameLength);
    return 0;
}
