// The preferences dialog driven from inside the test: warnings, Cancel, OK,
// start with the system, the folder picker, and the general menu's command.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "TestSupport_win.h"
#include "app/MainForm_win.h"
#include "app/PreferencesDialog_win.h"
#include "app/StartWithSystem_win.h"
#include "common/Settings.h"

using namespace testing_support;
using app::frmPreferences;
using toolkit::WindowText;

namespace {

std::optional<std::string> RunValue() {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, app::kRunKey, app::kRunValue, RRF_RT_REG_SZ, nullptr, value, &size))
        return std::nullopt;
    return common::Utf8(value);
}

void PutRunValue(const std::optional<std::string>& value) {
    if (!value) RegDeleteKeyValueW(HKEY_CURRENT_USER, app::kRunKey, app::kRunValue);
    else {
        std::wstring wide = common::Wide(*value);
        RegSetKeyValueW(HKEY_CURRENT_USER, app::kRunKey, app::kRunValue, REG_SZ, wide.c_str(),
                        static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }
}

// The name of the folder selected in the folder picker's tree.
std::string SelectedFolder(HWND picker) {
    HWND tree = FindWindowExW(picker, nullptr, WC_TREEVIEWW, nullptr);
    wchar_t text[MAX_PATH] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return common::Utf8(text);
}

// A step on the open preferences dialog.
TimedSteps::Step OnPreferences(std::function<void(app::TfrmPreferences& d)> act) {
    return OnDialog(app::kPreferencesTitle, [act = std::move(act)](HWND) { act(*frmPreferences); });
}

struct Preferences : ::testing::Test {
    TempFolder folder;
    common::Settings settings;  // what the dialog shows, and takes over on OK
    std::optional<std::string> savedRun = RunValue();
    MessageBoxRecorder boxes;
    app::ArchiveHooks archive;  // what the archive page is handed

    void SetUp() override {
        settings.PersonalHistoryPath = folder.Path();
        settings.HotKeyOn = false;
        PutRunValue(std::nullopt);
    }
    void TearDown() override { PutRunValue(savedRun); }
    // Shows the dialog on `settings`, answered by `steps`; takes what it accepted; returns its result.
    int Show(std::vector<TimedSteps::Step> steps) {
        TimedSteps answerer(std::move(steps));
        app::TfrmPreferences dialog(settings, archive);
        int result = dialog.ShowModal();
        EXPECT_TRUE(answerer.Done());
        EXPECT_EQ(frmPreferences, &dialog);
        if (dialog.Accepted()) settings = *dialog.Accepted();
        return result;
    }
};

}  // namespace

TEST_F(Preferences, EachWarningPutsTheEditBackAndCancelAfterwardsChangesNothing) {
    const struct {
        HWND app::TfrmPreferences::*control;  // typed into; focused after the warning
        std::string typed, before;             // `before`: the edit's text that the warning puts back
        std::string title, text;
    } refusals[] = {  // one case per warning (the ranges themselves are checked natively)
        {&app::TfrmPreferences::edtHistorySize, "0", "77", "最大历史纪录", "\"最大历史纪录\" 的数值必须在 1 与 500 之间."},
        {&app::TfrmPreferences::edtCaptionLength, "101", "55", "最大标题长度",
         "\"最大标题长度\" 的数值必须在 10 与 100 之间."},
        {&app::TfrmPreferences::hkHotKey, "", "", "快捷键 ", "\"快捷键\" 必须设置.  \r\n\r\n例如 : ALT + V  "},
        {&app::TfrmPreferences::edtPersonalHistoryPath, "Z:\\no such folder", folder.Path(), "个人历史路径",
         "请输入有效的 \"个人历史\" 路径."},
        {&app::TfrmPreferences::edtKeepDays, "0", "90", "保留天数", "\"保留天数\" 的数值必须在 1 与 3650 之间."},
    };
    std::vector<TimedSteps::Step> steps;
    steps.push_back(OnPreferences([](app::TfrmPreferences& d) {
        // Valid changes before the refused ones: none of them may stay after Cancel.
        Type(d.edtHistorySize, "77");
        Type(d.edtCaptionLength, "55");
        SetCheck(d.chkDuplicatedEntries, false);
        SetCheck(d.chkDeleteAll, false);
        SetCheck(d.chkHotKey, true);
        SendMessageA(d.hkHotKey, HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_ALT), 0);
        SetCheck(d.chkKeepHistory, true);  // its days are checked only while it is on
    }));
    for (const auto& r : refusals) {
        steps.push_back(OnPreferences([&r](app::TfrmPreferences& d) {
            HWND control = d.*r.control;
            if (control == d.hkHotKey) SendMessageA(control, HKM_SETHOTKEY, 0, 0);
            else Type(control, r.typed);
            Click(d.btnOK);
        }));
        steps.push_back(OnPreferences([&r, this](app::TfrmPreferences& d) {
            HWND control = d.*r.control;
            ASSERT_FALSE(boxes.boxes.empty());
            EXPECT_EQ(boxes.boxes.back(), (RecordedBox{r.text, r.title, MB_ICONWARNING | MB_OK}));
            EXPECT_EQ(GetFocus(), control) << r.typed;
            EXPECT_TRUE(IsWindowVisible(control)) << "its page is shown";
            if (control == d.hkHotKey) SendMessageA(control, HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_ALT), 0);
            else EXPECT_EQ(WindowText(control), r.before) << r.typed;  // the edit's own undo
        }));
    }
    steps.push_back(OnPreferences([](app::TfrmPreferences& d) { Click(d.btnCancel); }));

    EXPECT_EQ(Show(std::move(steps)), IDCANCEL);
    EXPECT_EQ(boxes.boxes.size(), std::size(refusals));
    const common::Settings& s = settings;
    EXPECT_EQ(s.MaxHistorySize, 20);
    EXPECT_EQ(s.MaxCaptionLength, 20);
    EXPECT_TRUE(s.NoDuplicatedEntries);
    EXPECT_TRUE(s.DeleteAllConf);
    EXPECT_FALSE(s.HotKeyOn);
    EXPECT_EQ(s.HotKeyCombination, 32854);
    EXPECT_EQ(s.PersonalHistoryPath, folder.Path());
    EXPECT_FALSE(s.KeepClipboardHistory);
}

