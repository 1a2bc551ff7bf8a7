#include "monitor/OutcomeText.h"

#include "monitor/MonitorTexts.h"

namespace monitor {

QString outcomeText(diagnosis::Outcome outcome)
{
    using diagnosis::Outcome;
    switch (outcome) {
    case Outcome::Ok:
        return monitortexts::OutcomeOk;
    case Outcome::Timeout:
        return monitortexts::OutcomeTimeout;
    case Outcome::Nak:
        return monitortexts::OutcomeNak;
    case Outcome::Check:
        return monitortexts::OutcomeCheck;
    case Outcome::Malformed:
        return monitortexts::OutcomeMalformed;
    }
    return {};
}

} // namespace monitor
