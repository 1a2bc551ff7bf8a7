#include "platform/BrokenPipe.h"

// Windows sends no signal for a pipe whose reader has gone; the write fails.
void surviveBrokenPipes() {}