TEST_F(Preferences, TheArchivePageShowsItsSettingsAndWhatTheArchiveHoldsAndOkGivesThemBack) {
    archive.Summary = [] { return std::optional(archive::ArchiveSummary{12345, 85 << 20}); };
    EXPECT_EQ(Show({OnPreferences([](app::TfrmPreferences& d) {
                  ASSERT_EQ(d.pclPreferences->Count(), 4);
                  EXPECT_FALSE(toolkit::IsChecked(d.chkKeepHistory));
                  EXPECT_FALSE(IsWindowEnabled(d.edtKeepDays) || IsWindowEnabled(d.edtKeepMB));  // off
                  EXPECT_EQ(WindowText(d.edtKeepDays), "90");
                  EXPECT_EQ(WindowText(d.edtKeepMB), "1024");
                  EXPECT_EQ(WindowText(d.lblArchiveSummary), "存档: 12345 个剪辑, 85 MB");
                  EXPECT_FALSE(IsWindowEnabled(d.btnClearArchive));  // no hook to clear it
                  SetCheck(d.chkKeepHistory, true);
                  EXPECT_TRUE(IsWindowEnabled(d.edtKeepDays) && IsWindowEnabled(d.edtKeepMB));
                  SendMessageA(d.udKeepMB, UDM_SETPOS32, 0, 99999);  // the up-down stops at 65536
                  EXPECT_EQ(WindowText(d.edtKeepMB), "65536");
                  Type(d.edtKeepDays, "365");
                  Click(d.btnOK);
              })}),
              IDOK);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(settings.KeepClipboardHistory);
    EXPECT_EQ(settings.KeepHistoryDays, 365);
    EXPECT_EQ(settings.KeepHistoryMB, 65536);

    archive = {};  // no archive at all
    settings.KeepHistoryDays = 7;
    EXPECT_EQ(Show({OnPreferences([](app::TfrmPreferences& d) {
                  EXPECT_TRUE(toolkit::IsChecked(d.chkKeepHistory));
                  EXPECT_EQ(WindowText(d.edtKeepDays), "7");
                  EXPECT_EQ(WindowText(d.lblArchiveSummary), "存档: 0 个剪辑, 0 MB");
                  Click(d.btnCancel);
              })}),
              IDCANCEL);
}

