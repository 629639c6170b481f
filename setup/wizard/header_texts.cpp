#include "header_texts.h"

// Each line ends with CR LF, the last one too.

const char license_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\b\\f0\\fs16\\par\r\n"
    "  License Agreement\\par\r\n"
    "  \\b0 You must accept the License Agreement below to proceed with the installation.\\par\r\n"
    "}\r\n";

const char users_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Who will be using this installation?\\par\r\n"
    "  \\b0 Choose which users should have desktop and menu changes ...\\par\r\n"
    "\\b\\par\r\n"
    "}\r\n";

const char destination_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
    "{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs20\\par\r\n"
    "\\b\\f1\\fs16   Destination Directory\\par\r\n"
    "\\b0   Select the directory where the application will be installed.\\par\r\n"
    "}\r\n";

const char preferences_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Preferences\\b0\\par\r\n"
    "  You may limit changes made to your Desktop and Start Menu\\par\r\n"
    "\\par\r\n"
    "}\r\n";

const char summary_header_rtf[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16\\par\r\n"
    "\\b   Final Summary\\par\r\n"
    "  \\b0 Choosing the install button will copy files to your computer.\\par\r\n"
    "\\b\\par\r\n"
    "}\r\n";
