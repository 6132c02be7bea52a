#include "clips/ClipText_win.h"

#include "clips/Caption.h"
#include "clips/ClipboardText_win.h"
#include "clips/ClipboardWrite_win.h"
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
    Text = ReadClipboardText(CF_TEXT);
    return !common::IsBlank(Text);
}

void TClipText::RestoreToClipboard() {
    ClipboardWrite write;
    write.AddText(CF_TEXT, Text);
    write.Commit();
}

void TClipRichText::AddToHistory(toolkit::MenuItem& menu, ClickHandler action) {
    AppendWithCaption(menu, kRichText, std::move(action));
}

bool TClipRichText::CaptureFromClipboard() {
    RichText = ReadClipboardText(RichTextFormat);
    Text = ReadClipboardText(CF_TEXT);
    return !common::IsBlank(Text) || !common::IsBlank(RichText);
}

void TClipRichText::RestoreToClipboard() {
    ClipboardWrite write;
    write.AddText(RichTextFormat, RichText);
    write.AddText(CF_TEXT, Text);
    write.Commit();
}

std::string TClipHTMLText::LiteHTMLText() const { return LiteHtmlFragment(HTMLText); }

void TClipHTMLText::AddToHistory(toolkit::MenuItem& menu, ClickHandler action) {
    AppendWithCaption(menu, kHtml, std::move(action));
}

bool TClipHTMLText::CaptureFromClipboard() {
    HTMLText = ReadClipboardText(HTMLFormat);
    Text = ReadClipboardText(CF_TEXT);
    return !common::IsBlank(Text) || !common::IsBlank(HTMLText);
}

void TClipHTMLText::RestoreToClipboard() {
    ClipboardWrite write;
    write.AddText(HTMLFormat, HTMLText);
    write.AddText(CF_TEXT, Text);
    write.Commit();
}

}  // namespace clips
