// The general menu's "参数选择...": the preferences dialog and what OK changes.
#include "app/MainForm_win.h"
#include "app/PreferencesDialog_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"

#include <utility>

namespace app {

void TfrmMain::mniPreferencesClick() {
    if (frmPreferences) {  // it opens only once at a time
        SetForegroundWindow(frmPreferences->Handle());
        return;
    }
    ArchiveHooks archive{[this] { return ArchiveSummary(); }, [this] { ClearArchive(); }};
    std::optional<common::Settings> accepted = TfrmPreferences::Run(settings_, archive);
    if (!accepted) return;
    // The dialog leaves the watching alone; the menu's state stands.
    accepted->MonitorClipboard = settings_.MonitorClipboard;
    bool newFolder = accepted->PersonalHistoryPath != settings_.PersonalHistoryPath;
    bool deleteStored = settings_.KeepClipboardHistory && !accepted->KeepClipboardHistory &&
                        common::Confirmed("同时删除已保存的剪辑吗?", common::BoxTitle::Confirm);
    common::Settings before = std::exchange(settings_, std::move(*accepted));
    if (newFolder) PersonalFolderChosen();
    ArchiveSettingsChanged(before, deleteStored);
    ApplyHotKey(settings_.HotKeyOn);
    // A lowered history limit trims at once, and the tip follows.
    UpdateHistory();
    // Written now, so that a crash or a power cut cannot undo the user's choices.
    settingsFile_.WriteAll(settings_);
}

}  // namespace app
