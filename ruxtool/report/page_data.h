// The report's data as the page's script reads it: one JSON object of the totals and every stream,
// worst first, its text in UTF-8 and written so that it may stand inside a <script> element.
#pragma once

#include <string>
#include <vector>

#include "report/report_marks.h"

std::string PageData(const std::vector<StreamReport>& reports, const SoundtrackTotals& totals);

// A string as JSON: quoted, escaped, invalid UTF-8 replaced, and "<", ">" and "&" escaped too so that
// no text can close the element around it.
std::string JsonString(const std::string& utf8);
