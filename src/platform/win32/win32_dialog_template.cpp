// The in-memory DLGTEMPLATE layout: header, menu, class, caption, font, then one
// DWORD-aligned DLGITEMTEMPLATE per control; texts are UTF-16 as templates require.
#include "platform/win32/win32_dialog_template.h"

#include <algorithm>

namespace tavlin::win32 {

namespace {

// Offset of the item count within DLGTEMPLATE, in WORDs.
constexpr std::size_t itemCountWord = 4;

}  // namespace

DialogTemplate::DialogTemplate(const std::string& caption, short width, short height) {
    putDword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_3DLOOK |
             DS_SETFOREGROUND);
    putDword(0);  // extended style
    putWord(0);   // item count, filled in by addControl
    putWord(0);   // x
    putWord(0);   // y
    putWord(static_cast<WORD>(width));
    putWord(static_cast<WORD>(height));
    putWord(0);  // no menu
    putWord(0);  // the standard dialog class
    putText(caption);
    putWord(8);  // point size
    putText("MS Shell Dlg");
}

void DialogTemplate::addControl(ControlClass kind, WORD id, DWORD style, short x, short y, short width,
                                short height, const std::string& text) {
    align();
    putDword(style | WS_CHILD | WS_VISIBLE);
    putDword(0);  // extended style
    putWord(static_cast<WORD>(x));
    putWord(static_cast<WORD>(y));
    putWord(static_cast<WORD>(width));
    putWord(static_cast<WORD>(height));
    putWord(id);
    putWord(0xFFFF);
    putWord(static_cast<WORD>(kind));
    putText(text);
    putWord(0);  // no creation data
    ++words_[itemCountWord];
}

const DLGTEMPLATE* DialogTemplate::get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

void DialogTemplate::align() {
    if (words_.size() % 2 != 0) words_.push_back(0);
}

void DialogTemplate::putWord(WORD value) { words_.push_back(value); }

void DialogTemplate::putDword(DWORD value) {
    putWord(static_cast<WORD>(value & 0xFFFF));
    putWord(static_cast<WORD>(value >> 16));
}

void DialogTemplate::putText(const std::string& text) {
    if (!text.empty()) {
        const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
        for (const wchar_t c : wide) words_.push_back(static_cast<WORD>(c));
    }
    words_.push_back(0);
}

}  // namespace tavlin::win32
