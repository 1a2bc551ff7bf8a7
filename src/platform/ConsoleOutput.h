#pragma once

// The command-line programs write UTF-8. A Windows console shows the bytes in
// its own code page (936 on a Chinese Windows), which would turn every Chinese
// text into gibberish, so there the console is told to take UTF-8; a file or
// a pipe gets the UTF-8 bytes as they are on every system.
void writeUtf8ToConsole();
