// Dialog templates built at run time, so that the small modal dialogs need no
// resource file: a caption, a size in dialog units and a list of controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tavlin::win32 {

// The predefined window classes a template can name by atom.
enum class ControlClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

class DialogTemplate {
public:
    // A modal, centred dialog in the shell's dialog font that comes to the
    // foreground; width and height in dialog units.
    DialogTemplate(const std::string& caption, short width, short height);

    void addControl(ControlClass kind, WORD id, DWORD style, short x, short y, short width, short height,
                    const std::string& text);

    // The template as DialogBoxIndirectParamA takes it; valid while this object
    // lives and is not changed.
    const DLGTEMPLATE* get() const;

private:
    void align();
    void putWord(WORD value);
    void putDword(DWORD value);
    void putText(const std::string& text);

    // WORD elements keep the template on the 2-byte boundary it needs; align()
    // pads items to 4 bytes.
    std::vector<WORD> words_;
};

}  // namespace tavlin::win32
