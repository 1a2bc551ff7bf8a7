#include "platform/BrokenPipe.h"

#include <csignal>

void surviveBrokenPipes()
{
    std::signal(SIGPIPE, SIG_IGN);
}
