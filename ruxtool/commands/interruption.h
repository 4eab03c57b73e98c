// Ctrl+C, Ctrl+Break and the console's closing caught, so that make ends its work where it can leave
// every file whole, and ends at once, its temporary files removed, when asked twice or closed.
#pragma once

// From now on, an interruption is noted instead of ending the program.
void CatchInterruptions();
