// Ids of the small dialogs the framework tests run.
#pragma once

#define IDD_FRAMEWORK_TEST 200
#define IDD_FRAMEWORK_PAGE 201
#define IDC_TEST_LIST 300
#define IDC_TEST_COMBO 301
#define IDC_TEST_SLIDER 302
