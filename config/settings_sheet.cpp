// Building the property sheet from one table of the pages. The sheet and its pages are Unicode
// windows, so that their texts never pass through the system's code page.
#include "settings_sheet.h"

#include <commctrl.h>

#include <string>

#include "page_switch_keys.h"
#include "resource_ids.h"
#include "sheet_fit.h"
#include "shift_jis.h"

namespace {

struct PageTemplate {
  const wchar_t* name;
  DLGPROC procedure;
};

// Tab order; each tab's caption is its template's caption.
const PageTemplate kPageTemplates[kPageCount] = {
    {L"SYSTEMCONFIG", PageProc<0>}, {L"GRAPHICCONFIG", PageProc<1>}, {L"SOUNDCONFIG", PageProc<2>},
    {L"MESSAGECONFIG", PageProc<3>}, {L"MOUSECONFIG", PageProc<4>},  {L"KEYCONFIG", PageProc<5>},
};

int CALLBACK SheetCallback(HWND sheet, UINT event, LPARAM) {
  if (event == PSCB_INITIALIZED) {
    FitSheetToPages(sheet);
    PageSwitchKeys::SetSheet(sheet);
  }
  return 0;
}

}  // namespace

void ShowSettingsSheet(HINSTANCE instance, const std::array<CWinDialog*, kPageCount>& pagesInTabOrder) {
  HPROPSHEETPAGE pages[kPageCount];
  for (int tab = 0; tab < kPageCount; ++tab) {
    pageObjects[tab] = pagesInTabOrder[tab];
    PROPSHEETPAGEW page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = kPageTemplates[tab].name;
    page.pfnDlgProc = kPageTemplates[tab].procedure;
    pages[tab] = CreatePropertySheetPageW(&page);
  }

  const std::wstring caption = WideFromShiftJis("[vesk]環境設定ツール[ver.1.02]");
  PROPSHEETHEADERW sheet = {};
  sheet.dwSize = sizeof sheet;
  sheet.dwFlags = PSH_USEHICON | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
  sheet.hwndParent = GetDesktopWindow();
  sheet.hInstance = instance;
  sheet.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SHEET_ICON));
  sheet.pszCaption = caption.c_str();
  sheet.nPages = kPageCount;
  sheet.nStartPage = 0;
  sheet.phpage = pages;
  sheet.pfnCallback = SheetCallback;
  const PageSwitchKeys pageSwitchKeys;
  PropertySheetW(&sheet);
}
