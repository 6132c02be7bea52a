#pragma once
// The preferences dialog: every setting but the clipboard watching, and start
// with the system. It shows the settings it is handed; its values are checked
// as a whole on OK and accepted only when all are valid; Cancel changes nothing.
// The caller takes the accepted settings over.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/Preferences.h"
#include "archive/ClipArchive.h"
#include "common/Settings.h"
#include "toolkit/Dialog_win.h"

namespace app {

// What the archive page asks of the clipboard archive. Summary: what it
// holds, nothing when there is none (the archive is off); Clear deletes every
// archived clip. Either may be empty: no archive, nothing to clear.
struct ArchiveHooks {
    std::function<std::optional<archive::ArchiveSummary>()> Summary;
    std::function<void()> Clear;
};

class TfrmPreferences : public toolkit::ModalDialog {
public:
    explicit TfrmPreferences(const common::Settings& current, ArchiveHooks archive = {});
    ~TfrmPreferences() override;

    // Shows the dialog on `current`: the settings accepted with OK, or nothing.
    static std::optional<common::Settings> Run(const common::Settings& current, ArchiveHooks archive = {});
    // After OK: the settings shown with the dialog's values.
    const std::optional<common::Settings>& Accepted() const noexcept { return accepted_; }

    // The controls, while the dialog is open.
    toolkit::TabPages* pclPreferences = nullptr;
    HWND tabGeneral = nullptr, tabConfirmations = nullptr, tabAdvanced = nullptr, tabArchive = nullptr;
    HWND lblHistorySize = nullptr, edtHistorySize = nullptr, udHistorySize = nullptr, lblClips = nullptr;
    HWND lblCaptionLength = nullptr, edtCaptionLength = nullptr, udCaptionLength = nullptr, lblCharacters = nullptr;
    HWND bvlGeneral = nullptr, chkDuplicatedEntries = nullptr, chkPreviewMode = nullptr, chkAutoPaste = nullptr;
    HWND chkClipDelete = nullptr, chkDeleteAll = nullptr;
    HWND chkHotKey = nullptr, hkHotKey = nullptr, chkStartApplication = nullptr, bvlAdvanced = nullptr;
    HWND lblPersonalHistoryPath = nullptr, edtPersonalHistoryPath = nullptr, bbnBrowse = nullptr;
    HWND lblIgnoredPrograms = nullptr, edtIgnoredPrograms = nullptr;
    HWND chkKeepHistory = nullptr, lblKeepDays = nullptr, edtKeepDays = nullptr, udKeepDays = nullptr;
    HWND lblKeepMB = nullptr, edtKeepMB = nullptr, udKeepMB = nullptr, bvlArchive = nullptr;
    HWND lblArchiveSummary = nullptr, btnClearArchive = nullptr;
    HWND btnOK = nullptr, btnCancel = nullptr, stbHint = nullptr;

    void chkHotKeyClick();
    void bbnBrowseClick();
    // The days and size can be typed only while the archive is on.
    void chkKeepHistoryClick();
    // Asks, then clears the archive and shows what it holds now.
    void btnClearArchiveClick();
    // Checks every value; accepts them and returns true only when all are valid.
    bool btnOKClick();
    // The values as the controls hold them.
    PreferenceValues Values() const;

private:
    void OnCreate() override { FormCreate(); }
    bool OnOk() override { return btnOKClick(); }
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnHint(const std::string& hint) override { DisplayHint(hint); }
    void OnDpiChanged() override;
    // The browse button's folder at the dialog's DPI.
    HICON FolderIcon() const;
    void FormCreate();
    // The check boxes of kFlagRows on `page`, on the page being filled.
    void AddFlagRows(int page);
    void DisplayHint(const std::string& hint);
    // The archive's line from the Summary hook.
    void ShowArchiveSummary();
    // Shows the warning of `problem`, puts the refused edit's text back and focuses it.
    void Refuse(const PreferenceProblem& problem);

    toolkit::UniqueIcon folderIcon_;
    const common::Settings current_;
    const ArchiveHooks archive_;
    std::optional<common::Settings> accepted_;
};

// The dialog while it is open, else null: it opens only once at a time.
extern TfrmPreferences* frmPreferences;

extern const char* const kPreferencesTitle;  // "参数选择"
extern const char* const kBrowseTitle;       // "个人历史路径 :"

}  // namespace app
