// Building the property sheet from one table of the pages.
#include "settings_sheet.h"

#include <commctrl.h>

#include "resource_ids.h"
#include "sheet_fit.h"

namespace {

struct PageTemplate {
  const char* name;
  DLGPROC procedure;
};

// Tab order; each tab's caption is its template's caption.
const PageTemplate kPageTemplates[kPageCount] = {
    {"SYSTEMCONFIG", PageProc<0>}, {"GRAPHICCONFIG", PageProc<1>}, {"SOUNDCONFIG", PageProc<2>},
    {"MESSAGECONFIG", PageProc<3>}, {"MOUSECONFIG", PageProc<4>},  {"KEYCONFIG", PageProc<5>},
};

int CALLBACK SheetCallback(HWND sheet, UINT event, LPARAM) {
  if (event == PSCB_INITIALIZED) FitSheetToPages(sheet);
  return 0;
}

}  // namespace

void ShowSettingsSheet(HINSTANCE instance, const std::array<CWinDialog*, kPageCount>& pagesInTabOrder) {
  HPROPSHEETPAGE pages[kPageCount];
  for (int tab = 0; tab < kPageCount; ++tab) {
    pageObjects[tab] = pagesInTabOrder[tab];
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = kPageTemplates[tab].name;
    page.pfnDlgProc = kPageTemplates[tab].procedure;
    pages[tab] = CreatePropertySheetPageA(&page);
  }

  PROPSHEETHEADERA sheet = {};
  sheet.dwSize = sizeof sheet;
  sheet.dwFlags = PSH_USEHICON | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
  sheet.hwndParent = GetDesktopWindow();
  sheet.hInstance = instance;
  sheet.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SHEET_ICON));
  sheet.pszCaption = "[vesk]環境設定ツール[ver.1.02]";
  sheet.nPages = kPageCount;
  sheet.nStartPage = 0;
  sheet.phpage = pages;
  sheet.pfnCallback = SheetCallback;
  PropertySheetA(&sheet);
}
