// The message a player sees when OK could not save the settings files.
#pragma once

#include "save_result.h"

// Shows one warning box, with no owner window, naming the file and the likely cause.
void ShowSaveFailure(const SaveResult& result);
