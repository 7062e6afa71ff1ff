#include "textops/conversions_win.h"

#include "core/editctl_win.h"
#include "core/shell_win.h"
#include "core/msgbox_win.h"
#include "textops/conversions.h"
#include "textops/lineops_win.h"

namespace tessel::conversions {
namespace {

constexpr msgbox::Message kTooBig{"Die Textänderungen werden zu groß für den Tessel !", msgbox::kCaptionTessel,
                                  MB_ICONERROR};

}  // namespace

void RunConversion(HWND edit, Conversion convert) {
    if (!convert) return;
    std::optional<std::string> result;
    {
        editctl::Text text(edit);
        if (!text.ok()) return;  // no memory: the text stays as it is
        result = convert(text.view());
    }
    if (!result) return;
    if (!conversions::fitsConvertedLimit(result->size())) {
        msgbox::Show(kTooBig, edit);
        return;
    }
    SetWindowTextA(edit, result->c_str());
    result.reset();
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    shell::NotifyTextChanged();
}

void RunGpsConversion(HWND edit) {
    if (lineops::CapacityReached()) return;
    editctl::Text text(edit);
    if (!text.ok()) return;
    const lineframe::FrameResult result = conversions::runGpsFrame(text.view(), editctl::Limit(edit), false);
    if (!result.changed && !result.hitLimit) return;  // a text of one line: nothing to convert
    lineops::ApplyFrameResult(edit, result);
    editctl::Select(edit, 0, 0, true);
    if (result.hitLimit) lineops::NoteCapacity(false);
}

}  // namespace tessel::conversions
