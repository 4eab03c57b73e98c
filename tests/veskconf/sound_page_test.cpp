// The sound page as a player uses it: volume sliders, the voice fade with its live labels.
#include <gtest/gtest.h>

#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

const int kVolumes[] = {IDC_SOUND_MASTER_VOLUME, IDC_SOUND_MUSIC_VOLUME, IDC_SOUND_EFFECTS_VOLUME,
                        IDC_SOUND_VOICE_VOLUME, IDC_SOUND_VIDEO_VOLUME};

class SoundPage : public PageTest {
 protected:
  SheetDriver Open(const std::string& settings) { return PageTest::Open(Tab::kSound, settings); }
  std::string Saved(const char* key) const { return SavedSetting("SOUND_INFO", key); }
};

TEST_F(SoundPage, TheFileDefaultsPutTheVolumesAtTheRightEnd) {
  const SheetDriver page = Open("");
  for (int id : kVolumes) {
    EXPECT_EQ(page.SliderMaximum(id), 16) << id;
    EXPECT_EQ(page.SliderPosition(id), 16) << id;
  }
  EXPECT_EQ(page.SliderPosition(IDC_SOUND_FADE_VOLUME), 20);
  EXPECT_EQ(page.SliderPosition(IDC_SOUND_FADE_TIME), 5);
  EXPECT_EQ(page.SliderPosition(IDC_SOUND_FADE_WAIT), 10);
  EXPECT_EQ(page.SliderMaximum(IDC_SOUND_FADE_WAIT), 30);
  EXPECT_EQ(page.Text(IDC_SOUND_FADE_VOLUME_LABEL), L" 100%");
  EXPECT_EQ(page.Text(IDC_SOUND_FADE_TIME_LABEL), L" 500ms");
  EXPECT_EQ(page.Text(IDC_SOUND_FADE_WAIT_LABEL), L"1000ms");
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_QUALITY_STANDARD));
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_BUFFER_SMALLEST));
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_GLOBAL_FOCUS));
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_MEMORY_STREAM));
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_MUSIC));
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_FADE_WITH_VOICE));
  EXPECT_FALSE(page.IsChecked(IDC_SOUND_HARDWARE));
  EXPECT_FALSE(page.IsChecked(IDC_SOUND_3D));
  // The double-buffer box belongs to no settings key.
  EXPECT_FALSE(page.IsEnabled(IDC_SOUND_DOUBLE_BUFFER));
  EXPECT_FALSE(page.IsChecked(IDC_SOUND_DOUBLE_BUFFER));
  page.PressCancel();
}

TEST_F(SoundPage, AVolumeOf200IsShownAt12AndComesBackAs192) {
  const SheetDriver page = Open("[SOUND_INFO]\r\nMUSIC_VOLUME=200\r\n");
  EXPECT_EQ(page.SliderPosition(IDC_SOUND_MUSIC_VOLUME), 12);
  PressOk();
  EXPECT_EQ(Saved("MUSIC_VOLUME"), "192");
}

TEST_F(SoundPage, AVolumeOf200ComesBackAs192WhenThePageWasNeverOpened) {
  game_.WriteSettings("[SOUND_INFO]\r\nSE_VOLUME=200\r\n");
  const OpenSheet sheet = StartSheet(game_.InstallProgram(game_.Path()), game_.Path());
  ASSERT_NE(sheet.window, nullptr);
  sheet.Driver().PressOk();
  ASSERT_EQ(sheet.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(Saved("SE_VOLUME"), "192");
}

TEST_F(SoundPage, MovingTheFadeSlidersRewritesTheirLabels) {
  const SheetDriver page = Open("");
  page.PressKey(IDC_SOUND_FADE_TIME, VK_HOME);
  EXPECT_TRUE(LabelBecomes(IDC_SOUND_FADE_TIME_LABEL, L"   0ms"));
  page.DragSlider(IDC_SOUND_FADE_VOLUME, 0);
  EXPECT_TRUE(LabelBecomes(IDC_SOUND_FADE_VOLUME_LABEL, L"   0%"));
  page.PressKey(IDC_SOUND_FADE_WAIT, VK_END);
  EXPECT_TRUE(LabelBecomes(IDC_SOUND_FADE_WAIT_LABEL, L"3000ms"));
  page.DragSlider(IDC_SOUND_MASTER_VOLUME, 8);
  WaitUntil([&] { return page.SliderPosition(IDC_SOUND_MASTER_VOLUME) == 8; }, 5000);
  Sleep(200);  // a few timer periods, so that the page has cached the positions
  PressOk();
  EXPECT_EQ(Saved("VOICE_FADE_TIMER"), "0");
  EXPECT_EQ(Saved("VOICE_FADE_VOLOME"), "0");
  EXPECT_EQ(Saved("VOICE_FADE_WAIT"), "3000");
  EXPECT_EQ(Saved("MASTER_VOLUME"), "128");
}

TEST_F(SoundPage, TheChoicesOfAPlayerReachTheFile) {
  const SheetDriver page = Open(FullSettings());
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_QUALITY_HIGH));
  EXPECT_TRUE(page.IsChecked(IDC_SOUND_BUFFER_LARGE));
  EXPECT_EQ(page.Text(IDC_SOUND_FADE_VOLUME_LABEL), L"  40%");
  EXPECT_EQ(page.Text(IDC_SOUND_FADE_TIME_LABEL), L" 800ms");
  EXPECT_EQ(page.Text(IDC_SOUND_FADE_WAIT_LABEL), L"1500ms");
  page.Click(IDC_SOUND_QUALITY_STANDARD);
  page.Click(IDC_SOUND_BUFFER_LARGEST);
  page.Click(IDC_SOUND_HARDWARE);
  page.Click(IDC_SOUND_3D);
  page.Click(IDC_SOUND_MEMORY_STREAM);
  page.Click(IDC_SOUND_GLOBAL_FOCUS);
  page.Click(IDC_SOUND_MUSIC);
  page.Click(IDC_SOUND_FADE_WITH_VOICE);
  PressOk();
  EXPECT_EQ(Saved("SOUND_QUALITY"), "0");
  EXPECT_EQ(Saved("SOUND_BUFFER"), "3");
  EXPECT_EQ(Saved("SOUND_HARDWARE"), "0");
  EXPECT_EQ(Saved("SOUND_3D_USE"), "0");
  EXPECT_EQ(Saved("SOUND_STREAM"), "1");
  EXPECT_EQ(Saved("SOUND_GLOBAL_FOCUS"), "1");
  EXPECT_EQ(Saved("MUSIC_USE"), "1");
  EXPECT_EQ(Saved("VOICE_FADE_USE"), "1");
  EXPECT_EQ(Saved("MUSIC_VOLUME"), "64");
  EXPECT_EQ(Saved("VOICE_FADE_TIMER"), "800");
}

}  // namespace
