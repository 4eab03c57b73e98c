// The message page as a player uses it: the font list, live labels, radio groups and boxes.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

const char kMsGothic[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";

// A face as the list shows it and as the settings file holds it.
struct Face {
  std::wstring shown;
  std::string stored;
};

// The platform names a face in the system's language: "IPAゴシック" on a Japanese system.
Face IpaGothic() {
  if (GetACP() == 932) return {L"IPA\x30B4\x30B7\x30C3\x30AF", "IPA\x83\x53\x83\x56\x83\x62\x83\x4E"};
  return {L"IPAGothic", "IPAGothic"};
}

class MessagePage : public PageTest {
 protected:
  SheetDriver Open(const std::string& settings) { return PageTest::Open(Tab::kMessage, settings); }
  std::string Saved(const char* key) const { return SavedSetting("MESSAGE_INFO", key); }
  std::vector<std::wstring> ListedFaces() const {
    std::vector<std::wstring> faces;
    for (int i = 0; i < Driver().ListCount(IDC_MESSAGE_FONT_LIST); ++i)
      faces.push_back(Driver().ListItemText(IDC_MESSAGE_FONT_LIST, i));
    return faces;
  }
};

// The Shift-JIS faces of this machine as the platform reports them, by kind.
struct InstalledFaces {
  std::vector<std::wstring> trueType;
  std::vector<std::wstring> other;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context) {
  auto& faces = *reinterpret_cast<InstalledFaces*>(context);
  (type == TRUETYPE_FONTTYPE ? faces.trueType : faces.other).push_back(font->lfFaceName);
  return 1;
}

InstalledFaces ShiftJisFaces() {
  InstalledFaces faces;
  LOGFONTW wanted = {};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  HDC context = GetDC(nullptr);
  EnumFontFamiliesExW(context, &wanted, reinterpret_cast<FONTENUMPROCW>(CollectFace),
                      reinterpret_cast<LPARAM>(&faces), 0);
  ReleaseDC(nullptr, context);
  return faces;
}

// Whether code page 932 holds every character of the name, without look-alikes.
bool ShiftJisHolds(const std::wstring& name) {
  BOOL lost = FALSE;
  char bytes[256];
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, bytes, sizeof bytes, nullptr, &lost);
  return !lost;
}

TEST_F(MessagePage, ListsTheJapaneseTrueTypeFacesWithoutTheirVerticalVariants) {
  const SheetDriver page = Open("[MESSAGE_INFO]\r\nFONT=" + IpaGothic().stored + "\r\n");
  const std::vector<std::wstring> listed = ListedFaces();
  const InstalledFaces installed = ShiftJisFaces();
  std::vector<std::wstring> expected;
  for (const std::wstring& face : installed.trueType)
    if (face[0] != L'@' && face[0] != L'$' && ShiftJisHolds(face)) expected.push_back(face);
  EXPECT_EQ(listed, expected);
  EXPECT_NE(std::find(installed.trueType.begin(), installed.trueType.end(), L"@" + IpaGothic().shown),
            installed.trueType.end());
  for (const std::wstring& face : listed) EXPECT_NE(face[0], L'@');
  for (const std::wstring& face : installed.other)
    EXPECT_EQ(std::find(listed.begin(), listed.end(), face), listed.end());
  ASSERT_NE(page.ListSelection(IDC_MESSAGE_FONT_LIST), LB_ERR);
  EXPECT_EQ(page.ListItemText(IDC_MESSAGE_FONT_LIST, page.ListSelection(IDC_MESSAGE_FONT_LIST)), IpaGothic().shown);
  page.PressCancel();
}

TEST_F(MessagePage, AFaceThatIsNotInstalledLeavesNoSelectionAndKeepsItsName) {
  const SheetDriver page = Open("");
  EXPECT_EQ(page.ListSelection(IDC_MESSAGE_FONT_LIST), LB_ERR);
  PressOk();
  EXPECT_EQ(Saved("FONT"), kMsGothic);
}

