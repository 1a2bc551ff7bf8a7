#pragma once

// A reader of a program's output that goes away (a log viewer, `| head`)
// must not end the program: writes to its pipe then fail instead of killing
// the process.
void surviveBrokenPipes();
