#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "player/DialogTemplate.h"

namespace tinsori {

// A dialog template in memory (DLGTEMPLATEEX), built from the template data both windows share,
// for CreateDialogIndirectParamW. Positions stay in dialog units of the template's font; the
// texts are the catalogue's.
class DialogTemplateBuffer {
public:
    // `style` and `exStyle` are the window's own; the font is the shell's dialog font at the
    // template's point size. Texts that take an argument (%1, the version) take `argument`.
    DialogTemplateBuffer(const DialogTemplate& tmpl, DWORD style, DWORD exStyle,
                         const std::string& argument = {});

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

    // The window class and styles a control of `spec` is made with.
    static WORD ClassOf(ControlKind kind);
    static DWORD StyleOf(const ControlSpec& spec);
    static DWORD ExStyleOf(ControlKind kind);

private:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value);
    void Text(const std::wstring& text);
    void AlignToDword();
    void Control(const ControlSpec& spec);
    std::wstring Words(const char* source) const;

    std::string argument_;
    std::vector<WORD> words_;
};

}  // namespace tinsori
