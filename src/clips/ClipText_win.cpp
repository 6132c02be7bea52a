#include "clips/ClipText_win.h"

#include "clipboard/ClipboardOwner_win.h"
#include "clipboard/ClipboardText_win.h"
#include "clipboard/ClipboardWrite_win.h"
#include "clipboard/PrivateContent_win.h"
#include "clips/Caption.h"
#include "clips/ClipPreview_win.h"
#include "clips/LiteHtml.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "personal/PersonalRecord.h"

namespace clips {

bool TClipText::Offered(const clipboard::ClipboardFormats& offered) {
    return offered.Has(CF_TEXT) || offered.Has(CF_UNICODETEXT) || offered.Has(CF_OEMTEXT);
}

bool TClipText::CaptureFromClipboard() {
    Text = clipboard::ReadClipboardUnicodeText();
    return !common::IsBlank(Text);
}

void TClipText::CaptionFromText() { SetCaption(MakeCaption(Text, common::settings().MaxCaptionLength)); }

void TClipText::NameForHistory() {
    CaptionFromText();
    SetImageIndex(IsLink(Text) ? kLinkText : kPlainText);
}

void TClipText::RestoreToClipboard() const {
    clipboard::ClipboardWrite write;
    write.AddUnicodeText(Text);
    write.Commit();
}

void TClipText::ShowPreview(ClipPreview& preview) const {
    preview.ShowText(*this, ImageIndex() == kLinkText ? kLinkLabel : kTextLabel, Text);
}

ClipCommands TClipText::Commands() const {
    ClipCommands commands = TClip::Commands();
    commands.sendsAsMail = true;
    commands.transforms = ImageIndex() == kPlainText;
    commands.opens = ImageIndex() == kLinkText;
    commands.text = Text;
    return commands;
}

void TClipText::WriteRecord(personal::ClipRecord& record) const {
    TClip::WriteRecord(record);
    record.Text = Text;
    record.Backup = Backup;
}

void TClipText::ReadRecord(personal::ClipRecord& record) {
    TClip::ReadRecord(record);
    Text = std::move(record.Text);
    Backup = std::move(record.Backup);
}

bool TClipRichText::Offered(const clipboard::ClipboardFormats& offered) {
    return offered.Has(clipboard::RichTextFormat);
}

bool TClipRichText::CaptureFromClipboard() {
    RichText = clipboard::ReadClipboardText(clipboard::RichTextFormat);
    Text = clipboard::ReadClipboardUnicodeText();
    return !common::IsBlank(Text) || !common::IsBlank(RichText);
}

void TClipRichText::NameForHistory() {
    CaptionFromText();
    SetImageIndex(kRichText);
}

void TClipRichText::RestoreToClipboard() const {
    clipboard::ClipboardWrite write;
    write.AddText(clipboard::RichTextFormat, RichText);
    write.AddUnicodeText(Text);
    write.Commit();
}

void TClipRichText::ShowPreview(ClipPreview& preview) const { preview.ShowText(*this, kRichTextLabel, Text); }

void TClipRichText::WriteRecord(personal::ClipRecord& record) const {
    TClipText::WriteRecord(record);
    record.RichText = RichText;
}

void TClipRichText::ReadRecord(personal::ClipRecord& record) {
    TClipText::ReadRecord(record);
    RichText = std::move(record.RichText);
}

bool TClipHTMLText::Offered(const clipboard::ClipboardFormats& offered) { return offered.Has(clipboard::HTMLFormat); }

std::string TClipHTMLText::LiteHTMLText() const { return LiteHtmlFragment(HTMLText); }

bool TClipHTMLText::CaptureFromClipboard() {
    HTMLText = clipboard::ReadClipboardText(clipboard::HTMLFormat);
    Text = clipboard::ReadClipboardUnicodeText();
    return !common::IsBlank(Text) || !common::IsBlank(HTMLText);
}

void TClipHTMLText::NameForHistory() {
    CaptionFromText();
    SetImageIndex(kHtml);
}

void TClipHTMLText::RestoreToClipboard() const {
    clipboard::ClipboardWrite write;
    write.AddText(clipboard::HTMLFormat, HTMLText);
    write.AddUnicodeText(Text);
    write.Commit();
}

void TClipHTMLText::ShowPreview(ClipPreview& preview) const { preview.ShowText(*this, kHtmlLabel, LiteHTMLText()); }

void TClipHTMLText::WriteRecord(personal::ClipRecord& record) const {
    TClipText::WriteRecord(record);
    record.HTMLText = HTMLText;
}

void TClipHTMLText::ReadRecord(personal::ClipRecord& record) {
    TClipText::ReadRecord(record);
    HTMLText = std::move(record.HTMLText);
}

}  // namespace clips
