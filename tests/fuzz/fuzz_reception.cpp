// Reception, decoding and the transcript entry, one chunk at a time. The input's
// first byte picks the command last sent and the function selection at the
// reply; every further byte is a received byte, cut into chunks at each 0xFF.
//
// Properties: RecvBuf gathers framed replies without losing a character (it
// ends with every chunk it took since the last STX); a reply is decoded
// exactly when a chunk holds ETB; the check field is the five characters
// before the last; acknowledgements come in chunks that hold ACK or NAK, ACK
// first; every entry names the frame that was sent; the transcript's text is
// the entries and separators it was given.
#include "FuzzCheck.h"
#include "protocol/ReplyDecoding.h"
#include "protocol/ReplyReception.h"
#include "protocol/TimeoutEntry.h"
#include "transcript/Transcript.h"
#include "wire/ControlChars.h"

#include <QList>

namespace {

const QString kFrames[] = {
    QChar(ctl::DC1) + QStringLiteral("00101") + QChar(ctl::ETX),
    QChar(ctl::DC2) + QStringLiteral("00101") + QChar(ctl::US) + QStringLiteral("11") +
        QChar(ctl::ETX),
    QChar(ctl::DC3) + QStringLiteral("00101") + QChar(ctl::US) + QStringLiteral("12") +
        QChar(ctl::US) + QStringLiteral("0100.0") + QChar(ctl::US) + QStringLiteral("00740") +
        QChar(ctl::ETX),
    QChar(ctl::DC4) + QStringLiteral("05") + QChar(ctl::DC2) + QStringLiteral("00101") +
        QChar(ctl::US) + QStringLiteral("73") + QChar(ctl::ETX),
};

void put(Transcript& transcript, QString& expected, const std::optional<TranscriptEntry>& entry,
         const ModuleVars& vars)
{
    if (!entry)
        return;
    FUZZ_CHECK(entry->text.contains(vars.SentFrame) || entry->text.contains(vars.StampText));
    expected = transcript.isEmpty() ? entry->text : entry->text + entry->separator + expected;
    transcript.insert(entry->text, entry->separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int sent = data[0] & 3;
    const int selected = (data[0] >> 2) % 5 - 1; // -1 (nothing selected) to 3
    ModuleVars vars;
    vars.FuncCode = kFrames[sent].left(1);
    vars.SentFrame = kFrames[sent];
    vars.StampText = QStringLiteral(" ◆◆  测试时间:2026-12-7 6:03:46");
    const QString parameter = QStringLiteral("11:分读号 ");

    QList<QString> chunks{QString()};
    for (size_t i = 1; i < size; ++i) {
        if (data[i] == 0xFF)
            chunks << QString();
        else
            chunks.last() += QChar(char16_t(data[i])); // each received byte one character
    }

    Transcript transcript;
    QString expected;
    QString sinceStx; // what the reply holds since its last STX, as the rule keeps it
    const bool framed = sent != 2;
    for (const QString& chunk : std::as_const(chunks)) {
        FUZZ_CHECK(!reception::wantsChunk(vars, line::kEventReceive + 1));
        if (!reception::wantsChunk(vars, line::kEventReceive) || chunk.isEmpty())
            continue;
        const reception::Outcome outcome = reception::takeChunk(vars, chunk);
        if (framed) {
            sinceStx = chunk.contains(QChar(ctl::STX)) ? chunk : sinceStx + chunk;
            FUZZ_CHECK(vars.RecvBuf == sinceStx);
            FUZZ_CHECK(outcome.decode == chunk.contains(QChar(ctl::ETB)));
            FUZZ_CHECK(outcome.timerOff == outcome.decode);
            FUZZ_CHECK(outcome.verdicts.isEmpty());
        } else {
            FUZZ_CHECK(vars.RecvBuf.isEmpty());
            FUZZ_CHECK(!outcome.decode);
            QList<reception::Verdict> verdicts;
            if (chunk.contains(QChar(ctl::ACK)))
                verdicts << reception::Verdict::Ack;
            if (chunk.contains(QChar(ctl::NAK)))
                verdicts << reception::Verdict::Nak;
            FUZZ_CHECK(outcome.verdicts == verdicts);
            FUZZ_CHECK(outcome.timerOff == !verdicts.isEmpty());
        }
        if (outcome.decode) {
            const QString reply = vars.RecvBuf;
            const auto entry = JieXi(vars, selected, parameter, transcript.isEmpty());
            FUZZ_CHECK(entry.has_value() == (selected >= 0));
            if (selected == 0 || selected == 3)
                FUZZ_CHECK(vars.WorkOut == QStringLiteral("校验和:") + reply.right(6).left(5));
            else
                FUZZ_CHECK(vars.WorkOut.isEmpty());
            if (selected == 0 || selected == 1)
                FUZZ_CHECK(entry->text.endsWith(reply));
            put(transcript, expected, entry, vars);
            sinceStx = vars.RecvBuf; // the concentrator layout rewrites it
        }
        for (const reception::Verdict verdict : outcome.verdicts)
            put(transcript, expected, acknowledgementEntry(vars, parameter, verdict), vars);
        FUZZ_CHECK(transcript.text() == expected);
        FUZZ_CHECK(transcript.length() == expected.size());
    }
    const auto timeout = timeoutEntry(vars, selected, parameter);
    FUZZ_CHECK(timeout.has_value() == (selected >= 0));
    put(transcript, expected, timeout, vars);
    FUZZ_CHECK(transcript.text() == expected);
    return 0;
}
