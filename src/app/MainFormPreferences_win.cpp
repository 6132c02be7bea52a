// The general menu's "参数选择...": the preferences dialog and what OK changes.
#include "app/MainForm_win.h"
#include "app/PreferencesDialog_win.h"
#include "common/Settings.h"

namespace app {

void TfrmMain::mniPreferencesClick() {
    if (frmPreferences) {  // it opens only once at a time
        SetForegroundWindow(frmPreferences->Handle());
        return;
    }
    TfrmPreferences dialog;
    if (dialog.ShowModal() != IDOK) return;
    const common::Settings& s = common::settings();
    ApplyHotKey(s.HotKeyOn);
    // A lowered history limit trims at once, and the tip follows.
    UpdateHistory();
    // Written now, so that a crash or a power cut cannot undo the user's choices.
    settingsFile_.WriteAll(s, monitorClipboard_);
}

}  // namespace app
