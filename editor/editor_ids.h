// Resource and control ids of the editor, shared by its resource script and code.
#pragma once

#define IDD_EDITOR_DIALOG 101

// Controls of the editor dialog; the Close button is IDCANCEL (2).
#define IDC_BUTTON_SET 1000
#define IDC_ICON_KIND 1001
#define IDC_CAPTION_EDIT 1002
#define IDC_BODY_EDIT 1003
#define IDC_SHOW_BUTTON 1004
#define IDC_HELP_CHECK 1005