TEST_F(MessagePage, PickingAFaceStoresItsName) {
  const SheetDriver page = Open("");
  const std::vector<std::wstring> faces = ListedFaces();
  const auto ipa = std::find(faces.begin(), faces.end(), IpaGothic().shown);
  ASSERT_NE(ipa, faces.end());
  page.ClickListItem(IDC_MESSAGE_FONT_LIST, static_cast<int>(ipa - faces.begin()));
  PressOk();
  EXPECT_EQ(Saved("FONT"), IpaGothic().stored);
}

TEST_F(MessagePage, TheDefaultsShowTheirLabels) {
  const SheetDriver page = Open("");
  EXPECT_EQ(page.Text(IDC_MESSAGE_AUTO_BASE_TIME_LABEL), L"[1000ms]");
  EXPECT_EQ(page.Text(IDC_MESSAGE_AUTO_CHARACTER_TIME_LABEL), L"[0ms]");
  EXPECT_EQ(page.Text(IDC_MESSAGE_AUTO_DECAY_TIME_LABEL), L"[0.00ms]");
  EXPECT_EQ(page.SliderPosition(IDC_MESSAGE_TEXT_SPEED), 2);
  EXPECT_EQ(page.SliderMaximum(IDC_MESSAGE_TEXT_SPEED), 10);
  EXPECT_EQ(page.SliderMaximum(IDC_MESSAGE_AUTO_BASE_TIME), 30);
  EXPECT_EQ(page.SliderMaximum(IDC_MESSAGE_AUTO_CHARACTER_TIME), 40);
  EXPECT_EQ(page.SliderMaximum(IDC_MESSAGE_AUTO_DECAY_TIME), 12);
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_OUTLINE_THIN));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_VOICE_CUT_ON_ADVANCE));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_EFFECT_TRANSPARENT));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_EFFECT_350MS));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_READ_SKIP));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_AUTO_VOICE_SYNC));
  EXPECT_FALSE(page.IsChecked(IDC_MESSAGE_BOLD));
  page.PressCancel();
}

TEST_F(MessagePage, MovingTheSlidersRewritesTheirLabels) {
  const SheetDriver page = Open("");
  page.PressKey(IDC_MESSAGE_AUTO_DECAY_TIME, VK_END);
  EXPECT_TRUE(LabelBecomes(IDC_MESSAGE_AUTO_DECAY_TIME_LABEL, L"[3.00ms]"));
  page.DragSlider(IDC_MESSAGE_AUTO_DECAY_TIME, 3);
  EXPECT_TRUE(LabelBecomes(IDC_MESSAGE_AUTO_DECAY_TIME_LABEL, L"[0.75ms]"));
  page.DragSlider(IDC_MESSAGE_AUTO_CHARACTER_TIME, 8);
  EXPECT_TRUE(LabelBecomes(IDC_MESSAGE_AUTO_CHARACTER_TIME_LABEL, L"[40ms]"));
  page.PressKey(IDC_MESSAGE_AUTO_BASE_TIME, VK_HOME);
  EXPECT_TRUE(LabelBecomes(IDC_MESSAGE_AUTO_BASE_TIME_LABEL, L"[0ms]"));
  page.PressKey(IDC_MESSAGE_TEXT_SPEED, VK_HOME);
  WaitUntil([&] { return page.SliderPosition(IDC_MESSAGE_TEXT_SPEED) == 0; }, 5000);
  Sleep(200);  // a few timer periods, so that the page has cached the positions
  PressOk();
  EXPECT_EQ(Saved("AUTO_MODE_3"), "3");
  EXPECT_EQ(Saved("AUTO_MODE_2"), "8");
  EXPECT_EQ(Saved("AUTO_MODE_1"), "0");
  EXPECT_EQ(Saved("TEXT_WAIT"), "0");
}

