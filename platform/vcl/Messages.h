// Window messages the headless controls understand, with the platform's numbers. A
// message travels to a control through its replaceable window procedure
// (TControl::WindowProc), so a component can sit in front of a control and change a
// message on its way (a text translated before it is set, say).
#pragma once

#include "vcl/WinTypes.h"

#include <string>

namespace vcl {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Text messages carry a pointer to a std::string in LParam (in or out).
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_USER = 0x0400;
// List and combo boxes: LParam points to the item's std::string; WParam is the index
// for the insert messages.
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_INSERTSTRING = 0x0181;
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
// Notifications the platform sends to a control itself.
inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;

// Scroll codes of WM_VSCROLL.
inline constexpr WPARAM SB_LINEUP = 0;
inline constexpr WPARAM SB_LINEDOWN = 1;
inline constexpr WPARAM SB_PAGEUP = 2;
inline constexpr WPARAM SB_PAGEDOWN = 3;
inline constexpr WPARAM SB_THUMBPOSITION = 4;  // the position is in the high word
inline constexpr WPARAM SB_THUMBTRACK = 5;
inline constexpr WPARAM SB_TOP = 6;
inline constexpr WPARAM SB_BOTTOM = 7;
inline constexpr WPARAM SB_ENDSCROLL = 8;

// Virtual key codes.
inline constexpr unsigned short VK_BACK = 0x08;
inline constexpr unsigned short VK_TAB = 0x09;
inline constexpr unsigned short VK_RETURN = 0x0D;
inline constexpr unsigned short VK_ESCAPE = 0x1B;
inline constexpr unsigned short VK_SPACE = 0x20;
inline constexpr unsigned short VK_PRIOR = 0x21;
inline constexpr unsigned short VK_NEXT = 0x22;
inline constexpr unsigned short VK_END = 0x23;
inline constexpr unsigned short VK_HOME = 0x24;
inline constexpr unsigned short VK_LEFT = 0x25;
inline constexpr unsigned short VK_UP = 0x26;
inline constexpr unsigned short VK_RIGHT = 0x27;
inline constexpr unsigned short VK_DOWN = 0x28;
inline constexpr unsigned short VK_INSERT = 0x2D;
inline constexpr unsigned short VK_DELETE = 0x2E;
inline constexpr unsigned short VK_F1 = 0x70;

}  // namespace vcl
