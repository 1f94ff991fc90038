// Resource ids shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME 128
#define IDI_CLOSE 131
#define IDC_LINKHAND 134
#define IDD_START 135
#define IDI_BROWSE 139
#define IDI_LIVEUPDATE 142
#define IDD_MIRROR 146
#define IDD_WAIT 147
#define IDS_CLASSNAME 57346

#define IDC_MIRRORLIST 1002
#define IDC_HTML 1003
#define IDC_WAITMSG 1004
#define IDC_BUSYBAR 1010
