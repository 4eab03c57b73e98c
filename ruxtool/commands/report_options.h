// The command line of ruxtool report.
#pragma once

#include <string>

#include "report/soundtrack_report.h"

extern const char kReportUsage[];

// arguments: what follows the word report. False, with the reason in error, when they are not what
// kReportUsage describes.
bool ParseReportOptions(int count, char** arguments, ReportOptions& options, std::string& error);
