// ParseReportOptions: -j with its value, then the streams' folder and the report folder.
#include "commands/report_options.h"

#include <vector>

#include "number_text/parse_number.h"
#include "system/path_names.h"

const char kReportUsage[] =
    "report writes REPORT_FOLDER\\index.html, a page on which to see and hear every stream made into\n"
    "FOLDER at any depth (NAME.intro.ogg with NAME.loop.ogg, and NAME.ogg), worst first: its facts and\n"
    "what make recorded, its pictures, and the wrap and the entry into the loop as the game plays them\n"
    "through rux2.dll. The page opens from the disk in any browser. REPORT_FOLDER may not lie in FOLDER.\n"
    "  -j N            streams played at once (default: one per processor)\n";

bool ParseReportOptions(int count, char** arguments, ReportOptions& options, std::string& error) {
  std::vector<std::string> folders;
  for (int i = 0; i < count; ++i) {
    const std::string argument = arguments[i];
    if (argument == "-j" && i + 1 < count) {
      if (!ParseWholeNumber(arguments[++i], 1, 64, options.jobs)) {
        error = "-j takes a number from 1 to 64";
        return false;
      }
    } else if (argument.compare(0, 1, "-") == 0) {
      error = "unknown option or missing value: " + argument;
      return false;
    } else {
      folders.push_back(argument);
    }
  }
  if (folders.size() != 2) {
    error = "report takes the folder of the streams and the report folder";
    return false;
  }
  options.folder = folders[0];
  options.reportFolder = folders[1];
  if (IsSameOrUnder(options.reportFolder, options.folder)) {
    error = "the report folder may not be the streams' folder or lie in it: that folder ships with the game";
    return false;
  }
  return true;
}
