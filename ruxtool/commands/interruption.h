// Ctrl+C and Ctrl+Break caught, so that make ends its work where it can leave every file whole.
#pragma once

// From now on, an interruption is noted instead of ending the program.
void CatchInterruptions();
bool Interrupted();
