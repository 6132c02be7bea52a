#include "history/RenameDialog_win.h"

#include "toolkit/Dialog_win.h"
#include "toolkit/EditByteLimit_win.h"

namespace history {

const char* const kRenameTitle = "重命名";

namespace {

class RenameDialog : public toolkit::ModalDialog {
public:
    RenameDialog(const std::string& current, int maxLength)
        : ModalDialog(kRenameTitle, 335, 126), current_(current), maxLength_(maxLength) {}
    std::string Text;

private:
    void OnCreate() override {
        AddLabel("新建名称 :", 14, 10);
        edit_ = AddEdit(current_, 10, 32, 310);
        // Only stops typing: a longer name already there is offered in full.
        toolkit::LimitEditBytes(edit_, maxLength_);
        AddButton("好", IDOK, 163, 66, 75, 23);
        AddButton("取消", IDCANCEL, 246, 66, 75, 23);
        FocusOnOpen(edit_);
    }
    bool OnOk() override {
        Text = toolkit::WindowText(edit_);
        return true;
    }

    std::string current_;
    int maxLength_;
    HWND edit_ = nullptr;
};

}  // namespace

std::optional<std::string> AskNewName(const std::string& current, int maxLength) {
    RenameDialog dialog(current, maxLength);
    if (dialog.ShowModal() != IDOK) return std::nullopt;
    return dialog.Text;
}

}  // namespace history
