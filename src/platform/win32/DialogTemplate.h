// A dialog's layout as the dialog manager reads it (DLGTEMPLATE and its items), made in
// memory: the layer's library carries no resources, and its tests build without the .rc.
#pragma once

#include "platform/win32/Win32Api.h"

#include <string>
#include <vector>

namespace korvane::platform::win32 {

class DialogTemplate {
 public:
  // The predefined classes' atoms.
  enum class Kind : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082, ListBox = 0x0083 };

  // A modal dialog frame with a caption but no title bar buttons, centred on the screen, in a
  // Japanese face at 9 points; sizes in dialog units.
  DialogTemplate(const wchar_t* caption, short width, short height);

  // A page without a frame, to sit inside another dialog (a tab control's page); the
  // keyboard moves through its controls as through its parent's.
  static DialogTemplate ChildPage() { return DialogTemplate(kChildPageStyle, L"", 0, 0); }

  // Controls come in tab order. WS_CHILD | WS_VISIBLE are added.
  void Add(Kind kind, WORD id, const wchar_t* text, DWORD style, short x, short y, short width,
           short height);

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  // The face the dialogs are drawn in: MS UI Gothic, or where it is missing a Japanese face
  // that has both Latin letters and kana.
  static const std::wstring& Face();
  static constexpr WORD kPointSize = 9;

 private:
  static constexpr DWORD kChildPageStyle = WS_CHILD | DS_CONTROL | DS_SETFONT;
  DialogTemplate(DWORD style, const wchar_t* caption, short width, short height);

  void PutDword(DWORD value);
  void PutText(const wchar_t* text);
  void AlignToDword();

  std::vector<WORD> words_;  // the vector's buffer is DWORD-aligned, as the items must be
};

}  // namespace korvane::platform::win32