TEST_F(MessagePage, ALoadedFileShowsItsValuesAndTheChoicesReachTheFile) {
  const SheetDriver page = Open(FullSettings());
  EXPECT_EQ(page.Text(IDC_MESSAGE_AUTO_BASE_TIME_LABEL), L"[2000ms]");
  EXPECT_EQ(page.Text(IDC_MESSAGE_AUTO_CHARACTER_TIME_LABEL), L"[40ms]");
  EXPECT_EQ(page.Text(IDC_MESSAGE_AUTO_DECAY_TIME_LABEL), L"[0.75ms]");
  EXPECT_EQ(page.SliderPosition(IDC_MESSAGE_TEXT_SPEED), 7);
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_BOLD));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_OUTLINE_THICK));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_VOICE_CUT_FADE));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_EFFECT_SEQUENTIAL));
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_EFFECT_650MS));
  page.Click(IDC_MESSAGE_BOLD);
  page.Click(IDC_MESSAGE_OUTLINE_NONE);
  page.Click(IDC_MESSAGE_VOICE_CUT_ON_NEXT_VOICE);
  page.Click(IDC_MESSAGE_EFFECT_NORMAL);
  page.Click(IDC_MESSAGE_EFFECT_50MS);
  page.Click(IDC_MESSAGE_READ_SKIP);
  page.Click(IDC_MESSAGE_AUTO_VOICE_SYNC);
  PressOk();
  EXPECT_EQ(Saved("TEXT_BOLD"), "0");
  EXPECT_EQ(Saved("TEXT_GANG"), "0");
  EXPECT_EQ(Saved("VOICE_CUT_MODE"), "1");
  EXPECT_EQ(Saved("EFFECT_TYPE"), "0");
  EXPECT_EQ(Saved("EFFECT_TIMER"), "0");
  EXPECT_EQ(Saved("READ_SKIP"), "1");
  EXPECT_EQ(Saved("AUTO_VOICE_SYNC"), "1");
  EXPECT_EQ(Saved("TEXT_WAIT"), "7");
  EXPECT_EQ(Saved("AUTO_MODE_1"), "20");
}

TEST_F(MessagePage, AnEffectTimeOfFiveHasNoButtonAndSurvivesOk) {
  const SheetDriver page = Open("[MESSAGE_INFO]\r\nEFFECT_TIMER=5\r\n");
  for (int id = IDC_MESSAGE_EFFECT_50MS; id <= IDC_MESSAGE_EFFECT_650MS; ++id) EXPECT_FALSE(page.IsChecked(id)) << id;
  PressOk();
  EXPECT_EQ(Saved("EFFECT_TIMER"), "5");
}

TEST_F(MessagePage, TheFiveEffectTimesAreOneGroup) {
  const SheetDriver page = Open("[MESSAGE_INFO]\r\nEFFECT_TIMER=4\r\n");
  EXPECT_TRUE(page.IsChecked(IDC_MESSAGE_EFFECT_650MS));
  page.Click(IDC_MESSAGE_EFFECT_200MS);
  EXPECT_FALSE(page.IsChecked(IDC_MESSAGE_EFFECT_650MS));
  page.Click(IDC_MESSAGE_EFFECT_650MS);
  EXPECT_FALSE(page.IsChecked(IDC_MESSAGE_EFFECT_200MS));
  page.Click(IDC_MESSAGE_EFFECT_350MS);
  PressOk();
  EXPECT_EQ(Saved("EFFECT_TIMER"), "2");
}

TEST_F(MessagePage, TextSpeedZeroPutsTheSliderAtTheFastEnd) {
  const SheetDriver page = Open("[MESSAGE_INFO]\r\nTEXT_WAIT=0\r\n");
  EXPECT_EQ(page.SliderPosition(IDC_MESSAGE_TEXT_SPEED), 0);
  page.PressCancel();
}

}  // namespace
