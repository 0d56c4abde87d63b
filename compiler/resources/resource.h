// Resource ids of the compiler program, shared by its resource script and code.
#pragma once

#define IDD_LOG_WINDOW 101

// Controls of the log window; the Close button is IDOK (1).
#define IDC_LOG_VIEW 1000
#define IDC_VERSION_LINE 1001
#define IDC_HELP_BUTTON 1002