TEST_F(Preferences, ClearingTheArchiveAsksAndClearsOnlyOnYes) {
    int64_t clips = 500;
    int cleared = 0;
    archive.Summary = [&] { return std::optional(archive::ArchiveSummary{clips, clips << 20}); };
    archive.Clear = [&] { ++cleared, clips = 0; };
    std::optional<MessageBoxRecorder> asked;
    auto clickClear = [&](int answer) {
        return OnPreferences([&asked, answer](app::TfrmPreferences& d) {
            asked.reset();
            asked.emplace(answer);
            d.pclPreferences->Select(3);
            Click(d.btnClearArchive);
        });
    };
    auto answered = [&](int wanted, const char* line) {
        return OnPreferences([&, wanted, line](app::TfrmPreferences& d) {
            ASSERT_EQ(asked->boxes.size(), 1u);
            EXPECT_EQ(asked->boxes[0], (RecordedBox{"确实要删除存档中的全部剪辑吗?", "确认 ",
                                                    MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2}));
            EXPECT_EQ(cleared, wanted);
            EXPECT_EQ(WindowText(d.lblArchiveSummary), line);
        });
    };
    EXPECT_EQ(Show({clickClear(IDNO), answered(0, "存档: 500 个剪辑, 500 MB"), clickClear(IDYES),
                    answered(1, "存档: 0 个剪辑, 0 MB"),
                    OnPreferences([](app::TfrmPreferences& d) { Click(d.btnCancel); })}),
              IDCANCEL);
}

