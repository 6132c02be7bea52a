#include "app/PreferencesDialog_win.h"

#include <commctrl.h>

#include <utility>
#include <variant>

#include "app/HotKeyCode.h"
#include "app/KindIcons_win.h"
#include "app/StartWithSystem_win.h"
#include "clips/ClipKind.h"
#include "common/Paths_win.h"
#include "common/Report_win.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "common/Wide_win.h"
#include "toolkit/FolderBrowser_win.h"

namespace app {

TfrmPreferences* frmPreferences = nullptr;
const char* const kPreferencesTitle = "参数选择";
const char* const kBrowseTitle = "个人历史路径 :";

namespace {
const char kHotKeyHint[] = "选取打开剪贴板历史的快捷键";
const char kPathHint[] = "选取个人历史的保存路径";
const char kIgnoredProgramsHint[] = "从这些程序复制的内容不记入历史, 例如密码管理器";
const char kKeepHistoryHint[] = "把每个剪辑加密保存在存档中, 重启后仍可在查找窗口中找到";
const char kArchiveSummaryHint[] = "存档中的剪辑数和存档文件的大小";
const char kClearArchiveHint[] = "删除存档中的全部剪辑";
const char kClearArchiveQuestion[] = "确实要删除存档中的全部剪辑吗?";

std::string RangeHint(const char* name, const common::SettingKey& key) {
    return common::Format("%s必须在 %d 与 %d 之间", name, key.Min, key.Max);
}

// The check boxes that edit a flag as it is, one row each, in their pages' order.
struct FlagRow {
    bool common::Settings::*setting;
    HWND TfrmPreferences::*box;
    int page;  // 0 常规, 1 要求确认
    int y;
    const char* caption;
    const char* hint;
};
using common::Settings;
using P = TfrmPreferences;
const FlagRow kFlagRows[] = {
    {&Settings::NoDuplicatedEntries, &P::chkDuplicatedEntries, 0, 98, "不捕获重复项目", "不保存重复项目至剪贴板历史"},
    {&Settings::PreviewMode, &P::chkPreviewMode, 0, 124, "预览模式", "预览剪辑和显示属性"},
    {&Settings::AutoPaste, &P::chkAutoPaste, 0, 150, "选择剪辑后自动粘贴", "用快捷键选择剪辑后, 立即粘贴到原来的窗口"},
    {&Settings::DeleteClipConf, &P::chkClipDelete, 1, 20, "在删除剪辑时", "当你要删除剪辑时要求确认"},
    {&Settings::DeleteAllConf, &P::chkDeleteAll, 1, 46, "在全部删除时", "当你要清除所有历史记录时要求确认"},
};
}  // namespace

HICON TfrmPreferences::FolderIcon() const {
    // The file-list clips' folder, drawn for each small-icon size.
    return LoadKindIcon(clips::kFileList, toolkit::SmallIconSize(Dpi()));
}

TfrmPreferences::TfrmPreferences(const common::Settings& current, ArchiveHooks archive)
    : ModalDialog(kPreferencesTitle, ClientSize{384, 286}), current_(current), archive_(std::move(archive)) {
    frmPreferences = this;
}

std::optional<common::Settings> TfrmPreferences::Run(const common::Settings& current, ArchiveHooks archive) {
    TfrmPreferences dialog(current, std::move(archive));
    if (dialog.ShowModal() != IDOK) return std::nullopt;
    return dialog.Accepted();
}

void TfrmPreferences::AddFlagRows(int page) {
    for (const FlagRow& row : kFlagRows)
        if (row.page == page) {
            HWND box = AddCheckBox(row.caption, current_.*row.setting, 16, row.y, 320);
            this->*row.box = box;
            SetHint(box, row.hint);
        }
}

TfrmPreferences::~TfrmPreferences() {
    if (frmPreferences == this) frmPreferences = nullptr;
}

void TfrmPreferences::FormCreate() {
    const common::Settings& s = current_;
    const common::SettingKey& historyKey = common::KeyOf(&common::Settings::MaxHistorySize);
    const common::SettingKey& captionKey = common::KeyOf(&common::Settings::MaxCaptionLength);
    folderIcon_.reset(FolderIcon());

    pclPreferences = &AddTabPages({"常规", "要求确认", "高级", "存档"}, 88, 8, 8, 368, 210);
    tabGeneral = pclPreferences->Page(0);
    tabConfirmations = pclPreferences->Page(1);
    tabAdvanced = pclPreferences->Page(2);
    tabArchive = pclPreferences->Page(3);
    const int lineWidth = 340;

    PlaceOn(tabGeneral);
    lblHistorySize = AddLabel("最大历史记录 :", 16, 20);
    toolkit::NumberEdit history = AddNumberEdit(s.MaxHistorySize, historyKey.Min, historyKey.Max, 3, 120, 16, 64);
    edtHistorySize = history.edit;
    udHistorySize = history.upDown;
    lblClips = AddLabel("剪辑", 192, 20);
    lblCaptionLength = AddLabel("最大标题长度 :", 16, 54);
    // The up-down goes below the accepted 10; OK then refuses the value.
    toolkit::NumberEdit caption = AddNumberEdit(s.MaxCaptionLength, 1, captionKey.Max, 3, 120, 50, 64);
    edtCaptionLength = caption.edit;
    udCaptionLength = caption.upDown;
    lblCharacters = AddLabel("字符", 192, 54);
    bvlGeneral = AddLine(10, 86, lineWidth);
    AddFlagRows(0);

    PlaceOn(tabConfirmations);
    AddFlagRows(1);

    PlaceOn(tabAdvanced);
    chkHotKey = AddCheckBox("快捷键 :", s.HotKeyOn, 16, 10, 90);
    // A bare key or Ctrl alone with a key becomes Alt with that key.
    hkHotKey = AddHotKey(HotKeyControlValue(s.HotKeyCombination), HKCOMB_NONE | HKCOMB_C, HOTKEYF_ALT, 112, 8, 160);
    EnableWindow(hkHotKey, s.HotKeyOn);
    chkStartApplication = AddCheckBox("系统启动时自动加载本程序", StartsWithSystem(), 16, 36, 320);
    bvlAdvanced = AddLine(10, 62, lineWidth);
    lblPersonalHistoryPath = AddLabel("设置 \"个人历史\" 保存路径:", 16, 68);
    edtPersonalHistoryPath = AddEdit(s.PersonalHistoryPath, 16, 84, 300);
    bbnBrowse = AddIconButton(folderIcon_.get(), 322, 84);
    lblIgnoredPrograms = AddLabel("不监视以下程序 (以分号分隔) :", 16, 112);
    edtIgnoredPrograms = AddEdit(s.IgnoredPrograms, 16, 128, 330);
    // No longer than Pellacor.ini gives back.
    SendMessageW(edtIgnoredPrograms, EM_SETLIMITTEXT, common::KeyOf(&common::Settings::IgnoredPrograms).Capacity - 1, 0);

    PlaceOn(tabArchive);
    const common::SettingKey& daysKey = common::KeyOf(&common::Settings::KeepHistoryDays);
    const common::SettingKey& sizeKey = common::KeyOf(&common::Settings::KeepHistoryMB);
    chkKeepHistory = AddCheckBox("保存全部剪贴板历史 (重启后仍可查找)", s.KeepClipboardHistory, 16, 12, 330);
    lblKeepDays = AddLabel("保留天数 :", 16, 44);
    toolkit::NumberEdit days = AddNumberEdit(s.KeepHistoryDays, daysKey.Min, daysKey.Max, 4, 150, 40, 72);
    edtKeepDays = days.edit;
    udKeepDays = days.upDown;
    lblKeepMB = AddLabel("最大存档大小 (MB) :", 16, 76);
    toolkit::NumberEdit size = AddNumberEdit(s.KeepHistoryMB, sizeKey.Min, sizeKey.Max, 5, 150, 72, 72);
    edtKeepMB = size.edit;
    udKeepMB = size.upDown;
    chkKeepHistoryClick();
    bvlArchive = AddLine(10, 104, lineWidth);
    lblArchiveSummary = AddLabel(ArchiveSummaryText(std::nullopt), 16, 116, 330);
    btnClearArchive = AddButton("清除存档...", 0, 16, 140, 96, 25);
    EnableWindow(btnClearArchive, static_cast<bool>(archive_.Clear));

    PlaceOn(nullptr);
    btnOK = AddButton("确定", IDOK, 216, 226, 75, 25);
    btnCancel = AddButton("取消", IDCANCEL, 300, 226, 75, 25);
    stbHint = AddStatusBar();

    for (HWND c : {lblHistorySize, edtHistorySize, udHistorySize, lblClips})
        SetHint(c, RangeHint("最大历史记录", historyKey));
    for (HWND c : {lblCaptionLength, edtCaptionLength, udCaptionLength, lblCharacters})
        SetHint(c, RangeHint("最大标题长度", captionKey));
    for (HWND c : {chkHotKey, hkHotKey}) SetHint(c, kHotKeyHint);
    SetHint(chkStartApplication, "每次系统启动时都将运行本程序");
    for (HWND c : {lblPersonalHistoryPath, edtPersonalHistoryPath, bbnBrowse}) SetHint(c, kPathHint);
    for (HWND c : {lblIgnoredPrograms, edtIgnoredPrograms}) SetHint(c, kIgnoredProgramsHint);
    SetHint(chkKeepHistory, kKeepHistoryHint);
    for (HWND c : {lblKeepDays, edtKeepDays, udKeepDays}) SetHint(c, RangeHint("保留天数", daysKey));
    for (HWND c : {lblKeepMB, edtKeepMB, udKeepMB}) SetHint(c, RangeHint("最大存档大小", sizeKey));
    SetHint(lblArchiveSummary, kArchiveSummaryHint);
    SetHint(btnClearArchive, kClearArchiveHint);
    ShowArchiveSummary();
}

bool TfrmPreferences::OnCommand(WORD, WORD code, HWND control) {
    if (code != BN_CLICKED) return false;
    if (control == chkHotKey) chkHotKeyClick();
    else if (control == bbnBrowse) bbnBrowseClick();
    else if (control == chkKeepHistory) chkKeepHistoryClick();
    else if (control == btnClearArchive) btnClearArchiveClick();
    else return false;
    return true;
}

void TfrmPreferences::OnDpiChanged() {
    toolkit::UniqueIcon previous =
        std::exchange(folderIcon_, toolkit::UniqueIcon(FolderIcon()));
    SendMessageW(bbnBrowse, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(folderIcon_.get()));
}

void TfrmPreferences::chkHotKeyClick() { EnableWindow(hkHotKey, toolkit::IsChecked(chkHotKey)); }

void TfrmPreferences::chkKeepHistoryClick() {
    bool on = toolkit::IsChecked(chkKeepHistory);
    for (HWND c : {lblKeepDays, edtKeepDays, udKeepDays, lblKeepMB, edtKeepMB, udKeepMB}) EnableWindow(c, on);
}

void TfrmPreferences::btnClearArchiveClick() {
    if (!common::Confirmed(kClearArchiveQuestion, common::BoxTitle::ConfirmEmptyHistory, Handle())) return;
    try {
        archive_.Clear();
    } catch (const std::exception& failure) {
        common::ReportTo(Handle(), common::ProblemOf(failure));
    }
    ShowArchiveSummary();
}

void TfrmPreferences::ShowArchiveSummary() {
    std::optional<archive::ArchiveSummary> summary;
    try {
        if (archive_.Summary) summary = archive_.Summary();
    } catch (const std::exception& failure) {
        common::ReportTo(Handle(), common::ProblemOf(failure));  // the line shows an empty archive
    }
    SetWindowTextW(lblArchiveSummary, common::Wide(ArchiveSummaryText(summary)).c_str());
}

void TfrmPreferences::bbnBrowseClick() {
    std::optional<std::string> picked =
        toolkit::BrowseForFolder(Handle(), kBrowseTitle, toolkit::WindowText(edtPersonalHistoryPath));
    if (!picked) return;
    SetWindowTextW(edtPersonalHistoryPath, common::Wide(*picked).c_str());
    Focus(edtPersonalHistoryPath);
}

PreferenceValues TfrmPreferences::Values() const {
    using toolkit::IsChecked;
    PreferenceValues v;
    v.HistorySize = toolkit::WindowText(edtHistorySize);
    v.CaptionLength = toolkit::WindowText(edtCaptionLength);
    for (const FlagRow& row : kFlagRows) v.Flags.emplace_back(row.setting, IsChecked(this->*row.box));
    v.HotKeyOn = IsChecked(chkHotKey);
    v.HotKey = ShortcutOfHotKeyControl(toolkit::HotKeyValue(hkHotKey));
    v.PersonalHistoryPath = toolkit::WindowText(edtPersonalHistoryPath);
    v.IgnoredPrograms = toolkit::WindowText(edtIgnoredPrograms);
    v.KeepClipboardHistory = IsChecked(chkKeepHistory);
    v.KeepHistoryDays = toolkit::WindowText(edtKeepDays);
    v.KeepHistoryMB = toolkit::WindowText(edtKeepMB);
    return v;
}

bool TfrmPreferences::btnOKClick() {
    auto checked = CheckPreferences(Values(), current_, &common::ExistingFolder);
    if (auto* problem = std::get_if<PreferenceProblem>(&checked)) {
        Refuse(*problem);
        return false;
    }
    accepted_ = std::get<common::Settings>(checked);
    try {
        SetStartWithSystem(toolkit::IsChecked(chkStartApplication));
    } catch (const std::exception& failure) {
        common::Report(failure);  // the other choices still take effect
    }
    return true;
}

void TfrmPreferences::Refuse(const PreferenceProblem& problem) {
    // Owned by the dialog, so it cannot be pressed again while the warning shows.
    common::ReportTo(Handle(), problem.Warning);
    HWND control = nullptr;
    int page = 0;
    switch (problem.Field) {
    case PreferenceField::HistorySize: control = edtHistorySize; break;
    case PreferenceField::CaptionLength: control = edtCaptionLength; break;
    case PreferenceField::HotKey: control = hkHotKey, page = 2; break;
    case PreferenceField::PersonalHistoryPath: control = edtPersonalHistoryPath, page = 2; break;
    case PreferenceField::KeepHistoryDays: control = edtKeepDays, page = 3; break;
    case PreferenceField::KeepHistoryMB: control = edtKeepMB, page = 3; break;
    }
    // The edit's own undo: the text before the last typing comes back.
    if (control != hkHotKey) SendMessageW(control, EM_UNDO, 0, 0);
    // The refused control may sit on a page that is not shown.
    pclPreferences->Select(page);
    Focus(control);
}

void TfrmPreferences::DisplayHint(const std::string& hint) { toolkit::SetStatusText(stbHint, " " + hint); }

}  // namespace app
