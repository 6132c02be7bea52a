#include "clips/ClipText_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "clipboard/ClipboardWrite_win.h"
#include "clips/Caption.h"
#include "clips/LiteHtml.h"
#include "common/Settings.h"
#include "common/Text.h"

namespace clips {
void TClipText::AppendWithCaption(toolkit::MenuItem& menu, int kind, ClickHandler action) {
    SetCaption(MakeCaption(Text, common::settings().MaxCaptionLength));
    StampAndAppend(menu, kind, std::move(action));
}

void TClipText::AddToHistory(toolkit::MenuItem& menu, ClickHandler action) {
    AppendWithCaption(menu, IsLink(Text) ? kLinkText : kPlainText, std::move(action));
}

bool TClipText::CaptureFromClipboard() {
    Text = clipboard::ReadClipboardText(CF_TEXT);
    return !common::IsBlank(Text);
}

void TClipText::RestoreToClipboard() {
    clipboard::ClipboardWrite write;
    write.AddText(CF_TEXT, Text);
    write.Commit();
}

void TClipRichText::AddToHistory(toolkit::MenuItem& menu, ClickHandler action) {
    AppendWithCaption(menu, kRichText, std::move(action));
}

bool TClipRichText::CaptureFromClipboard() {
    RichText = clipboard::ReadClipboardText(clipboard::RichTextFormat);
    Text = clipboard::ReadClipboardText(CF_TEXT);
    return !common::IsBlank(Text) || !common::IsBlank(RichText);
}

void TClipRichText::RestoreToClipboard() {
    clipboard::ClipboardWrite write;
    write.AddText(clipboard::RichTextFormat, RichText);
    write.AddText(CF_TEXT, Text);
    write.Commit();
}

std::string TClipHTMLText::LiteHTMLText() const { return LiteHtmlFragment(HTMLText); }

void TClipHTMLText::AddToHistory(toolkit::MenuItem& menu, ClickHandler action) {
    AppendWithCaption(menu, kHtml, std::move(action));
}

bool TClipHTMLText::CaptureFromClipboard() {
    HTMLText = clipboard::ReadClipboardText(clipboard::HTMLFormat);
    Text = clipboard::ReadClipboardText(CF_TEXT);
    return !common::IsBlank(Text) || !common::IsBlank(HTMLText);
}

void TClipHTMLText::RestoreToClipboard() {
    clipboard::ClipboardWrite write;
    write.AddText(clipboard::HTMLFormat, HTMLText);
    write.AddText(CF_TEXT, Text);
    write.Commit();
}

}  // namespace clips