TEST_F(Preferences, ControlsShowHintsTakeDigitsOnlyAndFollowTheHotKeyRules) {
    EXPECT_EQ(Show({OnPreferences([](app::TfrmPreferences& d) {
                  // The pointer on the middle of `control`, where the system names `under`.
                  auto pointerOver = [&](HWND control, HWND under) {
                      RECT r{};
                      GetWindowRect(control, &r);
                      SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                      SendMessageA(d.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                      wchar_t hint[256] = {};
                      SendMessageW(d.stbHint, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(hint));
                      return common::Utf8(hint);
                  };
                  EXPECT_EQ(pointerOver(d.lblClips, d.lblClips), " 最大历史记录必须在 1 与 500 之间");
                  EXPECT_EQ(pointerOver(d.udCaptionLength, d.udCaptionLength), " 最大标题长度必须在 10 与 100 之间");
                  EXPECT_EQ(pointerOver(d.bvlGeneral, d.tabGeneral), " ");
                  d.pclPreferences->Select(2);
                  // Switched off (HotKeyOn is off), the box gets no mouse messages: its page does.
                  EXPECT_EQ(pointerOver(d.hkHotKey, d.tabAdvanced), " 选取打开剪贴板历史的快捷键");
                  EXPECT_EQ(pointerOver(d.bbnBrowse, d.bbnBrowse), " 选取个人历史的保存路径");
                  EXPECT_EQ(pointerOver(d.edtIgnoredPrograms, d.edtIgnoredPrograms),
                            " 从这些程序复制的内容不记入历史, 例如密码管理器");
                  d.pclPreferences->Select(0);

                  SendMessageA(d.edtHistorySize, WM_CHAR, 'x', 0);
                  EXPECT_EQ(WindowText(d.edtHistorySize), "20");
                  SendMessageA(d.udHistorySize, UDM_SETPOS32, 0, 999);  // the up-down stops at 500
                  EXPECT_EQ(WindowText(d.edtHistorySize), "500");

                  EXPECT_FALSE(IsWindowEnabled(d.hkHotKey));  // HotKeyOn is off
                  SetCheck(d.chkHotKey, true);
                  EXPECT_TRUE(IsWindowEnabled(d.hkHotKey));
                  SendMessageA(d.hkHotKey, WM_KEYDOWN, 'B', 0);  // a bare key becomes Alt+key
                  EXPECT_EQ(toolkit::HotKeyValue(d.hkHotKey), MAKEWORD('B', HOTKEYF_ALT));
                  Click(d.btnCancel);
              })}),
              IDCANCEL);
}

TEST_F(Preferences, TheFolderPickerStartsAtTheEditsFolder) {
    std::string start = folder.File("历史");
    CreateDirectoryW(common::Wide(start).c_str(), nullptr);
    auto picker = [](bool startsThere, WPARAM button) {
        return OnDialog("选择文件夹", [=](HWND picker) {
            EXPECT_EQ(SelectedFolder(picker) == "历史", startsThere);
            PostMessageA(picker, WM_COMMAND, button, 0);
        });
    };
    EXPECT_EQ(Show({OnPreferences([&](app::TfrmPreferences& d) {
                        Type(d.edtPersonalHistoryPath, start + "\\");
                        Click(d.bbnBrowse);
                    }),
                    picker(true, IDOK),
                    OnPreferences([&](app::TfrmPreferences& d) {
                        // The shell's path of the folder, without a backslash; the edit has the focus.
                        EXPECT_EQ(WindowText(d.edtPersonalHistoryPath), start);
                        EXPECT_EQ(GetFocus(), d.edtPersonalHistoryPath);
                        RemoveDirectoryW(common::Wide(start).c_str());
                        Click(d.bbnBrowse);
                    }),
                    picker(false, IDCANCEL),  // a folder that is gone is no start
                    OnPreferences([](app::TfrmPreferences& d) { Click(d.btnCancel); })}),
              IDCANCEL);
}

TEST_F(Preferences, OkTakesEveryValueOverAtOnceAndWritesStartWithTheSystemQuoted) {
    QuietFolder home;
    TempFolder other;
    std::string typedPath = other.Path().substr(0, other.Path().size() - 1);  // no trailing backslash
    ASSERT_TRUE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, VK_F2));
    {
        app::TfrmMain form(home.Path());
        auto open = [&](std::function<void(app::TfrmPreferences & d)> act) {
            TimedSteps answer({OnPreferences(std::move(act))});
            form.Menus().Find("参数选择...")->Click();
            EXPECT_TRUE(answer.Done());
            EXPECT_EQ(frmPreferences, nullptr);
        };
        open([&](app::TfrmPreferences& d) {
            EXPECT_FALSE(toolkit::IsChecked(d.chkStartApplication));
            Type(d.edtHistorySize, "500");
            Type(d.edtCaptionLength, "10");
            for (HWND box : {d.chkDuplicatedEntries, d.chkPreviewMode, d.chkClipDelete, d.chkDeleteAll}) SetCheck(box, false);
            SetCheck(d.chkHotKey, true);
            SetCheck(d.chkAutoPaste, true);
            SendMessageA(d.hkHotKey, HKM_SETHOTKEY, MAKEWORD(VK_F2, HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
            SetCheck(d.chkStartApplication, true);
            Type(d.edtPersonalHistoryPath, typedPath);
            Type(d.edtIgnoredPrograms, " KeePass.exe; 1Password ");
            // What the edit takes, Pellacor.ini gives back whole.
            EXPECT_EQ(SendMessageW(d.edtIgnoredPrograms, EM_GETLIMITTEXT, 0, 0), 4095);
            Click(d.btnOK);
        });
        EXPECT_TRUE(boxes.boxes.empty());
        const common::Settings& s = form.Settings();
        EXPECT_EQ(s.MaxHistorySize, 500);
        EXPECT_EQ(s.MaxCaptionLength, 10);
        EXPECT_FALSE(s.NoDuplicatedEntries || s.PreviewMode || s.DeleteClipConf || s.DeleteAllConf);
        EXPECT_TRUE(s.HotKeyOn && s.AutoPaste);
        EXPECT_EQ(s.HotKeyCombination, 0x6000 | VK_F2);
        EXPECT_EQ(s.PersonalHistoryPath, other.Path());
        EXPECT_EQ(s.IgnoredPrograms, "KeePass.exe; 1Password");
        EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, VK_F2));  // registered at once
        // Before any exit: the file already holds the new values.
        app::SettingsFile file(home.File("Pellacor.ini"));
        EXPECT_EQ(file.Read("MaxHistorySize", ""), "500");
        EXPECT_EQ(file.Read("HotKeyCombination", ""), std::to_string(0x6000 | VK_F2));
        EXPECT_EQ(file.Read("MonitorClipboard", ""), "0");
        EXPECT_EQ(file.Read("AutoPaste", ""), "-1");
        EXPECT_EQ(file.Read("IgnoredPrograms", ""), "KeePass.exe; 1Password");
        // In double quotes: a path with blanks is never run as its first word.
        EXPECT_EQ(RunValue(), std::string("\"") + app::ExecutablePath() + "\"");

        open([](app::TfrmPreferences& d) {  // Cancel changes neither the registration nor the Run value
            EXPECT_TRUE(toolkit::IsChecked(d.chkStartApplication));
            SetCheck(d.chkStartApplication, false);
            SetCheck(d.chkHotKey, false);
            Click(d.btnCancel);
        });
        EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, VK_F2));
        EXPECT_NE(RunValue(), std::nullopt);
        open([](app::TfrmPreferences& d) {
            SetCheck(d.chkStartApplication, false);
            Click(d.btnOK);
        });
        EXPECT_EQ(RunValue(), std::nullopt);
    }
    EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_SHIFT, VK_F2));
}
