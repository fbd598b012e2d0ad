// Ctrl+C, SIGTERM and a closed terminal (on Windows: Ctrl+C, Ctrl+Break, a
// closed console, logging off) end a command's loop: the command
// sees it and ends as it should (the meter let go, the files written).
#pragma once

void CatchInterruptions();
bool Interrupted();
