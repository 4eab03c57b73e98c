// The two named mutexes: one running copy of the program, and never while the engine runs.
#pragma once

// Takes "Orvelle VESK CONFIG" for the rest of the process; false when another copy holds it.
bool TakeSingleInstanceLock();
// True while the engine holds "Orvelle VESK INTERFACE", or when the mutex cannot be tested.
bool EngineIsRunning();
