// A request to stop the run, which Ctrl+C makes: long loops ask for it between their steps and give
// up early, and whoever called them says "interrupted".
#pragma once

void SetStopRequested(bool requested);
bool StopRequested();
