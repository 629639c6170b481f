// Resource and control identifiers of the estimator.
#pragma once

#define IDI_ZELTAX 1

// Controls of the TForm1 window. No control uses 1 or 2: the dialog keyboard handling sends
// IDOK and IDCANCEL for Enter and Escape, which the window ignores.
#define IDC_BUTTON1 101  // Help
#define IDC_BUTTON2 102  // Update
#define IDC_BUTTON3 103  // Clear
#define IDC_BUTTON4 104  // home page
#define IDC_BUTTON5 105  // Child Tax Credit

#define IDC_RADIOGROUP1 110
#define IDC_RADIO_SINGLE 111  // items 0..3 of RadioGroup1: IDC_RADIO_SINGLE + index
#define IDC_RADIO_JOINTLY 112
#define IDC_RADIO_SEPARATELY 113
#define IDC_RADIO_HEAD 114

#define IDC_GROUPBOX1 120
#define IDC_CHECKBOX1 121
#define IDC_CHECKBOX2 122
#define IDC_CHECKBOX3 123
#define IDC_CHECKBOX4 124

#define IDC_EDIT1 131  // Edit1 .. Edit9: IDC_EDIT1 + n - 1
#define IDC_EDIT2 132
#define IDC_EDIT3 133
#define IDC_EDIT4 134
#define IDC_EDIT5 135
#define IDC_EDIT6 136
#define IDC_EDIT7 137
#define IDC_EDIT8 138
#define IDC_EDIT9 139

#define IDC_LABEL2 142  // Label2 .. Label10: IDC_LABEL2 + n - 2
